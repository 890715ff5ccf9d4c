#!/bin/bash
# Runs every benchmark under bench/ and prints one table: the work, KORVAN's CPU
# seconds, the peer's (gnuplot; Python for the DO loop as well), the ratio peer /
# KORVAN (above 1: KORVAN is faster) and KORVAN's peak memory. CPU time is user +
# system and peak memory the maximum resident set, both from /usr/bin/time, so a
# busy machine skews the ratios less than wall time would. Peers that are not
# installed are skipped. The benchmark programs' own reports follow the table.
#   run_all.sh [iterations] [points]   (defaults 1000000 and 1000000)
# Builds in $BUILD_DIR or build-bench/; a new build directory is configured as Release,
# an existing one keeps its configuration.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
iterations=${1:-1000000}
points=${2:-1000000}
if [ ! -x /usr/bin/time ]; then
    echo "/usr/bin/time is missing (Debian package time)"
    exit 1
fi
# Warnings stay warnings here: GCC's -O3 raises false -Wrestrict alarms in inlined string copies.
[ -f "$build/CMakeCache.txt" ] ||
    cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVAN_WERROR=OFF >/dev/null
cmake --build "$build" -j2 --target kflrun interp_loop_bench ps_curve_bench text_labels_bench datmat_bench \
    contour_bench gksvan_bench >/dev/null 2>&1
export KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none KORVAN=$build/korvan BUILD_DIR=$build
kflrun=$build/bin/kflrun
have() { command -v "$1" >/dev/null; }
python=/usr/bin/python3
[ -x "$python" ] || python=

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work"

# measure <name> <command...>: runs the command in the work directory and sets
# cpu_<name> (user + system seconds) and mem_<name> (peak resident kilobytes).
measure() {
    local name=$1
    shift
    if ! /usr/bin/time -f '%U %S %M' -o "$work/time.txt" "$@" > "$work/$name.out" 2>&1; then
        echo "failed: $* (output in $name.out follows)" >&2
        cat "$work/$name.out" >&2
        eval "cpu_$name=; mem_$name="
        return 0
    fi
    local cpu mem
    read -r cpu mem < <(tail -1 "$work/time.txt" | awk '{ printf "%.3f %d\n", $1 + $2, $3 }')
    eval "cpu_$name=$cpu; mem_$name=$mem"
}

rows=()
# row <work> <KORVAN seconds> <peer name> <peer seconds> <KORVAN peak kB>
row() {
    local ratio=-
    if [ -n "$2" ] && [ -n "$4" ]; then
        # Below the clock's 0.01 s, no ratio.
        ratio=$(echo "$4 $2" | awk '{ if ($2 > 0) printf "%.2f", $1 / $2; else printf "-" }')
    fi
    rows+=("$(printf '%-44s %10s  %-8s %10s %8s %10s' "$1" "${2:--}" "${3:--}" "${4:--}" "$ratio" \
        "$( [ -n "$5" ] && echo "$(( $5 / 1024 )) MB" || echo - )")")
}

# 1. The DO loop, beside gnuplot's do for and Python's while loop.
sed "s/@N@/$iterations/" "$root/bench/interp_loop/do_loop.kfl" > do_loop.kfl
measure kfl_loop "$kflrun" do_loop.kfl
cpu_gp_loop=
if have gnuplot; then measure gp_loop gnuplot -e "n = $iterations" "$root/bench/interp_loop/do_loop.gp"; fi
row "DO loop, $iterations iterations" "$cpu_kfl_loop" gnuplot "$cpu_gp_loop" "$mem_kfl_loop"
if [ -n "$python" ]; then
    measure py_loop "$python" "$root/bench/interp_loop/do_loop.py" "$iterations"
    row "DO loop, $iterations iterations" "$cpu_kfl_loop" python3 "$cpu_py_loop" "$mem_kfl_loop"
fi

# 2. A curve of $points points into PostScript, from a data file and from binary FLOAT data.
if [ -n "$python" ]; then
    "$python" - "$points" <<'PY'
import math, struct, sys
n = int(sys.argv[1])
w, h = 2969.0, 2099.0
with open('curve.kdf', 'w') as kdf, open('curve.txt', 'w') as txt, \
     open('x.bin', 'wb') as xb, open('y.bin', 'wb') as yb, open('xy.bin', 'wb') as xy:
    kdf.write('%%KFL-ASC  a curve of %d points\n%%HEADER\n%%DATA\n2\n' % n)
    for i in range(n):
        t = i / (n - 1)
        x, y = t * w, h / 2 + (h / 2 - 1) * math.sin(t * 200.0)
        line = '%.3f %.3f\n' % (x, y)
        kdf.write(line)
        txt.write(line)
        xb.write(struct.pack('<f', x))
        yb.write(struct.pack('<f', y))
        xy.write(struct.pack('<ff', x, y))
    kdf.write('%END\n')
PY
    plot="METAFL('POST')\nSETFIL('kfl.psc')\nFILMOD('DELE')\nKORINI()\nGRAF(0, 2969, 0, 500, 0, 2099, 0, 500)\nCURVE(X, Y, N)\nENDGRF()\nKORFIN()\n"
    printf "%%KFL\nX = DATRAY(1)\nY = DATRAY(2)\nN = DATCNT('rows')\n$plot" > text.kfl
    printf "%%KFL\nN = $points\nX = FALLOC(N)\nY = FALLOC(N)\nF = FOPEN('x.bin', 'rb')\nQ = FREAD(X, N, F)\nQ = FCLOSE(F)\nF = FOPEN('y.bin', 'rb')\nQ = FREAD(Y, N, F)\nQ = FCLOSE(F)\n$plot" > binary.kfl
    printf "set terminal postscript\nset output 'text.ps'\nunset key\nplot 'curve.txt' with lines\n" > text.gp
    printf "set terminal postscript\nset output 'binary.ps'\nunset key\nplot 'xy.bin' binary format='%%float32%%float32' with lines\n" > binary.gp
    for kind in text binary; do
        case $kind in text) options=-F=curve.kdf what="data file" ;; *) options='' what="binary data" ;; esac
        # shellcheck disable=SC2086
        measure "kfl_$kind" "$kflrun" $options "$kind.kfl"
        eval "cpu_gp_$kind="
        if have gnuplot; then measure "gp_$kind" gnuplot "$kind.gp"; fi
        eval "row \"Curve of $points points from $what, PS\" \"\$cpu_kfl_$kind\" gnuplot \"\$cpu_gp_$kind\" \"\$mem_kfl_$kind\""
    done
fi

# 3. The quick plots CONTOUR and CONSHADE of a 300 x 300 grid computed by a KFL
# loop; the loop alone is measured too and taken off.
for q in grid:'' contour:'CONTOUR Z, X, X' conshade:'CONSHADE Z, X, X'; do
    sed "s/@Q@/${q#*:}/" "$root/bench/quick_contour/grid.kfl" > "${q%%:*}.kfl"
    measure "kfl_${q%%:*}" "$kflrun" -D=PSCL "${q%%:*}.kfl"
done
common="set terminal postscript landscape color
set isosamples 300, 300
set samples 300, 300
set xrange [-5:5]
set yrange [-5:5]
f(x, y) = sin(x) * cos(y) + x / 5"
printf '%s\nset output "lines.ps"\nset view map\nunset surface\nset contour base\nset cntrparam levels 10\nsplot f(x, y) notitle\n' \
    "$common" > lines.gp
printf '%s\nset output "pm3d.ps"\nset pm3d map\nset palette maxcolors 10\nsplot f(x, y) with pm3d notitle\n' \
    "$common" > pm3d.gp
cpu_gp_lines='' cpu_gp_pm3d=''
if have gnuplot; then
    measure gp_lines gnuplot lines.gp
    measure gp_pm3d gnuplot pm3d.gp
fi
own() { [ -n "$1" ] && [ -n "$2" ] && echo "$1 $2" | awk '{ printf "%.3f", $1 - $2 }'; }
row "300 x 300 grid by a KFL loop (no plot)" "$cpu_kfl_grid" - "" "$mem_kfl_grid"
row "CONTOUR 300 x 300, 10 levels (grid off)" "$(own "$cpu_kfl_contour" "$cpu_kfl_grid")" gnuplot "$cpu_gp_lines" \
    "$mem_kfl_contour"
row "CONSHADE 300 x 300 (grid off)" "$(own "$cpu_kfl_conshade" "$cpu_kfl_grid")" gnuplot "$cpu_gp_pm3d" \
    "$mem_kfl_conshade"

# 4. The benchmark programs: whole-program CPU and peak memory (those that run a
# peer themselves include it in their time; their reports below give the split).
mkdir drivers
measure interp_loop_bench "$build/bin/interp_loop_bench" "$root/bench/interp_loop/interp_loop.kfl" "$iterations"
row "interp_loop_bench (whole program)" "$cpu_interp_loop_bench" - "" "$mem_interp_loop_bench"
measure ps_curve_bench "$build/bin/ps_curve_bench" "$points" "$work/drivers" "$kflrun"
row "ps_curve_bench (whole program)" "$cpu_ps_curve_bench" - "" "$mem_ps_curve_bench"
for run in "text_labels_bench 100000 $work/drivers" "datmat_bench" \
    "contour_bench 300 $work/drivers" "gksvan_bench 1000000 $work/drivers"; do
    read -r program args <<< "$run"
    # shellcheck disable=SC2086
    measure "$program" "$build/bin/$program" $args
    eval "row \"$program (whole program)\" \"\$cpu_$program\" - \"\" \"\$mem_$program\""
done
# 5. The world map benchmark keeps its own runner (it decodes the coastlines for gnuplot).
if [ -n "$python" ] && have gnuplot; then
    measure world_map bash "$root/bench/world_map/run.sh"
fi

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
[ -n "$python" ] && echo "Peers: $(gnuplot --version 2>/dev/null || echo 'gnuplot missing'), $("$python" --version)"
printf '%-44s %10s  %-8s %10s %8s %10s\n' work "KORVAN s" peer "peer s" ratio "peak mem"
printf '%s\n' "${rows[@]}"
echo
for report in kfl_loop gp_loop py_loop interp_loop_bench ps_curve_bench text_labels_bench datmat_bench contour_bench \
    gksvan_bench world_map; do
    if [ -f "$work/$report.out" ] && [ -s "$work/$report.out" ]; then
        echo "== $report"
        cat "$work/$report.out"
    fi
done
