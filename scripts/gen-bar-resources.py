#!/usr/bin/env python3
"""Draws the bar manager's cursor resources into toolkit/bars/res/ (32 x 32 monochrome CUR
files), with the drawing helpers of scripts/gen-toolkit-bitmaps.py.

    scripts/gen-bar-resources.py            writes the files
    scripts/gen-bar-resources.py --check    fails when a committed file differs

The cursors, loaded at the bar library's start-up as cursors 1041-1044:
- dxBarDrag: dragging a command or a link to move it, the pointer over a small solid box;
- dxBarDragCopy: the same with a "+" badge (Ctrl held: the link is copied);
- dxBarDragNoDrop: the pointer with a "no" sign (nowhere to drop);
- dxBarEditSizing: a horizontal double arrow across a bar (an edit item's width is dragged).

and the glyphs of the system-menu entries of a maximized MDI child (16 x 16, 24-bit BMP, black
on the white that the bottom-left pixel makes transparent): dxBarClose (a cross), dxBarRestore
(two overlapping windows), dxBarMaximize (a window), dxBarMinimize (a bar at the bottom).
"""
import importlib.util
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "toolkit", "bars", "res")

_spec = importlib.util.spec_from_file_location("toolkit_bitmaps", os.path.join(ROOT, "scripts", "gen-toolkit-bitmaps.py"))
tk = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(tk)
T, B, W, CUR = tk.T, tk.B, tk.W, tk.CUR


def pointer_with(badge=None):
    img = tk.cursor_canvas()
    tk.pointer(img)
    for y in range(20, 27):  # the dragged command
        for x in range(12, 21):
            img[y][x] = B
    tk.outline(img, B, W)
    if badge:
        badge(img)
    return img, (0, 0)


def plus_badge(img):
    for y in range(21, 31):
        for x in range(21, 31):
            img[y][x] = W
    tk.box(img, 21, 21, 30, 30)
    tk.plot_cur(img, [(x, 25) for x in range(23, 29)] + [(x, 26) for x in range(23, 29)])
    tk.plot_cur(img, [(25, y) for y in range(23, 29)] + [(26, y) for y in range(23, 29)])


def no_badge(img):
    c = 24.5
    for y in range(16, CUR):
        for x in range(16, CUR):
            d = ((x + 0.5 - c) ** 2 + (y + 0.5 - c) ** 2) ** 0.5
            if d <= 7.5:
                img[y][x] = W
            if 5 <= d <= 7 or (d < 6 and abs(x - y) <= 1):
                img[y][x] = B


def edit_sizing_cursor():
    img = tk.cursor_canvas()
    for y in range(6, 26):  # the edit's edge
        img[y][15] = img[y][16] = B
    for x in range(3, 29):  # the double arrow across it
        img[15][x] = img[16][x] = B
    tk.arrow_head(img, 1, 15, 3, 5)
    tk.arrow_head(img, 1, 16, 3, 5)
    tk.arrow_head(img, 30, 15, 1, 5)
    tk.arrow_head(img, 30, 16, 1, 5)
    tk.outline(img, B, W)
    return img, (15, 15)


CURSORS = {
    "dxBarDrag.cur": pointer_with,
    "dxBarDragCopy.cur": lambda: pointer_with(plus_badge),
    "dxBarDragNoDrop.cur": lambda: pointer_with(no_badge),
    "dxBarEditSizing.cur": edit_sizing_cursor,
}


def glyph_window(img, x0, y0, x1, y1):
    for x in range(x0, x1 + 1):
        img[y0][x] = img[y0 + 1][x] = img[y1][x] = tk.BLACK
    for y in range(y0, y1 + 1):
        img[y][x0] = img[y][x1] = tk.BLACK


def close_glyph():
    img = tk.canvas(16, 16, tk.WHITE)
    for i in range(8):
        tk.plot(img, [(4 + i, 4 + i), (5 + i, 4 + i), (11 - i, 4 + i), (12 - i, 4 + i)])
    return img


def restore_glyph():
    img = tk.canvas(16, 16, tk.WHITE)
    glyph_window(img, 6, 3, 12, 8)
    for y in range(6, 13):
        for x in range(3, 10):
            img[y][x] = tk.WHITE
    glyph_window(img, 3, 6, 9, 12)
    return img


def maximize_glyph():
    img = tk.canvas(16, 16, tk.WHITE)
    glyph_window(img, 3, 3, 12, 12)
    return img


def minimize_glyph():
    img = tk.canvas(16, 16, tk.WHITE)
    tk.plot(img, [(x, y) for x in range(4, 11) for y in (11, 12)])
    return img


GLYPHS = {
    "dxBarClose.bmp": close_glyph,
    "dxBarRestore.bmp": restore_glyph,
    "dxBarMaximize.bmp": maximize_glyph,
    "dxBarMinimize.bmp": minimize_glyph,
}


def main():
    files = [(name, lambda draw=draw: tk.cur_bytes(draw())) for name, draw in CURSORS.items()]
    files += [(name, lambda draw=draw: tk.bmp_bytes(draw())) for name, draw in GLYPHS.items()]
    return tk.write_or_check(OUT, files, "gen-bar-resources.py")


if __name__ == "__main__":
    sys.exit(main())
