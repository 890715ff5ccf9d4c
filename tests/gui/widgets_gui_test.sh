#!/bin/bash
# GUI tests of the dialog widgets on a virtual X display (Xvfb): KFL scripts
# open dialogs, xdotool clicks and types into them, and the values the
# scripts print afterwards are checked. A screenshot of the first dialog must
# show its widgets where the layout rules put them.
#
#   widgets_gui_test.sh <x_helper> <kflrun> <examples directory> <data directory>
# Exits 77 (skipped) when Xvfb, xdotool or xwd is missing.
set -u
helper=$(realpath "$1")
kflrun=$(realpath "$2")
examples=$(realpath "$3")
data=$(realpath "$4")

. "$(dirname "$0")/gui_common.sh"
run_inside_xvfb 800 "xvfb-run xauth xdotool xwd" "$0" "$@"

enter_work_directory

# Whether no visible window has the title.
window_gone() { [ -z "$(xdotool search --onlyvisible --name "$1" 2>/dev/null)" ]; }
# The output of a script as printed lines without the leading blanks.
printed() { sed 's/^ *//; s/ *$//' "$1"; }

# FLTK's colours: white fields, the navy selection bar, the grey background.
WHITE=FFFFFF
NAVY=000080

# 1. A vertical dialog: its layout on the screen, then a text typed, a list
#    item, a scale, a radio item and a push button whose callback prints,
#    reads the typed text and sets the check button; OK ends it.
cat > settings.kfl <<'EOF'
%KFL  a dialog of every kind of control
SWGTIT('Plot settings')
SWGHLP('Choose well.')
SWGWTH(30)
ID = WGINI('VERT')
IDT = WGTXT(ID, 'initial')
IDL = WGLIS(ID, 'Red|Green|Blue', 1)
IDS = WGSCL(ID, 'Width', 0, 10, 5, 1)
IDC = WGBUT(ID, 'Grid', 0)
IDB = WGBOX(ID, 'Lines|Points|Both', 1)
IDP = WGPBUT(ID, 'Press')
INT IRAY[1]
SWGCB(IDP, 'pressed', IRAY)
IDO = WGOK(ID)
WGFIN()
T = GWGTXT(IDT)
L = GWGLIS(IDL)
S = GWGSCL(IDS)
C = GWGBUT(IDC)
B = GWGBOX(IDB)
PRINT 'text', T
PRINT 'list', L
PRINT 'scale', S
PRINT 'check', C
PRINT 'box', B
PRINT 'pressed', IRAY[0]
EOF
cat > pressed.kfl <<'EOF'
%KFL
SUBROUTINE PRESSED (ID, COUNT)
EXTERN IDT, IDC
T = GWGTXT(IDT)
PRINT 'callback', ID, T
SWGBUT(IDC, 1)
COUNT[0] = COUNT[0] + 1
END
EOF
if start_with_window settings '^Plot settings$' "the dialog window appears with its title" "$kflrun" settings.kfl &&
    screenshot_until "$wid" settings.xwd shows_area "$NAVY" 100; then
    "$helper" png settings.xwd settings.png
    [ -n "${KORVAN_KEEP_PICTURES:-}" ] && cp settings.png "$KORVAN_KEEP_PICTURES/dialog-screenshot.png"
    read -r width height < <("$helper" size settings.xwd)
    # The selected list row is one line high: the line height of the layout.
    read -r sx sy sw lh _ < <("$helper" boxes settings.xwd "$NAVY" 100 | head -1)
    # The window is the right extent (2 + 30 characters) plus 2 characters wide.
    cw=$((width / 34))
    check "window width of 34 characters ($width pixels)" test $((cw * 34)) = "$width"
    # Text field and list: white areas (the list with its selected row).
    mapfile -t fields < <("$helper" boxes settings.xwd "$WHITE,$NAVY" 1000)
    check "two white fields: the text field and the list (${#fields[@]})" test "${#fields[@]}" = 2
    read -r tx ty tw th _ <<< "${fields[0]:-0 0 0 0 0}"
    read -r lx ly lw lhh _ <<< "${fields[1]:-0 0 0 0 0}"
    # Controls start 2 characters in and are 30 characters wide (less the
    # 2-pixel borders of the fields).
    check "text field at the left pad, 30 characters wide" test "$tx $tw" = "$((2 * cw + 2)) $((30 * cw - 4))"
    check "text field 1.5 lines high" test "$th" = $((lh * 3 / 2 - 4))
    top=$((ty - 2 - lh / 2))  # the client area's top below the menu bar
    list_y=$((top + lh / 2 + lh * 3 / 2 + lh / 2))
    check "list half a line below the text field" test "$ly" = $((list_y + 2))
    check "list of 3 items 4 lines high" test "$lhh" = $((4 * lh - 4))
    check "first list item selected" test "$sy" = $((list_y + 2))
    check "the initial text is shown in the field" test "$("$helper" boxes settings.xwd 000000 1 | awk -v y0="$ty" \
        -v y1=$((ty + th)) -v x1=$((tx + tw)) '$2 >= y0 && $2 < y1 && $1 < x1' | wc -l)" -ge 5
    scale_y=$((list_y + 4 * lh + lh / 2))
    check_y=$((scale_y + lh * 7 / 2 + lh / 2))
    radio_y=$((check_y + lh + lh / 2))
    push_y=$((radio_y + 3 * (lh + lh / 2)))
    ok_y=$((push_y + lh * 3 / 2 + lh / 2))
    check "window height: the OK button's bottom and half a line" test "$height" = $((ok_y + lh * 3 / 2 + lh / 2))
    # The check box and the two radio circles not chosen are small white areas
    # in the lines the layout gives them.
    mapfile -t small < <("$helper" boxes settings.xwd "$WHITE" 30 400)
    centre_of() { read -r _ y _ h _ <<< "$1"; echo $((y + h / 2)); }
    check "check box and two empty radio circles (${#small[@]})" test "${#small[@]}" = 3
    in_line() { [ "$1" -ge "$2" ] && [ "$1" -lt $(($2 + lh)) ]; }
    check "check box in its line" in_line "$(centre_of "${small[0]:-0 0 0 0 0}")" "$check_y"
    check "second radio item in its line" in_line "$(centre_of "${small[1]:-0 0 0 0 0}")" $((radio_y + lh * 3 / 2))
    check "third radio item in its line" in_line "$(centre_of "${small[2]:-0 0 0 0 0}")" $((radio_y + 3 * lh))

    # Type a title, pick Blue, two steps right on the scale, choose Both.
    x=$((tx + tw / 2))
    click "$wid" "$x" $((ty + th / 2))
    xdotool key ctrl+a
    xdotool type --delay 30 'Typed title'
    click "$wid" "$x" $((list_y + 2 + lh * 5 / 2))
    bar_y=$((scale_y + lh + lh / 4 + lh / 2))
    click "$wid" $((tx + tw - lh / 2)) "$bar_y"
    click "$wid" $((tx + tw - lh / 2)) "$bar_y"
    click "$wid" "$x" $((radio_y + 3 * lh + lh / 2))
    # The push button: its callback prints what the field shows now.
    click "$wid" "$x" $((push_y + lh * 3 / 4))
    check "the callback runs while the window is open" wait_for_line -x settings.out ' *Typed title'
    check "the callback got the button's ID" grep -qx ' *10 *' settings.out
    # The callback's SWGBUT shows on the screen: the check box holds its mark.
    sleep 0.5
    xwd -silent -id "$wid" -out after.xwd
    check "the check box shows the callback's mark" \
        test "$("$helper" boxes after.xwd "$WHITE" 100 100 | wc -l)" = 0
    # Help shows its text in a box titled with the window's title.
    click "$wid" $((7 * cw)) $((top / 2))
    box=""
    for i in $(seq 1 150); do
        box=$(xdotool search --onlyvisible --name '^Plot settings$' 2>/dev/null | grep -v "^$wid$" | head -1)
        [ -n "$box" ] && break
        sleep 0.2
    done
    check "Help opens a message box titled with the window title" test -n "$box"
    if [ -n "$box" ]; then
        focus "$box"
        xdotool key Return
        sleep 0.5
    fi
    click "$wid" "$x" $((ok_y + lh * 3 / 4))
fi
wait_end "$pid"
check "OK ends the dialog and the script (exit $rc)" test "$rc" = 0
check "after OK the typed text is read" grep -qx ' *Typed title' settings.out
expected='text
Typed title
list
3
scale
5.200000
check
1
box
3
pressed
1'
check "the script prints what was chosen" test "$(printed settings.out | sed -n '/^text$/,$p')" = "$expected"
[ "$failed" = 0 ] || { echo "--- settings.out"; cat settings.out; cat settings.err; }

# 2. Lists of 8 and 9 items (only the second gets a scroll bar), a popup
#    menu whose item has a callback, the Escape key that closes nothing, and
#    the close box: the typed text is not taken, the field keeps its first text.
cat > closed.kfl <<'EOF'
%KFL  lists, a popup menu and the close box
SWGTIT('Closed dialog')
SWGPOP('NOOK')
SWGPOP('NOQUIT')
SWGPOP('NOHELP')
ID = WGINI('VERT')
IDM = WGPOP(ID, 'Actions')
IDI = WGAPP(IDM, 'Say hello')
INT IRAY[1]
SWGCB(IDI, 'hello', IRAY)
IDT = WGTXT(ID, 'first text')
IDA = WGLIS(ID, '1|2|3|4|5|6|7|8', 1)
IDB = WGLIS(ID, '1|2|3|4|5|6|7|8|9', 1)
WGFIN()
T = GWGTXT(IDT)
PRINT 'kept', T
EOF
cat > hello.kfl <<'EOF'
%KFL
SUBROUTINE HELLO (ID, A)
PRINT 'hello from', ID
END
EOF
if start_with_window closed '^Closed dialog$' "second dialog appears" "$kflrun" closed.kfl &&
    screenshot_until "$wid" closed.xwd shows_area "$NAVY" 100; then
    mapfile -t fields < <("$helper" boxes closed.xwd "$WHITE,$NAVY" 1000)
    check "a text field and two lists (${#fields[@]})" test "${#fields[@]}" = 3
    read -r tx ty tw th _ <<< "${fields[0]:-0 0 0 0 0}"
    read -r ax ay aw ah _ <<< "${fields[1]:-0 0 0 0 0}"
    read -r bx by bw bh _ <<< "${fields[2]:-0 0 0 0 0}"
    read -r _ _ _ lh _ < <("$helper" boxes closed.xwd "$NAVY" 100 | head -1)
    check "8 items: 9 lines high" test "$ah" = $((9 * lh - 4))
    check "9 items: scrolled, also 9 lines high" test "$bh" = $((9 * lh - 4))
    check "8 items: no scroll bar, as wide as the text field" test "$aw" = "$tw"
    check "9 items: a scroll bar takes its right side ($bw of $tw)" test "$bw" -le $((tw - 10))
    # Actions > Say hello: the popup item's callback.
    click "$wid" 15 8
    xdotool key Down Return
    check "the popup menu item runs its callback" wait_for_line -x closed.out ' *3 *'
    click "$wid" $((tx + tw / 2)) $((ty + th / 2))
    xdotool key ctrl+a
    xdotool type --delay 30 'not confirmed'
    xdotool key Escape
    sleep 0.5
    check "Escape does not close the dialog" test -n "$(xdotool search --onlyvisible --name '^Closed dialog$')"
    "$helper" close "$wid"
fi
wait_end "$pid"
check "the close box ends the dialog (exit $rc)" test "$rc" = 0
check "after the close box the field keeps its first text" test "$(printed closed.out)" = "hello from
3
kept
first text"

# 3. Quit in the menu of a nested dialog ends the whole program.
cat > nested.kfl <<'EOF'
%KFL  Quit inside a nested dialog
SWGTIT('Outer')
ID = WGINI('VERT')
IDP = WGPBUT(ID, 'More')
INT IRAY[1]
SWGCB(IDP, 'more', IRAY)
WGFIN()
PRINT 'not reached'
EOF
cat > more.kfl <<'EOF'
%KFL
SUBROUTINE MORE (ID, A)
PRINT 'nested'
SWGTIT('Inner')
ID2 = WGINI('VERT')
IDL = WGLAB(ID2, 'Quit ends everything')
WGFIN()
PRINT 'not reached either'
END
EOF
if start_with_window nested '^Outer$' "outer dialog appears" "$kflrun" nested.kfl &&
    screenshot_until "$wid" outer.xwd shows_area C0C0C0 1000; then
    read -r width height < <("$helper" size outer.xwd)
    click "$wid" $((width / 2)) $((height - 20))
    inner=$(find_window '^Inner$' "$pid")
    check "the callback opens the nested dialog" test -n "$inner"
    if [ -n "$inner" ]; then
        sleep 0.3
        # Exit > Quit: the menu opens on the click, Down Down reaches Quit.
        click "$inner" 15 8
        xdotool key Down Down Return
    fi
fi
wait_end "$pid"
check "Quit in the nested dialog ends the program (exit $rc)" test "$rc" = 0
check "nothing after Quit runs" test "$(printed nested.out)" = "nested"

# 4. The File menu of a file field opens the file chooser; a command button
#    starts its command without waiting.
touch chosen.kdf
cat > files.kfl <<'EOF'
%KFL  a file field and a command button
SWGTIT('Files')
SWGPOP('NOOK')
SWGPOP('NOQUIT')
SWGPOP('NOHELP')
ID = WGINI('VERT')
IDF = WGFIL(ID, 'Data file', 'old.kdf', '*.kdf')
IDC = WGCMD(ID, 'Touch', 'touch started.txt')
IDO = WGOK(ID)
WGFIN()
F = GWGFIL(IDF)
PRINT 'file', F
EOF
if start_with_window files '^Files$' "file dialog appears" "$kflrun" files.kfl &&
    screenshot_until "$wid" files.xwd shows_area "$WHITE" 1000; then
    read -r width height < <("$helper" size files.xwd)
    read -r tx ty tw th _ < <("$helper" boxes files.xwd "$WHITE" 1000 | head -1)
    lh=$(((th + 4) * 2 / 3))
    # The command button below the field, the OK button at the bottom.
    click "$wid" $((tx + tw / 2)) $((ty + th + 2 + lh / 2 + lh * 3 / 4))
    for i in $(seq 1 100); do [ -e started.txt ] && break; sleep 0.2; done
    check "the command button starts its command" test -e started.txt
    # File (the only menu) > Data file.
    click "$wid" 15 8
    xdotool key Down Return
    chooser=$(find_window '^Data file$' "$pid")
    check "the File menu entry opens the file chooser titled with its label" test -n "$chooser"
    if [ -n "$chooser" ]; then
        sleep 0.5
        focus "$chooser"
        # The chooser shows the directory; a "/" typed would change it.
        xdotool key End shift+Home
        xdotool type --delay 30 chosen.kdf
        xdotool key Return
        poll 150 0.2 window_gone '^Data file$'
    fi
    sleep 0.5
    click "$wid" $((tx + tw / 2)) $((height - lh / 2 - lh * 3 / 4))
fi
wait_end "$pid"
check "OK ends the file dialog (exit $rc)" test "$rc" = 0
check "the chosen file is in the field" test "$(printed files.out)" = "file
$work/chosen.kdf"

# 5. The standard dialogs: Yes/No with its default, a text and a list.
cat > standard.kfl <<'EOF'
%KFL  standard dialogs
SWGTIT('Question')
N = DWGBUT('Print it?', 0)
PRINT 'answer', N
T = DWGTXT('Title', 'old')
PRINT 'title', T
N = DWGLIS('Colour', 'Red|Green|Blue', 1)
PRINT 'item', N
EOF
if start_with_window standard '^Question$' "DWGBUT shows a box titled with the window title" "$kflrun" standard.kfl; then
    sleep 0.3
    focus "$wid"
    xdotool key Return  # the default: No
fi
box=$(find_window '^Title$' "$pid")
check "DWGTXT shows its window" test -n "$box"
if [ -n "$box" ]; then
    sleep 0.3
    focus "$box"
    xdotool key ctrl+a
    xdotool type --delay 30 'New title'
    xdotool key Return
fi
box=$(find_window '^Colour$' "$pid")
check "DWGLIS shows its window" test -n "$box"
if [ -n "$box" ] && screenshot_until "$box" list.xwd shows_area "$NAVY" 100; then
    read -r sx sy sw lh _ < <("$helper" boxes list.xwd "$NAVY" 100 | head -1)
    click "$box" $((sx + sw / 2)) $((sy + 2 * lh + lh / 2))
    focus "$box"
    xdotool key Return
fi
wait_end "$pid"
check "the standard dialogs end (exit $rc)" test "$rc" = 0
check "the answers are printed" test "$(printed standard.out)" = "answer
0
title
New title
item
3"

# 6. A dialog placed far off the screen and far larger than it is shown on
#    the screen, at most as large as the screen.
cat > huge.kfl <<'EOF'
%KFL  a window far beyond the screen
SWGTIT('Huge')
SWGWIN(50000, -50000, 100000, 100000)
ID = WGINI('FORM')
L = WGLAB(ID, 'far away')
WGFIN()
PRINT 'closed'
EOF
if start_with_window huge '^Huge$' "a huge dialog is shown" "$kflrun" huge.kfl &&
    screenshot_until "$wid" huge.xwd shows_area C0C0C0 1000; then
    check "the huge dialog fills the screen at most" test "$("$helper" size huge.xwd)" = "1024 768"
    "$helper" close "$wid"
fi
wait_end "$pid"
check "the huge dialog closes (exit $rc)" test "$rc" = 0
check "the script goes on after it" test "$(printed huge.out)" = "closed"

# 7. Exit > OK in the menu takes the typed text; the Quit button ends the program.
cat > menu_ok.kfl <<'EOF'
%KFL  the OK menu entry and the Quit button
SWGTIT('Menu OK')
ID = WGINI('VERT')
IDT = WGTXT(ID, 'first')
WGFIN()
T = GWGTXT(IDT)
PRINT 'menu ok', T
SWGTIT('Quit button')
ID = WGINI('VERT')
IDQ = WGQUIT(ID)
WGFIN()
PRINT 'not reached'
EOF
if start_with_window menu_ok '^Menu OK$' "the OK menu dialog appears" "$kflrun" menu_ok.kfl &&
    screenshot_until "$wid" menu_ok.xwd shows_area "$WHITE" 1000; then
    read -r tx ty tw th _ < <("$helper" boxes menu_ok.xwd "$WHITE" 1000 | head -1)
    click "$wid" $((tx + tw / 2)) $((ty + th / 2))
    xdotool key ctrl+a
    xdotool type --delay 30 'taken by the menu'
    click "$wid" 15 8
    xdotool key Down Return
fi
wid=$(find_window '^Quit button$' "$pid")
check "the Quit button dialog appears" test -n "$wid"
if [ -n "$wid" ] && screenshot_until "$wid" quit.xwd shows_area C0C0C0 1000; then
    read -r width height < <("$helper" size quit.xwd)
    click "$wid" $((width / 2)) $((height - 20))
fi
wait_end "$pid"
check "the Quit button ends the program (exit $rc)" test "$rc" = 0
check "the OK menu entry took the typed text; nothing ran after Quit" test "$(printed menu_ok.out)" = "menu ok
taken by the menu"

# 8. The dialog example on the screen: Green chosen, OK, and the plot window
#    shows the data in the rainbow table's green.
cp "$data/measurements.kdf" .
if start_with_window example '^Plot a data file$' "the example's dialog appears" "$kflrun" "$examples/dialog.kfl" &&
    screenshot_until "$wid" example.xwd shows_area "$NAVY" 100; then
    read -r width height < <("$helper" size example.xwd)
    read -r _ sy _ lh _ < <("$helper" boxes example.xwd "$NAVY" 100 | head -1)
    click "$wid" $((width / 2)) $((sy + lh + lh / 2))
    click "$wid" $((width / 2)) $((height - lh / 2 - lh * 3 / 4))
fi
plot=$(find_window '^KORVAN 1 / Click MB2 to continue \.\.\.$' "$pid")
check "the example plots into a window" test -n "$plot"
if [ -n "$plot" ]; then
    check "the curve is drawn in green" screenshot_until "$plot" plot.xwd shows_area 20FF1F 100
    xdotool mousemove --window "$plot" 200 200 click 3
fi
wait_end "$pid"
check "the example ends after the plot (exit $rc)" test "$rc" = 0
check "the example prints the chosen colour" grep -qx ' *Colour   : Green' example.out

# No run wrote anything to standard error (the sanitizer build reports there).
for err in *.err; do
    check "nothing on standard error of ${err%.err}" test ! -s "$err"
    [ -s "$err" ] && head -20 "$err"
done

echo "widgets gui: $passed passed, $failed failed"
[ "$failed" = 0 ]
