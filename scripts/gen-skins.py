#!/usr/bin/env python3
"""The skin compiler: draws the stored skins from their text description.

    scripts/gen-skins.py            writes the skins and the probe table
    scripts/gen-skins.py --check    fails when a committed file differs from what it would write

Reads toolkit/skins/res/Skins.txt (palettes, skins, colours, groups, elements, image recipes,
properties) and writes, for every skin it describes:
- toolkit/skins/res/<File>.skin: the skin stream (format version 1.02) with every picture drawn
  here as a PNG strip;
- tests/toolkit/skins/SkinProbes.inc: the probe table, one line per opaque pixel at the centre of
  a frame (skin, group, element, image or glyph, image set, state, x and y inside the frame, the
  colour $00BBGGRR), against which the tests check how the program cuts the strips it decodes.

Everything is drawn by this script with the standard library only (anti-aliased shapes in
floating point, PNG through zlib), so the output is the same on every machine.

The description, line by line (indentation matters; '#' starts a comment):

    palette NAME                    colours for the recipes: lines "key #RRGGBB" or "key $BBGGRR"
    skin NAME resource=R file=F palette=P
    colors                          the skin colour table: lines "Name value"
    group NAME                      then, indented by 4: "prop Name kind value" and "element Name
                                    [only=Skin]", and indented by 8 the element's lines:
        color V | alpha N | textcolor V | count N | offset L T R B | minsize W H
        border left|top|right|bottom COLOR THIN
        prop Name int|bool|color|string|rect|size VALUE...
        image RECIPE size=WxH states=a,b,.. [layout=h|v] [stretch=stretch|tile|noresize]
              [margins=L,T,R,B] [key=value ...]       (glyph: the same for the glyph strip)
        gradient BEGIN END [horizontal|vertical|forward|backward]   (an image without a picture)

Values: "#RRGGBB", "$BBGGRR" (as stored), "@key" (the skin's palette), "none" ($1FFFFFFF) and
"default" ($20000000).
"""
import math
import os
import struct
import sys

from generated_files import ROOT, png_rgba, write_or_check

SOURCE = os.path.join(ROOT, "toolkit", "skins", "res", "Skins.txt")
OUT = os.path.join(ROOT, "toolkit", "skins", "res")
PROBES = os.path.join(ROOT, "tests", "toolkit", "skins", "SkinProbes.inc")

CL_NONE, CL_DEFAULT = 0x1FFFFFFF, 0x20000000
STATES = ["normal", "hot", "pressed", "disabled", "active", "focused", "droppeddown", "checked", "hotcheck",
          "activedisabled", "checkpressed"]
STATE_IDENT = ["esNormal", "esHot", "esPressed", "esDisabled", "esActive", "esFocused", "esDroppedDown", "esChecked",
               "esHotCheck", "esActiveDisabled", "esCheckPressed"]
STRETCH = {"stretch": 0, "tile": 1, "noresize": 2}
GRADIENT = {"horizontal": 0, "vertical": 1, "forward": 2, "backward": 3}
SIDES = ["left", "top", "right", "bottom"]
DUMP = None  # a folder that receives every strip as a PNG file (--dump DIR)


# ---- colours -------------------------------------------------------------------------------

def rgb_of(text):
    """'#RRGGBB' or '$BBGGRR' -> (r, g, b)."""
    if text.startswith("#"):
        v = int(text[1:], 16)
        return ((v >> 16) & 255, (v >> 8) & 255, v & 255)
    if text.startswith("$"):
        v = int(text[1:], 16)
        return (v & 255, (v >> 8) & 255, (v >> 16) & 255)
    raise ValueError("not a colour: " + text)


def tcolor_of(rgb):
    r, g, b = rgb
    return r | (g << 8) | (b << 16)


def mix(a, b, t):
    """The colour t of the way from a to b."""
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


class Palette:
    def __init__(self, name):
        self.name = name
        self.colors = {}

    def __getitem__(self, key):
        if key not in self.colors:
            raise KeyError("palette %s has no colour '%s'" % (self.name, key))
        return self.colors[key]

    def color(self, text):
        """A recipe's colour value: '@key', '#RRGGBB' or '$BBGGRR' -> (r, g, b)."""
        return self[text[1:]] if text.startswith("@") else rgb_of(text)

    def stored(self, text):
        """A stored colour value: also 'none' and 'default' -> TColor as int."""
        if text == "none":
            return CL_NONE
        if text == "default":
            return CL_DEFAULT
        return tcolor_of(self.color(text))


# ---- raster --------------------------------------------------------------------------------

class Image:
    """Straight-alpha RGBA in floating point, 0..255 for colours and 0..1 for alpha."""

    def __init__(self, w, h):
        self.w, self.h = w, h
        self.px = [[0.0, 0.0, 0.0, 0.0] for _ in range(w * h)]

    def blend(self, x, y, rgb, a):
        """Paints rgb over the pixel with coverage a."""
        if a <= 0 or x < 0 or y < 0 or x >= self.w or y >= self.h:
            return
        a = min(a, 1.0)
        p = self.px[y * self.w + x]
        out = a + p[3] * (1 - a)
        if out <= 0:
            return
        for i in range(3):
            p[i] = (rgb[i] * a + p[i] * p[3] * (1 - a)) / out
        p[3] = out

    def paste(self, other, ox, oy):
        for y in range(other.h):
            for x in range(other.w):
                q = other.px[y * other.w + x]
                self.px[(oy + y) * self.w + ox + x] = list(q)

    def rgba_rows(self):
        rows = []
        for y in range(self.h):
            row = bytearray()
            for x in range(self.w):
                r, g, b, a = self.px[y * self.w + x]
                a8 = int(a * 255 + 0.5)
                if a8 == 0:
                    row += b"\0\0\0\0"
                else:
                    row += bytes((int(r + 0.5), int(g + 0.5), int(b + 0.5), a8))
            rows.append(bytes(row))
        return rows


def clamp01(v):
    return 0.0 if v < 0 else 1.0 if v > 1 else v


def rounded_box_distance(px, py, x0, y0, x1, y1, r):
    """Signed distance from a point to a box with rounded corners (negative inside)."""
    cx, cy = (x0 + x1) / 2, (y0 + y1) / 2
    hx, hy = (x1 - x0) / 2 - r, (y1 - y0) / 2 - r
    qx, qy = abs(px - cx) - hx, abs(py - cy) - hy
    outside = math.hypot(max(qx, 0), max(qy, 0))
    inside = min(max(qx, qy), 0)
    return outside + inside - r


def fill_rect(img, x0, y0, x1, y1, color):
    for y in range(max(0, y0), min(img.h, y1)):
        for x in range(max(0, x0), min(img.w, x1)):
            img.blend(x, y, color, 1.0)


def round_rect(img, x0, y0, x1, y1, r, fill=None, border=None, width=1, fill_bottom=None, alpha=1.0):
    """A box with rounded corners (r may be 0): fill (a vertical gradient to fill_bottom when
    given) inside a border line of the width; edges fall on whole pixels."""
    r = min(r, (x1 - x0) / 2, (y1 - y0) / 2)
    ri = max(r - width, 0)
    for y in range(max(0, int(y0)), min(img.h, int(math.ceil(y1)))):
        t = clamp01((y + 0.5 - y0) / max(1, y1 - y0))
        inner_color = None
        if fill is not None:
            inner_color = fill if fill_bottom is None else mix(fill, fill_bottom, t)
        for x in range(max(0, int(x0)), min(img.w, int(math.ceil(x1)))):
            d = rounded_box_distance(x + 0.5, y + 0.5, x0, y0, x1, y1, r)
            outer = clamp01(0.5 - d)
            if outer <= 0:
                continue
            if border is not None:
                di = rounded_box_distance(x + 0.5, y + 0.5, x0 + width, y0 + width, x1 - width, y1 - width, ri)
                inner = clamp01(0.5 - di) if x1 - x0 > 2 * width and y1 - y0 > 2 * width else 0.0
            else:
                inner = outer
            if inner_color is not None and inner > 0:
                img.blend(x, y, inner_color, inner * alpha)
            if border is not None and outer - inner > 0:
                img.blend(x, y, border, (outer - inner) * alpha)


def stroke(img, points, width, color, alpha=1.0, closed=False):
    """A polyline of the width with round joins, anti-aliased."""
    segs = list(zip(points, points[1:] + (points[:1] if closed else [])))
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    half = width / 2
    for y in range(max(0, int(min(ys) - half - 1)), min(img.h, int(max(ys) + half + 2))):
        for x in range(max(0, int(min(xs) - half - 1)), min(img.w, int(max(xs) + half + 2))):
            px, py = x + 0.5, y + 0.5
            best = 1e9
            for (ax, ay), (bx, by) in segs:
                dx, dy = bx - ax, by - ay
                length2 = dx * dx + dy * dy
                t = 0 if length2 == 0 else clamp01(((px - ax) * dx + (py - ay) * dy) / length2)
                best = min(best, math.hypot(px - ax - t * dx, py - ay - t * dy))
            cover = clamp01(half + 0.5 - best)
            if cover > 0:
                img.blend(x, y, color, cover * alpha)


def polygon(img, points, color, alpha=1.0):
    """A filled polygon, 4 x 4 samples a pixel."""
    xs = [p[0] for p in points]
    ys = [p[1] for p in points]
    n = len(points)
    for y in range(max(0, int(min(ys))), min(img.h, int(math.ceil(max(ys))))):
        for x in range(max(0, int(min(xs))), min(img.w, int(math.ceil(max(xs))))):
            hits = 0
            for sy in range(4):
                for sx in range(4):
                    qx, qy = x + (sx + 0.5) / 4, y + (sy + 0.5) / 4
                    inside = False
                    j = n - 1
                    for i in range(n):
                        (xi, yi), (xj, yj) = points[i], points[j]
                        if (yi > qy) != (yj > qy) and qx < (xj - xi) * (qy - yi) / (yj - yi) + xi:
                            inside = not inside
                        j = i
                    hits += inside
            if hits:
                img.blend(x, y, color, hits / 16 * alpha)


def ellipse(img, cx, cy, rx, ry, fill=None, border=None, width=1.0, fill_bottom=None):
    for y in range(max(0, int(cy - ry - 1)), min(img.h, int(cy + ry + 2))):
        t = clamp01((y + 0.5 - (cy - ry)) / max(1, 2 * ry))
        color = fill if fill_bottom is None or fill is None else mix(fill, fill_bottom, t)
        for x in range(max(0, int(cx - rx - 1)), min(img.w, int(cx + rx + 2))):
            # distance in units of the smaller radius: exact for circles, close enough else
            nx, ny = (x + 0.5 - cx) / rx, (y + 0.5 - cy) / ry
            d = (math.hypot(nx, ny) - 1) * min(rx, ry)
            outer = clamp01(0.5 - d)
            inner = clamp01(0.5 - (d + width)) if border is not None else outer
            if color is not None and inner > 0:
                img.blend(x, y, color, inner)
            if border is not None and outer - inner > 0:
                img.blend(x, y, border, outer - inner)


# ---- the looks of states -------------------------------------------------------------------

class Look:
    """What a frame looks like in a state: fill (top, bottom), border and glyph colours; None
    means nothing is drawn there."""

    def __init__(self, top, bottom, border, glyph):
        self.top, self.bottom, self.border, self.glyph = top, bottom, border, glyph


def look(pal, state, flat=False):
    """Buttons and items: flat ones show nothing at rest; hot is a light tint with an accent
    border, pressed a deeper tint, checked tinted, disabled washed out."""
    if state == "normal":
        if flat:
            return Look(None, None, None, pal["glyph"])
        return Look(pal["face"], pal["faceBottom"], pal["line"], pal["glyph"])
    if state in ("hot", "focused"):
        return Look(pal["hot"], pal["hotBottom"], pal["hotLine"], pal["glyphHot"])
    if state in ("pressed", "droppeddown", "checkpressed"):
        return Look(pal["pressed"], pal["pressedBottom"], pal["pressedLine"], pal["glyphHot"])
    if state == "checked":
        return Look(pal["checked"], pal["checkedBottom"], pal["hotLine"], pal["glyphHot"])
    if state == "hotcheck":
        return Look(pal["hotChecked"], pal["checked"], pal["pressedLine"], pal["glyphHot"])
    if state == "active":
        if flat:  # the other half of a split button is hot: a quiet outline
            return Look(pal["face"], pal["faceBottom"], pal["hotLine"], pal["glyph"])
        return Look(pal["face"], pal["faceBottom"], pal["accent"], pal["glyph"])
    if state in ("disabled", "activedisabled"):
        if flat:
            return Look(None, None, None, pal["glyphDisabled"])
        return Look(pal["disabledFace"], pal["disabledFace"], pal["disabledLine"], pal["glyphDisabled"])
    raise ValueError(state)


# ---- recipes: one frame each ---------------------------------------------------------------
# A recipe draws one frame of w x h for a state and an image set (index) into img. params are
# the image line's key=value pairs; colours in them go through pal.color.

def p_int(params, key, default):
    return int(params.get(key, default))


def p_color(pal, params, key, default=None, index=0):
    """A colour parameter; a comma list gives one colour an image set."""
    v = params.get(key)
    if v:
        choices = v.split(",")
        return pal.color(choices[min(index, len(choices) - 1)])
    return pal[default] if default else None


def r_box(img, w, h, state, index, params, pal):
    """A box with rounded corners in the state's look (flat=1: nothing at rest)."""
    lk = look(pal, state, params.get("flat") == "1")
    radius = float(params.get("radius", 3))
    fill = p_color(pal, params, "fill")
    if fill is not None and state == "normal":
        lk = Look(fill, p_color(pal, params, "fillBottom") or fill, p_color(pal, params, "border") or lk.border, lk.glyph)
    if lk.top is None and lk.border is None:
        return
    inset = float(params.get("inset", 0))
    round_rect(img, inset, inset, w - inset, h - inset, radius, lk.top, lk.border, 1, lk.bottom)


def r_panel(img, w, h, state, index, params, pal):
    """A plain fill (a gradient with 'bottom'), lines along the sides named in 'lines', with a
    rounded outline when 'radius' is given."""
    fill = p_color(pal, params, "fill", index=index)
    bottom = p_color(pal, params, "bottom", index=index)
    line = p_color(pal, params, "line", "line", index=index)
    radius = params.get("radius")
    if radius is not None:
        round_rect(img, 0, 0, w, h, float(radius), fill, line, 1, bottom)
        return
    if fill is not None:
        for y in range(h):
            color = fill if bottom is None else mix(fill, bottom, (y + 0.5) / h)
            for x in range(w):
                img.blend(x, y, color, 1.0)
    lines = params.get("lines", "")
    if "l" in lines:
        fill_rect(img, 0, 0, 1, h, line)
    if "t" in lines:
        fill_rect(img, 0, 0, w, 1, line)
    if "r" in lines:
        fill_rect(img, w - 1, 0, w, h, line)
    if "b" in lines:
        fill_rect(img, 0, h - 1, w, h, line)
    highlight = p_color(pal, params, "highlight")
    if highlight is not None:  # a light line just inside the top edge
        fill_rect(img, 1 if "l" in lines else 0, 1 if "t" in lines else 0, w - (1 if "r" in lines else 0),
                  2 if "t" in lines else 1, highlight)


def r_fill(img, w, h, state, index, params, pal):
    """A fill whose colours follow the state: params "<state>=top[:bottom[:border]]" (a state
    without its own entry takes normal's); 'radius' rounds it inside its border, 'lines' names
    the sides that get a border line instead."""
    entry = params.get(state) or params.get("normal")
    if entry is None:
        return
    parts = [pal.color(v) for v in entry.split(":")]
    top = parts[0]
    bottom = parts[1] if len(parts) > 1 else top
    border = parts[2] if len(parts) > 2 else p_color(pal, params, "line", "line")
    radius = params.get("radius")
    if radius is not None:
        round_rect(img, 0, 0, w, h, float(radius), top, border, 1, bottom)
        return
    for y in range(h):
        color = mix(top, bottom, (y + 0.5) / h)
        for x in range(w):
            img.blend(x, y, color, 1.0)
    lines = params.get("lines", "")
    for side, rect in (("l", (0, 0, 1, h)), ("t", (0, 0, w, 1)), ("r", (w - 1, 0, w, h)), ("b", (0, h - 1, w, h))):
        if side in lines:
            fill_rect(img, *rect, border)


def r_grips(img, w, h, state, index, params, pal):
    """Size grips, one kind an image set ('kinds': v, h or diagonal)."""
    kinds = params.get("kinds", "diagonal").split(",")
    kind = kinds[min(index, len(kinds) - 1)]
    sub = dict(params)
    if kind == "diagonal":
        sub["diagonal"] = "1"
    else:
        sub["orient"] = kind
    r_dots(img, w, h, state, index, sub, pal)


def r_menucheck(img, w, h, state, index, params, pal):
    """Image set 0: the check mark of a checked item without a glyph; 1: the frame around the
    glyph of a checked item."""
    if index == 0:
        round_rect(img, 2, 2, w - 2, h - 2, 2.5, pal["checked"], pal["hotLine"], 1, pal["checkedBottom"])
        check_mark(img, 4, 4, w - 8, pal["accentDark"], 1.8)
    else:
        round_rect(img, 0, 0, w, h, 3, pal["checked"], pal["hotLine"], 1, pal["checkedBottom"])


def r_line(img, w, h, state, index, params, pal):
    """An etched line across the middle: dark then light ('orient' h or v)."""
    dark = p_color(pal, params, "color", "line")
    light = p_color(pal, params, "light")
    if params.get("orient", "h") == "h":
        y = (h - (2 if light else 1)) // 2
        fill_rect(img, 0, y, w, y + 1, dark)
        if light:
            fill_rect(img, 0, y + 1, w, y + 2, light)
    else:
        x = (w - (2 if light else 1)) // 2
        fill_rect(img, x, 0, x + 1, h, dark)
        if light:
            fill_rect(img, x + 1, 0, x + 2, h, light)


def arrow_points(cx, cy, size, direction):
    s = size / 2
    if direction == "down":
        return [(cx - s, cy - s / 2), (cx + s, cy - s / 2), (cx, cy + s / 2)]
    if direction == "up":
        return [(cx - s, cy + s / 2), (cx + s, cy + s / 2), (cx, cy - s / 2)]
    if direction == "right":
        return [(cx - s / 2, cy - s), (cx - s / 2, cy + s), (cx + s / 2, cy)]
    return [(cx + s / 2, cy - s), (cx + s / 2, cy + s), (cx - s / 2, cy)]


def glyph_color(pal, params, state):
    c = p_color(pal, params, "color")
    if c is not None and state not in ("disabled", "activedisabled"):
        return c
    return look(pal, state, True).glyph


def r_arrow(img, w, h, state, index, params, pal):
    """A solid triangle; 'dirs' gives the direction of each image set."""
    dirs = params.get("dirs", params.get("dir", "down")).split(",")
    direction = dirs[min(index, len(dirs) - 1)]
    size = float(params.get("arrow", 7))
    polygon(img, arrow_points(w / 2, h / 2, size, direction), glyph_color(pal, params, state))


def r_chevron(img, w, h, state, index, params, pal):
    """Two chevrons; 'dirs' per image set."""
    dirs = params.get("dirs", params.get("dir", "down")).split(",")
    d = dirs[min(index, len(dirs) - 1)]
    color = glyph_color(pal, params, state)
    cx, cy = w / 2, h / 2
    for k in (-2.0, 2.0):
        if d in ("down", "up"):
            s = 1 if d == "down" else -1
            pts = [(cx - 3, cy + k - 1.5 * s), (cx, cy + k + 1.5 * s), (cx + 3, cy + k - 1.5 * s)]
        else:
            s = 1 if d == "right" else -1
            pts = [(cx + k - 1.5 * s, cy - 3), (cx + k + 1.5 * s, cy), (cx + k - 1.5 * s, cy + 3)]
        stroke(img, pts, 1.4, color)


def check_mark(img, x0, y0, size, color, width=1.8):
    stroke(img, [(x0 + size * 0.18, y0 + size * 0.52), (x0 + size * 0.42, y0 + size * 0.76),
                 (x0 + size * 0.84, y0 + size * 0.26)], width, color)


def r_check(img, w, h, state, index, params, pal):
    size = min(w, h) - 2 * p_int(params, "pad", 2)
    check_mark(img, (w - size) / 2, (h - size) / 2, size, glyph_color(pal, params, state))


def r_cross(img, w, h, state, index, params, pal):
    s = float(params.get("cross", 3.5))
    color = glyph_color(pal, params, state)
    cx, cy = w / 2, h / 2
    stroke(img, [(cx - s, cy - s), (cx + s, cy + s)], 1.6, color)
    stroke(img, [(cx - s, cy + s), (cx + s, cy - s)], 1.6, color)


def r_checkbox(img, w, h, state, index, params, pal):
    """Image sets: unchecked, checked, grayed."""
    lk = look(pal, state)
    fill = pal["white"] if state == "normal" else lk.top
    bottom = pal["face"] if state == "normal" else lk.bottom
    border = pal["inputLine"] if state == "normal" else lk.border
    round_rect(img, 0, 0, w, h, 2.5, fill, border, 1, bottom)
    mark = pal["accentDark"] if state not in ("disabled",) else pal["glyphDisabled"]
    if index == 1:
        check_mark(img, 2, 2, w - 4, mark, 1.9)
    elif index == 2:
        round_rect(img, 4, 4, w - 4, h - 4, 1, mark, None)


def r_radio(img, w, h, state, index, params, pal):
    """Image sets: off, on."""
    lk = look(pal, state)
    fill = pal["white"] if state == "normal" else lk.top
    bottom = pal["face"] if state == "normal" else lk.bottom
    border = pal["inputLine"] if state == "normal" else lk.border
    r = min(w, h) / 2
    ellipse(img, w / 2, h / 2, r - 0.0, r - 0.0, fill, border, 1.0, bottom)
    if index == 1:
        mark = pal["accentDark"] if state != "disabled" else pal["glyphDisabled"]
        ellipse(img, w / 2, h / 2, r * 0.42, r * 0.42, mark)


def r_dots(img, w, h, state, index, params, pal):
    """Grip dots: 'orient' v (a column) or h (a row), 'count' of them, each a light and a dark
    square; 'diagonal'=1 makes the size grip's triangle."""
    dark = p_color(pal, params, "color", "grip")
    light = pal["white"]
    count = p_int(params, "count", 4)
    if params.get("diagonal") == "1":
        for row in range(count):
            for col in range(count - row):
                x = w - 4 - col * 4 + 1
                y = h - 4 - row * 4 + 1
                fill_rect(img, x + 1, y + 1, x + 3, y + 3, light)
                fill_rect(img, x, y, x + 2, y + 2, dark)
        return
    if params.get("orient", "v") == "v":
        total = count * 4 - 1
        y0 = (h - total) // 2
        x = (w - 3) // 2
        for i in range(count):
            fill_rect(img, x + 1, y0 + i * 4 + 1, x + 3, y0 + i * 4 + 3, light)
            fill_rect(img, x, y0 + i * 4, x + 2, y0 + i * 4 + 2, dark)
    else:
        total = count * 4 - 1
        x0 = (w - total) // 2
        y = (h - 3) // 2
        for i in range(count):
            fill_rect(img, x0 + i * 4 + 1, y + 1, x0 + i * 4 + 3, y + 3, light)
            fill_rect(img, x0 + i * 4, y, x0 + i * 4 + 2, y + 2, dark)


def r_plusminus(img, w, h, state, index, params, pal):
    """Image sets: plus (collapsed), minus (expanded)."""
    round_rect(img, 0, 0, w, h, 1.5, pal["white"], pal["inputLine"], 1, pal["face"])
    color = pal["accentDark"]
    c = h // 2
    fill_rect(img, 2, c, w - 2, c + 1, color)
    if index == 0:
        fill_rect(img, w // 2, 2, w // 2 + 1, h - 2, color)


def r_glyphs(img, w, h, state, index, params, pal):
    """Small pictograms, one an image set, named by 'set'."""
    names = params["set"].split(",")
    name = names[min(index, len(names) - 1)]
    color = glyph_color(pal, params, state)
    draw_pictogram(img, w, h, name, color, pal)


def draw_pictogram(img, w, h, name, color, pal):
    cx, cy = w / 2, h / 2
    if name in ("up", "down", "left", "right"):
        polygon(img, arrow_points(cx, cy, min(w, h) * 0.6, name), color)
    elif name == "first":
        polygon(img, arrow_points(cx + 1, cy, min(w, h) * 0.6, "left"), color)
        fill_rect(img, int(cx - 3), int(cy - 3), int(cx - 2), int(cy + 4), color)
    elif name == "last":
        polygon(img, arrow_points(cx - 1, cy, min(w, h) * 0.6, "right"), color)
        fill_rect(img, int(cx + 2), int(cy - 3), int(cx + 3), int(cy + 4), color)
    elif name == "priorpage":
        polygon(img, arrow_points(cx - 1.5, cy, min(w, h) * 0.5, "left"), color)
        polygon(img, arrow_points(cx + 2, cy, min(w, h) * 0.5, "left"), color)
    elif name == "nextpage":
        polygon(img, arrow_points(cx - 2, cy, min(w, h) * 0.5, "right"), color)
        polygon(img, arrow_points(cx + 1.5, cy, min(w, h) * 0.5, "right"), color)
    elif name == "plus":
        fill_rect(img, int(cx - 3), int(cy), int(cx + 4), int(cy + 1), color)
        fill_rect(img, int(cx), int(cy - 3), int(cx + 1), int(cy + 4), color)
    elif name == "minus":
        fill_rect(img, int(cx - 3), int(cy), int(cx + 4), int(cy + 1), color)
    elif name == "edit":  # a pencil
        stroke(img, [(cx - 3, cy + 3), (cx + 3, cy - 3)], 2.2, color)
        polygon(img, [(cx - 4.5, cy + 4.5), (cx - 4, cy + 2), (cx - 2, cy + 4)], color)
    elif name == "post":
        check_mark(img, cx - 4.5, cy - 4.5, 9, color, 1.6)
    elif name in ("cancel", "close"):
        stroke(img, [(cx - 3, cy - 3), (cx + 3, cy + 3)], 1.5, color)
        stroke(img, [(cx - 3, cy + 3), (cx + 3, cy - 3)], 1.5, color)
    elif name == "refresh":
        pts = [(cx + 3.5 * math.cos(a / 10 * math.pi * 1.5 + 0.4), cy + 3.5 * math.sin(a / 10 * math.pi * 1.5 + 0.4))
               for a in range(11)]
        stroke(img, pts, 1.4, color)
        polygon(img, [(cx + 1, cy - 5.5), (cx + 4, cy - 3.5), (cx + 1, cy - 1.5)], color)
    elif name == "bookmark":
        polygon(img, [(cx - 3, cy - 4), (cx + 3, cy - 4), (cx + 3, cy + 4), (cx, cy + 1.5), (cx - 3, cy + 4)], color)
    elif name == "gotobookmark":
        polygon(img, [(cx - 4, cy - 4), (cx + 1, cy - 4), (cx + 1, cy + 4), (cx - 1.5, cy + 1.5), (cx - 4, cy + 4)], color)
        polygon(img, arrow_points(cx + 3, cy, 5, "right"), color)
    elif name == "filter":
        polygon(img, [(cx - 4, cy - 4), (cx + 4, cy - 4), (cx + 1, cy), (cx + 1, cy + 4), (cx - 1, cy + 3),
                      (cx - 1, cy)], color)
    elif name == "arrowright":  # the grid's current-row arrow
        polygon(img, [(cx - 2, cy - 4), (cx + 2.5, cy), (cx - 2, cy + 4)], color)
    elif name == "asterisk":
        for a in range(3):
            ang = a * math.pi / 3
            stroke(img, [(cx - 3.5 * math.cos(ang), cy - 3.5 * math.sin(ang)),
                         (cx + 3.5 * math.cos(ang), cy + 3.5 * math.sin(ang))], 1.3, color)
    elif name == "restore":
        round_rect(img, cx - 1.5, cy - 4.5, cx + 4.5, cy + 1.5, 0, None, color, 1)
        fill_rect(img, int(cx - 1.5), int(cy - 4.5), int(cx + 4.5), int(cy - 3.5), color)
        round_rect(img, cx - 4.5, cy - 1.5, cx + 1.5, cy + 4.5, 0, pal["white"], color, 1)
        fill_rect(img, int(cx - 4.5), int(cy - 1.5), int(cx + 1.5), int(cy - 0.5), color)
    elif name == "maximize":
        round_rect(img, cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5, 0, None, color, 1)
        fill_rect(img, int(cx - 4.5), int(cy - 4.5), int(cx + 4.5), int(cy - 2.5), color)
    elif name == "minimize":
        fill_rect(img, int(cx - 4), int(cy + 2), int(cx + 4), int(cy + 4), color)
    elif name == "help":
        pts = [(cx - 2.5, cy - 2), (cx - 2, cy - 3.6), (cx, cy - 4.3), (cx + 2, cy - 3.6), (cx + 2.5, cy - 2),
               (cx + 1.5, cy - 0.6), (cx, cy + 0.3), (cx, cy + 1.6)]
        stroke(img, pts, 1.5, color)
        ellipse(img, cx, cy + 3.6, 1.0, 1.0, color)
    elif name == "pin":
        round_rect(img, cx - 2.5, cy - 4.5, cx + 2.5, cy + 1.5, 0, None, color, 1)
        fill_rect(img, int(cx - 4), int(cy + 1), int(cx + 5), int(cy + 2), color)
        fill_rect(img, int(cx), int(cy + 2), int(cx + 1), int(cy + 5), color)
    elif name == "unpin":
        round_rect(img, cx - 1.5, cy - 2.5, cx + 4.5, cy + 2.5, 0, None, color, 1)
        fill_rect(img, int(cx - 2), int(cy - 4), int(cx - 1), int(cy + 5), color)
        fill_rect(img, int(cx - 5), int(cy), int(cx - 2), int(cy + 1), color)
    elif name == "mark":  # the customize mark: a bar above a small down arrow
        fill_rect(img, int(cx - 3), int(cy - 3), int(cx + 3), int(cy - 2), color)
        polygon(img, arrow_points(cx, cy + 1.5, 6, "down"), color)
    elif name == "qat":  # a small floppy-like square for the quick access glyph
        round_rect(img, cx - 4.5, cy - 4.5, cx + 4.5, cy + 4.5, 1, pal["accentLight"], color, 1)
        fill_rect(img, int(cx - 2), int(cy - 4), int(cx + 2), int(cy - 1), pal["white"])
    elif name == "launch":  # the group's dialog launcher: a corner with a small arrow
        fill_rect(img, int(cx - 3), int(cy - 3), int(cx - 2), int(cy + 3), color)
        fill_rect(img, int(cx - 3), int(cy - 3), int(cx + 3), int(cy - 2), color)
        stroke(img, [(cx - 0.5, cy - 0.5), (cx + 3, cy + 3)], 1.3, color)
        polygon(img, [(cx + 3.5, cy + 0.5), (cx + 3.5, cy + 3.5), (cx + 0.5, cy + 3.5)], color)
    elif name == "dots":
        for k in (-3, 0, 3):
            fill_rect(img, int(cx + k - 1), int(cy), int(cx + k + 1), int(cy + 2), color)
    elif name == "funnel":
        polygon(img, [(cx - 4.5, cy - 4), (cx + 4.5, cy - 4), (cx + 1, cy), (cx + 1, cy + 4.5), (cx - 1, cy + 3.5),
                      (cx - 1, cy)], color)
    elif name == "caption":  # a page with lines: the collapsed group's picture
        round_rect(img, cx - 7.5, cy - 9.5, cx + 7.5, cy + 9.5, 1, pal["white"], color, 1)
        for k in range(4):
            fill_rect(img, int(cx - 4), int(cy - 5 + k * 3), int(cx + 5), int(cy - 4 + k * 3), pal["accentLight"])
    elif name == "app":  # the application button's mark: three stacked bars
        for k in (-4, 0, 4):
            fill_rect(img, int(cx - 7), int(cy + k - 1), int(cx + 7), int(cy + k + 1), color)
    else:
        raise ValueError("unknown pictogram " + name)


def r_thumb(img, w, h, state, index, params, pal):
    """A track bar thumb pointing 'dir' (down, up, right, left or both)."""
    lk = look(pal, state)
    direction = params.get("dir", "down")
    fill, bottom, border = (pal["white"], pal["face"], pal["inputLine"]) if state == "normal" else (
        lk.top, lk.bottom, lk.border)
    x0, y0, x1, y1 = 0.5, 0.5, w - 0.5, h - 0.5
    if direction == "both":
        round_rect(img, 0, 0, w, h, 2, fill, border, 1, bottom)
        return
    tip = 4.5
    if direction == "down":
        pts = [(x0, y0), (x1, y0), (x1, y1 - tip), (w / 2, y1), (x0, y1 - tip)]
    elif direction == "up":
        pts = [(x0, y1), (x1, y1), (x1, y0 + tip), (w / 2, y0), (x0, y0 + tip)]
    elif direction == "right":
        pts = [(x0, y0), (x1 - tip, y0), (x1, h / 2), (x1 - tip, y1), (x0, y1)]
    else:
        pts = [(x1, y0), (x0 + tip, y0), (x0, h / 2), (x0 + tip, y1), (x1, y1)]
    inner = [(x + (0.8 if x < w / 2 else -0.8), y + (0.8 if y < h / 2 else -0.8)) for x, y in pts]
    polygon(img, [(x - 0.5 + (0.5 if x < w / 2 else 0.5), y) for x, y in pts], border)
    polygon(img, inner, fill)
    if bottom is not None:  # a touch of the gradient: the lower half slightly darker
        for y in range(h // 2, h):
            for x in range(w):
                p = img.px[y * w + x]
                if p[3] > 0.99:
                    inner_ok = all(abs(p[i] - fill[i]) < 1 for i in range(3))
                    if inner_ok:
                        img.blend(x, y, bottom, 0.6)


def r_track(img, w, h, state, index, params, pal):
    """A track bar groove; image sets: enabled, enabled selection, disabled, disabled selection."""
    selection = index in (1, 3)
    disabled = index >= 2
    if selection:
        fill = pal["glyphDisabled"] if disabled else pal["accent"]
        border = pal["disabledLine"] if disabled else pal["accentDark"]
        round_rect(img, 0, 0, w, h, 2.5, fill, border, 1)
    else:
        round_rect(img, 0, 0, w, h, 2.5, pal["disabledFace"] if disabled else pal["groove"],
                   pal["disabledLine"] if disabled else pal["line"], 1)


def r_progress(img, w, h, state, index, params, pal):
    """A progress chunk: the accent with a lighter top ('orient' h or v)."""
    vertical = params.get("orient", "h") == "v"
    top, bottom = pal["accentLight"], pal["accent"]
    for y in range(h):
        for x in range(w):
            t = (x + 0.5) / w if vertical else (y + 0.5) / h
            img.blend(x, y, mix(top, bottom, t), 1.0)
    if vertical:
        fill_rect(img, 0, 0, w, 1, pal["accentDark"])
    else:
        fill_rect(img, w - 1, 0, w, h, pal["accentDark"])


def r_clockface(img, w, h, state, index, params, pal):
    r = min(w, h) / 2
    ellipse(img, w / 2, h / 2, r - 0.5, r - 0.5, pal["white"], pal["line"], 1.5, pal["face"])
    for k in range(12):
        a = k * math.pi / 6
        inner = r - (6 if k % 3 == 0 else 4)
        stroke(img, [(w / 2 + inner * math.cos(a), h / 2 + inner * math.sin(a)),
                     (w / 2 + (r - 2.5) * math.cos(a), h / 2 + (r - 2.5) * math.sin(a))],
               1.6 if k % 3 == 0 else 1.0, pal["accent"])


def r_clockglass(img, w, h, state, index, params, pal):
    r = min(w, h) / 2
    for y in range(h):
        for x in range(w):
            d = math.hypot(x + 0.5 - w / 2, y + 0.5 - h / 2)
            if d < r - 2:
                t = clamp01(1 - (y + 0.5) / (h * 0.55))
                if t > 0:
                    img.blend(x, y, (255, 255, 255), 0.35 * t)


def r_frame(img, w, h, state, index, params, pal):
    """A window frame side ('side' left, right or bottom): active or inactive colours by the
    state, a darker outer line."""
    active = state != "activedisabled"
    fill = pal["frame"] if active else pal["frameInactive"]
    outer = pal["frameLine"] if active else pal["disabledLine"]
    fill_rect(img, 0, 0, w, h, fill)
    side = params.get("side", "left")
    if side == "left":
        fill_rect(img, 0, 0, 1, h, outer)
    elif side == "right":
        fill_rect(img, w - 1, 0, w, h, outer)
    else:
        fill_rect(img, 0, h - 1, w, h, outer)


def r_caption(img, w, h, state, index, params, pal):
    """A caption band: image set 1 (or the state activedisabled) is the inactive form's."""
    active = state != "activedisabled" and index == 0
    top, bottom = (pal["captionTop"], pal["captionBottom"]) if active else (pal["frameInactive"], pal["frameInactive"])
    for y in range(h):
        c = mix(top, bottom, (y + 0.5) / h)
        for x in range(w):
            img.blend(x, y, c, 1.0)
    fill_rect(img, 0, 0, w, 1, pal["frameLine"] if active else pal["disabledLine"])
    fill_rect(img, 0, 0, 1, h, pal["frameLine"] if active else pal["disabledLine"])
    fill_rect(img, w - 1, 0, w, h, pal["frameLine"] if active else pal["disabledLine"])
    if params.get("bottomline") == "1":
        fill_rect(img, 0, h - 1, w, h, pal["line"])


def r_tab(img, w, h, state, index, params, pal):
    """A tab with rounded top corners, open at the bottom; the selected tab (active, checked or
    focused) is white and joins the page under it."""
    selected = state in ("active", "checked", "focused")
    if state == "normal" and params.get("flat") == "1":
        return
    if selected:
        fill, bottom, border = pal["white"], pal["white"], pal["line"]
    elif state == "hot":
        fill, bottom, border = pal["hot"], pal["hotBottom"], pal["hotLine"]
    elif state in ("pressed",):
        fill, bottom, border = pal["pressed"], pal["pressedBottom"], pal["pressedLine"]
    elif state == "disabled":
        fill, bottom, border = pal["disabledFace"], pal["disabledFace"], pal["disabledLine"]
    else:
        fill, bottom, border = pal["face"], pal["faceBottom"], pal["line"]
    round_rect(img, 0, 0, w, h + 4, 3, fill, border, 1, bottom)
    if selected and state == "focused":
        fill_rect(img, 2, 1, w - 2, 2, pal["accent"])
    elif selected:
        fill_rect(img, 2, 1, w - 2, 3, pal["accent"])


def r_shadow(img, w, h, state, index, params, pal):
    """A soft shadow fading toward 'dir' (right or down)."""
    color = pal["shadow"]
    right = params.get("dir", "right") == "right"
    for y in range(h):
        for x in range(w):
            t = (x + 0.5) / w if right else (y + 0.5) / h
            img.blend(x, y, color, 0.35 * (1 - t))


def r_appbutton(img, w, h, state, index, params, pal):
    top, bottom = {"normal": (pal["accentLight"], pal["accent"]), "hot": (pal["hotLine"], pal["accent"]),
                   "pressed": (pal["accent"], pal["accentDark"])}.get(state, (pal["accentLight"], pal["accent"]))
    ellipse(img, w / 2, h / 2, w / 2 - 1, h / 2 - 1, top, pal["accentDark"], 1.2, bottom)
    draw_pictogram(img, w, h, "app", pal["white"], pal)


def r_appointment(img, w, h, state, index, params, pal):
    round_rect(img, 0, 0, w, h, 2, pal["white"], pal["accent"], 1, pal["face"])
    fill_rect(img, 1, 1, 4, h - 1, pal["accent"])


RECIPES = {
    "box": r_box, "panel": r_panel, "line": r_line, "arrow": r_arrow, "chevron": r_chevron, "check": r_check,
    "cross": r_cross, "checkbox": r_checkbox, "radio": r_radio, "dots": r_dots, "plusminus": r_plusminus,
    "glyphs": r_glyphs, "thumb": r_thumb, "track": r_track, "progress": r_progress, "clockface": r_clockface,
    "clockglass": r_clockglass, "frame": r_frame, "caption": r_caption, "tab": r_tab, "shadow": r_shadow,
    "appbutton": r_appbutton, "appointment": r_appointment, "fill": r_fill, "grips": r_grips,
    "menucheck": r_menucheck,
}


# ---- the description -----------------------------------------------------------------------

class ImageSpec:
    def __init__(self):
        self.recipe = None
        self.size = (0, 0)
        self.states = []
        self.layout = 0
        self.stretch = 0
        self.margins = (0, 0, 0, 0)
        self.params = {}
        self.gradient = (CL_NONE, CL_NONE, 0)


class ElementSpec:
    def __init__(self, name, only):
        self.name = name
        self.only = only
        self.lines = []


def parse_description(path):
    palettes, skins, colors, groups = {}, [], [], []
    current = None  # what indented lines belong to
    with open(path, encoding="utf-8") as f:
        for number, raw in enumerate(f, 1):
            text = strip_comment(raw)
            if not text.strip():
                continue
            indent = len(text) - len(text.lstrip(" "))
            words = text.split()
            where = "%s:%d" % (os.path.basename(path), number)
            if indent == 0:
                kind = words[0]
                if kind == "palette":
                    current = ("palette", Palette(words[1]))
                    palettes[words[1]] = current[1]
                elif kind == "skin":
                    attrs = dict(w.split("=", 1) for w in words[2:])
                    skins.append({"name": words[1], **attrs})
                    current = None
                elif kind == "colors":
                    current = ("colors", None)
                elif kind == "group":
                    group = {"name": words[1], "props": [], "elements": []}
                    groups.append(group)
                    current = ("group", group)
                else:
                    raise SyntaxError(where + ": unknown " + kind)
            elif current and current[0] == "palette":
                current[1].colors[words[0]] = rgb_of(words[1])
            elif current and current[0] == "colors":
                colors.append((words[0], words[1]))
            elif current and current[0] in ("group", "element"):
                group = current[1] if current[0] == "group" else current[2]
                if indent == 4:
                    if words[0] == "prop":
                        group["props"].append((where, words[1:]))
                        current = ("group", group)
                    elif words[0] == "element":
                        only = words[2].split("=", 1)[1] if len(words) > 2 else None
                        element = ElementSpec(words[1], only)
                        group["elements"].append(element)
                        current = ("element", element, group)
                    else:
                        raise SyntaxError(where + ": unknown " + words[0])
                elif current[0] == "element":
                    current[1].lines.append((where, words))
                else:
                    raise SyntaxError(where + ": indented line outside an element")
            else:
                raise SyntaxError(where + ": indented line outside a block")
    return palettes, skins, colors, groups


def strip_comment(line):
    """Drops a comment: a '#' at the start of a word that is not a colour."""
    out = []
    for word in line.rstrip("\n").split(" "):
        if word.startswith("#") and not (len(word) == 7 and all(c in "0123456789abcdefABCDEF" for c in word[1:])):
            break
        out.append(word)
    return " ".join(out)


def parse_image(words):
    spec = ImageSpec()
    spec.recipe = words[0]
    if spec.recipe not in RECIPES:
        raise ValueError("unknown recipe " + spec.recipe)
    for word in words[1:]:
        key, value = word.split("=", 1)
        if key == "size":
            w, h = value.split("x")
            spec.size = (int(w), int(h))
        elif key == "states":
            spec.states = value.split(",")
            for s in spec.states:
                if s not in STATES:
                    raise ValueError("unknown state " + s)
        elif key == "layout":
            spec.layout = {"h": 0, "v": 1}[value]
        elif key == "stretch":
            spec.stretch = STRETCH[value]
        elif key == "margins":
            spec.margins = tuple(int(v) for v in value.split(","))
        else:
            spec.params[key] = value
    return spec


# ---- drawing the strips --------------------------------------------------------------------

def draw_strip(spec, count, pal):
    """The strip: count image sets along the layout axis, each with a frame per state in state
    order; returns the image and the frame rectangles by (set, state)."""
    states = [s for s in STATES if s in spec.states]
    w, h = spec.size
    frames = count * len(states)
    strip = Image(w * frames, h) if spec.layout == 0 else Image(w, h * frames)
    places = {}
    n = 0
    for index in range(count):
        for state in states:
            frame = Image(w, h)
            RECIPES[spec.recipe](frame, w, h, state, index, spec.params, pal)
            x, y = (n * w, 0) if spec.layout == 0 else (0, n * h)
            strip.paste(frame, x, y)
            places[(index, state)] = (x, y)
            n += 1
    return strip, places


def png_bytes(img):
    return png_rgba(img.w, img.h, img.rgba_rows())


# ---- the stream ----------------------------------------------------------------------------

class Writer:
    def __init__(self):
        self.data = bytearray()

    def int32(self, v):
        self.data += struct.pack("<i", v if v < 0x80000000 else v - 0x100000000)

    def byte(self, v):
        self.data += bytes((v,))

    def string(self, s):
        b = s.encode("cp1252")
        self.int32(len(b))
        self.data += b


def write_property(out, pal, words, where):
    name, kind, values = words[0], words[1], words[2:]
    classes = {"int": "TdxSkinIntegerProperty", "bool": "TdxSkinBooleanProperty", "color": "TdxSkinColor",
               "string": "TdxSkinStringProperty", "rect": "TdxSkinRectProperty", "size": "TdxSkinSizeProperty"}
    if kind not in classes:
        raise ValueError(where + ": unknown property kind " + kind)
    out.string(classes[kind])
    out.string(name)
    if kind == "int":
        out.int32(int(values[0]))
    elif kind == "bool":
        out.byte(1 if values[0] in ("1", "true", "True") else 0)
    elif kind == "color":
        out.int32(pal.stored(values[0]))
    elif kind == "string":
        out.string(" ".join(values))
    elif kind == "rect":
        for v in values:
            out.int32(int(v))
    else:
        out.int32(int(values[0]))
        out.int32(int(values[1]))


def sort_key(name):
    # the locale's order of plain letters and digits: letters without regard to case first
    return (name.lower(), name.swapcase())


def compile_skin(skin, palettes, colors, groups, probes):
    pal = palettes[skin["palette"]]
    out = Writer()
    out.int32(6)
    out.data += b"dxSkin"
    out.data += struct.pack("<d", 1.02)
    out.string(skin["name"])
    names = [c[0] for c in colors]
    if names != sorted(names, key=sort_key):
        raise ValueError("the skin colours must be listed in name order")
    out.int32(len(colors))
    for name, value in colors:
        out.string("TdxSkinColor")
        out.string(name)
        out.int32(pal.stored(value))
    out.int32(0)  # no skin properties
    group_names = [g["name"] for g in groups]
    if group_names != sorted(group_names, key=sort_key):
        raise ValueError("the groups must be listed in name order")
    out.int32(len(groups))
    for group in groups:
        elements = [e for e in group["elements"] if e.only in (None, skin["name"])]
        element_names = [e.name for e in elements]
        if len(set(element_names)) != len(element_names):
            raise ValueError("group %s names an element twice" % group["name"])
        elements.sort(key=lambda e: sort_key(e.name))
        out.string(group["name"])
        out.int32(len(elements))
        for element in elements:
            out.string(element.name)
            write_element(out, element, pal, skin["name"], group["name"], probes)
        out.int32(len(group["props"]))
        for where, words in group["props"]:
            write_property(out, pal, words, where)
    return bytes(out.data)


def write_element(out, element, pal, skin_name, group_name, probes):
    color, alpha, text_color, count = CL_DEFAULT, 255, CL_DEFAULT, 1
    offset, min_size = (0, 0, 0, 0), (0, 0)
    borders = {side: (CL_NONE, 1) for side in SIDES}
    props = []
    images = {"image": ImageSpec(), "glyph": ImageSpec()}
    for where, words in element.lines:
        key = words[0]
        if key == "color":
            color = pal.stored(words[1])
        elif key == "alpha":
            alpha = int(words[1])
        elif key == "textcolor":
            text_color = pal.stored(words[1])
        elif key == "count":
            count = int(words[1])
        elif key == "offset":
            offset = tuple(int(v) for v in words[1:5])
        elif key == "minsize":
            min_size = (int(words[1]), int(words[2]))
        elif key == "border":
            borders[words[1]] = (pal.stored(words[2]), int(words[3]))
        elif key == "prop":
            props.append((where, words[1:]))
        elif key in ("image", "glyph"):
            images[key] = parse_image(words[1:])
        elif key == "gradient":
            spec = images["image"]
            spec.gradient = (pal.stored(words[1]), pal.stored(words[2]), GRADIENT[words[3]] if len(words) > 3 else 1)
        else:
            raise ValueError(where + ": unknown element line " + key)
    out.int32(color)
    out.byte(alpha)
    out.int32(count)
    for v in offset:
        out.int32(v)
    for kind in ("glyph", "image"):
        write_image(out, images[kind], count, pal, (skin_name, group_name, element.name, kind), probes)
    for side in SIDES:
        out.string("TdxSkinBorder")
        out.string(side.capitalize())
        out.int32(borders[side][0])
        out.int32(borders[side][1])
    out.int32(text_color)
    out.int32(min_size[0])
    out.int32(min_size[1])
    out.int32(len(props))
    for where, words in props:
        write_property(out, pal, words, where)


def write_image(out, spec, count, pal, key, probes):
    for v in spec.margins:
        out.int32(v)
    out.byte(spec.layout)
    mask = 0
    for s in spec.states:
        mask |= 1 << STATES.index(s)
    out.byte(mask & 255)
    out.byte(mask >> 8)
    out.byte(spec.stretch)
    out.int32(spec.gradient[0])
    out.int32(spec.gradient[1])
    out.byte(spec.gradient[2])
    if spec.recipe is None:
        out.int32(0)
        return
    strip, places = draw_strip(spec, count, pal)
    data = png_bytes(strip)
    if DUMP:
        with open(os.path.join(DUMP, "%s-%s-%s-%s.png" % key), "wb") as f:
            f.write(data)
    out.int32(len(data))
    out.data += data
    w, h = spec.size
    for (index, state), (x, y) in places.items():
        cx, cy = w // 2, h // 2
        r, g, b, a = strip.px[(y + cy) * strip.w + x + cx]
        if a >= 1.0:
            probes.append((*key, index, STATE_IDENT[STATES.index(state)], cx, cy,
                           tcolor_of((int(r + 0.5), int(g + 0.5), int(b + 0.5)))))


def probe_table(probes):
    lines = ["// Written by scripts/gen-skins.py: the colour at the centre of every opaque frame of the",
             "// stored skins' strips (skin, group, element, strip, image set, state, x, y in the frame).", ""]
    for skin, group, element, kind, index, state, x, y, color in probes:
        lines.append('{L"%s", L"%s", L"%s", %s, %d, %s, %d, %d, 0x%06X},' % (
            skin, group, element, "true" if kind == "glyph" else "false", index, state, x, y, color))
    return ("\n".join(lines) + "\n").encode("ascii")


def build():
    palettes, skins, colors, groups = parse_description(SOURCE)
    outputs, probes = {}, []
    for skin in skins:
        outputs[os.path.join(OUT, skin["file"])] = compile_skin(skin, palettes, colors, groups, probes)
    outputs[PROBES] = probe_table(probes)
    return outputs


def main():
    global DUMP
    check = "--check" in sys.argv[1:]
    if "--dump" in sys.argv[1:]:
        DUMP = sys.argv[sys.argv.index("--dump") + 1]
        os.makedirs(DUMP, exist_ok=True)
    return write_or_check(build(), check, "gen-skins.py")


if __name__ == "__main__":
    sys.exit(main())
