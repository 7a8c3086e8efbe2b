"""The program's icons and cursor, each size drawn for its size.

One family for the command buttons: a bold shape with a one-pixel dark
outline of its own hue, lit from above (lighter top), a sheen on the larger
sizes, nothing semi-transparent but the anti-aliased edge. The outline keeps
every icon readable on light and dark backgrounds and in its darkened copy.
"""

import math

from PIL import Image

from paint import Canvas, Circle, Poly, RRect, Stroke, Text, cut, dgrad, shade, vgrad

OUTLINE = 1.0


def _solid(cv, shapes, base, light=1.5, dark=0.82, edge=0.42):
    """A shape filled top-light in `base`, outlined in a dark shade of it."""
    return cv.outlined(shapes, vgrad(shade(base, light), shade(base, dark)),
                       shade(base, edge), OUTLINE)


def _scaled(points, s, dx=0.0, dy=0.0):
    return [(x * s + dx, y * s + dy) for x, y in points]


def _between(p, q, t):
    return (p[0] + (q[0] - p[0]) * t, p[1] + (q[1] - p[1]) * t)


def _pixels(cv, art, palette, x0=0, y0=0):
    """Paints pixel art: one string per row, one character per pixel,
    each character a colour of `palette`; others are left clear."""
    for ch, colour in palette.items():
        cells = [RRect(x0 + x, y0 + y, x0 + x + 1, y0 + y + 1)
                 for y, row in enumerate(art) for x, c in enumerate(row) if c == ch]
        if cells:
            cv.paint(cv.mask(*cells), colour)


# ---------------------------------------------------------------- buttons

GREEN = (40, 168, 56)
RED = (214, 38, 34)
BLUE = (30, 112, 214)
STEEL = (132, 148, 176)


def run_icon(n):
    """Run: a green play triangle."""
    cv = Canvas(n)
    if n == 16:
        tri = Poly([(5, 3.5), (12.5, 8), (5, 12.5)], round=1)
    else:
        s = n / 32
        tri = Poly(_scaled([(10, 6.5), (25.5, 16), (10, 25.5)], s), round=2.5 * s)
    m = _solid(cv, tri, GREEN)
    if n > 16:
        cv.gloss(m, (6 * s, 2 * s, 27 * s, 17 * s))
    return cv.result()


def record_icon(n):
    """Record: a red dot."""
    cv = Canvas(n)
    c = n / 2
    r = 6 if n == 16 else 11.5 * n / 32
    m = _solid(cv, Circle(c, c, r), RED, light=1.55)
    if n > 16:
        cv.gloss(m, (c - 0.75 * r, c - r, c + 0.75 * r, c + 0.1 * r), 0.55)
    return cv.result()


HELP_16 = [
    ".WWWW.",
    "WW..WW",
    "....WW",
    "...WW.",
    "..WW..",
    "......",
    "..WW..",
]


def help_icon(n):
    """Help: a white question mark on a blue disc."""
    cv = Canvas(n)
    c = n / 2
    if n == 16:
        _solid(cv, Circle(8, 8, 6.5), BLUE, light=1.45)
        _pixels(cv, HELP_16, {"W": (255, 255, 255)}, 5, 4)
        return cv.result()
    s = n / 32
    m = _solid(cv, Circle(c, c, 13 * s), BLUE, light=1.45)
    cv.gloss(m, (c - 10 * s, c - 13 * s, c + 10 * s, c + 1 * s), 0.4)
    glyph = Text("?", c + 0.2 * s, c + 0.8 * s, 21 * s)
    cv.paint(cv.mask(glyph, grow=0.6 * s), shade(BLUE, 0.5), 0.5)
    cv.paint(cv.mask(glyph), (255, 255, 255))
    return cv.result()


def schedule_icon(n):
    """Schedule: a clock face with a blue rim."""
    cv = Canvas(n)
    face_light, face_dark = (255, 255, 255), (214, 224, 238)
    navy = (24, 40, 78)
    if n == 16:
        c = 7.5
        _solid(cv, Circle(c + 0.5, c + 0.5, 7), BLUE, light=1.45)
        cv.paint(cv.mask(Circle(c + 0.5, c + 0.5, 5)), vgrad(face_dark, face_light))
        cv.paint(cv.mask(RRect(7, 4, 8, 8), RRect(7, 7, 11, 8)), navy)
        return cv.result()
    s = n / 32
    c = n / 2
    m = _solid(cv, Circle(c, c, 14 * s), BLUE, light=1.45)
    cv.gloss(m, (c - 11 * s, c - 14 * s, c + 11 * s, c), 0.35)
    cv.paint(cv.mask(Circle(c, c, 11 * s), grow=0.8 * s), shade(BLUE, 0.45))
    cv.paint(cv.mask(Circle(c, c, 11 * s)), vgrad(face_dark, face_light))
    for i in range(12):
        a = math.radians(i * 30)
        r0 = 8 * s if i % 3 == 0 else 9 * s
        p0 = (c + r0 * math.sin(a), c - r0 * math.cos(a))
        p1 = (c + 9.8 * s * math.sin(a), c - 9.8 * s * math.cos(a))
        cv.paint(cv.mask(Stroke([p0, p1], (1.4 if i % 3 == 0 else 0.9) * s)),
                 (110, 124, 150) if i % 3 else navy)
    cv.paint(cv.mask(Stroke([(c, c), (c, c - 8 * s)], 1.8 * s)), navy)
    cv.paint(cv.mask(Stroke([(c, c), (c + 5.5 * s, c + 2.5 * s)], 2.2 * s)), navy)
    cv.paint(cv.mask(Circle(c, c, 1.7 * s)), (220, 60, 40))
    return cv.result()


def gear_points(cx, cy, r_out, r_in, teeth, phase=-90.0):
    pitch = 360.0 / teeth
    pts = []
    for i in range(teeth):
        a = phase + i * pitch
        for da, r in ((-0.30, r_in), (-0.17, r_out), (0.17, r_out), (0.30, r_in)):
            t = math.radians(a + da * pitch)
            pts.append((cx + r * math.cos(t), cy + r * math.sin(t)))
        t = math.radians(a + 0.5 * pitch)
        pts.append((cx + r_in * math.cos(t), cy + r_in * math.sin(t)))
    return pts


def options_icon(n):
    """Options: a steel gear with a hole through it."""
    cv = Canvas(n)
    c = n / 2
    if n == 16:
        r_out, r_in, hole, rnd = 7.0, 5.0, 2.0, 0.3
    else:
        s = n / 32
        r_out, r_in, hole, rnd = 13.5 * s, 10.2 * s, 4.2 * s, 0.6 * s
    gear = Poly(gear_points(c, c, r_out - rnd, r_in - rnd, 8), round=rnd)
    edge = shade(STEEL, 0.38)
    cv.paint(cut(cv.mask(gear, grow=OUTLINE), cv.mask(Circle(c, c, hole))), edge)
    body = cut(cv.mask(gear), cv.mask(Circle(c, c, hole + OUTLINE)))
    cv.paint(body, dgrad(shade(STEEL, 1.75), shade(STEEL, 0.8)))
    if n > 16:
        ring = cut(cv.mask(Circle(c, c, 7.4 * s)), cv.mask(Circle(c, c, 6.2 * s)))
        cv.paint(ring, shade(STEEL, 0.55), 0.6)
        cv.gloss(body, (c - 12 * s, c - 14 * s, c + 12 * s, c + 1 * s), 0.4)
    return cv.result()


def _pencil_parts(tip, length, hw, marks):
    """Polygons of a pencil lying from `tip` up to the right, as
    (points, colour) pairs; `marks` gives where the cone, body, ferrule
    and eraser start along it."""
    d = (1 / math.sqrt(2), -1 / math.sqrt(2))
    nrm = (1 / math.sqrt(2), 1 / math.sqrt(2))

    def at(t, w):
        return (tip[0] + d[0] * t + nrm[0] * w, tip[1] + d[1] * t + nrm[1] * w)

    lead_end, cone_end, body_end, ferrule_end = marks
    yellow = [(255, 226, 110), (250, 190, 40), (220, 140, 20)]
    parts = [([at(0, 0), at(cone_end, -hw), at(cone_end, hw)], (242, 208, 160))]
    f = lead_end / cone_end
    parts.append(([at(0, 0), at(lead_end, -hw * f), at(lead_end, hw * f)], (60, 56, 64)))
    facets = yellow if hw > 3 else [yellow[0], yellow[2]]   # lit, middle, shaded
    for i, colour in enumerate(facets):
        w0 = -hw + 2 * hw * i / len(facets)
        w1 = -hw + 2 * hw * (i + 1) / len(facets)
        parts.append(([at(cone_end, w0), at(body_end, w0), at(body_end, w1),
                       at(cone_end, w1)], colour))
    parts.append(([at(body_end, -hw), at(ferrule_end, -hw), at(ferrule_end, hw),
                   at(body_end, hw)], (200, 208, 220)))
    parts.append(([at(ferrule_end, -hw), at(length, -hw), at(length, hw),
                   at(ferrule_end, hw)], (240, 128, 150)))
    outline = [at(0, 0), at(cone_end, -hw), at(length, -hw), at(length, hw),
               at(cone_end, hw)]
    return parts, outline


def edit_icon(n):
    """Edit: a yellow pencil."""
    cv = Canvas(n)
    if n == 16:
        parts, outline = _pencil_parts((1.6, 14.4), 16.4, 2.6, (2.0, 4.6, 11.6, 13.2))
    else:
        s = n / 32
        parts, outline = _pencil_parts((3.2 * s, 28.8 * s), 31 * s, 4.6 * s,
                                       (3.6 * s, 8.5 * s, 22.5 * s, 25.5 * s))
    cv.paint(cv.mask(Poly(outline, round=0.5), grow=OUTLINE), (70, 46, 24))
    for pts, colour in parts:
        cv.paint(cv.mask(Poly(pts)), colour)
    if n > 16:
        # grooves on the ferrule
        p = parts[-2][0]
        for t in (0.33, 0.66):
            a = _between(p[0], p[1], t)
            b = _between(p[3], p[2], t)
            cv.paint(cv.mask(Stroke([a, b], 0.8 * s)), (120, 130, 148))
    return cv.result()


def _page(cv, n):
    """A sheet with a folded corner: the macro file the command acts on."""
    if n == 16:
        x0, y0, x1, y1, fold = 2, 1, 12, 15, 4
        lines = [(6, 5), (8, 3), (10, 3), (12, 2)]
    else:
        s = n / 32
        x0, y0, x1, y1, fold = 5 * s, 2 * s, 23 * s, 29 * s, 7 * s
        lines = [(y * s, w * s) for y, w in ((12, 12), (16, 12), (20, 9), (24, 6))]
    sheet = Poly([(x0, y0), (x1 - fold, y0), (x1, y0 + fold), (x1, y1), (x0, y1)])
    cv.outlined(sheet, vgrad((255, 255, 255), (208, 218, 234)), (78, 92, 120), OUTLINE)
    flap = Poly([(x1 - fold, y0), (x1 - fold, y0 + fold), (x1, y0 + fold)])
    cv.outlined(flap, (196, 208, 228), (78, 92, 120), 0.5 if n == 16 else 0.7)
    h, left = (1, x0 + 2) if n == 16 else (1.5 * n / 32, x0 + 3 * n / 32)
    for y, w in lines:
        cv.paint(cv.mask(RRect(left, y, left + w, y + h, h / 2)), (150, 170, 204))


def add_icon(n):
    """Add: a page with a green plus."""
    cv = Canvas(n)
    _page(cv, n)
    if n == 16:
        bars = [RRect(8, 10, 15, 13), RRect(10, 8, 13, 15)]
    else:
        s = n / 32
        bars = [RRect(16 * s, 20 * s, 30 * s, 25 * s, 0.8 * s),
                RRect(20.5 * s, 15.5 * s, 25.5 * s, 29.5 * s, 0.8 * s)]
    m = _solid(cv, bars, GREEN, light=1.6)
    if n > 16:
        cv.gloss(m, (14 * s, 13 * s, 32 * s, 23 * s), 0.35)
    return cv.result()


def _bar(cx, cy, angle, half_len, half_w, rnd):
    a = math.radians(angle)
    ux, uy = math.cos(a), math.sin(a)
    vx, vy = -uy, ux
    L, W = half_len - rnd, half_w - rnd
    return Poly([(cx + ux * L + vx * W, cy + uy * L + vy * W),
                 (cx - ux * L + vx * W, cy - uy * L + vy * W),
                 (cx - ux * L - vx * W, cy - uy * L - vy * W),
                 (cx + ux * L - vx * W, cy + uy * L - vy * W)], round=rnd)


CROSS_16 = [
    ".KK...KK.",
    "KLLK.KLLK",
    "KLLLKLLLK",
    ".KLLLLLK.",
    "..KRRRK..",
    ".KRRRRRK.",
    "KRRRKRRRK",
    "KRRK.KRRK",
    ".KK...KK.",
]


def remove_icon(n):
    """Remove: a page with a red cross."""
    cv = Canvas(n)
    _page(cv, n)
    if n == 16:
        _pixels(cv, CROSS_16, {"K": shade(RED, 0.42), "L": shade(RED, 1.45),
                               "R": RED}, 7, 7)
        return cv.result()
    s = n / 32
    c, hl, hw, rnd = 23 * s, 8.5 * s, 2.7 * s, 0.8 * s
    bars = [_bar(c, c, 45, hl, hw, rnd), _bar(c, c, -45, hl, hw, rnd)]
    m = _solid(cv, bars, RED, light=1.6)
    cv.gloss(m, (c - 9 * s, c - 10 * s, c + 9 * s, c + 1 * s), 0.35)
    return cv.result()


BUTTONS = [
    # resource number, file name, caption, drawing
    (133, "button-run.ico", "Run", run_icon),
    (195, "button-schedule.ico", "Schedule", schedule_icon),
    (137, "button-options.ico", "Options", options_icon),
    (136, "button-help.ico", "Help", help_icon),
    (207, "button-record.ico", "Record", record_icon),
    (135, "button-edit.ico", "Edit", edit_icon),
    (138, "button-remove.ico", "Remove", remove_icon),
    (134, "button-add.ico", "Add", add_icon),
]


# ---------------------------------------------------------------- the mark

POINTER = [(0, 0), (0, 0.78), (0.19, 0.61), (0.33, 0.92), (0.46, 0.86),
           (0.33, 0.56), (0.58, 0.56)]
ORANGE = (246, 142, 26)
BADGE_16 = [
    "..KKK..",
    ".KLLLK.",
    "KLWLLLK",
    "KOWWOOK",
    "KOWOOOK",
    ".KOOOK.",
    "..KKK..",
]
POINTER_16 = [
    "K......",
    "KK.....",
    "KWK....",
    "KWWK...",
    "KWWWK..",
    "KWWWWK.",
    "KWWWWWK",
    "KWWKKKK",
    "KWK....",
    "KK.....",
    "K......",
]


def mark_icon(n, tray=False):
    """The program's mark: a blue key cap with a mouse pointer on it and an
    orange play badge, for keyboard and mouse macros that run by themselves.
    Any size from 16 up; the tray version has a flat, brighter cap."""
    cv = Canvas(n)
    navy = (16, 30, 70)
    face_top, face_bottom = (112, 178, 250), (34, 94, 196)
    if tray:
        face_top, face_bottom = (120, 190, 255), (40, 110, 220)
    if n <= 16:
        cv.outlined(RRect(1, 1, 15, 15, 3), (24, 56, 130), navy, OUTLINE)
        face_box = (1, 1, 15, 15) if tray else (1, 1, 15, 14)
        cv.paint(cv.mask(RRect(*face_box, 3)), vgrad(face_top, face_bottom))
        if tray:
            rim = cut(cv.mask(RRect(1, 1, 15, 15, 3)), cv.mask(RRect(2, 2, 14, 14, 2)))
            cv.paint(rim, (255, 255, 255), 0.35)
        _pixels(cv, POINTER_16, {"K": navy, "W": (255, 255, 255)}, 3, 2)
        _pixels(cv, BADGE_16, {"K": (110, 44, 8), "L": shade(ORANGE, 1.35),
                               "O": ORANGE, "W": (255, 255, 255)}, 9, 9)
        return cv.result()
    s = n / 48
    base = RRect(2 * s, 2 * s, 46 * s, 46 * s, 9 * s)
    cv.outlined(base, vgrad((30, 66, 146), (14, 36, 92)), navy, OUTLINE * max(1, s * 0.75))
    face = RRect(4.5 * s, 3.5 * s, 43.5 * s, 41.5 * s if not tray else 43.5 * s, 7.5 * s)
    fm = cv.mask(face)
    cv.paint(fm, vgrad(face_top, face_bottom))
    cv.gloss(fm, (-4 * s, -14 * s, 52 * s, 22 * s), 0.3)
    pointer = Poly(_scaled(POINTER, 26 * s, 10 * s, 6 * s), round=0.4 * s)
    cv.shadow(cv.mask(pointer), (1.2 * s, 1.5 * s), 1.0 * s, 0.35, navy)
    cv.outlined(pointer, vgrad((255, 255, 255), (222, 230, 242)), navy, 1.3 * s)
    badge = Circle(35 * s, 35 * s, 8.5 * s)
    bm = cv.outlined(badge, vgrad(shade(ORANGE, 1.45), shade(ORANGE, 0.9)),
                     (112, 46, 8), 1.2 * s)
    cv.gloss(bm, (27 * s, 26 * s, 43 * s, 35 * s), 0.45)
    cv.paint(cv.mask(Poly(_scaled([(32.4, 30.8), (39.6, 35), (32.4, 39.2)], s),
                          round=0.8 * s)), (255, 255, 255))
    return cv.result()


# ---------------------------------------------------------------- cursor

HAND = [
    "....KK..........",
    "...KWWK.........",
    "...KWWK.........",
    "...KWWK.........",
    "...KWWK.........",
    "...KWWKKK.......",
    "...KWWKWWKKK....",
    "...KWWKWWKWWKKK.",
    "...KWWKWWKWWKWWK",
    "...KWWKWWKWWKWWK",
    ".KKKWWWWWWWWWWWK",
    "KWWKWWWWWWWWWWWK",
    "KWWWKWWWWWWWWWWK",
    ".KWWWWWWWWWWWWWK",
    "..KWWWWWWWWWWWWK",
    "..KWWWWWWWWWWWWK",
    "...KWWWWWWWWWWK.",
    "...KWWWWWWWWWWK.",
    "....KWWWWWWWWK..",
    "....KWWWWWWWWK..",
    "....KKKKKKKKKK..",
]


def hand_cursor():
    """A pointing hand, 32 x 32, drawn pixel by pixel so that it is as crisp
    as the system's own cursors; returns (image, hot spot at the fingertip)."""
    cv = Canvas(32, ss=1)
    _pixels(cv, HAND, {"K": (0, 0, 0), "W": (255, 255, 255)})
    return cv.result(), (5, 0)


# ---------------------------------------------------------------- colour picker

GLASS = (196, 222, 240)
BULB = (64, 72, 92)
COLLAR = (150, 156, 168)
INK = (220, 30, 36)


def _dropper(cv, tip, length, edge=1.0):
    """An eyedropper lying from its tip (bottom left) up to its rubber bulb
    (top right) at 45 degrees, `length` pixels from tip to bulb end: a glass
    tube with red ink in its point, a metal collar and the bulb."""
    ux, uy = 0.7071, -0.7071          # along the dropper, tip to bulb
    nx, ny = 0.7071, 0.7071           # across it
    s = length / 30.0

    def at(t, w):
        return (tip[0] + ux * t * s + nx * w * s, tip[1] + uy * t * s + ny * w * s)

    def band(t0, w0, t1, w1):
        return Poly([at(t0, -w0), at(t1, -w1), at(t1, w1), at(t0, w0)])

    dark = (24, 30, 44)
    tube = band(0.4, 0.9, 17.5, 2.3)
    cv.outlined([tube], GLASS, dark, edge)
    cv.paint(cv.mask(band(0.4, 0.9, 8.5, 1.6)), INK)
    cv.paint(cv.mask(Stroke([at(9.5, -0.9), at(16.5, -1.2)], 0.8 * s)), (246, 250, 252), 0.8)
    collar = band(17, 3.4, 20.5, 3.4)
    bulb = [band(20, 3.0, 26, 3.4), Circle(*at(26.2, 0), 3.8 * s)]
    cv.outlined(bulb, vgrad(shade(BULB, 1.6), BULB), dark, edge)
    cv.outlined([collar], vgrad(shade(COLLAR, 1.5), shade(COLLAR, 0.8)), dark, edge)


PICK_FACE = (236, 236, 236)   # near the button face the icon is shown on


def pick_icon():
    """The colour picker's pick icon, 32 x 32 on exact white, which the
    program makes transparent: so no pixel of the dropper is pure white, and
    its soft edge is blended onto a button-face grey, not onto the white."""
    cv = Canvas(32)
    _dropper(cv, (4.5, 27.5), 30)
    drawn = cv.result()
    out = Image.new("RGB", drawn.size, (255, 255, 255))
    face = Image.new("RGB", drawn.size, PICK_FACE)
    face.paste(drawn, (0, 0), drawn)
    alpha = drawn.getchannel("A")
    for y in range(drawn.size[1]):
        for x in range(drawn.size[0]):
            if alpha.getpixel((x, y)) >= 128:
                r, g, b = face.getpixel((x, y))
                out.putpixel((x, y), (r, g, min(b, 254)) if (r, g, b) == (255, 255, 255) else (r, g, b))
    return out


def pick_cursor():
    """The cursor while the pick icon is dragged: the dropper with its tip
    on the hot spot; returns (image, hot spot)."""
    cv = Canvas(32)
    _dropper(cv, (1.5, 30.5), 29)
    return cv.result(), (1, 30)
