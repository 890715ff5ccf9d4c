#!/bin/bash
# Draws a shaded world map (continents red, lakes blue, coastlines black) with
# the shipped outline files, into colour PostScript rendered by Ghostscript or
# into the headless screen window's PNG, and checks the picture: land where
# Africa, the Americas, Asia, Australia and Antarctica are, the Caspian Sea as
# a lake, sea where the oceans are.
#
#   map_picture_test.sh <kflrun> <map data dir> <picture_stats.py> <psc|screen>
set -u
kflrun=$1
korvan=$2
stats_tool=$3
mode=$4
check=$(dirname "$0")/map_picture_check.py

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
device=PSCL
[ "$mode" = screen ] && device=XWIN
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
GRAFMP(-180, 180, -180, 60, -90, 90, -90, 30)
COLOR('RED')
SHDMAP('ALL')
COLOR('BLUE')
SHDMAP('LAKE')
COLOR('FORE')
WORLD()
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
if [ "$mode" = screen ]; then
    [ -s korvan_win1.png ] || { echo "the screen picture korvan_win1.png was not written"; ls; exit 1; }
    picture=korvan_win1.png
else
    [ -s map.psc ] || { echo "map.psc was not written"; exit 1; }
    command -v gs > /dev/null || { echo "Ghostscript (gs) is not installed: map.psc is not rendered"; exit 77; }
    python3 "$stats_tool" map.psc picture.png 50 > stats || { echo "Ghostscript failed"; cat stats; exit 1; }
    picture=picture.png
fi
if [ "$mode" = screen ]; then
    python3 "$check" "$stats_tool" "$picture" || exit 1
else
    python3 "$check" "$stats_tool" "$picture" map.psc 50 || exit 1
fi
[ -n "${KORVAN_KEEP_PICTURES:-}" ] && cp "$picture" "$KORVAN_KEEP_PICTURES/world_map_$mode.png"
exit 0
