#!/usr/bin/env python3
"""Draws the control library's resources into controls/res/.

    scripts/gen-controls-resources.py            writes the files
    scripts/gen-controls-resources.py --check    fails when a committed file differs

The files:
- the ten button-kind glyphs RZCOMMON_<KIND>.bmp: 32 x 16 at 8 bits per pixel, a normal cell on
  the left and a disabled (embossed grey) cell on the right, on olive (the transparent colour:
  the bottom-left pixel);
- the four splitter cursors, 32 x 32 monochrome. HORZ is a double vertical line with arrows to
  the left and the right, VERT the same turned a quarter, both with their hot spot at (8, 8); the
  HOTSPOT variants are an arrow pointer with a small split sign of the same direction, hot spot
  (0, 0). Each is written as RZSPLIT_<NAME>.cursor, the image as the system keeps a cursor in a
  program (the hot spot, then the DIB), and goes into the program as RCDATA: the linker crashes
  on a program whose resource scripts hold cursor images in more than one of them, and the
  toolkit's script already does;
- RZSHELLDLG_TOOLBAR.bmp, the open and save dialogs' six 16 x 16 tool-button glyphs side by side
  (up one level, desktop, new folder, tree, list, details) at 8 bits per pixel on olive.
"""
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "controls", "res")

OLIVE = (128, 128, 0)
WHITE, BLACK = (255, 255, 255), (0, 0, 0)
SHADOW = (128, 128, 128)
GREEN, RED, BLUE, DARKRED = (0, 128, 0), (192, 0, 0), (0, 0, 160), (128, 0, 0)


# ---- drawing on a grid of colours (None: nothing drawn)

def grid(w, h, value=None):
    return [[value] * w for _ in range(h)]


def put(img, x, y, c):
    if 0 <= y < len(img) and 0 <= x < len(img[0]):
        img[y][x] = c


def line(img, x0, y0, x1, y1, c, width=1):
    steps = max(abs(x1 - x0), abs(y1 - y0), 1)
    for i in range(steps + 1):
        x = x0 + (x1 - x0) * i / steps
        y = y0 + (y1 - y0) * i / steps
        for dx in range(width):
            for dy in range(width):
                put(img, int(round(x)) + dx, int(round(y)) + dy, c)


def ring(img, cx, cy, r, c, width=2, start=0, stop=360):
    for a in range(start, stop, 3):
        for k in range(width):
            rr = r - k * 0.8
            put(img, int(round(cx + rr * math.cos(math.radians(a)))), int(round(cy - rr * math.sin(math.radians(a)))), c)


def polygon(img, points, c):
    ys = [p[1] for p in points]
    for y in range(min(ys), max(ys) + 1):
        xs = []
        n = len(points)
        for i in range(n):
            (x0, y0), (x1, y1) = points[i], points[(i + 1) % n]
            if y0 == y1:
                continue
            if min(y0, y1) <= y < max(y0, y1) or (y == max(ys) and min(y0, y1) <= y <= max(y0, y1)):
                xs.append(x0 + (y - y0) * (x1 - x0) / (y1 - y0))
        xs.sort()
        for i in range(0, len(xs) - 1, 2):
            for x in range(int(math.ceil(xs[i])), int(math.floor(xs[i + 1])) + 1):
                put(img, x, y, c)


# ---- the kind glyphs

def glyph_ok(img, c=GREEN):
    line(img, 2, 8, 6, 12, c, 2)
    line(img, 6, 12, 13, 3, c, 2)


def glyph_cancel(img):
    line(img, 3, 3, 12, 12, RED, 2)
    line(img, 12, 3, 3, 12, RED, 2)


def glyph_help(img):
    ring(img, 8, 6, 4, BLUE, 2, -60, 200)
    line(img, 8, 9, 8, 10, BLUE, 2)
    line(img, 8, 13, 8, 13, BLUE, 2)


def glyph_no(img):
    ring(img, 8, 8, 6, RED, 2)
    line(img, 4, 12, 12, 4, RED, 2)


def glyph_close(img):
    polygon(img, [(3, 2), (10, 2), (10, 14), (3, 14)], DARKRED)
    polygon(img, [(5, 3), (9, 3), (9, 13), (5, 13)], (192, 128, 64))
    line(img, 6, 8, 6, 8, BLACK, 1)
    line(img, 11, 8, 14, 8, BLACK, 1)
    polygon(img, [(12, 6), (14, 8), (12, 10)], BLACK)


def glyph_abort(img):
    polygon(img, [(5, 1), (10, 1), (14, 5), (14, 10), (10, 14), (5, 14), (1, 10), (1, 5)], RED)
    line(img, 4, 7, 11, 7, WHITE, 2)


def glyph_retry(img):
    ring(img, 8, 8, 6, GREEN, 2, 30, 320)
    polygon(img, [(11, 1), (15, 5), (10, 6)], GREEN)


def glyph_ignore(img):
    line(img, 2, 8, 13, 8, BLUE, 2)
    polygon(img, [(10, 4), (14, 8), (10, 12)], BLUE)


def glyph_all(img):
    glyph_ok(img)
    line(img, 8, 12, 15, 3, GREEN, 1)


KINDS = {
    "OK": glyph_ok, "CANCEL": glyph_cancel, "HELP": glyph_help, "YES": glyph_ok, "NO": glyph_no,
    "CLOSE": glyph_close, "ABORT": glyph_abort, "RETRY": glyph_retry, "IGNORE": glyph_ignore, "ALL": glyph_all,
}


def kind_bitmap(draw):
    cell = grid(16, 16)
    draw(cell)
    img = [[OLIVE] * 32 for _ in range(16)]
    for y in range(16):
        for x in range(16):
            if cell[y][x] is not None:
                img[y][x] = cell[y][x]
    # The disabled cell: the shape embossed, white one pixel down-right under grey.
    for y in range(16):
        for x in range(16):
            if cell[y][x] is not None and x + 1 < 16 and y + 1 < 16:
                img[y + 1][16 + x + 1] = WHITE
    for y in range(16):
        for x in range(16):
            if cell[y][x] is not None:
                img[y][16 + x] = SHADOW
    return bmp8(img)


def bmp8(pixels):
    """pixels: rows top to bottom of (r, g, b); an 8-bit bottom-up BMP file with its palette."""
    h, w = len(pixels), len(pixels[0])
    palette = []
    for row in pixels:
        for p in row:
            if p not in palette:
                palette.append(p)
    palette += [BLACK] * (256 - len(palette))
    stride = (w + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line_bytes = bytes(palette.index(p) for p in row)
        data += line_bytes + b"\0" * (stride - w)
    table = b"".join(bytes((b, g, r, 0)) for r, g, b in palette)
    offset = 14 + 40 + len(table)
    header = struct.pack("<2sIHHI", b"BM", offset + len(data), 0, 0, offset)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 8, 0, len(data), 2835, 2835, 256, 0)
    return header + info + table + bytes(data)


# ---- the open and save dialogs' tool buttons

YELLOW, DARKYELLOW, NAVY, TEAL, GREY = (255, 224, 96), (160, 128, 0), (0, 0, 128), (0, 128, 128), (96, 96, 96)


def folder_shape(img, ox, oy):
    polygon(img, [(ox + 1, oy + 4), (ox + 5, oy + 4), (ox + 6, oy + 5), (ox + 13, oy + 5), (ox + 13, oy + 13),
                  (ox + 1, oy + 13)], YELLOW)
    line(img, ox + 1, oy + 13, ox + 13, oy + 13, DARKYELLOW)
    line(img, ox + 13, oy + 5, ox + 13, oy + 13, DARKYELLOW)
    line(img, ox + 1, oy + 4, ox + 1, oy + 13, DARKYELLOW)
    line(img, ox + 1, oy + 4, ox + 5, oy + 4, DARKYELLOW)


def tool_up(img):
    folder_shape(img, 0, 2)
    polygon(img, [(8, 1), (12, 5), (10, 5), (10, 10), (6, 10), (6, 5), (4, 5)], GREEN)


def tool_desktop(img):
    polygon(img, [(1, 2), (14, 2), (14, 11), (1, 11)], NAVY)
    polygon(img, [(2, 3), (13, 3), (13, 10), (2, 10)], TEAL)
    line(img, 6, 12, 9, 12, GREY)
    line(img, 4, 13, 11, 13, GREY)


def tool_new_folder(img):
    folder_shape(img, 0, 2)
    line(img, 12, 0, 12, 6, RED)
    line(img, 9, 3, 15, 3, RED)
    line(img, 10, 1, 14, 5, RED)
    line(img, 14, 1, 10, 5, RED)


def tool_tree(img):
    for y in (2, 7, 12):
        polygon(img, [(6 if y > 2 else 1, y), (10 if y > 2 else 5, y), (10 if y > 2 else 5, y + 2),
                      (6 if y > 2 else 1, y + 2)], YELLOW if y > 2 else NAVY)
    line(img, 3, 5, 3, 13, GREY)
    line(img, 3, 8, 5, 8, GREY)
    line(img, 3, 13, 5, 13, GREY)


def tool_list(img):
    for col in (1, 8):
        for y in (2, 6, 10):
            polygon(img, [(col, y), (col + 2, y), (col + 2, y + 2), (col, y + 2)], NAVY)
            line(img, col + 3, y + 1, col + 5, y + 1, BLACK)


def tool_details(img):
    for y in (2, 6, 10):
        polygon(img, [(1, y), (3, y), (3, y + 2), (1, y + 2)], NAVY)
        line(img, 5, y + 1, 8, y + 1, BLACK)
        line(img, 10, y + 1, 14, y + 1, GREY)


TOOLS = [tool_up, tool_desktop, tool_new_folder, tool_tree, tool_list, tool_details]


def toolbar_bitmap():
    img = [[OLIVE] * (16 * len(TOOLS)) for _ in range(16)]
    for i, draw in enumerate(TOOLS):
        cell = grid(16, 16)
        draw(cell)
        for y in range(16):
            for x in range(16):
                if cell[y][x] is not None:
                    img[y][16 * i + x] = cell[y][x]
    return bmp8(img)


# ---- the cursors

def split_sign(img, ox, oy, horizontal, scale):
    """A double line with two arrows; horizontal: the lines stand upright, arrows left and right."""
    def p(x, y):  # coordinates of the horizontal sign, turned for the other one
        return (ox + x, oy + y) if horizontal else (ox + y, oy + x)
    s = scale
    for x in (-1, 1):
        for y in range(-3 * s, 3 * s + 1):
            put(img, *p(x, y), 1)
    for d in (-1, 1):
        tip = d * (3 + 3 * s)
        polygon(img, [p(tip, 0), p(d * 3, -2 * s), p(d * 3, 2 * s)], 1)
        for x in range(d * 3, tip, d):
            put(img, *p(x, 0), 1)


def arrow_pointer(img):
    shape = [(0, 0), (0, 15), (4, 11), (7, 17), (9, 16), (6, 10), (11, 10)]
    polygon(img, shape, 1)


def cursor(shape, hot):
    """shape: 32 x 32 grid, 1 where black. Black with a white outline, transparent elsewhere.
    Returns the hot spot followed by the DIB (mask rows after the image rows)."""
    white = grid(32, 32, 0)
    for y in range(32):
        for x in range(32):
            if shape[y][x] == 1:
                for dx in (-1, 0, 1):
                    for dy in (-1, 0, 1):
                        if 0 <= x + dx < 32 and 0 <= y + dy < 32 and shape[y + dy][x + dx] != 1:
                            white[y + dy][x + dx] = 1
    xor_rows, and_rows = [], []
    for y in range(32):
        xb, ab = 0, 0
        for x in range(32):
            black, outline = shape[y][x] == 1, white[y][x] == 1
            xb = (xb << 1) | (1 if outline else 0)
            ab = (ab << 1) | (0 if (black or outline) else 1)
        xor_rows.append(struct.pack(">I", xb))
        and_rows.append(struct.pack(">I", ab))
    bits = b"".join(reversed(xor_rows)) + b"".join(reversed(and_rows))
    info = struct.pack("<IiiHHIIiiII", 40, 32, 64, 1, 1, 0, len(bits), 0, 0, 2, 0)
    table = bytes((0, 0, 0, 0, 255, 255, 255, 0))
    return struct.pack("<HH", hot[0], hot[1]) + info + table + bits


def split_cursor(horizontal):
    img = grid(32, 32, 0)
    split_sign(img, 8, 8, horizontal, 2)
    return cursor(img, (8, 8))


def hotspot_cursor(horizontal):
    img = grid(32, 32, 0)
    arrow_pointer(img)
    split_sign(img, 20, 20, horizontal, 1)
    return cursor(img, (0, 0))


def files():
    out = {f"RZCOMMON_{name}.bmp": kind_bitmap(draw) for name, draw in KINDS.items()}
    out["RZSPLIT_HORZ.cursor"] = split_cursor(True)
    out["RZSPLIT_VERT.cursor"] = split_cursor(False)
    out["RZSPLIT_HORZHOTSPOT.cursor"] = hotspot_cursor(True)
    out["RZSPLIT_VERTHOTSPOT.cursor"] = hotspot_cursor(False)
    out["RZSHELLDLG_TOOLBAR.bmp"] = toolbar_bitmap()
    return out


def main():
    check = "--check" in sys.argv[1:]
    stale = []
    os.makedirs(OUT, exist_ok=True)
    for name, data in files().items():
        path = os.path.join(OUT, name)
        if check:
            if not os.path.exists(path) or open(path, "rb").read() != data:
                stale.append(name)
        else:
            with open(path, "wb") as f:
                f.write(data)
    if stale:
        print("out of date (run scripts/gen-controls-resources.py):", ", ".join(stale))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
