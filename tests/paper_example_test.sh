#!/bin/bash
# Renders an example script in PDF, SVG, PNG and colour PostScript on white
# paper and compares the pictures (paper_devices_test.sh). The example's own
# device and file choice (METAFL, SETFIL) give way to the device of the run:
# a copy of the script writes <name>.<extension> under SCRMOD('REVERS'),
# beside the other examples that it may include. The example reads its data
# files and map outlines from the given directories.
#
#   paper_example_test.sh <kflrun> <example.kfl> <tolerance %> [data directory [outline directory]]
set -u
kflrun=$1
example=$2
tolerance=$3
export PAPER_RUN_KFL_DATA=${4:-} PAPER_RUN_KORVAN=${5:-}
here="$(cd "$(dirname "$0")" && pwd)"
name=$(basename "$example" .kfl)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$(dirname "$example")"/*.kfl "$work/"
# The copy: its first record, the white paper and the file name, then the
# script without its METAFL and SETFIL statements.
{
    head -n 1 "$example"
    echo "SCRMOD('REVERS')"
    echo "SETFIL('$name.' + %ARG1)"
    tail -n +2 "$example" | grep -v -i -E '^[[:space:]]*(METAFL|SETFIL)[[:space:]]*\('
} > "$work/$name.kfl"
"$here/paper_devices_test.sh" "$kflrun" "$work/$name.kfl" "$name" "$tolerance"
