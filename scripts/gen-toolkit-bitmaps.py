#!/usr/bin/env python3
"""Draws the toolkit core's bitmap resources into toolkit/core/res/ (24-bit BMP files).

    scripts/gen-toolkit-bitmaps.py            writes the files
    scripts/gen-toolkit-bitmaps.py --check    fails when a committed file differs

The images:
- the six indicator images of grid rows, black on white (white is their transparent colour);
- the submenu expand badge: its corner pixel is the background, black stays black, and every
  other pixel is a grey whose red byte the program maps onto the Office-style header gradient;
- the 11 x 11 plus and minus buttons of the Office-style tree (their corners are blended with
  whatever lies under them when drawn).
"""
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "toolkit", "core", "res")

WHITE, BLACK, MAGENTA = (255, 255, 255), (0, 0, 0), (255, 0, 255)


def bmp_bytes(pixels):
    """pixels: rows top to bottom of (r, g, b); a 24-bit bottom-up BMP file."""
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        line += b"\0" * (stride - len(line))
        data += line
    header = struct.pack("<2sIHHI", b"BM", 14 + 40 + len(data), 0, 0, 14 + 40)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def canvas(w, h, color):
    return [[color] * w for _ in range(h)]


def plot(img, points, color=BLACK):
    for x, y in points:
        img[y][x] = color


def indicator_arrow():
    img = canvas(11, 11, WHITE)
    for x in range(3, 8):  # a triangle pointing right, apex at (7, 5)
        half = 7 - x
        plot(img, [(x, y) for y in range(5 - half, 6 + half)])
    return img


def indicator_edit():
    img = canvas(11, 11, WHITE)  # a text cursor
    plot(img, [(5, y) for y in range(2, 9)])
    plot(img, [(3, 1), (4, 1), (6, 1), (7, 1), (3, 9), (4, 9), (6, 9), (7, 9)])
    return img


def indicator_insert():
    img = canvas(11, 11, WHITE)  # an asterisk
    plot(img, [(5, y) for y in range(2, 9)] + [(x, 5) for x in range(2, 9)])
    plot(img, [(3 + i, 3 + i) for i in range(5)] + [(7 - i, 3 + i) for i in range(5)])
    return img


def indicator_multidot():
    img = canvas(11, 11, WHITE)  # a dot
    plot(img, [(x, y) for x in range(4, 7) for y in range(4, 7)])
    return img


def indicator_multiarrow():
    img = canvas(11, 11, WHITE)  # a small arrow and a dot
    for x in range(2, 6):
        half = 5 - x
        plot(img, [(x, y) for y in range(5 - half, 6 + half)])
    plot(img, [(x, y) for x in range(7, 9) for y in range(4, 7)])
    return img


def indicator_filter():
    img = canvas(11, 11, WHITE)  # a funnel
    for i, y in enumerate(range(2, 6)):
        plot(img, [(x, y) for x in range(1 + i, 10 - i)])
    plot(img, [(x, y) for x in range(4, 7) for y in range(6, 10)])
    return img


def submenu_expand():
    size = 13
    img = canvas(size, size, MAGENTA)
    c = (size - 1) / 2
    for y in range(size):
        for x in range(size):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= 6.3:
                img[y][x] = BLACK if d > 5.4 else (230 - 8 * y,) * 3  # a grey ramp, light at the top
    for dy in (0, 4):  # a double chevron pointing down
        y0 = 3 + dy
        plot(img, [(4 + i, y0 + i) for i in range(3)] + [(8 - i, y0 + i) for i in range(3)])
    return img


def expand_button(plus):
    img = canvas(11, 11, WHITE)
    border = (120, 144, 168)
    for i in range(11):
        plot(img, [(i, 0), (i, 10), (0, i), (10, i)], border)
    for y in range(1, 10):  # white fading to a warm grey toward the bottom
        shade = (255 - 5 * (y - 1), 255 - 6 * (y - 1), 255 - 7 * (y - 1))
        plot(img, [(x, y) for x in range(1, 10)], shade)
    plot(img, [(x, 5) for x in range(3, 8)])
    if plus:
        plot(img, [(5, y) for y in range(3, 8)])
    return img


IMAGES = {
    "cxIndicatorArrow.bmp": indicator_arrow,
    "cxIndicatorEdit.bmp": indicator_edit,
    "cxIndicatorInsert.bmp": indicator_insert,
    "cxIndicatorMultiDot.bmp": indicator_multidot,
    "cxIndicatorMultiArrow.bmp": indicator_multiarrow,
    "cxIndicatorFilter.bmp": indicator_filter,
    "dxSubMenuExpand.bmp": submenu_expand,
    "dxExpandButtonMinus.bmp": lambda: expand_button(False),
    "dxExpandButtonPlus.bmp": lambda: expand_button(True),
}


def main():
    check = "--check" in sys.argv[1:]
    os.makedirs(OUT, exist_ok=True)
    stale = []
    for name, draw in IMAGES.items():
        data = bmp_bytes(draw())
        path = os.path.join(OUT, name)
        if check:
            with open(path, "rb") as f:
                if f.read() != data:
                    stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date, run scripts/gen-toolkit-bitmaps.py:", ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
