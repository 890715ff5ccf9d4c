#!/bin/bash
# GUI tests of the screen windows on a virtual X display (Xvfb):
# a plot window shows its drawing and ends its wait on a right-button release,
# the output window shows printed text, takes a typed line and ends the
# program when closed, and kflrun runs in the window console.
#
#   run_gui_tests.sh <win_gui_probe> <x_helper> <kflrun>
# Exits 77 (skipped) when Xvfb, xdotool or xwd is missing.
set -u
probe=$(realpath "$1")
helper=$(realpath "$2")
kflrun=$(realpath "$3")

. "$(dirname "$0")/gui_common.sh"
run_inside_xvfb 800 "xvfb-run xauth xdotool xwd" "$0" "$@"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
unset KORVAN_DISPLAY KORVAN_SCREEN KORVAN_SCREEN_BPP
export KORVAN_CONSOLE=terminal

# The waits below are generous: a loaded machine may take its time to start
# a program or to paint a window, and each wait ends as soon as it can.
# Waits (at most 60 s) until a file contains a line.
wait_for_line() {
    local i
    for i in $(seq 1 300); do
        grep -qF -- "$2" "$1" 2>/dev/null && return 0
        sleep 0.2
    done
    return 1
}
# Screenshots a window into a file until it has at least <n> pixels of a colour
# (the program may still be painting; at most 30 s); prints the last count.
count_on_screen() {  # count_on_screen <window> <file> <RRGGBB> <n>
    local i count=0
    for i in $(seq 1 60); do
        if xwd -silent -id "$1" -out "$2" 2>/dev/null; then
            count=$("$helper" count "$2" "$3" 2>/dev/null)
            [ "${count:-0}" -ge "$4" ] && break
        fi
        sleep 0.5
    done
    echo "${count:-0}"
}
at_least() { [ "${1:-0}" -ge "$2" ]; }

# 1. A plot window shows the drawing; only a right-button release ends the wait.
timeout 120 "$probe" plot > plot.out 2> plot.err &
pid=$!
wid=$(find_window '^KORVAN 1 / Click MB2 to continue \.\.\.$' "$pid")
check "plot window appears with the end-of-plot title" test -n "$wid"
if [ -n "$wid" ]; then
    check "filled rectangle on the screen" at_least "$(count_on_screen "$wid" plot.xwd FF0000 19000)" 19000
    check "window of 682 x 482 pixels" test "$("$helper" size plot.xwd)" = "682 482"
    check "lines on the screen" at_least "$("$helper" count plot.xwd 0000FF)" 1000
    xdotool mousemove --window "$wid" 400 300 click 1
    sleep 0.7
    check "a left click does not end the wait" kill -0 "$pid"
    xdotool mousemove --window "$wid" 400 300 click 3
fi
wait "$pid"
rc=$?
check "plot probe ends normally (exit $rc)" test "$rc" = 0
check "right-button release ended the wait" grep -qx "wait ended" plot.out

# 1b. An 8-bit screen folds colour 2 onto palette entry 1 (colour 1, red).
KORVAN_SCREEN_BPP=8 timeout 120 "$probe" plot > plot8.out 2> plot8.err &
pid=$!
wid=$(find_window '^KORVAN 1 / Click MB2 to continue \.\.\.$' "$pid")
if [ -n "$wid" ]; then
    check "8-bit screen: lines in the folded colour" at_least "$(count_on_screen "$wid" plot8.xwd FF0000 20500)" 20500
    check "8-bit screen: no colour outside the folded palette" test "$("$helper" count plot8.xwd 0000FF)" = 0
    xdotool mousemove --window "$wid" 400 300 click 3
fi
wait "$pid"
check "8-bit plot window appears and ends on the right button" grep -qx "wait ended" plot8.out

# 1c. A plot drawn through the plotting kernel (METAFL XWIN ... KORFIN).
kernel_probe="$(dirname "$probe")/kernel_gui_probe"
if [ -x "$kernel_probe" ]; then
    timeout 120 "$kernel_probe" > kernel.out 2> kernel.err &
    pid=$!
    wid=$(find_window '^KORVAN 1 / Click MB2 to continue \.\.\.$' "$pid")
    check "kernel plot window appears with the end-of-plot title" test -n "$wid"
    if [ -n "$wid" ]; then
        check "kernel plot shows its page border" at_least "$(count_on_screen "$wid" kernel.xwd FFFFFF 2000)" 2000
        check "kernel plot window of 682 x 482 pixels" test "$("$helper" size kernel.xwd)" = "682 482"
        check "kernel plot shows its red diagonals" at_least "$("$helper" count kernel.xwd FF0000)" 1300
        xdotool mousemove --window "$wid" 400 300 click 3
    fi
    wait "$pid"
    check "kernel plot ends on the right button" grep -q "wait ended$" kernel.out
else
    echo "SKIPPED: kernel plot ($kernel_probe is not built)"
fi

# 1d. A KFL script run by kflrun plots into XWIN; the right button ends its
# end-of-plot wait and kflrun ends with 0 and its end protocol.
cat > xplot.kfl <<'EOF'
%KFL  a plot on the screen
METAFL('XWIN')
KORINI()
PAGERA()
GRAF(0, 10, 0, 2, 0, 10, 0, 2)
FLOAT X[2]
X[1] = 10
CURVE(X, X, 2)
HWFONT()
HEIGHT(60)
MESSAG('Screen font', 400, 350)
ANGLE(90)
MESSAG('Turned', 2600, 1500)
KORFIN()
EOF
timeout 120 "$kflrun" xplot.kfl > xplot.out 2> xplot.err &
pid=$!
wid=$(find_window '^KORVAN 1 / Click MB2 to continue \.\.\.$' "$pid")
check "the script's plot window appears" test -n "$wid"
if [ -n "$wid" ]; then
    # Page border, axis system and the diagonal curve in white on black.
    check "the script's plot is on the screen" at_least "$(count_on_screen "$wid" xplot.xwd FFFFFF 4000)" 4000
    check "the script waits for the click" kill -0 "$pid"
    check "nothing is printed before the click" test ! -s xplot.out
    xdotool mousemove --window "$wid" 400 300 click 3
fi
wait "$pid"
rc=$?
check "the script ends after the right button (exit $rc)" test "$rc" = 0
check "the script's end protocol is printed" grep -q "^ Warnings *: *0$" xplot.out
check "the script writes no window picture on a display" test -z "$(ls korvan_win*.png 2>/dev/null)"
# Without a display the same script leaves the same picture, hardware text included.
KORVAN_DISPLAY=none KORVAN_SCREEN=1024x768 timeout 120 "$kflrun" xplot.kfl > xplot_headless.out 2>&1
if [ -s xplot.xwd ] && "$helper" png xplot.xwd xplot_screen.png; then
    check "the screen shows the headless picture pixel for pixel" cmp -s xplot_screen.png korvan_win1.png
fi

# 2. The output window: printed text, a typed line with its echo, closing.
mkdir -p console_home
HOME=$PWD/console_home KORVAN_CONSOLE=window timeout 120 "$probe" console > console.out 2> console.err &
pid=$!
wid=$(find_window '^KFL$' "$pid")
check "output window KFL appears" test -n "$wid"
if [ -n "$wid" ] && wait_for_line console.out "ready"; then
    check "output window shows text" at_least "$(count_on_screen "$wid" console.xwd 000000 200)" 200
    xdotool windowsize "$wid" 500 300
    sleep 0.5
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    xdotool type --delay 30 'A = 1 + 2'
    xdotool key Return
    check "typed line is read" wait_for_line console.out "got [A = 1 + 2]"
    xdotool key Up Return
    check "Up brings the typed line back from the history" wait_for_line console.out "got again [A = 1 + 2]"
    check "the history file keeps the typed line" grep -qxF "A = 1 + 2" console_home/.kfl_history
    check "typed line is echoed" grep -qxF "ring [KFL> A = 1 + 2]" console.out
    check "the line from the history is echoed" test "$(grep -cxF "ring [KFL> A = 1 + 2]" console.out)" = 2
    check "printed text is in the output window" grep -qxF "ring [Hello from KORVAN]" console.out
    check "long lines keep 80 characters" grep -qx "ring \[L\{80\}\]" console.out
    check "resizing lays out the text area anew" test "$(grep -c '^visible ' console.out)" = 2 -a \
        "$(grep '^visible ' console.out | sort -u | wc -l)" = 2
    wait_for_line console.out "waiting for close"
    "$helper" close "$wid"
fi
wait "$pid"
rc=$?
check "closing the output window ends the program with 0 (exit $rc)" test "$rc" = 0
check "the end wait lasts until the window is closed" test -z "$(grep -x 'end returned' console.out)"

# 3. A message box is a dialog with its caption as title.
KORVAN_CONSOLE=window timeout 120 "$probe" message > message.out 2> message.err &
pid=$!
wid=$(find_window '^korini$' "$pid")
check "message box appears with its caption" test -n "$wid"
if [ -n "$wid" ]; then
    sleep 0.5
    check "the program waits for the message box" test -z "$(grep -x 'box closed' message.out)"
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    xdotool key Return
fi
wait "$pid"
rc=$?
check "confirming the message box lets the program go on (exit $rc)" grep -qx "box closed" message.out

# 3b. A message box has its caption as title, an empty one without a caption,
# and one button "OK".
for caption in "" korini; do
    KORVAN_CONSOLE=window timeout 120 "$probe" message-form "$caption" > form.out 2> form.err
    check "message box \"$caption\": title, one button OK ($(tr '\n' ' ' < form.out))" \
        test "$(cat form.out)" = "$(printf 'title [%s]\nbutton [OK]\nbox closed' "$caption")"
done

# 4. The converter's output window echoes without prompt; closing it ends nothing.
KORVAN_CONSOLE=window timeout 120 "$probe" converter > converter.out 2> converter.err &
pid=$!
wid=$(find_window '^korvan.out$' "$pid")
check "converter output window korvan.out appears" test -n "$wid"
if [ -n "$wid" ] && wait_for_line converter.out "ready"; then
    sleep 0.3
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    xdotool type --delay 30 'ps'
    xdotool key Return
    check "converter echo is the line as typed" wait_for_line converter.out "ring [converting]"
    check "converter echo has no prompt and no line end" grep -qxF "ring [ps]" converter.out
    wait_for_line converter.out "waiting for close"
    "$helper" close "$wid"
fi
wait "$pid"
rc=$?
check "closing the converter's output window lets it go on (exit $rc)" grep -qx "still running" converter.out

# 4b. The output window's horizontal scroll bar: the trough beside the thumb
# moves the text by 8 characters, the arrows by one.
KORVAN_CONSOLE=window timeout 120 "$probe" scroll > scroll.out 2> scroll.err &
pid=$!
wid=$(find_window '^KFL$' "$pid")
check "scroll probe's output window appears" test -n "$wid"
if [ -n "$wid" ] && wait_for_line scroll.out "ready"; then
    xdotool windowsize "$wid" 300 300
    bar=""
    for i in $(seq 1 300); do
        bar=$(grep '^bar ' scroll.out | tail -1)
        read -r _ bx by bw bh <<< "$bar"
        [ "${bw:-999}" -lt 300 ] && break
        sleep 0.2
    done
    check "the narrowed window reports its scroll bar" test "${bw:-999}" -lt 300
    row=$((by + bh / 2))
    xdotool mousemove --window "$wid" $((bx + bw - bh - 4)) "$row" click 1
    check "the trough right of the thumb moves 8 characters on" wait_for_line scroll.out "column 8"
    xdotool mousemove --window "$wid" $((bx + bw - bh / 2)) "$row" click 1
    check "the right arrow moves one character on" wait_for_line scroll.out "column 9"
    xdotool mousemove --window "$wid" $((bx + bh + 2)) "$row" click 1
    check "the trough left of the thumb moves 8 characters back" wait_for_line scroll.out "column 1"
    "$helper" close "$wid"
fi
wait "$pid"
rc=$?
check "the scroll probe ends when its window is closed (exit $rc)" test "$rc" = 0

# 5. kflrun in the window console: the banner window takes EXIT.
KORVAN_CONSOLE=window timeout 120 "$kflrun" > kflrun.out 2> kflrun.err &
pid=$!
wid=$(find_window '^KFL$' "$pid")
check "kflrun opens its output window" test -n "$wid"
if [ -n "$wid" ]; then
    sleep 0.5
    xdotool windowfocus --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
    xdotool type --delay 30 'EXIT'
    xdotool key Return
fi
wait "$pid"
rc=$?
check "kflrun ends on a typed EXIT (exit $rc)" test "$rc" = 0
check "kflrun writes nothing to the terminal in the window console" test ! -s kflrun.out

# 6. kflrun -O with a script: the output window stays until the user closes it.
printf '%%KFL\nPRINT 12345\n' > shown.kfl
KORVAN_CONSOLE=window timeout 120 "$kflrun" -O shown.kfl > shown.out 2> shown.err &
pid=$!
wid=$(find_window '^KFL$' "$pid")
check "kflrun -O opens its output window" test -n "$wid"
if [ -n "$wid" ]; then
    check "the printed value is in the output window" at_least "$(count_on_screen "$wid" shown.xwd 000000 30)" 30
    sleep 1
    check "kflrun waits for the output window at the end of the script" kill -0 "$pid"
    "$helper" close "$wid"
fi
wait "$pid"
rc=$?
check "closing the output window ends kflrun with 0 (exit $rc)" test "$rc" = 0

echo "gui: $passed passed, $failed failed"
[ "$failed" = 0 ]
