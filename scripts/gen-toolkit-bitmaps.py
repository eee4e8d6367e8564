#!/usr/bin/env python3
"""Draws the toolkit core's bitmap and cursor resources into toolkit/core/res/ (24-bit BMP files,
32 x 32 monochrome CUR files).

    scripts/gen-toolkit-bitmaps.py            writes the files
    scripts/gen-toolkit-bitmaps.py --check    fails when a committed file differs

The images:
- the six indicator images of grid rows, black on white (white is their transparent colour);
- the submenu expand badge: its corner pixel is the background, black stays black, and every
  other pixel is a grey whose red byte the program maps onto the Office-style header gradient;
- the 11 x 11 plus and minus buttons of the Office-style tree (their corners are blended with
  whatever lies under them when drawn);
- the three anchors of the middle-button auto-scroll, round images shown in an elliptical
  window where the scroll started: four arrows (both scroll bars), up and down, left and right;
- the toolkit's fourteen cursors: dragging (plain, copy, several, no drop, remove), the
  auto-scroll cursors (neutral for each pair of scroll bars, then one per direction), the two
  sizing cursors and the colour picker.
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


# ---- auto-scroll anchors ----------------------------------------------------------------------

ANCHOR = 28  # the anchor's width: the auto-scroll's neutral zone is as wide


def anchor(directions):
    light, grey = (240, 240, 240), (160, 160, 160)
    img = canvas(ANCHOR, ANCHOR, grey)  # outside the ellipse the window clips it away
    c = (ANCHOR - 1) / 2
    for y in range(ANCHOR):
        for x in range(ANCHOR):
            d = ((x - c) ** 2 + (y - c) ** 2) ** 0.5
            if d <= c:
                img[y][x] = light
    plot(img, [(x, y) for x in (13, 14) for y in (13, 14)])  # the centre dot
    for direction in directions:
        for i in range(4):  # a solid triangle, apex outward, 4 rows deep
            row = [(13 - i + k, 3 + i) for k in range(2 * i + 2)]
            plot(img, [rotate(p, direction) for p in row])
    return img


def rotate(point, direction):
    """Turns a point of the up-pointing pattern to the direction (0 up, 1 right, 2 down, 3 left)."""
    x, y = point
    for _ in range(direction):
        x, y = ANCHOR - 1 - y, x
    return x, y


# ---- cursors ---------------------------------------------------------------------------------

CUR = 32
T, B, W = ".", "B", "W"  # transparent, black, white


def cursor_canvas():
    return [[T] * CUR for _ in range(CUR)]


def fill_polygon(img, points, value):
    """Fills the pixels whose centres lie inside the polygon."""
    n = len(points)
    for y in range(CUR):
        for x in range(CUR):
            px, py, inside = x + 0.5, y + 0.5, False
            for i in range(n):
                (x1, y1), (x2, y2) = points[i], points[(i + 1) % n]
                if (y1 > py) != (y2 > py) and px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                    inside = not inside
            if inside:
                img[y][x] = value


def outline(img, around, value):
    """Gives every transparent pixel next to a pixel of `around` the value (a 1-pixel rim)."""
    marks = []
    for y in range(CUR):
        for x in range(CUR):
            if img[y][x] != T:
                continue
            for dy in (-1, 0, 1):
                for dx in (-1, 0, 1):
                    if 0 <= y + dy < CUR and 0 <= x + dx < CUR and img[y + dy][x + dx] == around:
                        marks.append((x, y))
    for x, y in marks:
        img[y][x] = value


def pointer(img):
    """The usual arrow pointer at the top-left: white with a black rim, tip at (0, 0)."""
    fill_polygon(img, [(0.5, 0.5), (0.5, 17), (4.5, 13), (7.5, 19.5), (10, 18.5), (7, 12.5), (12.5, 12.5)], W)
    outline(img, W, B)


def box(img, x0, y0, x1, y1, value=B, dashed=False):
    for x in range(x0, x1 + 1):
        for y in (y0, y1):
            if not dashed or (x + y) % 2 == 0:
                img[y][x] = value
    for y in range(y0, y1 + 1):
        for x in (x0, x1):
            if not dashed or (x + y) % 2 == 0:
                img[y][x] = value


def drag_cursor(extra=None):
    img = cursor_canvas()
    pointer(img)
    box(img, 12, 19, 22, 27, dashed=True)  # the dragged thing
    if extra:
        extra(img)
    return img, (0, 0)


def copy_badge(img):
    for y in range(22, 31):
        for x in range(22, 31):
            img[y][x] = W
    box(img, 22, 22, 30, 30)
    plot_cur(img, [(x, 26) for x in range(24, 29)] + [(26, y) for y in range(24, 29)])


def multi_boxes(img):
    box(img, 15, 22, 25, 30, dashed=True)


def remove_badge(img):
    for i in range(7):  # a cross
        plot_cur(img, [(22 + i, 23 + i), (28 - i, 23 + i)])


def plot_cur(img, points, value=B):
    for x, y in points:
        img[y][x] = value


def no_drop_cursor():
    img = cursor_canvas()
    c = 15.5
    for y in range(CUR):
        for x in range(CUR):
            d = ((x + 0.5 - c) ** 2 + (y + 0.5 - c) ** 2) ** 0.5
            on_slash = abs((x - y)) <= 1 and 6 <= x <= 25
            if 8.5 <= d <= 11.5 or (d < 11.5 and on_slash):
                img[y][x] = B
    outline(img, B, W)
    return img, (15, 15)


def arrow_head(img, cx, cy, direction, size=5):
    """A solid triangle pointing in the direction (0 up, 1 right, 2 down, 3 left), apex at (cx, cy)."""
    for i in range(size):
        for k in range(-i, i + 1):
            x, y = [(cx + k, cy + i), (cx - i, cy + k), (cx + k, cy - i), (cx + i, cy + k)][direction]
            img[y][x] = B


def scroll_cursor(directions, stems=False):
    """The auto-scroll cursors: a dot at the hot spot and arrows for the directions."""
    img = cursor_canvas()
    for y in range(14, 18):
        for x in range(14, 18):
            img[y][x] = B
    tips = {0: (15, 3), 1: (28, 15), 2: (15, 28), 3: (3, 15)}
    for d in directions:
        x, y = tips[d]
        arrow_head(img, x, y, d)
        if stems:  # a direction cursor: a stem from the dot to the arrow
            for i in range(5, 11):
                px, py = [(15, y + i), (x - i, 15), (15, y - i), (x + i, 15)][d]
                img[py][px] = B
                img[py + (d in (1, 3))][px + (d in (0, 2))] = B
    outline(img, B, W)
    return img, (15, 15)


def size_cursor(vertical):
    """A double arrow across a splitter's two bars."""
    img = cursor_canvas()
    for i in range(2, 30):
        for j in (15, 16):
            x, y = (j, i) if vertical else (i, j)
            img[y][x] = B
    for j in (12, 19):  # the bars
        for i in range(7, 25):
            x, y = (i, j) if vertical else (j, i)
            img[y][x] = B
    if vertical:
        arrow_head(img, 15, 1, 0, 5)
        arrow_head(img, 16, 1, 0, 5)
        arrow_head(img, 15, 30, 2, 5)
        arrow_head(img, 16, 30, 2, 5)
    else:
        arrow_head(img, 1, 15, 3, 5)
        arrow_head(img, 1, 16, 3, 5)
        arrow_head(img, 30, 15, 1, 5)
        arrow_head(img, 30, 16, 1, 5)
    outline(img, B, W)
    return img, (15, 15)


def color_picker_cursor():
    """An eyedropper leaning right, its tip at the bottom-left."""
    img = cursor_canvas()
    fill_polygon(img, [(1, 30), (3, 26), (17, 12), (21, 16), (7, 30), (3, 30)], W)  # the glass tube
    fill_polygon(img, [(16, 9), (22, 3), (29, 10), (23, 16)], B)  # the rubber bulb
    fill_polygon(img, [(14, 9), (16, 7), (25, 16), (23, 18)], B)  # the collar
    outline(img, W, B)
    outline(img, B, W)
    return img, (1, 30)


def cur_bytes(image):
    """image: (rows of T/B/W, hot spot); a 32 x 32 monochrome cursor file."""
    rows, (hx, hy) = image
    stride = 4  # 32 one-bit pixels
    xor, mask = bytearray(), bytearray()
    for row in reversed(rows):  # bottom-up
        xbits = mbits = 0
        for x, v in enumerate(row):
            bit = 1 << (31 - x)
            if v == W:
                xbits |= bit
            elif v == T:
                mbits |= bit
        xor += xbits.to_bytes(stride, "big")
        mask += mbits.to_bytes(stride, "big")
    info = struct.pack("<IiiHHIIiiII", 40, CUR, 2 * CUR, 1, 1, 0, len(xor) + len(mask), 0, 0, 2, 0)
    palette = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    data = info + palette + bytes(xor) + bytes(mask)
    header = struct.pack("<HHH", 0, 2, 1)
    entry = struct.pack("<BBBBHHII", CUR, CUR, 0, 0, hx, hy, len(data), 6 + 16)
    return header + entry + data


CURSORS = {
    "cxDragCopy.cur": lambda: drag_cursor(copy_badge),
    "cxFullScroll.cur": lambda: scroll_cursor([0, 1, 2, 3]),
    "cxHorScroll.cur": lambda: scroll_cursor([1, 3]),
    "cxVerScroll.cur": lambda: scroll_cursor([0, 2]),
    "cxUpScroll.cur": lambda: scroll_cursor([0], stems=True),
    "cxRightScroll.cur": lambda: scroll_cursor([1], stems=True),
    "cxDownScroll.cur": lambda: scroll_cursor([2], stems=True),
    "cxLeftScroll.cur": lambda: scroll_cursor([3], stems=True),
    "cxRemove.cur": lambda: drag_cursor(remove_badge),
    "cxVertSize.cur": lambda: size_cursor(True),
    "cxHorzSize.cur": lambda: size_cursor(False),
    "cxMultiDrag.cur": lambda: drag_cursor(multi_boxes),
    "cxNoDrop.cur": no_drop_cursor,
    "cxDrag.cur": drag_cursor,
    "cxColorPicker.cur": color_picker_cursor,
}


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
    "cxFullScrollAnchor.bmp": lambda: anchor([0, 1, 2, 3]),
    "cxVerScrollAnchor.bmp": lambda: anchor([0, 2]),
    "cxHorScrollAnchor.bmp": lambda: anchor([1, 3]),
}


def write_or_check(out, files, script):
    """files: (name, make) pairs, make() giving the bytes. Writes them into out, or with --check
    compares them with the committed files; returns the exit code."""
    check = "--check" in sys.argv[1:]
    os.makedirs(out, exist_ok=True)
    stale = []
    for name, make in files:
        data = make()
        path = os.path.join(out, name)
        if check:
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print(f"out of date, run scripts/{script}:", ", ".join(stale))
        return 1
    return 0


def main():
    files = [(name, lambda draw=draw: bmp_bytes(draw())) for name, draw in IMAGES.items()]
    files += [(name, lambda draw=draw: cur_bytes(draw())) for name, draw in CURSORS.items()]
    return write_or_check(OUT, files, "gen-toolkit-bitmaps.py")


if __name__ == "__main__":
    sys.exit(main())
