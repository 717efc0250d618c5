#!/usr/bin/python3
"""Draws the butterfly that rides on the second hand:
resources/media/butterfly.gif, 60 x 60, four colours. Entry 3 is pure
white, the background and the GIF's transparent index; the clock shrinks the
picture to 18 x 18 and leaves the white out.

Run: /usr/bin/python3 tools/media/make_butterfly.py
"""
import math
import os
import sys

from PIL import Image, ImageDraw

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from gif_writer import gif_bytes  # noqa: E402

SIZE = 60
SCALE = 8
DARK_PURPLE = (65, 0, 126)
VIOLET = (128, 64, 192)
LILAC = (214, 184, 244)
WHITE = (255, 255, 255)
PALETTE = [DARK_PURPLE, VIOLET, LILAC, WHITE]
TRANSPARENT = 3


# The drawing below is laid out 5 pixels high; this centres it.
DOWN = 5


def ellipse(cx, cy, rx, ry, degrees, steps=72):
    """Points of an ellipse turned by `degrees`, in the large drawing."""
    cy += DOWN
    t = math.radians(degrees)
    points = []
    for i in range(steps):
        a = 2 * math.pi * i / steps
        x, y = rx * math.cos(a), ry * math.sin(a)
        points.append(((cx + x * math.cos(t) - y * math.sin(t)) * SCALE,
                       (cy + x * math.sin(t) + y * math.cos(t)) * SCALE))
    return points


def wing(d, cx, cy, rx, ry, degrees, spot):
    d.polygon(ellipse(cx, cy, rx, ry, degrees), fill=DARK_PURPLE)
    d.polygon(ellipse(cx, cy, rx - 3, ry - 3, degrees), fill=VIOLET)
    sx, sy, sr = spot
    d.polygon(ellipse(sx, sy, sr, sr * 0.8, degrees), fill=LILAC)
    d.polygon(ellipse(sx, sy, sr * 0.45, sr * 0.35, degrees), fill=DARK_PURPLE)


def draw_art():
    art = Image.new("RGBA", (SIZE * SCALE, SIZE * SCALE), WHITE + (0,))
    d = ImageDraw.Draw(art)
    for side in (1, -1):
        def x(v):
            return 30 + side * v
        wing(d, x(13), 20, 14, 10, -35 * side, (x(17), 16, 4.0))
        wing(d, x(10), 38, 10, 8, 40 * side, (x(12), 40, 2.6))
        # Antenna with a knob.
        d.line([(x(1) * SCALE, (17 + DOWN) * SCALE), (x(8) * SCALE, (5 + DOWN) * SCALE)],
               fill=DARK_PURPLE,
               width=SCALE * 3 // 2)
        d.polygon(ellipse(x(8.5), 4.5, 2, 2, 0), fill=DARK_PURPLE)
    d.polygon(ellipse(30, 33, 2.6, 14, 0), fill=DARK_PURPLE)
    d.polygon(ellipse(30, 18, 3.4, 3.4, 0), fill=DARK_PURPLE)
    return art.resize((SIZE, SIZE), Image.LANCZOS)


def nearest(c):
    return min(range(3), key=lambda i: sum((a - b) ** 2 for a, b in zip(c, PALETTE[i])))


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, "resources", "media", "butterfly.gif")
    art = draw_art().load()
    indices = []
    for y in range(SIZE):
        for x in range(SIZE):
            r, g, b, a = art[x, y]
            indices.append(nearest((r, g, b)) if a >= 128 else TRANSPARENT)
    with open(out, "wb") as f:
        f.write(gif_bytes(SIZE, SIZE, indices, PALETTE, transparent=TRANSPARENT))
    print(out, os.path.getsize(out), "bytes")


if __name__ == "__main__":
    main()
