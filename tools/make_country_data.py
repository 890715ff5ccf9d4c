#!/usr/bin/env python3
"""Makes data/bdta8.dat, the outlines of the countries of Europe that SHDEUR
shades, and prints the table of its countries.

Source: Natural Earth 1:50m Admin 0 countries (public domain), as TopoJSON in
the npm package world-atlas 2.0.2 (ISC licence, Michael Bostock), file
countries-50m.json. Fetch it with "npm pack world-atlas@2.0.2" and unpack it
with tar.

  make_country_data.py <countries-50m.json> <output file>

Countries are numbered by their ISO 3166-1 numeric code (France 250, Germany
276); Kosovo and Northern Cyprus, which have none, take 900 and 901 from the
codes that the standard leaves to its users. Each country keeps its parts north
of 25 degrees latitude and outside the Americas (France without its overseas
departments, Norway with Svalbard, Russia whole).

The file has the block format of the other outline files (see
make_map_data.py); a value -(100000 + code) starts the outlines of a country,
-1000 starts each further polyline of it. A country's polylines are closed
rings filled together by the even-odd rule (Italy's holes where San Marino and
the Vatican lie stay open). Borders are simplified once per shared
border, so that neighbours meet without gaps.
"""
import json
import math
import os
import struct
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from make_map_data import area, closed, topojson_arcs, unwrap, within_180  # noqa: E402

TOLERANCE = 0.02  # degrees
COUNTRY_MARK = -100000

# ISO 3166-1 numeric codes of the countries of Europe, with the Caucasus and
# Turkey; Natural Earth's countries without a code by name.
EUROPE = [
    8, 20, 31, 40, 51, 56, 70, 100, 112, 191, 196, 203, 208, 233, 234, 246, 248, 250, 268, 276, 300, 336, 348,
    352, 372, 380, 428, 438, 440, 442, 470, 492, 498, 499, 528, 578, 616, 620, 642, 643, 674, 688, 703, 705,
    724, 752, 756, 792, 804, 807, 826, 831, 832, 833,
]
WITHOUT_CODE = {"Kosovo": 900, "N. Cyprus": 901}


def perpendicular(p, a, b):
    length = math.hypot(b[0] - a[0], b[1] - a[1])
    if length == 0:
        return math.hypot(p[0] - a[0], p[1] - a[1])
    return abs((b[0] - a[0]) * (a[1] - p[1]) - (a[0] - p[0]) * (b[1] - a[1])) / length


def simplify_open(line, tolerance):
    """Douglas-Peucker on a polyline, keeping both ends."""
    keep = [False] * len(line)
    keep[0] = keep[-1] = True
    stack = [(0, len(line) - 1)]
    while stack:
        i, j = stack.pop()
        if j <= i + 1:
            continue
        worst = max(range(i + 1, j), key=lambda k: perpendicular(line[k], line[i], line[j]))
        if perpendicular(line[worst], line[i], line[j]) > tolerance:
            keep[worst] = True
            stack += [(i, worst), (worst, j)]
    return [p for p, k in zip(line, keep) if k]


def simplify_arc(arc, tolerance):
    """A shared border simplified once; a closed one (an island, an enclave)
    split at its point farthest from the start. An arc that would shrink to
    less than a triangle stays as it is."""
    if len(arc) < 3:
        return arc
    if arc[0] != arc[-1]:
        return simplify_open(arc, tolerance)
    far = max(range(len(arc)), key=lambda i: math.hypot(arc[i][0] - arc[0][0], arc[i][1] - arc[0][1]))
    out = simplify_open(arc[:far + 1], tolerance) + simplify_open(arc[far:], tolerance)[1:]
    return out if len(out) >= 4 else arc


def decode_arcs(topo):
    """The arcs in thousandths of a degree, each border simplified once."""
    return [simplify_arc([(round(x, 3), round(y, 3)) for x, y in arc], TOLERANCE) for arc in topojson_arcs(topo)]


def ring_of(arcs, indices):
    out = []
    for i in indices:
        pts = arcs[i] if i >= 0 else arcs[~i][::-1]
        out.extend(pts if not out else pts[1:])
    return out


def in_europe(ring):
    x = sum(p[0] for p in ring) / len(ring)
    y = sum(p[1] for p in ring) / len(ring)
    return y > 25 and not -168 < x < -35


def country_rings(arcs, geometry):
    parts = geometry["arcs"] if geometry["type"] == "MultiPolygon" else [geometry["arcs"]]
    rings = []
    for part in parts:
        polygon = [closed(ring_of(arcs, r)) for r in part]
        if not in_europe(polygon[0]):
            continue
        for ring in polygon:
            # A ring across the back meridian is cut there into rings on the globe.
            pieces = within_180(unwrap(ring)) if any(abs(a[0] - b[0]) > 180 for a, b in zip(ring, ring[1:])) \
                else [ring]
            for piece in pieces:
                deduplicated = [p for k, p in enumerate(piece) if k == 0 or p != piece[k - 1]]
                if len(deduplicated) >= 4 and abs(area(deduplicated)) > 0:
                    rings.append(deduplicated)
    return rings


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    topo = json.load(open(sys.argv[1]))
    arcs = decode_arcs(topo)
    countries = {}
    for geometry in topo["objects"]["countries"]["geometries"]:
        name = geometry["properties"]["name"]
        code = int(geometry["id"]) if geometry.get("id") not in (None, "-99") else WITHOUT_CODE.get(name)
        if code in EUROPE or name in WITHOUT_CODE:
            countries[code] = (name, country_rings(arcs, geometry))
    missing = set(EUROPE) - set(countries)
    if missing:
        sys.exit("countries not found: %s" % sorted(missing))
    values = []
    for code in sorted(countries):
        name, rings = countries[code]
        values.append(COUNTRY_MARK - code)
        for k, ring in enumerate(rings):
            if k > 0:
                values.append(-1000)
            for x, y in ring:
                values.append(int(round((x + 180) * 1000)))
                values.append(int(round((y + 90) * 1000)))
        print("%3d  %-24s %3d rings %5d points" % (code, name, len(rings), sum(len(r) for r in rings)))
    values.append(-9000)
    while len(values) % 20:
        values.append(-9000)
    with open(sys.argv[2], "wb") as f:
        f.write(struct.pack("<%di" % len(values), *values))


if __name__ == "__main__":
    main()
