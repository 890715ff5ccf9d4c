#!/bin/bash
# Inputs whose lines never end, or are longer than any line the programs read
# (1048576 characters), end the reading with a message instead of a hang:
# plot files given to korconv, its colour table, scripts, include and data
# files, the console input of kflrun and the blanks before a value FSCANF reads.
#
#   endless_input_test.sh <kflrun> <korconv>
set -u
# shellcheck source=support/program_runs.sh
source "$(dirname "$0")/support/program_runs.sh" "$1" "$2"
refused="is longer than 1048576 characters; it and the rest of the file are not read"
# A line of 1048577 characters without its end.
long_line() { head -c 1048577 /dev/zero | tr '\0' "$1"; }

ln -s /dev/zero zero.met
expect_run "korconv:  <<<< zero.met: line 1 $refused!" "$korconv" zero.met GKSV F=z.out
[ ! -e z.out ] || fail "korconv wrote z.out from an endless input"

# Real plot files of kflrun, each followed by a line that is too long.
make_plot
lines=$(wc -l < plot.met)
{ head -n 3 plot.met; long_line 1; } > body.met
expect_run "korconv:  <<<< body.met: line 4 $refused!" "$korconv" body.met GKSV F=body.out
run_quietly "$korconv" plot.met HPGL F=plot.hpg
{ cat plot.hpg; long_line P; } > long.hpg
expect_run "korconv:  <<<< long.hpg: command $(($(tr -cd ';' < plot.hpg | wc -c) + 1)) $refused!" \
    "$korconv" long.hpg GKSV F=hpgl.out
run_quietly "$korconv" plot.met POST F=plot.psc
{ cat plot.psc; long_line x; } > long.psc
expect_run "korconv:  <<<< long.psc: a word longer than 1048576 characters; it and the rest of the file are not read!" \
    "$korconv" long.psc GKSV F=ps.out
{ head -n 5 plot.psc; long_line x; } > header.psc
expect_run "korconv:  <<<< header.psc: line 6 $refused!" "$korconv" header.psc POST F=cut.psc P=1
ln -s /dev/zero zero.tab
expect_run "korconv:  <<<< zero.tab: line 1 $refused!" "$korconv" plot.met GKSV F=t.out V=zero.tab
[ "$lines" -gt 3 ] || fail "plot.met has only $lines lines"

# kflrun: an included file and a data file that never end, the console input.
ln -s /dev/zero zero.kfl
ln -s /dev/zero zero.kdf
printf '%%KFL\nINCLUDE "zero.kfl"\nPRINT "after"\n' > include.kfl
expect_run " >>>> Not allowed file format in zero.kfl
     after" "$kflrun" include.kfl
{ printf '%%KFL\nPRINT "first"\n'; long_line A; printf '\nPRINT "not read"\n'; } > longrec.kfl
expect_run "     first
 >>>> Record longer than 1048576 characters, the rest of the file is not read in record 3 (longrec.kfl)" \
    "$kflrun" longrec.kfl
printf '%%KFL\nPRINT "run"\n' > data.kfl
expect_run " >>>> Data file zero.kdf: line 1 $refused
 >>>> Not allowed file format in zero.kdf" "$kflrun" -F=zero.kdf data.kfl
# FSCANF skips at most as many blanks before a value as a line may hold: a
# stream of blanks that never ends is refused, as is one blank too many.
mkfifo blanks.txt
tr '\0' ' ' < /dev/zero > blanks.txt 2> /dev/null &
writer=$!
printf '%%KFL\nK = FOPEN("blanks.txt", "r")\nPRINT FSCANF(K, "%%d", N)\nPRINT "after"\n' > blanks.kfl
expect_run " >>>> Blanks longer than 1048576 characters in FSCANF, the value is not read in record 3 (blanks.kfl)
             -1 
     after" "$kflrun" blanks.kfl
kill $writer 2> /dev/null
wait $writer 2> /dev/null
{ head -c 1048576 /dev/zero | tr '\0' ' '; echo 7; } > bound.txt
{ echo; cat bound.txt; } > over.txt
printf '%%KFL\nK = FOPEN("bound.txt", "r")\nPRINT FSCANF(K, "%%d", N)\nPRINT N\nL = FOPEN("over.txt", "r")\nPRINT FSCANF(L, "%%d", M)\n' > bound.kfl
expect_run "              1 
              7 
 >>>> Blanks longer than 1048576 characters in FSCANF, the value is not read in record 6 (bound.kfl)
             -1 " "$kflrun" bound.kfl
got=$(timeout 60 "$kflrun" < /dev/zero 2>&1 | tail -n 1)
[ "$got" = "Input line longer than 1048576 characters: input ends" ] || fail "kflrun < /dev/zero: '$got'"
exit $status
