#!/usr/bin/env python3
"""Prints the box of the pixels of one colour in a picture (PNG or binary
PPM), in per cent of the picture's width and height: left, top, right and
bottom edges, and the share of the box's pixels that have the colour. A pixel
has the colour when no channel differs by more than 40. Exit code 1 when no
pixel has it.

    colour_box.py <picture> <red> <green> <blue>"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from compare_pictures import read  # noqa: E402


def main():
    width, height, rows = read(sys.argv[1])
    colour = [int(v) for v in sys.argv[2:5]]
    x0, y0, x1, y1, count = width, height, -1, -1, 0
    for y, row in enumerate(rows):
        for x in range(width):
            if all(abs(row[3 * x + k] - colour[k]) <= 40 for k in range(3)):
                x0, y0, x1, y1 = min(x0, x), min(y0, y), max(x1, x), max(y1, y)
                count += 1
    if x1 < 0:
        print('no pixel of colour', colour)
        return 1
    area = (x1 - x0 + 1) * (y1 - y0 + 1)
    print('%.2f %.2f %.2f %.2f %.2f' % (100.0 * x0 / width, 100.0 * y0 / height, 100.0 * (x1 + 1) / width,
                                        100.0 * (y1 + 1) / height, 100.0 * count / area))
    return 0


sys.exit(main())
