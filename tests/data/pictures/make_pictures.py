#!/usr/bin/python3
"""Writes the small test pictures of the picture decoder tests.

ref.ppm is the reference image (13 x 7, 16 colours, odd width so rows need
padding); every other file is the same image in another format, except
where noted. GIF, JPEG and PCX come from Pillow; BMP and ICO variants are
written by hand here so every depth and layout is covered exactly.
Run from this folder with /usr/bin/python3.
"""
import io
import struct

from PIL import Image

W, H = 13, 7
COLOURS = [(0, 0, 0), (255, 255, 255), (255, 0, 0), (0, 255, 0), (0, 0, 255), (255, 255, 0),
           (0, 255, 255), (255, 0, 255), (128, 0, 0), (0, 128, 0), (0, 0, 128), (128, 128, 0),
           (65, 0, 126), (192, 192, 192), (128, 128, 128), (255, 240, 240)]


def index_at(x, y):
    return (x * 3 + y * 5 + (x * y) % 7) % 16


def ref_image():
    im = Image.new("RGB", (W, H))
    for y in range(H):
        for x in range(W):
            im.putpixel((x, y), COLOURS[index_at(x, y)])
    return im


def palette_image():
    im = Image.new("P", (W, H))
    flat = [c for rgb in COLOURS for c in rgb]
    im.putpalette(flat + [0] * (768 - len(flat)))
    for y in range(H):
        for x in range(W):
            im.putpixel((x, y), index_at(x, y))
    return im


def bw_image():  # for 1-bit formats: a checker of 1 x 1 and 3 x 3 cells
    im = Image.new("1", (W, H))
    for y in range(H):
        for x in range(W):
            im.putpixel((x, y), 255 if ((x // 3) + (y // 3) + x * y) % 2 else 0)
    return im


def dib(im, bpp, top_down=False, icon_mask=None):
    """A device-independent bitmap: info header, table, rows (and AND mask)."""
    w, h = im.size
    rgb = im.convert("RGBA")
    stride = (w * bpp + 31) // 32 * 4
    table = b""
    if bpp <= 8:
        pal = COLOURS if bpp > 1 else [(0, 0, 0), (255, 255, 255)]
        pal = pal[: 1 << bpp]
        table = b"".join(struct.pack("<BBBB", b, g, r, 0) for r, g, b in pal)
    rows = []
    for y in range(h):
        line = bytearray(stride)
        for x in range(w):
            r, g, b, a = rgb.getpixel((x, y))
            if bpp == 1:
                if (r, g, b) != (0, 0, 0):
                    line[x // 8] |= 0x80 >> (x % 8)
            elif bpp == 4:
                line[x // 2] |= COLOURS.index((r, g, b)) << (0 if x % 2 else 4)
            elif bpp == 8:
                line[x] = COLOURS.index((r, g, b))
            elif bpp == 24:
                line[3 * x:3 * x + 3] = bytes((b, g, r))
            else:
                line[4 * x:4 * x + 4] = bytes((b, g, r, a))
        rows.append(bytes(line))
    if not top_down:
        rows.reverse()
    mask = b""
    if icon_mask is not None:
        ms = (w + 31) // 32 * 4
        mrows = []
        for y in range(h):
            line = bytearray(ms)
            for x in range(w):
                if icon_mask(x, y):
                    line[x // 8] |= 0x80 >> (x % 8)
            mrows.append(bytes(line))
        mrows.reverse()
        mask = b"".join(mrows)
    height = (h * 2 if icon_mask is not None else (-h if top_down else h))
    header = struct.pack("<IiiHHIIiiII", 40, w, height, 1, bpp, 0, len(rows) * stride, 2835, 2835,
                         len(table) // 4, 0)
    return header + table + b"".join(rows) + mask


def bmp(im, bpp, top_down=False):
    body = dib(im, bpp, top_down)
    offset = 14 + 40 + (len(body) - 40 - ((im.size[0] * bpp + 31) // 32 * 4) * im.size[1])
    return b"BM" + struct.pack("<IHHI", 14 + len(body), 0, 0, offset) + body


def ico(entries, kind=1):
    """entries: list of (image, bpp, mask function)."""
    blobs = [dib(im, bpp, icon_mask=m) for im, bpp, m in entries]
    out = struct.pack("<HHH", 0, kind, len(entries))
    at = 6 + 16 * len(entries)
    for (im, bpp, _), blob in zip(entries, blobs):
        w, h = im.size
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, 1, bpp, len(blob), at)
        at += len(blob)
    return out + b"".join(blobs)


def main():
    ref = ref_image()
    ref.save("ref.ppm")
    pal = palette_image()
    pal.save("plain87.gif", interlace=False)
    with open("plain87.gif", "r+b") as f:  # Pillow writes 87a when nothing needs 89a
        assert f.read(6) in (b"GIF87a", b"GIF89a")
    pal.save("transparent89.gif", interlace=False, transparency=1)
    # Pillow interlaces only pictures of 16 rows and columns or more.
    tall = pal.resize((26, 19), Image.NEAREST)
    tall.convert("RGB").save("interlaced_golden.ppm")
    tall.save("interlaced.gif", interlace=True)
    # Local colour table: move the global table behind the image descriptor.
    data = open("plain87.gif", "rb").read()
    flags = data[10]
    n = 3 * (2 << (flags & 7))
    table = data[13:13 + n]
    rest = data[13 + n:]
    assert rest[0] == 0x2C
    desc = bytearray(rest[:10])
    desc[9] = 0x80 | (flags & 7)
    local = data[:10] + bytes((flags & 0x70, 0, 0)) + bytes(desc) + table + rest[10:]
    open("local_table.gif", "wb").write(local)

    ref.save("photo.jpg", quality=92)
    Image.open("photo.jpg").convert("RGB").save("photo_golden.ppm")
    ref.convert("L").save("grey.jpg", quality=92)
    Image.open("grey.jpg").convert("RGB").save("grey_golden.ppm")

    pal.save("palette8.pcx")
    ref.save("rgb24.pcx")
    bw = bw_image()
    bw.convert("RGB").save("bw.ppm")
    bw.save("mono.pcx")
    with open("mono.pcx", "r+b") as f:  # the 1-bit kind is recognised as version 3
        f.seek(1)
        f.write(b"\x03")

    open("depth1.bmp", "wb").write(bmp(bw, 1))
    open("depth4.bmp", "wb").write(bmp(ref, 4))
    open("depth8.bmp", "wb").write(bmp(ref, 8))
    open("depth24.bmp", "wb").write(bmp(ref, 24))
    open("depth32.bmp", "wb").write(bmp(ref, 32))
    open("topdown24.bmp", "wb").write(bmp(ref, 24, top_down=True))

    # An icon of three sizes: 16 (8-bit), 32 (24-bit, AND mask: left column
    # and top row transparent), 48 (24-bit). The 32 x 32 entry is the one
    # taken, and it is a scaled-up reference image.
    big = ref.resize((32, 32), Image.NEAREST)
    big.save("icon32_golden.ppm")
    open("three.ico", "wb").write(ico([
        (ref.resize((16, 16), Image.NEAREST), 8, lambda x, y: False),
        (big, 24, lambda x, y: x == 0 or y == 0),
        (ref.resize((48, 48), Image.NEAREST), 24, lambda x, y: False),
    ]))
    open("small.ico", "wb").write(ico([(ref, 4, lambda x, y: x == y)]))
    rgba = big.convert("RGBA")
    for y in range(32):
        for x in range(32):
            r, g, b, _ = rgba.getpixel((x, y))
            rgba.putpixel((x, y), (r, g, b, 0 if x >= 16 else 255))
    open("alpha.cur", "wb").write(ico([(rgba, 32, lambda x, y: True)], kind=2))


def dial_like():
    """A 288 x 284 face-sized GIF89a in 256 colours on white, for timing."""
    import math
    from PIL import ImageDraw, ImageFont
    im = Image.new("RGB", (288, 284), (255, 255, 255))
    dr = ImageDraw.Draw(im)
    try:
        font = ImageFont.truetype("DejaVuSans-BoldOblique.ttf", 26)
    except OSError:
        font = ImageFont.load_default()
    for h in range(12):
        a = h * math.pi / 6
        x, y = 144 + 111 * math.sin(a), 144 - 111 * math.cos(a)
        dr.ellipse((x - 5, y - 5, x + 5, y + 5), fill=(20, 20, 120), outline=(220, 0, 0), width=2)
        tx, ty = 144 + 88 * math.sin(a), 144 - 88 * math.cos(a)
        dr.text((tx, ty), str(h or 12), font=font, fill=(20, 20, 120), anchor="mm",
                stroke_width=1, stroke_fill=(255, 255, 255))
    for m in range(60):
        a = m * math.pi / 30
        dr.line((144 + 126 * math.sin(a), 144 - 126 * math.cos(a),
                 144 + 132 * math.sin(a), 144 - 132 * math.cos(a)), fill=(150, 150, 200), width=2)
    q = im.quantize(255, dither=Image.Dither.NONE)
    pal = q.getpalette()[:255 * 3] + [255, 255, 255]
    q.putpalette(pal)
    # White pixels take entry 255, the transparent one.
    px = q.load()
    rgb = im.load()
    for y in range(284):
        for x in range(288):
            if rgb[x, y] == (255, 255, 255):
                px[x, y] = 255
    q.save("dial_like.gif", interlace=False, transparency=255, optimize=False)


main()
dial_like()
