#!/bin/bash
# Times WORLD and SHDMAP('ALL') of the shipped coastlines into colour
# PostScript with kflrun, on a cylindrical and a Hammer map, and a run that
# only opens the map (taken off, so the figures are the outlines' own). When
# gnuplot is installed, it draws the same outlines (decoded from the bdta
# files by python3) filled and outlined with its PostScript terminal in the
# same run, and the ratios are printed.
#   run.sh            (kflrun from $BUILD_DIR or build-quick/, built here)
set -eu
source "$(dirname "$0")/../common.sh"
script() {  # script <name> <projection> <drawing>
    printf "%%KFL\nMETAFL('PSCL')\nSETFIL('%s.psc')\nFILMOD('DELE')\nKORINI()\nPROJCT('%s')\n" "$1" "$2"
    printf "GRAFMP(-180, 180, -180, 60, -90, 90, -90, 30)\n%b\nENDGRF()\nKORFIN()\n" "$3"
}
for p in CYLI HAMM; do
    script "empty_$p" "$p" "" > "$work/empty_$p.kfl"
    script "world_$p" "$p" "SETCLR(80)\nSHDMAP('ALL')\nSETCLR(255)\nWORLD()" > "$work/world_$p.kfl"
done

for p in CYLI HAMM; do
    empty=$(best_of_3 "$build/bin/kflrun" "empty_$p.kfl")
    full=$(best_of_3 "$build/bin/kflrun" "world_$p.kfl")
    own=$(seconds_minus "$full" "$empty")
    eval "own_$p=$own"
    echo "kflrun $p: SHDMAP('ALL') + WORLD in $own s CPU ($full s in all), world_$p.psc $(stat -c %s "$work/world_$p.psc") bytes"
done

if ! command -v gnuplot >/dev/null || ! command -v python3 >/dev/null; then
    echo "gnuplot or python3 is missing: install gnuplot-nox for the comparison"
    exit 0
fi
python3 - "$KORVAN" "$work/outlines.dat" <<'PY'
import struct, sys
out = open(sys.argv[2], 'w')
for n in (1, 2, 3, 4, 6, 7):
    data = open('%s/bdta%d.dat' % (sys.argv[1], n), 'rb').read()
    values = struct.unpack('<%di' % (len(data) // 4), data)
    half = None
    for v in values:
        if v < -1:
            out.write('\n')
            half = None
            if v == -9000:
                break
            continue
        if half is None:
            half = v
        else:
            out.write('%.3f %.3f\n' % (half / 1000 - 180, v / 1000 - 90))
            half = None
PY
printf 'set terminal postscript landscape color\nset output "world.ps"\nset xrange [-180:180]\nset yrange [-90:90]\nplot "outlines.dat" with filledcurves closed lc rgb "blue" notitle, "outlines.dat" with lines lc rgb "black" notitle\n' \
    > "$work/world.gp"
gp=$(best_of_3 gnuplot world.gp)
echo "$(gnuplot --version): the same outlines filled and drawn in $gp s CPU (data file read included)"
echo "$gp $own_CYLI" | awk '{ printf "Ratio gnuplot / kflrun on the cylindrical map (above 1: kflrun faster): %.2f\n", ($2 > 0 ? $1 / $2 : 0) }'
