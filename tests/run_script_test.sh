#!/bin/bash
# Runs one script test case in a fresh temporary directory.
#
#   <name>.kfl    the script, run as "kflrun <name>.kfl" unless <name>.args says otherwise
#   <name>.out    expected standard output, compared byte for byte (@TMP@ as below)
#   <name>.args   command-line words (one line; @TMP@ stands for the case directory)
#   <name>.in     standard input (default: empty)
#   <name>.env    NAME=value lines added to the environment (@TMP@ as above;
#                 @KORVAN@ stands for the build's installation directory with
#                 the map data files, build/korvan)
#   <name>.rc     expected exit code (default 0)
#   <name>.dir/   files copied into the case directory before the run
#   <name>.check  bash script run in the case directory afterwards; must succeed
#   <name>.err    expected standard error (default: none)
set -u
kflrun=$1
script=$2
base=${script%.kfl}
name=$(basename "$base")

korvan_dir=$(cd "$(dirname "$kflrun")/../korvan" 2>/dev/null && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$script" "$work/"
[ -d "$base.dir" ] && cp -r "$base.dir/." "$work/"

args=("$name.kfl")
if [ -f "$base.args" ]; then
    read -r -a args < <(sed "s|@TMP@|$work|g" "$base.args")
fi
input=/dev/null
[ -f "$base.in" ] && input="$base.in"

env_args=(-u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none)
if [ -f "$base.env" ]; then
    while IFS= read -r line; do
        line=${line//@TMP@/$work}
        [ -n "$line" ] && env_args+=("${line//@KORVAN@/$korvan_dir}")
    done < "$base.env"
fi

cd "$work" || exit 1
env "${env_args[@]}" timeout 60 "$kflrun" "${args[@]}" < "$input" > actual.out 2> actual.err
rc=$?
status=0

expected_rc=0
[ -f "$base.rc" ] && expected_rc=$(cat "$base.rc")
if [ "$rc" != "$expected_rc" ]; then
    echo "exit code $rc, expected $expected_rc"
    status=1
fi
sed "s|@TMP@|$work|g" "$base.out" > expected.out
if ! cmp -s actual.out expected.out; then
    echo "standard output differs from $base.out:"
    diff <(cat -A expected.out) <(cat -A actual.out) | head -40
    status=1
fi
expected_err=/dev/null
[ -f "$base.err" ] && expected_err="$base.err"
if ! cmp -s actual.err "$expected_err"; then
    echo "standard error differs:"
    diff "$expected_err" actual.err | head -40
    status=1
fi
if [ -f "$base.check" ]; then
    if ! bash "$base.check"; then
        echo "check $base.check failed"
        status=1
    fi
fi
exit $status
