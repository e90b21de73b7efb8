#!/usr/bin/python3
"""Draws every picture of the project: the plug-in's own skin bitmaps, the About box pictures and
the link cursor (resources/), and the stand-in host's two skins (host/skins/<Name>/).

Standard library only. The outputs are committed, so the build never runs this; run it again
after changing a picture:

    /usr/bin/python3 tools/make_bitmaps.py            # rewrite the files
    /usr/bin/python3 tools/make_bitmaps.py --check    # exit 1 when a committed file is stale
    /usr/bin/python3 tools/make_bitmaps.py --preview DIR   # also: each skin put together as a window
"""

import argparse
import os
import sys

sys.path.insert(0, os.path.join(os.path.dirname(os.path.abspath(__file__)), "bitmaps"))

import bmpfile  # noqa: E402
import campaign  # noqa: E402
import preview  # noqa: E402
import themes  # noqa: E402
from skinpieces import PieceDrawer  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def skin_files(theme):
    drawer = PieceDrawer(theme)
    return {
        "pledit": bmpfile.encode_bmp8(drawer.pledit()),
        "text": bmpfile.encode_bmp8(drawer.text()),
        "posbar": bmpfile.encode_bmp8(drawer.posbar()),
    }


def outputs():
    """Every file this tool owns, as {path relative to the repository: bytes}."""
    files = {}
    own = skin_files(themes.TRACKCASE)
    files["resources/pledit.bmp"] = own["pledit"]
    files["resources/text.bmp"] = own["text"]
    files["resources/posbar.bmp"] = own["posbar"]
    files["resources/campaign.bmp"] = bmpfile.encode_bmp24(campaign.picture())
    files["resources/banner.bmp"] = bmpfile.encode_bmp24(campaign.banner())
    files["resources/hand.cur"] = bmpfile.encode_cursor(campaign.hand_rows(), campaign.HAND_HOTSPOT)
    for theme, font in ((themes.CLASSIC, None), (themes.SAKURA, None)):
        folder = "host/skins/%s/" % theme["name"]
        skin = skin_files(theme)
        files[folder + "Pledit.bmp"] = skin["pledit"]
        files[folder + "text.bmp"] = skin["text"]
        files[folder + "Posbar.bmp"] = skin["posbar"]
        files[folder + "Pledit.txt"] = themes.pledit_txt(theme, font).encode("ascii")
    return files


def main():
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--check", action="store_true", help="compare with the files on disk")
    parser.add_argument("--preview", metavar="DIR",
                        help="write each skin assembled as a window, hit regions outlined, to DIR")
    args = parser.parse_args()
    if args.preview:
        os.makedirs(args.preview, exist_ok=True)
        for theme in (themes.TRACKCASE, themes.CLASSIC, themes.SAKURA):
            for outline in (False, True):
                name = "%s%s.bmp" % (theme["name"], "-regions" if outline else "")
                picture = preview.window(PieceDrawer(theme), outline=outline)
                bmpfile.write(os.path.join(args.preview, name), bmpfile.encode_bmp24(picture))
    stale = []
    for rel, data in sorted(outputs().items()):
        path = os.path.join(ROOT, rel)
        if args.check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(rel)
            continue
        os.makedirs(os.path.dirname(path), exist_ok=True)
        bmpfile.write(path, data)
        print("wrote %s (%d bytes)" % (rel, len(data)))
    if stale:
        print("stale: " + ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
