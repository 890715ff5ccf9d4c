#!/bin/bash
# The gallery page of the manual: runs every example of examples/ in a fresh
# directory (with the data files of data/) and writes OUT/gallery.md with the
# picture and the script of each, the pictures as OUT/gallery/<example>.png.
# Screen plots drawn without a display are korvan_win<n>.png already; GKSVAN
# metafiles are drawn by gksvan_png; an example that writes another format
# is run once more with "-D=GKSV" and its metafile drawn. An example that
# gives an interpreter message (" >>>> ...") fails the gallery.
#   make_gallery.sh <source dir> <kflrun> <gksvan_png> <out dir>
set -u
src=$1
kflrun=$(realpath "$2")
gksvan_png=$(realpath "$3")
out=$4
mkdir -p "$out/gallery"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
page="$out/gallery.md"
failed=0
{
    echo "# Gallery"
    echo
    echo "Every example script of the \"kfl\" directory of the installation (examples/ in"
    echo "the sources), with the picture it draws or the text it prints. The pictures"
    echo "were made by running the scripts when this manual was built; copy a script"
    echo "and its data file into a directory of your own and run it with"
    echo "\"kflrun NAME\" to see it on the screen."
    echo
} > "$page"
for script in "$src"/examples/*.kfl; do
    name=$(basename "$script" .kfl)
    run="$work/$name"
    mkdir -p "$run"
    # As installed: the examples (which include each other) beside their data
    # files, and the map files, which kflrun also finds in the current directory.
    cp "$src"/examples/*.kfl "$src"/data/*.kdf "$src"/data/bdta*.dat "$run/" 2>/dev/null
    (cd "$run" && env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
        timeout 120 "$kflrun" "$name.kfl" < /dev/null > printed.txt 2>&1)
    rc=$?
    if [ $rc -ne 0 ] || grep -q ">>>>" "$run/printed.txt"; then
        echo "make_gallery.sh: $name.kfl: exit code $rc, $(grep -m1 '>>>>' "$run/printed.txt")" >&2
        failed=1
    fi
    picture="$out/gallery/$name.png"
    rm -f "$picture"
    if [ -f "$run/korvan_win1.png" ]; then
        cp "$run/korvan_win1.png" "$picture"
    elif [ -n "$(compgen -G "$run/*.met")" ]; then
        "$gksvan_png" "$(compgen -G "$run/*.met" | head -1)" "$picture" 800 >/dev/null
    elif [ -n "$(compgen -G "$run/*.psc")$(compgen -G "$run/*.cgm")$(compgen -G "$run/*.hpg")" ]; then
        again="$work/$name.gksv"
        mkdir -p "$again"
        cp "$src"/examples/*.kfl "$src"/data/*.kdf "$again/" 2>/dev/null
        touch "$again/.start"
        (cd "$again" && env -u KFL_PATH -u KFL_DATA -u KORVAN KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none \
            timeout 120 "$kflrun" -D=GKSV "$name.kfl" < /dev/null > /dev/null 2>&1)
        metafile=$(find "$again" -type f -newer "$again/.start" | head -1)
        [ -n "$metafile" ] && "$gksvan_png" "$metafile" "$picture" 800 >/dev/null
    fi
    {
        echo "## $name"
        echo
        title=$(grep -m1 '^//' "$script" | sed 's|^// *||')
        [ -n "$title" ] && { echo "$title"; echo; }
        if [ -f "$picture" ]; then
            echo "![$name.kfl](gallery/$name.png)"
            echo
        fi
        # The run's own lines about where pictures went are left out.
        printed=$(grep -v -e "Window picture:" -e "^ *$" "$run/printed.txt" | head -30)
        if [ -n "$printed" ]; then
            echo "It prints:"
            echo
            echo '```'
            echo "$printed"
            echo '```'
            echo
        fi
        echo "The script $name.kfl:"
        echo
        echo '```'
        cat "$script"
        echo '```'
        echo
    } >> "$page"
done
exit $failed
