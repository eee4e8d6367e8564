"""What the skins' generators share: PNG encoding of RGBA pixels, and writing their outputs or,
in check mode, comparing them with the committed files.

The PNGs are unfiltered and compressed at zlib level 9, so one zlib gives the same bytes on every
run: check mode compares byte for byte.
"""
import os
import struct
import zlib

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))


def png_rgba(width, height, rows):
    """A PNG of 8-bit straight RGBA; rows holds height byte strings of 4 * width bytes."""

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(">I", zlib.crc32(body) & 0xFFFFFFFF)

    raw = bytearray()
    for row in rows:
        raw += b"\0" + row
    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) + chunk(b"IDAT", zlib.compress(bytes(raw), 9)) +
            chunk(b"IEND", b""))


def write_or_check(outputs, check, script):
    """Writes each {path: bytes} of outputs, or with check compares it with the file there.
    Returns the exit status: 1 when a file differs from what the script writes."""
    stale = []
    for path, data in sorted(outputs.items()):
        if check:
            try:
                with open(path, "rb") as f:
                    same = f.read() == data
            except OSError:
                same = False
            if not same:
                stale.append(os.path.relpath(path, ROOT))
        else:
            os.makedirs(os.path.dirname(path), exist_ok=True)
            with open(path, "wb") as f:
                f.write(data)
            print("wrote", os.path.relpath(path, ROOT), len(data), "bytes")
    if stale:
        print("out of date, run scripts/%s:" % script, ", ".join(stale))
        return 1
    return 0
