#!/bin/bash
# Runs a shipped example script against the shipped data in a fresh temporary
# directory and compares its standard output with the expected one.
#
#   run_example_test.sh <kflrun> <example.kfl> <data directory> <expected output>
set -u
kflrun=$1
script=$2
data=$3
expected=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
env -u KFL_PATH -u KORVAN KFL_DATA="$data" KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
    timeout 60 "$kflrun" "$script" < /dev/null > actual.out 2> actual.err
rc=$?
status=0
if [ "$rc" != 0 ]; then
    echo "exit code $rc"
    status=1
fi
if ! cmp -s actual.out "$expected"; then
    echo "standard output differs from $expected:"
    diff <(cat -A "$expected") <(cat -A actual.out) | head -40
    status=1
fi
if [ -s actual.err ]; then
    echo "standard error:"
    head -20 actual.err
    status=1
fi
exit $status
