#!/bin/bash
# Runs every KFL example of the manual (the ```kfl blocks of doc/) in a fresh
# directory and fails when one of them gives an interpreter message
# (" >>>> ..."). An example that calls a routine this version lacks is
# reported and counted as skipped.
#   doc_examples_test.sh <source dir> <kflrun>
set -u
src=$1
kflrun=$(realpath "$2")
command -v python3 >/dev/null || { echo "python3 is missing: cannot extract the examples"; exit 77; }
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
python3 "$src/tools/kfl_reference.py" examples "$src" "$work/examples" >/dev/null || exit 1
failed=0 skipped=0 passed=0
for example in "$work"/examples/*.kfl; do
    name=$(basename "$example")
    run="$work/run/$name"
    mkdir -p "$run"
    cp "$example" "$run/"
    files="$work/examples/${name%-*}.files"
    [ -d "$files" ] && cp "$files"/* "$run/"
    (cd "$run" && env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
        timeout 60 "$kflrun" "$name" < /dev/null > output.txt 2>&1)
    rc=$?
    if grep -q "is not available in this version" "$run/output.txt"; then
        skipped=$((skipped + 1))
        echo "skipped $name ($(sed -n 2p "$example" | cut -c4-)): $(grep -m1 'not available' "$run/output.txt")"
    elif grep -q ">>>>" "$run/output.txt" || [ $rc -ne 0 ]; then
        failed=$((failed + 1))
        echo "FAILED $name ($(sed -n 2p "$example" | cut -c4-)), exit code $rc:"
        grep ">>>>" "$run/output.txt" | head -5
    else
        passed=$((passed + 1))
    fi
done
echo "$passed examples ran cleanly, $skipped skipped (routines not built), $failed failed"
[ $failed -eq 0 ]
