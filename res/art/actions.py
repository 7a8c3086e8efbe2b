"""The pictures of the action picker's tree: 16 x 16 on the tree's white
ground (the image list takes them as they are, without a mask)."""

from PIL import Image

from paint import Canvas, Circle, Poly, RRect, Stroke, cut, vgrad

SIZE = 16
GROUND = (255, 255, 255)


def program():
    """A program's window with a start arrow: "Run program"."""
    cv = Canvas(SIZE)
    cv.outlined(RRect(1.5, 2.5, 14.5, 13.5, 1), (250, 251, 253), (70, 84, 110))
    cv.paint(cv.mask(RRect(1.5, 2.5, 14.5, 5.5, 1)), vgrad((96, 150, 226), (40, 92, 178)))
    cv.paint(cv.mask(Poly([(6, 7), (11.5, 9.75), (6, 12.5)], 0.4)), (40, 150, 60))
    return cv


def document():
    """A page with a folded corner and lines of text: "Open document"."""
    cv = Canvas(SIZE)
    page = [(3, 1.5), (10, 1.5), (13, 4.5), (13, 14.5), (3, 14.5)]
    cv.outlined(Poly(page), (252, 252, 252), (90, 96, 110))
    cv.paint(cv.mask(Poly([(10, 1.5), (10, 4.5), (13, 4.5)])), (190, 196, 208))
    for y in (7, 9.5, 12):
        cv.paint(cv.mask(Stroke([(5, y), (11, y)], 1)), (70, 110, 180))
    return cv


def shutdown():
    """A red disc with the power sign: "Shut Down/Log Off"."""
    cv = Canvas(SIZE)
    cv.outlined(Circle(8, 8, 6.5), vgrad((236, 96, 80), (176, 36, 30)), (120, 24, 20))
    white = (255, 255, 255)
    ring = cv.mask(Circle(8, 8.6, 4))
    hole = cv.mask(Circle(8, 8.6, 2.8))
    gap = cv.mask(Poly([(8, 8.6), (4.8, 2.5), (11.2, 2.5)]))
    cv.paint(cut(cut(ring, hole), gap), white)
    cv.paint(cv.mask(Stroke([(8, 3.6), (8, 8)], 1.4)), white)
    return cv


def _on_ground(cv):
    out = Image.new("RGB", (SIZE, SIZE), GROUND)
    drawn = cv.result()
    out.paste(drawn, (0, 0), drawn)
    return out


# (resource number, file name, drawing)
PICTURES = [
    (213, "task-program.bmp", program),
    (214, "task-document.bmp", document),
    (218, "task-shutdown.bmp", shutdown),
]


def files():
    """(resource number, file name, picture) of every picker bitmap."""
    return [(number, name, _on_ground(draw())) for number, name, draw in PICTURES]
