#!/bin/sh
# Makes the distribution directory that kflinst installs from:
#   <out>/kflinst, <out>/kflprogman   the installer and its program manager
#   <out>/bin/                         kflrun, korconv, kflwin
#   <out>/README.md, <out>/kfl.win     the readme and the menu's demonstration script
#   <out>/examples/*.kfl, <out>/data/*.kdf
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
cp "$src"/data/*.kdf "$out/data/"
echo "Distribution in $out: run ./kflinst there."
