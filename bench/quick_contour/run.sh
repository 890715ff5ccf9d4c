#!/bin/bash
# Times the quick plots CONTOUR and CONSHADE of a 300 by 300 grid run by kflrun
# into colour PostScript, beside gnuplot 5 drawing the same function's contour
# lines (10 levels) and pm3d map on the same grid in the same run.
# The grid is computed by a KFL loop; a run that only computes it is timed too
# and its time taken off, so the figures are the plots' own.
#   run.sh            (kflrun from $BUILD_DIR or build-quick/, built here)
set -eu
source "$(dirname "$0")/../common.sh"
here=$root/bench/quick_contour
for q in grid:'' contour:'CONTOUR Z, X, X' conshade:'CONSHADE Z, X, X'; do
    sed "s/@Q@/${q#*:}/" "$here/grid.kfl" > "$work/${q%%:*}.kfl"
done

grid=$(best_of_3 "$build/bin/kflrun" -D=PSCL grid.kfl)
contour=$(best_of_3 "$build/bin/kflrun" -D=PSCL contour.kfl)
conshade=$(best_of_3 "$build/bin/kflrun" -D=PSCL conshade.kfl)
contour_own=$(seconds_minus "$contour" "$grid")
conshade_own=$(seconds_minus "$conshade" "$grid")
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
