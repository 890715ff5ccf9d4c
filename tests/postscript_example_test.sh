#!/bin/bash
# Runs an example that plots into colour PostScript, in a fresh temporary
# directory: it must end without warnings and write <name>.psc, which
# Ghostscript (when installed) must render without error into a picture that
# is not blank (its PNG compresses to at least <min bytes>).
#
#   postscript_example_test.sh <kflrun> <name.kfl> <min bytes> [KORVAN directory]
#
# The KORVAN directory, when given, holds the map outline files the example reads.
set -u
kflrun=$1
script=$2
min_bytes=$3
korvan=(-u KORVAN)
[ $# -ge 4 ] && korvan=(KORVAN="$4")
name=$(basename "$script" .kfl)

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
env -u KFL_PATH -u KFL_DATA "${korvan[@]}" KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
    timeout 60 "$kflrun" "$script" < /dev/null > actual.out 2> actual.err
rc=$?
status=0
if [ "$rc" != 0 ]; then
    echo "exit code $rc"
    status=1
fi
# Without a text window the warnings would go to korvan.err, which is kept only
# when it received any.
if [ -e korvan.err ] || grep -q -e '<<<< Warning' -e '>>>>' actual.out || ! grep -q 'Warnings *: *0' actual.out; then
    echo "warnings from the example:"
    cat actual.out
    [ -e korvan.err ] && cat korvan.err
    status=1
fi
if ! grep -q "Metafile *: .*$name.psc" actual.out; then
    echo "no end protocol naming $name.psc:"
    cat actual.out
    status=1
fi
if [ ! -s "$name.psc" ]; then
    echo "$name.psc was not written"
    exit 1
fi
if ! command -v gs > /dev/null; then
    echo "Ghostscript (gs) is not installed: $name.psc is not rendered"
    exit $((status == 0 ? 77 : status))
fi
if ! gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=png16m -r30 -sPAPERSIZE=a4 -sOutputFile="$name.png" "$name.psc" \
        > gs.out 2>&1 || grep -q Error gs.out; then
    echo "Ghostscript failed:"
    head -20 gs.out
    exit 1
fi
# A plot, not an empty page: the picture compresses to much more than a blank one.
size=$(stat -c %s "$name.png")
if [ "$size" -lt "$min_bytes" ]; then
    echo "$name.png has only $size bytes"
    status=1
fi
[ -n "${KORVAN_KEEP_PICTURES:-}" ] && cp "$name.png" "$KORVAN_KEEP_PICTURES/$name-example.png"
exit $status
