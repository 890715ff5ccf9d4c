#!/bin/bash
# Runs every benchmark under bench/ and prints one table: the work, KORVAN's CPU
# seconds, the peer's (gnuplot; Python for the DO loop as well), the ratio peer /
# KORVAN (above 1: KORVAN is faster) and KORVAN's peak memory. CPU time is user +
# system and peak memory the maximum resident set, both from /usr/bin/time, so a
# busy machine skews the ratios less than wall time would. Peers that are not
# installed are skipped. The benchmark programs' own reports follow the table.
#   run_all.sh [iterations] [points] [big]   (defaults 1000000, 1000000 and no)
# With "big" the large data follow: curves of 10,000,000 points into PostScript,
# GKSVAN and the screen's picture, 2000 x 2000 matrices through CONSHD (cells) and
# SURSHD, and CONTUR and CONSHD's polygons at 357 x 357, the largest matrix they
# take. Their data are made in a temporary directory and removed after the run.
# Builds in $BUILD_DIR or build-bench/; a new build directory is configured as Release,
# an existing one keeps its configuration.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
iterations=${1:-1000000}
points=${2:-1000000}
big=${3:-}
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
megabytes() { if [ -n "${1:-}" ]; then echo "$(( $1 / 1024 )) MB"; else echo -; fi; }
# row <work> <KORVAN seconds> <peer name> <peer seconds> <KORVAN peak kB> [<peer peak kB>]
row() {
    local ratio=-
    if [ -n "$2" ] && [ -n "$4" ]; then
        # Below the clock's 0.01 s, no ratio.
        ratio=$(echo "$4 $2" | awk '{ if ($2 > 0) printf "%.2f", $1 / $2; else printf "-" }')
    fi
    local peer_mem=-
    [ -n "$4" ] && peer_mem=$(megabytes "${6:-}")
    rows+=("$(printf '%-50s %10s  %-8s %10s %8s %10s %10s' "$1" "${2:--}" "${3:--}" "${4:--}" "$ratio" \
        "$(megabytes "$5")" "$peer_mem")")
}

# 1. The DO loop, beside gnuplot's do for and Python's while loop.
sed "s/@N@/$iterations/" "$root/bench/interp_loop/do_loop.kfl" > do_loop.kfl
measure kfl_loop "$kflrun" do_loop.kfl
cpu_gp_loop=
if have gnuplot; then measure gp_loop gnuplot -e "n = $iterations" "$root/bench/interp_loop/do_loop.gp"; fi
row "DO loop, $iterations iterations" "$cpu_kfl_loop" gnuplot "$cpu_gp_loop" "$mem_kfl_loop" "${mem_gp_loop:-}"
if [ -n "$python" ]; then
    measure py_loop "$python" "$root/bench/interp_loop/do_loop.py" "$iterations"
    row "DO loop, $iterations iterations" "$cpu_kfl_loop" python3 "$cpu_py_loop" "$mem_kfl_loop" "$mem_py_loop"
fi

# 2. Curves from a data file and from binary FLOAT data: $points points into
# PostScript; with "big" 10,000,000 points into PostScript, GKSVAN and the
# screen's picture (offscreen, written as PNG). gnuplot draws the same points
# with its PostScript terminal (the peer of both plot files) and its libgd PNG
# terminal at the size of the screen's picture.
# make_curve_data <points>: curve.kdf, curve.txt, x.bin, y.bin and xy.bin.
make_curve_data() {
    "$python" - "$1" <<'PY'
import math, struct, sys
n = int(sys.argv[1])
w, h = 2969.0, 2099.0
with open('curve.kdf', 'w') as kdf, open('curve.txt', 'w') as txt, \
     open('x.bin', 'wb') as xb, open('y.bin', 'wb') as yb, open('xy.bin', 'wb') as xy:
    kdf.write('%%KFL-ASC  a curve of %d points\n%%HEADER\n%%DATA\n2\n' % n)
    for first in range(0, n, 100000):
        xs, ys, lines = [], [], []
        for i in range(first, min(n, first + 100000)):
            t = i / (n - 1)
            x, y = t * w, h / 2 + (h / 2 - 1) * math.sin(t * 200.0)
            xs.append(x)
            ys.append(y)
            lines.append('%.3f %.3f\n' % (x, y))
        text = ''.join(lines)
        kdf.write(text)
        txt.write(text)
        xb.write(struct.pack('<%df' % len(xs), *xs))
        yb.write(struct.pack('<%df' % len(ys), *ys))
        xy.write(struct.pack('<%df' % (2 * len(xs)), *[v for p in zip(xs, ys) for v in p]))
    kdf.write('%END\n')
PY
}
# curve_rows <points> <devices...>: one row per source and device (POST, GKSV, XWIN).
curve_rows() {
    local n=$1 kind dev what options gp_cpu gp_mem
    shift
    make_curve_data "$n"
    for kind in text binary; do
        case $kind in
        text)
            what="data file" options=-F=curve.kdf
            read_kfl="X = DATRAY(1)\nY = DATRAY(2)\nN = DATCNT('rows')\n"
            data="'curve.txt'"
            ;;
        *)
            what="binary data" options=''
            read_kfl="N = $n\nX = FALLOC(N)\nY = FALLOC(N)\nF = FOPEN('x.bin', 'rb')\nQ = FREAD(X, N, F)\nQ = FCLOSE(F)\n"
            read_kfl="${read_kfl}F = FOPEN('y.bin', 'rb')\nQ = FREAD(Y, N, F)\nQ = FCLOSE(F)\n"
            data="'xy.bin' binary format='%%float32%%float32'"
            ;;
        esac
        for dev in "$@"; do
            rm -f korvan_win*.png
            printf "%%KFL\n${read_kfl}METAFL('$dev')\nSETFIL('kfl.out')\nFILMOD('DELE')\nKORINI()\n" > curve.kfl
            printf "GRAF(0, 2969, 0, 500, 0, 2099, 0, 500)\nCURVE(X, Y, N)\nENDGRF()\nKORFIN()\n" >> curve.kfl
            # shellcheck disable=SC2086
            measure kfl_curve "$kflrun" $options curve.kfl
            # The plot files share gnuplot's PostScript run; the screen has its PNG run.
            if [ "$dev" != GKSV ]; then
                gp_cpu='' gp_mem=''
                if have gnuplot; then
                    case $dev in
                    XWIN) terminal="png size $(png_size korvan_win1.png)" ;;
                    *) terminal=postscript ;;
                    esac
                    printf "set terminal $terminal\nset output 'gp.out'\nunset key\nplot $data with lines\n" > curve.gp
                    measure gp_curve gnuplot curve.gp
                    gp_cpu=$cpu_gp_curve gp_mem=$mem_gp_curve
                fi
            fi
            case $dev in POST) into=PS ;; GKSV) into=GKSVAN ;; *) into="screen PNG" ;; esac
            row "Curve of $n points, $what, $into" "$cpu_kfl_curve" gnuplot "$gp_cpu" "$mem_kfl_curve" "$gp_mem"
        done
    done
    rm -f curve.kdf curve.txt x.bin y.bin xy.bin kfl.out gp.out
}
# The width and height of a PNG picture as "w,h" (853,603 when there is none).
png_size() {
    if [ -f "$1" ]; then
        "$python" -c 'import struct, sys; d = open(sys.argv[1], "rb").read(24); print("%d,%d" % struct.unpack(">II", d[16:24]))' "$1"
    else
        echo 853,603
    fi
}
if [ -n "$python" ]; then
    curve_rows "$points" POST
    if [ "$big" = big ]; then curve_rows 10000000 POST GKSV XWIN; fi
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
    "$mem_kfl_contour" "${mem_gp_lines:-}"
row "CONSHADE 300 x 300 (grid off)" "$(own "$cpu_kfl_conshade" "$cpu_kfl_grid")" gnuplot "$cpu_gp_pm3d" \
    "$mem_kfl_conshade" "${mem_gp_pm3d:-}"

# 4. Big matrices from binary FLOAT data into PostScript, beside gnuplot's pm3d
# map, pm3d surface and contour lines of the same data (read by both from the
# same file).
if [ "$big" = big ] && [ -n "$python" ]; then
    for m in 2000 357; do
        "$python" - "$m" <<'PY'
import math, struct, sys
n = int(sys.argv[1])
xs = [-5 + 10.0 * i / (n - 1) for i in range(n)]
with open('ax%d.bin' % n, 'wb') as ax:
    ax.write(struct.pack('<%df' % n, *xs))
with open('mat%d.bin' % n, 'wb') as mat:
    for x in xs:
        mat.write(struct.pack('<%df' % n, *[math.sin(x) * math.cos(y) + x / 5 for y in xs]))
PY
    done
    levels="-1.8, -1.4, -1.0, -0.6, -0.2, 0.2, 0.6, 1.0, 1.4, 1.8"
    # matrix_kfl <size> <statements> [GRAF3D]: reads the axis and the matrix, opens the colour axis system
    # (GRAF3) or the 3-D box (GRAF3D), runs the statements.
    matrix_kfl() {
        printf "%%KFL\nN = $1\nX = FALLOC(N)\nZ = FALLOC(N * N)\nF = FOPEN('ax$1.bin', 'rb')\nQ = FREAD(X, N, F)\n"
        printf "Q = FCLOSE(F)\nF = FOPEN('mat$1.bin', 'rb')\nQ = FREAD(Z, N * N, F)\nQ = FCLOSE(F)\n"
        printf "ZLEV = {$levels}\nMETAFL('PSCL')\nSETFIL('m.psc')\nFILMOD('DELE')\nKORINI()\n"
        printf "${3:-GRAF3}(-5, 5, -5, 1, -5, 5, -5, 1, -2, 2, -2, 0.5)\n$2\nENDGRF()\nKORFIN()\n"
    }
    matrix_kfl 2000 "CONSHD(X, N, X, N, Z, ZLEV, 10)" > conshd2000.kfl
    matrix_kfl 2000 "SURSHD(X, N, X, N, Z)" GRAF3D > surshd2000.kfl
    matrix_kfl 357 "DO K = 0, 9\n  CONTUR(X, N, X, N, Z, ZLEV[K])\nEND DO" > contur357.kfl
    matrix_kfl 357 "SHDMOD('POLY', 'CONTOUR')\nCONSHD(X, N, X, N, Z, ZLEV, 10)" > poly357.kfl
    gp_matrix() {
        printf "set terminal postscript landscape color\nset output 'g.ps'\nset xrange [-5:5]\nset yrange [-5:5]\n"
        printf "$2\nsplot 'mat$1.bin' binary array=($1,$1) format='%%float32' "
        printf "dx=%s dy=%s origin=(-5,-5,0) $3 notitle\n" "$(echo "$1" | awk '{ print 10 / ($1 - 1) }')" \
            "$(echo "$1" | awk '{ print 10 / ($1 - 1) }')"
    }
    gp_matrix 2000 "set pm3d map\nset palette maxcolors 10" "with pm3d" > pm3d2000.gp
    gp_matrix 2000 "set pm3d\nset palette maxcolors 10" "with pm3d" > surface2000.gp
    gp_matrix 357 "set view map\nunset surface\nset contour base\nset cntrparam levels discrete ${levels// /}" "with lines" \
        > lines357.gp
    gp_matrix 357 "set pm3d map\nset palette maxcolors 10" "with pm3d" > pm3d357.gp
    for run in conshd2000:pm3d2000 surshd2000:surface2000 contur357:lines357 poly357:pm3d357; do
        kfl=${run%%:*} gp=${run#*:}
        rm -f korvan.err
        measure "kfl_$kfl" "$kflrun" "$kfl.kfl"
        eval "cpu_gp_$kfl="
        if have gnuplot; then measure "gp_$kfl" gnuplot "$gp.gp"; fi
        case $kfl in
        conshd2000) what="CONSHD cells 2000 x 2000, PS (pm3d map)" ;;
        surshd2000) what="SURSHD 2000 x 2000, PS (pm3d surface)" ;;
        contur357) what="CONTUR 357 x 357, 10 levels, PS" ;;
        *) what="CONSHD polygons 357 x 357, PS (pm3d map)" ;;
        esac
        # A run with a warning (a matrix refused) has drawn nothing worth a time.
        if ! grep -q "Warnings  : 0" "$work/kfl_$kfl.out"; then
            what="$what: warning $(sed -n 's/.*Warning *\([0-9]*\):.*/\1/p' korvan.err | head -1), not drawn"
            eval "cpu_kfl_$kfl="
        fi
        eval "row \"$what\" \"\$cpu_kfl_$kfl\" gnuplot \"\$cpu_gp_$kfl\" \"\$mem_kfl_$kfl\" \"\${mem_gp_$kfl:-}\""
    done
fi

# 5. The benchmark programs: whole-program CPU and peak memory (those that run a
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
# 6. WORLD and SHDMAP('ALL') into PostScript: the world map benchmark keeps its own
# runner (it takes off the time of the map without outlines and decodes the
# coastlines for gnuplot); its figures go into the table.
measure world_map bash "$root/bench/world_map/run.sh"
if [ -f "$work/world_map.out" ]; then
    gp_world=$(sed -n 's/^gnuplot.* drawn in \([0-9.]*\) s CPU.*/\1/p' "$work/world_map.out")
    for p in CYLI HAMM; do
        own=$(sed -n "s/^kflrun $p: .* in \([0-9.]*\) s CPU .*/\1/p" "$work/world_map.out")
        peer=
        [ "$p" = CYLI ] && peer=$gp_world
        row "WORLD + SHDMAP('ALL'), $p map, PS (map off)" "$own" gnuplot "$peer" "" ""
    done
fi

echo "Machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ *//'), load $(cut -d' ' -f1-3 /proc/loadavg)"
[ -n "$python" ] && echo "Peers: $(gnuplot --version 2>/dev/null || echo 'gnuplot missing'), $("$python" --version)"
printf '%-50s %10s  %-8s %10s %8s %10s %10s\n' work "KORVAN s" peer "peer s" ratio "peak mem" "peer mem"
printf '%s\n' "${rows[@]}"
echo
for report in kfl_loop gp_loop py_loop interp_loop_bench ps_curve_bench text_labels_bench datmat_bench contour_bench \
    gksvan_bench world_map; do
    if [ -f "$work/$report.out" ] && [ -s "$work/$report.out" ]; then
        echo "== $report"
        cat "$work/$report.out"
    fi
done
