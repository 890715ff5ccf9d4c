#!/bin/bash
# Runs a script on the paper formats PDF, SVG and PNG and on colour
# PostScript, each chosen with -D= and named after %ARG1 by the script
# (<stem>.pdf, <stem>.svg, <stem>.png, <stem>.psc). Independent readers check
# the files: pdfinfo (one page per page of the plot, the page size of the
# PostScript bounding box, landscape for a landscape plot), pdftotext and
# Ghostscript's text extraction of the PostScript (the texts listed in
# <script>.texts, one a line, when that file exists),
# rsvg-convert and the PNG decoder. Then the PDF rendered by pdftoppm, the SVG
# by rsvg-convert and the PNG itself must agree with Ghostscript's rendering of
# the PostScript file within <tolerance> per cent, page by page: a plot of
# several pages is a PDF of as many pages and numbered SVG and PNG files
# (<stem>-2.svg, ...). PAPER_RUN_KFL_DATA and PAPER_RUN_KORVAN, when set, give
# the runs their data and outline directories (KFL_DATA, KORVAN); with
# PAPER_RUN_NO_PROTOCOL set the plot prints no end protocol (the quick plot of
# the PLOT statement) and its files alone are checked.
#
#   paper_devices_test.sh <kflrun> <script.kfl> <stem> <tolerance %>
set -u
kflrun=$1
script=$2
stem=$3
tolerance=$4
compare="$(cd "$(dirname "$0")" && pwd)/support/compare_pictures.py"
dpi=50

for tool in pdfinfo pdftoppm pdftotext rsvg-convert gs python3; do
    command -v $tool > /dev/null || { echo "$tool is not installed: the paper formats are not checked (skipped)"; exit 77; }
done

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# The script runs beside the scripts of its directory, which it may include.
cp "$(dirname "$script")"/*.kfl "$work/"
cd "$work" || exit 1
name=$(basename "$script")
status=0
for device in PDF SVG PNG PSCL; do
    ext=$(echo "$device" | tr 'A-Z' 'a-z')
    [ "$device" = PSCL ] && ext=psc
    env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none KORVAN_PNG_DPI=$dpi \
        ${PAPER_RUN_KFL_DATA:+KFL_DATA=$PAPER_RUN_KFL_DATA} ${PAPER_RUN_KORVAN:+KORVAN=$PAPER_RUN_KORVAN} \
        timeout 120 "$kflrun" -D=$device "$name" "$ext" < /dev/null > "$device.out" 2>&1
    rc=$?
    if [ "$rc" != 0 ]; then
        echo "$device: exit code $rc"; cat "$device.out"; status=1
    fi
    if grep -q -e '<<<< Warning' -e '>>>>' "$device.out"; then
        echo "$device: warnings"; cat "$device.out"; status=1
    fi
    if [ -z "${PAPER_RUN_NO_PROTOCOL:-}" ]; then
        grep -q "Fileformat *: *$device" "$device.out" || { echo "$device: no end protocol"; cat "$device.out"; status=1; }
        grep -q "Metafile *: .*/$stem.$ext" "$device.out" || { echo "$device: the end protocol names no $stem.$ext"; status=1; }
    fi
    [ -s "$stem.$ext" ] || { echo "$stem.$ext was not written"; exit 1; }
done

# The PostScript page: its bounding box in points and whether it is turned.
read -r llx lly urx ury < <(sed -n 's/^%%BoundingBox: *//p' "$stem.psc")
ps_w=$(echo "$urx - $llx" | bc -l)
ps_h=$(echo "$ury - $lly" | bc -l)
turn=""
if grep -q '^%%Creator: KORVAN .* L$' "$stem.psc"; then
    turn=turn
    read -r ps_w ps_h <<< "$ps_h $ps_w"
fi

# PDF: one page of the PostScript page's size, upright as the plot is.
pdfinfo "$stem.pdf" > pdfinfo.out 2>&1 || { echo "pdfinfo failed:"; cat pdfinfo.out; exit 1; }
pages=$(sed -n 's/^Pages: *//p' pdfinfo.out)
[ "${pages:-0}" -ge 1 ] || { echo "no pages:"; cat pdfinfo.out; exit 1; }
read -r pdf_w pdf_h < <(sed -n 's/^Page size: *\([0-9.]*\) x \([0-9.]*\) pts.*/\1 \2/p' pdfinfo.out)
near() { echo "d = $1 - $2; if (d < 0) d = -d; d <= 1" | bc -l | grep -q 1; }
if ! near "$pdf_w" "$ps_w" || ! near "$pdf_h" "$ps_h"; then
    echo "PDF page $pdf_w x $pdf_h pts, PostScript page $ps_w x $ps_h"; status=1
fi
if [ -f "${script%.kfl}.texts" ]; then
    pdftotext "$stem.pdf" text.out || { echo "pdftotext failed"; status=1; }
    while IFS= read -r text; do
        grep -qF "$text" text.out || { echo "pdftotext does not find \"$text\":"; cat text.out; status=1; }
        grep -qF ">$text<" "$stem.svg" || { echo "no SVG text element \"$text\""; status=1; }
    done < "${script%.kfl}.texts"
    # PostScript shows the same characters (Greek letters and signs in the
    # Symbol font), as Ghostscript's text extraction reads them, and no "?"
    # for them. Its pieces come in the order of the page, so characters are
    # compared; the Symbol font's Delta and mu read as increment and micro sign.
    gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=txtwrite -sOutputFile=ps.txt "$stem.psc" > gs_text.out 2>&1 \
        || { echo "Ghostscript text extraction failed:"; head gs_text.out; status=1; }
    python3 - "${script%.kfl}.texts" ps.txt <<'PY' || status=1
import sys
same = str.maketrans({'\u2206': '\u0394', '\u00b5': '\u03bc', '\u2126': '\u03a9'})
wanted = set(open(sys.argv[1], encoding='utf-8').read().translate(same)) - set(' \n')
shown = set(open(sys.argv[2], encoding='utf-8', errors='replace').read().translate(same))
missing = sorted(wanted - shown)
if missing or ('?' in shown and '?' not in wanted):
    sys.exit('Ghostscript does not show %s%s' % (' '.join(missing), ' (but "?")' if '?' in shown else ''))
PY
fi

# The renderings, page by page.
# Ghostscript shows the bounding box of the PostScript page, as the page of its own.
gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=ppmraw -r$dpi -dDEVICEWIDTHPOINTS=$(echo "$urx - $llx" | bc -l) \
    -dDEVICEHEIGHTPOINTS=$(echo "$ury - $lly" | bc -l) -dFIXEDMEDIA -sOutputFile=ps-%d.ppm \
    -c "<< /PageOffset [-$llx $lly] >> setpagedevice" -f "$stem.psc" > gs.out 2>&1 \
    || { echo "Ghostscript failed:"; head gs.out; exit 1; }
pdftoppm -r $dpi "$stem.pdf" pdf > pdftoppm.out 2>&1 || { echo "pdftoppm failed:"; cat pdftoppm.out; exit 1; }
# The n-th page's file of a format that writes a file a page: <stem>.<ext>, <stem>-2.<ext>, ...
page_file() { if [ "$1" = 1 ]; then echo "$stem.$2"; else echo "$stem-$1.$2"; fi; }
for ext in svg png; do
    [ -f "$(page_file $((pages + 1)) $ext)" ] && { echo "more $ext pages than the PDF's $pages"; status=1; }
done
ps_pages=$(ls ps-*.ppm | wc -l)
[ "$ps_pages" = "$pages" ] || { echo "PostScript has $ps_pages pages, the PDF $pages"; status=1; }
for page in $(seq 1 "$pages"); do
    # pdftoppm numbers its pictures with as many digits as the last page number has.
    pdf=$(printf "pdf-%0${#pages}d.ppm" "$page")
    svg=$(page_file "$page" svg)
    png=$(page_file "$page" png)
    [ -f "$svg" ] && [ -f "$png" ] || { echo "page $page: $svg or $png was not written"; status=1; continue; }
    rsvg-convert -d $dpi -p $dpi -o svg-$page.png "$svg" > rsvg.out 2>&1 || { echo "rsvg-convert failed:"; cat rsvg.out; exit 1; }
    python3 "$compare" "$pdf" ps-$page.ppm "$tolerance" $turn || status=1
    python3 "$compare" "$pdf" svg-$page.png "$tolerance" || status=1
    python3 "$compare" "$pdf" "$png" "$tolerance" || status=1
done
[ -n "${KORVAN_KEEP_PICTURES:-}" ] && cp pdf-*.ppm ps-*.ppm svg-*.png "$stem"*.png "$KORVAN_KEEP_PICTURES/"
exit $status
