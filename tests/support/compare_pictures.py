#!/usr/bin/env python3
"""Compares two renderings of one plot: PNG (8-bit RGB or RGBA, RGBA laid on
white) or binary PPM pictures. The pictures are reduced to blocks of 3 x 3
pixels (mean colour), so that differences in anti-aliasing and in where an
edge falls within a pixel weigh little; a block differs when one of its
channels differs by more than 48. Prints the share of differing blocks and
fails when it exceeds the tolerance (in per cent) or when the sizes differ
by more than two pixels.

    compare_pictures.py <a> <b> <tolerance %> [turn]

With "turn", picture b is a turned page (the plot's top edge along the left
edge of the paper, as PostScript places a landscape plot) and is turned back
before the comparison. Exit code 1 when the pictures disagree, 2 when one
cannot be read."""
import struct
import sys
import zlib


def paeth(a, b, c):
    p = a + b - c
    pa, pb, pc = abs(p - a), abs(p - b), abs(p - c)
    if pa <= pb and pa <= pc:
        return a
    return b if pb <= pc else c


def read_png(data):
    pos, idat, width, height, channels = 8, b'', 0, 0, 3
    while pos < len(data):
        length, kind = struct.unpack('>I4s', data[pos:pos + 8])
        body = data[pos + 8:pos + 8 + length]
        if kind == b'IHDR':
            width, height, depth, colour, _, _, interlace = struct.unpack('>IIBBBBB', body)
            if depth != 8 or colour not in (2, 6) or interlace != 0:
                raise ValueError('only 8-bit RGB or RGBA pictures without interlace')
            channels = 3 if colour == 2 else 4
        elif kind == b'IDAT':
            idat += body
        pos += 12 + length
    raw = zlib.decompress(idat)
    stride = width * channels
    rows, prev = [], bytearray(stride)
    for y in range(height):
        f = raw[y * (stride + 1)]
        line = bytearray(raw[y * (stride + 1) + 1:(y + 1) * (stride + 1)])
        if f == 1:
            for i in range(channels, stride):
                line[i] = (line[i] + line[i - channels]) & 255
        elif f == 2:
            for i in range(stride):
                line[i] = (line[i] + prev[i]) & 255
        elif f == 3:
            for i in range(stride):
                a = line[i - channels] if i >= channels else 0
                line[i] = (line[i] + ((a + prev[i]) >> 1)) & 255
        elif f == 4:
            for i in range(stride):
                a = line[i - channels] if i >= channels else 0
                c = prev[i - channels] if i >= channels else 0
                line[i] = (line[i] + paeth(a, prev[i], c)) & 255
        prev = line
        if channels == 4:
            rgb = bytearray(width * 3)
            for x in range(width):
                r, g, b, al = line[4 * x:4 * x + 4]
                rgb[3 * x] = (r * al + 255 * (255 - al)) // 255
                rgb[3 * x + 1] = (g * al + 255 * (255 - al)) // 255
                rgb[3 * x + 2] = (b * al + 255 * (255 - al)) // 255
            line = rgb
        rows.append(bytes(line))
    return width, height, rows


def read_ppm(data):
    fields, pos = [], 2
    while len(fields) < 3:
        while data[pos:pos + 1].isspace():
            pos += 1
        if data[pos:pos + 1] == b'#':
            pos = data.index(b'\n', pos)
            continue
        start = pos
        while not data[pos:pos + 1].isspace():
            pos += 1
        fields.append(int(data[start:pos]))
    pos += 1
    width, height = fields[0], fields[1]
    rows = [data[pos + y * width * 3:pos + (y + 1) * width * 3] for y in range(height)]
    return width, height, rows


def read(name):
    data = open(name, 'rb').read()
    if data[:8] == b'\x89PNG\r\n\x1a\n':
        return read_png(data)
    if data[:2] == b'P6':
        return read_ppm(data)
    raise ValueError(name + ': neither PNG nor binary PPM')


def turned_back(width, height, rows):
    # Paper pixel (col, row) holds plot pixel (x = height - 1 - row, y = col).
    out = []
    for y in range(width):
        line = bytearray(height * 3)
        for x in range(height):
            src = rows[height - 1 - x]
            line[3 * x:3 * x + 3] = src[3 * y:3 * y + 3]
        out.append(bytes(line))
    return height, width, out


def blocks(width, height, rows, size=3):
    bw, bh = width // size, height // size
    out = []
    for by in range(bh):
        line = []
        for bx in range(bw):
            sums = [0, 0, 0]
            for y in range(by * size, by * size + size):
                row = rows[y]
                for x in range(bx * size, bx * size + size):
                    sums[0] += row[3 * x]
                    sums[1] += row[3 * x + 1]
                    sums[2] += row[3 * x + 2]
            line.append(tuple(v // (size * size) for v in sums))
        out.append(line)
    return out


def main():
    a_name, b_name, tolerance = sys.argv[1], sys.argv[2], float(sys.argv[3])
    turn = len(sys.argv) > 4 and sys.argv[4] == 'turn'
    try:
        a = read(a_name)
        b = read(b_name)
    except (OSError, ValueError, zlib.error, struct.error) as e:
        print('cannot read:', e)
        return 2
    if turn:
        b = turned_back(*b)
    if abs(a[0] - b[0]) > 2 or abs(a[1] - b[1]) > 2:
        print('sizes differ: %dx%d and %dx%d' % (a[0], a[1], b[0], b[1]))
        return 1
    width, height = min(a[0], b[0]), min(a[1], b[1])
    ba = blocks(width, height, a[2])
    bb = blocks(width, height, b[2])
    total = differing = inked = 0
    for ra, rb in zip(ba, bb):
        for ca, cb in zip(ra, rb):
            total += 1
            if min(ca) < 200 or min(cb) < 200:
                inked += 1
            if max(abs(ca[k] - cb[k]) for k in range(3)) > 48:
                differing += 1
    share = 100.0 * differing / max(total, 1)
    print('%s / %s: %.2f%% of %d blocks differ (%d blocks with ink)' % (a_name, b_name, share, total, inked))
    if inked == 0:
        print('both pictures are blank')
        return 1
    return 1 if share > tolerance else 0


if __name__ == "__main__":
    sys.exit(main())
