#!/bin/bash
# Runs one quick-plot example with "-D=PSCL" in a fresh temporary directory:
# it must end without messages or warnings, and Ghostscript (when installed)
# must render korvan.psc without error into a picture with a drawing on it
# (and colour where the example is a colour plot).
#
#   quick_examples_test.sh <kflrun> <example.kfl> <picture_stats.py> <colour: 0 or 1>
set -u
kflrun=$1
script=$2
stats_tool=$3
colour=$4

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
    timeout 60 "$kflrun" -D=PSCL "$script" < /dev/null > actual.out 2> actual.err
rc=$?
if [ "$rc" != 0 ] || [ -s actual.err ] || grep -q -e '>>>>' -e '<<<<' actual.out ||
        ! grep -q 'Warnings *: *0' actual.out; then
    echo "exit code $rc; output:"
    cat actual.out actual.err
    exit 1
fi
[ -s korvan.psc ] || { echo "korvan.psc was not written"; exit 1; }
command -v gs > /dev/null || { echo "Ghostscript (gs) is not installed: korvan.psc is not rendered"; exit 77; }
python3 "$stats_tool" korvan.psc picture.png > stats || { cat stats; exit 1; }
inside=$(awk '$1 == "inside" {print $2}' stats)
coloured=$(awk '$1 == "coloured" {print $2}' stats)
[ "$inside" -gt 1000 ] || { echo "almost nothing drawn"; cat stats; exit 1; }
if [ "$colour" = 1 ]; then
    [ "$coloured" -gt 1000 ] || { echo "no colour"; cat stats; exit 1; }
else
    [ "$coloured" = 0 ] || { echo "colour in a black and white plot"; cat stats; exit 1; }
fi
[ -n "${KORVAN_KEEP_PICTURES:-}" ] && cp picture.png "$KORVAN_KEEP_PICTURES/$(basename "$script" .kfl).png"
exit 0
