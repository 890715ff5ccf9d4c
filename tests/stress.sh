#!/bin/bash
# Runs the whole CTest suite three times in a row, four tests at a time, to
# bring out tests that fail only now and then (waits, timing, shared files).
#   tests/stress.sh [build directory]
# Prints the tests that failed in each round; exits 1 when any did.
set -u
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(cd "${1:-$root/build}" && pwd) || exit 2
status=0
for round in 1 2 3; do
    log="$build/stress-round$round.log"
    echo "== round $round"
    if (cd "$build" && ctest -j 4 --output-on-failure > "$log" 2>&1); then
        grep -E "tests passed" "$log"
    else
        status=1
        grep -E "tests passed|^\s+[0-9]+ - " "$log"
    fi
done
exit $status
