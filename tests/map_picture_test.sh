#!/bin/bash
# Maps drawn with the shipped outline files on white paper and checked in
# their pictures:
# - psc, screen: a shaded world map (continents red, lakes blue, coastlines
#   black) into colour PostScript rendered by Ghostscript or into the
#   headless screen window's PNG; map_picture_check.py finds land where
#   Africa, the Americas, Asia, Australia and Antarctica are, the Caspian Sea
#   as a lake, sea where the oceans are.
# - utm, obli, cells, cells_poly: maps whose projection tears the globe apart
#   at a seam, in colour PostScript: shaded continents and coastlines on a
#   UTM and an oblique Mercator world map, shaded contour cells across the
#   back meridian of a Hammer map (cell by cell and as polygons per level);
#   map_seam_check.py finds nothing filled across the map.
#
#   map_picture_test.sh <kflrun> <map data dir> <picture_stats.py> <case>
set -u
kflrun=$1
korvan=$2
stats_tool=$3
case=$4
here="$(cd "$(dirname "$0")" && pwd)"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1

# Continents and coastlines, with the lakes in blue for the world map.
land="COLOR('RED')
SHDMAP('ALL')"
coast="COLOR('FORE')
WORLD()"
lakes="COLOR('BLUE')
SHDMAP('LAKE')"
# A field on longitudes 5..365 whose column 175..185 lies across the back
# meridian: shaded there (two bands north of the equator, one south of it),
# below the first level everywhere else.
cells="NX = 37
NY = 18
X = FALLOC(NX)
Y = FALLOC(NY)
Z = FALLOC(NX * NY)
ZL = {1.0, 2.0, 3.0}
DO I = 0, NX - 1
  X[I] = 5 + 10 * I
  DO J = 0, NY - 1
    Y[J] = -85 + 10 * J
    Z[I * NY + J] = 0.5
    IF (X[I] == 175)
      Z[I * NY + J] = 1.5
      IF (Y[J] > 0) Z[I * NY + J] = 2.5
    END IF
    IF (X[I] == 185) Z[I * NY + J] = 1.5
  END DO
END DO
CONSHD(X, NX, Y, NY, Z, ZL, 3)"
device=PSCL settings="" drawing="$land
$coast"
case $case in
psc | screen)
    [ "$case" = screen ] && device=XWIN
    drawing="$land
$lakes
$coast" ;;
utm) settings="PROJCT('UTM')" ;;
obli) settings="PROJCT('OBLI')
MAPPOL(20, 40)" ;;
cells) settings="PROJCT('HAMM')" drawing=$cells ;;
cells_poly) settings="PROJCT('HAMM')
SHDMOD('POLY', 'CONTUR')" drawing=$cells ;;
*) echo "unknown case $case"; exit 2 ;;
esac
cat > map.kfl <<END
%KFL
METAFL('$device')
SETFIL('map.psc')
SETPAG('DA4P')
SCRMOD('REVERS')
KORINI()
NOGRAF()
AXSPOS(150, 1150)
AXSLEN(1800, 900)
$settings
GRAFMP(-180, 180, -180, 60, -90, 90, -90, 30)
$drawing
ENDGRF()
KORFIN()
END
env -u KFL_PATH -u KFL_DATA KORVAN="$korvan" KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
    timeout 120 "$kflrun" map.kfl < /dev/null > actual.out 2> actual.err
rc=$?
if [ "$rc" != 0 ] || [ -s actual.err ] || [ -e korvan.err ] || grep -q -e '>>>>' -e '<<<<' actual.out ||
        ! grep -q 'Warnings *: *0' actual.out; then
    echo "exit code $rc; output:"
    cat actual.out actual.err
    [ -e korvan.err ] && cat korvan.err
    exit 1
fi
command -v python3 > /dev/null || { echo "python3 is not installed: the picture is not checked"; exit 77; }
if [ "$case" = screen ]; then
    [ -s korvan_win1.png ] || { echo "the screen picture korvan_win1.png was not written"; ls; exit 1; }
    picture=korvan_win1.png
else
    [ -s map.psc ] || { echo "map.psc was not written"; exit 1; }
    command -v gs > /dev/null || { echo "Ghostscript (gs) is not installed: map.psc is not rendered"; exit 77; }
    python3 "$stats_tool" map.psc picture.png 50 > stats || { echo "Ghostscript failed"; cat stats; exit 1; }
    picture=picture.png
fi
case $case in
screen) python3 "$here/map_picture_check.py" "$stats_tool" "$picture" || exit 1 ;;
psc) python3 "$here/map_picture_check.py" "$stats_tool" "$picture" map.psc 50 || exit 1 ;;
*) python3 "$here/map_seam_check.py" "$stats_tool" "$picture" map.psc 50 "$case" || exit 1 ;;
esac
[ -n "${KORVAN_KEEP_PICTURES:-}" ] && cp "$picture" "$KORVAN_KEEP_PICTURES/map_$case.png"
exit 0
