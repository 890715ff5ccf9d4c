#!/bin/sh
# Makes the distribution directory that kflinst installs from:
#   <out>/kflinst, <out>/kflprogman   the installer and its program manager
#   <out>/bin/                         kflrun, korconv, kflwin
#   <out>/README.md, <out>/kfl.win     the readme and the menu's demonstration script
#   <out>/examples/*.kfl, <out>/data/*.kdf, <out>/data/bdta*.dat (map outlines)
#   <out>/hlp, <out>/man, <out>/manual.lst  the manual of the docs build (the
#                                      build directory's hlp and man) and the
#                                      list of its files that kflinst installs
#
#   make_dist.sh <source dir> <build bin dir> <out>
set -eu
src=$1
bin=$2
out=$3
rm -rf "$out"
mkdir -p "$out/bin" "$out/examples" "$out/data"
cp "$bin/kflinst" "$bin/kflprogman" "$out/"
for program in kflrun korconv kflwin; do
    if [ -f "$bin/$program" ]; then
        cp "$bin/$program" "$out/bin/"
    else
        echo "make_dist.sh: $bin/$program is not built; the distribution lacks it" >&2
    fi
done
cp "$src/README.md" "$out/"
cp "$src/installer/kfl.win" "$out/"
cp "$src"/examples/*.kfl "$out/examples/"
cp "$src"/data/*.kdf "$src"/data/bdta*.dat "$out/data/"
# The manual, as far as the build has made it: the reference that HELP reads
# always, the HTML pages and man pages after the docs build.
build=$(dirname "$bin")
: > "$out/manual.lst"
for part in hlp man; do
    if [ -d "$build/$part" ]; then
        cp -r "$build/$part" "$out/$part"
        (cd "$out" && find "$part" -type f ! -name ".*" | sort) >> "$out/manual.lst"
    fi
done
[ -f "$out/hlp/index.html" ] || echo "make_dist.sh: the HTML manual is not built (the docs target); the distribution lacks it" >&2
echo "Distribution in $out: run ./kflinst there."
