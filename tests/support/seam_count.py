#!/usr/bin/env python3
"""Counts seams in a picture of filled cells: lines one pixel wide inside the
box (x0, y0, x1, y1), given in per cent of the picture's width and height,
whose pixels differ from their two neighbours across the line (by more than
an eighth of a channel) while those have one colour, at least three pixels
long. A one-pixel step of a band's
edge is no seam. With "turn" the picture is a turned page and is turned back
first (the box is taken of the plot as it stands upright).
Prints the count and the first places; exit code 1 when there are any.

    seam_count.py <picture.png|.ppm> x0 y0 x1 y1 [turn]"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare_pictures import read, turned_back  # noqa: E402


def main():
    width, height, rows = read(sys.argv[1])
    if len(sys.argv) > 6 and sys.argv[6] == 'turn':
        width, height, rows = turned_back(width, height, rows)
    x0, x1 = (int(float(v) * width / 100) for v in (sys.argv[2], sys.argv[4]))
    y0, y1 = (int(float(v) * height / 100) for v in (sys.argv[3], sys.argv[5]))
    x0, y0 = max(x0, 1), max(y0, 1)
    x1, y1 = min(x1, width - 2), min(y1, height - 2)

    def at(x, y):
        return rows[y][3 * x:3 * x + 3]

    # Smoothing readers mix colours at the edges of areas by a few steps:
    # neighbours within 8 steps are one colour, and a pixel is seen to differ
    # when a channel is more than 32 steps (an eighth) away.
    def alike(a, b):
        return all(abs(p - q) <= 8 for p, q in zip(a, b))

    def differs(a, b):
        return any(abs(p - q) > 32 for p, q in zip(a, b))

    # A pixel between two equal neighbours across, in a run of at least three
    # such pixels along the line: a seam, not a step of a band's edge.
    across_x = set()
    across_y = set()
    for y in range(y0, y1 + 1):
        for x in range(x0, x1 + 1):
            c = at(x, y)
            left, right = at(x - 1, y), at(x + 1, y)
            up, down = at(x, y - 1), at(x, y + 1)
            if alike(left, right) and differs(c, left):
                across_x.add((x, y))
            if alike(up, down) and differs(c, up):
                across_y.add((x, y))
    seams = sorted(p for p in across_x if (p[0], p[1] + 1) in across_x and (p[0], p[1] + 2) in across_x)
    seams += sorted(p for p in across_y if (p[0] + 1, p[1]) in across_y and (p[0] + 2, p[1]) in across_y)
    print('%d seam pixels' % len(seams), seams[:8])
    return 1 if seams else 0


if __name__ == '__main__':
    sys.exit(main())
