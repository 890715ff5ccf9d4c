#!/bin/bash
# Round trips through korconv: example plots (axes, curves, contours, pies,
# figures, quick plots, colour cells, hardware text, filled sectors) are
# written by kflrun as PSCL, GKSV, CGM and HPGL; each file is converted to the
# other vector formats and to TIFF, and the rendering of every converted file
# is compared with the rendering of the file that kflrun writes directly in
# that format: the same cells of the page carry ink, and as many are filled.
#
# Plots made for white paper (SCRMOD('REVERS'), the scripts named *_paper)
# are converted from the metafile formats with REV, as they were drawn; their
# PostScript files are converted as they are and must stay on white paper.
#
# Renderers: Ghostscript for PostScript (every colour but black as ink, so
# that the black page of a colour file is paper; on white paper every colour
# but white), hp2xx for HPGL, the
# project's metafile renderer for GKSVAN (CGM through its conversion to
# GKSVAN), tiffinfo and the pixels for TIFF.
#
#   korconv_roundtrip_test.sh <kflrun> <korconv> <gksvan_png> <picture_compare> <examples dir>
set -u
gksvan_png=$3
compare=$4
examples=$5
for tool in gs hp2xx tiffinfo; do
    command -v "$tool" > /dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done
# shellcheck source=support/program_runs.sh
source "$(dirname "$0")/support/program_runs.sh" "$1" "$2"

extension() {
    case $1 in
    PSCL) echo psc ;;
    GKSV) echo met ;;
    CGM) echo cgm ;;
    HPGL) echo hpg ;;
    TIFF) echo tif ;;
    esac
}

# Scripts of this test: texts in the hardware font, filled sectors and pies,
# and rectangles filled in colours.
cat > hwtext.kfl <<'EOF'
%KFL
METAFL('PSCL')
KORINI()
PAGERA()
HWFONT()
HEIGHT(60)
MESSAG('Hardware text on the page', 300, 300)
ANGLE(90)
MESSAG('Turned', 2500, 1800)
ANGLE(0)
HEIGHT(120)
MESSAG('X', 1500, 1000)
KORFIN()
EOF
cat > sectors.kfl <<'EOF'
%KFL
METAFL('PSCL')
KORINI()
PAGERA()
SECTOR(700, 700, 0, 400, 0, 90, 50)
SECTOR(700, 700, 200, 400, 90, 300, 150)
SHDPAT(16)
PIE(2000, 1300, 500, 30, 250)
RECFLL(300, 1400, 600, 400, 90)
RECFLL(1200, 200, 300, 300, 200)
KORFIN()
EOF
cp "$examples"/{axes,curves,pie,figures,quick_plot,quick_surf3}.kfl .
# The contours on the screen's black page and, as the example draws them, on
# white paper; the curves on white paper too.
sed "/SCRMOD/d" "$examples"/contour.kfl > contour.kfl
cp "$examples"/contour.kfl contour_paper.kfl
sed "s/^KORINI()/SCRMOD('REVERS')\nKORINI()/" "$examples"/curves.kfl > curves_paper.kfl
grep -q "SCRMOD('REVERS')" curves_paper.kfl || fail "curves_paper.kfl: no SCRMOD"

# plot <script> <format> <directory>: the script's plot in that format, as
# <directory>/plot.<ext>.
plot() {
    local script=$1 format=$2 dir=$3
    mkdir -p "$dir"
    sed -e "s/METAFL([^)]*)/METAFL('$format')/" -e "/SETFIL(/d" "$script" > "$dir/run.kfl"
    local device=()
    grep -q "METAFL(" "$script" || device=("-D=$format")
    (cd "$dir" && timeout 120 "$kflrun" "${device[@]}" run.kfl < /dev/null > run.out 2>&1)
    local made
    made=$(ls "$dir"/korvan.* 2> /dev/null | head -n 1)
    [ -n "$made" ] && mv "$made" "$dir/plot.$(extension "$format")"
}

# render <file> <picture> [paper]: the first page as a picture.
render() {
    local file=$1 picture=$2 paper=${3:-0}
    case $file in
    *.psc)
        gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=pbmraw -r60 -dFirstPage=1 -dLastPage=1 -sPAPERSIZE=a4 \
            -sOutputFile="$picture" -c "/setrgbcolor { add add $paper eq { 1 } { 0 } ifelse setgray } bind def" \
            -f "$file" > /dev/null 2>&1
        ;;
    *.met) "$gksvan_png" "$file" "$picture" > /dev/null 2>&1 ;;
    *.cgm)
        timeout 60 "$korconv" "$file" GKSV F="$file.met" < /dev/null > /dev/null 2>&1 &&
            "$gksvan_png" "$file.met" "$picture" > /dev/null 2>&1
        ;;
    *.hpg) hp2xx -q -m pbm -f "$picture" "$file" > /dev/null 2>&1 ;;
    *.tif) tiffinfo "$file" > /dev/null 2>&1 && cp "$file" "$picture" ;;
    esac
    [ -s "$picture" ]
}

formats="PSCL GKSV CGM HPGL"
only=${KORVAN_ONLY:-}
for script in ${only:-*}.kfl; do
    name=${script%.kfl}
    # The sum of red, green and blue (0 to 1 each) of the paper.
    paper=0
    reverse=()
    case $name in *_paper) paper=3 reverse=(REV) ;; esac
    for format in $formats TIFF; do
        plot "$script" "$format" "$name/$format"
        file=$name/$format/plot.$(extension "$format")
        if [ ! -s "$file" ]; then
            fail "$name: kflrun wrote no $format file"
            continue
        fi
        render "$file" "$name/$format/direct.picture" $paper || fail "$name: the $format file does not render"
    done
    for from in $formats; do
        input=$name/$from/plot.$(extension "$from")
        [ -s "$input" ] || continue
        for to in $formats TIFF; do
            [ "$to" = "$from" ] && continue
            out=$name/$from/to.$(extension "$to")
            options=()
            [ "$from" != PSCL ] && options=("${reverse[@]}")
            timeout 120 "$korconv" "$input" "$to" F="$out" "${options[@]}" < /dev/null > "$out.log" 2>&1
            if ! grep -q "file .* is created" "$out.log" || [ ! -s "$out" ]; then
                fail "$name: $from to $to: $(cat "$out.log")"
                continue
            fi
            direct=$name/$to/direct.picture
            [ -s "$direct" ] || continue
            if ! render "$out" "$out.picture" $paper; then
                fail "$name: $from to $to does not render"
                continue
            fi
            # Texts of a hardware font against texts of the stroke font.
            limit=0.03
            [ "$name" = hwtext ] && [ "$to" = PSCL ] && limit=0.06
            result=$("$compare" --missing $limit "$direct" "$out.picture")
            [ $? -eq 0 ] || fail "$name: $from to $to differs from the direct $to file: $result"
        done
    done
done
exit $status
