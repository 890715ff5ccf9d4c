#!/bin/bash
# The docs build: the HTML manual with its routine index and gallery, and the
# man pages.
#   make_docs.sh <source dir> <kflrun> <gksvan_png> <out dir>
# writes <out>/hlp (index.html, the chapters, routines.html, gallery.html with
# gallery/*.png, reference/*.html and the reference's Markdown that HELP reads)
# and <out>/man (kflrun.1, korconv.1, kflwin.1, kflinst.1, korvan.7).
set -eu
src=$1
kflrun=$2
gksvan_png=$3
out=$4
for tool in pandoc python3; do
    command -v $tool >/dev/null || { echo "make_docs.sh: $tool is missing; the manual is not built" >&2; exit 77; }
done
doc="$src/doc"
hlp="$out/hlp"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$hlp/reference" "$out/man"

"$src/tools/make_gallery.sh" "$src" "$kflrun" "$gksvan_png" "$work"
rm -rf "$hlp/gallery"
cp -r "$work/gallery" "$hlp/gallery"
python3 "$src/tools/kfl_reference.py" index "$src" "$work/routines.md" >/dev/null

navigation() {  # $1: the way from the page to the manual's top directory
    cat <<NAV
<nav class="manual"><a href="$1index.html">Contents</a><a href="$1tutorial.html">Tutorial</a><a href="$1language.html">Language</a><a href="$1concepts.html">Concepts</a><a href="$1programs.html">Programs</a><a href="$1routines.html">Routine index</a><a href="$1gallery.html">Gallery</a></nav>
NAV
}
navigation "" > "$work/nav.html"
navigation "../" > "$work/nav_up.html"

# html <markdown> <html> <nav> <style sheet>: one page; its "# Title" is the page title.
html() {
    pandoc --from markdown-tex_math_dollars-raw_tex-smart --to html5 --standalone --toc --toc-depth=2 \
        --shift-heading-level-by=-1 --lua-filter "$doc/links.lua" \
        --include-before-body "$3" --css "$4" \
        --output "$2" "$1"
}
for page in "$doc"/*.md; do
    html "$page" "$hlp/$(basename "${page%.md}").html" "$work/nav.html" style.css
done
html "$work/gallery.md" "$hlp/gallery.html" "$work/nav.html" style.css
# The index's search box is plain HTML with a small script; no table of contents.
pandoc --from markdown-tex_math_dollars-raw_tex-smart --to html5 --standalone --include-before-body "$work/nav.html" --css style.css \
    --output "$hlp/routines.html" "$work/routines.md"
for page in "$doc"/reference/*.md; do
    html "$page" "$hlp/reference/$(basename "${page%.md}").html" "$work/nav_up.html" ../style.css
    cp "$page" "$hlp/reference/"
done
cp "$doc/style.css" "$hlp/"

for page in "$doc"/man/*.md; do
    pandoc --from markdown --to man --standalone --output "$out/man/$(basename "${page%.md}")" "$page"
done
echo "The manual is in $hlp/index.html, the man pages in $out/man."
