#!/bin/bash
# GUI test of the installer kflinst on a virtual X display (Xvfb): OK in the
# welcome dialog, a directory typed into the directory dialog, the closing
# message box; Escape in the welcome dialog ends the installer.
#
#   installer_gui_test.sh <source dir> <directory of the built programs>
# Exits 77 (skipped) when Xvfb or xdotool is missing.
set -u
src=$(realpath "$1")
bin=$(realpath "$2")

. "$(dirname "$0")/gui_common.sh"
run_inside_xvfb 300 "xvfb-run xauth xdotool" "$0" "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/data
unset KORVAN_CONSOLE KORVAN_PROGMAN
mkdir -p "$HOME"
"$src/tools/make_dist.sh" "$src" "$bin" "$work/dist" > /dev/null || { echo "make_dist.sh failed"; exit 1; }
cd "$work/dist" || exit 1
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

# Prints a visible window whose title matches and whose id is not <other>;
# waits at most 60 s, less when the installer has ended.
find_window() {  # find_window <title pattern> <other id> <pid>
    local i id
    for i in $(seq 1 300); do
        for id in $(xdotool search --onlyvisible --name "$1" 2>/dev/null); do
            [ "$id" != "$2" ] && { echo "$id"; return 0; }
        done
        kill -0 "$3" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}
press() {  # press <window> <keys...>
    local win=$1
    shift
    xdotool windowactivate --sync "$win" 2>/dev/null || xdotool windowfocus --sync "$win"
    sleep 0.3
    xdotool key "$@"
}

# 1. OK, a typed directory, the closing box.
preset=$work/preset
KORVAN=$preset ./kflinst < /dev/null > install.out 2>&1 &
pid=$!
welcome=$(find_window '^KFL Setup$' none "$pid") || fail "no welcome dialog"
[ -n "$welcome" ] && press "$welcome" Return
dialog=$(find_window '^KFL Setup$' "$welcome" "$pid") || fail "no directory dialog"
if [ -n "$dialog" ]; then
    xdotool windowactivate --sync "$dialog" 2>/dev/null || xdotool windowfocus --sync "$dialog"
    sleep 0.3
    # The field holds the preset; it is replaced by the typed name.
    xdotool key End
    for _ in $(seq 1 ${#preset}); do xdotool key BackSpace; done
    xdotool type --delay 10 "$work/typed"
    xdotool key Return
fi
ready=$(find_window '^KFL Setup$' "$dialog" "$pid") || fail "no closing message"
[ -n "$ready" ] && press "$ready" Return
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
if kill -0 "$pid" 2>/dev/null; then
    fail "the installer did not end"
    kill "$pid"
fi
wait "$pid"
rc=$?
[ "$rc" = 0 ] || fail "installer exit code $rc: $(cat install.out)"
[ -x "$work/typed/win/kflrun" ] || fail "nothing installed into the typed directory"
[ ! -e "$preset" ] || fail "the preset directory was made"
cmp -s examples/hello.kfl "$work/typed/kfl/hello.kfl" || fail "kfl/hello.kfl not installed"
[ -f "$XDG_DATA_HOME/applications/korvan-kfl/kfl-demo.desktop" ] || fail "no menu entries"

# 2. Escape in the welcome dialog cancels.
./kflinst < /dev/null > cancel.out 2>&1 &
pid=$!
welcome=$(find_window '^KFL Setup$' none "$pid") || fail "no welcome dialog the second time"
[ -n "$welcome" ] && press "$welcome" Escape
for _ in $(seq 1 100); do kill -0 "$pid" 2>/dev/null || break; sleep 0.2; done
kill -0 "$pid" 2>/dev/null && { fail "Escape did not end the installer"; kill "$pid"; }
wait "$pid"
rc=$?
[ "$rc" = 1 ] || fail "cancelled installer exit code $rc"

exit $status
