#!/usr/bin/python3
"""Draws the 52 background pictures that come with the clock: one baseline
JPEG of 288 x 288 for each picture item of the "更换背景" menu, written as
resources/image/<caption>.jpg, and the same drawing at 576 x 576 beside it,
<caption>@2x.jpg, which high-density screens show while <caption>.jpg is
still the one shipped.

Everything is drawn here from shapes, gradients and text: the twelve animals
of the zodiac (each figure a glyph of the colour emoji font, set in a scene of
its own), the four seasons and 23 famous sights as stylised scenes, and the
13 performers as title cards that carry the name and an emblem, never a
likeness. The clock's dial is drawn over the picture with its white left out,
so the numerals and hands sit on the picture itself: each scene keeps to light
tones and is veiled towards the middle, where the hands turn. The round window
shape shows only the inscribed circle: all that matters is drawn inside it, and
the rest is softened (see soften_outside_circle).

Every random choice comes from a generator seeded with the picture's number,
so two runs write the same bytes.

Needs python3-pil, fonts-wqy-zenhei, fonts-urw-base35, fonts-noto-color-emoji.
Run: /usr/bin/python3 tools/media/make_backgrounds.py [--sheet FILE.png]
"""
import math
import os
import random
import sys

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

SIZE = 288
K = 1  # the picture's size in multiples of SIZE (2 for the @2x files)
S = 3 * K  # drawn at three times the picture's size, then reduced: smooth edges
BIG = SIZE * S


def set_scale(k):
    """Draws the next pictures at k times SIZE; coordinates stay 0 ... 288."""
    global K, S, BIG
    K, S, BIG = k, 3 * k, SIZE * 3 * k

HERE = os.path.dirname(os.path.abspath(__file__))
OUT = os.path.normpath(os.path.join(HERE, "..", "..", "resources", "image"))

CJK_FONT = "/usr/share/fonts/truetype/wqy/wqy-zenhei.ttc"
EMOJI_FONT = "/usr/share/fonts/truetype/noto/NotoColorEmoji.ttf"
URW = "/usr/share/fonts/opentype/urw-base35/"


# ---------------------------------------------------------------------------
# Drawing helpers. Coordinates are in picture pixels (0 ... 288) at any K; the
# canvas is S times larger.

def sc(v):
    return int(round(v * S))


def pts(points):
    return [(x * S, y * S) for x, y in points]


def mix(a, b, t):
    t = max(0.0, min(1.0, t))
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


def ramp(stops, t):
    """Colour at t (0 ... 1) along [(t0, colour), (t1, colour) ...]."""
    if t <= stops[0][0]:
        return stops[0][1]
    for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
        if t <= t1:
            return mix(c0, c1, (t - t0) / (t1 - t0) if t1 > t0 else 1)
    return stops[-1][1]


# The round window shows the circle inscribed in the picture: pixel (x, y) when
# its centre (x + 0.5, y + 0.5) lies within SIZE / 2 of the middle. Whatever
# matters is drawn inside it, and outside it the picture fades into a blur of
# itself, so the square shapes still show the scene's colours in the corners
# but nothing the circle would cut into a stray fragment.
SOFT_FROM = SIZE / 2 - 4  # the blend starts just inside the rim
SOFT_TO = SIZE / 2 + 3    # and is whole a few pixels outside it
SOFT_BLUR = 10


def outside_circle_weight(x, y):
    """(x, y): a pixel of the picture at K times SIZE."""
    r = math.hypot((x + 0.5) / K - SIZE / 2, (y + 0.5) / K - SIZE / 2)
    return max(0.0, min(1.0, (r - SOFT_FROM) / (SOFT_TO - SOFT_FROM)))


def soften_outside_circle(img):
    n = SIZE * K
    # Mirrored on every side first, so the blur at the edges keeps their colour.
    tiled = Image.new("RGB", (n * 3, n * 3))
    for i in range(3):
        for j in range(3):
            tile = img if i == 1 else img.transpose(Image.FLIP_LEFT_RIGHT)
            tile = tile if j == 1 else tile.transpose(Image.FLIP_TOP_BOTTOM)
            tiled.paste(tile, (i * n, j * n))
    blurred = tiled.filter(ImageFilter.GaussianBlur(SOFT_BLUR * K)).crop((n, n, 2 * n, 2 * n))
    mask = Image.new("L", (n, n), 0)
    mask.putdata([int(round(255 * outside_circle_weight(x, y))) for y in range(n) for x in range(n)])
    out = img.copy()
    out.paste(blurred, (0, 0), mask)
    return out


class Pic:
    def __init__(self, seed):
        self.img = Image.new("RGB", (BIG, BIG), (255, 255, 255))
        self.d = ImageDraw.Draw(self.img)
        self.rng = random.Random(seed)

    # -- fills --
    def vgrad(self, y0, y1, stops, x0=0, x1=SIZE):
        a, b = sc(y0), sc(y1)
        for y in range(a, b):
            t = (y - a) / max(1, b - a - 1)
            self.d.line([(sc(x0), y), (sc(x1) - 1, y)], fill=ramp(stops, t))

    def grad_layer(self, y0, y1, stops):
        layer = Image.new("RGB", (BIG, BIG))
        d = ImageDraw.Draw(layer)
        a, b = sc(y0), sc(y1)
        for y in range(BIG):
            t = (y - a) / max(1, b - a)
            d.line([(0, y), (BIG - 1, y)], fill=ramp(stops, t))
        return layer

    def grad_poly(self, points, y0, y1, stops):
        mask = Image.new("L", (BIG, BIG), 0)
        ImageDraw.Draw(mask).polygon(pts(points), fill=255)
        self.img.paste(self.grad_layer(y0, y1, stops), (0, 0), mask)

    def poly(self, points, fill, outline=None, width=1):
        self.d.polygon(pts(points), fill=fill)
        if outline:
            self.line(list(points) + [points[0]], outline, width)

    def rect(self, x0, y0, x1, y1, fill):
        self.d.rectangle([sc(x0), sc(y0), sc(x1) - 1, sc(y1) - 1], fill=fill)

    def ellipse(self, cx, cy, rx, ry, fill, outline=None, width=1):
        self.d.ellipse([sc(cx - rx), sc(cy - ry), sc(cx + rx), sc(cy + ry)], fill=fill,
                       outline=outline, width=sc(width) if outline else 0)

    def circle(self, cx, cy, r, fill, **kw):
        self.ellipse(cx, cy, r, r, fill, **kw)

    def line(self, points, fill, width=1.0):
        self.d.line(pts(points), fill=fill, width=max(1, sc(width)), joint="curve")

    def arc(self, cx, cy, rx, ry, a0, a1, fill, width=1.0):
        self.d.arc([sc(cx - rx), sc(cy - ry), sc(cx + rx), sc(cy + ry)], a0, a1,
                   fill=fill, width=max(1, sc(width)))

    def glow(self, cx, cy, r, colour, strength=0.8):
        """A soft round light: a disc blurred into the picture."""
        mask = Image.new("L", (BIG, BIG), 0)
        ImageDraw.Draw(mask).ellipse([sc(cx - r), sc(cy - r), sc(cx + r), sc(cy + r)],
                                     fill=int(255 * strength))
        mask = mask.filter(ImageFilter.GaussianBlur(sc(r) * 0.6))
        self.img.paste(Image.new("RGB", (BIG, BIG), colour), (0, 0), mask)

    def haze(self, y0, y1, colour, strength):
        """A band of mist fading in from y0 and out towards y1."""
        mask = Image.new("L", (BIG, BIG), 0)
        d = ImageDraw.Draw(mask)
        a, b = sc(y0), sc(y1)
        for y in range(a, b):
            t = (y - a) / max(1, b - a)
            d.line([(0, y), (BIG - 1, y)], fill=int(255 * strength * math.sin(math.pi * t)))
        self.img.paste(Image.new("RGB", (BIG, BIG), colour), (0, 0), mask)

    # -- shapes --
    def ridge(self, x0, x1, base, amp, n=9, rough=0.55, peaks=None):
        """Points along a mountain ridge from x0 to x1, by midpoint displacement."""
        ys = [base + self.rng.uniform(-amp, amp) * 0.5, base + self.rng.uniform(-amp, amp) * 0.5]
        spread = amp
        for _ in range(n):
            out = []
            for a, b in zip(ys, ys[1:]):
                out += [a, (a + b) / 2 + self.rng.uniform(-spread, spread)]
            out.append(ys[-1])
            ys = out
            spread *= rough
            if len(ys) > 300:
                break
        step = (x1 - x0) / (len(ys) - 1)
        line = [(x0 + i * step, y) for i, y in enumerate(ys)]
        if peaks:
            line = [(x, y - sum(h * math.exp(-((x - px) / w) ** 2) for px, h, w in peaks))
                    for x, y in line]
        return line

    def mountain(self, ridge_points, stops, y_top, y_bottom=SIZE):
        poly = [(ridge_points[0][0], y_bottom)] + ridge_points + [(ridge_points[-1][0], y_bottom)]
        self.grad_poly(poly, y_top, y_bottom, stops)

    def cloud(self, cx, cy, w, colour=(255, 255, 255), puffs=6):
        for i in range(puffs):
            t = i / (puffs - 1) - 0.5
            r = w * (0.22 - 0.12 * abs(t)) * self.rng.uniform(0.85, 1.15)
            self.circle(cx + t * w * 0.8, cy - r * 0.35 + self.rng.uniform(-2, 2), r, colour)
        self.ellipse(cx, cy + w * 0.04, w * 0.48, w * 0.09, colour)

    def pine(self, x, base, h, colour, snow=None):
        w = h * 0.42
        for i in range(4):
            top = base - h + i * h * 0.2
            bot = top + h * 0.42
            half = w * (0.45 + i * 0.18)
            self.poly([(x, top), (x + half, bot), (x - half, bot)], colour)
            if snow:
                self.poly([(x, top), (x + half * 0.5, top + (bot - top) * 0.5),
                           (x - half * 0.55, top + (bot - top) * 0.55)], snow)
        self.rect(x - h * 0.04, base - h * 0.1, x + h * 0.04, base, (90, 60, 40))

    def round_tree(self, x, base, h, colour, trunk=(110, 80, 50)):
        self.rect(x - h * 0.05, base - h * 0.45, x + h * 0.05, base, trunk)
        r = h * 0.3
        for dx, dy, k in ((-0.5, 0.1, 0.8), (0.5, 0.1, 0.8), (0, -0.25, 1.0), (0, 0.15, 0.9)):
            self.circle(x + dx * r, base - h * 0.68 + dy * r, r * k, colour)

    def palm(self, x, base, h, lean, trunk, leaf):
        seg = []
        for i in range(11):
            t = i / 10
            seg.append((x + lean * t * t * h, base - h * t))
        self.line(seg, trunk, h * 0.05)
        tx, ty = seg[-1]
        for k in range(7):
            a = -math.pi + k * math.pi / 6 + self.rng.uniform(-0.15, 0.15)
            length = h * self.rng.uniform(0.38, 0.5)
            frond = []
            for j in range(8):
                u = j / 7
                frond.append((tx + math.cos(a) * length * u,
                              ty + math.sin(a) * length * u * 0.6 + (u * u) * length * 0.45))
            # A leaf widest near its middle, with leaflets hanging from it.
            widths = [h * 0.075 * math.sin(math.pi * (0.15 + 0.85 * j / 7)) + 0.8 for j in range(8)]
            ribbon(self, frond, widths, leaf, leaf)
            for j in range(2, 8):
                fx, fy = frond[j]
                drop = 4 + 5 * (1 - j / 8)
                self.line([(fx, fy), (fx + math.cos(a) * 3, fy + drop)], leaf, 1.1)
        self.circle(tx, ty, h * 0.03, mix(trunk, leaf, 0.5))

    def roof(self, cx, y, half, h, colour, lift=6, eave=None):
        """A Chinese roof: a curved slope with up-turned corners."""
        left, right = cx - half, cx + half
        top_half = half * 0.55
        shape = [(left - 4, y - lift)]
        for i in range(9):
            t = i / 8
            shape.append((left + (cx - top_half - left) * t, y - h * (t ** 1.6) * 0.98 - (1 - t) ** 3 * lift * 0.6))
        shape += [(cx - top_half, y - h), (cx + top_half, y - h)]
        for i in range(9):
            t = 1 - i / 8
            shape.append((right - (right - cx - top_half) * t, y - h * (t ** 1.6) * 0.98 - (1 - t) ** 3 * lift * 0.6))
        shape.append((right + 4, y - lift))
        shape.append((right - 2, y + 2))
        shape.append((left + 2, y + 2))
        self.poly(shape, colour)
        if eave:
            self.line([(left, y), (right, y)], eave, 1.5)

    def text(self, x, y, s, size, fill, font=CJK_FONT, anchor="mm", index=0, stroke=0, stroke_fill=None):
        f = ImageFont.truetype(font, sc(size), index=index)
        self.d.text((sc(x), sc(y)), s, font=f, fill=fill, anchor=anchor,
                    stroke_width=sc(stroke) if stroke else 0, stroke_fill=stroke_fill)

    def text_width(self, s, size, font=CJK_FONT, index=0):
        f = ImageFont.truetype(font, sc(size), index=index)
        return f.getlength(s) / S

    def emoji(self, char, cx, cy, height, mirror=False):
        """A colour emoji glyph as a figure, its feet at cy + height / 2."""
        f = ImageFont.truetype(EMOJI_FONT, 109)
        glyph = Image.new("RGBA", (160, 160), (0, 0, 0, 0))
        ImageDraw.Draw(glyph).text((10, 10), char, font=f, embedded_color=True)
        glyph = glyph.crop(glyph.getbbox())
        if mirror:
            glyph = glyph.transpose(Image.FLIP_LEFT_RIGHT)
        k = sc(height) / glyph.height
        glyph = glyph.resize((int(glyph.width * k), sc(height)), Image.LANCZOS)
        # A soft shadow on the ground under the figure.
        shadow = Image.new("L", (BIG, BIG), 0)
        ImageDraw.Draw(shadow).ellipse([sc(cx) - glyph.width * 0.45, sc(cy + height * 0.46),
                                        sc(cx) + glyph.width * 0.45, sc(cy + height * 0.56)], fill=70)
        shadow = shadow.filter(ImageFilter.GaussianBlur(sc(3)))
        self.img.paste((60, 50, 40), (0, 0), shadow)
        self.img.paste(glyph, (sc(cx) - glyph.width // 2, sc(cy) - glyph.height // 2), glyph)

    def seal(self, ch, x=50, y=50, size=28, colour=(196, 30, 36)):
        """A red seal carrying one character. By default at half past ten,
        between the dial's dots for 10 and 11 and inside the round window."""
        self.d.rounded_rectangle([sc(x), sc(y), sc(x + size), sc(y + size)], radius=sc(size * 0.15), fill=colour)
        self.d.rounded_rectangle([sc(x + 3), sc(y + 3), sc(x + size - 3), sc(y + size - 3)],
                                 radius=sc(4), outline=(255, 236, 210), width=sc(1.2))
        self.text(x + size / 2, y + size / 2 + 1, ch, size * 0.62, (255, 244, 228))

    # -- the finish --
    def finish(self, veil=(255, 255, 255), middle=0.38, overall=0.10, radius=58):
        """Reduces to K times 288 square, softens what lies outside the round
        window and veils the middle, where the hands turn."""
        n = SIZE * K
        img = soften_outside_circle(self.img.resize((n, n), Image.LANCZOS))
        mask = Image.new("L", (n, n), 0)
        # The distance in picture pixels from the middle (144, 144).
        mask.putdata([int(round(255 * (overall + middle * math.exp(-(math.hypot((x + 0.5) / K - 144, (y + 0.5) / K - 144) / radius) ** 2))))
                      for y in range(n) for x in range(n)])
        img.paste(Image.new("RGB", (n, n), veil), (0, 0), mask)
        return img


# ---------------------------------------------------------------------------
# The twelve animals of the zodiac: a landscape of their own, the figure in
# front, and a red seal with the animal's character above on the left.

SKY_DAY = [(0, (150, 200, 245)), (1, (225, 240, 250))]


def zodiac(ch, glyph, sky, scene, mirror, figure):
    """The sky, the animal's own scene, the figure standing below the middle."""
    def draw(p):
        p.vgrad(0, SIZE, sky)
        scene(p)
        p.emoji(glyph, 144, 196, figure, mirror)
        p.seal(ch)
    return draw


def rat_scene(p):
    p.glow(230, 60, 40, (255, 240, 200), 0.9)
    p.mountain(p.ridge(-10, 300, 170, 24), [(0, (200, 210, 160)), (1, (170, 190, 120))], 150, 200)
    p.vgrad(190, SIZE, [(0, (230, 200, 120)), (1, (215, 175, 95))])
    for i in range(60):
        x = p.rng.uniform(0, SIZE)
        y = p.rng.uniform(192, 205)
        p.line([(x, y + 18), (x + p.rng.uniform(-3, 3), y)], (200, 160, 70), 1.2)
        p.ellipse(x, y - 3, 1.6, 4.5, (225, 180, 80))


def ox_scene(p):
    p.mountain(p.ridge(-10, 300, 168, 30), [(0, (150, 190, 130)), (1, (120, 170, 100))], 140, 200)
    p.vgrad(185, SIZE, [(0, (170, 215, 120)), (1, (120, 185, 80))])
    p.line([(0, 205), (SIZE, 200)], (160, 120, 80), 2)
    for x in range(6, SIZE, 22):
        p.rect(x, 192, x + 4, 215, (150, 110, 70))
    for i in range(40):
        x, y = p.rng.uniform(0, SIZE), p.rng.uniform(215, 285)
        p.circle(x, y, 1.8, (250, 240, 120))


def tiger_scene(p):
    p.vgrad(185, SIZE, [(0, (150, 190, 90)), (1, (110, 160, 70))])
    for i in range(9):
        x = 8 + i * 34 + p.rng.uniform(-6, 6)
        c = (110 + p.rng.randint(-15, 15), 165 + p.rng.randint(-15, 15), 90)
        p.line([(x, SIZE), (x + p.rng.uniform(-8, 8), -5)], c, 6)
        for y in range(20, 200, 28):
            p.line([(x - 3, y), (x + 3, y)], (80, 130, 60), 1.2)
            a = p.rng.choice((-1, 1))
            p.poly([(x, y), (x + a * 26, y - 10), (x + a * 24, y - 4)], (90, 160, 80))


def rabbit_scene(p):
    p.circle(210, 70, 26, (255, 250, 225))
    p.glow(210, 70, 40, (255, 250, 220), 0.5)
    p.mountain(p.ridge(-10, 300, 172, 20), [(0, (170, 200, 190)), (1, (150, 190, 160))], 150, 200)
    p.vgrad(188, SIZE, [(0, (180, 220, 150)), (1, (140, 200, 120))])
    for i in range(30):
        x, y = p.rng.uniform(0, SIZE), p.rng.uniform(200, 285)
        c = p.rng.choice([(255, 255, 255), (250, 200, 220), (255, 230, 120)])
        for k in range(5):
            a = k * math.tau / 5
            p.circle(x + 2.5 * math.cos(a), y + 2.5 * math.sin(a), 1.8, c)
        p.circle(x, y, 1.2, (240, 180, 60))


def dragon_scene(p):
    for i in range(7):
        x, y = p.rng.uniform(10, 280), p.rng.uniform(20, 270)
        p.cloud(x, y, p.rng.uniform(60, 100), (255, 250, 240))
    for i in range(5):
        x, y = p.rng.uniform(20, 270), p.rng.uniform(30, 250)
        for k in range(3):
            p.arc(x, y, 10 + k * 5, 8 + k * 4, 180, 360, (230, 200, 150), 1.2)


def snake_scene(p):
    p.mountain(p.ridge(-10, 300, 165, 30), [(0, (230, 200, 150)), (1, (215, 180, 130))], 140, 200)
    p.vgrad(185, SIZE, [(0, (235, 215, 165)), (1, (220, 195, 140))])
    for i in range(25):
        x, y = p.rng.uniform(0, SIZE), p.rng.uniform(195, 285)
        p.ellipse(x, y, p.rng.uniform(2, 5), 1.6, (200, 170, 120))
    for x0, h in ((25, 70), (260, 60)):
        p.line([(x0, 230), (x0, 230 - h)], (110, 160, 90), 8)
        p.line([(x0, 200), (x0 - 14, 200), (x0 - 14, 180)], (110, 160, 90), 6)
        p.line([(x0, 190), (x0 + 12, 190), (x0 + 12, 172)], (110, 160, 90), 6)


def horse_scene(p):
    p.mountain(p.ridge(-10, 300, 172, 14), [(0, (160, 200, 170)), (1, (140, 190, 140))], 155, 200)
    p.vgrad(182, SIZE, [(0, (175, 215, 120)), (1, (120, 180, 80))])
    for i in range(60):
        x, y = p.rng.uniform(0, SIZE), p.rng.uniform(200, 288)
        p.line([(x, y), (x + p.rng.uniform(-2, 2), y - p.rng.uniform(4, 9))], (110, 165, 70), 1)
    p.cloud(112, 52, 70)
    p.cloud(212, 92, 70)


def sheep_scene(p):
    p.mountain(p.ridge(-10, 300, 160, 40, peaks=[(70, 20, 60)]),
               [(0, (180, 215, 150)), (1, (150, 200, 120))], 120, 200)
    p.mountain(p.ridge(-10, 300, 190, 20), [(0, (170, 210, 120)), (1, (140, 195, 100))], 170, SIZE)
    for x, y in ((40, 150), (72, 158), (232, 172)):
        for dx in (-4, -1.5, 2, 4.5):
            p.line([(x + dx, y + 2), (x + dx, y + 8)], (90, 80, 70), 1)
        p.ellipse(x, y, 8, 5, (250, 250, 245))
        p.ellipse(x + 8, y - 1, 3, 2.2, (90, 80, 70))
    p.cloud(196, 58, 72)


def monkey_scene(p):
    p.vgrad(170, SIZE, [(0, (120, 180, 100)), (1, (90, 150, 80))])
    p.line([(-5, 70), (120, 90), (200, 60), (300, 80)], (120, 90, 60), 5)
    for i in range(16):
        x = p.rng.uniform(0, SIZE)
        y = p.rng.uniform(60, 90)
        p.line([(x, y), (x + p.rng.uniform(-10, 10), y + p.rng.uniform(20, 70))], (90, 150, 70), 1.5)
    for x in (20, 268):
        p.rect(x - 8, 0, x + 8, SIZE, (130, 95, 60))
        for k in range(5):
            p.circle(x + p.rng.uniform(-25, 25), p.rng.uniform(0, 60), 24, (110, 170, 90))
    for i in range(6):
        x, y = p.rng.uniform(40, 250), p.rng.uniform(10, 45)
        p.circle(x, y, 22, (120, 180, 95))
    p.ellipse(230, 115, 6, 12, (250, 210, 70))
    p.ellipse(238, 113, 6, 12, (245, 200, 60))


def rooster_scene(p):
    p.glow(144, 178, 70, (255, 220, 150), 0.9)
    p.circle(144, 178, 30, (255, 205, 120))
    p.mountain(p.ridge(-10, 300, 180, 16), [(0, (190, 200, 150)), (1, (170, 190, 130))], 165, 200)
    p.vgrad(190, SIZE, [(0, (215, 200, 140)), (1, (190, 170, 110))])
    for x in range(0, SIZE, 16):
        p.rect(x + 2, 200, x + 8, 240, (200, 160, 110))
        p.poly([(x + 2, 200), (x + 5, 194), (x + 8, 200)], (200, 160, 110))
    p.rect(0, 210, SIZE, 214, (180, 140, 95))
    p.rect(0, 228, SIZE, 232, (180, 140, 95))


def dog_scene(p):
    p.mountain(p.ridge(-10, 300, 175, 18), [(0, (170, 205, 160)), (1, (150, 195, 140))], 155, 200)
    p.vgrad(188, SIZE, [(0, (170, 215, 120)), (1, (130, 190, 90))])
    p.rect(205, 120, 275, 185, (200, 110, 80))
    p.poly([(195, 122), (240, 90), (285, 122)], (150, 70, 60))
    p.ellipse(240, 160, 14, 20, (70, 50, 40))
    p.rect(226, 160, 254, 185, (70, 50, 40))
    p.circle(214, 62, 22, (255, 235, 160))


def pig_scene(p):
    p.mountain(p.ridge(-10, 300, 175, 20), [(0, (175, 205, 150)), (1, (150, 190, 120))], 150, 200)
    p.vgrad(188, SIZE, [(0, (200, 210, 140)), (1, (180, 190, 120))])
    p.ellipse(200, 250, 70, 18, (170, 130, 90))
    p.ellipse(200, 248, 62, 13, (150, 110, 75))
    for x in (0, 40, 80):
        p.rect(x + 18, 165, x + 22, 200, (170, 130, 90))
    p.line([(0, 175), (120, 175)], (170, 130, 90), 3)
    p.line([(0, 188), (120, 188)], (170, 130, 90), 3)
    p.circle(218, 66, 20, (255, 240, 180))


ANIMALS = [
    ("鼠", "\U0001F401", [(0, (190, 215, 240)), (1, (250, 240, 215))], rat_scene, False, 95),
    ("牛", "\U0001F402", SKY_DAY, ox_scene, False, 110),
    ("虎", "\U0001F405", [(0, (200, 225, 200)), (1, (225, 240, 215))], tiger_scene, False, 105),
    ("兔", "\U0001F407", [(0, (150, 160, 210)), (1, (230, 225, 245))], rabbit_scene, False, 100),
    ("龙", "\U0001F409", [(0, (255, 220, 170)), (0.6, (255, 235, 200)), (1, (250, 210, 180))], dragon_scene, False, 130),
    ("蛇", "\U0001F40D", [(0, (170, 205, 240)), (1, (250, 235, 205))], snake_scene, False, 95),
    ("马", "\U0001F40E", SKY_DAY, horse_scene, False, 115),
    ("羊", "\U0001F411", SKY_DAY, sheep_scene, False, 100),
    ("猴", "\U0001F412", [(0, (200, 230, 200)), (1, (230, 245, 215))], monkey_scene, False, 105),
    ("鸡", "\U0001F413", [(0, (250, 200, 160)), (1, (255, 235, 190))], rooster_scene, False, 110),
    ("狗", "\U0001F415", SKY_DAY, dog_scene, True, 105),
    ("猪", "\U0001F416", SKY_DAY, pig_scene, False, 100),
]


# ---------------------------------------------------------------------------
# The four seasons.

def spring_willows(p):
    p.vgrad(0, 175, [(0, (200, 230, 245)), (1, (240, 248, 235))])
    p.mountain(p.ridge(-10, 300, 165, 14), [(0, (185, 215, 195)), (1, (170, 205, 180))], 150, 180)
    for i in range(14):
        x, y = p.rng.uniform(120, 288), p.rng.uniform(165, 176)
        p.circle(x, y, p.rng.uniform(3, 6), (250, 200, 215))
    p.vgrad(176, SIZE, [(0, (190, 225, 235)), (1, (150, 200, 220))])
    for i in range(18):
        y = p.rng.uniform(182, 285)
        x = p.rng.uniform(0, 260)
        p.line([(x, y), (x + p.rng.uniform(15, 40), y)], (225, 245, 250), 1)
    # The willow: a leaning trunk and long hanging strands swaying one way.
    p.line([(30, SIZE), (38, 200), (52, 120), (48, 40)], (110, 85, 60), 9)
    p.line([(50, 110), (110, 60), (170, 30)], (110, 85, 60), 4)
    p.line([(48, 60), (20, 25)], (110, 85, 60), 3)
    for i in range(46):
        u = i / 45
        x0 = -5 + u * 215
        y0 = 30 + 28 * math.sin(u * math.pi) * -0.6 + 20 * (u - 0.5) ** 2 * 4
        length = p.rng.uniform(70, 190) * (1.1 - 0.5 * u)
        strand = []
        for k in range(12):
            t = k / 11
            strand.append((x0 + 14 * t * t + 3 * math.sin(t * 5 + i), y0 + length * t))
        green = mix((130, 190, 70), (175, 215, 95), p.rng.random())
        p.line(strand, green, 1.3)
        for k in range(2, 12):
            sx, sy = strand[k]
            p.ellipse(sx + 1.5, sy, 1.6, 3.2, green)
    for x, y in ((200, 70), (232, 92)):
        p.poly([(x - 12, y - 4), (x, y + 2), (x + 12, y - 6), (x + 2, y + 6), (x + 8, y + 14),
                (x, y + 6), (x - 4, y + 5)], (40, 45, 60))


def summer_island(p):
    p.vgrad(0, 165, [(0, (80, 165, 235)), (1, (200, 235, 250))])
    p.glow(218, 62, 36, (255, 255, 220), 1.0)
    p.circle(218, 62, 16, (255, 250, 200))
    p.cloud(86, 68, 80)
    p.cloud(150, 105, 60, (250, 252, 255))
    p.vgrad(165, SIZE, [(0, (60, 160, 210)), (1, (90, 210, 210))])
    for i in range(30):
        y = p.rng.uniform(170, 285)
        x = p.rng.uniform(0, 270)
        p.line([(x, y), (x + p.rng.uniform(10, 30), y)], (200, 240, 245), 1)
    p.ellipse(175, 205, 85, 16, (130, 215, 210))
    p.ellipse(175, 200, 72, 13, (245, 225, 170))
    p.ellipse(160, 190, 45, 14, (90, 170, 90))
    p.palm(190, 196, 95, -0.35, (140, 100, 60), (60, 140, 60))
    p.palm(160, 194, 70, 0.3, (140, 100, 60), (70, 155, 70))
    p.poly([(40, 230), (80, 230), (72, 240), (46, 240)], (245, 245, 245))
    p.poly([(60, 180), (60, 226), (84, 226)], (255, 255, 255))
    p.poly([(58, 188), (58, 226), (40, 226)], (250, 120, 100))


def autumn_path(p):
    p.vgrad(0, 170, [(0, (250, 225, 185)), (1, (255, 240, 210))])
    p.vgrad(150, SIZE, [(0, (225, 190, 120)), (1, (200, 150, 80))])
    p.poly([(135, 150), (153, 150), (250, SIZE), (40, SIZE)], (220, 195, 150))
    for side in (-1, 1):
        for k in range(6):
            t = k / 5
            x = 144 + side * (20 + 125 * t ** 1.5)
            base = 158 + 130 * t ** 1.2
            h = 30 + 190 * t
            w = 1.5 + 8 * t
            p.line([(x, base), (x + side * 2, base - h)], (100, 65, 45), w)
            for j in range(7):
                c = p.rng.choice([(225, 100, 40), (240, 150, 40), (200, 60, 40), (245, 190, 60)])
                p.circle(x + side * p.rng.uniform(-10, 30) * (0.4 + t), base - h + p.rng.uniform(-20, 25) * (0.3 + t),
                         (10 + 22 * t) * p.rng.uniform(0.7, 1.2), c)
    for i in range(40):
        x, y = p.rng.uniform(30, 260), p.rng.uniform(170, 288)
        c = p.rng.choice([(220, 90, 40), (240, 160, 50), (190, 60, 40)])
        p.ellipse(x, y, 3, 1.6, c)
    for i in range(10):
        x, y = p.rng.uniform(60, 230), p.rng.uniform(40, 150)
        p.ellipse(x, y, 2.6, 1.5, (230, 120, 40))


def northern_snow(p):
    p.vgrad(0, 180, [(0, (170, 200, 235)), (1, (235, 242, 252))])
    p.mountain(p.ridge(-10, 300, 140, 36, peaks=[(90, 40, 40), (210, 30, 50)]),
               [(0, (250, 252, 255)), (0.5, (210, 222, 240)), (1, (190, 205, 230))], 70, 190)
    p.glow(225, 60, 30, (255, 245, 225), 0.8)
    p.circle(225, 60, 13, (255, 235, 210))
    near = p.ridge(-10, 300, 180, 16, peaks=[(150, 18, 60)])
    p.mountain(near, [(0, (240, 245, 252)), (1, (215, 225, 240))], 160, 210)
    wall = [(x, min(near, key=lambda q: abs(q[0] - x))[1] + 3) for x in range(60, 260, 8)]
    p.line(wall, (150, 140, 140), 3.5)
    p.line([(x, y - 1.2) for x, y in wall], (250, 252, 255), 1.2)
    for x, y in wall[::8]:
        p.rect(x - 4, y - 9, x + 4, y + 1, (150, 140, 140))
        p.rect(x - 4, y - 10, x + 4, y - 8, (250, 252, 255))
    p.vgrad(200, SIZE, [(0, (245, 248, 255)), (1, (225, 232, 245))])
    for x, b, h in ((22, 250, 95), (58, 262, 70), (240, 255, 90), (272, 270, 75), (200, 215, 40), (100, 212, 32)):
        p.pine(x, b, h, (50, 100, 80), snow=(250, 252, 255))
    for i in range(90):
        x, y = p.rng.uniform(0, SIZE), p.rng.uniform(0, SIZE)
        p.circle(x, y, p.rng.uniform(0.8, 2.0), (255, 255, 255))


# ---------------------------------------------------------------------------
# The famous sights.

def taishan(p):
    p.vgrad(0, 200, [(0, (250, 200, 160)), (0.5, (255, 225, 185)), (1, (255, 240, 215))])
    p.glow(60, 110, 45, (255, 235, 180), 0.9)
    p.circle(60, 110, 16, (255, 205, 120))
    p.mountain(p.ridge(-10, 300, 150, 30), [(0, (200, 175, 185)), (1, (220, 200, 200))], 110, 200)
    peak = p.ridge(-10, 300, 150, 22, peaks=[(190, 85, 70)])
    p.mountain(peak, [(0, (130, 140, 160)), (1, (175, 175, 175))], 60, 240)
    p.haze(160, 230, (255, 250, 245), 0.8)
    p.mountain(p.ridge(-10, 300, 240, 25), [(0, (110, 130, 120)), (1, (90, 110, 100))], 215, SIZE)
    # The stairway climbing to the gate on the summit.
    top = min(peak, key=lambda q: q[1])
    stairs = [(150, 228), (175, 205), (160, 185), (182, 160), (172, 135), (186, 110), (top[0], top[1] + 14)]
    for (x0, y0), (x1, y1) in zip(stairs, stairs[1:]):
        n = int(math.hypot(x1 - x0, y1 - y0) / 4)
        for k in range(n):
            t = k / n
            x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
            p.line([(x - 2.2, y), (x + 2.2, y)], (250, 240, 225), 1.3)
    for i in range(30):
        x = p.rng.uniform(110, 260)
        y = p.rng.uniform(100, 220)
        if y > min(peak, key=lambda q: abs(q[0] - x))[1] + 8:
            p.ellipse(x, y, 3.5, 2.2, (95, 125, 105))
    gx, gy = top[0], top[1] + 8
    p.rect(gx - 12, gy - 4, gx + 12, gy + 8, (190, 50, 40))
    p.rect(gx - 4, gy, gx + 4, gy + 8, (90, 40, 30))
    p.roof(gx, gy - 4, 16, 7, (200, 160, 60))
    # The inscription stone, low on the left inside the round window.
    p.poly([(50, 244), (52, 214), (62, 207), (80, 211), (84, 244)], (170, 165, 150))
    # Two columns, read from the right.
    for i, ch in enumerate("五岳独尊"):
        p.text(74 - 12 * (i // 2), 222 + 13 * (i % 2), ch, 11, (190, 40, 40))


def great_wall(p):
    p.vgrad(0, 180, [(0, (140, 190, 240)), (1, (225, 240, 250))])
    p.cloud(204, 52, 64)
    far = p.ridge(-10, 300, 118, 24, peaks=[(60, 30, 40), (250, 20, 30)])
    p.mountain(far, [(0, (170, 195, 200)), (1, (185, 205, 200))], 80, 200)
    mid = p.ridge(-10, 300, 165, 30, peaks=[(215, 45, 45)])
    p.mountain(mid, [(0, (120, 170, 105)), (1, (100, 150, 90))], 110, SIZE)
    near = p.ridge(-10, 300, 245, 20, peaks=[(40, 35, 45)])
    p.mountain(near, [(0, (105, 155, 85)), (1, (85, 130, 70))], 200, SIZE)

    def height(ridge, x):
        return min(ridge, key=lambda q: abs(q[0] - x))[1]

    def wall(path, width, towers):
        """A wall along `path` with a walkway, battlements and watchtowers."""
        stone, shade, top = (222, 200, 160), (170, 148, 115), (238, 222, 190)
        p.line(path, shade, width + 3)
        p.line(path, stone, width)
        p.line([(x, y - width * 0.32) for x, y in path], top, width * 0.3)
        for (x0, y0), (x1, y1) in zip(path, path[1:]):
            n = max(1, int(math.hypot(x1 - x0, y1 - y0) / (width * 0.8)))
            for k in range(n):
                t = k / n
                x, y = x0 + (x1 - x0) * t, y0 + (y1 - y0) * t
                p.rect(x - width * 0.18, y - width * 0.95, x + width * 0.18, y - width * 0.45, stone)
        for i in towers:
            x, y = path[i]
            w = width * 1.5
            p.rect(x - w, y - w * 2.1, x + w, y + width * 0.4, stone)
            p.rect(x - w, y - w * 2.1, x - w * 0.6, y + width * 0.4, shade)
            for k in (-0.45, 0.45):
                p.rect(x + k * w - w * 0.17, y - w * 1.6, x + k * w + w * 0.17, y - w * 1.0, (110, 90, 70))
                p.ellipse(x + k * w, y - w * 1.6, w * 0.17, w * 0.12, (110, 90, 70))
            for k in range(5):
                bx = x - w + k * w * 0.45
                p.rect(bx, y - w * 2.45, bx + w * 0.25, y - w * 2.1, stone)

    # Far away along the ridge, then near, climbing to a tower on the peak.
    far_path = [(x, height(mid, x) + 4) for x in range(150, 300, 10)]
    wall(far_path, 5, [7])
    near_path = [(-10, 262), (20, height(near, 20) + 10), (40, height(near, 40) + 8), (62, height(near, 62) + 10),
                 (90, 236), (120, 222), (146, 205), (160, 190)]
    wall(near_path, 9, [3])
    wall([(160, 190)] + [(x, height(mid, x) + 4) for x in range(170, 151, -10)] + far_path[:1], 6, [])


def forbidden_city(p):
    p.vgrad(0, 200, [(0, (130, 180, 235)), (1, (225, 235, 245))])
    p.cloud(82, 58, 76)
    p.cloud(222, 74, 56)
    p.vgrad(196, 250, [(0, (200, 195, 190)), (1, (180, 175, 170))])
    for x in range(0, SIZE, 14):
        p.line([(x, 196), (144 + (x - 144) * 1.6, 250)], (190, 185, 180), 0.8)
    # Marble terraces.
    for i, (half, y) in enumerate(((140, 235), (120, 220), (100, 205))):
        p.rect(144 - half, y, 144 + half, y + 15, (240, 235, 225))
        p.line([(144 - half, y), (144 + half, y)], (200, 195, 185), 1.5)
        for x in range(int(144 - half), int(144 + half), 8):
            p.rect(x, y - 4, x + 2, y, (230, 225, 215))
    p.rect(0, 250, SIZE, SIZE, (200, 60, 45))
    p.rect(0, 248, SIZE, 252, (230, 180, 60))
    p.rect(124, 205, 164, 250, (235, 230, 220))
    # The hall: red columns under two tiers of golden roof.
    p.rect(62, 150, 226, 205, (185, 45, 35))
    for x in range(66, 226, 16):
        p.rect(x, 152, x + 5, 205, (160, 30, 25))
    p.rect(62, 148, 226, 156, (60, 110, 120))
    p.roof(144, 152, 100, 28, (235, 180, 50), lift=10, eave=(180, 120, 30))
    p.rect(84, 112, 204, 126, (185, 45, 35))
    p.rect(84, 111, 204, 116, (60, 110, 120))
    p.roof(144, 116, 78, 32, (240, 190, 60), lift=9, eave=(180, 120, 30))
    for x in range(80, 212, 9):
        p.line([(x, 90 + abs(x - 144) * 0.1), (x + 2, 114)], (215, 155, 40), 1)
    p.line([(100, 84), (188, 84)], (200, 140, 35), 3)


def west_lake(p):
    p.vgrad(0, 170, [(0, (200, 220, 230)), (1, (240, 242, 238))])
    p.mountain(p.ridge(-10, 300, 150, 20, peaks=[(90, 25, 50)]), [(0, (180, 195, 200)), (1, (200, 210, 210))], 110, 170)
    p.mountain(p.ridge(-10, 300, 165, 14, peaks=[(225, 30, 40)]), [(0, (140, 170, 160)), (1, (160, 185, 175))], 120, 175)
    # Leifeng pagoda on its hill.
    x, base = 225, 140
    for i in range(5):
        w = 13 - i * 1.8
        y = base - i * 12
        p.rect(x - w * 0.8, y - 10, x + w * 0.8, y, (200, 140, 90))
        p.roof(x, y - 9, w + 3, 4, (120, 80, 60), lift=3)
    p.line([(x, base - 62), (x, base - 72)], (120, 80, 60), 1.5)
    p.vgrad(170, SIZE, [(0, (205, 225, 228)), (1, (170, 205, 210))])
    for i in range(25):
        y = p.rng.uniform(175, 285)
        x0 = p.rng.uniform(0, 260)
        p.line([(x0, y), (x0 + p.rng.uniform(10, 35), y)], (230, 240, 242), 1)
    # The Broken Bridge: a low stone arch.
    p.poly([(10, 190), (50, 176), (100, 176), (140, 190), (140, 195), (10, 195)], (235, 230, 220))
    p.ellipse(75, 196, 22, 14, (190, 210, 215))
    p.line([(10, 190), (50, 176), (100, 176), (140, 190)], (160, 150, 140), 1.5)
    # Three stone lanterns of the Three Pools.
    for x in (120, 160, 200):
        p.ellipse(x, 218, 4, 8, (150, 150, 145))
        p.circle(x, 208, 3, (150, 150, 145))
    # Lotus low on the right, willow strands at the top.
    for x, y, r in ((214, 240, 22), (250, 223, 18), (179, 260, 16), (254, 263, 15)):
        p.ellipse(x, y, r, r * 0.45, (90, 150, 90))
    p.poly([(226, 216), (221, 200), (229, 192), (237, 200), (232, 216)], (245, 150, 180))
    for i in range(26):
        x0 = -5 + i * 4.5
        length = 120 - i * 3.5 + p.rng.uniform(-15, 15)
        p.line([(x0, -2), (x0 + 5, length * 0.5), (x0 + 8, length)], (140, 190, 90), 1.2)


def huangshan(p):
    p.vgrad(0, SIZE, [(0, (220, 225, 230)), (1, (245, 244, 240))])
    for x, w, h, c in ((40, 30, 150, (170, 175, 180)), (95, 22, 190, (150, 155, 160)), (130, 18, 120, (185, 188, 190)),
                       (200, 34, 210, (130, 135, 140)), (250, 22, 160, (160, 165, 170)), (280, 30, 120, (175, 180, 182))):
        top = SIZE - h - 20
        side = []
        for k in range(9):
            t = k / 8
            side.append((x - w * (0.3 + 0.7 * t) + p.rng.uniform(-2, 2), top + t * (h + 40)))
        other = [(x + w * (0.3 + 0.7 * t) + p.rng.uniform(-2, 2), top + t * (h + 40)) for t in (k / 8 for k in range(8, -1, -1))]
        p.grad_poly(side + other, top, top + h, [(0, c), (1, mix(c, (235, 235, 235), 0.6))])
        p.ellipse(x, top + 2, w * 0.3, 4, c)
        for k in range(3):
            px = x + p.rng.uniform(-w * 0.3, w * 0.3)
            py = top + p.rng.uniform(5, 40)
            p.ellipse(px, py, 7, 2.2, (60, 100, 70))
    p.haze(170, 270, (255, 255, 255), 0.95)
    p.haze(200, 288, (250, 250, 250), 0.9)
    # The welcoming pine on its rock.
    p.poly([(0, 210), (30, 190), (70, 198), (85, 230), (0, 240)], (120, 120, 120))
    p.line([(40, 196), (46, 160), (40, 130)], (90, 70, 55), 5)
    p.line([(44, 165), (80, 150), (110, 148)], (90, 70, 55), 3)
    for x, y, w in ((40, 128, 22), (70, 146, 20), (105, 144, 18), (30, 150, 14), (55, 118, 14)):
        p.ellipse(x, y, w, 5, (50, 95, 60))
        p.ellipse(x, y - 2, w * 0.8, 3, (70, 120, 80))


def three_gorges(p):
    p.vgrad(0, 200, [(0, (190, 210, 220)), (1, (240, 240, 232))])
    p.mountain(p.ridge(80, 210, 150, 20, peaks=[(145, 30, 20)]), [(0, (190, 200, 205)), (1, (215, 220, 220))], 100, 200)
    p.vgrad(196, SIZE, [(0, (200, 222, 218)), (1, (140, 180, 182))])
    left = [(-5, 0), (70, 30), (95, 110), (120, 175), (138, 200), (60, 262), (-5, 290)]
    right = [(293, 10), (230, 40), (200, 100), (175, 170), (155, 200), (235, 265), (293, 290)]
    p.grad_poly(left, 0, 250, [(0, (90, 120, 100)), (1, (140, 160, 140))])
    p.grad_poly(right, 0, 250, [(0, (100, 125, 110)), (1, (150, 170, 150))])
    for i in range(20):
        x, y = p.rng.uniform(0, 80), p.rng.uniform(30, 220)
        p.ellipse(x, y, 6, 3, (80, 120, 85))
        x, y = p.rng.uniform(215, 288), p.rng.uniform(40, 230)
        p.ellipse(x, y, 6, 3, (85, 125, 90))
    for i in range(16):
        y = p.rng.uniform(205, 285)
        x0 = 144 + (p.rng.random() - 0.5) * (y - 190) * 1.4
        p.line([(x0, y), (x0 + p.rng.uniform(6, 18), y)], (215, 232, 230), 1)
    p.haze(150, 230, (245, 245, 240), 0.7)
    # A junk sailing up the river.
    p.poly([(105, 245), (165, 245), (155, 255), (115, 255)], (110, 80, 60))
    p.poly([(135, 243), (135, 200), (160, 240)], (230, 200, 150))
    p.poly([(132, 243), (132, 212), (114, 240)], (220, 185, 140))


def weeping_willow(p, x, base, h):
    p.line([(x, base), (x + 2, base - h * 0.55), (x - 3, base - h * 0.85)], (110, 85, 60), h * 0.06)
    p.line([(x + 1, base - h * 0.55), (x + h * 0.25, base - h * 0.8)], (110, 85, 60), h * 0.03)
    for i in range(30):
        u = i / 29
        x0 = x - h * 0.45 + u * h * 0.9
        y0 = base - h * (0.75 + 0.2 * math.sin(u * math.pi))
        length = h * p.rng.uniform(0.35, 0.7)
        strand = [(x0 + 4 * t * t, y0 + length * t) for t in (k / 6 for k in range(7))]
        green = mix((130, 185, 80), (175, 215, 110), p.rng.random())
        p.line(strand, green, 1.2)
        for sx, sy in strand[1:]:
            p.ellipse(sx + 1, sy, 1.4, 2.8, green)


def baotu_spring(p):
    p.vgrad(0, 150, [(0, (185, 215, 235)), (1, (235, 242, 240))])
    # The pavilion behind the pool, willows on either side.
    p.rect(196, 138, 262, 150, (215, 210, 200))
    for x in (202, 226, 250):
        p.rect(x - 2.5, 96, x + 2.5, 140, (170, 45, 40))
    p.rect(196, 96, 256, 102, (175, 60, 45))
    p.roof(226, 98, 40, 34, (70, 95, 110), lift=10)
    p.circle(226, 62, 3.5, (200, 160, 60))
    weeping_willow(p, 40, 150, 120)
    weeping_willow(p, 140, 150, 90)
    p.rect(0, 148, SIZE, 160, (200, 195, 185))
    p.vgrad(160, SIZE, [(0, (120, 200, 200)), (1, (80, 170, 180))])
    for i in range(30):
        y = p.rng.uniform(165, 285)
        x0 = p.rng.uniform(0, 260)
        p.line([(x0, y), (x0 + p.rng.uniform(10, 28), y)], (180, 230, 230), 1)
    # Three springs boiling up side by side.
    for x in (88, 136, 184):
        p.ellipse(x, 228, 26, 9, (190, 235, 235))
        for k in range(7):
            a = k / 6
            p.circle(x + (a - 0.5) * 24, 218 - math.sin(a * math.pi) * 16, 7.5, (245, 252, 252))
        p.circle(x, 204, 9, (255, 255, 255))
    # The stone railing in front, and the stele carved with the spring's name.
    p.rect(0, 262, SIZE, 268, (235, 232, 225))
    for x in range(0, SIZE, 24):
        p.rect(x + 2, 256, x + 8, SIZE, (225, 222, 215))
    p.rect(212, 194, 234, 240, (150, 150, 145))
    p.rect(214, 196, 232, 238, (170, 170, 165))
    p.ellipse(223, 194, 11, 4, (150, 150, 145))
    p.rect(208, 238, 238, 244, (140, 140, 135))
    for i, ch in enumerate("趵突泉"):
        p.text(223, 204 + i * 13, ch, 11.5, (60, 60, 70))


def big_wild_goose_pagoda(p):
    p.vgrad(0, 240, [(0, (245, 215, 175)), (1, (255, 240, 215))])
    p.glow(235, 180, 40, (255, 230, 180), 0.7)
    cx = 144
    for i in range(7):
        w = 52 - i * 5.5
        y = 240 - i * 27
        p.rect(cx - w, y - 24, cx + w, y, (195, 160, 115))
        p.rect(cx - w, y - 24, cx - w + 4, y, (170, 135, 95))
        p.rect(cx - 4, y - 19, cx + 4, y - 7, (110, 80, 60))
        p.ellipse(cx, y - 19, 4, 4, (110, 80, 60))
        p.rect(cx - w - 4, y - 27, cx + w + 4, y - 23, (160, 120, 85))
    p.poly([(cx - 15, 54), (cx, 26), (cx + 15, 54)], (170, 130, 90))
    p.line([(cx, 26), (cx, 14)], (140, 100, 70), 2)
    p.rect(0, 240, SIZE, SIZE, (210, 195, 170))
    p.rect(cx - 70, 236, cx + 70, 248, (185, 160, 125))
    for x, y in ((64, 66), (84, 78), (104, 90), (49, 81), (39, 98)):
        p.line([(x - 7, y - 4), (x, y), (x + 7, y - 4)], (90, 80, 80), 1.5)
    p.round_tree(30, 255, 70, (110, 155, 90))
    p.round_tree(262, 258, 75, (100, 145, 85))


def sun_moon_lake(p):
    p.vgrad(0, 160, [(0, (175, 210, 235)), (1, (240, 240, 230))])
    p.glow(60, 55, 35, (255, 235, 170), 0.9)
    p.circle(60, 55, 18, (255, 215, 110))
    p.circle(228, 52, 16, (250, 250, 235))
    p.circle(236, 46, 15, mix((175, 210, 235), (240, 240, 230), 0.3))
    p.mountain(p.ridge(-10, 300, 140, 30, peaks=[(230, 30, 40)]), [(0, (120, 165, 140)), (1, (150, 185, 160))], 90, 175)
    p.mountain(p.ridge(-10, 300, 165, 15), [(0, (90, 140, 110)), (1, (110, 155, 120))], 140, 180)
    # Ci'en pagoda on the far hill.
    x = 230
    for i in range(5):
        p.rect(x - 4 + i * 0.5, 116 - i * 8, x + 4 - i * 0.5, 122 - i * 8, (240, 230, 210))
        p.line([(x - 7 + i, 116 - i * 8), (x + 7 - i, 116 - i * 8)], (200, 100, 60), 1.5)
    p.vgrad(175, SIZE, [(0, (110, 175, 175)), (1, (70, 140, 150))])
    p.ellipse(150, 195, 22, 6, (100, 150, 100))
    p.ellipse(150, 192, 14, 5, (120, 170, 110))
    p.line([(60, 230), (225, 230)], (100, 160, 165), 1)
    for i in range(28):
        y = p.rng.uniform(185, 285)
        x0 = p.rng.uniform(0, 260)
        p.line([(x0, y), (x0 + p.rng.uniform(10, 25), y)], (170, 215, 215), 1)
    for k in range(10):
        y = 180 + k * 5 + p.rng.uniform(-1, 1)
        w = (5 + k * 2) * p.rng.uniform(0.5, 1.1)
        dx = p.rng.uniform(-4, 4)
        p.line([(60 + dx - w, y), (60 + dx + w, y)], (250, 225, 160), 1.3)
    p.poly([(200, 250), (250, 250), (242, 258), (208, 258)], (150, 90, 50))
    p.line([(225, 250), (225, 230)], (120, 80, 50), 1.2)


def yuanmingyuan(p):
    p.vgrad(0, 200, [(0, (245, 205, 185)), (1, (252, 238, 220))])
    p.mountain(p.ridge(-10, 300, 185, 12), [(0, (170, 190, 160)), (1, (150, 175, 140))], 170, 205)
    p.vgrad(200, SIZE, [(0, (175, 195, 130)), (1, (150, 175, 110))])
    stone = (225, 215, 195)
    shade = (175, 165, 150)
    # The broken arch of the great fountain.
    p.rect(80, 110, 104, 240, stone)
    p.rect(184, 128, 208, 240, stone)
    p.rect(100, 110, 104, 240, shade)
    p.rect(184, 128, 188, 240, shade)
    p.arc(144, 150, 58, 52, 180, 250, stone, 16)
    p.arc(144, 150, 58, 52, 300, 360, stone, 16)
    p.poly([(76, 100), (108, 100), (104, 112), (80, 112)], stone)
    p.poly([(180, 120), (212, 118), (208, 130), (184, 130)], stone)
    for x, h in ((30, 120), (255, 90), (52, 70)):
        p.rect(x - 8, 240 - h, x + 8, 240, stone)
        p.rect(x - 8, 240 - h, x - 4, 240, shade)
        for k in range(3):
            p.line([(x - 5 + k * 5, 240 - h), (x - 5 + k * 5, 240)], shade, 1)
        p.poly([(x - 11, 240 - h), (x + 11, 240 - h - 4), (x + 9, 232 - h), (x - 10, 234 - h)], stone)
    for x, y, w in ((120, 248, 26), (170, 258, 20), (230, 252, 30), (60, 262, 22)):
        p.poly([(x - w / 2, y), (x + w / 2, y - 4), (x + w / 2, y + 8), (x - w / 2, y + 10)], stone)
        p.line([(x - w / 2, y + 10), (x + w / 2, y + 8)], shade, 1.5)
    p.rect(60, 238, 228, 244, shade)


def yellow_crane_tower(p):
    p.vgrad(0, 230, [(0, (170, 205, 235)), (1, (240, 240, 230))])
    p.cloud(214, 58, 60)
    p.mountain(p.ridge(-10, 300, 230, 14, peaks=[(144, 20, 80)]), [(0, (120, 160, 110)), (1, (100, 140, 95))], 200, SIZE)
    p.vgrad(255, SIZE, [(0, (170, 200, 205)), (1, (150, 185, 195))])
    cx = 150
    for i in range(5):
        w = 46 - i * 6
        y = 225 - i * 30
        p.rect(cx - w * 0.78, y - 22, cx + w * 0.78, y, (190, 60, 45))
        for k in range(-2, 3):
            p.rect(cx + k * w * 0.3 - 2, y - 18, cx + k * w * 0.3 + 2, y - 4, (245, 225, 190))
        p.roof(cx, y - 20, w, 11, (235, 185, 50), lift=7, eave=(180, 120, 30))
    p.poly([(cx - 8, 86), (cx, 62), (cx + 8, 86)], (235, 185, 50))
    p.line([(cx, 62), (cx, 50)], (180, 120, 30), 2)
    # A crane in flight.
    x, y = 74, 80
    p.poly([(x - 30, y - 14), (x - 4, y), (x + 6, y - 2), (x + 26, y - 24), (x + 10, y + 2), (x - 4, y + 4)], (252, 252, 250))
    p.line([(x + 6, y + 1), (x + 22, y + 6), (x + 30, y + 4)], (250, 250, 250), 2)
    p.circle(x + 30, y + 4, 2, (200, 40, 40))
    p.line([(x - 6, y + 3), (x - 30, y + 10)], (60, 60, 60), 1.2)
    p.line([(x - 30, y - 14), (x - 18, y - 6)], (40, 40, 40), 2)


def terracotta_army(p):
    p.vgrad(0, SIZE, [(0, (225, 200, 170)), (1, (205, 175, 140))])
    rows = [(95, 0.55), (140, 0.7), (195, 0.88), (265, 1.1)]
    for ry, k in rows:
        p.rect(0, ry - 62 * k, SIZE, ry - 56 * k, (200, 175, 145))
        step = 34 * k
        n = int(SIZE / step) + 2
        off = p.rng.uniform(0, step)
        for i in range(n):
            x = off + i * step - step
            tone = mix((165, 110, 75), (195, 140, 100), p.rng.random())
            dark = mix(tone, (90, 60, 40), 0.35)
            h = 58 * k
            p.poly([(x - 9 * k, ry - h * 0.62), (x + 9 * k, ry - h * 0.62), (x + 11 * k, ry - h * 0.12),
                    (x - 11 * k, ry - h * 0.12)], tone)
            p.rect(x - 8 * k, ry - h * 0.12, x - 2 * k, ry, dark)
            p.rect(x + 2 * k, ry - h * 0.12, x + 8 * k, ry, dark)
            p.rect(x - 10 * k, ry - h * 0.45, x + 10 * k, ry - h * 0.40, dark)
            p.ellipse(x, ry - h * 0.74, 5.5 * k, 7 * k, tone)
            p.ellipse(x + 2 * k, ry - h * 0.86, 3 * k, 2.4 * k, dark)
            p.rect(x - 12 * k, ry - h * 0.6, x - 9 * k, ry - h * 0.3, dark)
            p.rect(x + 9 * k, ry - h * 0.6, x + 12 * k, ry - h * 0.3, dark)
        p.rect(0, ry, SIZE, ry + 5, (190, 160, 125))


def huangguoshu_falls(p):
    p.vgrad(0, 80, [(0, (190, 220, 235)), (1, (230, 240, 235))])
    p.grad_poly([(-5, 50), (60, 55), (75, 200), (60, SIZE), (-5, SIZE)], 50, SIZE, [(0, (80, 140, 90)), (1, (60, 110, 75))])
    p.grad_poly([(293, 45), (225, 58), (215, 200), (235, SIZE), (293, SIZE)], 45, SIZE, [(0, (90, 150, 95)), (1, (65, 115, 80))])
    p.rect(60, 55, 228, 200, (215, 235, 240))
    for i in range(140):
        x = p.rng.uniform(62, 226)
        y0 = p.rng.uniform(55, 120)
        p.line([(x, y0), (x + p.rng.uniform(-1, 1), y0 + p.rng.uniform(40, 130))],
               p.rng.choice([(255, 255, 255), (235, 245, 250), (200, 225, 235)]), p.rng.uniform(0.8, 2.2))
    brink = p.ridge(50, 238, 52, 6, n=6)
    p.mountain(brink, [(0, (95, 150, 95)), (1, (80, 135, 85))], 40, 62, )
    p.rect(50, 58, 238, 62, (80, 135, 85))
    for i in range(14):
        x = 52 + i * 13.5 + p.rng.uniform(-3, 3)
        p.circle(x, p.rng.uniform(44, 52), p.rng.uniform(6, 10), mix((80, 140, 85), (120, 170, 100), p.rng.random()))
    p.vgrad(200, SIZE, [(0, (150, 205, 200)), (1, (110, 175, 175))], x0=55, x1=235)
    p.haze(170, 250, (255, 255, 255), 0.9)
    for k, c in enumerate(((240, 120, 120), (250, 200, 110), (240, 240, 120), (140, 210, 140), (130, 170, 240), (180, 140, 220))):
        p.arc(150, 270, 95 - k * 3, 70 - k * 3, 200, 340, mix(c, (255, 255, 255), 0.35), 3)


def everest(p):
    p.vgrad(0, 200, [(0, (60, 120, 200)), (0.6, (150, 190, 235)), (1, (220, 232, 245))])
    p.mountain(p.ridge(-10, 300, 150, 20, peaks=[(40, 20, 40), (260, 30, 40)]),
               [(0, (225, 232, 245)), (1, (180, 195, 215))], 110, 200)
    # The summit pyramid: a sunlit snow face on the left, a steep face of
    # dark rock streaked with snow on the right.
    left_ridge = [(-10, 226), (20, 200), (60, 160), (85, 140), (100, 112), (118, 98), (132, 70), (146, 50)]
    right_ridge = [(146, 50), (160, 62), (176, 76), (186, 92), (206, 108), (228, 140), (262, 168), (300, 200), (300, 226)]
    p.grad_poly(left_ridge + right_ridge, 50, 200, [(0, (250, 252, 255)), (1, (215, 225, 240))])
    rock = [(146, 50), (160, 62), (176, 76), (186, 92), (206, 108), (228, 140), (262, 168), (300, 200),
            (300, 226), (176, 226), (170, 200), (158, 150), (150, 100)]
    p.grad_poly(rock, 50, 200, [(0, (110, 110, 130)), (1, (150, 150, 170))])
    for i in range(16):
        y = p.rng.uniform(70, 190)
        x = 160 + (y - 60) * p.rng.uniform(0.1, 0.8)
        p.line([(x, y), (x + p.rng.uniform(6, 14), y + p.rng.uniform(8, 18))], (235, 240, 250), p.rng.uniform(1.5, 3))
    p.line([(146, 50), (150, 100), (158, 150), (170, 200)], (200, 210, 228), 1.2)
    for i in range(10):
        y = p.rng.uniform(80, 190)
        x = 146 - (y - 50) * p.rng.uniform(0.2, 0.7)
        p.line([(x, y), (x + p.rng.uniform(8, 20), y + p.rng.uniform(-2, 3))], (200, 212, 232), 1)
    # The plume of snow blown from the summit.
    for k in range(6):
        p.ellipse(175 + k * 14, 46 + k * 3, 16 - k, 5, (250, 250, 255))
    p.mountain(p.ridge(-10, 300, 215, 14), [(0, (160, 140, 120)), (1, (130, 115, 100))], 195, SIZE)
    # Prayer flags strung across the foreground.
    colours = [(60, 110, 220), (250, 250, 250), (220, 60, 50), (60, 170, 90), (245, 200, 50)]
    line = [(0, 230), (SIZE, 190)]
    p.line(line, (90, 80, 70), 1)
    for i in range(18):
        t = (i + 0.5) / 18
        x, y = t * SIZE, 230 - 40 * t + 6 * math.sin(t * math.pi)
        p.poly([(x - 6, y), (x + 6, y - 1), (x + 6, y + 14), (x - 6, y + 15)], colours[i % 5])


def pyramids(p):
    p.vgrad(0, 200, [(0, (250, 200, 140)), (0.7, (255, 230, 180)), (1, (255, 240, 205))])
    p.glow(70, 90, 42, (255, 240, 200), 0.9)
    p.circle(70, 90, 20, (255, 225, 150))
    p.vgrad(190, SIZE, [(0, (235, 200, 140)), (1, (215, 170, 105))])
    for x, base, half in ((220, 200, 55), (60, 196, 40), (165, 198, 90)):
        top = base - half * 0.95
        p.poly([(x - half, base), (x, top), (x + half * 0.25, base)], (235, 195, 125))
        p.poly([(x + half * 0.25, base), (x, top), (x + half, base)], (195, 150, 90))
        for k in range(1, 6):
            yy = top + (base - top) * k / 6
            dx = half * k / 6
            p.line([(x - dx, yy), (x + dx * 0.25, yy)], (220, 180, 110), 0.8)
    p.mountain(p.ridge(-10, 300, 235, 12), [(0, (230, 190, 125)), (1, (210, 165, 100))], 220, SIZE)
    # A camel walking by.
    x, y = 84, 246
    c = (120, 80, 50)
    p.ellipse(x, y - 28, 20, 9, c)
    p.ellipse(x - 2, y - 36, 10, 9, c)
    p.poly([(x + 14, y - 32), (x + 24, y - 46), (x + 28, y - 50), (x + 32, y - 48), (x + 24, y - 36), (x + 20, y - 24)], c)
    p.ellipse(x + 33, y - 49, 6, 3.2, c)
    for dx, lean in ((-15, -2), (-9, 2), (10, -2), (16, 2)):
        p.line([(x + dx, y - 24), (x + dx + lean, y - 10), (x + dx, y)], c, 2.4)
    p.line([(x - 19, y - 30), (x - 24, y - 18)], c, 1.5)
    p.ellipse(x + 10, y + 1, 32, 3, (205, 160, 100))


def mount_fuji(p):
    p.vgrad(0, 200, [(0, (120, 175, 235)), (1, (225, 238, 250))])
    cone = [(-10, 205), (60, 170), (118, 78), (170, 78), (228, 170), (298, 205)]
    p.grad_poly(cone, 78, 205, [(0, (110, 120, 175)), (1, (150, 170, 200))])
    snow = [(118, 78), (170, 78), (196, 112), (185, 108), (176, 122), (166, 110), (156, 126), (146, 112),
            (136, 128), (126, 110), (114, 120), (102, 108), (92, 112)]
    p.poly(snow, (250, 252, 255))
    p.rect(0, 200, SIZE, SIZE, (150, 190, 220))
    p.vgrad(200, SIZE, [(0, (170, 200, 225)), (1, (120, 170, 210))])
    for i in range(30):
        y = p.rng.uniform(205, 285)
        x0 = p.rng.uniform(0, 260)
        p.line([(x0, y), (x0 + p.rng.uniform(10, 35), y)], (210, 230, 245), 1)
    p.poly([(118, 278), (170, 278), (196, 244), (92, 244)], (200, 215, 235))
    # Cherry blossoms hanging into the picture.
    p.line([(-5, 30), (50, 40), (90, 20)], (100, 70, 60), 3)
    p.line([(293, 60), (240, 50), (210, 25)], (100, 70, 60), 3)
    for cx, cy, spread in ((40, 35, 45), (250, 45, 45)):
        for i in range(40):
            x = cx + p.rng.uniform(-spread, spread)
            y = cy + p.rng.uniform(-25, 30)
            p.circle(x, y, p.rng.uniform(3, 6), p.rng.choice([(250, 200, 215), (245, 180, 200), (255, 225, 232)]))


def hawaii(p):
    p.vgrad(0, 180, [(0, (150, 120, 190)), (0.45, (240, 140, 140)), (0.8, (255, 190, 120)), (1, (255, 215, 150))])
    p.glow(120, 172, 50, (255, 220, 150), 0.9)
    p.circle(120, 172, 24, (255, 210, 120))
    p.mountain([(150, 180), (185, 150), (200, 140), (230, 138), (255, 150), (300, 165)],
               [(0, (150, 90, 110)), (1, (170, 110, 120))], 138, 185)
    p.vgrad(180, SIZE, [(0, (230, 150, 140)), (1, (120, 130, 180))])
    for i in range(14):
        y = 182 + i * 4
        w = 10 + i * 3
        p.line([(120 - w, y), (120 + w, y)], (255, 215, 150), 1.4)
    p.grad_poly([(-5, 250), (120, 262), (293, 240), (293, SIZE), (-5, SIZE)], 240, SIZE,
                [(0, (240, 205, 160)), (1, (230, 190, 140))])
    p.line([(-5, 250), (120, 262), (293, 240)], (255, 250, 245), 2)
    p.palm(250, 285, 150, -0.5, (90, 55, 60), (70, 50, 65))
    p.palm(275, 280, 110, -0.2, (90, 55, 60), (70, 50, 65))
    for x, c in ((195, (90, 180, 200)), (210, (250, 210, 80))):
        p.ellipse(x, 260, 5, 22, c)
    # A hibiscus low on the left.
    cx, cy = 76, 228
    for k in range(5):
        a = k * math.tau / 5 - math.pi / 2
        p.circle(cx + 14 * math.cos(a), cy + 14 * math.sin(a), 12, (230, 50, 70))
    p.circle(cx, cy, 7, (180, 20, 50))
    p.line([(cx, cy), (cx + 16, cy - 16)], (250, 220, 80), 2)


def venice(p):
    p.vgrad(0, 140, [(0, (170, 205, 235)), (1, (245, 240, 230))])
    colours = [(235, 190, 140), (220, 140, 110), (240, 215, 170), (210, 120, 100), (245, 200, 160)]
    # The Rialto bridge far down the canal.
    p.poly([(95, 150), (144, 128), (193, 150), (193, 160), (95, 160)], (240, 230, 215))
    p.ellipse(144, 162, 26, 16, (150, 190, 200))
    for side in (-1, 1):
        for k in range(4):
            t = k / 3
            x_near = 144 + side * (60 + 85 * t)
            x_far = 144 + side * (60 + 85 * (t + 0.34))
            top = 90 - 70 * t
            bot = 165 + 120 * (t + 0.3)
            quad = [(x_near, top), (x_far, top - 23), (x_far, bot), (x_near, 165 + 90 * t)]
            c = colours[(k + (side > 0) * 2) % 5]
            p.poly(quad, c)
            for row in range(3):
                for col in range(2):
                    u = (col + 0.5) / 2.2
                    wx = x_near + (x_far - x_near) * (0.15 + u * 0.7)
                    wy = top + 18 + row * (30 + 10 * t) - 23 * (0.15 + u * 0.7)
                    ww = (x_far - x_near) * 0.12
                    p.rect(min(wx, wx + ww), wy, max(wx, wx + ww), wy + 12 + 6 * t, (120, 80, 70))
                    p.ellipse(wx + ww / 2, wy, abs(ww) / 2, 3, (120, 80, 70))
    p.poly([(84, 165), (204, 165), (293, SIZE), (-5, SIZE)], (110, 165, 170))
    for i in range(30):
        y = p.rng.uniform(170, 285)
        x0 = 144 + (p.rng.random() - 0.5) * (y - 120) * 1.6
        p.line([(x0, y), (x0 + p.rng.uniform(6, 20), y)], (170, 210, 210), 1)
    for x, y in ((60, 210), (228, 215)):
        for k in range(4):
            p.rect(x - 2, y - 60 + k * 15, x + 2, y - 53 + k * 15, (40, 80, 160) if k % 2 else (250, 250, 250))
    # A gondola.
    p.poly([(80, 250), (200, 258), (224, 240), (212, 254), (120, 266), (84, 260), (70, 244)], (30, 30, 40))
    p.line([(196, 252), (196, 222)], (30, 30, 40), 2.5)
    p.circle(196, 218, 4, (30, 30, 40))
    p.line([(196, 228), (176, 262)], (90, 70, 50), 1.5)


def provence(p):
    p.vgrad(0, 150, [(0, (150, 195, 235)), (1, (250, 235, 215))])
    p.glow(220, 70, 30, (255, 240, 200), 0.8)
    p.mountain(p.ridge(-10, 300, 140, 12), [(0, (180, 190, 200)), (1, (200, 205, 210))], 125, 150)
    p.rect(0, 148, SIZE, 160, (170, 190, 120))
    # The farmhouse and a cypress.
    p.rect(190, 128, 240, 150, (240, 220, 180))
    p.poly([(186, 130), (215, 116), (244, 130)], (210, 110, 70))
    p.rect(205, 136, 212, 146, (140, 110, 90))
    p.ellipse(170, 126, 5, 22, (70, 110, 70))
    p.round_tree(60, 152, 40, (110, 150, 80))
    p.rect(0, 156, SIZE, SIZE, (200, 180, 200))
    vx, vy = 144, 140
    for k in range(-14, 15):
        bx = 144 + k * 26
        p.poly([(vx + (bx - vx) * 0.06 - 0.4, 156), (vx + (bx - vx) * 0.06 + 0.4, 156), (bx + 9, SIZE + 10), (bx - 9, SIZE + 10)],
               (150, 110, 190))
        p.poly([(vx + (bx - vx) * 0.06, 156), (bx + 1, SIZE + 10), (bx - 7, SIZE + 10)], (175, 140, 210))
    for i in range(60):
        x, y = p.rng.uniform(0, SIZE), p.rng.uniform(230, 288)
        p.ellipse(x, y, 1.5, 4, (130, 90, 175))


def easter_island(p):
    p.vgrad(0, 190, [(0, (130, 185, 235)), (1, (235, 240, 245))])
    p.cloud(84, 62, 80)
    p.cloud(208, 54, 64)
    p.rect(0, 170, SIZE, 190, (90, 150, 190))
    p.grad_poly([(-5, 185), (90, 175), (200, 182), (293, 176), (293, SIZE), (-5, SIZE)], 175, SIZE,
                [(0, (150, 190, 110)), (1, (120, 165, 90))])
    p.rect(20, 222, 268, 236, (140, 130, 120))
    for i, x in enumerate((50, 97, 144, 191, 238)):
        h = 110 + (6 if i % 2 else 0)
        top = 222 - h
        body = (120, 105, 95)
        dark = (85, 75, 70)
        p.poly([(x - 16, top + 10), (x + 16, top + 10), (x + 19, 222), (x - 19, 222)], body)
        p.rect(x - 14, top, x + 14, top + 12, body)
        p.rect(x - 15, top + 20, x + 15, top + 25, dark)
        p.poly([(x - 3, top + 24), (x + 3, top + 24), (x + 6, top + 48), (x - 6, top + 48)], dark)
        p.rect(x - 8, top + 54, x + 8, top + 57, dark)
        p.rect(x - 19, top + 22, x - 15, top + 55, dark)
        p.rect(x + 15, top + 22, x + 19, top + 55, dark)
        p.line([(x - 12, top + 70), (x - 4, top + 95)], dark, 1.5)
        p.line([(x + 12, top + 70), (x + 4, top + 95)], dark, 1.5)


def eiffel_tower(p):
    p.vgrad(0, 240, [(0, (175, 195, 235)), (0.55, (245, 205, 200)), (1, (255, 228, 200))])
    p.cloud(60, 70, 70, (255, 240, 240))
    p.cloud(235, 110, 60, (255, 240, 240))
    c = (85, 75, 90)
    cx = 150
    # Legs and arch.
    p.poly([(cx - 62, 250), (cx - 26, 178), (cx + 26, 178), (cx + 62, 250), (cx + 40, 250),
            (cx + 20, 222), (cx - 20, 222), (cx - 40, 250)], c)
    p.ellipse(cx, 232, 30, 16, (250, 225, 205))
    p.rect(cx - 34, 176, cx + 34, 184, c)
    p.poly([(cx - 24, 178), (cx - 12, 118), (cx + 12, 118), (cx + 24, 178), (cx + 12, 178), (cx, 150), (cx - 12, 178)], c)
    p.rect(cx - 17, 114, cx + 17, 120, c)
    p.poly([(cx - 11, 118), (cx - 2, 40), (cx + 2, 40), (cx + 11, 118)], c)
    p.rect(cx - 5, 38, cx + 5, 44, c)
    p.line([(cx, 38), (cx, 18)], c, 1.5)
    for side in (-1, 1):
        for y0 in range(188, 240, 12):
            x_out = cx + side * (26 + (y0 - 178) * 0.5)
            x_in = cx + side * (12 + (y0 - 178) * 0.35)
            p.line([(x_out, y0), (x_in, y0 + 12)], (120, 105, 120), 0.6)
            p.line([(x_in, y0), (x_out + side * 6, y0 + 12)], (120, 105, 120), 0.6)
    for y0 in range(124, 176, 10):
        w = 12 + (y0 - 118) * 0.2
        p.line([(cx - w, y0), (cx + w, y0 + 10)], (120, 105, 120), 0.6)
        p.line([(cx + w, y0), (cx - w, y0 + 10)], (120, 105, 120), 0.6)
    p.grad_poly([(-5, 240), (293, 236), (293, SIZE), (-5, SIZE)], 236, SIZE, [(0, (120, 160, 110)), (1, (100, 140, 95))])
    for x in range(0, SIZE, 22):
        p.round_tree(x + 8, 262, 34, (110, 155, 100))


def notre_dame(p):
    p.vgrad(0, 240, [(0, (150, 190, 230)), (1, (235, 240, 245))])
    stone = (225, 210, 180)
    dark = (150, 135, 115)
    p.line([(144, 70), (144, 10)], (120, 120, 130), 3)
    p.poly([(137, 70), (144, 20), (151, 70)], (140, 140, 150))
    p.rect(50, 50, 110, 240, stone)
    p.rect(178, 50, 238, 240, stone)
    p.rect(106, 90, 182, 240, stone)
    for x in (50, 178):
        p.rect(x - 2, 46, x + 62, 52, dark)
        for k in range(2):
            wx = x + 14 + k * 22
            p.rect(wx, 64, wx + 10, 104, (120, 105, 95))
            p.ellipse(wx + 5, 64, 5, 6, (120, 105, 95))
    p.rect(48, 112, 240, 120, dark)
    for x in range(52, 238, 7):
        p.rect(x, 104, x + 3, 112, dark)
    # The rose window.
    p.circle(144, 150, 26, (160, 140, 120))
    p.circle(144, 150, 23, (130, 110, 150))
    for k in range(12):
        a = k * math.tau / 12
        p.line([(144, 150), (144 + 23 * math.cos(a), 150 + 23 * math.sin(a))], (210, 195, 165), 1.2)
    p.circle(144, 150, 7, (210, 195, 165))
    p.rect(48, 180, 240, 186, dark)
    for x in range(56, 236, 9):
        p.ellipse(x + 3, 178, 2.4, 3, dark)
    # Three pointed portals.
    for x, w in ((80, 16), (144, 20), (208, 16)):
        p.rect(x - w, 212, x + w, 240, (110, 95, 85))
        p.poly([(x - w, 213), (x - w * 0.6, 196), (x, 188), (x + w * 0.6, 196), (x + w, 213)], (110, 95, 85))
    p.rect(0, 240, SIZE, SIZE, (170, 170, 160))
    p.vgrad(252, SIZE, [(0, (140, 175, 185)), (1, (120, 160, 175))])
    p.rect(0, 248, SIZE, 254, (200, 195, 180))


def statue_of_liberty(p):
    p.vgrad(0, 230, [(0, (150, 195, 235)), (1, (240, 242, 240))])
    for x, w, h in ((10, 14, 30), (28, 10, 45), (42, 16, 24), (236, 14, 40), (252, 12, 28), (266, 14, 50)):
        p.rect(x, 222 - h, x + w, 222, (180, 190, 205))
    p.vgrad(222, SIZE, [(0, (120, 170, 200)), (1, (90, 140, 180))])
    green = (110, 170, 150)
    dark = (80, 135, 120)
    cx = 144
    # Pedestal.
    p.rect(cx - 44, 232, cx + 44, SIZE, (200, 190, 170))
    p.rect(cx - 30, 190, cx + 30, 234, (215, 205, 185))
    p.rect(cx - 36, 186, cx + 36, 194, (190, 180, 160))
    for k in range(3):
        p.rect(cx - 18 + k * 14, 204, cx - 12 + k * 14, 220, (175, 165, 150))
    # Robe, head, crown, arm and torch.
    p.poly([(cx - 17, 186), (cx - 12, 110), (cx - 4, 88), (cx + 10, 88), (cx + 16, 120), (cx + 20, 186)], green)
    p.poly([(cx - 8, 186), (cx - 2, 120), (cx + 4, 186)], dark)
    p.poly([(cx + 8, 94), (cx + 20, 70), (cx + 24, 40), (cx + 30, 42), (cx + 26, 72), (cx + 14, 100)], green)
    p.ellipse(cx + 2, 80, 8, 10, green)
    for k in range(7):
        a = math.pi + k * math.pi / 6
        p.line([(cx + 2 + 8 * math.cos(a), 76 + 8 * math.sin(a)), (cx + 2 + 17 * math.cos(a), 76 + 17 * math.sin(a))], green, 2.4)
    p.rect(cx + 22, 34, cx + 32, 42, dark)
    p.poly([(cx + 27, 12), (cx + 33, 26), (cx + 30, 34), (cx + 24, 34), (cx + 21, 26)], (250, 190, 60))
    p.poly([(cx + 27, 18), (cx + 30, 27), (cx + 27, 33), (cx + 24, 27)], (255, 235, 150))
    p.poly([(cx - 24, 120), (cx - 10, 112), (cx - 4, 136), (cx - 18, 144)], dark)


SIGHTS_AND_SEASONS = [
    ("春风杨柳", spring_willows), ("夏日海岛", summer_island), ("深秋幽径", autumn_path),
    ("北国风光", northern_snow),
    ("泰山", taishan), ("长城", great_wall), ("故宫", forbidden_city), ("西湖", west_lake),
    ("黄山", huangshan), ("三峡", three_gorges), ("趵突泉", baotu_spring), ("大雁塔", big_wild_goose_pagoda),
    ("日月潭", sun_moon_lake), ("圆明园", yuanmingyuan), ("黄鹤楼", yellow_crane_tower),
    ("秦陵兵马俑", terracotta_army), ("黄果树瀑布", huangguoshu_falls), ("珠穆朗玛峰", everest),
    ("金字塔", pyramids), ("富士山", mount_fuji), ("夏威夷", hawaii), ("威尼斯", venice),
    ("普罗旺斯", provence), ("复活节岛", easter_island), ("艾菲尔铁塔", eiffel_tower),
    ("巴黎圣母院", notre_dame), ("自由女神像", statue_of_liberty),
]


# ---------------------------------------------------------------------------
# The performers: title cards with the name, a line of romanised name and an
# emblem of the stage or screen they are known for.

def emblem_fan(p, cx, cy, colour, rib):
    for k in range(9):
        a0 = 200 + k * 15
        p.d.pieslice([sc(cx - 34), sc(cy - 34), sc(cx + 34), sc(cy + 34)], a0, a0 + 15,
                     fill=mix(colour, (255, 255, 255), 0.25 * (k % 2)))
    p.circle(cx, cy, 8, rib)
    for k in range(10):
        a = math.radians(200 + k * 15)
        p.line([(cx, cy), (cx + 34 * math.cos(a), cy + 34 * math.sin(a))], rib, 1)


def emblem_plum(p, cx, cy, colour):
    p.line([(cx - 40, cy + 12), (cx - 10, cy), (cx + 20, cy - 12), (cx + 40, cy - 8)], (110, 70, 60), 2.5)
    for x, y in ((cx - 20, cy + 4), (cx + 6, cy - 8), (cx + 30, cy - 12), (cx - 34, cy + 8)):
        for k in range(5):
            a = k * math.tau / 5 - math.pi / 2
            p.circle(x + 5 * math.cos(a), y + 5 * math.sin(a), 4.2, colour)
        p.circle(x, y, 2, (250, 220, 120))


def ribbon(p, centre, widths, fill, edge):
    """A band of varying width along a centre line."""
    left, right = [], []
    for i, ((x, y), w) in enumerate(zip(centre, widths)):
        x0, y0 = centre[max(0, i - 1)]
        x1, y1 = centre[min(len(centre) - 1, i + 1)]
        dx, dy = x1 - x0, y1 - y0
        n = math.hypot(dx, dy) or 1
        nx, ny = -dy / n, dx / n
        left.append((x + nx * w / 2, y + ny * w / 2))
        right.append((x - nx * w / 2, y - ny * w / 2))
    p.poly(left + right[::-1], fill)
    p.line(left, edge, 0.8)
    p.line(right, edge, 0.8)


def emblem_sleeves(p, cx, cy, colour):
    """Two long silk sleeves thrown out in a dance."""
    for side in (-1, 1):
        centre, widths = [], []
        for k in range(16):
            t = k / 15
            centre.append((cx + side * (5 + 30 * t + 7 * math.sin(t * math.tau)), cy - 24 + 56 * t))
            widths.append(4 + 10 * t)
        ribbon(p, centre, widths, mix(colour, (255, 255, 255), 0.55), colour)
    p.circle(cx, cy - 26, 4, colour)


def emblem_whip(p, cx, cy, colour):
    p.line([(cx - 30, cy + 20), (cx + 28, cy - 22)], (120, 80, 50), 3)
    for k in range(4):
        p.ellipse(cx - 30 + k * 19, cy + 20 - k * 14, 5, 3, colour)
    for k in range(5):
        p.line([(cx - 30, cy + 20), (cx - 40 + k * 4, cy + 36)], colour, 1.5)


def emblem_film(p, cx, cy, colour):
    p.rect(cx - 46, cy - 16, cx + 46, cy + 16, colour)
    for k in range(8):
        x = cx - 42 + k * 11.5
        p.rect(x, cy - 13, x + 6, cy - 9, (245, 235, 215))
        p.rect(x, cy + 9, x + 6, cy + 13, (245, 235, 215))
    for k in range(3):
        x = cx - 40 + k * 28
        p.rect(x, cy - 6, x + 24, cy + 6, mix(colour, (245, 235, 215), 0.55))


def emblem_butterfly(p, cx, cy, colour):
    for side in (-1, 1):
        p.ellipse(cx + side * 15, cy - 9, 15, 12, colour)
        p.ellipse(cx + side * 11, cy + 10, 10, 9, mix(colour, (255, 255, 255), 0.3))
        p.circle(cx + side * 16, cy - 10, 4, (255, 235, 190))
    p.ellipse(cx, cy, 2.5, 15, (80, 50, 40))
    p.line([(cx, cy - 14), (cx - 8, cy - 26)], (80, 50, 40), 1)
    p.line([(cx, cy - 14), (cx + 8, cy - 26)], (80, 50, 40), 1)


def emblem_record(p, cx, cy, colour):
    p.circle(cx, cy, 26, (40, 35, 40))
    for r in (22, 18, 14):
        p.circle(cx, cy, r, None, outline=(80, 75, 80), width=0.7)
    p.circle(cx, cy, 9, colour)
    p.circle(cx, cy, 1.6, (240, 230, 210))
    for k in range(3):
        x = cx + 34 + k * 7
        p.line([(x, cy - 6 - k * 6), (x, cy + 10 - k * 6)], colour, 1.5)
        p.ellipse(x - 3, cy + 11 - k * 6, 3.5, 2.5, colour)


def emblem_clapper(p, cx, cy, colour):
    p.rect(cx - 28, cy - 8, cx + 28, cy + 24, (50, 45, 50))
    p.poly([(cx - 28, cy - 10), (cx + 26, cy - 24), (cx + 28, cy - 16), (cx - 26, cy - 2)], (50, 45, 50))
    for k in range(4):
        x = cx - 22 + k * 13
        p.poly([(x, cy - 8 - k * 3.6), (x + 6, cy - 10 - k * 3.6), (x + 10, cy - 3 - k * 3.6), (x + 4, cy - 1 - k * 3.6)],
               (245, 240, 230))
    p.line([(cx - 20, cy + 6), (cx + 20, cy + 6)], colour, 1.2)
    p.line([(cx - 20, cy + 14), (cx + 20, cy + 14)], colour, 1.2)


def emblem_pearls(p, cx, cy, colour):
    """A pearl necklace with a drop."""
    edge = mix(colour, (90, 90, 100), 0.55)
    for strand, (rx, ry) in enumerate(((34, 22), (28, 28))):
        n = 15 if strand == 0 else 13
        for k in range(n):
            a = math.pi * 0.1 + k * math.pi * 0.8 / (n - 1)
            x, y = cx + rx * math.cos(a), cy - 16 + ry * math.sin(a)
            p.circle(x, y, 3.6, colour, outline=edge, width=0.6)
            p.circle(x - 1, y - 1, 1.1, (255, 255, 255))
    p.ellipse(cx, cy + 20, 5, 7, colour, outline=edge, width=0.6)
    p.circle(cx - 1.5, cy + 18, 1.5, (255, 255, 255))


def emblem_cloud_pearl(p, cx, cy, colour):
    """An auspicious cloud holding a pearl."""
    for dx, dy, r in ((-22, 6, 12), (-6, -2, 15), (12, 2, 13), (26, 8, 9)):
        p.circle(cx + dx, cy + dy, r, colour)
    p.rect(cx - 34, cy + 8, cx + 34, cy + 18, colour)
    for dx, r in ((-22, 7), (-6, 9), (12, 8)):
        p.arc(cx + dx, cy + 4, r, r, 200, 340, (240, 232, 215), 1.5)
    p.circle(cx + 30, cy - 18, 9, (250, 246, 236), outline=(170, 150, 120), width=0.8)
    p.circle(cx + 27, cy - 21, 3, (255, 255, 255))


def emblem_rose(p, cx, cy, colour):
    p.line([(cx, cy + 14), (cx + 4, cy + 40)], (80, 120, 70), 2.5)
    p.ellipse(cx - 10, cy + 28, 10, 4, (90, 140, 80))
    p.ellipse(cx + 14, cy + 24, 9, 4, (90, 140, 80))
    for k in range(5):
        a = k * math.tau / 5
        p.circle(cx + 9 * math.cos(a), cy + 9 * math.sin(a), 11, colour)
    dark = mix(colour, (90, 0, 20), 0.4)
    p.circle(cx, cy, 10, mix(colour, (90, 0, 20), 0.2))
    for r, a0 in ((8, 200), (5, 20), (2.5, 220)):
        p.arc(cx, cy, r, r, a0, a0 + 230, dark, 1.4)


def emblem_hat_cane(p, cx, cy, colour):
    p.ellipse(cx - 8, cy + 8, 26, 6, colour)
    p.d.chord([sc(cx - 26), sc(cy - 22), sc(cx + 10), sc(cy + 14)], 180, 360, fill=colour)
    p.rect(cx - 26, cy - 4, cx + 10, cy + 8, colour)
    p.arc(cx + 28, cy - 18, 8, 8, 180, 360, colour, 2.5)
    p.line([(cx + 20, cy - 18), (cx + 14, cy + 26)], colour, 2.5)


def emblem_star(p, cx, cy, colour, r=24):
    star = []
    for k in range(10):
        a = -math.pi / 2 + k * math.pi / 5
        rr = r if k % 2 == 0 else r * 0.42
        star.append((cx + rr * math.cos(a), cy + rr * math.sin(a)))
    p.poly(star, colour)


def emblem_nunchaku(p, cx, cy, colour):
    p.poly([(cx - 38, cy - 2), (cx - 10, cy - 22), (cx - 6, cy - 16), (cx - 34, cy + 4)], colour)
    p.poly([(cx + 8, cy - 18), (cx + 38, cy + 2), (cx + 34, cy + 8), (cx + 4, cy - 12)], colour)
    p.arc(cx - 1, cy - 16, 8, 6, 180, 360, (90, 90, 90), 1.5)


CARD_STYLES = {
    "opera": dict(bg=[(0, (200, 60, 50)), (1, (160, 35, 35))], panel=(250, 235, 200), ink=(150, 25, 25),
                  trim=(220, 170, 60), tag="剧", seal=(120, 20, 20)),
    "shanghai": dict(bg=[(0, (230, 205, 160)), (1, (205, 175, 130))], panel=(248, 238, 215), ink=(90, 55, 35),
                     trim=(160, 110, 60), tag="影", seal=(170, 40, 40)),
    "hollywood": dict(bg=[(0, (60, 70, 100)), (1, (40, 45, 70))], panel=(250, 242, 225), ink=(45, 45, 70),
                      trim=(230, 190, 90), tag="影", seal=(190, 40, 50)),
    "kungfu": dict(bg=[(0, (250, 210, 40)), (1, (240, 180, 20))], panel=(255, 240, 170), ink=(30, 25, 20),
                   trim=(30, 25, 20), tag="武", seal=(190, 30, 30)),
}


NAME_Y = 194  # the name's middle: 50 below the hub, clear of the 7, 6 and 5


def card(name, latin, style, emblem, panel=None):
    st = dict(CARD_STYLES[style])
    if panel:
        st["panel"] = panel

    def draw(p):
        p.vgrad(0, SIZE, st["bg"])
        # The card is round, as the round window shows it; the style's own
        # ornament runs in the band between its edge and the window's rim.
        p.circle(144, 144, 141, mix(st["bg"][0][1], (255, 255, 255), 0.08))
        if style == "opera":
            # Gold scallops of a stage valance all round.
            for k in range(36):
                a = math.radians(k * 10)
                p.circle(144 + 134 * math.cos(a), 144 + 134 * math.sin(a), 5, (220, 170, 60))
        elif style == "hollywood":
            for k in range(40):
                a = math.radians(k * 9)
                p.circle(144 + 135 * math.cos(a), 144 + 135 * math.sin(a), 2.6, (255, 230, 150))
        elif style == "kungfu":
            p.circle(144, 144, 139, (30, 25, 20))
        else:
            for k in range(72):
                a = math.radians(k * 5)
                p.line([(144 + 130 * math.cos(a), 144 + 130 * math.sin(a)),
                        (144 + 139 * math.cos(a + 0.06), 144 + 139 * math.sin(a + 0.06))],
                       mix(st["bg"][0][1], (255, 255, 255), 0.3), 1)
        p.circle(144, 144, 129, st["panel"], outline=st["trim"], width=3)
        p.circle(144, 144, 123, None, outline=st["trim"], width=1)
        # The emblem above the hub; the name below it, small, above the 6 and
        # past where the hub and the short hour hand cover most; the name in
        # letters on a plate across the rim.
        emblem(p, 144, 98)
        size = {1: 20, 2: 20, 3: 20, 4: 17, 5: 15}[len(name)]
        p.text(144, NAME_Y, name, size, st["ink"])
        w = p.text_width(name, size)
        p.line([(144 - w / 2, NAME_Y + size * 0.62), (144 + w / 2, NAME_Y + size * 0.62)], st["trim"], 1)
        p.d.rounded_rectangle([sc(94), sc(261), sc(194), sc(278)], radius=sc(8), fill=st["panel"],
                              outline=st["trim"], width=sc(1.5))
        p.text(144, 270, latin, 9 if len(latin) < 14 else 7.4, st["ink"], font=URW + "URWGothic-Demi.otf")
        p.seal(st["tag"], 56, 56, 24, colour=st["seal"])
    return draw


PERFORMERS = [
    ("梅兰芳", card("梅兰芳", "MEI LANFANG", "opera", lambda p, x, y: emblem_plum(p, x, y, (225, 90, 110)))),
    ("程砚秋", card("程砚秋", "CHENG YANQIU", "opera", lambda p, x, y: emblem_sleeves(p, x, y, (90, 140, 190)))),
    ("马连良", card("马连良", "MA LIANLIANG", "opera", lambda p, x, y: emblem_whip(p, x, y, (200, 50, 50)))),
    ("阮玲玉", card("阮玲玉", "RUAN LINGYU", "shanghai", lambda p, x, y: emblem_film(p, x, y, (90, 60, 45)))),
    ("胡蝶", card("胡蝶", "HU DIE", "shanghai", lambda p, x, y: emblem_butterfly(p, x, y, (200, 110, 150)))),
    ("周璇", card("周璇", "ZHOU XUAN", "shanghai", lambda p, x, y: emblem_record(p, x - 8, y, (200, 70, 60)))),
    ("赵丹", card("赵丹", "ZHAO DAN", "shanghai", lambda p, x, y: emblem_clapper(p, x, y, (230, 200, 120)))),
    ("上官云珠", card("上官云珠", "SHANGGUAN YUNZHU", "shanghai", lambda p, x, y: emblem_cloud_pearl(p, x, y, (150, 170, 205)))),
    ("卓别林", card("卓别林", "CHARLIE CHAPLIN", "hollywood", lambda p, x, y: emblem_hat_cane(p, x, y, (40, 40, 50)))),
    ("嘉宝", card("嘉宝", "GRETA GARBO", "hollywood", lambda p, x, y: emblem_star(p, x, y, (215, 175, 70), 26))),
    ("费雯丽", card("费雯丽", "VIVIEN LEIGH", "hollywood", lambda p, x, y: emblem_rose(p, x, y, (215, 50, 60)))),
    ("奥黛丽赫本", card("奥黛丽赫本", "AUDREY HEPBURN", "hollywood", lambda p, x, y: emblem_pearls(p, x, y, (252, 250, 244)),
                       panel=(190, 232, 224))),
    ("李小龙", card("李小龙", "BRUCE LEE", "kungfu", lambda p, x, y: emblem_nunchaku(p, x, y, (30, 25, 20)))),
]


def all_pictures():
    """(caption, drawing function, veil strength) in menu order."""
    out = []
    for ch, glyph, sky, scene, mirror, figure in ANIMALS:
        out.append((ch, zodiac(ch, glyph, sky, scene, mirror, figure), 0.30))
    for caption, fn in SIGHTS_AND_SEASONS:
        out.append((caption, fn, 0.36))
    for caption, fn in PERFORMERS:
        out.append((caption, fn, 0.18))
    return out


def main(argv):
    os.makedirs(OUT, exist_ok=True)
    sheet_path = argv[argv.index("--sheet") + 1] if "--sheet" in argv else None
    only = argv[argv.index("--only") + 1].split(",") if "--only" in argv else None
    pictures = all_pictures()
    assert len(pictures) == 52 and len({c for c, _, _ in pictures}) == 52
    made = []
    for number, (caption, draw, middle) in enumerate(pictures, 1):
        if only and caption not in only:
            continue
        for k, suffix in ((1, ""), (2, "@2x")):
            set_scale(k)
            p = Pic(seed=1000 + number)
            draw(p)
            img = p.finish(middle=middle)
            path = os.path.join(OUT, caption + suffix + ".jpg")
            img.save(path, "JPEG", quality=88, optimize=True, progressive=False, subsampling=2)
            if k == 1:
                made.append((caption, img))
        set_scale(1)
    if sheet_path:
        contact_sheet(made, sheet_path)


def contact_sheet(made, path):
    """The pictures under the dial, as the clock would show them, for looking over."""
    dial = Image.open(os.path.join(HERE, "..", "..", "resources", "media", "dial.gif")).convert("RGB")
    key = Image.eval(dial.convert("L"), lambda v: 0 if v == 255 else 255)
    white = dial.point(lambda v: 255)
    key = ImageChops.darker(key, Image.eval(ImageChops.difference(dial, white).convert("L"), lambda v: 255 if v else 0))
    cols = 6
    rows = (len(made) + cols - 1) // cols
    sheet = Image.new("RGB", (cols * (SIZE + 6), rows * (SIZE + 6)), (60, 60, 60))
    for i, (caption, img) in enumerate(made):
        face = img.copy()
        face.paste(dial, (0, 0), key)
        d = ImageDraw.Draw(face)
        for angle, length, w, outline, body in ((305, 64, 8, (255, 255, 255), (128, 0, 0)),
                                                (60, 96, 6, (255, 255, 255), (0, 96, 192)),
                                                (180, 116, 3, (255, 255, 0), (144, 0, 255))):
            a = math.radians(angle)
            end = (144 + length * math.sin(a), 144 - length * math.cos(a))
            d.line([(144, 144), end], fill=outline, width=w)
            d.line([(144, 144), end], fill=body, width=w - 2 if w > 3 else 2)
        sheet.paste(face, ((i % cols) * (SIZE + 6) + 3, (i // cols) * (SIZE + 6) + 3))
    sheet.save(path)


if __name__ == "__main__":
    main(sys.argv[1:])
