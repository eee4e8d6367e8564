#!/usr/bin/env python3
"""Draws the atlases of the ribbon colour schemes into toolkit/skins/atlases/ (32-bit RGBA PNG
files) and their probe table, toolkit/skins/dxRibbonSkinProbes.inc.

    scripts/gen-ribbon-atlases.py            writes the files
    scripts/gen-ribbon-atlases.py --check    fails when a committed file differs

The part table toolkit/skins/dxRibbonSkinParts.inc says where each image lies; the C++ cutting
code includes the same file. Every image is painted once: images that overlap by design (the
caption also yields the frame's top corners and the maximized caption; the status bar's grip
background holds the panel separator; the quick access toolbar's two caption pieces and the
button group's two borders share columns) are painted as one region, and the check below
refuses any other overlap or an image outside its atlas.

The look: flat and clean, soft vertical gradients, one-pixel borders, corners rounded by two or
three pixels inside the nine-part margins. Blue is light blue with dark blue text; Black has a
charcoal tab row and frame around light grey group bodies with white group captions; Silver is a
light neutral grey with slate text. The common atlas (hot, pressed and checked images shared by
all three) uses one warm accent: hot is lighter with an accent border, pressed deeper, checked
tinted.

The probe table gives the colour at the centre of every part's image, so that tests can check
the cutting and the drawing pixel by pixel.
"""
import os
import re
import sys

from generated_files import ROOT, png_rgba, write_or_check

SKINS = os.path.join(ROOT, "toolkit", "skins")
TABLE = os.path.join(SKINS, "dxRibbonSkinParts.inc")
OUT = os.path.join(SKINS, "atlases")
PROBES = os.path.join(SKINS, "dxRibbonSkinProbes.inc")

SCHEMES = ["Blue", "Black", "Silver"]

# ---- the part table ----------------------------------------------------------------------------


def split_arguments(text):
    parts, depth, current = [], 0, ""
    for ch in text:
        if ch == "(":
            depth += 1
        elif ch == ")":
            depth -= 1
        if ch == "," and depth == 0:
            parts.append(current.strip())
            current = ""
        else:
            current += ch
    parts.append(current.strip())
    return parts


def numbers(text):
    return [int(v) for v in text.strip("()").split(",") if v.strip()]


def read_table():
    atlases, rows = {}, []
    with open(TABLE, encoding="utf-8") as f:
        for line in f:
            m = re.match(r"^RIBBON_ATLAS\((.*)\)\s*$", line)
            if m:
                name, w, h = split_arguments(m.group(1))
                atlases[name] = (int(w), int(h))
                continue
            m = re.match(r"^RIBBON_PART\((.*)\)\s*$", line)
            if not m:
                continue
            a = split_arguments(m.group(1))
            rows.append({
                "name": a[0], "into": a[1], "atlas": a[2], "rect": tuple(int(v) for v in a[3:7]),
                "kind": a[7], "states": numbers(a[8]), "images": numbers(a[9]),
                "margins": tuple(int(v) for v in a[10:14]), "interpolation": int(a[14]), "base": int(a[15]),
            })
    return atlases, rows


def part_images(row):
    """(ID, image number, atlas rectangle) of every part the row creates, as the C++ builder does."""
    kind = row["kind"]
    states = {"Single": [0], "Pair": [0, 1], "Stacked": [0, 1, 2]}.get(kind, row["states"] or list(range(9)))
    left, top, right, bottom = row["rect"]
    w, h = right - left, bottom - top
    out = []
    for n, state in enumerate(states):
        k = n if not row["images"] else (row["images"][n] if n < len(row["images"]) else 0)
        if kind == "Horizontal":
            r = (left + k * w, top, right + k * w, bottom)
        else:
            r = (left, top + k * h, right, bottom + k * h)
        out.append((row["base"] + state, k, r))
    return out


def row_images(row):
    """The distinct images of a row: {image number: rectangle}."""
    return {k: r for _, k, r in part_images(row)}


# ---- pixels ------------------------------------------------------------------------------------


class Canvas:
    """Premultiplied RGBA in floats 0..1."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def over(self, x, y, rgb, a):
        """Composites the colour (0..255 channels) with alpha a over the pixel."""
        if a <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        a = min(a, 1.0)
        p = self.px[y * self.w + x]
        k = 1.0 - a
        p[0] = rgb[0] / 255.0 * a + p[0] * k
        p[1] = rgb[1] / 255.0 * a + p[1] * k
        p[2] = rgb[2] / 255.0 * a + p[2] * k
        p[3] = a + p[3] * k

    def over_premultiplied(self, x, y, pr, pg, pb, pa):
        if pa <= 0.0 or not (0 <= x < self.w and 0 <= y < self.h):
            return
        p = self.px[y * self.w + x]
        k = 1.0 - min(pa, 1.0)
        p[0] = pr + p[0] * k
        p[1] = pg + p[1] * k
        p[2] = pb + p[2] * k
        p[3] = min(pa, 1.0) + p[3] * k

    def straight(self, x, y):
        p = self.px[y * self.w + x]
        a = int(p[3] * 255.0 + 0.5)
        if a == 0:
            return (0, 0, 0, 0)

        def channel(v):
            return max(0, min(255, int(v / p[3] * 255.0 + 0.5)))

        return (channel(p[0]), channel(p[1]), channel(p[2]), a)

    def png(self):
        rows = [b"".join(bytes(self.straight(x, y)) for x in range(self.w)) for y in range(self.h)]
        return png_rgba(self.w, self.h, rows)


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def hexrgb(value):
    return ((value >> 16) & 0xFF, (value >> 8) & 0xFF, value & 0xFF)


WHITE, BLACK = (255, 255, 255), (0, 0, 0)

# ---- shapes ------------------------------------------------------------------------------------

SAMPLES = 8


def inside_rounded(sx, sy, x0, y0, x1, y1, r, corners):
    if sx < x0 or sx >= x1 or sy < y0 or sy >= y1:
        return False
    if r <= 0:
        return True
    tl, tr, br, bl = corners
    for use, cx, cy, left, top in ((tl, x0 + r, y0 + r, True, True), (tr, x1 - r, y0 + r, False, True),
                                   (br, x1 - r, y1 - r, False, False), (bl, x0 + r, y1 - r, True, False)):
        if not use:
            continue
        if (sx < cx if left else sx > cx) and (sy < cy if top else sy > cy):
            return (sx - cx) ** 2 + (sy - cy) ** 2 <= r * r
    return True


def coverage(px, py, x0, y0, x1, y1, r, corners):
    """How much of pixel (px, py) the rounded rectangle covers."""
    if px >= x1 or px + 1 <= x0 or py >= y1 or py + 1 <= y0 or x1 <= x0 or y1 <= y0:
        return 0.0
    near_x = px < x0 + r or px + 1 > x1 - r
    near_y = py < y0 + r or py + 1 > y1 - r
    if r <= 0 or not (near_x and near_y):
        return 1.0
    hits = 0
    for i in range(SAMPLES):
        for j in range(SAMPLES):
            if inside_rounded(px + (i + 0.5) / SAMPLES, py + (j + 0.5) / SAMPLES, x0, y0, x1, y1, r, corners):
                hits += 1
    return hits / float(SAMPLES * SAMPLES)


def gradient(stops):
    """A colour function of t in 0..1 from [(t, rgb), ...] or (top, bottom)."""
    if len(stops) == 2 and not isinstance(stops[0][0], float):
        stops = [(0.0, stops[0]), (1.0, stops[1])]

    def at(t):
        t = max(0.0, min(1.0, t))
        for (t0, c0), (t1, c1) in zip(stops, stops[1:]):
            if t <= t1:
                return mix(c0, c1, 0.0 if t1 == t0 else (t - t0) / (t1 - t0))
        return stops[-1][1]

    return at


def box(cv, x, y, w, h, fill=None, border=None, radius=2, corners=(1, 1, 1, 1), sides=(1, 1, 1, 1),
        fill_alpha=1.0, border_alpha=1.0, highlight=None, shade=None):
    """A rounded box: a one-pixel border on the given sides (left, top, right, bottom), the inside
    filled with a vertical gradient, and optionally a soft ring just inside the border
    (highlight = (rgb, alpha at the top, alpha at the bottom)) or a darker top (shade)."""
    fill_at = gradient(fill) if fill else None
    x1, y1 = x + w, y + h
    sl, st, sr, sb = sides
    inner = (x + sl, y + st, x1 - sr, y1 - sb)
    ring = (inner[0] + 1, inner[1] + 1, inner[2] - 1, inner[3] - 1)
    r_in = max(radius - 1, 0)
    r_ring = max(radius - 2, 0)
    for py in range(y, y1):
        t = (py + 0.5 - y) / h
        for px in range(x, x1):
            c_out = coverage(px, py, x, y, x1, y1, radius, corners)
            if c_out <= 0.0:
                continue
            c_in = coverage(px, py, *inner, r_in, corners) if border else c_out
            pr = pg = pb = pa = 0.0
            if fill_at and c_in > 0.0:
                f = fill_at(t)
                if highlight and c_in > 0.0:
                    c_ring = coverage(px, py, *ring, r_ring, corners)
                    hk = (c_in - c_ring) / c_in
                    ha = highlight[1] + (highlight[2] - highlight[1]) * t
                    f = mix(f, highlight[0], ha * hk)
                if shade and py < inner[1] + shade[1]:
                    f = mix(f, shade[0], shade[2] * (1.0 - (py - inner[1]) / float(shade[1])))
                a = fill_alpha * c_in
                pr, pg, pb, pa = f[0] / 255.0 * a, f[1] / 255.0 * a, f[2] / 255.0 * a, a
            if border and c_out > c_in:
                a = border_alpha * (c_out - c_in)
                pr += border[0] / 255.0 * a
                pg += border[1] / 255.0 * a
                pb += border[2] / 255.0 * a
                pa += a
            cv.over_premultiplied(px, py, pr, pg, pb, pa)


def fill_rect(cv, x, y, w, h, fill, alpha=1.0):
    at = gradient(fill)
    for py in range(y, y + h):
        c = at((py + 0.5 - y) / h)
        for px in range(x, x + w):
            cv.over(px, py, c, alpha)


def hline(cv, x, y, w, rgb, alpha=1.0):
    for px in range(x, x + w):
        cv.over(px, y, rgb, alpha)


def vline(cv, x, y, h, rgb, alpha=1.0, fade=0):
    """A vertical line, its last `fade` pixels at each end fading out."""
    for i in range(h):
        k = 1.0
        if fade:
            k = min(1.0, (min(i, h - 1 - i) + 1) / float(fade + 1))
        cv.over(x, y + i, rgb, alpha * k)


def glyph(cv, x, y, rows, rgb, halo=None):
    """A pixel glyph: '#' the colour, '+' the colour at half strength; halo = (rgb, alpha) drawn
    around it first so that it reads on light and dark ground alike."""
    if halo:
        marks = {(i, j) for j, row in enumerate(rows) for i, ch in enumerate(row) if ch in "#+"}
        around = {(i + di, j + dj) for i, j in marks for di in (-1, 0, 1) for dj in (-1, 0, 1)} - marks
        for i, j in sorted(around):
            if 0 <= j < len(rows) and 0 <= i < len(rows[0]):
                cv.over(x + i, y + j, halo[0], halo[1])
    for j, row in enumerate(rows):
        for i, ch in enumerate(row):
            if ch == "#":
                cv.over(x + i, y + j, rgb, 1.0)
            elif ch == "+":
                cv.over(x + i, y + j, rgb, 0.5)


def disc(cv, cx, cy, radius, fill, ring=None, highlight=None):
    """A round button centred at (cx, cy): a vertical gradient, a one-pixel ring, and a soft
    light on its upper half."""
    fill_at = gradient(fill)
    x0, y0 = int(cx - radius) - 1, int(cy - radius) - 1
    for py in range(y0, int(cy + radius) + 2):
        for px in range(x0, int(cx + radius) + 2):
            hits_out = hits_in = hits_light = 0
            for i in range(SAMPLES):
                for j in range(SAMPLES):
                    sx, sy = px + (i + 0.5) / SAMPLES, py + (j + 0.5) / SAMPLES
                    d2 = (sx - cx) ** 2 + (sy - cy) ** 2
                    if d2 <= radius * radius:
                        hits_out += 1
                        if d2 <= (radius - 1.2) ** 2:
                            hits_in += 1
                            # an ellipse of light over the upper half
                            if highlight and ((sx - cx) / (radius * 0.78)) ** 2 + (
                                    (sy - (cy - radius * 0.42)) / (radius * 0.5)) ** 2 <= 1.0:
                                hits_light += 1
            n = float(SAMPLES * SAMPLES)
            c_out, c_in, c_light = hits_out / n, hits_in / n, hits_light / n
            if c_out <= 0:
                continue
            t = (py + 0.5 - (cy - radius)) / (2 * radius)
            f = fill_at(t)
            if highlight and c_in > 0:
                f = mix(f, WHITE, highlight * c_light / c_in)
            a_in = c_in
            pr, pg, pb = f[0] / 255.0 * a_in, f[1] / 255.0 * a_in, f[2] / 255.0 * a_in
            a_ring = c_out - c_in
            rc = ring or f
            pr += rc[0] / 255.0 * a_ring
            pg += rc[1] / 255.0 * a_ring
            pb += rc[2] / 255.0 * a_ring
            cv.over_premultiplied(px, py, pr, pg, pb, a_in + a_ring)


def fade_columns(cv, x, y, w, h, first, count):
    """Fades columns first .. first + count - 1 of the region in from transparent."""
    for i in range(count):
        k = (i + 1) / float(count + 1)
        for py in range(y, y + h):
            p = cv.px[py * cv.w + x + first + i]
            for c in range(4):
                p[c] *= k


# ---- colours -----------------------------------------------------------------------------------

H = hexrgb

# The accent of the common atlas: one warm family for every scheme.
ACCENT = {
    "hot": dict(fill=(H(0xFFF9E2), H(0xFFE7A4)), border=H(0xDDB155), light=0.7),
    "active": dict(fill=(H(0xFEECBA), H(0xFAD37E)), border=H(0xC89A3E), light=0.5),
    "pressed": dict(fill=(H(0xF8D083), H(0xF3B955)), border=H(0xB08230), light=0.0),
    "checked": dict(fill=(H(0xFFF2D2), H(0xFCDFA0)), border=H(0xD2A84F), light=0.4),
    "hotchecked": dict(fill=(H(0xFCE2A2), H(0xF7C86A)), border=H(0xC39339), light=0.45),
    "activedisabled": dict(fill=(H(0xF7F7F7), H(0xE7E7E7)), border=H(0xC6C6C6), light=0.5),
}

COMMON = dict(
    menu_fill=H(0xFDFDFE), menu_strip=(H(0xF4F6F9), H(0xEDF0F4)), menu_border=H(0x9BA4AF),
    menu_ring=H(0xF3F5F8), menu_line=H(0xD3D8DF), glyph=H(0x2C3642), glyph_disabled=H(0xA9AEB5),
    neutral=dict(fill=(H(0xF6F7F9), H(0xE8EBEF)), border=H(0xC5CBD3), light=0.5),
    disabled=dict(fill=(H(0xF2F3F4), H(0xEBECEE)), border=H(0xCBCED2), light=0.3),
    progress=dict(fill=[(0.0, H(0xB6E8A0)), (0.5, H(0x7FCB63)), (1.0, H(0x54AC3C))], border=H(0x3F8A2E), light=0.4),
    help=(H(0x5B95DA), H(0x2C5EA6)), help_ring=H(0x234E8C),
)

SCHEME_COLORS = {
    "Blue": dict(
        caption=[(H(0xE6F0FC), H(0xCCDDF4)), (H(0xEFF3F8), H(0xE0E6EE))],
        frame_outer=[H(0x6F93C4), H(0xA5B5CA)], frame_fill=[H(0xA4C3EB), H(0xCBD6E4)],
        frame_inner=[H(0x86A9D8), H(0xB9C5D5)],
        tab_row=H(0xBFDBFF), tab_active=(H(0xFCFDFF), H(0xE9F1FC)), tab_border=H(0x8EB1DE),
        tab_hot=(WHITE, 0.45), tab_hot_border=H(0xA3C2EC), focus_fill=None,
        area=[(0.0, H(0xEEF4FD)), (0.2, H(0xE3EDFB)), (1.0, H(0xD3E3F8))], area_border=H(0x8EB1DE),
        group=(H(0xF8FBFF), H(0xE4EEFA)), group_border=H(0xAFC9EA), group_hot=(H(0xFDFEFF), H(0xECF3FC)),
        group_hot_border=H(0x98BAE6), band=(H(0xDAE7F9), H(0xCBDDF5)), band_hot=(H(0xE2EDFB), H(0xD3E3F7)),
        icon=[H(0x2E5288), H(0x1B365E), H(0x1B365E), H(0x8497B3)], icon_halo=None,
        orb=[((H(0x5F94DA), H(0x2D5AA0)), H(0x1F437E)), ((H(0x7AABEA), H(0x3A6CB6)), H(0x2A5494)),
             ((H(0x3D6EB3), H(0x22467F)), H(0x17335F))],
        qat=(WHITE, 0.38, 0.6), qat_inactive=(WHITE, 0.25, 0.45),
        status=(H(0xE4EEFA), H(0xCADCF2)), status_raised=(H(0xF5F9FE), H(0xDCE8F7)), status_line=H(0x8EB1DE),
        button=(H(0xFCFDFF), H(0xE5EEFA)), button_border=H(0xA8C3E6),
        button_disabled=(H(0xF3F5F8), H(0xECEFF3)), button_disabled_border=H(0xC8D2DF),
        line=H(0x9EBBE2), line_light=H(0xF6FAFE), arrow=H(0x2D4D79), arrow_disabled=H(0xA3B1C4), arrow_halo=None,
        appmenu=(H(0xEEF4FC), H(0xD8E5F7)), appmenu_border=H(0x9BAFCA), appmenu_fill=H(0xFFFFFF),
        tip=(H(0xFFFFFF), H(0xE4EEFB)), tip_border=H(0x8EB1DE), grip=(H(0x455D80), H(0xB1C9E8)),
    ),
    "Black": dict(
        caption=[(H(0x4E4E4E), H(0x3A3A3A)), (H(0x606060), H(0x525252))],
        frame_outer=[H(0x232323), H(0x383838)], frame_fill=[H(0x696969), H(0x7B7B7B)],
        frame_inner=[H(0x474747), H(0x5A5A5A)],
        tab_row=H(0x535353), tab_active=(H(0xF5F5F5), H(0xE0E0E0)), tab_border=H(0x9A9A9A),
        tab_hot=(WHITE, 0.16), tab_hot_border=H(0x8F8F8F), focus_fill=(H(0x8E8E8E), H(0x7A7A7A)),
        area=[(0.0, H(0xE6E6E6)), (0.2, H(0xDADADA)), (1.0, H(0xC9C9C9))], area_border=H(0x8A8A8A),
        group=(H(0xF6F6F6), H(0xE4E4E4)), group_border=H(0xA4A4A4), group_hot=(H(0xFCFCFC), H(0xEDEDED)),
        group_hot_border=H(0x969696), band=(H(0x7A7A7A), H(0x666666)), band_hot=(H(0x868686), H(0x717171)),
        icon=[H(0xE8E8E8), H(0x2A2A2A), H(0x2A2A2A), H(0xA6A6A6)], icon_halo=None,
        orb=[((H(0x707070), H(0x2E2E2E)), H(0x141414)), ((H(0x888888), H(0x3E3E3E)), H(0x1E1E1E)),
             ((H(0x4C4C4C), H(0x222222)), H(0x0C0C0C))],
        qat=(WHITE, 0.12, 0.3), qat_inactive=(WHITE, 0.08, 0.22),
        status=(H(0x5E5E5E), H(0x474747)), status_raised=(H(0x6E6E6E), H(0x565656)), status_line=H(0x2C2C2C),
        button=(H(0xFBFBFB), H(0xE5E5E5)), button_border=H(0xA6A6A6),
        button_disabled=(H(0xEFEFEF), H(0xE7E7E7)), button_disabled_border=H(0xC5C5C5),
        line=H(0xA2A2A2), line_light=H(0xFAFAFA), arrow=H(0x3C3C3C), arrow_disabled=H(0xA8A8A8),
        arrow_halo=(H(0xF0F0F0), 0.7),
        appmenu=(H(0x606060), H(0x4C4C4C)), appmenu_border=H(0x434241), appmenu_fill=H(0x6B6C71),
        tip=(H(0xFFFFFF), H(0xE9E9E9)), tip_border=H(0x8A8A8A), grip=(H(0x252525), H(0xCCCCCC)),
    ),
    "Silver": dict(
        caption=[(H(0xF2F4F7), H(0xDDE1E7)), (H(0xF5F6F8), H(0xE9EBEE))],
        frame_outer=[H(0x8A909A), H(0xB5B9C0)], frame_fill=[H(0xAAAEB5), H(0xCBCED3)],
        frame_inner=[H(0x9BA0A8), H(0xC0C3C8)],
        tab_row=H(0xD0D4DD), tab_active=(H(0xFDFDFE), H(0xEEF0F3)), tab_border=H(0xA5ABB5),
        tab_hot=(WHITE, 0.5), tab_hot_border=H(0xB3B8C1), focus_fill=None,
        area=[(0.0, H(0xF6F7F8)), (0.2, H(0xEEF0F2)), (1.0, H(0xE0E3E8))], area_border=H(0xA5ABB5),
        group=(H(0xFCFCFD), H(0xEEF0F2)), group_border=H(0xBCC1C9), group_hot=(H(0xFFFFFF), H(0xF4F5F7)),
        group_hot_border=H(0xACB2BB), band=(H(0xE4E7EB), H(0xD7DBE1)), band_hot=(H(0xEAECEF), H(0xDEE1E6)),
        icon=[H(0x4A515A), H(0x2E3339), H(0x2E3339), H(0x9CA1A8)], icon_halo=None,
        orb=[((H(0xA3ADBA), H(0x5F6B7B)), H(0x434C58)), ((H(0xBAC4D1), H(0x717E90)), H(0x525C6A)),
             ((H(0x7E8998), H(0x4B5563)), H(0x353C46))],
        qat=(WHITE, 0.45, 0.7), qat_inactive=(WHITE, 0.3, 0.5),
        status=(H(0xF1F2F5), H(0xDBDEE4)), status_raised=(H(0xFBFBFC), H(0xE7E9ED)), status_line=H(0xA5ABB5),
        button=(H(0xFFFFFF), H(0xEAECEF)), button_border=H(0xB2B7BF),
        button_disabled=(H(0xF6F6F7), H(0xF0F1F2)), button_disabled_border=H(0xD0D3D7),
        line=H(0xB8BDC5), line_light=H(0xFFFFFF), arrow=H(0x4A515A), arrow_disabled=H(0xAFB3B9), arrow_halo=None,
        appmenu=(H(0xF2F3F6), H(0xE1E4E9)), appmenu_border=H(0xA9AEB4), appmenu_fill=H(0xFAFAFA),
        tip=(H(0xFFFFFF), H(0xECEEF1)), tip_border=H(0xA5ABB5), grip=(H(0x7076E7), H(0xCDD0D9)),
    ),
}

# ---- looks -------------------------------------------------------------------------------------


def accent_box(cv, r, look, radius=2, corners=(1, 1, 1, 1), sides=(1, 1, 1, 1)):
    x0, y0, x1, y1 = r
    highlight = (WHITE, look["light"], look["light"] * 0.25) if look["light"] else None
    shade = (H(0x9C6A1E), 3, 0.18) if look is ACCENT["pressed"] else None
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=look["fill"], border=look["border"], radius=radius, corners=corners,
        sides=sides, highlight=highlight, shade=shade)


def look_of(name):
    return ACCENT.get(name) or COMMON[name]


def scheme_button(P, disabled=False):
    if disabled:
        return dict(fill=P["button_disabled"], border=P["button_disabled_border"], light=0.3)
    return dict(fill=P["button"], border=P["button_border"], light=0.6)


def look_by_name(P, name):
    if name == "normal":
        return scheme_button(P)
    if name == "disabled":
        return scheme_button(P, True)
    return look_of(name)


# Glyphs, one string a row.
ICON_GLYPHS = {
    "BorderIconMinimize": [".........", ".........", ".........", ".........", ".........", ".........",
                           ".#######.", ".#######.", "........."],
    "BorderIconMaximize": [".........", ".#######.", ".#######.", ".#.....#.", ".#.....#.", ".#.....#.",
                           ".#.....#.", ".#######.", "........."],
    "BorderIconRestore": ["...#####.", "...#####.", "...#...#.", ".#####.#.", ".#####.#.", ".#...###.",
                          ".#...#...", ".#####...", "........."],
    "BorderIconClose": [".........", ".##...##.", "..##.##..", "...###...", "...###...", "..##.##..",
                        ".##...##.", ".........", "........."],
    "BorderIconHelp": ["...###...", "..#...#..", "......#..", ".....#...", "....#....", "....#....",
                       ".........", "....#....", "........."],
}

CHECK_MARK = ["..........", "........##", ".......##.", "......##..", ".##..##...", "..####....",
              "...##.....", ".........."]
QUESTION = ["..###..", ".#+.+#.", ".....#.", "....#+.", "...#...", "...#...", ".......", "...#..."]
ARROW_DOWN = ["#######", ".#####.", "..###..", "...#..."]
ARROW_RIGHT = ["#...", "##..", "###.", "####", "###.", "##..", "#..."]
ARROW_SMALL = [".....", "#####", ".###.", "..#.."]
ARROW_TINY = ["#####", ".###.", "..#.."]
ARROW_UP = ["...#...", "..###..", ".#####."]
ARROW_DOWN3 = [".#####.", "..###..", "...#..."]
MARK_ARROW = [".......", ".#####.", ".......", ".#####.", "..###..", "...#...", "......."]
MARK_TRUNCATED = [".......", "#..#...", ".#..#..", "..#..#.", ".#..#..", "#..#...", "......."]
LAUNCH = [
    "............", ".#######....", ".#..........", ".#..........", ".#..........", ".#.....#....",
    ".#......#..#", "........#.#.", ".........##.", "......####..", "............", "............",
]
GROUP_GLYPH = [
    "................", "................", "..############..", "..#..........#..", "..#.########.#..",
    "..#.#......#.#..", "..#.#......#.#..", "..#.########.#..", "..#..........#..", "..############..",
    "................", "......#####.....", ".......###......", "........#.......", "................",
    "................",
]


def centred_glyph(cv, r, rows, rgb, halo=None, dy=0):
    x0, y0, x1, y1 = r
    gx = x0 + (x1 - x0 - len(rows[0])) // 2
    gy = y0 + (y1 - y0 - len(rows)) // 2 + dy
    glyph(cv, gx, gy, rows, rgb, halo)


# ---- painters: the form atlas ------------------------------------------------------------------
# Each painter draws image k of its group into rectangle r = (left, top, right, bottom); P holds
# the scheme's colours. Pairs: image 0 the active window, image 1 the inactive one.


def paint_form_caption(cv, r, k, P):
    x0, y0, x1, y1 = r
    top, bottom = P["caption"][k]
    # The caption's last rows lead into the ribbon's tab row.
    fill = [(0.0, top), (0.8, bottom), (1.0, mix(bottom, P["tab_row"], 0.5))]
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=fill, border=P["frame_outer"][k], radius=4, corners=(1, 1, 0, 0),
        sides=(1, 1, 1, 0), highlight=(WHITE, 0.45 if k == 0 else 0.3, 0.0))


def paint_frame_side(cv, r, k, P, left):
    x0, y0, x1, y1 = r
    w, h = x1 - x0, y1 - y0
    box(cv, x0, y0, w, h, fill=(P["frame_fill"][k], P["frame_fill"][k]), border=P["frame_outer"][k], radius=3,
        corners=(0, 0, 0, 1) if left else (0, 0, 1, 0), sides=(1, 0, 0, 1) if left else (0, 0, 1, 1))
    vline(cv, x1 - 1 if left else x0, y0, h - 3, P["frame_inner"][k])


def paint_bottom_thin(cv, r, k, P):
    fill_rect(cv, r[0], r[1], r[2] - r[0], r[3] - r[1], (P["frame_outer"][k], P["frame_outer"][k]))


def paint_bottom(cv, r, k, P, dialog):
    x0, y0, x1, y1 = r
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=(P["frame_fill"][k], P["frame_fill"][k]), border=P["frame_outer"][k],
        radius=0 if dialog else 3, corners=(0, 0, 1, 1), sides=(1, 0, 1, 1))
    hline(cv, x0 + 3, y0, x1 - x0 - 6, P["frame_inner"][k])


def qat_band(cv, x, y, w, h, P, k, round_left, round_right):
    rgb, fill_alpha, border_alpha = P["qat"] if k == 0 else P["qat_inactive"]
    box(cv, x, y + 1, w, h - 2, fill=(rgb, rgb), border=rgb, radius=4,
        corners=(round_left, round_right, round_right, round_left), sides=(round_left, 1, round_right, 1),
        fill_alpha=fill_alpha, border_alpha=border_alpha)


def paint_qat_caption_band(cv, r, k, P):
    # Rises from behind the application button, then runs to a rounded end.
    x0, y0, x1, y1 = r
    qat_band(cv, x0, y0, x1 - x0, y1 - y0, P, k, 0, 1)
    fade_columns(cv, x0, y0, x1 - x0, y1 - y0, 0, 8)


def paint_qat_caption_left_end(cv, r, k, P):
    x0, y0, x1, y1 = r
    qat_band(cv, x0, y0, x1 - x0, y1 - y0, P, k, 1, 0)


def paint_border_icon_background(cv, r, k, P):
    x0, y0, x1, y1 = r
    if k == 2:
        box(cv, x0 + 1, y0 + 1, x1 - x0 - 2, y1 - y0 - 2, fill=(WHITE, WHITE), border=P["frame_outer"][1],
            radius=3, fill_alpha=0.45, border_alpha=0.6)
    else:
        accent_box(cv, (x0 + 1, y0 + 1, x1 - 1, y1 - 1), ACCENT["hot" if k == 0 else "pressed"], radius=3)


def paint_border_icon(cv, r, k, P, name):
    glyph(cv, r[0], r[1], ICON_GLYPHS[name], P["icon"][k])


def paint_application_button(cv, r, k, P):
    x0, y0, x1, y1 = r
    fill, ring = P["orb"][k]
    disc(cv, (x0 + x1) / 2.0, (y0 + y1) / 2.0, (x1 - x0) / 2.0 - 1.5, fill, ring,
         highlight=0.0 if k == 2 else 0.12 if k == 0 else 0.18)


# ---- painters: the common atlas ----------------------------------------------------------------


def strip_painter(looks, radius=2, corners=(1, 1, 1, 1), sides=(1, 1, 1, 1)):
    def paint(cv, r, k, P):
        accent_box(cv, r, look_of(looks[k]), radius, corners, sides)

    return paint


def paint_detach_caption(cv, r, k, P):
    accent_box(cv, r, look_of("neutral" if k == 0 else "hot"), radius=1)


def paint_menu_check(cv, r, k, P):
    accent_box(cv, r, look_of("checked" if k == 0 else "disabled"), radius=1)


def paint_menu_check_mark(cv, r, k, P):
    centred_glyph(cv, r, CHECK_MARK, COMMON["glyph"] if k == 0 else COMMON["glyph_disabled"])


def paint_menu_glyph_strip(cv, r, k, P):
    fill_rect(cv, r[0], r[1], r[2] - r[0], r[3] - r[1], COMMON["menu_strip"])


def paint_menu_content(cv, r, k, P):
    fill_rect(cv, r[0], r[1], r[2] - r[0], r[3] - r[1], (COMMON["menu_fill"], COMMON["menu_fill"]))


def paint_menu_separator(cv, r, k, P, horizontal):
    x0, y0, x1, y1 = r
    if horizontal:
        hline(cv, x0, y0, x1 - x0, COMMON["menu_line"])
        hline(cv, x0, y0 + 1, x1 - x0, WHITE)
    else:
        vline(cv, x0, y0, y1 - y0, COMMON["menu_line"])
        vline(cv, x0 + 1, y0, y1 - y0, WHITE)


def paint_drop_down_border(cv, r, k, P):
    x0, y0, x1, y1 = r
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=(COMMON["menu_fill"], COMMON["menu_fill"]), border=COMMON["menu_border"],
        radius=2, highlight=(COMMON["menu_ring"], 1.0, 1.0))


def paint_group_button_glyph(cv, r, k, P):
    glyph(cv, r[0], r[1], GROUP_GLYPH, COMMON["glyph"])


def paint_progress(cv, r, k, P):
    accent_box(cv, r, COMMON["progress"], radius=2)


def paint_help_glyph(cv, r, k, P):
    x0, y0, x1, y1 = r
    disc(cv, (x0 + x1) / 2.0, (y0 + y1) / 2.0, 7.5, COMMON["help"], COMMON["help_ring"], highlight=0.25)
    glyph(cv, x0 + 5, y0 + 4, QUESTION, WHITE)


def glass(cv, r, round_left, round_right, fade=0):
    x0, y0, x1, y1 = r
    box(cv, x0, y0 + 1, x1 - x0, y1 - y0 - 2, fill=(WHITE, H(0xE8EEF5)), border=H(0xFFFFFF), radius=4,
        corners=(round_left, round_right, round_right, round_left), sides=(round_left, 1, round_right, 1),
        fill_alpha=0.28, border_alpha=0.7)
    if fade:
        fade_columns(cv, x0, y0, x1 - x0, y1 - y0, 0, fade)


# ---- painters: the scheme atlas ----------------------------------------------------------------


def paint_tab(cv, r, k, P):
    x0, y0, x1, y1 = r
    w, h = x1 - x0, y1 - y0
    top = dict(radius=3, corners=(1, 1, 0, 0), sides=(1, 1, 1, 0))
    if k == 0:
        return
    if k == 1:
        rgb, alpha = P["tab_hot"]
        box(cv, x0, y0, w, h, fill=(rgb, rgb), border=P["tab_hot_border"], fill_alpha=alpha, border_alpha=0.9, **top)
    elif k in (2, 3):
        border = P["tab_border"] if k == 2 else mix(P["tab_border"], ACCENT["hot"]["border"], 0.55)
        box(cv, x0, y0, w, h, fill=P["tab_active"], border=border, highlight=(WHITE, 0.9, 0.0), **top)
    else:
        fill = P["focus_fill"] or P["tab_active"]
        box(cv, x0, y0, w, h, fill=fill, border=ACCENT["active"]["border"], highlight=(WHITE, 0.5, 0.0), **top)


def paint_tab_separator(cv, r, k, P):
    line, alpha = (WHITE, 0.35) if P is SCHEME_COLORS["Black"] else (P["line"], 1.0)
    vline(cv, r[0], r[1], r[3] - r[1], line, alpha, fade=6)


def scroll_button_painter(left):
    def paint(cv, r, k, P):
        corners = (1, 0, 0, 1) if left else (0, 1, 1, 0)
        look = scheme_button(P) if k == 0 else ACCENT["hot" if k == 1 else "pressed"]
        accent_box(cv, r, look, radius=3, corners=corners)

    return paint


def paint_tab_groups_area(cv, r, k, P):
    x0, y0, x1, y1 = r
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=P["area"], border=P["area_border"], radius=3,
        highlight=(WHITE, 0.8, 0.2))


def paint_group_background(cv, r, k, P):
    x0, y0, x1, y1 = r
    fill, border = (P["group"], P["group_border"]) if k == 0 else (P["group_hot"], P["group_hot_border"])
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=fill, border=border, radius=3, corners=(1, 1, 0, 0), sides=(1, 1, 1, 0),
        highlight=(WHITE, 0.9, 0.4))


def paint_group_caption(cv, r, k, P):
    x0, y0, x1, y1 = r
    fill, border = (P["band"], P["group_border"]) if k == 0 else (P["band_hot"], P["group_hot_border"])
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=fill, border=border, radius=3, corners=(0, 0, 1, 1), sides=(1, 0, 1, 1))
    hline(cv, x0 + 1, y0, x1 - x0 - 2, border, 0.6)


def glyph_painter(rows, states):
    """A glyph whose image k is drawn in the colour named states[k]."""

    def paint(cv, r, k, P):
        color = P["arrow_disabled"] if states[k] == "disabled" else P["arrow"]
        dy = 1 if states[k] == "pressed" else 0
        centred_glyph(cv, r, rows, color, P["arrow_halo"], dy)

    return paint


def paint_collapsed_group(cv, r, k, P):
    x0, y0, x1, y1 = r
    if k in (0, 1):
        fill, border = (P["group"], P["group_border"]) if k == 0 else (P["group_hot"], P["group_hot_border"])
        box(cv, x0, y0, x1 - x0, y1 - y0, fill=fill, border=border, radius=3, highlight=(WHITE, 0.9, 0.4))
    else:
        accent_box(cv, r, ACCENT["pressed" if k == 2 else "active"], radius=3)


def paint_collapsed_glyph_frame(cv, r, k, P):
    looks = ["normal", "hot", "pressed", "active"]
    accent_box(cv, r, look_by_name(P, looks[k]), radius=2)


def scheme_strip_painter(looks, radius=2, corners=(1, 1, 1, 1), sides=(1, 1, 1, 1)):
    def paint(cv, r, k, P):
        accent_box(cv, r, look_by_name(P, looks[k]), radius, corners, sides)

    return paint


def paint_button_group_button(cv, r, k, P):
    looks = ["normal", "disabled", "hot", "active", "pressed", "checked", "hotchecked", "hotchecked",
             "activedisabled"]
    accent_box(cv, r, look_by_name(P, looks[k]), radius=0, sides=(0, 1, 0, 1))


def paint_button_group_borders(cv, r, k, P):
    # One rounded box three pixels wide: the left border is its first two columns, the right
    # border its last two.
    accent_box(cv, r, scheme_button(P), radius=2)


def separator_color(P, look):
    if look == "normal":
        return P["button_border"]
    if look == "disabled":
        return P["button_disabled_border"]
    return look_of(look)["border"]


def button_group_separator(cv, r, look, P, width):
    x0, y0, x1, y1 = r
    h = y1 - y0
    base = scheme_button(P, look == "disabled")
    fill_rect(cv, x0, y0 + 1, width, h - 2, base["fill"])
    hline(cv, x0, y0, width, base["border"])
    hline(cv, x0, y1 - 1, width, base["border"])
    vline(cv, x0, y0 + 2, h - 4, separator_color(P, look))
    if width > 1:
        vline(cv, x0 + 1, y0 + 2, h - 4, WHITE, 0.8)


def paint_button_group_separator(cv, r, k, P):
    button_group_separator(cv, r, ["normal", "disabled", "hot", "activedisabled"][k], P, 1)


def paint_button_group_split_separator(cv, r, k, P):
    button_group_separator(cv, r, ["normal", "disabled", "hot", "pressed", "activedisabled"][k], P, 2)


def paint_app_menu_border(cv, r, k, P):
    x0, y0, x1, y1 = r
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=(P["appmenu_fill"], P["appmenu_fill"]), border=P["appmenu_border"],
        radius=2, highlight=(mix(P["appmenu_fill"], WHITE, 0.5), 1.0, 1.0))


def paint_app_menu_band(cv, r, k, P, line_at_top):
    x0, y0, x1, y1 = r
    fill_rect(cv, x0, y0, x1 - x0, y1 - y0, P["appmenu"])
    hline(cv, x0, y0 if line_at_top else y1 - 1, x1 - x0, P["appmenu_border"])


def box_painter(fill_key, border_key, radius=2, highlight=0.7):
    def paint(cv, r, k, P):
        x0, y0, x1, y1 = r
        box(cv, x0, y0, x1 - x0, y1 - y0, fill=P[fill_key], border=P[border_key], radius=radius,
            highlight=(WHITE, highlight, highlight * 0.3) if highlight else None)

    return paint


def paint_progress_border(cv, r, k, P):
    x0, y0, x1, y1 = r
    box(cv, x0, y0, x1 - x0, y1 - y0, fill=(H(0xF2F4F6), WHITE), border=mix(P["button_border"], BLACK, 0.15),
        radius=2)


def qat_group_button_painter(active):
    def paint(cv, r, k, P):
        x0, y0, x1, y1 = r
        if k in (1, 2):
            accent_box(cv, r, ACCENT["hot" if k == 1 else "pressed"], radius=2)
            return
        rgb, fill_alpha, border_alpha = P["qat"] if active else P["qat_inactive"]
        scale = 1.0 if k == 0 else 0.5
        box(cv, x0, y0, x1 - x0, y1 - y0, fill=(rgb, rgb), border=rgb, radius=2, fill_alpha=fill_alpha * scale,
            border_alpha=border_alpha * scale)

    return paint


def status_fill(cv, x, y, w, h, P, raised=False):
    fill_rect(cv, x, y, w, h, P["status_raised"] if raised else P["status"])
    hline(cv, x, y, w, P["status_line"])
    hline(cv, x, y + 1, w, WHITE, 0.45 if raised else 0.25)


def status_separator_lines(cv, x, y, h, P):
    dark = mix(P["status"][1], BLACK, 0.25)
    light = mix(P["status"][0], WHITE, 0.5)
    vline(cv, x, y + 3, h - 6, dark, fade=3)
    vline(cv, x + 1, y + 3, h - 6, light, fade=3)


def paint_status_bar(cv, r, k, P, raised=False):
    status_fill(cv, r[0], r[1], r[2] - r[0], r[3] - r[1], P, raised)


def paint_status_grip_background(cv, r, k, P):
    # Its first three columns are the panel separator.
    x0, y0, x1, y1 = r
    status_fill(cv, x0, y0, x1 - x0, y1 - y0, P)
    status_separator_lines(cv, x0 + 1, y0, y1 - y0, P)


def paint_status_toolbar_separator(cv, r, k, P):
    x0, y0, x1, y1 = r
    status_fill(cv, x0, y0, x1 - x0, y1 - y0, P)
    status_separator_lines(cv, x0, y0, y1 - y0, P)


def status_frame_painter(left, dialog):
    def paint(cv, r, k, P):
        x0, y0, x1, y1 = r
        kind, activity = k % 2, k // 2
        status_fill(cv, x0, y0, x1 - x0, y1 - y0, P, raised=kind == 1)
        edge = x0 if left else x1 - 1
        vline(cv, edge, y0, y1 - y0, P["frame_outer"][activity])
        if dialog:
            vline(cv, x0 + 1 if left else x1 - 2, y0, y1 - y0, P["frame_fill"][activity])

    return paint


def gallery_button_painter(arrow, corners):
    def paint(cv, r, k, P):
        look = ["normal", "hot", "pressed", "disabled"][k]
        accent_box(cv, r, look_by_name(P, look), radius=2, corners=corners)
        centred_glyph(cv, r, arrow, P["arrow_disabled"] if look == "disabled" else P["arrow"])
        if arrow is ARROW_DOWN3 and corners[2]:
            x0, y0, x1, y1 = r
            hline(cv, x0 + 4, (y0 + y1) // 2 - 3, x1 - x0 - 8,
                  P["arrow_disabled"] if look == "disabled" else P["arrow"])

    return paint


def paint_gallery_panel(cv, r, k, P, line_at_top):
    x0, y0, x1, y1 = r
    fill_rect(cv, x0, y0, x1 - x0, y1 - y0, P["band"] if P is not SCHEME_COLORS["Black"] else P["button"])
    hline(cv, x0, y0 if line_at_top else y1 - 1, x1 - x0, P["button_border"])


def paint_gallery_filter_panel(cv, r, k, P):
    accent_box(cv, r, scheme_button(P), radius=1)


def paint_gallery_group_header(cv, r, k, P):
    x0, y0, x1, y1 = r
    fill_rect(cv, x0, y0, x1 - x0, y1 - y0, P["button"])
    hline(cv, x0, y1 - 2, x1 - x0, P["button_border"])


def grip_dots(cv, positions, P):
    dark, light = P["grip"]
    for x, y in positions:
        cv.over(x + 1, y + 1, light, 1.0)
        cv.over(x, y, dark, 1.0)


def paint_gallery_size_grip(cv, r, k, P, top):
    x0, y0 = r[0], r[1]
    dots = [(4, 0), (2, 2), (4, 2), (0, 4), (2, 4), (4, 4)]
    grip_dots(cv, [(x0 + x, y0 + (4 - y if top else y)) for x, y in dots], P)


def paint_gallery_vertical_grip(cv, r, k, P):
    x0, y0, x1, y1 = r
    grip_dots(cv, [(x0 + 3 + 3 * i, y0 + 2) for i in range(5)], P)


# ---- the painters of every group -----------------------------------------------------------------

HOTS = ["hot", "pressed", "checked", "hotchecked", "activedisabled"]
SPLITS = ["hot", "active", "pressed", "checked", "hotchecked", "hotchecked", "activedisabled"]

PAINTERS = {
    # form atlas
    "FormCaption": paint_form_caption,
    "FormBorderLeft": lambda cv, r, k, P: paint_frame_side(cv, r, k, P, True),
    "FormBorderRight": lambda cv, r, k, P: paint_frame_side(cv, r, k, P, False),
    "FormBorderBottomThin": paint_bottom_thin,
    "FormBorderBottom": lambda cv, r, k, P: paint_bottom(cv, r, k, P, False),
    "DialogBorderBottom": lambda cv, r, k, P: paint_bottom(cv, r, k, P, True),
    "QATCaptionLeftEnd": paint_qat_caption_left_end,
    "QATCaptionBand": paint_qat_caption_band,
    "BorderIconBackground": paint_border_icon_background,
    "ApplicationButton": paint_application_button,
    # common atlas
    "QATGlassLeftEnd": lambda cv, r, k, P: glass(cv, r, 1, 0),
    "QATGlassAppButtonEnd": lambda cv, r, k, P: glass(cv, r, 0, 0, fade=8),
    "QATGlassBody": lambda cv, r, k, P: glass(cv, r, 0, 1),
    "HelpGlyph": paint_help_glyph,
    "SmallButton": strip_painter(HOTS),
    "SplitButtonMain": strip_painter(SPLITS, corners=(1, 0, 0, 1)),
    "SplitButtonDropDown": strip_painter(SPLITS, corners=(0, 1, 1, 0)),
    "LargeButton": strip_painter(HOTS),
    "LargeSplitButtonTop": strip_painter(["hot", "active", "pressed", "checked", "hotchecked"], corners=(1, 1, 0, 0)),
    "LargeSplitButtonBottom": strip_painter(["hot", "pressed", "checked", "activedisabled"], corners=(0, 0, 1, 1)),
    "LaunchButtonBackground": strip_painter(["hot", "pressed"]),
    "DetachCaption": paint_detach_caption,
    "MenuCheck": paint_menu_check,
    "MenuCheckMark": paint_menu_check_mark,
    "MenuGlyphStrip": paint_menu_glyph_strip,
    "MenuContent": paint_menu_content,
    "MenuSeparatorHorz": lambda cv, r, k, P: paint_menu_separator(cv, r, k, P, True),
    "MenuSeparatorVert": lambda cv, r, k, P: paint_menu_separator(cv, r, k, P, False),
    "DropDownBorder": paint_drop_down_border,
    "MenuScrollButton": strip_painter(["hot", "pressed"], radius=1),
    "QATGroupButtonGlyph": paint_group_button_glyph,
    "ProgressSolid": paint_progress,
    "ProgressBlock": paint_progress,
    # scheme atlas
    "Tab": paint_tab,
    "TabSeparator": paint_tab_separator,
    "TabScrollButtonRight": scroll_button_painter(False),
    "TabScrollButtonLeft": scroll_button_painter(True),
    "GroupScrollButtonRight": scroll_button_painter(False),
    "GroupScrollButtonLeft": scroll_button_painter(True),
    "TabGroupsArea": paint_tab_groups_area,
    "GroupBackground": paint_group_background,
    "GroupCaption": paint_group_caption,
    "MarkArrow": glyph_painter(MARK_ARROW, ["normal", "pressed"]),
    "MarkTruncated": glyph_painter(MARK_TRUNCATED, ["normal", "pressed"]),
    "CollapsedGroup": paint_collapsed_group,
    "CollapsedGroupGlyphFrame": paint_collapsed_glyph_frame,
    "ButtonArrow": glyph_painter(ARROW_SMALL, ["normal", "disabled", "normal"]),
    "EditButton": scheme_strip_painter(["normal", "disabled", "hot", "active", "pressed", "checked"], radius=1),
    "ArrowDown": glyph_painter(ARROW_DOWN, ["normal"]),
    "ArrowRight": glyph_painter(ARROW_RIGHT, ["normal"]),
    "AppMenuButton": scheme_strip_painter(["normal"]),
    "ButtonGroupButton": paint_button_group_button,
    "ButtonGroupBorders": paint_button_group_borders,
    "ButtonGroupSeparator": paint_button_group_separator,
    "ButtonGroupSplitSeparator": paint_button_group_split_separator,
    "LaunchGlyph": glyph_painter(LAUNCH, ["normal", "disabled"]),
    "AppMenuBorder": paint_app_menu_border,
    "AppMenuHeader": lambda cv, r, k, P: paint_app_menu_band(cv, r, k, P, False),
    "AppMenuFooter": lambda cv, r, k, P: paint_app_menu_band(cv, r, k, P, True),
    "MenuMarkGlyph": lambda cv, r, k, P: centred_glyph(cv, r, CHECK_MARK, COMMON["glyph"]),
    "MenuScrollButtonNormal": scheme_strip_painter(["normal"], radius=1),
    "ProgressBorder": paint_progress_border,
    "ScrollArrow": glyph_painter(ARROW_TINY, ["normal"]),
    "ScreenTip": box_painter("tip", "tip_border", highlight=0.0),
    "QATBelowBackground": box_painter("area", "area_border"),
    "QATPopup": box_painter("area", "area_border"),
    "QATGroupButtonActive": qat_group_button_painter(True),
    "QATGroupButton": qat_group_button_painter(False),
    "StatusBar": paint_status_bar,
    "StatusBarPanelRaised": lambda cv, r, k, P: paint_status_bar(cv, r, k, P, True),
    "StatusBarToolbarSeparator": paint_status_toolbar_separator,
    "StatusBarGripBackground": paint_status_grip_background,
    "StatusBarFrameLeft": status_frame_painter(True, False),
    "StatusBarFrameLeftDialog": status_frame_painter(True, True),
    "StatusBarFrameRight": status_frame_painter(False, False),
    "StatusBarFrameRightDialog": status_frame_painter(False, True),
    "GalleryScrollUp": gallery_button_painter(ARROW_UP, (0, 1, 0, 0)),
    "GalleryScrollDown": gallery_button_painter(ARROW_DOWN3, (0, 0, 0, 0)),
    "GalleryDropDown": gallery_button_painter(ARROW_DOWN3, (0, 0, 1, 0)),
    "GalleryFilterPanel": paint_gallery_filter_panel,
    "GalleryGroupHeader": paint_gallery_group_header,
    "GallerySizePanelTop": lambda cv, r, k, P: paint_gallery_panel(cv, r, k, P, False),
    "GallerySizePanelBottom": lambda cv, r, k, P: paint_gallery_panel(cv, r, k, P, True),
    "GallerySizeGripTop": lambda cv, r, k, P: paint_gallery_size_grip(cv, r, k, P, True),
    "GallerySizeGripBottom": lambda cv, r, k, P: paint_gallery_size_grip(cv, r, k, P, False),
    "GalleryVerticalSizeGrip": paint_gallery_vertical_grip,
}
for _name in ICON_GLYPHS:
    PAINTERS[_name] = lambda cv, r, k, P, name=_name: paint_border_icon(cv, r, k, P, name)

# Images painted as part of another: {group: the region or group that paints it}.
COVERED = {
    "FormCaptionMaximized": "FormCaption",
    "FormBorderTopLeft": "FormCaption",
    "FormBorderTopRight": "FormCaption",
    "RibbonTopArea": "FormCaption",
    "StatusBarPanelSeparator": "StatusBarGripBackground",
    "QATCaptionAppButtonEnd": "QATCaptionBand",
    "QATCaptionBody": "QATCaptionBand",
    "ButtonGroupBorderLeft": "ButtonGroupBorders",
    "ButtonGroupBorderRight": "ButtonGroupBorders",
}
# Regions made of several groups that share pixels: {region: its groups}.
UNIONS = {
    "QATCaptionBand": ["QATCaptionAppButtonEnd", "QATCaptionBody"],
    "ButtonGroupBorders": ["ButtonGroupBorderLeft", "ButtonGroupBorderRight"],
}

# ---- layout ------------------------------------------------------------------------------------


def union_rect(rects):
    return (min(r[0] for r in rects), min(r[1] for r in rects), max(r[2] for r in rects), max(r[3] for r in rects))


def overlaps(a, b):
    return max(a[0], b[0]) < min(a[2], b[2]) and max(a[1], b[1]) < min(a[3], b[3])


def contains(outer, inner):
    return outer[0] <= inner[0] and outer[1] <= inner[1] and outer[2] >= inner[2] and outer[3] >= inner[3]


def painted_regions(atlases, rows):
    """[(name, atlas, {image: rect})] of everything painted, after checking that every image lies
    inside its atlas, painted regions never overlap, and every covered image lies inside the
    region that paints it."""
    by_name = {row["name"]: row for row in rows}
    regions = []
    for row in rows:
        if row["name"] not in COVERED:
            regions.append((row["name"], row["atlas"], row_images(row)))
    for name, members in UNIONS.items():
        images = {}
        for member in members:
            for k, r in row_images(by_name[member]).items():
                images.setdefault(k, []).append(r)
        regions.append((name, by_name[members[0]]["atlas"], {k: union_rect(rs) for k, rs in images.items()}))
    problems = []
    for row in rows:
        w, h = atlases[row["atlas"]]
        for k, r in row_images(row).items():
            if r[0] < 0 or r[1] < 0 or r[2] > w or r[3] > h:
                problems.append("%s image %d %s lies outside the %s atlas" % (row["name"], k, r, row["atlas"]))
        if row["name"] in COVERED:
            coverer = dict((n, imgs) for n, _, imgs in regions)[COVERED[row["name"]]]
            for k, r in row_images(row).items():
                if k not in coverer or not contains(coverer[k], r):
                    problems.append("%s image %d is not inside %s" % (row["name"], k, COVERED[row["name"]]))
    flat = [(name, atlas, k, r) for name, atlas, imgs in regions for k, r in imgs.items()]
    for i, (n1, a1, k1, r1) in enumerate(flat):
        for n2, a2, k2, r2 in flat[i + 1:]:
            if a1 == a2 and overlaps(r1, r2):
                problems.append("%s image %d overlaps %s image %d" % (n1, k1, n2, k2))
    missing = [name for name, _, _ in regions if name not in PAINTERS]
    problems += ["no painter for " + name for name in missing]
    if problems:
        raise SystemExit("the part table does not fit the atlases:\n  " + "\n  ".join(problems))
    return regions


def draw_atlas(atlases, regions, atlas, P):
    w, h = atlases[atlas]
    cv = Canvas(w, h)
    for name, region_atlas, images in regions:
        if region_atlas != atlas:
            continue
        for k in sorted(images):
            PAINTERS[name](cv, images[k], k, P)
    return cv


# ---- output ------------------------------------------------------------------------------------


def probe_lines(rows, canvases):
    """One RIBBON_PROBE line per part: its atlas file's scheme, ID, centre and colour there."""
    lines = []
    for owner, atlas, cv in canvases:
        for row in rows:
            if row["atlas"] != atlas:
                continue
            for part_id, _, r in part_images(row):
                x, y = (r[2] - r[0]) // 2, (r[3] - r[1]) // 2
                red, green, blue, alpha = cv.straight(r[0] + x, r[1] + y)
                color = (alpha << 24) | (red << 16) | (green << 8) | blue
                lines.append("RIBBON_PROBE(%s, %d, %d, %d, 0x%08X)" % (owner, part_id, x, y, color))
    return lines


def build():
    atlases, rows = read_table()
    regions = painted_regions(atlases, rows)
    canvases = [("Common", "Common", draw_atlas(atlases, regions, "Common", None))]
    files = {"RibbonCommon.png": canvases[0][2].png()}
    for scheme in SCHEMES:
        P = SCHEME_COLORS[scheme]
        form = draw_atlas(atlases, regions, "Form", P)
        own = draw_atlas(atlases, regions, "Scheme", P)
        canvases += [(scheme, "Form", form), (scheme, "Scheme", own)]
        files["Form%s.png" % scheme] = form.png()
        files["Ribbon%s.png" % scheme] = own.png()
    probes = ["// Made by scripts/gen-ribbon-atlases.py: the colour at the centre of every part's image.",
              "// RIBBON_PROBE(Scheme or Common, PartId, X, Y, 0xAARRGGBB): (X, Y) within the part, straight alpha.",
              ""] + probe_lines(rows, canvases)
    return files, ("\n".join(probes) + "\n").encode("ascii")


def main():
    files, probes = build()
    outputs = {os.path.join(OUT, name): data for name, data in files.items()}
    outputs[PROBES] = probes
    return write_or_check(outputs, "--check" in sys.argv[1:], "gen-ribbon-atlases.py")


if __name__ == "__main__":
    sys.exit(main())
