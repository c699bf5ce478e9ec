#!/usr/bin/env python3
"""Writes res/clarion.ico: a green lightning bolt with a dark rim on a transparent
background, at 16, 32 and 48 pixels.

Each image is a classic icon image (a 32-bit BGRA DIB followed by a 1-bit AND
mask, no PNG), which every Windows from XP on reads. The drawing is computed, not
random, so each run writes the same bytes.

Usage: tools/make_icon.py [output]   (default: res/clarion.ico next to tools/)
"""

import math
import pathlib
import struct
import sys

SIZES = (16, 32, 48)
SUBSAMPLES = 4  # per axis, for smooth edges

# The bolt in unit coordinates, y growing downwards.
BOLT = [
    (0.58, 0.02),
    (0.18, 0.56),
    (0.45, 0.56),
    (0.30, 0.98),
    (0.82, 0.40),
    (0.55, 0.40),
    (0.76, 0.02),
]

RIM = (10, 70, 10)          # dark green, so the bolt reads on a light taskbar
FILL_TOP = (150, 255, 90)   # bright yellow-green at the top
FILL_BOTTOM = (0, 190, 0)   # full green at the bottom


def inside(px, py, polygon):
    crossings = False
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        if (y1 > py) != (y2 > py):
            if px < x1 + (py - y1) * (x2 - x1) / (y2 - y1):
                crossings = not crossings
    return crossings


def edge_distance(px, py, polygon):
    best = math.inf
    for (x1, y1), (x2, y2) in zip(polygon, polygon[1:] + polygon[:1]):
        dx, dy = x2 - x1, y2 - y1
        t = max(0.0, min(1.0, ((px - x1) * dx + (py - y1) * dy) / (dx * dx + dy * dy)))
        best = min(best, math.hypot(px - (x1 + t * dx), py - (y1 + t * dy)))
    return best


def render(size):
    """Rows top to bottom of (r, g, b, a) tuples."""
    polygon = [(x * size, y * size) for x, y in BOLT]
    rim = max(1.0, size / 16.0)
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            red = green = blue = covered = 0.0
            for sy in range(SUBSAMPLES):
                for sx in range(SUBSAMPLES):
                    px = x + (sx + 0.5) / SUBSAMPLES
                    py = y + (sy + 0.5) / SUBSAMPLES
                    if not inside(px, py, polygon):
                        continue
                    if edge_distance(px, py, polygon) < rim:
                        colour = RIM
                    else:
                        t = py / size
                        colour = tuple(a + (b - a) * t for a, b in zip(FILL_TOP, FILL_BOTTOM))
                    red += colour[0]
                    green += colour[1]
                    blue += colour[2]
                    covered += 1
            if covered == 0:
                row.append((0, 0, 0, 0))
            else:
                alpha = round(255 * covered / SUBSAMPLES**2)
                row.append((round(red / covered), round(green / covered),
                            round(blue / covered), alpha))
        rows.append(row)
    return rows


def icon_image(size):
    """BITMAPINFOHEADER, BGRA pixels bottom-up, AND mask bottom-up."""
    rows = render(size)
    pixels = bytearray()
    mask = bytearray()
    mask_stride = ((size + 31) // 32) * 4
    for row in reversed(rows):
        bits = bytearray(mask_stride)
        for x, (r, g, b, a) in enumerate(row):
            pixels += bytes((b, g, r, a))
            if a < 128:  # transparent where a system without alpha draws the mask
                bits[x // 8] |= 0x80 >> (x % 8)
        mask += bits
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + bytes(pixels) + bytes(mask)


def icon_file():
    images = [icon_image(size) for size in SIZES]
    directory = struct.pack("<HHH", 0, 1, len(images))
    offset = len(directory) + 16 * len(images)
    entries = b""
    for size, image in zip(SIZES, images):
        entries += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    return directory + entries + b"".join(images)


def main():
    default = pathlib.Path(__file__).resolve().parent.parent / "res" / "clarion.ico"
    output = pathlib.Path(sys.argv[1]) if len(sys.argv) > 1 else default
    output.write_bytes(icon_file())


if __name__ == "__main__":
    main()
