#!/usr/bin/env python3
"""Checks the pictures of the maps that map_picture_test.sh draws torn apart
at a seam: maps whose projection tears the globe apart there, shaded in
colour on white paper
(the axis rectangle at x 150, y 1150 (lower left corner), 1800 by 900 plot
units of a portrait A4 page, without axes). Nothing may be filled across the
map: no run of ink crosses nearly the whole axis rectangle, the probes of sea
and background are paper and those of land and shaded cells are ink. The probe
points are placed with the textbook formulas of the projections.

    map_seam_check.py <picture_stats.py> <picture.png> <file.ps> <dpi> <case>

Cases: utm (UTM world map, continents), obli (oblique Mercator around
20 E 40 N, continents), cells and cells_poly (shaded contour cells on a
Hammer map whose middle column lies across the back meridian).
Prints what it finds and exits 1 when something is not as expected."""
import importlib.util
import math
import sys

spec = importlib.util.spec_from_file_location('picture_stats', sys.argv[1])
stats = importlib.util.module_from_spec(spec)
spec.loader.exec_module(stats)
width, height, rows = stats.read_png_rgb(sys.argv[2])
scale, left, top = stats.page_placement(sys.argv[3], float(sys.argv[4]), height, 2100)
case = sys.argv[5]

# The axis rectangle in plot units.
AX, AY, AW, AH = 150, 1150, 1800, 900
CX, CY = AX + (AW - 1) / 2, AY - (AH - 1) / 2
rad = math.radians


def merc(phi):
    phi = max(min(phi, rad(89.99)), rad(-89.99))
    return math.log(math.tan(math.pi / 4 + phi / 2))


def utm(lon, lat):
    lam, phi = rad(lon), rad(lat)
    return (math.atanh(math.cos(phi) * math.sin(lam)),
            math.atan2(math.sin(phi), math.cos(phi) * math.cos(lam)))


def obli(lon, lat, lon0=20.0, lat0=40.0):
    lam, phi, phi0 = rad(lon - lon0), rad(lat), rad(lat0)
    x, y, z = math.cos(phi) * math.cos(lam), math.cos(phi) * math.sin(lam), math.sin(phi)
    xr = x * math.cos(phi0) + z * math.sin(phi0)
    zr = -x * math.sin(phi0) + z * math.cos(phi0)
    return math.atan2(y, xr), merc(math.asin(max(-1.0, min(1.0, zr))))


def hammer(lon, lat):
    lam, phi = rad(lon), rad(lat)
    d = math.sqrt(1 + math.cos(phi) * math.cos(lam / 2))
    return 2 * math.sqrt(2) * math.cos(phi) * math.sin(lam / 2) / d, math.sqrt(2) * math.sin(phi) / d


# Each map: its projection, the meridian along which the latitude range
# -90..90 sets the scale, and whether that range is laid from the x axis up
# (cylindrical) or around the middle of the axis system.
projections = {'utm': (utm, 0, True), 'obli': (obli, 20, True), 'cells': (hammer, 0, False)}
projections['cells_poly'] = projections['cells']
project, meridian, from_bottom = projections[case]
low, high = project(meridian, -90)[1], project(meridian, 90)[1]
map_scale = (AH - 1) / abs(high - low)
origin_y = AY + low * map_scale if from_bottom else CY + (low + (high - low) / 2) * map_scale


def pixel_at(lon, lat):
    x, y = project(lon, lat)
    px = int(left + (CX + x * map_scale) * scale)
    py = int(top + (origin_y - y * map_scale) * scale)
    return px, py


def ink(rgb):
    return min(rgb) < 200


def rgb_at(px, py):
    return tuple(rows[py][3 * px:3 * px + 3])


# Probes: (name, longitude, latitude, True for ink).
land_and_sea = [('Sahara', 15, 22, True), ('Congo', 22, -2, True), ('Arabia', 45, 22, True),
                ('Atlantic', -25, 5, False), ('Gulf of Guinea', 0, -3, False)]
probes = {
    # (65.5, 0) lies where the fill of Borneo (across the seam) ran.
    'utm': land_and_sea + [('Indian Ocean', 65.5, 0, False), ('Brazil', -50, -8, True)],
    'obli': land_and_sea + [('Siberia', 90, 62, True), ('Ukraine', 32, 49, True), ('North Atlantic', -35, 45, False)],
    'cells': [('centre', 0, 0, False), ('east', 60, 30, False), ('west', -60, -30, False), ('north', 10, 60, False),
              ('east edge', 178, 20, True), ('west edge', -178, 20, True), ('east edge south', 178, -40, True),
              ('west edge south', -178, -40, True)],
}
probes['cells_poly'] = probes['cells']

bad = 0
for name, lon, lat, want in probes[case]:
    px, py = pixel_at(lon, lat)
    got = ink(rgb_at(px, py))
    print('%-18s %7.1f %6.1f %-5s %s' % (name, lon, lat, 'ink' if got else 'paper', rgb_at(px, py)))
    if got != want:
        print('  expected %s' % ('ink' if want else 'paper'))
        bad = 1

# The longest runs of ink along the rows and columns inside the axis
# rectangle: a fill across the map runs nearly all the way.
ax0, ax1 = int(left + (AX + 2) * scale), int(left + (AX + AW - 3) * scale)
ay0, ay1 = int(top + (AY - AH + 3) * scale), int(top + (AY - 2) * scale)


def longest(cells):
    best = run = 0
    for is_ink in cells:
        run = run + 1 if is_ink else 0
        best = max(best, run)
    return best


row_run = max(longest(ink(rgb_at(x, y)) for x in range(ax0, ax1 + 1)) for y in range(ay0, ay1 + 1))
column_run = max(longest(ink(rgb_at(x, y)) for y in range(ay0, ay1 + 1)) for x in range(ax0, ax1 + 1))
print('longest run of ink: %d of %d pixels in a row, %d of %d in a column' %
      (row_run, ax1 - ax0 + 1, column_run, ay1 - ay0 + 1))
if row_run > 0.9 * (ax1 - ax0 + 1) or column_run > 0.9 * (ay1 - ay0 + 1):
    print('  ink runs across the map')
    bad = 1
sys.exit(bad)
