#!/usr/bin/env python3
"""Draws the program's icon, a white window with a cyan title bar, as SVG
and as 16 x 16 and 32 x 32 PNGs beside this script. The PNGs are drawn
pixel by pixel rather than scaled, so they stay crisp.

Run it again after changing the picture; its outputs are kept in the
repository so that building needs nothing but the files.
"""

import pathlib
import struct
import zlib

NAME = "toric-lens-combination"
HERE = pathlib.Path(__file__).parent

FRAME = (0x30, 0x30, 0x30, 0xFF)
TITLE = (0x00, 0xC8, 0xE8, 0xFF)  # cyan
BODY = (0xFF, 0xFF, 0xFF, 0xFF)
BUTTON = (0xFF, 0xFF, 0xFF, 0xFF)
CLEAR = (0, 0, 0, 0)

# The window in units of a 32-pixel grid: frame, title bar height, and the
# close box at the right of the title bar.
GEOMETRY = {
    32: {"frame": (1, 3, 30, 26), "title": 6, "box": 4},
    16: {"frame": (0, 1, 16, 14), "title": 4, "box": 2},
}


def draw(size):
    g = GEOMETRY[size]
    left, top, width, height = g["frame"]
    right, bottom = left + width - 1, top + height - 1
    pixels = [[CLEAR] * size for _ in range(size)]
    for y in range(top, bottom + 1):
        for x in range(left, right + 1):
            on_frame = x in (left, right) or y in (top, bottom)
            in_title = y <= top + g["title"]
            pixels[y][x] = FRAME if on_frame else TITLE if in_title else BODY
    # A white close box in the title bar.
    box = g["box"]
    box_top = top + 1 + (g["title"] - box) // 2
    for y in range(box_top, box_top + box):
        for x in range(right - 1 - box, right - 1):
            pixels[y][x] = BUTTON
    # The line under the title bar.
    for x in range(left, right + 1):
        pixels[top + g["title"] + 1][x] = FRAME
    return pixels


def png(pixels):
    height, width = len(pixels), len(pixels[0])
    raw = b"".join(b"\x00" + b"".join(bytes(p) for p in row) for row in pixels)

    def chunk(kind, data):
        body = kind + data
        return struct.pack(">I", len(data)) + body + struct.pack(
            ">I", zlib.crc32(body) & 0xFFFFFFFF)

    header = struct.pack(">IIBBBBB", width, height, 8, 6, 0, 0, 0)
    return (b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", header) +
            chunk(b"IDAT", zlib.compress(raw, 9)) + chunk(b"IEND", b""))


SVG = """\
<svg xmlns="http://www.w3.org/2000/svg" width="32" height="32" viewBox="0 0 32 32">
  <title>トーリックレンズの合成</title>
  <rect x="1.5" y="3.5" width="29" height="25" fill="#ffffff" stroke="#303030"/>
  <rect x="2" y="4" width="28" height="6" fill="#00c8e8"/>
  <line x1="1" y1="10.5" x2="31" y2="10.5" stroke="#303030"/>
  <rect x="25" y="5" width="4" height="4" fill="#ffffff"/>
</svg>
"""

if __name__ == "__main__":
    for size in GEOMETRY:
        (HERE / ("%s-%d.png" % (NAME, size))).write_bytes(png(draw(size)))
    (HERE / (NAME + ".svg")).write_text(SVG)
