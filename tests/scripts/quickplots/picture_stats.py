#!/usr/bin/env python3
"""Renders a PostScript plot with Ghostscript (png16m) and prints statistics
of the picture: its size, the pixels with ink (not white), the coloured
(saturated) pixels, the pixels drawn over the background (the most common
colour), the number of distinct colours and the box around the drawn pixels.

    picture_stats.py <file.ps> <out.png> [dpi]
    picture_stats.py - <picture.png>

Exit code 2 when Ghostscript reports an error, 3 when its PNG cannot be read."""
import struct
import subprocess
import sys
import zlib


def read_png_rgb(name):
    data = open(name, 'rb').read()
    if data[:8] != b'\x89PNG\r\n\x1a\n':
        raise ValueError('not a PNG')
    pos, idat, width, height = 8, b'', 0, 0
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or colour not in (2, 6) or interlace != 0:
                raise ValueError('only 8-bit RGB and RGBA pictures')
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    bpp = 3 if colour == 2 else 4
    stride = width * bpp
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        for i in range(stride):
            a = line[i - bpp] if i >= bpp else 0
            b = prev[i]
            c = prev[i - bpp] if i >= bpp else 0
            if f == 1:
                line[i] = (line[i] + a) & 255
            elif f == 2:
                line[i] = (line[i] + b) & 255
            elif f == 3:
                line[i] = (line[i] + (a + b) // 2) & 255
            elif f == 4:
                p = a + b - c
                pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
                pred = a if pa <= pb and pa <= pc else (b if pb <= pc else c)
                line[i] = (line[i] + pred) & 255
        prev = line
        if bpp == 4:  # RGBA: each pixel over white paper
            line = bytearray(v for i in range(0, stride, 4)
                             for v in (255 - (255 - line[i + k]) * line[i + 3] // 255 for k in range(3)))
        rows.append(bytes(line))
    return width, height, rows


def page_placement(ps, dpi, picture_height, page_width):
    """Where plot coordinates lie in Ghostscript's picture (at dpi) of a
    library PostScript page page_width plot units wide: the pixels per plot
    unit and the pixel position of the page's upper left corner, from the
    file's bounding box. ValueError when the file has none."""
    for line in open(ps, errors='replace'):
        if line.startswith('%%BoundingBox:'):
            x0, y0, x1, y1 = (float(v) for v in line.split()[1:5])
            points = dpi / 72
            return (x1 - x0) / page_width * points, x0 * points, picture_height - y1 * points
    raise ValueError('no bounding box in ' + ps)


def main():
    ps, png = sys.argv[1], sys.argv[2]
    dpi = sys.argv[3] if len(sys.argv) > 3 else '30'
    if ps == '-':  # a PNG picture as it is, without rendering
        return statistics(png)
    run = subprocess.run(['gs', '-dSAFER', '-dBATCH', '-dNOPAUSE', '-q', '-sDEVICE=png16m', '-r' + dpi,
                          '-sPAPERSIZE=a4', '-dFirstPage=1', '-dLastPage=1', '-sOutputFile=' + png, ps],
                         capture_output=True, text=True)
    messages = run.stdout + run.stderr
    if run.returncode != 0 or 'Error' in messages:
        print('ghostscript failed:', messages[:400])
        return 2
    return statistics(png)


def statistics(png):
    try:
        width, height, rows = read_png_rgb(png)
    except (OSError, ValueError, zlib.error) as e:
        print('cannot read', png, e)
        return 3
    ink = coloured = drawn = 0
    counts = {}
    for row in rows:
        for x in range(width):
            key = row[3 * x:3 * x + 3]
            counts[key] = counts.get(key, 0) + 1
    background = max(counts, key=counts.get)
    colours = counts.keys()
    box = [width, height, -1, -1]
    for y, row in enumerate(rows):
        for x in range(width):
            r, g, b = row[3 * x], row[3 * x + 1], row[3 * x + 2]
            if r + g + b < 600:
                ink += 1
            if row[3 * x:3 * x + 3] != background:
                drawn += 1
                box = [min(box[0], x), min(box[1], y), max(box[2], x), max(box[3], y)]
            if max(r, g, b) - min(r, g, b) > 100:
                coloured += 1
    # Pixels inside the box of the ink that differ from the background: the
    # drawing on a dark page, without the paper margins around it.
    inside = 0
    dark = [width, height, -1, -1]
    for y, row in enumerate(rows):
        for x in range(width):
            if row[3 * x] + row[3 * x + 1] + row[3 * x + 2] < 600:
                dark = [min(dark[0], x), min(dark[1], y), max(dark[2], x), max(dark[3], y)]
    for y in range(dark[1] + 1, dark[3]):
        row = rows[y]
        for x in range(dark[0] + 1, dark[2]):
            if row[3 * x:3 * x + 3] != background:
                inside += 1
    print('size', width, height)
    print('inside', inside)
    print('ink', ink)
    print('coloured', coloured)
    print('drawn', drawn)
    print('colours', len(colours))
    print('box', *box)
    return 0


if __name__ == '__main__':
    sys.exit(main())
