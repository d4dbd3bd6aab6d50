#!/usr/bin/env python3
"""Draws the program's icon, two spectacle lenses laid one on the other,
each with its cylinder axis, as SVG and as 16, 32, 48 and 256 pixel PNGs
beside this script (192 and 512 too, and a maskable 512, for the page). Each PNG is drawn at its own size from the shapes,
with strokes kept at least a pixel wide, rather than scaled from another,
so the small ones stay crisp and the large one smooth.

Run it again after changing the picture; its outputs are kept in the
repository so that building needs nothing but the files.
"""

import math
import pathlib
import struct
import zlib

NAME = "toric-lens-combination"
HERE = pathlib.Path(__file__).parent
SIZES = (16, 32, 48, 256)
# The page's icons besides, and the one a phone may cut to its own shape
# ("maskable"): the picture inside the middle circle of 80 %, on the
# window's grey to the edges.
WEB_SIZES = (192, 512)
MASKABLE_SIZE = 512
MASKABLE_SCALE = 0.72
MASKABLE_GROUND = (0xEF, 0xEF, 0xEF, 0xFF)
SUBSAMPLES = 4  # per pixel and direction

# Shapes on a unit square. Each lens: centre, radius, tint, rim colour and
# the angle of its axis in degrees (counter-clockwise, as on a chart).
LENSES = [
    {"centre": (0.38, 0.40), "radius": 0.31, "tint": (0x7C, 0xC4, 0xF0, 0x99),
     "rim": (0x1F, 0x5F, 0x9F, 0xFF), "axis": 30},
    {"centre": (0.62, 0.60), "radius": 0.31, "tint": (0xFF, 0xB0, 0x60, 0x99),
     "rim": (0xB0, 0x50, 0x10, 0xFF), "axis": 120},
]
AXIS_COLOUR = (0x30, 0x30, 0x30, 0xFF)


def stroke_width(size, fraction):
    """A stroke of `fraction` of the icon, never thinner than a pixel."""
    return max(fraction, 1.1 / size)


def over(below, above, coverage):
    """`above` painted over `below` with `coverage` (0 to 1)."""
    alpha = above[3] / 255 * coverage
    if alpha <= 0:
        return below
    below_alpha = below[3] / 255
    out_alpha = alpha + below_alpha * (1 - alpha)
    colour = [(above[i] * alpha + below[i] * below_alpha * (1 - alpha)) /
              out_alpha for i in range(3)]
    return tuple(colour) + (out_alpha * 255,)


def layers(size):
    """Each layer as (colour, test of a point on the unit square)."""
    rim = stroke_width(size, 0.05)
    line = stroke_width(size, 0.035)
    result = []
    for lens in LENSES:
        cx, cy = lens["centre"]
        r = lens["radius"]
        result.append((lens["tint"],
                       lambda x, y, cx=cx, cy=cy, r=r:
                       math.hypot(x - cx, y - cy) <= r))
    for lens in LENSES:
        cx, cy = lens["centre"]
        r = lens["radius"]
        angle = math.radians(lens["axis"])
        dx, dy = math.cos(angle), -math.sin(angle)  # y grows downwards

        def on_axis(x, y, cx=cx, cy=cy, r=r, dx=dx, dy=dy):
            along = (x - cx) * dx + (y - cy) * dy
            across = abs((x - cx) * dy - (y - cy) * dx)
            return abs(along) <= r and across <= line / 2

        result.append((AXIS_COLOUR, on_axis))
    for lens in LENSES:
        cx, cy = lens["centre"]
        r = lens["radius"]
        result.append((lens["rim"],
                       lambda x, y, cx=cx, cy=cy, r=r:
                       abs(math.hypot(x - cx, y - cy) - r) <= rim / 2))
    return result


def draw(size, scale=1.0, ground=(0, 0, 0, 0)):
    shapes = layers(size)
    n = SUBSAMPLES

    def unit(p, k):  # a subsample's place on the picture's unit square
        return ((p + (k + 0.5) / n) / size - 0.5) / scale + 0.5

    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            pixel = ground
            for colour, inside in shapes:
                hits = sum(inside(unit(px, i), unit(py, j))
                           for i in range(n) for j in range(n))
                pixel = over(pixel, colour, hits / (n * n))
            row.append(tuple(int(round(c)) for c in pixel))
        rows.append(row)
    return rows


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


def svg():
    def rgb(colour):
        return "#%02x%02x%02x" % colour[:3]

    shapes = []
    for lens in LENSES:
        cx, cy = lens["centre"]
        shapes.append('  <circle cx="%g" cy="%g" r="%g" fill="%s" '
                      'fill-opacity="%.2f"/>' % (
                          cx * 256, cy * 256, lens["radius"] * 256,
                          rgb(lens["tint"]), lens["tint"][3] / 255))
    for lens in LENSES:
        cx, cy = lens["centre"]
        r = lens["radius"]
        angle = math.radians(lens["axis"])
        dx, dy = math.cos(angle) * r, -math.sin(angle) * r
        shapes.append('  <line x1="%.1f" y1="%.1f" x2="%.1f" y2="%.1f" '
                      'stroke="%s" stroke-width="%g"/>' % (
                          (cx - dx) * 256, (cy - dy) * 256,
                          (cx + dx) * 256, (cy + dy) * 256,
                          rgb(AXIS_COLOUR), 0.035 * 256))
    for lens in LENSES:
        cx, cy = lens["centre"]
        shapes.append('  <circle cx="%g" cy="%g" r="%g" fill="none" '
                      'stroke="%s" stroke-width="%g"/>' % (
                          cx * 256, cy * 256, lens["radius"] * 256,
                          rgb(lens["rim"]), 0.05 * 256))
    return ('<svg xmlns="http://www.w3.org/2000/svg" width="256" height="256" '
            'viewBox="0 0 256 256">\n'
            '  <title>トーリックレンズの合成</title>\n' +
            "\n".join(shapes) + "\n</svg>\n")


def ico(pngs):
    """A Windows icon file holding the PNG pictures as they are; a size of
    256 is written as 0, as the format wants."""
    header = struct.pack("<HHH", 0, 1, len(pngs))
    offset = len(header) + 16 * len(pngs)
    entries, images = b"", b""
    for size, data in pngs:
        entries += struct.pack("<BBBBHHII", size % 256, size % 256, 0, 0, 1,
                               32, len(data), offset + len(images))
        images += data
    return header + entries + images


if __name__ == "__main__":
    pictures = []
    for size in SIZES:
        pictures.append((size, png(draw(size))))
        (HERE / ("%s-%d.png" % (NAME, size))).write_bytes(pictures[-1][1])
    for size in WEB_SIZES:
        (HERE / ("%s-%d.png" % (NAME, size))).write_bytes(png(draw(size)))
    (HERE / ("%s-maskable-%d.png" % (NAME, MASKABLE_SIZE))).write_bytes(
        png(draw(MASKABLE_SIZE, MASKABLE_SCALE, MASKABLE_GROUND)))
    (HERE / (NAME + ".svg")).write_text(svg())
    (HERE / (NAME + ".ico")).write_bytes(ico(pictures))
