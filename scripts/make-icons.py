#!/usr/bin/env python3
"""Draws the note's icons as 16-colour .ico files.

The picture: a yellow square; in its upper half two capital letters in dark blue; in its
lower half a white band with a yellow margin around it, carrying the digits 123 in red.
The four corner pixels are transparent. notes.ico (the application icon MAINICON) holds a
16x16 and a 32x32 image of that design; tray.ico holds the 16x16 image alone.
"""
import struct
import sys
from pathlib import Path

# The standard 16-colour palette, as (red, green, blue).
PALETTE = [
    (0, 0, 0), (128, 0, 0), (0, 128, 0), (128, 128, 0),
    (0, 0, 128), (128, 0, 128), (0, 128, 128), (192, 192, 192),
    (128, 128, 128), (255, 0, 0), (0, 255, 0), (255, 255, 0),
    (0, 0, 255), (255, 0, 255), (0, 255, 255), (255, 255, 255),
]
NAVY, RED, YELLOW, WHITE = 4, 9, 11, 15

# Pixel glyphs, five rows high: "V" and "N" for Velnor Notes, and the digits.
GLYPHS = {
    "V": ["X...X", "X...X", "X...X", ".X.X.", "..X.."],
    "N": ["X...X", "XX..X", "X.X.X", "X..XX", "X...X"],
    "1": [".X.", "XX.", ".X.", ".X.", "XXX"],
    "2": ["XX.", "..X", ".X.", "X..", "XXX"],
    "3": ["XX.", "..X", ".X.", "..X", "XX."],
}


def draw16():
    """Returns 16 rows of 16 palette indices (row 0 at the top)."""
    px = [[YELLOW] * 16 for _ in range(16)]

    def text(s, x, y, colour):
        for ch in s:
            for dy, row in enumerate(GLYPHS[ch]):
                for dx, c in enumerate(row):
                    if c == "X":
                        px[y + dy][x + dx] = colour
            x += len(GLYPHS[ch][0]) + 1

    text("VN", 2, 1, NAVY)               # upper half: rows 1..5
    for y in range(8, 15):               # lower half: white band, yellow margin of 1-2 px
        for x in range(1, 15):
            px[y][x] = WHITE
    text("123", 2, 9, RED)
    return px


def scale(px, factor):
    return [[c for c in row for _ in range(factor)] for row in px for _ in range(factor)]


def image_bytes(px, corner):
    """One icon image: BITMAPINFOHEADER, palette, 4-bit XOR bitmap, 1-bit AND mask."""
    size = len(px)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 4, 0, 0, 0, 0, 16, 0)
    palette = b"".join(struct.pack("BBBB", b, g, r, 0) for r, g, b in PALETTE)
    xor_stride = ((size * 4 + 31) // 32) * 4
    and_stride = ((size + 31) // 32) * 4
    xor = bytearray()
    mask = bytearray()
    transparent = set()
    for y in (0, size - corner):
        for x in (0, size - corner):
            for dy in range(corner):
                for dx in range(corner):
                    transparent.add((x + dx, y + dy))
    for y in reversed(range(size)):      # bitmaps are stored bottom-up
        row = bytearray(xor_stride)
        bits = bytearray(and_stride)
        for x in range(size):
            colour = 0 if (x, y) in transparent else px[y][x]
            row[x // 2] |= colour << (4 if x % 2 == 0 else 0)
            if (x, y) in transparent:
                bits[x // 8] |= 0x80 >> (x % 8)
        xor += row
        mask += bits
    return header + palette + bytes(xor) + bytes(mask)


def write_ico(path, images):
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    blobs = []
    for px, corner in images:
        data = image_bytes(px, corner)
        size = len(px)
        out += struct.pack("<BBBBHHII", size % 256, size % 256, 16, 0, 1, 4, len(data), offset)
        offset += len(data)
        blobs.append(data)
    Path(path).write_bytes(out + b"".join(blobs))


def main():
    outdir = Path(sys.argv[1] if len(sys.argv) > 1 else ".")
    outdir.mkdir(parents=True, exist_ok=True)
    small = draw16()
    write_ico(outdir / "tray.ico", [(small, 1)])
    write_ico(outdir / "notes.ico", [(small, 1), (scale(small, 2), 2)])


if __name__ == "__main__":
    main()
