"""The About box pictures: a campaign picture (a CD under a prohibition sign) and a banner, both
24-bit, and the pointing-hand cursor of the links."""

import math

from canvas import Canvas, mix
import pixelfont

RED = (208, 24, 32)
DARK_RED = (120, 8, 16)
WHITE = (255, 255, 255)


def _paint_shape(canvas, inside, colour, samples=4):
    """Blends `colour` over each pixel by the share of sub-pixel samples that `inside` accepts."""
    for y in range(canvas.height):
        for x in range(canvas.width):
            hits = 0
            for j in range(samples):
                for i in range(samples):
                    if inside(x + (i + 0.5) / samples, y + (j + 0.5) / samples):
                        hits += 1
            if hits:
                c = colour(x, y) if callable(colour) else colour
                canvas.set(x, y, mix(canvas.get(x, y), c, hits / (samples * samples)))


def _disc_colour(cx, cy):
    def colour(x, y):
        # A silver face with a faint rainbow sheen that turns with the angle.
        a = math.atan2(y - cy, x - cx)
        sheen = (math.sin(2 * a) + 1) / 2
        hue = [int(160 + 60 * math.sin(a * 2 + k * 2.1)) for k in range(3)]
        return mix((200, 204, 212), tuple(hue), 0.35 * sheen)
    return colour


def _no_sign(canvas, cx, cy, radius, width):
    ring = lambda x, y: radius - width <= math.hypot(x - cx, y - cy) <= radius
    _paint_shape(canvas, ring, RED)
    d = math.sqrt(0.5)

    def bar(x, y):
        # The stroke from top-left to bottom-right, inside the ring.
        u, w = (x - cx) * d + (y - cy) * d, (x - cx) * d - (y - cy) * d
        return abs(w) <= width / 2 and abs(u) <= radius - width / 2
    _paint_shape(canvas, bar, RED)


def _disc(canvas, cx, cy, r):
    _paint_shape(canvas, lambda x, y: math.hypot(x - cx, y - cy) <= r, _disc_colour(cx, cy))
    _paint_shape(canvas, lambda x, y: r * 0.36 <= math.hypot(x - cx, y - cy) <= r * 0.4, (150, 154, 164))
    _paint_shape(canvas, lambda x, y: math.hypot(x - cx, y - cy) <= r * 0.17, (236, 240, 246))


def picture():
    """100 x 100: a compact disc struck through, with the campaign's name below."""
    c = Canvas(100, 100)
    for y in range(100):
        for x in range(100):
            c.set(x, y, mix((244, 246, 250), (200, 212, 230), y / 99))
    _disc(c, 50, 44, 33)
    _no_sign(c, 50, 44, 40, 7)
    v = c.view(0, 0, 100, 100)
    pixelfont.draw_text_centred(v, 50, 90, "NO MORE CCCD", DARK_RED)
    v.bevel(0, 0, 100, 100, (255, 255, 255), (150, 160, 176))
    return c


def banner():
    """100 x 40: the campaign's name in large letters on a red band, a small struck disc aside."""
    c = Canvas(100, 40)
    for y in range(40):
        for x in range(100):
            c.set(x, y, mix((226, 40, 44), (150, 12, 20), y / 39))
    v = c.view(0, 0, 100, 40)
    for x in range(100):
        if (x // 4) % 2 == 0:
            v.set(x, 2, (255, 210, 210))
            v.set(x, 37, (255, 210, 210))
    pixelfont.draw_text(v, 6, 6, "NO MORE", (60, 0, 0), 2)
    pixelfont.draw_text(v, 5, 5, "NO MORE", WHITE, 2)
    pixelfont.draw_text(v, 8, 20, "CCCD", (60, 0, 0), 3)
    pixelfont.draw_text(v, 7, 19, "CCCD", WHITE, 3)
    icon = Canvas(24, 24, fill=(0, 0, 0))
    for y in range(24):
        for x in range(24):
            icon.set(x, y, c.get(72 + x, 14 + y))
    _disc(icon, 12, 12, 9)
    _no_sign(icon, 12, 12, 11.5, 3)
    for y in range(24):
        for x in range(24):
            c.set(72 + x, 14 + y, icon.get(x, y))
    v.bevel(0, 0, 100, 40, (255, 120, 120), (90, 0, 8))
    return c


# A pointing hand, index finger up; '#' black outline, 'o' white, '.' transparent.
HAND = [
    ".....##.........",
    "....#oo#........",
    "....#oo#........",
    "....#oo#........",
    "....#oo#........",
    "....#oo###......",
    "....#oo#oo###...",
    "....#oo#oo#oo##.",
    ".##.#oo#oo#oo#o#",
    "#oo##oooooooo#o#",
    "#ooo#oooooooooo#",
    ".#oooooooooooo#.",
    "..#ooooooooooo#.",
    "..#oooooooooo#..",
    "...#ooooooooo#..",
    "...#oooooooo#...",
    "....#ooooooo#...",
    "....#########...",
]
HAND_HOTSPOT = (5, 0)


def hand_rows():
    rows = [r + "." * (32 - len(r)) for r in HAND]
    return rows + ["." * 32] * (32 - len(rows))
