"""A small RGB pixel canvas with the drawing operations the skin pictures need.

Coordinates are (x, y) from the top-left; everything outside the canvas is clipped, so a
piece can be drawn through a View without caring about its neighbours.
"""


def mix(a, b, t):
    """Colour between a (t = 0) and b (t = 1), rounded to whole channel values."""
    return tuple(int(round(a[i] + (b[i] - a[i]) * t)) for i in range(3))


class Canvas:
    def __init__(self, width, height, fill=(0, 0, 0)):
        self.width = width
        self.height = height
        self.pixels = [[tuple(fill) for _ in range(width)] for _ in range(height)]

    def get(self, x, y):
        return self.pixels[y][x]

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.pixels[y][x] = tuple(colour)

    def view(self, left, top, width, height):
        return View(self, left, top, width, height)

    def colours(self):
        return {c for row in self.pixels for c in row}


class View:
    """A rectangle of a canvas with its own origin; drawing never leaves the rectangle."""

    def __init__(self, canvas, left, top, width, height):
        self.canvas = canvas
        self.left = left
        self.top = top
        self.width = width
        self.height = height

    def set(self, x, y, colour):
        if 0 <= x < self.width and 0 <= y < self.height:
            self.canvas.set(self.left + x, self.top + y, colour)

    def get(self, x, y):
        return self.canvas.get(self.left + x, self.top + y)

    def fill(self, x, y, w, h, colour):
        for yy in range(y, y + h):
            for xx in range(x, x + w):
                self.set(xx, yy, colour)

    def hline(self, x0, x1, y, colour):
        for x in range(x0, x1 + 1):
            self.set(x, y, colour)

    def vline(self, x, y0, y1, colour):
        for y in range(y0, y1 + 1):
            self.set(x, y, colour)

    def vgradient(self, x, y, w, h, top, bottom):
        for i in range(h):
            t = i / (h - 1) if h > 1 else 0
            self.hline(x, x + w - 1, y + i, mix(top, bottom, t))

    def bevel(self, x, y, w, h, light, dark):
        """A one-pixel frame: `light` on the top and left, `dark` on the bottom and right."""
        self.hline(x, x + w - 1, y, light)
        self.vline(x, y, y + h - 1, light)
        self.hline(x, x + w - 1, y + h - 1, dark)
        self.vline(x + w - 1, y, y + h - 1, dark)

    def pattern(self, x, y, rows, palette):
        """Rows of characters; each character found in `palette` sets that colour."""
        for j, row in enumerate(rows):
            for i, ch in enumerate(row):
                if ch in palette:
                    self.set(x + i, y + j, palette[ch])

    def whole(self):
        return self
