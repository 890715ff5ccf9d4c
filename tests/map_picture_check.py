#!/usr/bin/env python3
"""Checks the picture of the shaded world map that map_picture_test.sh draws:
a cylindrical map (GRAFMP -180..180, -90..90) on the axis rectangle at x 150,
y 1150 (lower left corner), 1800 by 900 plot units, of a portrait A4 page
(2100 plot units wide), continents shaded red, lakes blue.

    map_picture_check.py <picture_stats.py> <picture.png> [<file.ps> <dpi>]

The screen picture shows the page scaled to its width; a PostScript page is
scaled into its bounding box on the A4 paper that Ghostscript renders at dpi.
Prints each probe and exits 1 when one is not as expected."""
import importlib.util
import sys

spec = importlib.util.spec_from_file_location('picture_stats', sys.argv[1])
stats = importlib.util.module_from_spec(spec)
spec.loader.exec_module(stats)
width, height, rows = stats.read_png_rgb(sys.argv[2])
scale = width / 2100.0
left = top = 0.0
if len(sys.argv) > 4:
    scale, left, top = stats.page_placement(sys.argv[3], float(sys.argv[4]), height, 2100)


def pixel(lon, lat):
    x = 150 + (lon + 180) / 360 * 1799
    y = 1150 - (lat + 90) / 180 * 899
    px, py = int(left + x * scale), int(top + y * scale)
    return tuple(rows[py][3 * px:3 * px + 3])


def kind(rgb):
    r, g, b = rgb
    if r > 200 and g < 80 and b < 80:
        return 'land'
    if b > 150 and r < 80 and g < 80:
        return 'lake'
    if r > 200 and g > 200 and b > 200:
        return 'sea'
    return 'other'


probes = [
    ('Sahara', 15, 22, 'land'), ('Congo', 22, -2, 'land'), ('Brazil', -52, -10, 'land'),
    ('Siberia', 100, 62, 'land'), ('Australia', 134, -25, 'land'), ('United States', -100, 40, 'land'),
    ('Antarctica', 40, -82, 'land'), ('Caspian Sea', 51, 39, 'lake'),
    ('Atlantic', -30, 10, 'sea'), ('Pacific', -140, 0, 'sea'), ('Indian Ocean', 75, -20, 'sea'),
    ('Mediterranean', 18, 34.5, 'sea'), ('Black Sea', 31.5, 43, 'sea'),
]
bad = 0
for name, lon, lat, want in probes:
    got = kind(pixel(lon, lat))
    print('%-14s %7.1f %6.1f %-5s %s' % (name, lon, lat, got, pixel(lon, lat)))
    if got != want:
        print('  expected %s' % want)
        bad = 1
sys.exit(bad)
