#!/usr/bin/python3
"""Draws the butterfly that rides on the second hand:
resources/media/butterfly.gif, 60 x 60, four colours. Entry 3 is pure
white, the background and the GIF's transparent index; the clock shrinks the
picture to 18 x 18 and leaves the white out. butterfly@2x.gif is the same
drawing at 120 x 120, for high-density screens.

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
K = 1  # the file's size in multiples of SIZE
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
        points.append(((cx + x * math.cos(t) - y * math.sin(t)) * SCALE * K,
                       (cy + x * math.sin(t) + y * math.cos(t)) * SCALE * K))
    return points


def wing(d, cx, cy, rx, ry, degrees, spot):
    d.polygon(ellipse(cx, cy, rx, ry, degrees), fill=DARK_PURPLE)
    d.polygon(ellipse(cx, cy, rx - 3, ry - 3, degrees), fill=VIOLET)
    sx, sy, sr = spot
    d.polygon(ellipse(sx, sy, sr, sr * 0.8, degrees), fill=LILAC)
    d.polygon(ellipse(sx, sy, sr * 0.45, sr * 0.35, degrees), fill=DARK_PURPLE)


def draw_art():
    big = SCALE * K
    art = Image.new("RGBA", (SIZE * big, SIZE * big), WHITE + (0,))
    d = ImageDraw.Draw(art)
    for side in (1, -1):
        def x(v):
            return 30 + side * v
        wing(d, x(13), 20, 14, 10, -35 * side, (x(17), 16, 4.0))
        wing(d, x(10), 38, 10, 8, 40 * side, (x(12), 40, 2.6))
        # Antenna with a knob.
        d.line([(x(1) * big, (17 + DOWN) * big), (x(8) * big, (5 + DOWN) * big)],
               fill=DARK_PURPLE,
               width=big * 3 // 2)
        d.polygon(ellipse(x(8.5), 4.5, 2, 2, 0), fill=DARK_PURPLE)
    d.polygon(ellipse(30, 33, 2.6, 14, 0), fill=DARK_PURPLE)
    d.polygon(ellipse(30, 18, 3.4, 3.4, 0), fill=DARK_PURPLE)
    return art.resize((SIZE * K, SIZE * K), Image.LANCZOS)


def nearest(c):
    return min(range(3), key=lambda i: sum((a - b) ** 2 for a, b in zip(c, PALETTE[i])))


def main():
    global K
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    for K, name in ((1, "butterfly.gif"), (2, "butterfly@2x.gif")):
        out = os.path.join(root, "resources", "media", name)
        art = draw_art().load()
        indices = []
        for y in range(SIZE * K):
            for x in range(SIZE * K):
                r, g, b, a = art[x, y]
                indices.append(nearest((r, g, b)) if a >= 128 else TRANSPARENT)
        with open(out, "wb") as f:
            f.write(gif_bytes(SIZE * K, SIZE * K, indices, PALETTE, transparent=TRANSPARENT))
        print(out, os.path.getsize(out), "bytes")


if __name__ == "__main__":
    main()
