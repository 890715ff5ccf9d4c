#!/bin/bash
# Builds the interpreter benchmarks (Release, in $BUILD_DIR or build-bench/) and runs
#  1. one million replayed assignment statements (interp_loop_bench), and
#  2. a DO loop of one million iterations with arithmetic statements and an IF block, run by
#     kflrun, beside the same loop in /usr/bin/python3 and in gnuplot's "do for", measured in
#     the same run.
#   run.sh [statements] [iterations]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
here=$root/bench/interp_loop
build=${BUILD_DIR:-$root/build-bench}
statements=${1:-1000000}
iterations=${2:-1000000}
# Warnings stay warnings here: GCC's -O3 raises false -Wrestrict alarms in inlined string copies.
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release -DKORVAN_WERROR=OFF >/dev/null
cmake --build "$build" -j2 --target interp_loop_bench kflrun >/dev/null 2>&1
export KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none
"$build/bin/interp_loop_bench" "$here/interp_loop.kfl" "$statements"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
sed "s/@N@/$iterations/" "$here/do_loop.kfl" > "$work/do_loop.kfl"

# CPU seconds (user + system) of a command, so that a busy machine does not skew the ratio;
# the command's standard output goes to the file named first.
cpu_seconds() {
    local out=$1
    shift
    local TIMEFORMAT='%U %S %R'
    local times
    times=$( { time "$@" > "$out" 2>&1; } 2>&1 )
    echo "$times" | awk '{ printf "%.3f %.3f\n", $1 + $2, $3 }'
}
per_second() { echo "$1 $2" | awk '{ printf "%.0f", ($2 > 0 ? $1 / $2 : 0) }'; }

read -r kfl_cpu kfl_wall < <(cd "$work" && cpu_seconds "$work/kfl.out" "$build/bin/kflrun" do_loop.kfl)
echo "kflrun DO loop: $iterations iterations in $kfl_cpu s CPU ($kfl_wall s wall):" \
     "$(per_second "$iterations" "$kfl_cpu") iterations per second"
echo "  result: $(tr -s ' ' < "$work/kfl.out")"

# A peer's run of the same loop: its name, then its command line.
peer() {
    local name=$1
    shift
    local cpu wall
    read -r cpu wall < <(cpu_seconds "$work/$name.out" "$@")
    echo "$name: $iterations iterations in $cpu s CPU ($wall s wall):" \
         "$(per_second "$iterations" "$cpu") iterations per second"
    echo "  result: $(cat "$work/$name.out")"
    echo "$kfl_cpu $cpu" | awk -v name="$name" \
        '{ printf "kflrun / %s speed ratio: %.2f (above 1: kflrun is faster)\n", name, ($1 > 0 ? $2 / $1 : 0) }'
}

if [ -x /usr/bin/python3 ]; then
    peer python3 /usr/bin/python3 "$here/do_loop.py" "$iterations"
else
    echo "/usr/bin/python3 is missing: no comparison with Python"
fi
if command -v gnuplot >/dev/null; then
    peer gnuplot gnuplot -e "n = $iterations" "$here/do_loop.gp"
else
    echo "gnuplot is missing: install gnuplot-nox (apt-get install gnuplot-nox) for the comparison"
fi
