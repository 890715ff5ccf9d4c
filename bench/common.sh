# The set-up the benchmark runners share, sourced by their run.sh: kflrun
# built in $BUILD_DIR or build-quick/ below the project, KORVAN at its map
# data, a work directory removed at the end, and the CPU time of commands run
# in it. Sets root, build and work.
root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
build=${BUILD_DIR:-$root/build-quick}
cmake -S "$root" -B "$build" >/dev/null
cmake --build "$build" -j2 --target kflrun >/dev/null 2>&1
export KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none KORVAN=$build/korvan

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# CPU seconds (user + system) of a command run in the work directory.
cpu_seconds() {
    local TIMEFORMAT='%U %S'
    local times
    times=$( { time (cd "$work" && "$@" > /dev/null 2>&1); } 2>&1 )
    echo "$times" | awk '{ printf "%.3f\n", $1 + $2 }'
}

# The least CPU seconds of three runs of a command.
best_of_3() {
    local best= t
    for _ in 1 2 3; do
        t=$(cpu_seconds "$@")
        best=$(echo "${best:-$t} $t" | awk '{ print ($2 < $1 ? $2 : $1) }')
    done
    echo "$best"
}

# The difference of two times in seconds.
seconds_minus() { echo "$1 $2" | awk '{ printf "%.3f", $1 - $2 }'; }
