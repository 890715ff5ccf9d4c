#!/bin/bash
# Builds the interpreter benchmark (Release, in $BUILD_DIR or build-bench/) and runs one million
# replayed statements.
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=${BUILD_DIR:-$root/build-bench}
cmake -S "$root" -B "$build" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$build" -j2 --target interp_loop_bench >/dev/null
KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none "$build/bin/interp_loop_bench" "$root/bench/interp_loop/interp_loop.kfl" "${1:-1000000}"
