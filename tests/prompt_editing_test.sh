#!/bin/bash
# The KFL> prompt on a terminal, driven through tmux: line editing, the history
# kept between sessions in ~/.kfl_history, and Tab completion of keywords,
# routine names and variable names.
#   prompt_editing_test.sh <kflrun>
set -u
kflrun=$(realpath "$1")
command -v tmux >/dev/null || { echo "tmux is missing: the prompt cannot be driven"; exit 77; }
work=$(mktemp -d)
socket="korvan_prompt_$$"
trap 'tmux -L "$socket" kill-server 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home
mkdir -p "$HOME"
status=0
fail() {
    echo "FAIL: $*"
    echo "--- the screen:"
    screen
    status=1
}
screen() { tmux -L "$socket" capture-pane -p -t kfl; }
keys() { tmux -L "$socket" send-keys -t kfl "$@"; }
# Waits until the screen shows the pattern (a grep expression) in `count` lines.
wait_for() {
    local pattern=$1 count=${2:-1}
    for _ in $(seq 100); do
        [ "$(screen | grep -c -- "$pattern")" -ge "$count" ] && return 0
        sleep 0.1
    done
    return 1
}
start() {
    tmux -L "$socket" new-session -d -s kfl -x 100 -y 40 \
        "cd '$work' && env -u KORVAN -u KFL_PATH HOME='$HOME' KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none '$kflrun'; sleep 30"
    wait_for '^KFL>' || fail "no prompt"
}

start
# Editing: a letter put in front with Ctrl-A, a sign inserted after moving left.
keys 'RINT 12' C-a 'P' End Left '+' Enter
wait_for '^ *3 *$' || fail "the edited line PRINT 1+2 did not print 3"
# History: Up brings the last line back.
keys 'ZETA9 = 40' Enter
wait_for '^KFL> ZETA9 = 40' || fail "no echo of the assignment"
keys Up Up Enter
wait_for '^ *3 *$' 2 || fail "Up Up did not repeat PRINT 1+2"
# Completion: a variable name, a routine name, a keyword in lower case.
keys 'PRINT ZET' Tab ' + 2' Enter
wait_for '^ *42 *$' || fail "PRINT ZET<Tab> + 2 did not complete ZETA9"
keys 'NEWPA' Tab
wait_for '^KFL> NEWPAG$' || fail "NEWPA<Tab> is not NEWPAG"
keys C-u 'prin' Tab ' 7' Enter
wait_for '^ *7 *$' || fail "prin<Tab> did not complete to print"
# Several names fit: they are listed and the line stays.
keys 'PLOT3' Tab
wait_for 'PLOT3  *PLOT3R' || fail "PLOT3<Tab> did not list PLOT3 and PLOT3R"
keys C-u 'EXIT' Enter
for _ in $(seq 50); do
    [ -f "$HOME/.kfl_history" ] && grep -q '^EXIT$' "$HOME/.kfl_history" && break
    sleep 0.1
done
tmux -L "$socket" kill-session -t kfl 2>/dev/null

want='PRINT 1+2
ZETA9 = 40
PRINT 1+2
PRINT ZETA9 + 2
print 7
EXIT'
[ "$(cat "$HOME/.kfl_history" 2>&1)" = "$want" ] || { echo "FAIL: ~/.kfl_history holds:"; cat "$HOME/.kfl_history"; status=1; }

# A new session finds the history of the last one.
start
keys Up Up
wait_for '^KFL> print 7' || fail "the history of the last session is not there"
keys C-u 'EXIT' Enter
exit $status
