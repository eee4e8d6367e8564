#!/usr/bin/env python3
"""Draws the ribbon library's bitmap resources into toolkit/ribbon/res/ (24-bit BMP files).

    scripts/gen-ribbon-bitmaps.py            writes the files
    scripts/gen-ribbon-bitmaps.py --check    fails when a committed file differs

The images:
- the seven lamps of the status bar's state indicators, 17 x 8: a rounded lamp with a dark rim,
  its colour and a light glint along the top, on magenta, which the program draws transparent
  (the bottom-left pixel names the transparent colour). Grey is the lamp that is off.
- the two font-kind marks of the font-name combo, 13 x 13 on magenta: a pair of overlapping
  letters T (dark over grey) for outline fonts, and a letter A on a baseline for the others.
"""
import importlib.util
import os
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
OUT = os.path.join(ROOT, "toolkit", "ribbon", "res")

# The BMP writer, the drawing helpers and the writing of the files are the toolkit core's generator's.
_spec = importlib.util.spec_from_file_location("toolkit_bitmaps", os.path.join(ROOT, "scripts", "gen-toolkit-bitmaps.py"))
toolkit_bitmaps = importlib.util.module_from_spec(_spec)
_spec.loader.exec_module(toolkit_bitmaps)
bmp_bytes, canvas, MAGENTA = toolkit_bitmaps.bmp_bytes, toolkit_bitmaps.canvas, toolkit_bitmaps.MAGENTA

LAMP_W, LAMP_H = 17, 8

# The lamp's body colour per indicator type.
LAMP_COLORS = {
    "GRAY": (176, 176, 176),
    "YELLOW": (250, 210, 20),
    "BLUE": (40, 100, 230),
    "GREEN": (40, 180, 60),
    "RED": (220, 40, 40),
    "TEAL": (0, 160, 160),
    "PURPLE": (150, 60, 190),
}


def shade(color, factor):
    """Darker below 1, lighter above 1 (towards white)."""
    if factor <= 1:
        return tuple(int(c * factor) for c in color)
    return tuple(int(c + (255 - c) * (factor - 1)) for c in color)


def inside_lamp(x, y):
    """A pill: three pixels cut from each end of the top and bottom rows, one from the rows next to them."""
    cut = {0: 3, 1: 1, LAMP_H - 2: 1, LAMP_H - 1: 3}.get(y, 0)
    return cut <= x < LAMP_W - cut


def lamp(color):
    img = canvas(LAMP_W, LAMP_H, MAGENTA)
    rim, glint = shade(color, 0.55), shade(color, 1.6)
    for y in range(LAMP_H):
        for x in range(LAMP_W):
            if not inside_lamp(x, y):
                continue
            edge = any(not inside_lamp(x + dx, y + dy) if 0 <= x + dx < LAMP_W and 0 <= y + dy < LAMP_H else True
                       for dx, dy in ((-1, 0), (1, 0), (0, -1), (0, 1)))
            if edge:
                img[y][x] = rim
            elif y == 2 and 4 <= x < LAMP_W - 4:
                img[y][x] = glint
            else:
                img[y][x] = color
    return img


FONT_W = FONT_H = 13
DARK, GREY, RED = (40, 40, 40), (150, 150, 150), (170, 30, 30)


def letter_t(img, left, top, color):
    """A 7-wide, 9-high letter T: a 2-pixel bar and a 2-pixel stem with small serifs."""
    for x in range(left, left + 7):
        for y in (top, top + 1):
            img[y][x] = color
    for y in range(top, top + 9):
        for x in (left + 3, left + 4):
            img[y][x] = color
    for x in range(left + 2, left + 6):
        img[top + 8][x] = color


def true_type_mark():
    img = canvas(FONT_W, FONT_H, MAGENTA)
    letter_t(img, 5, 3, GREY)
    letter_t(img, 1, 1, DARK)
    return img


def other_font_mark():
    img = canvas(FONT_W, FONT_H, MAGENTA)
    # An A from (2, 11) to the apex (6, 1) and down to (10, 11), with its bar at row 7.
    for y in range(1, 12):
        half = (y - 1) * 4 // 10
        img[y][6 - half] = RED
        img[y][6 + half] = RED
    for x in range(4, 9):
        img[7][x] = RED
    for x in range(0, FONT_W):
        img[12][x] = DARK
    return img


IMAGES = {f"dxStatusBar{name.capitalize()}.bmp": (lambda color=color: lamp(color)) for name, color in LAMP_COLORS.items()}


def main():
    files = [(name, lambda draw=draw: bmp_bytes(draw())) for name, draw in IMAGES.items()]
    files += [("dxBarTrueTypeFont.bmp", lambda: bmp_bytes(true_type_mark())),
              ("dxBarNonTrueTypeFont.bmp", lambda: bmp_bytes(other_font_mark()))]
    return toolkit_bitmaps.write_or_check(OUT, files, "gen-ribbon-bitmaps.py")


if __name__ == "__main__":
    sys.exit(main())
