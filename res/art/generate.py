#!/usr/bin/env python3
"""Generates Kestrune's icons, cursors, main-window background, the
editor's pane bitmaps, the colour picker's icon and the action picker's
pictures into res/.

The generated files are committed, so building the program never needs
Python or PIL; run this only to change the art, then commit its output:

    apt-get install -y python3-pil fonts-dejavu-core
    /usr/bin/python3 res/art/generate.py            # writes and checks
    /usr/bin/python3 res/art/generate.py --check    # only checks res/
    /usr/bin/python3 res/art/generate.py --sheet out.png   # icon sheet

Everything is drawn here from geometry and pixel maps (the only outside
input is the DejaVu font for the title text), so a run on the same Pillow
and FreeType gives the same bytes. It also writes res/art/preview.png: the
background with the list, links and buttons laid on it, for a person to
look at.
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)
sys.dont_write_bytecode = True          # leave no cache in the source tree

from PIL import Image  # noqa: E402

import actions  # noqa: E402
import background  # noqa: E402
import icons  # noqa: E402
import panes  # noqa: E402
import winfmt  # noqa: E402
from paint import SANS, SANS_BOLD  # noqa: E402

RES = os.path.dirname(HERE)
PREVIEW = os.path.join(HERE, "preview.png")
PANES_PREVIEW = os.path.join(HERE, "panes-preview.png")

# Image sizes in each icon file. The 32 x 32 image comes first, so that a
# load that asks for no particular size gets the standard one.
APP_SIZES = (32, 16, 48)
ICON_SIZES = (32, 16)


def icon_table():
    """Every icon file as (resource number, file name, drawing, sizes)."""
    table = [(128, "app.ico", icons.mark_icon, APP_SIZES),
             (131, "tray.ico", lambda n: icons.mark_icon(n, tray=True), ICON_SIZES)]
    for number, name, _, draw in icons.BUTTONS:
        table.append((number, name, draw, ICON_SIZES))
    return table


CURSOR = (143, "hand.cur")
PICK_CURSOR = (206, "pick-color.cur")
PICK_ICON = (202, "pick-color.bmp")
BACKGROUND = (132, "main-background.bmp")


def cursor_table():
    """Every cursor file as (resource number, file name, drawing)."""
    return [CURSOR + (icons.hand_cursor,), PICK_CURSOR + (icons.pick_cursor,)]


def write(name, data):
    with open(os.path.join(RES, name), "wb") as f:
        f.write(data)


def generate():
    for font in (SANS, SANS_BOLD):
        if not os.path.exists(font):
            sys.exit("missing %s: apt-get install fonts-dejavu-core" % font)
    for _, name, draw, sizes in icon_table():
        write(name, winfmt.icon_file([draw(n) for n in sizes]))
    for _, name, draw in cursor_table():
        picture, hot_spot = draw()
        write(name, winfmt.icon_file([picture], winfmt.CURSOR, [hot_spot]))
    write(PICK_ICON[1], winfmt.bmp24_file(icons.pick_icon()))
    bg = background.background()
    write(BACKGROUND[1], winfmt.bmp24_file(bg))
    captions = [(caption, draw(32)) for _, _, caption, draw in icons.BUTTONS]
    background.preview(bg, captions, hovered="Run").save(PREVIEW)
    for _, name, picture in panes.files() + actions.files():
        write(name, winfmt.bmp24_file(picture))
    panes.preview().save(PANES_PREVIEW)


def check():
    """Reads every file back and prints what it holds; exits non-zero on any
    fault (a bad header, a mask that disagrees with the alpha, a size or a
    hot spot that is not what the program expects)."""
    faults = []

    def expect(ok, text):
        if not ok:
            faults.append(text)

    for number, name, _, sizes in icon_table():
        kind, entries = _read(name, faults)
        if entries is None:
            continue
        found = [(e["width"], e["height"]) for e in entries]
        expect(kind == winfmt.ICON, "%s: not an icon" % name)
        expect(found == [(n, n) for n in sizes], "%s: sizes %s" % (name, found))
        expect(Image.open(os.path.join(RES, name)).format == "ICO",
               "%s: PIL does not read it as an icon" % name)
        print("%-22s icon   %3d  %s" % (name, number, ", ".join(
            "%dx%d %dbpp" % (e["width"], e["height"], e["bpp"]) for e in entries)))
    for number, name, _ in cursor_table():
        kind, entries = _read(name, faults)
        if entries is None:
            continue
        e = entries[0]
        expect(kind == winfmt.CURSOR and len(entries) == 1, "%s: not one cursor" % name)
        expect((e["width"], e["height"]) == (32, 32), "%s: not 32x32" % name)
        hx, hy = e["field1"], e["field2"]
        alpha = e["image"].getpixel((hx, hy))[3]
        expect(alpha >= winfmt.MASK_THRESHOLD, "%s: hot spot off the drawing" % name)
        print("%-22s cursor %3d  32x32 %dbpp, hot spot %d,%d" % (
            name, number, e["bpp"], hx, hy))
    with open(os.path.join(RES, BACKGROUND[1]), "rb") as f:
        data = f.read()
    try:
        info = winfmt.read_bmp24(data)
        expect((info["width"], info["height"]) == background.SIZE,
               "background: %dx%d" % (info["width"], info["height"]))
        print("%-22s bitmap %3d  %dx%d %dbpp bottom-up, %d bytes" % (
            BACKGROUND[1], BACKGROUND[0], info["width"], info["height"],
            info["bpp"], info["bytes"]))
    except winfmt.FormatError as e:
        faults.append("%s: %s" % (BACKGROUND[1], e))
    for number, name, picture in panes.files() + actions.files() + [PICK_ICON + (icons.pick_icon(),)]:
        with open(os.path.join(RES, name), "rb") as f:
            data = f.read()
        try:
            info = winfmt.read_bmp24(data)
            expect((info["width"], info["height"]) == picture.size,
                   "%s: %dx%d" % (name, info["width"], info["height"]))
            print("%-22s bitmap %3d  %dx%d %dbpp bottom-up" % (
                name, number, info["width"], info["height"], info["bpp"]))
        except winfmt.FormatError as e:
            faults.append("%s: %s" % (name, e))
    for fault in faults:
        print("FAULT:", fault)
    return not faults


def _read(name, faults):
    with open(os.path.join(RES, name), "rb") as f:
        data = f.read()
    try:
        return winfmt.read_icon_file(data)
    except winfmt.FormatError as e:
        faults.append("%s: %s" % (name, e))
        return None, None


def sheet(path, zoom=4):
    """Every icon and the cursor, as drawn and as the darker normal-state
    copy, on a light and a dark ground, enlarged."""
    rows = [[draw(n) for n in sorted(sizes, reverse=True)]
            for _, _, draw, sizes in icon_table()]
    rows.append([draw()[0] for _, _, draw in cursor_table()])
    grounds = [(240, 240, 240), (20, 20, 24)]
    width = max(sum(im.size[0] * zoom + 4 for im in r) for r in rows) * 4 + 40
    height = sum(max(im.size[1] for im in r) * zoom + 6 for r in rows)
    out = Image.new("RGB", (width, height), (255, 255, 255))
    y = 0
    for r in rows:
        x = 0
        for ground in grounds:
            for variant in (lambda im: im, background.darker):
                for im in r:
                    tile = Image.new("RGBA", im.size, ground + (255,))
                    tile.alpha_composite(variant(im))
                    big = tile.convert("RGB").resize(
                        (im.size[0] * zoom, im.size[1] * zoom), Image.NEAREST)
                    out.paste(big, (x, y))
                    x += im.size[0] * zoom + 4
                x += 10
        y += max(im.size[1] for im in r) * zoom + 6
    out.save(path)


def main(args):
    if args[:1] == ["--sheet"] and len(args) == 2:
        sheet(args[1])
        return 0
    if args not in ([], ["--check"]):
        print(__doc__)
        return 2
    if not args:
        generate()
    return 0 if check() else 1


if __name__ == "__main__":
    sys.exit(main(sys.argv[1:]))
