#!/usr/bin/env python3
"""Draws the plug-in's icon (resource 107), a bar chart on a rounded tile,
and writes it as a Windows .ico with 16x16, 32x32 and 48x48 images in 32-bit
colour with alpha. The output depends on nothing but this script.
    scripts/make-icon.py plugin/Stats.ico
"""
import struct
import sys

TILE = (0x1E, 0x6F, 0x8C)      # teal
BAR = (0xFF, 0xC8, 0x3C)       # amber
BASE = (0xFF, 0xFF, 0xFF)      # white


def inside_rounded(x, y, size, margin, radius):
    lo, hi = margin, size - 1 - margin
    if not (lo <= x <= hi and lo <= y <= hi):
        return False
    cx = min(max(x, lo + radius), hi - radius)
    cy = min(max(y, lo + radius), hi - radius)
    return (x - cx) ** 2 + (y - cy) ** 2 <= radius ** 2


def draw(size):
    """Rows top to bottom of (r, g, b, a)."""
    unit = size / 16.0
    margin = max(0, int(round(unit * 0.5)))
    radius = max(1, int(round(unit * 3)))
    bottom = int(round(unit * 12.5))
    bar_width = max(2, int(round(unit * 3)))
    gap = max(1, int(round(unit * 1)))
    left = (size - (3 * bar_width + 2 * gap)) // 2
    heights = [0.35, 0.6, 0.85]
    base_top = bottom + 1
    base_height = max(1, int(round(unit)))
    rows = []
    for y in range(size):
        row = []
        for x in range(size):
            if not inside_rounded(x, y, size, margin, radius):
                row.append((0, 0, 0, 0))
                continue
            colour = TILE
            for i, h in enumerate(heights):
                x0 = left + i * (bar_width + gap)
                top = bottom - int(round(h * (bottom - margin - unit)))
                if x0 <= x < x0 + bar_width and top <= y <= bottom:
                    colour = BAR
            if base_top <= y < base_top + base_height and left - gap <= x < size - left + gap:
                colour = BASE
            row.append(colour + (0xFF,))
        rows.append(row)
    return rows


def dib(size):
    rows = draw(size)
    header = struct.pack("<IiiHHIIiiII", 40, size, size * 2, 1, 32, 0, 0, 0, 0, 0, 0)
    pixels = b"".join(bytes((b, g, r, a)) for row in reversed(rows) for (r, g, b, a) in row)
    mask_stride = ((size + 31) // 32) * 4
    mask = bytes(mask_stride * size)  # alpha decides; the mask stays clear
    return header + pixels + mask


def main():
    sizes = [16, 32, 48]
    images = [dib(s) for s in sizes]
    out = struct.pack("<HHH", 0, 1, len(images))
    offset = 6 + 16 * len(images)
    for size, image in zip(sizes, images):
        out += struct.pack("<BBBBHHII", size, size, 0, 0, 1, 32, len(image), offset)
        offset += len(image)
    out += b"".join(images)
    with open(sys.argv[1], "wb") as f:
        f.write(out)


if __name__ == "__main__":
    main()
