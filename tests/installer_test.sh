#!/bin/bash
# Whole installations with kflinst on the terminal console, answers on
# standard input, from a distribution directory made by tools/make_dist.sh
# into temporary directories (HOME and XDG_DATA_HOME point there too).
#
#   installer_test.sh <source dir> <directory of the built programs>
set -u
src=$(realpath "$1")
bin=$(realpath "$2")
work=$(mktemp -d)
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
export HOME=$work/home XDG_DATA_HOME=$work/home/data KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none
unset KORVAN KORVAN_PROGMAN
mkdir -p "$HOME"
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

"$src/tools/make_dist.sh" "$src" "$bin" "$work/dist" > /dev/null || { echo "make_dist.sh failed"; exit 1; }
dist=$work/dist
cd "$dist" || exit 1

welcome='KFL Setup: This is the setup program of the graphics soft-
ware KFL for Microsoft Windows 95.
 
Written by the KORVAN developers
of the KORVAN plotting suite project.
 
If you want to continue, press the OK button.
OK or Cancel? '
default_dir=$(grep -m1 '^KORVAN_INSTALL_DIR:' "$bin/../CMakeCache.txt" | cut -d= -f2)
default_dir=${default_dir:-/usr/local/korvan}

# run <input> [kflinst]: runs the installer, keeps its output in out.txt and its exit code in rc.
run() {
    printf '%s' "$1" | timeout 60 "${2:-./kflinst}" > "$work/out.txt" 2> "$work/err.txt"
    rc=$?
}
# The output without the progress lines.
messages() { grep -v '^ *[0-9]*%  ' "$work/out.txt"; }
progress() { grep '^ *[0-9]*%  ' "$work/out.txt"; }

# 1. A fresh installation.
inst=$work/inst
run "ok
$inst
"
[ "$rc" = 0 ] || fail "fresh install: exit code $rc"
want="${welcome}ok
Installation directory: [$default_dir] $inst
Copy
KFL Setup: The installation of KFL is ready.
 
Add the command export KORVAN=$inst
 to the file ~/.profile
 "
[ "$(messages)" = "$want" ] || fail "fresh install: output
$(cat "$work/out.txt")"
for sub in hlp man kfl win; do
    [ -d "$inst/$sub" ] || fail "no directory $sub"
done
rows="bin/kflrun:win/kflrun bin/korconv:win/korconv bin/kflwin:win/kflwin README.md:win/README.md kfl.win:kfl.win"
for f in examples/*.kfl data/*.kdf; do
    rows="$rows $f:kfl/$(basename "$f")"
done
# The manual's files, as manual.lst names them, go to the same paths.
for f in $(cat manual.lst); do
    rows="$rows $f:$f"
done
for f in data/bdta*.dat; do
    rows="$rows $f:$(basename "$f")"
done
count=0
for row in $rows; do
    from=${row%%:*}
    to=${row#*:}
    count=$((count + 1))
    cmp -s "$from" "$inst/$to" || fail "$to differs from $from"
    progress | grep -q "  $from -> $inst/$to\$" || fail "no progress line for $from"
done
[ "$(progress | wc -l)" = "$count" ] || fail "$(progress | wc -l) progress lines for $count files"
[ "$(progress | tail -1 | cut -c1-4)" = "100%" ] || fail "progress does not end at 100%"
progress | cut -c1-3 | awk 'NR > 1 && $1 + 0 < last { bad = 1 } { last = $1 + 0 } END { exit bad }' ||
    fail "progress goes back"
for p in kflrun korconv kflwin; do
    [ -x "$inst/win/$p" ] || fail "win/$p is not runnable"
done
group=$XDG_DATA_HOME/applications/korvan-kfl
entry() {  # entry <name> <exec> <icon>
    printf '[Desktop Entry]\nType=Application\nName=%s\nExec=%s\nIcon=%s\nTerminal=false\nCategories=Graphics;Science;\n' "$1" "$2" "$3"
}
[ "$(cat "$group/kfl.desktop" 2>&1)" = "$(entry KFL "$inst/win/kflwin $inst/kfl.win" applications-graphics)" ] ||
    fail "kfl.desktop: $(cat "$group/kfl.desktop" 2>&1)"
[ "$(cat "$group/kfl-demo.desktop" 2>&1)" = "$(entry 'KFL Demo' "$inst/win/kflrun $inst/kfl.win" applications-science)" ] ||
    fail "kfl-demo.desktop: $(cat "$group/kfl-demo.desktop" 2>&1)"
[ "$(cat "$group/readme.desktop" 2>&1)" = "$(entry Readme "xdg-open $inst/win/README.md" text-x-generic)" ] ||
    fail "readme.desktop: $(cat "$group/readme.desktop" 2>&1)"
[ "$(cat "$group/kfl-manual.desktop" 2>&1)" = "$(entry 'KFL Manual' "xdg-open $inst/win/../hlp/index.html" text-x-generic)" ] ||
    fail "kfl-manual.desktop: $(cat "$group/kfl-manual.desktop" 2>&1)"
[ "$(ls "$group" | wc -l)" = 4 ] || fail "group holds $(ls "$group")"
# The manual of the distribution: every file that manual.lst names, and HELP of
# the installed kflrun reads the installed reference.
while IFS= read -r file; do
    cmp -s "$dist/$file" "$inst/$file" || fail "the manual's $file is not installed"
done < "$dist/manual.lst"
grep -q '^hlp/reference/curves.md$' "$dist/manual.lst" || fail "manual.lst lacks the reference: $(head -3 "$dist/manual.lst")"
printf 'HELP CURVE\nEXIT\n' | (cd "$work" && KORVAN=$inst timeout 60 "$inst/win/kflrun" > help.out 2>&1)
grep -q 'CURVE(XRAY, YRAY, N)' "$work/help.out" || fail "HELP of the installed kflrun: $(head -5 "$work/help.out")"
# The installed interpreter finds the examples through KORVAN.
(cd "$work" && KORVAN=$inst timeout 60 "$inst/win/kflrun" hello < /dev/null > hello.out 2>&1)
grep -q 'Hello from KFL' "$work/hello.out" || fail "installed kflrun does not run hello: $(cat "$work/hello.out")"
# ... and the map outlines: WORLD draws the coastlines without a warning.
printf '%%KFL\nMETAFL("POST")\nKORINI()\nGRAFMP(-180., 180., -180., 90., -90., 90., -90., 30.)\nWORLD()\nKORFIN()\n' \
    > "$work/map.kfl"
(cd "$work" && KORVAN=$inst timeout 60 "$inst/win/kflrun" map.kfl < /dev/null > map.out 2>&1)
grep -q 'Warnings *: *0' "$work/map.out" || fail "installed kflrun draws no world map: $(cat "$work/map.out")"

# 2. Installing again over the tree replaces files and the group's entries.
echo changed > "$inst/kfl/hello.kfl"
echo old > "$group/gone.desktop"
run "
$inst
"
[ "$rc" = 0 ] || fail "reinstall: exit code $rc"
cmp -s examples/hello.kfl "$inst/kfl/hello.kfl" || fail "reinstall did not overwrite kfl/hello.kfl"
[ ! -e "$group/gone.desktop" ] || fail "reinstall kept an old entry of the group"
[ -f "$group/kfl-demo.desktop" ] || fail "reinstall lost the group"

# 3. Cancel in the welcome box, or no answer at all.
run "cancel
$work/never
"
[ "$rc" = 1 ] || fail "cancel: exit code $rc"
[ "$(cat "$work/out.txt")" = "${welcome}cancel" ] || fail "cancel: output $(cat "$work/out.txt")"
[ ! -e "$work/never" ] || fail "cancel made the directory"
run ""
[ "$rc" = 1 ] || fail "no input: exit code $rc"

# 4. The end of input at the directory prompt cancels.
run "ok
"
[ "$rc" = 1 ] || fail "cancelled directory: exit code $rc"
[ "$(tail -1 "$work/out.txt")" = "Installation directory: [$default_dir] " ] || fail "cancelled directory: $(cat "$work/out.txt")"

# 5. A directory whose parent is missing cannot be made.
run "ok
$work/missing/korvan
"
[ "$rc" = 1 ] || fail "uncreatable: exit code $rc"
[ "$(tail -1 "$work/out.txt")" = "Setup: Cannot create directory $work/missing/korvan" ] ||
    fail "uncreatable: $(cat "$work/out.txt")"
[ ! -e "$work/missing" ] || fail "uncreatable: something was made"

# 6. Names that cannot be used are refused, not cut.
long=$work/$(printf 'x%.0s' $(seq 1 260))
run "ok
$long
"
[ "$rc" = 1 ] || fail "long name: exit code $rc"
[ "$(tail -1 "$work/out.txt")" = "Setup: The directory name is longer than 255 characters." ] ||
    fail "long name: $(tail -1 "$work/out.txt")"
run "ok
$work/a,b
"
[ "$(tail -1 "$work/out.txt")" = 'Setup: The directory name must not contain [ ] ( ) , " or two blanks in a row.' ] ||
    fail "comma: $(tail -1 "$work/out.txt")"

# 7. KORVAN is the preset; "~/" is the home directory.
KORVAN=$work/preset run "ok

"
[ "$rc" = 0 ] || fail "preset: exit code $rc"
grep -qxF "Installation directory: [$work/preset] " "$work/out.txt" || fail "preset not shown: $(head -12 "$work/out.txt")"
[ -f "$work/preset/win/kflrun" ] || fail "preset: nothing installed"
run "ok
~/korvan
"
[ -f "$HOME/korvan/kfl.win" ] || fail "~/korvan: nothing installed"
grep -qxF "Add the command export KORVAN=$HOME/korvan" "$work/out.txt" || fail "~/korvan: advice"

# A relative name is taken from the current directory, and advised as the full path.
run "ok
relative/
"
[ -f "$dist/relative/win/kflrun" ] || fail "relative: nothing installed"
grep -qxF "Add the command export KORVAN=$dist/relative" "$work/out.txt" || fail "relative: advice"
grep -qxF "Exec=$dist/relative/win/kflrun $dist/relative/kfl.win" "$XDG_DATA_HOME/applications/korvan-kfl/kfl-demo.desktop" ||
    fail "relative: menu entry"

# 8. A file missing from the distribution is reported and skipped.
rm "$dist/bin/korconv"
run "ok
$work/partial
"
[ "$rc" = 2 ] || fail "missing file: exit code $rc"
grep -qxF "Setup: Cannot open file bin/korconv" "$work/out.txt" || fail "missing file: $(cat "$work/out.txt")"
[ -f "$work/partial/win/kflwin" ] && [ ! -e "$work/partial/win/korconv" ] || fail "missing file: wrong tree"

# 9. Without a program manager the installation still ends, with a message.
KORVAN_PROGMAN=$work/no-such-program run "ok
$work/nogroup
"
[ "$rc" = 2 ] || fail "no program manager: exit code $rc"
want="Setup: Cannot open file bin/korconv
Setup: No program manager answers; the program group KFL is not made.
KFL Setup: The installation of KFL is ready.
 
Add the command export KORVAN=$work/nogroup
 to the file ~/.profile
 "
[ "$(messages | tail -7)" = "$want" ] || fail "no program manager: $(cat "$work/out.txt")"

exit $status
