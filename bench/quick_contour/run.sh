#!/bin/bash
# Times the quick plots CONTOUR and CONSHADE of a 300 by 300 grid run by kflrun
# into colour PostScript, beside gnuplot 5 drawing the same function's contour
# lines (10 levels) and pm3d map on the same grid in the same run.
# The grid is computed by a KFL loop; a run that only computes it is timed too
# and its time taken off, so the figures are the plots' own.
#   run.sh            (kflrun from $BUILD_DIR or build-quick/, built here)
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/bench/quick_contour
build=${BUILD_DIR:-$root/build-quick}
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target kflrun >/dev/null 2>&1
export KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
for q in grid:'' contour:'CONTOUR Z, X, X' conshade:'CONSHADE Z, X, X'; do
    sed "s/@Q@/${q#*:}/" "$here/grid.kfl" > "$work/${q%%:*}.kfl"
done

# CPU seconds (user + system) of a command run in the work directory.
cpu_seconds() {
    local TIMEFORMAT='%U %S'
    local times
    times=$( { time (cd "$work" && "$@" > /dev/null 2>&1); } 2>&1 )
    echo "$times" | awk '{ printf "%.3f\n", $1 + $2 }'
}
best_of_3() {
    local best=
    for _ in 1 2 3; do
        t=$(cpu_seconds "$@")
        best=$(echo "${best:-$t} $t" | awk '{ print ($2 < $1 ? $2 : $1) }')
    done
    echo "$best"
}

grid=$(best_of_3 "$build/bin/kflrun" -D=PSCL grid.kfl)
contour=$(best_of_3 "$build/bin/kflrun" -D=PSCL contour.kfl)
conshade=$(best_of_3 "$build/bin/kflrun" -D=PSCL conshade.kfl)
contour_own=$(echo "$contour $grid" | awk '{ printf "%.3f", $1 - $2 }')
conshade_own=$(echo "$conshade $grid" | awk '{ printf "%.3f", $1 - $2 }')
echo "kflrun: grid of 300 x 300 computed in $grid s CPU"
echo "kflrun CONTOUR Z, X, X (10 levels): $contour s CPU in all, $contour_own s for the plot"
echo "kflrun CONSHADE Z, X, X (10 levels): $conshade s CPU in all, $conshade_own s for the plot"

if ! command -v gnuplot >/dev/null; then
    echo "gnuplot is missing: install gnuplot-nox for the comparison"
    exit 0
fi
common="set terminal postscript landscape color
set isosamples 300, 300
set samples 300, 300
set xrange [-5:5]
set yrange [-5:5]
f(x, y) = sin(x) * cos(y) + x / 5"
printf '%s\nset output "lines.ps"\nset view map\nunset surface\nset contour base\nset cntrparam levels 10\nsplot f(x, y) notitle\n' \
    "$common" > "$work/lines.gp"
printf '%s\nset output "pm3d.ps"\nset pm3d map\nset palette maxcolors 10\nsplot f(x, y) with pm3d notitle\n' \
    "$common" > "$work/pm3d.gp"
lines=$(best_of_3 gnuplot lines.gp)
pm3d=$(best_of_3 gnuplot pm3d.gp)
echo "$(gnuplot --version): contour lines (10 levels) $lines s CPU, pm3d map $pm3d s CPU"
echo "$lines $contour_own $pm3d $conshade_own" | awk '{
    printf "Ratio gnuplot / kflrun (above 1: kflrun faster): contour lines %.2f, shaded %.2f\n",
           ($2 > 0 ? $1 / $2 : 0), ($4 > 0 ? $3 / $4 : 0) }'
