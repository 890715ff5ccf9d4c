#!/bin/bash
# Runs the dialog example in the terminal console twice, in a fresh temporary
# directory beside a copy of the shipped data: once driven through standard
# input (another colour and title, then OK), once with no input at all (the
# close box: the dialog's first values stay). Each run must print the chosen
# values and leave a window picture whose curve has the chosen colour.
#
#   dialog_example_test.sh <kflrun> <dialog.kfl> <data directory> <picture_stats.py>
set -u
kflrun=$(realpath "$1")
script=$(realpath "$2")
data=$(realpath "$3")
stats=$(realpath "$4")

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
cp "$data/measurements.kdf" .
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# Pixels of a picture in which one channel (0 red, 1 green, 2 blue) is strong
# and the two others weak: the colour table's shade of that colour.
count_colour() {
    python3 - "$stats" "$1" "$2" <<'EOF'
import importlib.util, sys
spec = importlib.util.spec_from_file_location('picture_stats', sys.argv[1])
stats = importlib.util.module_from_spec(spec)
spec.loader.exec_module(stats)
width, height, rows = stats.read_png_rgb(sys.argv[2])
k = int(sys.argv[3])
count = 0
for row in rows:
    for x in range(width):
        p = row[3 * x:3 * x + 3]
        count += p[k] >= 200 and all(p[j] <= 60 for j in range(3) if j != k)
print(count)
EOF
}

run() {  # run <name> <input text>
    printf '%s' "$2" | env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
        timeout 60 "$kflrun" "$script" > "$1.out" 2> "$1.err"
    local rc=$?
    [ "$rc" = 0 ] || fail "$1: exit code $rc"
    [ -s "$1.err" ] && fail "$1: standard error: $(head -5 "$1.err")"
    grep -q '>>>>' "$1.out" && fail "$1: messages: $(grep '>>>>' "$1.out")"
    grep -q '^ Warnings *: *0$' "$1.out" || fail "$1: no end protocol without warnings"
    if [ -s korvan_win1.png ]; then
        mv korvan_win1.png "$1.png"
    else
        fail "$1: no window picture"
    fi
}

run chosen $'5.3\n7 Pressure at the station\nok\n'
grep -qx '     Data file: measurements.kdf' chosen.out || fail "chosen: data file line"
grep -qx '     Colour   : Blue' chosen.out || fail "chosen: colour line"
grep -qx '     Title    : Pressure at the station' chosen.out || fail "chosen: title line"
if [ -s chosen.png ]; then
    blue=$(count_colour chosen.png 2)
    red=$(count_colour chosen.png 0)
    # The curve crosses the axis system: several hundred pixels in its colour.
    [ "${blue:-0}" -ge 300 ] || fail "chosen: only ${blue:-0} blue pixels"
    [ "${red:-1}" = 0 ] || fail "chosen: $red red pixels"
fi

run closed ''
grep -qx '     Colour   : Red' closed.out || fail "closed: colour line"
grep -qx '     Title    : Temperature' closed.out || fail "closed: title line"
if [ -s closed.png ]; then
    red=$(count_colour closed.png 0)
    [ "${red:-0}" -ge 300 ] || fail "closed: only ${red:-0} red pixels"
fi
[ "$status" = 0 ] || { echo "--- chosen.out"; cat chosen.out; }
exit $status
