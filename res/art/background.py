"""The main window's background bitmap and a preview of the window on it.

The window's controls sit at fixed client pixels (below); the picture keeps
those places plain and puts its design around them: the program's title at
the top left, and a steel-blue panel that frames the macro list and carries
the two rows of command buttons on tabs at its top and bottom right. The
button captions are drawn black (light grey while hovered), so the tabs are
a middle tone that carries both; the links are blue, so they stay on the
light ground above the panel.
"""

from PIL import Image, ImageChops, ImageDraw, ImageFont

import icons
from paint import (SANS, SANS_BOLD, Canvas, Circle, Linear, RRect, Text, cut,
                   mix, shade, vgrad)

SIZE = (683, 464)
LIST = (33, 75, 650, 397)                     # left, top, right, bottom
BUTTON_SIZE = (90, 30)
TOP_BUTTONS = [(250, 46), (350, 46), (445, 46), (550, 46)]
BOTTOM_BUTTONS = [(250, 401), (350, 401), (445, 401), (550, 401)]
LINKS = [(460, 20, "Share Macro"), (560, 20, "Feedback")]

GROUND_TOP, GROUND_BOTTOM = (242, 245, 250), (212, 220, 233)
PANEL_TOP, PANEL_BOTTOM = (130, 156, 194), (106, 132, 175)
PANEL_EDGE = (58, 78, 118)
INK = (26, 44, 84)                            # title text

# the panel's outline: a frame round the list, with tabs for the buttons
PANEL_LEFT, PANEL_RIGHT = 22, 661
BODY_TOP, BODY_BOTTOM = 66, 408
TAB_LEFT, TAB_TOP, TAB_BOTTOM = 238, 40, 440
RADIUS = 9


def _panel_mask(cv, grow=0.0):
    r = RADIUS
    parts = [RRect(PANEL_LEFT, BODY_TOP, PANEL_RIGHT, BODY_BOTTOM, r),
             RRect(TAB_LEFT, TAB_TOP, PANEL_RIGHT, BODY_TOP + 2 * r, r),
             RRect(TAB_LEFT, BODY_BOTTOM - 2 * r, PANEL_RIGHT, TAB_BOTTOM, r)]
    m = cv.mask(*parts, grow=grow)
    # concave fillets where the tabs meet the body
    cx = TAB_LEFT - r
    for cy, y0, y1 in ((BODY_TOP - r, BODY_TOP - r, BODY_TOP - grow),
                       (BODY_BOTTOM + r, BODY_BOTTOM + grow, BODY_BOTTOM + r)):
        square = cv.mask(RRect(cx, y0, TAB_LEFT - grow, y1))
        m.paste(255, (0, 0), cut(square, cv.mask(Circle(cx, cy, r - grow))))
    return m


def background():
    cv = Canvas(*SIZE, ss=4)
    w, h = SIZE
    everything = cv.mask(RRect(0, 0, w, h))
    cv.paint(everything, Linear((0, 0), GROUND_TOP, (0, h), GROUND_BOTTOM))
    # a soft light where the title sits
    cv.paint(cv.glow((-160, -150, 420, 200)), (255, 255, 255), 0.7)
    cv.shadow(_panel_mask(cv), (0, 2), 3, 0.28, (20, 30, 60))
    cv.paint(_panel_mask(cv, grow=1), PANEL_EDGE)
    body = _panel_mask(cv)
    cv.paint(body, Linear((0, TAB_TOP), PANEL_TOP, (0, TAB_BOTTOM), PANEL_BOTTOM))
    # a one-pixel highlight just inside the panel's upper edges
    rim = cut(body, _shifted(cv, body, 1))
    cv.paint(rim, (255, 255, 255), 0.35)
    # the list's well: dark line right round it, light line below and right
    l, t, r, b = LIST
    cv.paint(cut(cv.mask(RRect(l - 2, t - 2, r + 2, b + 2, 2)),
                 cv.mask(RRect(l - 1, t - 1, r + 1, b + 1))), shade(PANEL_TOP, 1.25), 0.9)
    cv.paint(cut(cv.mask(RRect(l - 2, t - 2, r + 1, b + 1, 2)),
                 cv.mask(RRect(l - 1, t - 1, r + 1, b + 1))), PANEL_EDGE)
    cv.paint(cv.mask(RRect(l - 1, t - 1, r + 1, b + 1)), (40, 56, 90))
    cv.paint(cv.mask(RRect(l, t, r, b)), (255, 255, 255))
    _title(cv)
    img = cv.result().convert("RGB")
    _tagline(img)
    return img


def _shifted(cv, mask, dy):
    return ImageChops.offset(mask, 0, int(dy * cv.k))


def _title(cv):
    mark = icons.mark_icon(52)
    big = mark.resize((52 * cv.k, 52 * cv.k), Image.LANCZOS)
    cv.img.alpha_composite(big, (20 * cv.k, 9 * cv.k))
    name = Text("Kestrune", 82, 43, 29, SANS_BOLD, anchor="ls")
    emboss = Text("Kestrune", 82, 44, 29, SANS_BOLD, anchor="ls")
    cv.paint(cv.mask(emboss), (255, 255, 255), 0.8)
    cv.paint(cv.mask(name), vgrad(shade(INK, 1.6), INK))
    brand = Text("B R E N V I K", 84, 16, 9.5, SANS_BOLD, anchor="ls")
    cv.paint(cv.mask(brand), mix(INK, GROUND_TOP, 0.35))


def _tagline(img):
    d = ImageDraw.Draw(img)
    font = ImageFont.truetype(SANS, 10)
    d.text((84, 57), "Mouse and keyboard macros", font=font,
           fill=mix(INK, GROUND_TOP, 0.3), anchor="ls")


# ---------------------------------------------------------------- preview

def darker(icon):
    """The program's normal-state copy of a button icon: every channel down
    by a quarter, drawn through the icon's mask (its alpha is not kept)."""
    out = Image.new("RGBA", icon.size, (0, 0, 0, 0))
    src, dst = icon.load(), out.load()
    for y in range(icon.size[1]):
        for x in range(icon.size[0]):
            r, g, b, a = src[x, y]
            if a >= 128:
                dst[x, y] = (r - r // 4, g - g // 4, b - b // 4, 255)
    return out


def preview(bg, button_icons, hovered=None):
    """The window as a user will see it: background, a mock list, the links
    and the buttons (normal state, but `hovered` shown hovered)."""
    img = bg.convert("RGBA")
    d = ImageDraw.Draw(img)
    font = ImageFont.truetype(SANS, 11)
    l, t, r, b = LIST
    d.rectangle((l, t, r - 1, t + 19), fill=(236, 236, 236))
    d.line((l, t + 19, r - 1, t + 19), fill=(160, 160, 160))
    x = l
    for title, width in (("Enable", 50), ("Name", 100), ("Start Key", 60),
                         ("End Key", 60), ("Description", 330)):
        d.text((x + 6, t + 4), title, font=font, fill=(0, 0, 0))
        x += width
        d.line((x - 1, t + 2, x - 1, t + 17), fill=(180, 180, 180))
    rows = [("Open reports", "Ctrl+F1", "Esc", "Opens the three morning reports"),
            ("Fill timesheet", "Ctrl+F2", "Esc", "Types the week's hours"),
            ("Backup notes", "F9", "F10", "Copies the notes folder")]
    for i, (name, start, end, desc) in enumerate(rows):
        y = t + 20 + i * 17
        d.rectangle((l + 4, y + 3, l + 14, y + 13), outline=(28, 81, 128), fill=(255, 255, 255))
        if i != 2:
            d.line((l + 6, y + 8, l + 8, y + 10, l + 12, y + 5), fill=(33, 161, 33), width=2)
        for text, col in ((name, 50), (start, 150), (end, 210), (desc, 270)):
            d.text((l + col + 6, y + 2), text, font=font, fill=(0, 0, 0))
        d.line((l, y + 16, r - 1, y + 16), fill=(226, 226, 226))
    link_font = ImageFont.truetype(SANS, 13)
    for x, y, text in LINKS:
        d.text((x, y), text, font=link_font, fill=(0, 0, 255))
        width = d.textlength(text, font=link_font)
        d.line((x, y + 15, x + width, y + 15), fill=(0, 0, 255))
    places = TOP_BUTTONS + BOTTOM_BUTTONS
    for (x, y), (caption, icon) in zip(places, button_icons):
        on = caption == hovered
        shown = icon if on else darker(icon)
        img.alpha_composite(shown, (x + 3, y - 1))
        left = x + 3 + 32
        width = d.textlength(caption, font=font)
        d.text((left + (x + BUTTON_SIZE[0] - left - width) // 2, y + 8), caption,
               font=font, fill=(0xCC, 0xCC, 0xCC) if on else (0, 0, 0))
    return img.convert("RGB")
