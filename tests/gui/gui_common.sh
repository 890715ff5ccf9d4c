# Shell functions the GUI tests share; source this file from a test script.

# Runs the test script again inside a virtual X display (a fresh Xvfb server
# of 1024 x 768 pixels, 24 bits), unless it already runs inside one; exits 77
# (skipped) when one of the tools is missing.
#   run_inside_xvfb <seconds> "<tools>" "$0" "$@"
run_inside_xvfb() {
    [ -n "${KORVAN_GUI_INNER:-}" ] && return 0
    local seconds=$1 tool
    for tool in $2; do
        if ! command -v "$tool" >/dev/null 2>&1; then
            echo "SKIPPED: $tool is not installed (apt-get install xvfb xauth xdotool x11-apps)"
            exit 77
        fi
    done
    shift 2
    # A random first display number keeps parallel runs off each other's servers.
    # -noreset: a bare server resets itself whenever its last client leaves,
    # and drops connections made meanwhile; here clients come and go all the time.
    exec env KORVAN_GUI_INNER=1 timeout "$seconds" xvfb-run -a -n $((100 + RANDOM % 800)) \
        -s "-noreset -screen 0 1024x768x24" "$@"
}

# Goes into a fresh work directory (removed at the end) and sets the screen
# and console of the tests: windows on the display, printed lines on
# standard output.
enter_work_directory() {
    work=$(mktemp -d)
    trap 'rm -rf "$work"' EXIT
    cd "$work" || exit 1
    unset KORVAN_DISPLAY KORVAN_SCREEN KORVAN_SCREEN_BPP KFL_PATH KFL_DATA
    export KORVAN_CONSOLE=terminal
}

passed=0
failed=0
check() {  # check <description> <command...>
    local what=$1
    shift
    if "$@"; then
        passed=$((passed + 1))
    else
        failed=$((failed + 1))
        echo "FAIL: $what"
    fi
}

# Prints the first visible window whose title matches; waits at most 60 s, less
# when the program that should show it has ended. The search is started anew
# each time: xdotool dies of an X error when a window goes away under it.
find_window() {  # find_window <title pattern> <pid>
    local i id
    for i in $(seq 1 300); do
        id=$(xdotool search --onlyvisible --name "$1" 2>/dev/null | head -1)
        if [ -n "$id" ]; then
            echo "$id"
            return 0
        fi
        kill -0 "$2" 2>/dev/null || return 1
        sleep 0.2
    done
    return 1
}

# Runs a command until it succeeds, at most <tries> times, <pause> seconds apart.
poll() {  # poll <tries> <pause> <command...>
    local tries=$1 pause=$2 i
    shift 2
    for ((i = 0; i < tries; i++)); do
        "$@" && return 0
        sleep "$pause"
    done
    return 1
}

# Waits (at most 60 s) until a line of a file holds a text (-F) or matches a
# pattern as a whole (-x).
wait_for_line() {  # wait_for_line <-F|-x> <file> <text>
    poll 300 0.2 grep -q "$1" -- "$3" "$2" 2>/dev/null
}

# Starts a program in the background, its output in <name>.out and
# <name>.err (pid), waits for its window (wid) and checks that the window
# appears; succeeds when it does.
start_with_window() {  # start_with_window <name> <title pattern> <what> <command...>
    local name=$1 title=$2 what=$3
    shift 3
    timeout 300 "$@" > "$name.out" 2> "$name.err" &
    pid=$!
    wid=$(find_window "$title" "$pid")
    check "$what" test -n "$wid"
    [ -n "$wid" ]
}

# Waits (at most 60 s) for the program started last to end, and ends it
# after that; its exit code goes to rc.
wait_end() {
    poll 300 0.2 program_ended
    kill "$pid" 2>/dev/null
    wait "$pid"
    rc=$?
}

program_ended() { ! kill -0 "$pid" 2>/dev/null; }

click() {  # click <window> <x> <y>
    xdotool mousemove --window "$1" "$2" "$3" click 1
    sleep 0.3
}
focus() {  # focus <window>
    xdotool windowfocus --sync "$1" 2>/dev/null || xdotool windowfocus "$1"
    sleep 0.2
}

# Screenshots a window into a file until the picture shows what a check of
# it asks for (the program may still be painting; at most 30 s). The checks
# read the picture with the x_helper program in $helper:
#   shows_colour <file> <RRGGBB> <n>: at least n pixels of the colour;
#   shows_area <file> <colours> <min>: an area of the colours of at least min pixels.
screenshot_until() {  # screenshot_until <window> <file> <check> <arguments...>
    poll 60 0.5 screenshot_shows "$@"
}
screenshot_shows() {
    xwd -silent -id "$1" -out "$2" 2>/dev/null && "$3" "$2" "${@:4}"
}
shows_colour() { [ "$("$helper" count "$1" "$2" 2>/dev/null || echo 0)" -ge "$3" ]; }
shows_area() { [ -n "$("$helper" boxes "$1" "$2" "$3" 2>/dev/null)" ]; }
