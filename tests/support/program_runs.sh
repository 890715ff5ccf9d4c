# Sourced by the shell scripts that run kflrun and korconv on files they make
# (the korconv tests, the endless input test, the fuzz corpus maker):
#   source tests/support/program_runs.sh <kflrun> <korconv>
# Sets kflrun and korconv, enters a fresh work directory $work that is removed
# at the end (kept when KORVAN_KEEP_WORK is set, to look into a failure), and
# runs the programs headless on the terminal console.
kflrun=$1
korconv=$2
work=$(mktemp -d)
[ -n "${KORVAN_KEEP_WORK:-}" ] || trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
export KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none
unset KFL_PATH KFL_DATA KORVAN
status=0

# fail <what>: reports a failed check; the script then ends with status 1.
fail() {
    echo "FAIL: $*"
    status=1
}

# run_quietly <program> <words...>: runs with empty standard input, output
# discarded, stopped after a minute; returns the program's status (124 and
# above: it hung or crashed).
run_quietly() {
    timeout 60 "$@" < /dev/null > /dev/null 2>&1
}

# expect_run <expected output> <program> <words...>: the run ends within a
# minute and prints exactly the expected output.
expect_run() {
    local want=$1
    shift
    local got
    got=$(timeout 60 "$@" < /dev/null 2>&1)
    local rc=$?
    [ $rc -ne 124 ] || fail "$*: still running after 60 s"
    [ "$got" = "$want" ] || fail "$*: got '$got', want '$want'"
}

# make_plot: kflrun writes plot.met, a GKSVAN metafile of a small plot
# (axes and a coloured curve); the script ends when it does not.
make_plot() {
    cat > plot.kfl <<'EOF'
%KFL
METAFL('GKSV')
SETFIL('plot.met')
KORINI()
PAGERA()
GRAF(0, 10, 0, 2, 0, 5, 0, 1)
FLOAT X[3], Y[3]
X = {0.0, 5.0, 10.0}
Y = {0.0, 5.0, 2.0}
SETCLR(50)
CURVE(X, Y, 3)
ENDGRF()
UNIT(0)
KORFIN()
EOF
    run_quietly "$kflrun" plot.kfl
    [ -s plot.met ] || { echo "kflrun wrote no plot.met"; exit 1; }
}
