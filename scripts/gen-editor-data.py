#!/usr/bin/env python3
"""Makes the editor's data: the texture catalogue, the robot, the pictures of the main form.

    scripts/gen-editor-data.py            writes the files under assets/
    scripts/gen-editor-data.py --check    fails when a committed file differs

assets/textures/   textures.ini and its images (BMP, TGA, DDS, JPEG), in the order the editor's
                   material lists need: the block texture (library index 11), three materials no
                   list offers (the robot's picture, "BlockSilver" for a freshly placed block, a
                   metal), then the skies (15 on).
assets/models/Bot/ model.ini, robot.smd (the model around its centre, Z up, facing -Y) and
                   stand.smd (a gentle loop: the body breathes, the head looks about, the
                   antenna sways).
assets/form/       pictures the main form stores: "Clover" 128x128 and "Beton" 256x256 JPEG, the
                   16x20 cursors (24-bit, key colour in the bottom-right pixel) and the button
                   images: one strip of eleven 32x32 and one of eleven 20x20 pictures, 32-bit
                   BMP with alpha, in the image-list order of the commands.

Everything is drawn here from deterministic noise and simple shapes; the JPEG files come from
the small baseline encoder below, so no image library is needed.
"""
import math
import os
import struct
import sys

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
ASSETS = os.path.join(ROOT, "assets")

# ---------------------------------------------------------------------------------------------
# Noise and colour helpers


def hash01(x, y, seed):
    h = (x * 374761393 + y * 668265263 + seed * 2147483647) & 0xFFFFFFFF
    h = ((h ^ (h >> 13)) * 1274126177) & 0xFFFFFFFF
    return ((h ^ (h >> 16)) & 0xFFFF) / 65535.0


def smooth(t):
    return t * t * (3 - 2 * t)


def value_noise(u, v, period_x, period_y, seed):
    """Noise over [0,1)^2 that tiles: period_x by period_y lattice cells."""
    x, y = u * period_x, v * period_y
    xi, yi = int(math.floor(x)), int(math.floor(y))
    fx, fy = smooth(x - xi), smooth(y - yi)
    x0, x1 = xi % period_x, (xi + 1) % period_x
    y0, y1 = yi % period_y, (yi + 1) % period_y
    a, b = hash01(x0, y0, seed), hash01(x1, y0, seed)
    c, d = hash01(x0, y1, seed), hash01(x1, y1, seed)
    return (a + (b - a) * fx) * (1 - fy) + (c + (d - c) * fx) * fy


def fbm(u, v, period, octaves, seed, period_y=None):
    period_y = period_y or period
    total, amplitude, norm = 0.0, 1.0, 0.0
    for o in range(octaves):
        total += amplitude * value_noise(u, v, period << o, period_y << o, seed + o)
        norm += amplitude
        amplitude *= 0.5
    return total / norm


def clamp8(v):
    return max(0, min(255, int(round(v))))


def mix(a, b, t):
    return tuple(a[i] + (b[i] - a[i]) * t for i in range(3))


def scale(c, f):
    return tuple(clamp8(x * f) for x in c)


def image(w, h, shader):
    """Rows top to bottom of (r, g, b) from shader(u, v), u, v in [0, 1), v = 0 at the top."""
    return [[tuple(clamp8(x) for x in shader((x + 0.5) / w, (y + 0.5) / h)) for x in range(w)] for y in range(h)]


# ---------------------------------------------------------------------------------------------
# File formats


def bmp24(pixels):
    h, w = len(pixels), len(pixels[0])
    stride = (w * 3 + 3) & ~3
    data = bytearray()
    for row in reversed(pixels):
        line = bytearray()
        for r, g, b in row:
            line += bytes((b, g, r))
        data += line + b"\0" * (stride - len(line))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 24, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def bmp32(pixels):
    """pixels: rows top to bottom of (r, g, b, a), alpha not premultiplied."""
    h, w = len(pixels), len(pixels[0])
    data = bytearray()
    for row in reversed(pixels):
        for r, g, b, a in row:
            data += bytes((b, g, r, a))
    header = struct.pack("<2sIHHI", b"BM", 54 + len(data), 0, 0, 54)
    info = struct.pack("<IiiHHIIiiII", 40, w, h, 1, 32, 0, len(data), 2835, 2835, 0, 0)
    return header + info + bytes(data)


def tga24(pixels):
    """Uncompressed true-colour Targa, bottom row first (its first pixel is the bottom-left one)."""
    h, w = len(pixels), len(pixels[0])
    header = struct.pack("<BBBHHBHHHHBB", 0, 0, 2, 0, 0, 0, 0, 0, w, h, 24, 0)
    data = bytearray()
    for row in reversed(pixels):
        for r, g, b in row:
            data += bytes((b, g, r))
    return header + bytes(data)


def dds32(pixels):
    """Uncompressed 32-bit DDS (A8R8G8B8), top row first, opaque."""
    h, w = len(pixels), len(pixels[0])
    flags = 0x1 | 0x2 | 0x4 | 0x8 | 0x1000  # caps, height, width, pitch, pixel format
    header = struct.pack("<4sIIIIIII", b"DDS ", 124, flags, h, w, w * 4, 0, 0) + b"\0" * 44
    header += struct.pack("<IIIIIIII", 32, 0x41, 0, 32, 0x00FF0000, 0x0000FF00, 0x000000FF, 0xFF000000)
    header += struct.pack("<IIIII", 0x1000, 0, 0, 0, 0)
    data = bytearray()
    for row in pixels:
        for r, g, b in row:
            data += bytes((b, g, r, 255))
    return header + bytes(data)


# A baseline JPEG encoder: YCbCr without subsampling, one Huffman table pair for every component.

ZIGZAG = sorted(range(64), key=lambda i: (i // 8 + i % 8, (i % 8) if (i // 8 + i % 8) % 2 == 0 else (i // 8)))
LUMA_Q = [16, 11, 10, 16, 24, 40, 51, 61, 12, 12, 14, 19, 26, 58, 60, 55, 14, 13, 16, 24, 40, 57, 69, 56,
          14, 17, 22, 29, 51, 87, 80, 62, 18, 22, 37, 56, 68, 109, 103, 77, 24, 35, 55, 64, 81, 104, 113, 92,
          49, 64, 78, 87, 103, 121, 120, 101, 72, 92, 95, 98, 112, 100, 103, 99]
CHROMA_Q = [17, 18, 24, 47] + [99] * 4 + [18, 21, 26, 66] + [99] * 4 + [24, 26, 56] + [99] * 5 + [47, 66] + [99] * 46
DC_BITS = [0, 1, 5, 1, 1, 1, 1, 1, 1, 0, 0, 0, 0, 0, 0, 0]
DC_VALUES = list(range(12))
AC_BITS = [0, 2, 1, 3, 3, 2, 4, 3, 5, 5, 4, 4, 0, 0, 1, 0x7D]
# Every run/size symbol (plus end-of-block and the 16-zero run), the usual ones first.
_AC_FIRST = [0x01, 0x02, 0x03, 0x00, 0x04, 0x11, 0x05, 0x12, 0x21, 0x31, 0x41, 0x06, 0x13, 0x51, 0x61, 0x07,
             0x22, 0x71, 0x14, 0x32, 0x81, 0x91, 0xA1, 0x08, 0x23, 0x42, 0xB1, 0xC1, 0x15, 0x52, 0xD1, 0xF0]
AC_VALUES = _AC_FIRST + sorted(set([r << 4 | s for r in range(16) for s in range(1, 11)]) - set(_AC_FIRST))
assert len(AC_VALUES) == 162 and sum(AC_BITS) == 162


def huffman_codes(bits, values):
    codes, code, k = {}, 0, 0
    for length in range(1, 17):
        for _ in range(bits[length - 1]):
            codes[values[k]] = (code, length)
            code += 1
            k += 1
        code <<= 1
    return codes


class BitWriter:
    def __init__(self):
        self.out, self.acc, self.n = bytearray(), 0, 0

    def put(self, value, length):
        self.acc = (self.acc << length) | (value & ((1 << length) - 1))
        self.n += length
        while self.n >= 8:
            byte = (self.acc >> (self.n - 8)) & 0xFF
            self.out.append(byte)
            if byte == 0xFF:
                self.out.append(0)
            self.n -= 8
        self.acc &= (1 << self.n) - 1

    def flush(self):
        if self.n:
            self.put((1 << (8 - self.n)) - 1, 8 - self.n)
        return bytes(self.out)


COS = [[math.cos((2 * x + 1) * u * math.pi / 16) * (math.sqrt(0.5) if u == 0 else 1) for x in range(8)] for u in range(8)]


def fdct(block):
    rows = [[sum(block[y * 8 + x] * COS[u][x] for x in range(8)) / 2 for u in range(8)] for y in range(8)]
    return [sum(rows[y][u] * COS[v][y] for y in range(8)) / 2 for v in range(8) for u in range(8)]


def jpeg(pixels, quality=90):
    h, w = len(pixels), len(pixels[0])
    s = 5000 / quality if quality < 50 else 200 - 2 * quality
    tables = [[max(1, min(255, int((q * s + 50) // 100))) for q in base] for base in (LUMA_Q, CHROMA_Q)]
    dc, ac = huffman_codes(DC_BITS, DC_VALUES), huffman_codes(AC_BITS, AC_VALUES)

    def plane(f):
        return [[f(*pixels[min(y, h - 1)][min(x, w - 1)]) for x in range((w + 7) // 8 * 8)]
                for y in range((h + 7) // 8 * 8)]

    planes = [plane(lambda r, g, b: 0.299 * r + 0.587 * g + 0.114 * b),
              plane(lambda r, g, b: -0.168736 * r - 0.331264 * g + 0.5 * b + 128),
              plane(lambda r, g, b: 0.5 * r - 0.418688 * g - 0.081312 * b + 128)]
    bits, previous = BitWriter(), [0, 0, 0]

    def category(v):
        return abs(v).bit_length()

    def amplitude(v):
        return v if v >= 0 else v + (1 << category(v)) - 1

    for by in range(0, len(planes[0]), 8):
        for bx in range(0, len(planes[0][0]), 8):
            for c in range(3):
                block = [planes[c][by + y][bx + x] - 128 for y in range(8) for x in range(8)]
                q = tables[0 if c == 0 else 1]
                coefficients = fdct(block)
                zz = [int(round(coefficients[ZIGZAG[i]] / q[ZIGZAG[i]])) for i in range(64)]
                diff = zz[0] - previous[c]
                previous[c] = zz[0]
                bits.put(*dc[category(diff)])
                bits.put(amplitude(diff), category(diff))
                run = 0
                for v in zz[1:]:
                    if v == 0:
                        run += 1
                        continue
                    while run > 15:
                        bits.put(*ac[0xF0])
                        run -= 16
                    bits.put(*ac[run << 4 | category(v)])
                    bits.put(amplitude(v), category(v))
                    run = 0
                if run:
                    bits.put(*ac[0x00])
    scan = bits.flush()

    def segment(marker, payload):
        return struct.pack(">BBH", 0xFF, marker, len(payload) + 2) + payload

    out = b"\xFF\xD8"
    out += segment(0xE0, b"JFIF\0\x01\x01\0\0\x01\0\x01\0\0")
    for i, table in enumerate(tables):
        out += segment(0xDB, bytes([i]) + bytes(table[ZIGZAG[k]] for k in range(64)))
    out += segment(0xC0, struct.pack(">BHHB", 8, h, w, 3) + bytes([1, 0x11, 0, 2, 0x11, 1, 3, 0x11, 1]))
    out += segment(0xC4, bytes([0x00]) + bytes(DC_BITS) + bytes(DC_VALUES))
    out += segment(0xC4, bytes([0x10]) + bytes(AC_BITS) + bytes(AC_VALUES))
    out += segment(0xDA, bytes([3, 1, 0x00, 2, 0x00, 3, 0x00, 0, 63, 0]))
    return out + scan + b"\xFF\xD9"


# ---------------------------------------------------------------------------------------------
# Textures of the catalogue


def bevel(u, v, width):
    """+1 on the top and left rims, -1 on the bottom and right ones, 0 inside (v = 0 at the top)."""
    near, far = min(u, v), min(1 - u, 1 - v)
    if min(near, far) >= width:
        return 0
    return 1 if near < far else -1


def stone_block(u, v):
    n = fbm(u, v, 4, 5, 11)
    grain = hash01(int(u * 128), int(v * 128), 12)
    base = mix((112, 118, 132), (158, 160, 170), n)
    base = scale(base, 0.93 + 0.1 * grain)
    rim = bevel(u, v, 0.06)
    return scale(base, 1.25 if rim > 0 else 0.7 if rim < 0 else 1.0)


def block_silver(u, v):
    streak = value_noise(u, v, 4, 64, 21) * 0.6 + value_noise(u, v, 16, 64, 22) * 0.4
    base = mix((170, 176, 186), (232, 236, 242), streak)
    rim = bevel(u, v, 0.07)
    return scale(base, 1.12 if rim > 0 else 0.72 if rim < 0 else 1.0)


def metal(u, v):
    n = fbm(u, v, 4, 4, 31)
    base = mix((70, 76, 86), (110, 118, 130), n)
    for cu in (0.125, 0.875):
        for cv in (0.125, 0.875):
            d = math.hypot(u - cu, v - cv)
            if d < 0.06:
                return scale((150, 156, 166), 1.2 - d * 5)
    return base


def sky(zenith, horizon, cloud_colour, cloud_amount, seed, stars=False):
    def shader(u, v):
        # v = 0 is the top of the picture (the zenith), v = 1 the horizon.
        c = mix(zenith, horizon, v ** 1.6)
        n = fbm(u, v, 8, 5, seed, 4)
        cover = max(0.0, (n - (1 - cloud_amount)) / cloud_amount) if cloud_amount else 0
        c = mix(c, cloud_colour, min(1.0, cover * 1.6) * (0.35 + 0.65 * v))
        if stars:
            x, y = int(u * 256), int(v * 128)
            if hash01(x, y, seed + 7) > 0.992 and v < 0.85:
                c = mix(c, (255, 255, 240), 0.5 + 0.5 * hash01(x, y, seed + 8))
        return c
    return shader


ROBOT_KEY = (255, 0, 255)
ROBOT_SHADES = {"top": 1.0, "front": 0.82, "side": 0.64, "bottom": 0.45}
ROBOT_COLOURS = {"track": (64, 64, 74), "body": (60, 120, 210), "head": (214, 218, 228),
                 "accent": (255, 196, 0), "eye": (40, 235, 255), "dark": (34, 34, 44), "tip": (235, 40, 40)}


def robot_patch(material, shade):
    """The 8x8 patch (column, row from the bottom) of the robot's 64x64 picture."""
    names = list(ROBOT_COLOURS)
    return 1 + list(ROBOT_SHADES).index(shade), names.index(material)


def robot_picture():
    pixels = [[(40, 40, 40)] * 64 for _ in range(64)]
    for material, colour in ROBOT_COLOURS.items():
        for shade, factor in ROBOT_SHADES.items():
            col, row = robot_patch(material, shade)
            glow = 1.0 if material in ("eye", "tip") else factor
            for y in range(8):
                for x in range(8):
                    pixels[63 - (row * 8 + y)][col * 8 + x] = scale(colour, glow)
    pixels[63][0] = ROBOT_KEY  # the picture's bottom-left pixel: the see-through key colour
    return pixels


# ---------------------------------------------------------------------------------------------
# The robot


FRONT = -1  # the model's forward axis is -Y
BONES = [("root", -1, (0, 0, 0)), ("body", 0, (0, 0, -0.28)), ("head", 1, (0, 0, 0.40)),
         ("antenna", 2, (0, -0.08 * FRONT, 0.18))]


def box(x0, x1, f0, f1, z0, z1):
    """A box from corners in (x, forward, z) as faces: (corner list, normal, shade)."""
    faces = []
    for axis in range(3):
        for side in (0, 1):
            lo, hi = [(x0, x1), (f0, f1), (z0, z1)], None
            fixed = lo[axis][side]
            others = [a for a in range(3) if a != axis]
            corners = []
            for a, b in ((0, 0), (1, 0), (1, 1), (0, 1)):
                p = [0, 0, 0]
                p[axis] = fixed
                p[others[0]] = lo[others[0]][a]
                p[others[1]] = lo[others[1]][b]
                corners.append(tuple(p))
            normal = [0, 0, 0]
            normal[axis] = 1 if side else -1
            shade = ("side", "front", "top" if side else "bottom")[axis]
            faces.append((corners, tuple(normal), shade))
    return faces


def prism(points, z0, z1):
    """An upright prism over a convex polygon given counter-clockwise in (x, forward)."""
    top = [(x, f, z1) for x, f in points]
    faces = [(top, (0, 0, 1), "top"), (list(reversed([(x, f, z0) for x, f in points])), (0, 0, -1), "bottom")]
    for i in range(len(points)):
        (ax, af), (bx, bf) = points[i], points[(i + 1) % len(points)]
        nx, nf = bf - af, -(bx - ax)
        length = math.hypot(nx, nf)
        faces.append(([(ax, af, z0), (bx, bf, z0), (bx, bf, z1), (ax, af, z1)], (nx / length, nf / length, 0), "front"))
    return faces


def robot_parts():
    """(bone, material, faces) of every part, in (x, forward, z) model units."""
    parts = []
    for x0, x1 in ((-0.27, -0.13), (0.13, 0.27)):
        parts.append((0, "track", box(x0, x1, -0.24, 0.24, -0.40, -0.28)))
    parts.append((1, "body", box(-0.2, 0.2, -0.16, 0.16, -0.28, 0.10)))
    parts.append((1, "accent", box(-0.11, 0.11, 0.16, 0.19, -0.17, 0.03)))
    for x0, x1 in ((-0.27, -0.2), (0.2, 0.27)):
        parts.append((1, "track", box(x0, x1, -0.05, 0.05, -0.2, 0.06)))
    parts.append((2, "head", box(-0.15, 0.15, -0.13, 0.13, 0.12, 0.30)))
    for x0, x1 in ((-0.1, -0.03), (0.03, 0.1)):
        parts.append((2, "eye", box(x0, x1, 0.13, 0.16, 0.19, 0.25)))
    parts.append((2, "dark", box(-0.11, 0.11, 0.13, 0.145, 0.14, 0.17)))
    parts.append((2, "accent", prism([(-0.1, -0.03), (0.1, -0.03), (0.0, 0.125)], 0.30, 0.32)))
    parts.append((3, "dark", box(-0.015, 0.015, -0.095, -0.065, 0.30, 0.37)))
    parts.append((3, "tip", box(-0.03, 0.03, -0.11, -0.05, 0.36, 0.40)))
    return parts


def model_point(p):
    x, f, z = p
    return (x, f * FRONT, z)


def cross(a, b):
    return (a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0])


def sub(a, b):
    return tuple(a[i] - b[i] for i in range(3))


def smd_number(v):
    return "%.6f" % v if abs(v) > 5e-7 else "0.000000"


def smd_header():
    lines = ["version 1", "nodes"]
    for i, (name, parent, _) in enumerate(BONES):
        lines.append('%3d "%s" %d' % (i, name, parent))
    lines.append("end")
    return lines


def smd_pose(time, offsets):
    lines = ["time %d" % time]
    for i, (_, _, (x, y, z)) in enumerate(BONES):
        dx, dy, dz, rx, ry, rz = offsets.get(i, (0, 0, 0, 0, 0, 0))
        lines.append("%3d %s" % (i, " ".join(smd_number(v) for v in (x + dx, y + dy, z + dz, rx, ry, rz))))
    return lines


def robot_model():
    lines = smd_header() + ["skeleton"] + smd_pose(0, {}) + ["end", "triangles"]
    for bone, material, faces in robot_parts():
        for corners, normal, shade in faces:
            col, row = robot_patch(material, shade)
            s, t = (col + 0.5) / 8, (row + 0.5) / 8
            points = [model_point(c) for c in corners]
            n = model_point(normal)
            # Counter-clockwise seen from outside, so that culling keeps the outer faces.
            if sum(a * b for a, b in zip(cross(sub(points[1], points[0]), sub(points[2], points[0])), n)) < 0:
                points.reverse()
            for tri in ((0, 1, 2), (0, 2, 3)) if len(points) == 4 else ((0, 1, 2),):
                lines.append("robot")
                for k in tri:
                    x, y, z = points[k]
                    lines.append("%3d %s %s %s  %s %s %s  %.4f %.4f" % (
                        bone, smd_number(x), smd_number(y), smd_number(z),
                        smd_number(n[0]), smd_number(n[1]), smd_number(n[2]), s, t))
    lines.append("end")
    return "\r\n".join(lines) + "\r\n"


def stand_animation(frames=24):
    lines = smd_header() + ["skeleton"]
    for k in range(frames):
        phase = 2 * math.pi * k / frames
        lines += smd_pose(k, {1: (0, 0, 0.008 * math.sin(phase), 0, 0, 0),
                              2: (0, 0, 0, 0, 0, 0.14 * math.sin(phase)),
                              3: (0, 0, 0, 0.12 * math.sin(2 * phase), 0, 0)})
    lines.append("end")
    return "\r\n".join(lines) + "\r\n"


MODEL_INI = """[MODEL]
CountAnimations=1
CountTextures=1
SpeedMove=10
SpeedJump=10
SpeedRotate=10
FileName=robot.smd
Interval=100
Texture=Robot

[SCALE]
X=1.0
Y=1.0
Z=1.0

[ROTATION]
Pith=-90
Turn=0
Roll=0

[ANIMATION1]
FileName=stand.smd
Name=stand

[TEXTURE1]
Name=Metal
""".replace("\n", "\r\n")

# ---------------------------------------------------------------------------------------------
# Pictures of the main form


def clover(u, v):
    n = fbm(u, v, 8, 4, 41)
    c = mix((46, 110, 36), (92, 158, 58), n)
    # Three-leaved clovers scattered over the tile (wrapping round its edges).
    for i in range(14):
        cu, cv = hash01(i, 1, 42), hash01(i, 2, 42)
        size = 0.035 + 0.02 * hash01(i, 3, 42)
        turn = hash01(i, 4, 42) * 2 * math.pi
        for leaf in range(3):
            a = turn + leaf * 2 * math.pi / 3
            lu, lv = cu + math.cos(a) * size, cv + math.sin(a) * size
            du = (u - lu + 0.5) % 1 - 0.5
            dv = (v - lv + 0.5) % 1 - 0.5
            d = math.hypot(du, dv) / size
            if d < 1:
                c = mix((70, 150, 50), (120, 190, 80), 1 - d)
    return c


def beton(u, v):
    n = fbm(u, v, 4, 5, 51)
    c = mix((150, 148, 142), (190, 188, 182), n)
    pore = hash01(int(u * 256), int(v * 256), 52)
    if pore > 0.985:
        c = scale(c, 0.7)
    edge = min(u, v, 1 - u, 1 - v)
    if edge < 0.012:
        c = scale(c, 0.62)
    elif edge < 0.03:
        c = scale(c, 0.9)
    return c


CURSOR_KEY = (255, 0, 255)
CURSOR_ROWS = [
    "X...............", "XX..............", "X#X.............", "X##X............", "X###X...........",
    "X####X..........", "X#####X.........", "X######X........", "X#######X.......", "X########X......",
    "X#####XXXXX.....", "X##X##X.........", "X#X.X##X........", "XX..X##X........", "X....X##X.......",
    ".....X##X.......", "......XX........", "................", "................", "................"]


def cursor(fill):
    colours = {".": CURSOR_KEY, "X": (0, 0, 0), "#": fill}
    return [[colours[c] for c in row] for row in CURSOR_ROWS]


# A small vector painter for the button pictures: shapes in a 32-unit square, covered pixels
# found by 4 x 4 supersampling.

def inside_polygon(px, py, points):
    inside = False
    for i in range(len(points)):
        (ax, ay), (bx, by) = points[i], points[i - 1]
        if (ay > py) != (by > py) and px < ax + (py - ay) * (bx - ax) / (by - ay):
            inside = not inside
    return inside


def poly(points):
    return lambda x, y: inside_polygon(x, y, points)


def circle(cx, cy, r):
    return lambda x, y: (x - cx) ** 2 + (y - cy) ** 2 <= r * r


def ring(cx, cy, r0, r1, gap=None):
    """gap: (from, to) in degrees, 0 = right, counter-clockwise on screen, left open."""
    def test(x, y):
        d = math.hypot(x - cx, y - cy)
        if not r0 <= d <= r1:
            return False
        if gap is None:
            return True
        a = math.degrees(math.atan2(cy - y, x - cx)) % 360
        lo, hi = gap
        return not (lo <= a <= hi if lo <= hi else a >= lo or a <= hi)
    return test


def rect(x0, y0, x1, y1):
    return lambda x, y: x0 <= x <= x1 and y0 <= y <= y1


def line(x0, y0, x1, y1, width):
    dx, dy = x1 - x0, y1 - y0
    length = math.hypot(dx, dy)
    nx, ny = -dy / length * width / 2, dx / length * width / 2
    return poly([(x0 + nx, y0 + ny), (x1 + nx, y1 + ny), (x1 - nx, y1 - ny), (x0 - nx, y0 - ny)])


def outlined(shape, fill, outline=(40, 40, 48), width=1.2):
    """The shape in its fill colour with a dark outline just outside it."""
    def grown(x, y):
        return any(shape(x + dx, y + dy) for dx, dy in ((width, 0), (-width, 0), (0, width), (0, -width)))
    return [(grown, outline), (shape, fill)]


def paint(layers, size):
    pixels = []
    k = size / 32.0
    for y in range(size):
        row = []
        for x in range(size):
            acc, alpha = [0.0, 0.0, 0.0], 0.0
            for sy in range(4):
                for sx in range(4):
                    px, py = (x + (sx + 0.5) / 4) / k, (y + (sy + 0.5) / 4) / k
                    colour = None
                    for shape, c in layers:
                        if shape(px, py):
                            colour = c
                    if colour is not None:
                        for i in range(3):
                            acc[i] += colour[i]
                        alpha += 1
            row.append((clamp8(acc[0] / alpha), clamp8(acc[1] / alpha), clamp8(acc[2] / alpha),
                        clamp8(alpha * 255 / 16)) if alpha else (0, 0, 0, 0))
        pixels.append(row)
    return pixels


def cube_layers(cx, cy, s, top=(210, 214, 224), left=(150, 156, 170), right=(110, 116, 130)):
    """An isometric block with its top centre at (cx, cy) and half width s."""
    h = s * 0.55
    top_face = [(cx, cy - h), (cx + s, cy), (cx, cy + h), (cx - s, cy)]
    left_face = [(cx - s, cy), (cx, cy + h), (cx, cy + h + s * 1.1), (cx - s, cy + s * 1.1)]
    right_face = [(cx + s, cy), (cx, cy + h), (cx, cy + h + s * 1.1), (cx + s, cy + s * 1.1)]
    outline = poly([(cx, cy - h), (cx + s, cy), (cx + s, cy + s * 1.1), (cx, cy + h + s * 1.1), (cx - s, cy + s * 1.1),
                    (cx - s, cy)])
    return outlined(outline, (0, 0, 0))[:1] + [(poly(top_face), top), (poly(left_face), left),
                                               (poly(right_face), right)]


GREEN, RED, BLUE, YELLOW = (60, 170, 60), (210, 50, 45), (50, 110, 210), (245, 190, 30)


def icon_exit():
    door = outlined(rect(5, 4, 19, 28), (150, 100, 60))
    arrow = outlined(poly([(14, 13), (22, 13), (22, 8), (30, 16), (22, 24), (22, 19), (14, 19)]), GREEN)
    return door + [(rect(7, 6, 17, 26), (90, 60, 35)), (circle(15, 17, 1.2), YELLOW)] + arrow


def icon_open():
    back = outlined(poly([(3, 7), (12, 7), (15, 10), (27, 10), (27, 27), (3, 27)]), (200, 150, 40))
    paper = [(rect(7, 5, 24, 20), (250, 250, 250))]
    front = outlined(poly([(3, 27), (8, 14), (31, 14), (27, 27)]), (245, 200, 70))
    return back + paper + front


def icon_save():
    body = outlined(poly([(4, 4), (24, 4), (28, 8), (28, 28), (4, 28)]), BLUE)
    return body + [(rect(9, 4, 22, 12), (225, 230, 240)), (rect(17, 6, 20, 11), (60, 70, 90)),
                   (rect(8, 17, 24, 28), (245, 245, 245)), (rect(10, 20, 22, 21), (170, 170, 180)),
                   (rect(10, 24, 22, 25), (170, 170, 180))]


def icon_rotate():
    arc = outlined(ring(16, 17, 7, 11, gap=(50, 110)), GREEN)
    head = outlined(poly([(19, 2), (27, 10), (17, 13)]), GREEN)
    return arc + head


def icon_help():
    return (outlined(circle(16, 16, 13), BLUE) +
            [(ring(16, 12, 3, 6, gap=(200, 300)), (255, 255, 255)), (rect(14.5, 14, 17.5, 20), (255, 255, 255)),
             (circle(16, 24, 2), (255, 255, 255))])


def icon_about():
    return (outlined(circle(16, 16, 13), (40, 150, 200)) +
            [(circle(16, 9.5, 2.2), (255, 255, 255)), (rect(14.3, 13.5, 17.7, 24), (255, 255, 255)),
             (rect(12.5, 22.5, 19.5, 24.5), (255, 255, 255))])


def icon_on_off():
    return (outlined(circle(16, 16, 14), (60, 60, 70)) +
            [(ring(16, 17, 6, 9, gap=(60, 120)), YELLOW), (rect(14.5, 4, 17.5, 16), YELLOW)])


def icon_add():
    return cube_layers(13, 9, 10) + outlined(rect(20, 16, 24, 30), GREEN) + outlined(rect(15, 21, 29, 25), GREEN)


def icon_delete():
    cross = [(line(17, 17, 29, 29, 4.5), RED), (line(29, 17, 17, 29, 4.5), RED)]
    rim = [(line(17, 17, 29, 29, 7), (60, 20, 20)), (line(29, 17, 17, 29, 7), (60, 20, 20))]
    return cube_layers(13, 9, 10) + rim + cross


def icon_reset():
    board = outlined(rect(3, 10, 29, 29), (205, 205, 195))
    grid = [(rect(3 + i * 6.5 - 0.5, 10, 3 + i * 6.5 + 0.5, 29), (120, 120, 110)) for i in range(1, 4)]
    grid += [(rect(3, 10 + i * 4.75 - 0.5, 29, 10 + i * 4.75 + 0.5), (120, 120, 110)) for i in range(1, 4)]
    eraser = outlined(poly([(14, 13), (24, 3), (31, 10), (21, 20)]), (240, 130, 150))
    band = [(poly([(18, 9), (20, 7), (27, 14), (25, 16)]), (90, 120, 200))]
    return board + grid + eraser + band


def icon_start():
    pole = outlined(rect(7, 3, 10, 30), (110, 80, 50))
    flag = outlined(poly([(10, 4), (28, 9), (10, 16)]), GREEN)
    base = outlined(rect(3, 27, 16, 30), (90, 90, 100))
    return pole + flag + base


BUTTON_ICONS = [icon_exit, icon_open, icon_save, icon_rotate, icon_help, icon_about, icon_on_off, icon_add,
                icon_delete, icon_reset, icon_start]


def button_strip(size):
    strip = [[] for _ in range(size)]
    for icon in BUTTON_ICONS:
        picture = paint(icon(), size)
        for y in range(size):
            strip[y] += picture[y]
    return strip


# ---------------------------------------------------------------------------------------------

TEXTURES = [
    ("Stone", "stone.bmp", lambda: bmp24(image(128, 128, stone_block))),
    ("Robot", "robot.tga", lambda: tga24(robot_picture())),
    ("BlockSilver", "blocksilver.dds", lambda: dds32(image(64, 64, block_silver))),
    ("Metal", "metal.jpg", lambda: jpeg(image(64, 64, metal))),
    ("SkyDay", "sky_day.jpg", lambda: jpeg(image(256, 128, sky((40, 95, 200), (185, 215, 245), (250, 250, 255), 0.45, 61)))),
    ("SkyEvening", "sky_evening.jpg",
     lambda: jpeg(image(256, 128, sky((38, 40, 110), (250, 150, 80), (240, 160, 170), 0.35, 62)))),
    ("SkyNight", "sky_night.bmp", lambda: bmp24(image(256, 128, sky((4, 8, 26), (24, 36, 70), (40, 50, 80), 0.2, 63, True)))),
    ("SkyOvercast", "sky_overcast.dds",
     lambda: dds32(image(256, 128, sky((120, 130, 145), (190, 195, 200), (225, 228, 232), 0.8, 64)))),
]


def catalogue():
    lines = ["[GENERAL]", "Count=%d" % len(TEXTURES)]
    for n, (name, file_name, _) in enumerate(TEXTURES, 1):
        lines += ["", "[TEXTURE%d]" % n, "FileName=" + file_name, "MaterialName=" + name]
    return "\r\n".join(lines) + "\r\n"


def outputs():
    files = {"textures/textures.ini": lambda: catalogue().encode("ascii")}
    for _, file_name, make in TEXTURES:
        files["textures/" + file_name] = make
    files["models/Bot/model.ini"] = lambda: MODEL_INI.encode("ascii")
    files["models/Bot/robot.smd"] = lambda: robot_model().encode("ascii")
    files["models/Bot/stand.smd"] = lambda: stand_animation().encode("ascii")
    files["form/Clover.jpg"] = lambda: jpeg(image(128, 128, clover))
    files["form/Beton.jpg"] = lambda: jpeg(image(256, 256, beton))
    files["form/Cursor_green.bmp"] = lambda: bmp24(cursor((60, 200, 70)))
    files["form/Cursor_blue.bmp"] = lambda: bmp24(cursor((60, 120, 230)))
    files["form/ButtonsLarge.bmp"] = lambda: bmp32(button_strip(32))
    files["form/ButtonsSmall.bmp"] = lambda: bmp32(button_strip(20))
    return files


def main():
    check = "--check" in sys.argv[1:]
    only = [a for a in sys.argv[1:] if not a.startswith("--")]
    differing = []
    for name, make in outputs().items():
        if only and not any(o in name for o in only):
            continue
        path = os.path.join(ASSETS, *name.split("/"))
        data = make()
        if check:
            with open(path, "rb") as f:
                if f.read() != data:
                    differing.append(name)
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
    if differing:
        print("differ from what the generator makes: " + ", ".join(differing))
        return 1
    return 0


if __name__ == "__main__":
    sys.exit(main())
