#!/usr/bin/env python3
"""Regenerates the icon files from their XPM sources in icons/.

icons/mezolin-16.xpm and icons/mezolin-32.xpm are the editable sources (16 colours at most,
transparency through the colour None). From them this writes, with nothing but the standard
library:
  icons/mezolin-16.png, icons/mezolin-32.png   4-bit palette PNGs (window icon, hicolor icons)
  icons/mezolin-48.png                         the 16-pixel image scaled 3x (hicolor 48x48)
  icons/mezolin.ico                            both images as 16-colour (4-bit) icon entries
Run from anywhere: python3 scripts/make_icons.py
"""
import pathlib
import re
import struct
import zlib

ICONS = pathlib.Path(__file__).resolve().parent.parent / "icons"


def read_xpm(path):
    strings = re.findall(r'"([^"]*)"', path.read_text())
    width, height, ncolors, cpp = map(int, strings[0].split()[:4])
    if cpp != 1:
        raise SystemExit(f"{path}: one character per pixel expected")
    palette = []  # (r, g, b, a)
    index = {}
    for line in strings[1 : 1 + ncolors]:
        key, value = line[0], line[1:].split()[-1]
        index[key] = len(palette)
        palette.append((0, 0, 0, 0) if value.lower() == "none" else
                       tuple(int(value[k : k + 2], 16) for k in (1, 3, 5)) + (255,))
    if len(palette) > 16:
        raise SystemExit(f"{path}: {len(palette)} colours, at most 16 allowed")
    rows = [[index[c] for c in row] for row in strings[1 + ncolors : 1 + ncolors + height]]
    if len(rows) != height or any(len(r) != width for r in rows):
        raise SystemExit(f"{path}: pixel rows do not match {width}x{height}")
    while len(palette) < 16:
        palette.append((0, 0, 0, 0))
    return palette, rows


def pack4(row):
    row = row + [0] * (len(row) % 2)
    return bytes((row[k] << 4) | row[k + 1] for k in range(0, len(row), 2))


def png(palette, rows):
    def chunk(kind, data):
        return struct.pack(">I", len(data)) + kind + data + struct.pack(
            ">I", zlib.crc32(kind + data) & 0xFFFFFFFF)

    height, width = len(rows), len(rows[0])
    header = struct.pack(">IIBBBBB", width, height, 4, 3, 0, 0, 0)  # 4-bit palette
    raw = b"".join(b"\0" + pack4(r) for r in rows)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header)
            + chunk(b"PLTE", bytes(c for p in palette for c in p[:3]))
            + chunk(b"tRNS", bytes(p[3] for p in palette))
            + chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


def ico_entry(palette, rows):
    """A 4-bit BMP icon image: header, 16-entry palette, XOR bitmap, AND mask, bottom-up."""
    height, width = len(rows), len(rows[0])
    header = struct.pack("<IiiHHIIiiII", 40, width, 2 * height, 1, 4, 0, 0, 0, 0, 16, 0)
    colours = b"".join(bytes((b, g, r, 0)) for r, g, b, _ in palette)
    xor = b""
    mask = b""
    for row in reversed(rows):
        line = pack4(row)
        xor += line + b"\0" * (-len(line) % 4)
        bits = 0
        mline = b""
        for x, p in enumerate(row + [0] * (-len(row) % 8)):
            transparent = x >= width or palette[p][3] == 0
            bits = (bits << 1) | transparent
            if x % 8 == 7:
                mline += bytes((bits,))
                bits = 0
        mask += mline + b"\0" * (-len(mline) % 4)
    return header + colours + xor + mask


def ico(images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for palette, rows in images:
        blob = ico_entry(palette, rows)
        size = len(rows)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(blob), offset)
        offset += len(blob)
        blobs.append(blob)
    return out + b"".join(blobs)


def main():
    small = read_xpm(ICONS / "mezolin-16.xpm")
    large = read_xpm(ICONS / "mezolin-32.xpm")
    (ICONS / "mezolin-16.png").write_bytes(png(*small))
    (ICONS / "mezolin-32.png").write_bytes(png(*large))
    palette, rows = small
    tripled = [[p for p in row for _ in range(3)] for row in rows for _ in range(3)]
    (ICONS / "mezolin-48.png").write_bytes(png(palette, tripled))
    (ICONS / "mezolin.ico").write_bytes(ico([large, small]))


if __name__ == "__main__":
    main()
