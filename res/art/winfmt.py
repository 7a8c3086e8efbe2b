"""Writers and readers for the Windows image files the program loads:
icons (.ico), cursors (.cur) and device-independent bitmaps (.bmp).

Icon and cursor images are 32-bit BGRA DIBs followed by a 1-bit AND mask.
Windows XP and later blend with the alpha channel; older Windows, and any
copy of an icon made without its alpha (the program darkens its button
icons pixel by pixel), draw with the mask instead: a pixel is opaque there
when its alpha is at least MASK_THRESHOLD. Pixels the mask leaves out are
stored black, because the mask-and-XOR drawing XORs their colour onto the
screen.
"""

import struct

from PIL import Image

MASK_THRESHOLD = 128
ICON, CURSOR = 1, 2


def _mask_stride(width):
    return (width + 31) // 32 * 4


def icon_dib(img):
    """BITMAPINFOHEADER, bottom-up BGRA pixels and the AND mask of one image."""
    w, h = img.size
    px = img.convert("RGBA").load()
    stride = _mask_stride(w)
    xor, mask = bytearray(), bytearray()
    for y in range(h - 1, -1, -1):
        row = bytearray(stride)
        for x in range(w):
            r, g, b, a = px[x, y]
            if a < MASK_THRESHOLD:
                row[x >> 3] |= 0x80 >> (x & 7)
                r = g = b = 0
            xor += bytes((b, g, r, a))
        mask += row
    header = struct.pack("<IiiHHIIiiII", 40, w, 2 * h, 1, 32, 0,
                         len(xor) + len(mask), 0, 0, 0, 0)
    return header + bytes(xor) + bytes(mask)


def icon_file(images, kind=ICON, hotspots=None):
    """An .ico (kind ICON) or .cur (kind CURSOR, one hot spot per image)."""
    blobs = [icon_dib(im) for im in images]
    out = bytearray(struct.pack("<HHH", 0, kind, len(images)))
    offset = 6 + 16 * len(images)
    for i, (im, blob) in enumerate(zip(images, blobs)):
        w, h = im.size
        if kind == CURSOR:
            f1, f2 = hotspots[i]          # hot spot x, y
        else:
            f1, f2 = 1, 32                # planes, bits per pixel
        out += struct.pack("<BBBBHHII", w % 256, h % 256, 0, 0, f1, f2,
                           len(blob), offset)
        offset += len(blob)
    for blob in blobs:
        out += blob
    return bytes(out)


def bmp24_file(img):
    """A bottom-up, uncompressed 24-bit BMP file."""
    img = img.convert("RGB")
    w, h = img.size
    stride = (w * 3 + 3) & ~3
    pad = bytes(stride - w * 3)
    data = bytearray()
    for y in range(h - 1, -1, -1):
        data += img.crop((0, y, w, y + 1)).tobytes("raw", "BGR") + pad
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data),
                       2835, 2835, 0, 0)
    head = struct.pack("<2sIHHI", b"BM", 14 + len(info) + len(data), 0, 0,
                       14 + len(info))
    return head + info + bytes(data)


# ---------------------------------------------------------------- reading

class FormatError(Exception):
    pass


def read_icon_file(data):
    """Parses an .ico or .cur written as above. Returns (kind, entries), each
    entry a dict with its directory fields, header fields and RGBA image."""
    reserved, kind, count = struct.unpack_from("<HHH", data, 0)
    if reserved != 0 or kind not in (ICON, CURSOR) or count == 0:
        raise FormatError("bad icon directory")
    entries = []
    for i in range(count):
        w, h, colours, res, f1, f2, size, offset = struct.unpack_from(
            "<BBBBHHII", data, 6 + 16 * i)
        w, h = w or 256, h or 256
        if offset + size > len(data):
            raise FormatError("image %d runs past the end" % i)
        (bi_size, bi_w, bi_h, planes, bpp, comp, bi_image,
         _, _, _, _) = struct.unpack_from("<IiiHHIIiiII", data, offset)
        if (bi_size, bi_w, bi_h, planes, bpp, comp) != (40, w, 2 * h, 1, 32, 0):
            raise FormatError("image %d: unexpected DIB header" % i)
        stride = _mask_stride(w)
        if size != 40 + w * h * 4 + stride * h or bi_image != size - 40:
            raise FormatError("image %d: wrong size" % i)
        pixels = data[offset + 40: offset + 40 + w * h * 4]
        mask = data[offset + 40 + w * h * 4: offset + size]
        img = Image.new("RGBA", (w, h))
        px = img.load()
        for y in range(h):
            row = h - 1 - y
            for x in range(w):
                b, g, r, a = pixels[(row * w + x) * 4: (row * w + x) * 4 + 4]
                transparent = mask[row * stride + (x >> 3)] & (0x80 >> (x & 7))
                if bool(transparent) != (a < MASK_THRESHOLD):
                    raise FormatError("image %d: mask disagrees with alpha "
                                      "at %d,%d" % (i, x, y))
                if transparent and (r or g or b):
                    raise FormatError("image %d: masked pixel not black" % i)
                px[x, y] = (r, g, b, a)
        entries.append(dict(width=w, height=h, field1=f1, field2=f2,
                            bpp=bpp, bytes=size, image=img))
    return kind, entries


def read_bmp24(data):
    magic, file_size, _, _, offset = struct.unpack_from("<2sIHHI", data, 0)
    (bi_size, w, h, planes, bpp, comp, bi_image,
     _, _, _, _) = struct.unpack_from("<IiiHHIIiiII", data, 14)
    stride = (w * 3 + 3) & ~3
    if (magic, bi_size, planes, bpp, comp) != (b"BM", 40, 1, 24, 0):
        raise FormatError("not an uncompressed 24-bit BMP")
    if h <= 0:
        raise FormatError("not bottom-up")
    if file_size != len(data) or offset + stride * h != len(data) \
            or bi_image != stride * h:
        raise FormatError("sizes do not add up")
    return dict(width=w, height=h, bpp=bpp, bytes=len(data))
