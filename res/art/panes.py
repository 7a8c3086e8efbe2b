"""The macro editor's pane art: the caption bars (skins) of its five step
panes and the two 16 x 16 buttons drawn on them.

A skin is cut to its shape by the program: every pixel of the transparent
colour (magenta, within 8 per channel) is left out of the window. So the
rounded corners are drawn without a soft edge against magenta: the bar is
smoothed against the column's background colour and each pixel is then
either the bar or exact magenta.

The button is copied onto the bar with SRCPAINT (OR), so the bar leaves a
black disc where it goes and the button's own black ground leaves the bar
as it is.
"""

from PIL import Image

from paint import SANS_BOLD, Canvas, Circle, Linear, RRect, Stroke, Text, shade

SIZE = (315, 25)
MAGENTA = (255, 0, 255)
COLUMN = (0xEC, 0xE9, 0xD8)          # the column's background (0xD8E9EC)
BUTTON_AT = (SIZE[0] - 25, SIZE[1] - 21)   # where the pane copies its button
BUTTON = 16

# (resource number, file name, title, bar colour at the left)
SKINS = [
    (151, "pane-keys.bmp", "Keyboard Actions", (52, 96, 178)),
    (152, "pane-mouse.bmp", "Mouse Actions", (44, 128, 150)),
    (150, "pane-other.bmp", "Other Actions", (92, 84, 166)),
    (199, "pane-colour.bmp", "Color Conditions", (168, 84, 60)),
    (160, "pane-record.bmp", "Record Actions", (176, 52, 60)),
]
BUTTONS = [
    (153, "pane-expand.bmp", "down"),     # shown while collapsed
    (154, "pane-collapse.bmp", "up"),     # shown while expanded
]


def skin(title, colour):
    w, h = SIZE
    cv = Canvas(w, h)
    bar = cv.mask(RRect(0, 0, w, h + 6, 6))
    cv.paint(bar, Linear((0, 0), shade(colour, 1.35), (w, 0), colour))
    cv.paint(cv.mask(RRect(0, 0, w, h * 0.45, 6)), (255, 255, 255), 0.18)
    cv.paint(cv.mask(Text(title, 10, h / 2 + 0.5, 11.5, SANS_BOLD, "lm")),
             (255, 255, 255))
    cx, cy = BUTTON_AT[0] + BUTTON / 2, BUTTON_AT[1] + BUTTON / 2
    cv.paint(cv.mask(Circle(cx, cy, BUTTON / 2 - 0.5)), (0, 0, 0))
    drawn = cv.result()
    out = Image.new("RGB", SIZE, COLUMN)
    out.paste(drawn, (0, 0), drawn)
    alpha = drawn.getchannel("A")
    for y in range(h):
        for x in range(w):
            if alpha.getpixel((x, y)) < 128:
                out.putpixel((x, y), MAGENTA)
    return out


def button(direction):
    n = BUTTON
    cv = Canvas(n)
    cv.paint(cv.mask(Circle(n / 2, n / 2, n / 2 - 0.5)), (246, 248, 252))
    ink = (0, 0, 0)          # OR with the black disc: the ink shows as drawn
    for dy in (-2, 1.5):
        if direction == "down":
            pts = [(5, 6.5 + dy), (8, 9 + dy), (11, 6.5 + dy)]
        else:
            pts = [(5, 9.5 + dy), (8, 7 + dy), (11, 9.5 + dy)]
        cv.paint(cv.mask(Stroke(pts, 1.5)), (36, 60, 120))
    img = Image.new("RGB", (n, n), ink)
    drawn = cv.result()
    img.paste(drawn, (0, 0), drawn)
    return img


def files():
    """(resource number, file name, picture) of every pane bitmap."""
    out = [(number, name, skin(title, colour)) for number, name, title, colour in SKINS]
    out += [(number, name, button(direction)) for number, name, direction in BUTTONS]
    return out


def preview():
    """The five bars, the first two with the expanded button, on the column."""
    w, h = SIZE
    img = Image.new("RGB", (w + 20, (h + 8) * len(SKINS) + 12), COLUMN)
    buttons = {d: button(d) for _, _, d in BUTTONS}
    for i, (_, _, title, colour) in enumerate(SKINS):
        bar = skin(title, colour)
        b = buttons["up" if i < 2 else "down"]
        for y in range(BUTTON):
            for x in range(BUTTON):
                p = bar.getpixel((BUTTON_AT[0] + x, BUTTON_AT[1] + y))
                q = b.getpixel((x, y))
                bar.putpixel((BUTTON_AT[0] + x, BUTTON_AT[1] + y),
                             tuple(p[c] | q[c] for c in range(3)))
        mask = Image.new("L", SIZE, 255)
        for y in range(h):
            for x in range(w):
                if bar.getpixel((x, y)) == MAGENTA:
                    mask.putpixel((x, y), 0)
        img.paste(bar, (10, 8 + i * (h + 8)), mask)
    return img
