#!/bin/bash
# GUI test of the launcher kflwin on a virtual X display (Xvfb): the fields
# typed in, the device chosen and the output-window box set make kflrun's
# command line; a failed start shows its message box; Quit ends the launcher.
#
#   launcher_gui_test.sh <kflwin>
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -u
kflwin=$(realpath "$1")

. "$(dirname "$0")/gui_common.sh"
run_inside_xvfb 300 "xvfb-run xauth xdotool" "$0" "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset KORVAN_CONSOLE
status=0
fail() {
    echo "FAIL: $*"
    status=1
}
# A stand-in kflrun in the installation directory's "win" records its words.
mkdir -p install/win
cat > install/win/kflrun <<EOS
#!/bin/sh
echo "words: \$*" >> "$work/started.txt"
EOS
chmod +x install/win/kflrun

# Waits (at most 60 s) for a visible window whose title matches.
find_window() {
    local i id
    for i in $(seq 1 300); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        [ -n "$id" ] && { echo "$id"; return 0; }
        sleep 0.2
    done
    return 1
}
wait_for_lines() {  # wait_for_lines <file> <count>
    local i
    for i in $(seq 1 300); do
        [ "$(wc -l < "$1" 2>/dev/null || echo 0)" -ge "$2" ] && return 0
        sleep 0.2
    done
    return 1
}

KORVAN=$work/install "$kflwin" > launcher.out 2>&1 &
pid=$!
if ! win=$(find_window '^KFL 2.2$'); then
    echo "FAIL: no launcher window"
    kill "$pid" 2>/dev/null
    exit 1
fi
xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
sleep 0.5
# Focus order: script, data file, device list, include file, arguments, box, Quit, OK.
xdotool type --delay 20 'demo.kfl'
xdotool key Tab
xdotool type --delay 20 'd.kdf'
xdotool key Tab Down Down Down Down Down Tab Tab
xdotool type --delay 20 'x y'
xdotool key Tab space Tab Tab space
wait_for_lines started.txt 1 || fail "OK started nothing"
[ "$(sed -n 1p started.txt)" = "words: demo.kfl -F=d.kdf -D=POST -o x y" ] ||
    fail "first start: $(sed -n 1p started.txt)"
# OK again starts another kflrun; Shift+Tab to Quit ends the launcher.
xdotool key space
wait_for_lines started.txt 2 || fail "a second OK started nothing"
xdotool key shift+Tab space
for i in $(seq 1 150); do
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.2
done
if kill -0 "$pid" 2>/dev/null; then
    fail "Quit did not end the launcher"
    kill "$pid"
fi
wait "$pid"
rc=$?
[ "$rc" = 0 ] || fail "the launcher ended with $rc"

# Without kflrun in the installation directory the start fails with its message.
KORVAN=$work/nowhere "$kflwin" > failed.out 2>&1 &
pid=$!
if win=$(find_window '^KFL 2.2$'); then
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
    sleep 0.5
    xdotool key shift+Tab space
    find_window '^KFL$' > /dev/null || fail "no message box after a failed start"
else
    fail "no second launcher window"
fi
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $status
