#!/bin/bash
# The docs build: makes the manual into a fresh directory, then checks that
# the HTML pages have no broken internal links, that every example of the
# gallery has its section, and that each man page renders without warnings.
#   docs_build_test.sh <source dir> <kflrun> <gksvan_png>
set -u
src=$1
kflrun=$2
gksvan_png=$3
for tool in pandoc python3 man; do
    command -v $tool >/dev/null || { echo "$tool is missing: the manual cannot be built or checked"; exit 77; }
done
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
"$src/tools/make_docs.sh" "$src" "$kflrun" "$gksvan_png" "$out" > "$out/build.log" 2>&1
rc=$?
# pandoc's warnings (an unknown reference, a parse problem) count as faults.
if [ $rc -ne 0 ] || grep -qi "warning" "$out/build.log"; then
    echo "the docs build failed (exit code $rc):"
    tail -20 "$out/build.log"
    exit 1
fi
status=0
python3 "$src/tools/check_html_links.py" "$out/hlp" || status=1
for page in index tutorial language concepts programs routines gallery; do
    [ -s "$out/hlp/$page.html" ] || { echo "hlp/$page.html is missing"; status=1; }
done
for script in "$src"/examples/*.kfl; do
    name=$(basename "$script" .kfl)
    grep -q "id=\"$name\"" "$out/hlp/gallery.html" || { echo "the gallery has no section $name"; status=1; }
done
# Every example that draws has its picture, and it is a PNG file.
pictures=$(ls "$out/hlp/gallery" | wc -l)
[ "$pictures" -gt 10 ] || { echo "only $pictures gallery pictures"; status=1; }
for picture in "$out"/hlp/gallery/*.png; do
    [ "$(head -c 4 "$picture" | tail -c 3)" = "PNG" ] || { echo "$picture is no PNG file"; status=1; }
done
for page in kflrun.1 korconv.1 kflwin.1 kflinst.1 korvan.7; do
    if [ ! -s "$out/man/$page" ]; then
        echo "man/$page is missing"
        status=1
        continue
    fi
    warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$out/man/$page" 2>&1 >/dev/null)
    [ -z "$warnings" ] || { echo "man -l $page warns:"; echo "$warnings"; status=1; }
    LC_ALL=C.UTF-8 MANWIDTH=80 man -l "$out/man/$page" 2>/dev/null | grep -q "^NAME" \
        || { echo "man -l $page shows no NAME section"; status=1; }
done
exit $status
