"""Colour schemes and ornaments of the three skins we draw: the plug-in's built-in one and the two
skins of the stand-in host. Each also carries the Pledit.txt colours that go with it."""

from canvas import mix
import pixelfont


def _hex(c):
    return "#%02X%02X%02X" % c


def _foot_label(text):
    """A sunken name plate in the bottom-left piece."""
    def draw(drawer, v):
        t = drawer.t
        w = pixelfont.text_width(text) + 12
        drawer.sunken(v, 14, 10, w, 13, t["plate"])
        pixelfont.draw_text(v, 20, 14, text, t["title_text"])
        drawer.foot_groove(v, 14 + w + 3, 124)
        drawer.foot_groove(v, 6, 11)
    return draw


def _trackcase_foot(drawer, v):
    _foot_label("ZIP.MP3")(drawer, v)
    t = drawer.t
    # Three little track marks, as on a cassette label.
    for k in range(3):
        v.fill(74 + 8 * k, 14, 5, 5, t["accent"] if k == 0 else t["accent_off"])
        v.bevel(74 + 8 * k, 14, 5, 5, t["hi"], t["edge"])


def _classic_foot(drawer, v):
    _foot_label("PLAYLIST")(drawer, v)
    t = drawer.t
    for k in range(4):
        lamp = t["glyph"] if k == 1 else mix(t["glyph"], t["display"], 0.7)
        drawer.sunken(v, 76 + 9 * k, 13, 7, 7, t["display"])
        v.fill(78 + 9 * k, 15, 3, 3, lamp)


BLOSSOM = [
    "..p.p..",
    ".ppppp.",
    "ppPyPpp",
    ".pyyyp.",
    "ppPyPpp",
    ".ppppp.",
    "..p.p..",
]


def _blossom(v, x, y, theme, dim=False):
    petal = theme["petal"] if not dim else mix(theme["petal"], theme["face"], 0.5)
    v.pattern(x, y, BLOSSOM, {"p": petal, "P": mix(petal, (255, 255, 255), 0.4), "y": theme["pollen"]})


def _sakura_foot(drawer, v):
    t = drawer.t
    _foot_label("SAKURA")(drawer, v)
    for (x, y, dim) in ((58, 9, False), (70, 20, True), (82, 7, False), (96, 17, False), (109, 24, True)):
        _blossom(v, x, y, t, dim)


def _sakura_corner(drawer, v):
    _blossom(v, 108, 22, drawer.t, False)


def _sakura_title_factory(theme):
    def draw(v, active):
        _blossom(v, 9, 6, theme, not active)
        _blossom(v, 84, 6, theme, not active)
    return draw


def _base(**kw):
    t = dict(kw)
    t.setdefault("title_top", mix(t["hi"], t["face"], 0.35))
    t.setdefault("title_bottom", mix(t["face"], t["lo"], 0.5))
    t.setdefault("title_top_off", mix(t["title_top"], t["lo"], 0.45))
    t.setdefault("title_bottom_off", mix(t["title_bottom"], t["lo"], 0.45))
    t.setdefault("button", t["face"])
    t.setdefault("button_hi", t["hi"])
    t.setdefault("thumb", t["face"])
    t.setdefault("thumb_hi", t["hi"])
    t.setdefault("unused", t["edge"])
    t.setdefault("list_bg", t["display"])
    t.setdefault("plate_off", mix(t["plate"], t["lo"], 0.3))
    return t


TRACKCASE = _base(
    name="Trackcase",
    title="TRACKCASE",
    hi=(150, 164, 190), face=(78, 88, 108), lo=(46, 52, 66), edge=(16, 18, 24),
    accent=(96, 200, 255), accent_off=(92, 100, 120),
    plate=(22, 26, 36), title_text=(150, 220, 255), title_text_off=(110, 120, 140),
    display=(0, 0, 0), glyph=(0, 232, 64),
    groove=(30, 34, 44), symbol=(210, 230, 250), symbol_off=(130, 140, 160),
    thumb_pressed=(96, 200, 255),
    decorate_foot=_trackcase_foot,
    colours={"Normal": (0, 255, 0), "Current": (255, 255, 255), "NormalBG": (0, 0, 0),
             "SelectedBG": (0, 0, 255)},
)

CLASSIC = _base(
    name="Classic",
    title="TRACK LIST",
    hi=(168, 166, 150), face=(104, 102, 92), lo=(62, 60, 54), edge=(20, 20, 18),
    accent=(232, 196, 64), accent_off=(124, 120, 104),
    plate=(10, 12, 8), title_text=(232, 196, 64), title_text_off=(128, 124, 108),
    display=(0, 0, 0), glyph=(0, 255, 0),
    groove=(36, 36, 32), symbol=(236, 232, 214), symbol_off=(150, 146, 132),
    thumb_pressed=(232, 196, 64),
    decorate_foot=_classic_foot,
    colours={"Normal": (0, 224, 0), "Current": (255, 255, 160), "NormalBG": (0, 0, 0),
             "SelectedBG": (32, 56, 128)},
)

SAKURA = _base(
    name="Sakura",
    title="SAKURA",
    hi=(236, 176, 216), face=(150, 88, 146), lo=(96, 50, 104), edge=(44, 18, 52),
    accent=(255, 196, 232), accent_off=(168, 122, 164),
    plate=(50, 20, 60), title_text=(255, 200, 236), title_text_off=(176, 132, 172),
    display=(40, 14, 48), glyph=(255, 168, 220),
    groove=(64, 30, 72), symbol=(255, 236, 248), symbol_off=(196, 160, 196),
    thumb_pressed=(255, 150, 210),
    petal=(255, 183, 221), pollen=(255, 230, 120),
    decorate_foot=_sakura_foot,
    decorate_corner=_sakura_corner,
    colours={"Normal": (255, 176, 220), "Current": (255, 255, 255), "NormalBG": (40, 14, 48),
             "SelectedBG": (122, 44, 128)},
)
SAKURA["decorate_title"] = _sakura_title_factory(SAKURA)


def pledit_txt(theme, font=None):
    lines = ["[Text]"]
    for key in ("Normal", "Current", "NormalBG", "SelectedBG"):
        lines.append("%s=%s" % (key, _hex(theme["colours"][key])))
    if font:
        lines.append("Font=%s" % font)
    return "\r\n".join(lines) + "\r\n"
