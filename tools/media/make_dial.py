#!/usr/bin/python3
"""Draws the clock's dial: resources/media/dial.gif, 288 x 284, and the same
drawing at twice the size for high-density screens, dial@2x.gif, 576 x 568.

Twelve italic numerals in dark blue outlined in white, a dark-blue dot in a
red ring at every hour 111 pixels from the centre (144, 144), a short white
tick at every other minute. Everything else is palette entry 255, pure white,
which is also the GIF's transparent index: the clock draws the dial with pure
white left out, so the white that must show (outlines, ticks) is an opaque
off-white of its own entry.

Drawn four times larger than the file and reduced, then cut to one-bit
transparency.
Run: /usr/bin/python3 tools/media/make_dial.py
"""
import math
import os
import sys

from PIL import Image, ImageDraw, ImageFont

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gif_writer import gif_bytes  # noqa: E402

WIDTH, HEIGHT = 288, 284
CX, CY = 144, 144
SCALE = 4

DARK_BLUE = (16, 24, 120)
RED = (214, 28, 36)
OFF_WHITE = (254, 254, 254)  # shows; (255, 255, 255) is left out
TRANSPARENT = 255

FONTS = [
    "/usr/share/fonts/opentype/urw-base35/P052-BoldItalic.otf",
    "/usr/share/fonts/truetype/dejavu/DejaVuSerif-BoldItalic.ttf",
]

DOT_RADIUS = 111
NUMERAL_RADIUS = 84
NUMERAL_SIZE = 27
TICK_INNER, TICK_OUTER = 107, 116


def polar(radius, minute):
    a = minute * math.pi / 30
    return CX + radius * math.sin(a), CY - radius * math.cos(a)


K = 1  # the file's size in multiples of WIDTH x HEIGHT


def big(v):
    """Dial pixels (at K = 1) to the drawing's."""
    return v * SCALE * K


def draw_art():
    art = Image.new("RGBA", (big(WIDTH), big(HEIGHT)), (255, 255, 255, 0))
    d = ImageDraw.Draw(art)

    # Minute ticks.
    for m in range(60):
        if m % 5 == 0:
            continue
        x0, y0 = polar(TICK_INNER, m)
        x1, y1 = polar(TICK_OUTER, m)
        d.line([(big(x0), big(y0)), (big(x1), big(y1))], fill=OFF_WHITE + (255,), width=big(2))

    # Hour dots: white rim, red ring, dark-blue centre with a small light.
    for h in range(12):
        x, y = polar(DOT_RADIUS, h * 5)
        for radius, colour in ((7.5, OFF_WHITE), (6.5, RED), (4.0, DARK_BLUE)):
            r = big(radius)
            d.ellipse([big(x) - r, big(y) - r, big(x) + r, big(y) + r], fill=colour + (255,))
        r = big(1.2)
        hx, hy = big(x) - big(1.3), big(y) - big(1.3)
        d.ellipse([hx - r, hy - r, hx + r, hy + r], fill=(120, 140, 230, 255))

    font_path = next(p for p in FONTS if os.path.exists(p))
    font = ImageFont.truetype(font_path, big(NUMERAL_SIZE))
    for h in range(1, 13):
        x, y = polar(NUMERAL_RADIUS, h * 5)
        d.text((big(x), big(y)), str(h), font=font, anchor="mm", fill=DARK_BLUE + (255,),
               stroke_width=big(2), stroke_fill=OFF_WHITE + (255,))
    return art.resize((WIDTH * K, HEIGHT * K), Image.LANCZOS)


def to_indexed(art):
    """Pixels at least half covered keep their colour (over white); the rest
    become the transparent entry."""
    rgb = Image.new("RGB", art.size, OFF_WHITE)
    rgb.paste(art, mask=art.getchannel("A"))
    alpha = art.getchannel("A").load()
    quantized = rgb.quantize(colors=255, method=Image.Quantize.MEDIANCUT, dither=Image.Dither.NONE)
    flat = quantized.getpalette()[:255 * 3]
    palette = []
    for i in range(255):
        c = tuple(flat[i * 3:i * 3 + 3]) if i * 3 + 2 < len(flat) else (0, 0, 0)
        palette.append(OFF_WHITE if c == (255, 255, 255) else c)
    palette.append((255, 255, 255))
    q = quantized.load()
    indices = []
    for y in range(art.height):
        for x in range(art.width):
            indices.append(q[x, y] if alpha[x, y] >= 128 else TRANSPARENT)
    return indices, palette


def main():
    global K
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    for K, name in ((1, "dial.gif"), (2, "dial@2x.gif")):
        out = os.path.join(root, "resources", "media", name)
        indices, palette = to_indexed(draw_art())
        with open(out, "wb") as f:
            f.write(gif_bytes(WIDTH * K, HEIGHT * K, indices, palette, transparent=TRANSPARENT))
        print(out, os.path.getsize(out), "bytes")


if __name__ == "__main__":
    main()
