#!/usr/bin/python3
"""Draws the clock's notification-area icon: resources/media/clock.ico, two
images of 32 bits per pixel with alpha, 48 x 48 and 64 x 64 (the tray asks
for the one nearest 32 pixels, and for a high-density screen the one nearest
64), 26,614 bytes:

    6 icon directory + 2 * 16 entries, then for each image
    40 BITMAPINFOHEADER
    + SIZE * SIZE * 4 colour (BGRA, bottom row first)
    + SIZE * 8 AND mask (one bit a pixel, rows padded to 32 bits)

Pillow writes icons as PNG or with other layouts, so the bytes are put
together here.
Run: /usr/bin/python3 tools/media/make_icon.py
"""
import math
import os
import struct

from PIL import Image, ImageDraw

SIZE = 48
SIZES = (48, 64)
SCALE = 8

RIM_OUTER = (88, 24, 150)
RIM_INNER = (150, 90, 220)
FACE = (255, 252, 246)
DARK_BLUE = (16, 24, 120)
DARK_RED = (128, 0, 0)
BLUE = (0, 96, 192)
VIOLET = (144, 0, 255)


def big(v):
    return v * SCALE


def circle(d, cx, cy, r, fill):
    d.ellipse([big(cx - r), big(cy - r), big(cx + r), big(cy + r)], fill=fill)


def hand(d, minutes, length, width, colour):
    a = minutes * math.pi / 30
    x, y = 24 + length * math.sin(a), 24 - length * math.cos(a)
    d.line([(big(24), big(24)), (big(x), big(y))], fill=colour, width=round(big(width)))
    circle(d, x, y, width / 2, colour)  # a round tip


def draw_art(size=SIZE):
    """The icon drawn at `size` pixels (the art is laid out on a 48-unit grid)."""
    art = Image.new("RGBA", (big(SIZE), big(SIZE)), (0, 0, 0, 0))
    d = ImageDraw.Draw(art)
    circle(d, 24, 24, 23, RIM_OUTER + (255,))
    circle(d, 24, 24, 21, RIM_INNER + (255,))
    circle(d, 24, 24, 19, FACE + (255,))
    for h in range(12):
        a = h * math.pi / 6
        r = 1.6 if h % 3 == 0 else 1.0
        circle(d, 24 + 15.5 * math.sin(a), 24 - 15.5 * math.cos(a), r, DARK_BLUE + (255,))
    hand(d, 50.5, 9.5, 3.2, DARK_RED + (255,))  # ten past ten
    hand(d, 10, 14, 2.2, BLUE + (255,))
    circle(d, 24, 24, 2.4, VIOLET + (255,))
    return art.resize((size, size), Image.LANCZOS)


def dib_bytes(image):
    """One image's BITMAPINFOHEADER, colour and AND mask."""
    size = image.width
    px = image.load()
    colour = bytearray()
    mask = bytearray()
    for y in range(size - 1, -1, -1):
        for x in range(size):
            r, g, b, a = px[x, y]
            colour += bytes((b, g, r, a))
        # Set bits are transparent; each row is padded to 64 bits.
        bits = [0] * 64
        for x in range(size):
            bits[x] = 1 if px[x, y][3] == 0 else 0
        for i in range(8):
            byte = 0
            for j in range(8):
                byte = byte << 1 | bits[i * 8 + j]
            mask.append(byte)
    info = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, len(colour) + len(mask),
                       0, 0, 0, 0)
    return info + bytes(colour) + bytes(mask)


def ico_bytes(images):
    dibs = [dib_bytes(image) for image in images]
    data = struct.pack("<HHH", 0, 1, len(images))
    at = 6 + 16 * len(images)
    for image, dib in zip(images, dibs):
        data += struct.pack("<BBBBHHII", image.width, image.height, 0, 0, 1, 32, len(dib), at)
        at += len(dib)
    return data + b"".join(dibs)


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out = os.path.join(root, "resources", "media", "clock.ico")
    data = ico_bytes([draw_art(size) for size in SIZES])
    assert len(data) == 26614, len(data)
    with open(out, "wb") as f:
        f.write(data)
    print(out, len(data), "bytes")


if __name__ == "__main__":
    main()
