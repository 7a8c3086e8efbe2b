"""Vector drawing on a supersampled canvas, for the Kestrune art generator.

Coordinates are in output pixels (floats); pixel (i, j) covers the square
[i, i+1) x [j, j+1), so an edge on a whole number is a crisp edge. Shapes are
drawn SS times larger and box-filtered down with premultiplied alpha, which
gives exact area coverage at the edges.

Every shape can be drawn "grown" by a distance (its Minkowski sum with a disc):
an outline is the grown shape painted first, the shape's fill painted over it.
"""

import os

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_DIR = "/usr/share/fonts/truetype/dejavu"
SANS = os.path.join(FONT_DIR, "DejaVuSans.ttf")
SANS_BOLD = os.path.join(FONT_DIR, "DejaVuSans-Bold.ttf")


def rgb(c, alpha=255):
    return tuple(c[:3]) + (alpha,)


def shade(c, f):
    """Darker (f < 1) or lighter towards white (f > 1) copy of a colour."""
    if f <= 1:
        return tuple(int(v * f + 0.5) for v in c[:3])
    t = f - 1
    return tuple(int(v + (255 - v) * t + 0.5) for v in c[:3])


def mix(a, b, t):
    return tuple(int(a[i] + (b[i] - a[i]) * t + 0.5) for i in range(3))


# ---------------------------------------------------------------- shapes

class Shape:
    def draw(self, d, k, grow):
        raise NotImplementedError


class Poly(Shape):
    """A polygon, rounded by `round` (drawn as its points grown by it)."""

    def __init__(self, points, round=0.0):
        self.points = [tuple(p) for p in points]
        self.round = round

    def draw(self, d, k, grow):
        g = (self.round + grow) * k
        pts = [(x * k - 0.5, y * k - 0.5) for x, y in self.points]
        d.polygon(pts, fill=255)
        if g > 0.25:
            width = max(1, int(round(2 * g)))
            d.line(pts + [pts[0]], fill=255, width=width, joint="curve")
            for x, y in pts:
                d.ellipse((x - g, y - g, x + g, y + g), fill=255)


class Circle(Shape):
    def __init__(self, cx, cy, r):
        self.cx, self.cy, self.r = cx, cy, r

    def draw(self, d, k, grow):
        r = self.r + grow
        if r <= 0:
            return
        d.ellipse(((self.cx - r) * k, (self.cy - r) * k,
                   (self.cx + r) * k - 1, (self.cy + r) * k - 1), fill=255)


class Ellipse(Shape):
    def __init__(self, x0, y0, x1, y1):
        self.box = (x0, y0, x1, y1)

    def draw(self, d, k, grow):
        x0, y0, x1, y1 = self.box
        d.ellipse(((x0 - grow) * k, (y0 - grow) * k,
                   (x1 + grow) * k - 1, (y1 + grow) * k - 1), fill=255)


class RRect(Shape):
    """Axis-aligned rectangle [x0, x1) x [y0, y1) with corner radius r."""

    def __init__(self, x0, y0, x1, y1, r=0.0):
        self.box = (x0, y0, x1, y1)
        self.r = r

    def draw(self, d, k, grow):
        x0, y0, x1, y1 = self.box
        box = ((x0 - grow) * k, (y0 - grow) * k,
               (x1 + grow) * k - 1, (y1 + grow) * k - 1)
        r = max(0.0, self.r + grow) * k
        if r >= 1:
            d.rounded_rectangle(box, radius=r, fill=255)
        else:
            d.rectangle(box, fill=255)


class Stroke(Shape):
    """A polyline of the given width with round caps and joints."""

    def __init__(self, points, width):
        self.points = [tuple(p) for p in points]
        self.width = width

    def draw(self, d, k, grow):
        w = (self.width + 2 * grow) * k
        if w <= 0:
            return
        pts = [(x * k - 0.5, y * k - 0.5) for x, y in self.points]
        if len(pts) > 1:
            d.line(pts, fill=255, width=max(1, int(round(w))), joint="curve")
        r = w / 2
        for x, y in (pts[0], pts[-1]):
            d.ellipse((x - r, y - r, x + r, y + r), fill=255)


class Text(Shape):
    """A line of text; (x, y) is placed by `anchor` as in PIL."""

    def __init__(self, text, x, y, size, font=SANS_BOLD, anchor="mm"):
        self.text, self.x, self.y = text, x, y
        self.size, self.font, self.anchor = size, font, anchor

    def draw(self, d, k, grow):
        font = ImageFont.truetype(self.font, int(round(self.size * k)))
        d.text((self.x * k, self.y * k), self.text, font=font, fill=255,
               anchor=self.anchor, stroke_width=int(round(max(0, grow) * k)),
               stroke_fill=255)


# ---------------------------------------------------------------- fills

_PAD = 4096
_RAMP = None


def _ramp():
    """A 4-pixel-wide column: 0 for _PAD rows, 0..255, then 255 for _PAD rows."""
    global _RAMP
    if _RAMP is None:
        col = bytes([0] * _PAD + list(range(256)) + [255] * _PAD)
        _RAMP = Image.frombytes("L", (1, len(col)), col).resize(
            (4, len(col)), Image.NEAREST)
    return _RAMP


class Linear:
    """Linear gradient from colour c0 at point p0 to c1 at point p1.

    With relative=True the points are fractions of the painted mask's
    bounding box, so one gradient serves a shape wherever it is."""

    def __init__(self, p0, c0, p1, c1, relative=False):
        self.p0, self.p1, self.c0, self.c1 = p0, p1, c0, c1
        self.relative = relative

    def render(self, size, k, mask):
        (x0, y0), (x1, y1) = self.p0, self.p1
        if self.relative:
            bx0, by0, bx1, by1 = mask.getbbox() or (0, 0, 1, 1)
            x0, x1 = bx0 + x0 * (bx1 - bx0), bx0 + x1 * (bx1 - bx0)
            y0, y1 = by0 + y0 * (by1 - by0), by0 + y1 * (by1 - by0)
        else:
            x0, y0, x1, y1 = x0 * k, y0 * k, x1 * k, y1 * k
        vx, vy = x1 - x0, y1 - y0
        l2 = vx * vx + vy * vy or 1.0
        # source row = _PAD + 255 * t, with t the position along p0 -> p1
        e, f = 255 * vx / l2, 255 * vy / l2
        g = _PAD - 255 * (x0 * vx + y0 * vy) / l2
        t = _ramp().transform(size, Image.AFFINE, (0, 0, 2, e, f, g),
                              resample=Image.BILINEAR)
        return Image.composite(Image.new("RGBA", size, rgb(self.c1)),
                               Image.new("RGBA", size, rgb(self.c0)), t)


def vgrad(top, bottom):
    """Top-to-bottom gradient over the painted shape's own extent."""
    return Linear((0, 0), top, (0, 1), bottom, relative=True)


def dgrad(top_left, bottom_right):
    """Diagonal gradient over the painted shape's own extent."""
    return Linear((0.15, 0), top_left, (0.85, 1), bottom_right, relative=True)


# ---------------------------------------------------------------- canvas

class Canvas:
    def __init__(self, width, height=None, ss=8):
        self.w, self.h, self.k = width, height or width, ss
        self.size = (self.w * ss, self.h * ss)
        self.img = Image.new("RGBA", self.size, (0, 0, 0, 0))

    def mask(self, *shapes, grow=0.0):
        m = Image.new("L", self.size, 0)
        d = ImageDraw.Draw(m)
        for s in shapes:
            s.draw(d, self.k, grow)
        return m

    def paint(self, mask, fill, opacity=1.0):
        if isinstance(fill, tuple):
            layer = Image.new("RGBA", self.size, rgb(fill))
        else:
            layer = fill.render(self.size, self.k, mask)
        alpha = mask if opacity >= 1 else mask.point(
            lambda v: int(v * opacity + 0.5))
        layer.putalpha(ImageChops.multiply(layer.getchannel("A"), alpha))
        self.img.alpha_composite(layer)

    def outlined(self, shapes, fill, outline, width=1.0):
        """Paints the shapes grown by `width` in the outline colour, then
        their fill; returns the fill's mask for later clipping."""
        if not isinstance(shapes, (list, tuple)):
            shapes = [shapes]
        self.paint(self.mask(*shapes, grow=width), outline)
        m = self.mask(*shapes)
        self.paint(m, fill)
        return m

    def glow(self, box):
        """A mask that is full at the centre of ellipse `box` and fades
        to nothing at its edge."""
        k = self.k
        x0, y0, x1, y1 = (int(round(v * k)) for v in box)
        fade = Image.radial_gradient("L").point(lambda v: max(0, 255 - 2 * v))
        m = Image.new("L", self.size, 0)
        m.paste(fade.resize((x1 - x0, y1 - y0), Image.BILINEAR), (x0, y0))
        return m

    def gloss(self, within, box, opacity=0.45):
        """A soft white sheen: an ellipse `box` clipped to mask `within`,
        fading from the top of the ellipse to nothing at its bottom."""
        sheen = ImageChops.multiply(self.mask(Ellipse(*box)), within)
        fade = Linear((0, box[1]), (255, 255, 255), (0, box[3]), (0, 0, 0))
        ramp = fade.render(self.size, self.k, sheen).convert("L")
        self.paint(ImageChops.multiply(sheen, ramp), (255, 255, 255), opacity)

    def shadow(self, mask, offset, blur, opacity, colour=(0, 0, 0)):
        k = self.k
        m = ImageChops.offset(mask, int(offset[0] * k), int(offset[1] * k))
        m = m.filter(ImageFilter.GaussianBlur(blur * k))
        self.paint(m, colour, opacity)

    def result(self):
        if self.k == 1:
            return self.img.copy()
        small = self.img.convert("RGBa").resize((self.w, self.h), Image.BOX)
        return small.convert("RGBA")


def cut(a, b):
    return ImageChops.subtract(a, b)
