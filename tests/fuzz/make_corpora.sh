#!/bin/bash
# Makes the seed files of the fuzz corpora with the built programs: small real
# plot files, pictures, scripts and data files. The corpora under
# tests/fuzz/corpora are committed; this script is how their seeds were made.
#   tests/fuzz/make_corpora.sh [build directory]
set -eu
root=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "${1:-$root/build}" && pwd)
corpora=$root/tests/fuzz/corpora
# shellcheck source=../support/program_runs.sh
source "$root/tests/support/program_runs.sh" "$build/bin/kflrun" "$build/bin/korconv"
seed() {  # seed <target> <name> <file>
    mkdir -p "$corpora/$1"
    cp "$3" "$corpora/$1/seed_$2"
}

make_plot
run_quietly "$korconv" plot.met POST F=plot.psc
run_quietly "$korconv" plot.met CGM F=plot.cgm
run_quietly "$korconv" plot.met HPGL F=plot.hpg
cat > text.kfl <<'EOF'
%KFL
METAFL('POST')
SETFIL('text.psc')
PAGE(600, 400)
KORINI()
PAGERA()
HWFONT()
MESSAG('Text (a) b', 100, 100)
SETCLR(200)
RECTAN(50, 50, 200, 100)
KORFIN()
EOF
run_quietly "$kflrun" text.kfl
cat > picture.kfl <<'EOF'
%KFL
METAFL('TIFF')
SETFIL('picture.tif')
WINSIZ(16, 10)
KORINI()
PAGERA()
IMGINI()
WPIXEL(5, 5, 100)
IMGFIN()
RIMAGE('picture.dmp')
UNIT(0)
KORFIN()
EOF
run_quietly "$kflrun" picture.kfl
run_quietly "$korconv" picture.tif POST F=picture.psc || true

seed gksvan plot.met plot.met
seed incfil plot.met plot.met
seed cgm plot.cgm plot.cgm
seed hpgl plot.hpg plot.hpg
seed postscript plot.psc plot.psc
seed postscript text.psc text.psc
[ -s picture.psc ] && seed postscript picture.psc picture.psc
seed tiff picture.tif picture.tif
seed bitmap_dump picture.dmp picture.dmp
seed script plot.kfl plot.kfl
seed script hello.kfl "$root/examples/hello.kfl"
printf '%%KFL\nA = 1 + @\n  2 # comment\nS = "a # b // c"\t// more\n$ls\n(1\n' > lines.kfl
seed script lines.kfl lines.kfl
seed data_file measurements.kdf "$root/data/measurements.kdf"
for f in "$root"/tests/scripts/datafiles/blocks.dir/two.kdf "$root"/tests/scripts/datafiles/header.dir/values.kdf \
    "$root"/tests/scripts/datafiles/broken.dir/crlf.kdf; do
    seed data_file "$(basename "$f")" "$f"
done
printf '%%d %%f %%s\n12 3.5 abc\n-7 1e3 word\nthird line\n' > numbers.txt
seed formatted_input numbers.txt numbers.txt
printf '%%c%%5s%%i%%e\nAbcdefgh 42 -2.5E-1\n' > widths.txt
seed formatted_input widths.txt widths.txt
head -c 800 "$root/data/bdta1.dat" > map.dat
seed map_data bdta1_start.dat map.dat
tail -c 400 "$root/data/bdta7.dat" > map_end.dat
seed map_data bdta7_end.dat map_end.dat
i=0
for words in "plot.met POST F=out.psc" "plot.psc PSCL P=1 N=1 S=0.5" "plot.hpg GKSV ROT REV" \
    "plot.met TIFF WS=40,30" "plot.cgm HPGL S=2 FUL NOR" "plot.met CGM V=table.tab" "plot.met RAIN KEE" \
    "plot.psc POST P=2" "plot.met HLP1 D=port.out" "plot NONE DEL" "-h"; do
    i=$((i + 1))
    printf '%s\n' "$words" > words
    seed korconv_command_line "words$i" words
done
