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

enter_work_directory
plot_title='^KORVAN 1 / Click MB2 to continue \.\.\.$'

# The waits are generous: a loaded machine may take its time to start a
# program or to paint a window, and each wait ends as soon as it can.

# 1. A plot window shows the drawing; only a right-button release ends the wait.
if start_with_window plot "$plot_title" "plot window appears with the end-of-plot title" "$probe" plot; then
    check "filled rectangle on the screen" screenshot_until "$wid" plot.xwd shows_colour FF0000 19000
    check "window of 682 x 482 pixels" test "$("$helper" size plot.xwd)" = "682 482"
    check "lines on the screen" shows_colour plot.xwd 0000FF 1000
    xdotool mousemove --window "$wid" 400 300 click 1
    sleep 0.7
    check "a left click does not end the wait" kill -0 "$pid"
    xdotool mousemove --window "$wid" 400 300 click 3
fi
wait_end
check "plot probe ends normally (exit $rc)" test "$rc" = 0
check "right-button release ended the wait" grep -qx "wait ended" plot.out

# 1b. An 8-bit screen folds colour 2 onto palette entry 1 (colour 1, red).
if start_with_window plot8 "$plot_title" "8-bit screen: the plot window appears" \
    env KORVAN_SCREEN_BPP=8 "$probe" plot; then
    check "8-bit screen: lines in the folded colour" screenshot_until "$wid" plot8.xwd shows_colour FF0000 20500
    check "8-bit screen: no colour outside the folded palette" test "$("$helper" count plot8.xwd 0000FF)" = 0
    xdotool mousemove --window "$wid" 400 300 click 3
fi
wait_end
check "8-bit plot window appears and ends on the right button" grep -qx "wait ended" plot8.out

# 1c. A plot drawn through the plotting kernel (METAFL XWIN ... KORFIN).
kernel_probe="$(dirname "$probe")/kernel_gui_probe"
if [ -x "$kernel_probe" ]; then
    if start_with_window kernel "$plot_title" "kernel plot window appears with the end-of-plot title" \
        "$kernel_probe"; then
        check "kernel plot shows its page border" screenshot_until "$wid" kernel.xwd shows_colour FFFFFF 2000
        check "kernel plot window of 682 x 482 pixels" test "$("$helper" size kernel.xwd)" = "682 482"
        check "kernel plot shows its red diagonals" shows_colour kernel.xwd FF0000 1300
        xdotool mousemove --window "$wid" 400 300 click 3
    fi
    wait_end
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
if start_with_window xplot "$plot_title" "the script's plot window appears" "$kflrun" xplot.kfl; then
    # Page border, axis system and the diagonal curve in white on black.
    check "the script's plot is on the screen" screenshot_until "$wid" xplot.xwd shows_colour FFFFFF 4000
    check "the script waits for the click" kill -0 "$pid"
    check "nothing is printed before the click" test ! -s xplot.out
    xdotool mousemove --window "$wid" 400 300 click 3
fi
wait_end
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
if start_with_window console '^KFL$' "output window KFL appears" \
    env HOME=$PWD/console_home KORVAN_CONSOLE=window "$probe" console && wait_for_line -F console.out "ready"; then
    check "output window shows text" screenshot_until "$wid" console.xwd shows_colour 000000 200
    xdotool windowsize "$wid" 500 300
    sleep 0.5
    focus "$wid"
    xdotool type --delay 30 'A = 1 + 2'
    xdotool key Return
    check "typed line is read" wait_for_line -F console.out "got [A = 1 + 2]"
    xdotool key Up Return
    check "Up brings the typed line back from the history" wait_for_line -F console.out "got again [A = 1 + 2]"
    check "the history file keeps the typed line" grep -qxF "A = 1 + 2" console_home/.kfl_history
    check "typed line is echoed" grep -qxF "ring [KFL> A = 1 + 2]" console.out
    check "the line from the history is echoed" test "$(grep -cxF "ring [KFL> A = 1 + 2]" console.out)" = 2
    check "printed text is in the output window" grep -qxF "ring [Hello from KORVAN]" console.out
    check "long lines keep 80 characters" grep -qx "ring \[L\{80\}\]" console.out
    check "resizing lays out the text area anew" test "$(grep -c '^visible ' console.out)" = 2 -a \
        "$(grep '^visible ' console.out | sort -u | wc -l)" = 2
    wait_for_line -F console.out "waiting for close"
    "$helper" close "$wid"
fi
wait_end
check "closing the output window ends the program with 0 (exit $rc)" test "$rc" = 0
check "the end wait lasts until the window is closed" test -z "$(grep -x 'end returned' console.out)"

# 3. A message box is a dialog with its caption as title.
if start_with_window message '^korini$' "message box appears with its caption" \
    env KORVAN_CONSOLE=window "$probe" message; then
    sleep 0.5
    check "the program waits for the message box" test -z "$(grep -x 'box closed' message.out)"
    focus "$wid"
    xdotool key Return
fi
wait_end
check "confirming the message box lets the program go on (exit $rc)" grep -qx "box closed" message.out

# 3b. A message box has its caption as title, an empty one without a caption,
# and one button "OK".
for caption in "" korini; do
    KORVAN_CONSOLE=window timeout 120 "$probe" message-form "$caption" > form.out 2> form.err
    check "message box \"$caption\": title, one button OK ($(tr '\n' ' ' < form.out))" \
        test "$(cat form.out)" = "$(printf 'title [%s]\nbutton [OK]\nbox closed' "$caption")"
done

# 4. The converter's output window echoes without prompt; closing it ends nothing.
if start_with_window converter '^korvan.out$' "converter output window korvan.out appears" \
    env KORVAN_CONSOLE=window "$probe" converter && wait_for_line -F converter.out "ready"; then
    sleep 0.3
    focus "$wid"
    xdotool type --delay 30 'ps'
    xdotool key Return
    check "converter echo is the line as typed" wait_for_line -F converter.out "ring [converting]"
    check "converter echo has no prompt and no line end" grep -qxF "ring [ps]" converter.out
    wait_for_line -F converter.out "waiting for close"
    "$helper" close "$wid"
fi
wait_end
check "closing the converter's output window lets it go on (exit $rc)" grep -qx "still running" converter.out

# 4b. The output window's horizontal scroll bar: the trough beside the thumb
# moves the text by 8 characters, the arrows by one.
if start_with_window scroll '^KFL$' "scroll probe's output window appears" \
    env KORVAN_CONSOLE=window "$probe" scroll && wait_for_line -F scroll.out "ready"; then
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
    check "the trough right of the thumb moves 8 characters on" wait_for_line -F scroll.out "column 8"
    xdotool mousemove --window "$wid" $((bx + bw - bh / 2)) "$row" click 1
    check "the right arrow moves one character on" wait_for_line -F scroll.out "column 9"
    xdotool mousemove --window "$wid" $((bx + bh + 2)) "$row" click 1
    check "the trough left of the thumb moves 8 characters back" wait_for_line -F scroll.out "column 1"
    "$helper" close "$wid"
fi
wait_end
check "the scroll probe ends when its window is closed (exit $rc)" test "$rc" = 0

# 5. kflrun in the window console: the banner window takes EXIT.
if start_with_window kflrun '^KFL$' "kflrun opens its output window" env KORVAN_CONSOLE=window "$kflrun"; then
    sleep 0.5
    focus "$wid"
    xdotool type --delay 30 'EXIT'
    xdotool key Return
fi
wait_end
check "kflrun ends on a typed EXIT (exit $rc)" test "$rc" = 0
check "kflrun writes nothing to the terminal in the window console" test ! -s kflrun.out

# 6. kflrun -O with a script: the output window stays until the user closes it.
printf '%%KFL\nPRINT 12345\n' > shown.kfl
if start_with_window shown '^KFL$' "kflrun -O opens its output window" \
    env KORVAN_CONSOLE=window "$kflrun" -O shown.kfl; then
    check "the printed value is in the output window" screenshot_until "$wid" shown.xwd shows_colour 000000 30
    sleep 1
    check "kflrun waits for the output window at the end of the script" kill -0 "$pid"
    "$helper" close "$wid"
fi
wait_end
check "closing the output window ends kflrun with 0 (exit $rc)" test "$rc" = 0

echo "gui: $passed passed, $failed failed"
[ "$failed" = 0 ]
