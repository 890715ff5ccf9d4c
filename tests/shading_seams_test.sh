#!/bin/bash
# Shaded contours meet without seams: examples/quick_conshade.kfl (CONSHADE,
# cells of one band and cells cut by a level) drawn on the screen (the
# offscreen picture), in colour PostScript (rendered by Ghostscript) and in
# PDF, SVG and PNG (rendered by pdftoppm and rsvg-convert). Inside the plot
# area no line of pixels in another colour may run between two cells of one
# colour.
#
#   shading_seams_test.sh <kflrun> <example directory>
set -u
kflrun=$1
examples=$2
here="$(cd "$(dirname "$0")" && pwd)"
seams="$here/support/seam_count.py"
command -v python3 > /dev/null || { echo "python3 is not installed: no seam count (skipped)"; exit 77; }

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
cp "$examples/quick_conshade.kfl" plot.kfl
status=0
run() {  # run <device> [extra environment]
    env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none KORVAN_PNG_DPI=100 \
        timeout 120 "$kflrun" -D=$1 plot.kfl < /dev/null > "$1.out" 2>&1 || { echo "$1: kflrun failed"; cat "$1.out"; exit 1; }
}
# The inner part of the plot area, in per cent of the page: no axis or label.
box="22 26 78 80"
count() {  # count <what> <picture> [turn]
    local what=$1 picture=$2
    shift 2
    python3 "$seams" "$picture" $box "$@" > seams.out 2>&1 || { echo "$what: $(cat seams.out)"; status=1; }
}

run XWIN
count screen korvan_win1.png
run PNG
count PNG korvan.png

if command -v gs > /dev/null; then
    run PSCL
    # The page as PostScript sets it: the bounding box, turned.
    read -r llx lly urx ury < <(sed -n 's/^%%BoundingBox: *//p' korvan.psc)
    gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=ppmraw -r100 -dDEVICEWIDTHPOINTS=$(echo "$urx - $llx" | bc -l) \
        -dDEVICEHEIGHTPOINTS=$(echo "$ury - $lly" | bc -l) -dFIXEDMEDIA -sOutputFile=ps.ppm \
        -c "<< /PageOffset [-$llx $lly] >> setpagedevice" -f korvan.psc > gs.out 2>&1 || { echo "gs failed"; cat gs.out; exit 1; }
    count PostScript ps.ppm turn
else
    echo "Ghostscript (gs) is not installed: PostScript is not checked"
fi
if command -v pdftoppm > /dev/null && command -v rsvg-convert > /dev/null; then
    run PDF
    pdftoppm -r 100 -singlefile korvan.pdf pdf > /dev/null 2>&1 || { echo "pdftoppm failed"; exit 1; }
    count PDF pdf.ppm
    run SVG
    rsvg-convert -d 100 -p 100 -o svg.png korvan.svg || { echo "rsvg-convert failed"; exit 1; }
    count SVG svg.png
else
    echo "pdftoppm or rsvg-convert is not installed: PDF and SVG are not checked"
fi
exit $status
