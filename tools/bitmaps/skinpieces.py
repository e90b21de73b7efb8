"""Draws the three skin bitmaps (Pledit.bmp, text.bmp, Posbar.bmp) for one theme.

Every piece is drawn into its own rectangle of the bitmap, at the places the window copies it
from; the window then puts the pieces together (title corners, fillers and centre across the
top, sides down the edges, bottom pieces along the foot). The controls drawn into the pieces
sit where the window hit-tests them, measured from the window's right and bottom edges.
"""

from canvas import Canvas, mix
import pixelfont

# Source rectangles in Pledit.bmp: left, top, width, height.
TITLE_LEFT = {True: (0, 0, 25, 20), False: (0, 21, 25, 20)}
TITLE_CENTRE = {True: (26, 0, 100, 20), False: (26, 21, 100, 20)}
TITLE_FILLER = {True: (127, 0, 25, 20), False: (127, 21, 25, 20)}
TITLE_RIGHT = {True: (153, 0, 25, 20), False: (153, 21, 25, 20)}
LEFT_SIDE = (0, 42, 25, 29)
RIGHT_SIDE = (26, 42, 25, 29)
BOTTOM_LEFT = (0, 72, 125, 38)
BOTTOM_FILLER = (179, 0, 25, 38)
BOTTOM_RIGHT = (126, 72, 150, 38)
SCROLL_THUMB = {False: (52, 53, 8, 18), True: (61, 53, 8, 18)}
COMPACT_LEFT = (72, 42, 25, 14)
COMPACT_FILLER = (72, 57, 25, 14)
COMPACT_RIGHT = {True: (99, 42, 50, 14), False: (99, 57, 50, 14)}

PLEDIT_SIZE = (280, 111)
TEXT_SIZE = (155, 18)
POSBAR_SIZE = (307, 10)
POSBAR_BAR = (0, 0, 95, 10)
POSBAR_THUMB = {False: (248, 0, 29, 10), True: (278, 0, 29, 10)}

# Where the window draws glyphs and hit-tests controls, in piece coordinates.
# Bottom-right piece (placed at W-150, H-38):
TRANSPORT_LEFT = 6          # five buttons, 8 wide, one every 9 pixels (hit at W-145 ... W-99)
TRANSPORT_TOP = 22          # hit rows H-16 .. H-8
TIME_BOX = (65, 21, 33, 10)  # minus at W-82, digits W-77 .. W-55, glyph row H-15
TIME_COLON_X = 83           # no colon glyph is drawn between minutes and seconds
SEEK_GROOVE = (3, 8, 95, 10)  # the seek bar is drawn at W-147, H-30
SCROLL_COLUMN = 135         # scroll bar at W-15, 8 wide; arrows hit at H-36 .. H-28
# Title right corner (placed at W-25): compact toggle hit at W-20 .. W-12, close at W-11 .. W-3.
TITLE_COMPACT_BUTTON = (4, 4)
TITLE_CLOSE_BUTTON = (14, 4)
# Compact right (placed at W-50): length digits from W-50, buttons as in the title bar.
COMPACT_DISPLAY_WIDTH = 24
COMPACT_COMPACT_BUTTON = (29, 3)
COMPACT_CLOSE_BUTTON = (39, 3)

SYMBOLS = {
    "previous": ["#...#", "#..##", "#.###", "#..##", "#...#"],
    "play": [".#...", ".##..", ".###.", ".##..", ".#..."],
    "pause": [".#.#.", ".#.#.", ".#.#.", ".#.#.", ".#.#."],
    "stop": [".....", ".###.", ".###.", ".###.", "....."],
    "next": ["#...#", "##..#", "###.#", "##..#", "#...#"],
    "close": ["#...#", ".#.#.", "..#..", ".#.#.", "#...#"],
    "compact": [".....", ".....", "#####", "#####", "....."],
    "up": ["..##..", ".####.", "######"],
    "down": ["######", ".####.", "..##.."],
}


def _sub(canvas, rect):
    return canvas.view(*rect)


class PieceDrawer:
    def __init__(self, theme):
        self.t = theme

    # Shared elements -------------------------------------------------------------------------

    def sunken(self, v, x, y, w, h, inside):
        v.fill(x, y, w, h, inside)
        v.bevel(x, y, w, h, self.t["edge"], self.t["hi"])

    def button(self, v, x, y, symbol, active, w=9, h=9):
        t = self.t
        v.fill(x, y, w, h, t["button"])
        v.bevel(x, y, w, h, t["button_hi"], t["edge"])
        colour = t["symbol"] if active else t["symbol_off"]
        rows = SYMBOLS[symbol]
        sx = x + (w - len(rows[0])) // 2
        sy = y + (h - len(rows)) // 2
        v.pattern(sx, sy, rows, {"#": colour})

    def title_background(self, v, w, active):
        t = self.t
        top, bottom = (t["title_top"], t["title_bottom"]) if active else (t["title_top_off"], t["title_bottom_off"])
        v.vgradient(0, 1, w, 18, top, bottom)
        v.hline(0, w - 1, 0, t["hi"])
        v.hline(0, w - 1, 19, t["edge"])

    def grips(self, v, x0, x1, active):
        t = self.t
        light = t["accent"] if active else t["accent_off"]
        for y in (6, 9, 12):
            v.hline(x0, x1, y, light)
            v.hline(x0, x1, y + 1, t["edge"])

    def frame_foot(self, v, w):
        """Top and bottom rows shared by the three bottom pieces, so they join seamlessly."""
        t = self.t
        v.fill(0, 0, w, 38, t["face"])
        v.hline(0, w - 1, 0, t["edge"])
        v.hline(0, w - 1, 1, t["hi"])
        v.hline(0, w - 1, 36, t["lo"])
        v.hline(0, w - 1, 37, t["edge"])

    # Pledit.bmp --------------------------------------------------------------------------------

    def pledit(self):
        t = self.t
        c = Canvas(*PLEDIT_SIZE, fill=t["unused"])
        for active in (True, False):
            self.title_left(_sub(c, TITLE_LEFT[active]), active)
            self.title_centre(_sub(c, TITLE_CENTRE[active]), active)
            self.title_filler(_sub(c, TITLE_FILLER[active]), active)
            self.title_right(_sub(c, TITLE_RIGHT[active]), active)
            self.compact_right(_sub(c, COMPACT_RIGHT[active]), active)
        self.left_side(_sub(c, LEFT_SIDE))
        self.right_side(_sub(c, RIGHT_SIDE))
        self.bottom_left(_sub(c, BOTTOM_LEFT))
        self.bottom_filler(_sub(c, BOTTOM_FILLER))
        self.bottom_right(_sub(c, BOTTOM_RIGHT))
        for pressed in (False, True):
            self.scroll_thumb(_sub(c, SCROLL_THUMB[pressed]), pressed)
        self.compact_left(_sub(c, COMPACT_LEFT))
        self.compact_filler(_sub(c, COMPACT_FILLER))
        return c

    def title_left(self, v, active):
        self.title_background(v, 25, active)
        v.vline(0, 0, 19, self.t["hi"])
        self.grips(v, 4, 24, active)
        # A small lamp in the corner, lit while the window has the focus.
        lamp = self.t["accent"] if active else self.t["accent_off"]
        v.fill(1, 8, 2, 4, lamp)

    def title_filler(self, v, active):
        self.title_background(v, 25, active)
        self.grips(v, 0, 24, active)

    def title_centre(self, v, active):
        t = self.t
        self.title_background(v, 100, active)
        self.grips(v, 0, 4, active)
        self.grips(v, 95, 99, active)
        self.sunken(v, 6, 3, 88, 14, t["plate"] if active else t["plate_off"])
        text_colour = t["title_text"] if active else t["title_text_off"]
        pixelfont.draw_text_centred(v, 50, 7, t["title"], text_colour)
        decorate = t.get("decorate_title")
        if decorate:
            decorate(v, active)

    def title_right(self, v, active):
        t = self.t
        self.title_background(v, 25, active)
        self.grips(v, 0, 2, active)
        v.vline(23, 1, 18, t["lo"])
        v.vline(24, 0, 19, t["edge"])
        self.button(v, *TITLE_COMPACT_BUTTON, "compact", active)
        self.button(v, *TITLE_CLOSE_BUTTON, "close", active)

    def left_side(self, v):
        t = self.t
        v.fill(0, 0, 25, 29, t["face"])
        v.vline(0, 0, 28, t["hi"])
        v.vline(4, 0, 28, t["lo"])
        v.vline(5, 0, 28, t["hi"])
        v.vline(10, 0, 28, t["lo"])
        v.vline(11, 0, 28, t["edge"])
        v.fill(12, 0, 13, 29, t["list_bg"])

    def right_side(self, v):
        t = self.t
        v.fill(0, 0, 25, 29, t["face"])
        v.fill(0, 0, 6, 29, t["list_bg"])
        v.vline(6, 0, 28, t["edge"])
        v.vline(7, 0, 28, t["hi"])
        # Scroll track, under the thumb (8 wide).
        v.vline(10, 0, 28, t["edge"])
        v.fill(11, 0, 6, 29, t["groove"])
        v.vline(13, 0, 28, mix(t["groove"], t["edge"], 0.5))
        v.vline(17, 0, 28, t["hi"])
        v.vline(23, 0, 28, t["lo"])
        v.vline(24, 0, 28, t["edge"])

    def scroll_thumb(self, v, pressed):
        t = self.t
        face = t["thumb_pressed"] if pressed else t["thumb"]
        v.fill(0, 0, 8, 18, face)
        if pressed:
            v.bevel(0, 0, 8, 18, t["edge"], t["thumb_hi"])
        else:
            v.bevel(0, 0, 8, 18, t["thumb_hi"], t["edge"])
        for y in (6, 8, 10):
            v.hline(2, 5, y, t["edge"])
            v.hline(2, 5, y + 1, t["thumb_hi"])

    def bottom_left(self, v):
        t = self.t
        self.frame_foot(v, 125)
        v.vline(0, 0, 37, t["hi"])
        # The left frame's groove runs on into the foot.
        v.vline(4, 0, 30, t["lo"])
        v.vline(5, 0, 30, t["hi"])
        v.hline(4, 5, 31, t["lo"])
        v.fill(1, 0, 11, 1, t["face"])
        v.vline(10, 0, 0, t["lo"])
        v.vline(11, 0, 0, t["edge"])
        t["decorate_foot"](self, v)

    def bottom_filler(self, v):
        self.frame_foot(v, 25)
        self.foot_groove(v, 0, 24)

    def foot_groove(self, v, x0, x1):
        v.hline(x0, x1, 4, self.t["lo"])
        v.hline(x0, x1, 5, self.t["hi"])

    def bottom_right(self, v):
        t = self.t
        self.frame_foot(v, 150)
        self.foot_groove(v, 0, 2)
        # Right frame continues: list border, scroll column with its arrows, outer edges.
        v.vline(131, 0, 11, t["edge"])
        v.vline(132, 0, 11, t["hi"])
        col = SCROLL_COLUMN
        self.sunken(v, col, 0, 8, 12, t["groove"])
        v.hline(col + 1, col + 6, 6, t["edge"])
        v.pattern(col + 1, 2, SYMBOLS["up"], {"#": t["symbol"]})
        v.pattern(col + 1, 8, SYMBOLS["down"], {"#": t["symbol"]})
        v.vline(148, 0, 36, t["lo"])
        v.vline(149, 0, 37, t["edge"])
        v.hline(131, 149, 0, t["edge"])
        v.fill(col + 1, 0, 6, 1, t["groove"])
        # Seek groove under the seek bar.
        self.sunken(v, *SEEK_GROOVE, t["groove"])
        gx, gy, gw, gh = SEEK_GROOVE
        v.hline(gx + 3, gx + gw - 4, gy + 4, t["edge"])
        v.hline(gx + 3, gx + gw - 4, gy + 5, t["lo"])
        # Transport buttons.
        for k, symbol in enumerate(("previous", "play", "pause", "stop", "next")):
            self.button(v, TRANSPORT_LEFT + 9 * k, TRANSPORT_TOP, symbol, True, w=8, h=9)
        # Time display: the glyphs are copied opaque, so the box has the font's background.
        self.sunken(v, *TIME_BOX, t["display"])
        v.set(TIME_COLON_X, 24, t["glyph"])
        v.set(TIME_COLON_X, 26, t["glyph"])
        # Resize grip in the corner: ribs along the diagonal.
        for j in range(19):
            for i in range(19):
                s = i + j
                if s >= 16 and i < 17 and j < 17:
                    if s % 4 == 0:
                        v.set(131 + i, 19 + j, t["hi"])
                    elif s % 4 == 1:
                        v.set(131 + i, 19 + j, t["edge"])
        deco = t.get("decorate_corner")
        if deco:
            deco(self, v)

    def compact_strip(self, v, w):
        t = self.t
        v.fill(0, 0, w, 14, t["display"])
        v.hline(0, w - 1, 0, t["hi"])
        v.hline(0, w - 1, 13, t["edge"])

    def compact_left(self, v):
        t = self.t
        self.compact_strip(v, 25)
        v.fill(0, 1, 3, 12, t["face"])
        v.vline(0, 0, 13, t["hi"])
        v.vline(2, 1, 12, t["edge"])

    def compact_filler(self, v):
        self.compact_strip(v, 25)

    def compact_right(self, v, active):
        t = self.t
        self.compact_strip(v, 50)
        d = COMPACT_DISPLAY_WIDTH
        v.fill(d, 1, 50 - d, 12, t["face"])
        v.vline(d, 1, 12, t["hi"])
        v.vline(48, 1, 12, t["lo"])
        v.vline(49, 0, 13, t["edge"])
        lamp = t["accent"] if active else t["accent_off"]
        v.fill(d + 2, 4, 2, 6, lamp)
        self.button(v, *COMPACT_COMPACT_BUTTON, "compact", active)
        self.button(v, *COMPACT_CLOSE_BUTTON, "close", active)

    # text.bmp and Posbar.bmp -----------------------------------------------------------------------

    def text(self):
        t = self.t
        c = Canvas(*TEXT_SIZE, fill=t["display"])
        v = c.view(0, 0, *TEXT_SIZE)
        for i in range(26):
            pixelfont.draw_glyph(v, 5 * i, 0, chr(ord("A") + i), t["glyph"])
        for d in range(10):
            pixelfont.draw_glyph(v, 5 * d, 6, str(d), t["glyph"])
        pixelfont.draw_glyph(v, 60, 6, ":", t["glyph"])
        pixelfont.draw_glyph(v, 75, 6, "-", t["glyph"])
        return c

    def posbar(self):
        t = self.t
        c = Canvas(*POSBAR_SIZE, fill=t["unused"])
        bar = _sub(c, POSBAR_BAR)
        self.sunken(bar, 0, 0, 95, 10, t["groove"])
        bar.hline(2, 92, 4, t["edge"])
        bar.hline(2, 92, 5, t["accent_off"])
        for x in range(4, 92, 10):
            bar.set(x, 7, t["lo"])
        for pressed in (False, True):
            v = _sub(c, POSBAR_THUMB[pressed])
            top, bottom = (t["thumb_hi"], t["thumb_pressed"]) if pressed else (t["thumb_hi"], t["thumb"])
            v.vgradient(0, 0, 29, 10, top, bottom)
            v.bevel(0, 0, 29, 10, t["thumb_hi"], t["edge"])
            ribs = t["accent"] if pressed else t["edge"]
            for x in (11, 14, 17):
                v.vline(x, 2, 7, ribs)
        return c
