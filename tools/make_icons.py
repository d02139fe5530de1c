#!/usr/bin/env python3
"""Draws the program icon and writes it as a Windows .ico file.

The picture is a white prompt, a chevron and an underscore, on a blue rounded
square. It is drawn at 16, 32 and 48 pixels, and each size is stored three
times: 4 bits per pixel and 8 bits per pixel (palette and AND mask, for old
shells and low colour displays) and 32 bits per pixel (with alpha).

The drawing samples a fixed grid with plain arithmetic (integers, and IEEE
doubles that round the same everywhere; no library maths), so the output is
the same bytes on every machine; the generated file is kept in the repository
and a test regenerates it to compare.

Usage: make_icons.py [OUTPUT_DIR]   (default: src/app/res beside this script)
"""
import os
import struct
import sys

ICON_NAME = "quillet.ico"
SIZES = (16, 32, 48)
BIT_COUNTS = (4, 8, 32)

BLUE = (14, 151, 231)
WHITE = (255, 255, 255)

# The design lives on a grid of GRID x GRID units; each pixel is sampled
# SUB x SUB times.
GRID = 48
SUB = 8

# Rounded square: inset and corner radius, in grid units.
SQUARE_INSET = 1
SQUARE_RADIUS = 9
# The chevron ">" as two strokes, and the underscore "_" as a bar, in grid units.
STROKE_HALF_WIDTH = 3.5
CHEVRON = ((12, 13), (25, 24), (12, 35))
BAR = (27, 30, 39, 36)  # left, top, right, bottom


def _in_rounded_square(x, y):
    lo, hi = SQUARE_INSET, GRID - SQUARE_INSET
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + SQUARE_RADIUS), hi - SQUARE_RADIUS)
    cy = min(max(y, lo + SQUARE_RADIUS), hi - SQUARE_RADIUS)
    return (x - cx) ** 2 + (y - cy) ** 2 <= SQUARE_RADIUS ** 2


def _near_segment(x, y, a, b, half_width):
    (ax, ay), (bx, by) = a, b
    dx, dy = bx - ax, by - ay
    t = ((x - ax) * dx + (y - ay) * dy) / (dx * dx + dy * dy)
    t = min(max(t, 0.0), 1.0)
    px, py = ax + t * dx - x, ay + t * dy - y
    return px * px + py * py <= half_width * half_width


def _in_glyph(x, y):
    left, top, right, bottom = BAR
    if left <= x <= right and top <= y <= bottom:
        return True
    return any(_near_segment(x, y, CHEVRON[i], CHEVRON[i + 1], STROKE_HALF_WIDTH)
               for i in range(len(CHEVRON) - 1))


def render(size):
    """Returns rows of (square coverage, glyph coverage) per pixel, top row
    first, each coverage a count out of SUB * SUB samples."""
    rows = []
    for py in range(size):
        row = []
        for px in range(size):
            square = glyph = 0
            for sy in range(SUB):
                for sx in range(SUB):
                    # Sample centres, mapped from the pixel grid onto the design grid.
                    x = (px * SUB + sx + 0.5) * GRID / (size * SUB)
                    y = (py * SUB + sy + 0.5) * GRID / (size * SUB)
                    if _in_rounded_square(x, y):
                        square += 1
                        if _in_glyph(x, y):
                            glyph += 1
            row.append((square, glyph))
        rows.append(row)
    return rows


SAMPLES = SUB * SUB


def _blend(glyph, square):
    """The colour inside the square: blue mixed with white by the share of the
    square's samples that the glyph covers."""
    if square == 0:
        return BLUE
    return tuple((b * (square - glyph) + w * glyph + square // 2) // square
                 for b, w in zip(BLUE, WHITE))


def _palette(bits):
    """Black first (behind transparent pixels), then `levels` steps from blue
    to white; the rest of the table is black."""
    count = 1 << bits
    levels = 15 if bits == 4 else 64
    colours = [(0, 0, 0)]
    for i in range(levels):
        colours.append(tuple((b * (levels - 1 - i) + w * i + (levels - 1) // 2) // (levels - 1)
                             for b, w in zip(BLUE, WHITE)))
    colours += [(0, 0, 0)] * (count - len(colours))
    return colours, levels


def _stride(width, bits):
    return (width * bits + 31) // 32 * 4


def _and_mask(rows, size, transparent):
    stride = _stride(size, 1)
    out = bytearray()
    for row in reversed(rows):  # DIB rows go bottom up
        line = bytearray(stride)
        for x, cell in enumerate(row):
            if transparent(cell):
                line[x // 8] |= 0x80 >> (x % 8)
        out += line
    return bytes(out)


def _dib(size, bits, rows):
    """One icon image: BITMAPINFOHEADER (height doubled for the mask), the
    palette if any, the colour bitmap, then the AND mask."""
    half = SAMPLES // 2
    pixels = bytearray()
    palette = b""
    if bits == 32:
        for row in reversed(rows):
            for square, glyph in row:
                alpha = (square * 255 + half) // SAMPLES
                r, g, b = _blend(glyph, square) if alpha else (0, 0, 0)
                pixels += bytes((b, g, r, alpha))
        mask = _and_mask(rows, size, lambda cell: cell[0] == 0)
    else:
        colours, levels = _palette(bits)
        palette = b"".join(bytes((b, g, r, 0)) for r, g, b in colours)
        stride = _stride(size, bits)
        for row in reversed(rows):
            indices = []
            for square, glyph in row:
                if square < half:
                    indices.append(0)
                else:
                    indices.append(1 + (glyph * (levels - 1) + square // 2) // square)
            if bits == 8:
                line = bytearray(indices)
            else:
                line = bytearray((indices[i] << 4) | (indices[i + 1] if i + 1 < size else 0)
                                 for i in range(0, size, 2))
            pixels += line + bytes(stride - len(line))
        mask = _and_mask(rows, size, lambda cell: cell[0] < half)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, bits, 0,
                         len(pixels) + len(mask), 0, 0, 0, 0)
    return header + palette + bytes(pixels) + mask


def build_ico():
    images = []
    for size in SIZES:
        rows = render(size)
        for bits in BIT_COUNTS:
            images.append((size, bits, _dib(size, bits, rows)))
    out = bytearray(struct.pack("<HHH", 0, 1, len(images)))
    offset = 6 + 16 * len(images)
    for size, bits, data in images:
        colour_count = 16 if bits == 4 else 0  # a byte: 256 colours are written as 0
        out += struct.pack("<BBBBHHII", size % 256, size % 256, colour_count, 0, 1, bits,
                           len(data), offset)
        offset += len(data)
    for _, _, data in images:
        out += data
    return bytes(out)


def main(argv):
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = argv[1] if len(argv) > 1 else os.path.join(here, "..", "src", "app", "res")
    os.makedirs(out_dir, exist_ok=True)
    path = os.path.join(out_dir, ICON_NAME)
    with open(path, "wb") as f:
        f.write(build_ico())
    print(os.path.normpath(path))
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
