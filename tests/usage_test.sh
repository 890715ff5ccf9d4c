#!/bin/bash
# "--help" and "-h" of korconv, kflwin and kflinst: the usage text on standard
# output, exit code 0, nothing else started. The expected texts are
# tests/usage/<program>.txt (with KORVAN=/opt/korvan).
#   usage_test.sh <bin dir> <expected dir>
set -u
bin=$1
expected=$2
status=0
for program in korconv kflwin kflinst; do
    if [ ! -x "$bin/$program" ]; then
        echo "$program is not built"
        status=1
        continue
    fi
    for word in --help -h; do
        out=$(cd "$(mktemp -d)" && env -u DISPLAY KORVAN=/opt/korvan timeout 20 "$bin/$program" "$word" < /dev/null 2>&1; echo "exit $?")
        if [ "$out" != "$(cat "$expected/$program.txt"; echo "exit 0")" ]; then
            echo "$program $word differs from $expected/$program.txt:"
            diff <(cat "$expected/$program.txt"; echo "exit 0") <(echo "$out") | head -20
            status=1
        fi
    done
done
# korconv: "-h" after the input name is no help request but a device name.
out=$(cd "$(mktemp -d)" && env -u DISPLAY KORVAN_DISPLAY=none timeout 20 "$bin/korconv" missing.met -h 2>&1)
if echo "$out" | grep -q "^Usage"; then
    echo "korconv missing.met -h printed the usage text"
    status=1
fi
exit $status
