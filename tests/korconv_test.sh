#!/bin/bash
# Whole korconv runs in a fresh temporary directory: a plot made by kflrun as a
# metafile is converted into every file format and back, shown headless on the
# screen, sent to a printer port, and bad runs end with their messages.
#
#   korconv_test.sh <kflrun> <korconv>
set -u
# shellcheck source=support/program_runs.sh
source "$(dirname "$0")/support/program_runs.sh" "$1" "$2"
# expect <expected output> <korconv words...>
expect() {
    local want=$1
    shift
    expect_run "$want" "$korconv" "$@"
}
make_plot

# Metafile to every format; the name without a dot gets ".met".
expect "korconv: The 'POST' file '$work/plot.psc' is created!" plot POST
expect "korconv: The 'PSCL' file '$work/colour.psc' is created!" plot.met PSCL F=colour.psc
expect "korconv: The 'CGM' file '$work/plot.cgm' is created!" plot CGM
expect "korconv: The 'HPGL' file '$work/plot.hpg' is created!" plot HPGL
expect "korconv: The 'KYOC' file '$work/plot.kyo' is created!" plot KYOC
[ "$(head -c 2 plot.cgm | od -An -tx1 | tr -d ' ')" = "0021" ] || fail "plot.cgm is no CGM"
head -c 4 plot.kyo | grep -q '!R!' || fail "plot.kyo is no Kyocera file"

# Back again: CGM and HPGL to metafiles hold the same number of drawn lines
# as the original (the frame, axes, ticks, labels and the curve).
expect "korconv: The 'GKSV' file '$work/fromcgm.met' is created!" plot.cgm GKSV F=fromcgm.met
expect "korconv: The 'GKSV' file '$work/fromhpgl.met' is created!" plot.hpg GKSV F=fromhpgl.met
fields() { tail -n +2 "$1" | wc -w; }
original=$(fields plot.met)
for f in fromcgm.met fromhpgl.met; do
    n=$(fields "$f")
    [ "$n" -gt $((original / 2)) ] || fail "$f has $n fields against $original"
done

# Every PostScript file renders; a converted CGM keeps the picture.
if command -v gs > /dev/null; then
    expect "korconv: The 'PSCL' file '$work/fromcgm.psc' is created!" plot.cgm PSCL F=fromcgm.psc
    for f in plot.psc colour.psc fromcgm.psc; do
        gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=pnggray -r20 -sOutputFile="$f.png" "$f" > gs.out 2>&1 \
            || fail "Ghostscript cannot render $f: $(cat gs.out)"
        [ -s "$f.png" ] || fail "no rendering of $f"
    done
else
    echo "Ghostscript (gs) is not installed: the PostScript files are not rendered"
fi
if command -v hp2xx > /dev/null; then
    hp2xx -m eps -f plot.eps plot.hpg > hp2xx.log 2>&1 || fail "hp2xx cannot read plot.hpg: $(cat hp2xx.log)"
    grep -q "HPGL command(s) ignored: 0" hp2xx.log || fail "hp2xx ignored commands of plot.hpg"
fi

# The paper formats: a metafile and a PostScript file played onto them.
expect "korconv: The 'PDF' file '$work/plot.pdf' is created!" plot PDF
expect "korconv: The 'SVG' file '$work/plot.svg' is created!" plot svg
expect "korconv: The 'PNG' file '$work/plot.png' is created!" plot PNG
expect "korconv: The 'PDF' file '$work/frompsc.pdf' is created!" colour.psc PDF F=frompsc.pdf
head -c 8 plot.png | od -An -c | grep -q 'P   N   G' || fail "plot.png is no PNG"
if command -v pdfinfo > /dev/null && command -v rsvg-convert > /dev/null; then
    for f in plot.pdf frompsc.pdf; do
        pdfinfo "$f" > pdfinfo.out 2>&1 || fail "pdfinfo cannot read $f: $(cat pdfinfo.out)"
        grep -q '^Pages: *1$' pdfinfo.out || fail "$f has not one page"
    done
    rsvg-convert -o svg.png plot.svg > rsvg.out 2>&1 || fail "rsvg-convert cannot read plot.svg: $(cat rsvg.out)"
else
    echo "pdfinfo or rsvg-convert is not installed: the PDF and SVG files are not read back"
fi

# PostScript: already PostScript; to the screen; a new scale; to a printer.
expect "korconv: The fileformat is already PostScript!" colour.psc POST
expect " Window picture: korvan_win1.png" colour.psc CONS
[ -s korvan_win1.png ] || fail "no window picture"
expect "korconv: The 'POST' file 'half.psc' is created!" colour.psc POST S=0.5 F=half.psc
grep -q ' 0.500000  0.500000 scale' half.psc || fail "half.psc is not scaled by 0.5"
expect "" colour.psc PSC2
cmp -s colour.psc LPT1 || fail "LPT1 is not the PostScript file unchanged"
expect "" plot HLP1 D=printer.out
head -c 5 printer.out | grep -q 'SP1' || fail "printer.out is no HPGL"
[ ! -e kor00000.tmp ] || fail "the printer's temporary file stays"

# A PostScript file of three pages, each with a rectangle in a colour of its
# own, played back: all pages, or with P= and N= only the pages asked for.
cat > pages.kfl <<'EOF'
%KFL
METAFL('PSCL')
SETFIL('pages.psc')
KORINI()
RECFLL(100, 100, 300, 200, 30)
NEWPAG()
RECFLL(500, 100, 300, 200, 60)
NEWPAG()
RECFLL(900, 100, 300, 200, 80)
UNIT(0)
KORFIN()
EOF
run_quietly "$kflrun" pages.kfl
[ "$(grep -c copypage pages.psc)" = 2 ] || fail "pages.psc has not three pages"
# colours <metafile>: the colour fields of the three rectangles found in it.
colours() {
    local found=""
    for field in 39 69 89; do grep -q "$field\.0000000" "$1" && found="$found $field"; done
    echo "$found"
}
expect "korconv: The 'GKSV' file '$work/pages.met' is created!" pages.psc GKSV
[ "$(colours pages.met)" = " 39 69 89" ] || fail "all pages: $(colours pages.met)"
expect "korconv: The 'GKSV' file '$work/page2.met' is created!" pages.psc GKSV P=2 N=1 F=page2.met
[ "$(colours page2.met)" = " 69" ] || fail "P=2 N=1: $(colours page2.met)"
expect "korconv: The 'GKSV' file '$work/page23.met' is created!" pages.psc GKSV P=2 F=page23.met
[ "$(colours page23.met)" = " 69 89" ] || fail "P=2: $(colours page23.met)"
expect "korconv: The 'GKSV' file '$work/page9.met' is created!" pages.psc GKSV P=9 F=page9.met
[ "$(colours page9.met)" = "" ] || fail "P=9: $(colours page9.met)"

# A picture in PostScript (a raster written as a colour image) shown on an
# image device: its pixels land one to one in the TIFF, in the nearest
# colours; Ghostscript draws the same colours at the same places.
{
    printf '%%!PS-Adobe-2.0\n%%%%BoundingBox: 0 0 40 30\n%%%%Creator: KORVAN  1.0 P\n'
    printf '%%%%CreationDate: 10.12.26 , 10:00:00\n%%%%EndComments\n/picstr 120 string def\n'
    printf '0 0 translate 40 30 scale 40 30 8 [40 0 0 -30 0 30]\n'
    printf '{currentfile picstr readhexstring pop} false 3 colorimage\n'
    for y in $(seq 0 29); do
        for x in $(seq 0 39); do
            if [ "$y" -lt 10 ]; then printf '0000ff'; elif [ "$x" -lt 20 ]; then printf 'ff0000'; else printf 'ffffff'; fi
        done
        printf '\n'
    done
    printf 'showpage\n'
} > picture.psc
expect "korconv:  <<<< File and device formats are not compatible" picture.psc GKSV
expect "korconv: The 'TIFF' file '$work/picture.tif' is created!" picture.psc TIFF
# rgb <tiff> <x> <y>: the colour of a pixel of a one-row-per-strip TIFF of 40 x 30.
rgb() {
    local index map=$((146 + 6 * 30))
    index=$(od -An -tu1 -j $((map + 1536 + $3 * 40 + $2)) -N1 "$1" | tr -d ' ')
    printf '%02x%02x%02x' "$(od -An -tu1 -j $((map + 2 * index + 1)) -N1 "$1")" \
        "$(od -An -tu1 -j $((map + 512 + 2 * index + 1)) -N1 "$1")" \
        "$(od -An -tu1 -j $((map + 1024 + 2 * index + 1)) -N1 "$1")"
}
if command -v tiffinfo > /dev/null; then
    tiffinfo picture.tif 2>&1 | grep -q 'Image Width: 40 Image Length: 30' || fail "picture.tif is not 40 x 30"
fi
# tone <rrggbb>: blue, red, white or other.
tone() {
    case $1 in
    00??ff | 01??ff) echo blue ;;
    ff00?? | ff01??) echo red ;;
    ffffff) echo white ;;
    *) echo "other $1" ;;
    esac
}
[ "$(tone "$(rgb picture.tif 5 5)")" = blue ] || fail "picture pixel (5, 5): $(rgb picture.tif 5 5)"
[ "$(tone "$(rgb picture.tif 5 25)")" = red ] || fail "picture pixel (5, 25): $(rgb picture.tif 5 25)"
[ "$(tone "$(rgb picture.tif 30 25)")" = white ] || fail "picture pixel (30, 25): $(rgb picture.tif 30 25)"
if command -v gs > /dev/null; then
    gs -q -dBATCH -dNOPAUSE -dSAFER -sDEVICE=ppmraw -g40x30 -r72 -sOutputFile=picture.ppm picture.psc > /dev/null 2>&1
    # The header: three lines besides comments.
    header=$(awk '!/^#/ { n++ } { bytes += length($0) + 1 } n == 3 { print bytes; exit }' picture.ppm)
    gs_rgb() { od -An -tx1 -j $((header + 3 * ($2 * 40 + $1))) -N3 picture.ppm | tr -d ' '; }
    for point in "5 5" "5 25" "30 25"; do
        [ "$(tone "$(gs_rgb $point)")" = "$(tone "$(rgb picture.tif $point)")" ] ||
            fail "Ghostscript shows $(gs_rgb $point) at $point, the TIFF $(rgb picture.tif $point)"
    done
fi
# Cut inside its data: the rows before the cut are drawn.
head -c 3000 picture.psc > halfpicture.psc
expect "korconv: The 'TIFF' file '$work/halfpicture.tif' is created!" halfpicture.psc TIFF
[ "$(tone "$(rgb halfpicture.tif 5 5)")" = blue ] || fail "cut picture pixel (5, 5): $(rgb halfpicture.tif 5 5)"
[ "$(rgb halfpicture.tif 5 25)" = 000000 ] || fail "cut picture pixel (5, 25) is drawn: $(rgb halfpicture.tif 5 25)"

# Cut and damaged PostScript files of the library end cleanly.
for n in 200 3000 5000 5100 5200 6000; do
    head -c $n pages.psc > cut$n.psc
    run_quietly "$korconv" cut$n.psc GKSV F=cut$n.met
    [ $? -lt 124 ] || fail "korconv hangs or crashes on pages.psc cut after $n bytes"
done
sed -e 's/ e / sec /; s/ f / text /; s/ p / font /' -e 's/copypage/c/' pages.psc > damaged.psc
printf '(unclosed \\ <12 ) 1e308 -1e308 nan inf 1 2 3 4 5 6 7 8 9 sec 9e99 9e99 0 c 0 0 0 0 sec\n' >> damaged.psc
for target in TIFF GKSV HPGL; do
    run_quietly "$korconv" damaged.psc $target
    [ $? -lt 124 ] || fail "korconv hangs or crashes on a damaged PostScript file to $target"
done

# Refused runs.
printf '!R! UNIT C;\n' > page.kyo
expect "korconv:  <<<< File and printer formats are not compatible!" page.kyo POST
expect "korconv:  <<<< nothing.met doesn't exist!" nothing POST
expect "korconv:  <<<< The device XYZ is not defined!" plot XYZ
expect "korconv:  <<<< Not allowed scaling factor 0.000000" plot POST S=0
expect "korconv:  <<<< third is not defined in KORCONV!" plot POST third
printf '%%!PS-Adobe-2.0\n%%%%BoundingBox: 0 0 10 10\n%%%%Creator: other\n' > other.ps
expect "korconv:  <<<< The PostScript file is not created by KORVAN!" other.ps GKSV

# Metafiles without a header, or cut before their end field: the cut one is
# converted as far as it goes and reported, and DEL keeps the input.
tail -n +2 plot.met > headless.met
expect "korconv:  <<<< READ-Error in GKSVAN file!" headless.met POST
[ ! -e headless.psc ] || fail "a plot file was written for a metafile without a header"
# A header whose page is endless in plot coordinates is no header.
{ printf '      29.7 8.0E307\n'; tail -n +2 plot.met; } > endless.met
expect "korconv:  <<<< READ-Error in GKSVAN file!" endless.met POST
[ ! -e endless.psc ] || fail "a plot file was written for a metafile of an endless page"
printf '      29.7      21.0\n' > bare.met
expect "korconv:  <<<< The GKSVAN file is not complete!" bare.met GKSV F=bare_out.met DEL
[ -e bare.met ] || fail "DEL removed an incomplete input"
head -c 500 plot.met > cut.met
expect "korconv:  <<<< The GKSVAN file is not complete!" cut.met GKSV F=cut_out.met
[ "$(tail -c 11 cut_out.met)" = " 9.0000000" ] || fail "the output of a cut metafile is not finished"
[ "$(tail -n +2 cut_out.met | wc -w)" -gt 20 ] || fail "the output of a cut metafile lost what was drawn"

# DEL removes the input only after success.
cp plot.met copy.met
expect "korconv: The 'GKSV' file '$work/copy_1.met' is created!" copy.met GKSV F=copy_1.met DEL
[ ! -e copy.met ] || fail "DEL kept the input"

# Broken plot files end cleanly.
head -c 100 plot.cgm > cut.cgm
run_quietly "$korconv" cut.cgm GKSV F=cutcgm.met
[ $? -lt 124 ] || fail "korconv hangs or crashes on a cut CGM file"
printf ' SP1;\nPD12,;XX;PU99999999999999,5;PD;\n' > bad.hpg
timeout 60 "$korconv" bad.hpg GKSV F=bad.met < /dev/null > bad.out 2>&1
[ $? -lt 124 ] || fail "korconv hangs or crashes on a bad HPGL file"
grep -q 'Unknown command XX in HPGL file!' bad.out || fail "the unknown HPGL command is not reported: $(cat bad.out)"

# Exit statuses: 0 after a conversion, 1 for a refused command line, a file
# that cannot be read or written, or a refused conversion.
# status_of <korconv words...>: the exit status, output discarded.
status_of() {
    run_quietly "$korconv" "$@"
    echo $?
}
[ "$(status_of plot GKSV F=status.met)" = 0 ] || fail "a conversion does not end with 0"
for words in "plot POST S=0" "plot POST third" "nothing POST" "plot XYZ" "page.kyo POST" "colour.psc POST" \
    "headless.met POST" "plot.met GKSV WS=5"; do
    # shellcheck disable=SC2086
    [ "$(status_of $words)" = 1 ] || fail "korconv $words does not end with 1"
done

# Output that cannot be written is reported with its reason, never as created.
expect " <<<< Warning  36: File error in korini!   (nodir/x.met: No such file or directory)" plot GKSV F=nodir/x.met
[ "$(status_of plot GKSV F=nodir/x.met)" = 1 ] || fail "an output in a missing directory does not end with 1"
out=$(timeout 60 "$korconv" plot GKSV F=/proc/x.met < /dev/null 2>&1)
case $out in
    " <<<< Warning  36: File error in korini!   (/proc/x.met: "*")") ;;
    *) fail "an output in /proc: $out" ;;
esac
expect " <<<< Warning  36: File error in korini!   (nodir/x.psc: No such file or directory)" plot PSCL F=nodir/x.psc
expect " <<<< Warning  36: File error in korfin!   (nodir/x.tif: No such file or directory)" plot TIFF F=nodir/x.tif
expect " <<<< Warning  36: File error in korini!   (nodir/x.svg: No such file or directory)" plot SVG F=nodir/x.svg
expect "korconv:  <<<< Open error in file nodir/x.psc: No such file or directory" colour.psc POST S=0.5 F=nodir/x.psc
expect "korconv:  <<<< Write error in file /dev/full: No space left on device" plot HLP1 D=/dev/full
[ -e kor00000.tmp ] || fail "the printer file that could not be sent is lost"
rm -f kor00000.tmp
# A full disk: the file stops growing at a size limit.
limited() { (trap '' XFSZ; ulimit -f 1; timeout 60 "$korconv" "$@" < /dev/null 2>&1); }
for target in GKSV POST CGM TIFF PDF; do
    out=$(limited plot.cgm $target F=full.$target)
    case $out in
        *" <<<< Warning  36: File error in korfin!   (full.$target: File too large)") ;;
        *" <<<< Warning  36: File error in korfin!   ($work/full.$target: File too large)") ;;
        *) fail "$target on a full disk: $out" ;;
    esac
done
out=$(limited colour.psc POST S=0.5 F=fullhalf.psc)
[ "$out" = "korconv:  <<<< Write error in file fullhalf.psc: File too large" ] || fail "a rewrite on a full disk: $out"

# Names are taken whole: a long one is written, one beyond the system's limit refused.
long=""
for i in 1 2 3 4 5 6 7 8 9 10; do long="${long}directory$i/"; done
mkdir -p "$long"
expect "korconv: The 'GKSV' file '${long}x.met' is created!" plot GKSV "F=${long}x.met"
[ -s "${long}x.met" ] || fail "the long name was not written"
name=$(printf 'n%.0s' $(seq 300)).met
expect " <<<< Warning  36: File error in korini!   ($name: File name too long)" plot GKSV "F=$name"

# The name announced is the one written, versioned when the name exists.
cp plot.met out
expect "korconv: The 'TIFF' file '$work/out_1' is created!" plot TIFF F=out
expect "korconv: The 'GKSV' file '$work/out_2' is created!" plot GKSV F=out
[ -s out_1 ] && [ -s out_2 ] && cmp -s plot.met out || fail "the versions of out were not written as announced"
exit $status
