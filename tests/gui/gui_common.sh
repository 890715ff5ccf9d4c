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
