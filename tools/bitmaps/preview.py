"""Puts a skin's pieces together the way the plug-in window does, for looking at a skin before
it is used: frame, a few list rows as coloured bars, the time 03:27 and the seek bar, and the
compact strip below. Hit regions can be outlined to check that the controls sit under them."""

from canvas import Canvas
import skinpieces as sp

# Hit regions of the window: left, right, top, bottom (inclusive; negative = from the far edge).
REGIONS = {
    "close": (-11, -3, 3, 12), "compact": (-20, -12, 3, 14),
    "scroll down": (-15, -8, -32, -28), "scroll up": (-15, -8, -36, -32),
    "previous": (-145, -135, -16, -8), "next": (-109, -99, -16, -8), "play": (-136, -126, -16, -8),
    "stop": (-118, -108, -16, -8), "pause": (-127, -117, -16, -8), "resize": (-19, -1, -19, -1),
    "time": (-89, -53, -17, -8), "list": (12, -19, 20, -39), "scroll bar": (-15, -7, 20, -38),
    "seek bar": (-147, -52, -30, -20),
}


def _copy(dst, src, rect, x, y):
    left, top, w, h = rect
    for j in range(h):
        for i in range(w):
            dst.set(x + i, y + j, src.get(left + i, top + j))


def window(drawer, width_units=6, height_units=3, outline=False):
    pledit, text, posbar = drawer.pledit(), drawer.text(), drawer.posbar()
    t = drawer.t
    ww = 150 + 25 * width_units
    wh = 58 + 29 * height_units
    c = Canvas(ww, wh + 4 + 14, fill=(255, 255, 255))
    mid = (ww - 100) // 2
    _copy(c, pledit, sp.TITLE_LEFT[True], 0, 0)
    _copy(c, pledit, sp.TITLE_FILLER[True], 25, 0)
    for k in range(1, width_units // 2 + 1):
        _copy(c, pledit, sp.TITLE_FILLER[True], mid - 25 * k, 0)
    _copy(c, pledit, sp.TITLE_CENTRE[True], mid, 0)
    _copy(c, pledit, sp.TITLE_FILLER[True], mid + 100, 0)
    for k in range(1, width_units // 2 + 1):
        _copy(c, pledit, sp.TITLE_FILLER[True], ww - 25 - 25 * k, 0)
    _copy(c, pledit, sp.TITLE_RIGHT[True], ww - 25, 0)
    for j in range(height_units):
        _copy(c, pledit, sp.LEFT_SIDE, 0, 20 + 29 * j)
        _copy(c, pledit, sp.RIGHT_SIDE, ww - 25, 20 + 29 * j)
    _copy(c, pledit, sp.BOTTOM_LEFT, 0, wh - 38)
    for k in range((ww - 275) // 25):
        _copy(c, pledit, sp.BOTTOM_FILLER, 125 + 25 * k, wh - 38)
    _copy(c, pledit, sp.BOTTOM_RIGHT, ww - 150, wh - 38)
    _copy(c, pledit, sp.SCROLL_THUMB[False], ww - 15, 20)
    # List: background and a few rows.
    colours = t["colours"]
    v = c.view(0, 0, ww, wh)
    v.fill(12, 20, ww - 19 - 12, 29 * height_units, colours["NormalBG"])
    for r in range(5):
        top = 23 + 11 * r
        if r == 1:
            v.fill(13, top, ww - 33, 11, colours["SelectedBG"])
        ink = colours["Current"] if r == 2 else colours["Normal"]
        v.fill(15, top + 3, 60 + 17 * (r % 3), 5, ink)
        v.fill(ww - 40, top + 3, 18, 5, ink)
    # Time 03:27, counting down, and the seek bar a third of the way.
    y = wh - 15
    _copy(c, text, (75, 6, 5, 6), ww - 82, y)
    for x, d in ((ww - 77, 0), (ww - 72, 3), (ww - 64, 2), (ww - 59, 7)):
        _copy(c, text, (5 * d, 6, 5, 6), x, y)
    _copy(c, posbar, sp.POSBAR_BAR, ww - 147, wh - 30)
    _copy(c, posbar, sp.POSBAR_THUMB[False], ww - 147 + 22, wh - 30)
    # The compact strip underneath, with "TRACK 1" and 3:27.
    cy = wh + 4
    _copy(c, pledit, sp.COMPACT_LEFT, 0, cy)
    for k in range(1, width_units + 4):
        _copy(c, pledit, sp.COMPACT_FILLER, 25 * k, cy)
    _copy(c, pledit, sp.COMPACT_RIGHT[True], ww - 50, cy)
    x = 5
    for ch in "TRACK 1":
        if ch.isdigit():
            _copy(c, text, (5 * int(ch), 6, 5, 6), x, cy + 4)
        elif ch != " ":
            _copy(c, text, (5 * (ord(ch) - 65), 0, 5, 6), x, cy + 4)
        x += 5
    for x, rect in ((ww - 50, (15, 6, 5, 6)), (ww - 46, (60, 6, 5, 6)), (ww - 42, (10, 6, 5, 6)),
                    (ww - 37, (35, 6, 5, 6))):
        _copy(c, text, rect, x, cy + 4)
    if outline:
        for (l, r, tp, b) in REGIONS.values():
            l, r = (l + ww if l < 0 else l), (r + ww if r < 0 else r)
            tp, b = (tp + wh if tp < 0 else tp), (b + wh if b < 0 else b)
            for xx in range(l, r + 1):
                for yy in (tp, b):
                    if (xx + yy) % 2 == 0:
                        c.set(xx, yy, (255, 0, 255))
            for yy in range(tp, b + 1):
                for xx in (l, r):
                    if (xx + yy) % 2 == 0:
                        c.set(xx, yy, (255, 0, 255))
    return c
