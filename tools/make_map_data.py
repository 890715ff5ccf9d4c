#!/usr/bin/env python3
"""Makes the map outline files bdta1.dat ... bdta7.dat of data/.

Sources:
  land   Natural Earth 1:50m land polygons (public domain), as TopoJSON in the
         npm package world-atlas (file land-50m.json);
  lakes  Natural Earth 1:50m lakes (public domain) as the "lakes" database of
         the Debian package r-cran-maps (files lakes.L and lakes.G), and the
         inland seas that the land polygons leave open (the Caspian Sea).

  make_map_data.py <land-50m.json> <maps mapdata dir> <output dir>

Fetch the sources with "npm pack world-atlas@2.0.2" and
"apt-get download r-cran-maps" (unpack with tar and dpkg-deb -x).

File format: blocks of 20 little-endian signed 32-bit integers. A value times
0.001 is a coordinate, in pairs (longitude + 180, latitude + 90). -1000 starts
a new polyline, -2000 starts the land polylines (outlines, filled), -3000 the
lake polylines (shores, left open in the land and filled as lakes), -9000
ends the data; the last block is padded with -9000.

Regions (file number: region): 1 Antarctica, 2 Africa, 3 Eurasia, 4 Australia
and Oceania, 5 Europe (the European part of Eurasia again), 6 North America,
7 South America. Every polygon is closed (last point = first point).
"""
import json
import math
import os
import struct
import sys

TOLERANCE = 0.03  # degrees: simplification, far below a pen width on A4

# --- Reading ------------------------------------------------------------------


def topojson_arcs(topo):
    """The arcs of a quantized TopoJSON topology as lists of (lon, lat)."""
    sx, sy = topo["transform"]["scale"]
    tx, ty = topo["transform"]["translate"]
    arcs = []
    for arc in topo["arcs"]:
        x = y = 0
        pts = []
        for dx, dy in arc:
            x += dx
            y += dy
            pts.append((x * sx + tx, y * sy + ty))
        arcs.append(pts)
    return arcs


def topojson_polygons(path):
    topo = json.load(open(path))
    arcs = topojson_arcs(topo)

    def ring(indices):
        out = []
        for i in indices:
            pts = arcs[i] if i >= 0 else arcs[~i][::-1]
            out.extend(pts if not out else pts[1:])
        return out

    polygons = []
    for geometry in topo["objects"]["land"]["geometries"]:
        parts = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
        for part in parts:
            polygons.append([ring(r) for r in part])
    return polygons


def maps_lakes(directory):
    """Rings of the r-cran-maps "lakes" database (coordinates in radians)."""
    data = open(os.path.join(directory, "lakes.L"), "rb").read()
    kind, nlines = struct.unpack_from("<ii", data, 0)
    if kind != 2:
        sys.exit("lakes.L: unexpected coordinate type %d" % kind)
    lines = []
    for k in range(nlines):
        offset, npair = struct.unpack_from("<ii", data, 8 + 28 * k)
        values = struct.unpack_from("<%df" % (2 * npair), data, offset)
        lines.append([(math.degrees(values[2 * i]), math.degrees(values[2 * i + 1])) for i in range(npair)])
    gdata = open(os.path.join(directory, "lakes.G"), "rb").read()
    (nregions,) = struct.unpack_from("<H", gdata, 0)
    rings = []
    for k in range(nregions):
        offset, nline = struct.unpack_from("<iH", gdata, 2 + 24 * k)
        indices = struct.unpack_from("<%di" % nline, gdata, offset)
        ring = []
        for i in indices:
            pts = lines[abs(i) - 1] if i > 0 else lines[abs(i) - 1][::-1]
            ring.extend(pts if not ring else pts[1:])
        rings.append(ring)
    return rings


# --- Geometry -----------------------------------------------------------------


def area(ring):
    return sum(ring[i][0] * ring[i + 1][1] - ring[i + 1][0] * ring[i][1] for i in range(len(ring) - 1)) / 2


def centroid(ring):
    n = len(ring)
    return (sum(p[0] for p in ring) / n, sum(p[1] for p in ring) / n)


def closed(ring):
    if ring and ring[0] != ring[-1]:
        ring = ring + [ring[0]]
    return ring


def unwrap(ring):
    """Longitudes made continuous across the antimeridian; a ring around a
    pole is closed through the pole."""
    out = [ring[0]]
    shift = 0.0
    for (x0, _), (x1, y1) in zip(ring, ring[1:]):
        if x1 - x0 > 180:
            shift -= 360
        elif x1 - x0 < -180:
            shift += 360
        out.append((x1 + shift, y1))
    if abs(out[-1][0] - out[0][0]) > 180:  # winds around a pole
        pole = -90.0 if sum(p[1] for p in out) < 0 else 90.0
        out += [(out[-1][0], pole), (out[0][0], pole), out[0]]
    return out


def clip_half(ring, inside, cut):
    """Sutherland-Hodgman against one half-plane."""
    out = []
    for i in range(len(ring) - 1):
        a, b = ring[i], ring[i + 1]
        if inside(a):
            out.append(a)
        if inside(a) != inside(b):
            out.append(cut(a, b))
    return closed(out) if len(out) >= 3 else []


def clip_box(ring, x0, x1, y0, y1):
    def vcut(x):
        return lambda a, b: (x, a[1] + (b[1] - a[1]) * (x - a[0]) / (b[0] - a[0]))

    def hcut(y):
        return lambda a, b: (a[0] + (b[0] - a[0]) * (y - a[1]) / (b[1] - a[1]), y)

    for inside, cut in ((lambda p: p[0] >= x0, vcut(x0)), (lambda p: p[0] <= x1, vcut(x1)),
                        (lambda p: p[1] >= y0, hcut(y0)), (lambda p: p[1] <= y1, hcut(y1))):
        ring = clip_half(ring, inside, cut)
        if not ring:
            return []
    return ring


def clip_convex(ring, corners):
    """Clips against a convex polygon given counter-clockwise."""
    for (ax, ay), (bx, by) in zip(corners, corners[1:] + corners[:1]):
        def side(p, ax=ax, ay=ay, bx=bx, by=by):
            return (bx - ax) * (p[1] - ay) - (by - ay) * (p[0] - ax)

        def cut(p, q):
            t = side(p) / (side(p) - side(q))
            return (p[0] + t * (q[0] - p[0]), p[1] + t * (q[1] - p[1]))

        ring = clip_half(ring, lambda p: side(p) >= 0, cut)
        if not ring:
            return []
    return ring


def box(x0, x1, y0, y1):
    return [(x0, y0), (x1, y0), (x1, y1), (x0, y1)]


def within_180(ring):
    """The ring cut into the pieces that lie in [-180, 180], shifted there."""
    pieces = []
    for shift in (-360, 0, 360):
        piece = clip_box([(x + shift, y) for x, y in ring], -180, 180, -90, 90)
        if piece:
            pieces.append(piece)
    return pieces


def simplify(ring, tolerance):
    """Douglas-Peucker on a closed ring, keeping its first point."""
    if len(ring) < 5:
        return ring
    keep = [False] * len(ring)
    keep[0] = keep[-1] = True
    far = max(range(len(ring)), key=lambda i: (ring[i][0] - ring[0][0]) ** 2 + (ring[i][1] - ring[0][1]) ** 2)
    keep[far] = True
    stack = [(0, far), (far, len(ring) - 1)]
    while stack:
        i, j = stack.pop()
        if j <= i + 1:
            continue
        (ax, ay), (bx, by) = ring[i], ring[j]
        length = math.hypot(bx - ax, by - ay)
        best, worst = 0.0, -1
        for k in range(i + 1, j):
            px, py = ring[k]
            d = (abs((bx - ax) * (ay - py) - (ax - px) * (by - ay)) / length if length > 0
                 else math.hypot(px - ax, py - ay))
            if d > best:
                best, worst = d, k
        if best > tolerance:
            keep[worst] = True
            stack += [(i, worst), (worst, j)]
    out = [p for p, k in zip(ring, keep) if k]
    return out if len(out) >= 4 else []


# --- Regions ------------------------------------------------------------------
# Africa meets Asia at Suez and North America meets South America at Panama:
# the joined land masses are cut in two there, by one short line across each
# isthmus, so that no cut runs through a continent's interior (the outlines
# are drawn as coastlines). Europe is cut from Eurasia in bands of latitude
# along the Urals, the Ural river, the Caucasus, the Bosporus and the Aegean;
# its file is only shaded, never outlined.

SUEZ = ((32.56, 29.9), (32.3, 31.4))
PANAMA = ((-77.9, 7.0), (-77.2, 8.9))
IN_AFRICA = (20.0, 0.0)
IN_SOUTH_AMERICA = (-60.0, -10.0)

AFRICA = [box(-30, 32.4, -40, 35.95), box(-1.0, 12, 35.95, 37.45),
          [(32.4, -40), (43.4, -40), (43.4, 12.6), (32.4, 30.0)], box(43.4, 60, -40, 12.3)]
SOUTH_AMERICA = [box(-77.3, -30, -60, 13), box(-95, -77.3, -60, 7.2)]
NORTH_AMERICA = [box(-180, -77.3, 7.2, 90), box(-77.3, -10, 13, 90)]
EUROPE = [box(-32, 60, 51, 85), box(60, 70, 68, 85), box(-32, 52, 47, 51), box(-32, 45, 41.2, 47),
          box(-32, 29.2, 40.9, 41.2), box(-32, 26.5, 34, 40.9)]


def side(p, a, b):
    return (b[0] - a[0]) * (p[1] - a[1]) - (b[1] - a[1]) * (p[0] - a[0])


def split_across(ring, line):
    """A closed ring cut in two by a line that crosses it exactly twice."""
    p, q = line
    cuts = []
    for i in range(len(ring) - 1):
        a, b = ring[i], ring[i + 1]
        if side(a, p, q) * side(b, p, q) < 0 and side(p, a, b) * side(q, a, b) < 0:
            t = side(a, p, q) / (side(a, p, q) - side(b, p, q))
            cuts.append((i, (a[0] + t * (b[0] - a[0]), a[1] + t * (b[1] - a[1]))))
    if len(cuts) != 2:
        sys.exit("the cut %s crosses the coast %d times, not twice" % (line, len(cuts)))
    (i, c1), (j, c2) = cuts
    first = [c1] + ring[i + 1:j + 1] + [c2, c1]
    second = [c2] + ring[j + 1:-1] + ring[:i + 1] + [c1, c2]
    return first, second


def contains(ring, p):
    """Whether point p lies inside the closed ring (even-odd rule)."""
    inside = False
    for a, b in zip(ring, ring[1:]):
        if (a[1] > p[1]) != (b[1] > p[1]):
            x = a[0] + (p[1] - a[1]) * (b[0] - a[0]) / (b[1] - a[1])
            if x > p[0]:
                inside = not inside
    return inside


def split_continents(ring, line, point):
    """The two parts of a ring cut by `line`: the one holding `point` first."""
    first, second = split_across(ring, line)
    return (first, second) if contains(first, point) else (second, first)


def inside_convex(p, corners):
    return all((bx - ax) * (p[1] - ay) - (by - ay) * (p[0] - ax) >= 0
               for (ax, ay), (bx, by) in zip(corners, corners[1:] + corners[:1]))


def inside_any(p, pieces):
    return any(inside_convex(p, c) for c in pieces)


def region_of(p):
    """The continent of a polygon lying wholly in one, by a point of it."""
    x, y = p
    if y < -60:
        return 1
    if x < -168.5 and y > 60:
        return 3
    if (x >= 112 and y <= -10.5) or (x >= 130.5 and -60 < y < 23 and not (y > 0 and x < 131)) \
            or ((x <= -120 or x >= 160) and -60 < y < 30):
        return 4
    if inside_any(p, AFRICA) and x >= -26 and not (y > 34.5 and x > 12):
        return 2
    if inside_any(p, SOUTH_AMERICA):
        return 7
    if inside_any(p, NORTH_AMERICA) or (x < -10 and y > 13) or (x < 0 and y > 55):
        return 6
    return 3


def split(ring, pieces):
    out = []
    for corners in pieces:
        part = clip_convex(ring, corners)
        if part and abs(area(part)) > 1e-6:
            out.append(part)
    return out


# --- Writing ------------------------------------------------------------------


def encode(regions_land, regions_lakes, directory):
    os.makedirs(directory, exist_ok=True)
    for number in range(1, 8):
        values = [-2000]
        first = True
        for form, rings in ((-2000, regions_land[number]), (-3000, regions_lakes[number])):
            if form == -3000:
                values.append(-3000)
                first = True
            for ring in rings:
                if not first:
                    values.append(-1000)
                first = False
                for x, y in ring:
                    values.append(int(round((x + 180) * 1000)))
                    values.append(int(round((y + 90) * 1000)))
        values.append(-9000)
        while len(values) % 20:
            values.append(-9000)
        with open(os.path.join(directory, "bdta%d.dat" % number), "wb") as f:
            f.write(struct.pack("<%di" % len(values), *values))


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    land = {n: [] for n in range(1, 8)}
    lakes = {n: [] for n in range(1, 8)}

    def add(rings, ring):
        ring = simplify(closed(ring), TOLERANCE)
        if ring and abs(area(ring)) > 0.0004:
            rings.append(ring)

    for polygon in topojson_polygons(sys.argv[1]):
        outer = unwrap(closed(polygon[0]))
        holes = [closed(h) for h in polygon[1:] if abs(area(h)) > 0.01]
        for piece in within_180(outer):
            x0 = min(p[0] for p in piece)
            x1 = max(p[0] for p in piece)
            y0 = min(p[1] for p in piece)
            if x1 - x0 > 100 and y0 > -50 and x0 < 40 < x1:  # Africa with Eurasia
                africa, eurasia = split_continents(piece, SUEZ, IN_AFRICA)
                add(land[2], africa)
                add(land[3], eurasia)
            elif x1 - x0 > 50 and x0 < -80 < x1 and -60 < y0 < 0:  # the Americas
                south, north = split_continents(piece, PANAMA, IN_SOUTH_AMERICA)
                add(land[7], south)
                add(land[6], north)
            else:
                add(land[region_of(centroid(piece))], piece)
        for hole in holes:
            add(lakes[region_of(centroid(hole))], hole)
    for ring in maps_lakes(sys.argv[2]):
        add(lakes[region_of(centroid(ring))], ring)

    # Europe: the European parts of Eurasia's land and lakes.
    for ring in land[3]:
        c = centroid(ring)
        if abs(area(ring)) > 100:
            for part in split(ring, EUROPE):
                add(land[5], part)
        elif inside_any(c, EUROPE):
            land[5].append(ring)
    lakes[5] = [r for r in lakes[3] if inside_any(centroid(r), EUROPE)]
    encode(land, lakes, sys.argv[3])
    for n in range(1, 8):
        print("bdta%d.dat: %d land rings (%d points), %d lake rings" %
              (n, len(land[n]), sum(len(r) for r in land[n]), len(lakes[n])))


if __name__ == "__main__":
    main()
