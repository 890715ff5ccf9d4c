#!/usr/bin/env python3
"""Writes plot/kernel/postscript_widths.cpp: the character widths of the 35
standard PostScript fonts for the codes of the re-encoded fonts that the
PostScript writer uses (32..126 as the font's own encoding, 127..177 the
accented letters of the German vector), taken from the font metric files of
the URW base 35 fonts (Debian package fonts-urw-base35, which Ghostscript
uses for these fonts); and the characters of the Symbol font by their Unicode
codes, with their codes in the Symbol font and their widths, for the text
that the re-encoded fonts cannot show.

Usage: tools/make_ps_widths.py [afm-directory] > plot/kernel/postscript_widths.cpp
"""
import os
import sys
import unicodedata

AFM_DIR = sys.argv[1] if len(sys.argv) > 1 else "/usr/share/fonts/type1/urw-base35"

# Standard name, metric file; in the writer's table order.
FONTS = [
    ("Times-Roman", "NimbusRoman-Regular"),
    ("Times-Bold", "NimbusRoman-Bold"),
    ("Times-Italic", "NimbusRoman-Italic"),
    ("Times-BoldItalic", "NimbusRoman-BoldItalic"),
    ("Helvetica", "NimbusSans-Regular"),
    ("Helvetica-Bold", "NimbusSans-Bold"),
    ("Helvetica-Oblique", "NimbusSans-Italic"),
    ("Helvetica-BoldOblique", "NimbusSans-BoldItalic"),
    ("Helvetica-Narrow", "NimbusSansNarrow-Regular"),
    ("Helvetica-Narrow-Bold", "NimbusSansNarrow-Bold"),
    ("Helvetica-Narrow-Oblique", "NimbusSansNarrow-Oblique"),
    ("Helvetica-Narrow-BoldOblique", "NimbusSansNarrow-BoldOblique"),
    ("NewCenturySchlbk-Roman", "C059-Roman"),
    ("NewCenturySchlbk-Italic", "C059-Italic"),
    ("NewCenturySchlbk-Bold", "C059-Bold"),
    ("NewCenturySchlbk-BoldItalic", "C059-BdIta"),
    ("ZapfChancery-MediumItalic", "Z003-MediumItalic"),
    ("ZapfDingbats", "D050000L"),
    ("Courier", "NimbusMonoPS-Regular"),
    ("Courier-Bold", "NimbusMonoPS-Bold"),
    ("Courier-Oblique", "NimbusMonoPS-Italic"),
    ("Courier-BoldOblique", "NimbusMonoPS-BoldItalic"),
    ("AvantGarde-Book", "URWGothic-Book"),
    ("AvantGarde-Demi", "URWGothic-Demi"),
    ("AvantGarde-BookOblique", "URWGothic-BookOblique"),
    ("AvantGarde-DemiOblique", "URWGothic-DemiOblique"),
    ("Bookman-Light", "URWBookman-Light"),
    ("Bookman-LightItalic", "URWBookman-LightItalic"),
    ("Bookman-Demi", "URWBookman-Demi"),
    ("Bookman-DemiItalic", "URWBookman-DemiItalic"),
    ("Palatino-Roman", "P052-Roman"),
    ("Palatino-Italic", "P052-Italic"),
    ("Palatino-Bold", "P052-Bold"),
    ("Palatino-BoldItalic", "P052-BoldItalic"),
    ("Symbol", "StandardSymbolsPS"),
]

GERMAN = ("Adieresis Odieresis Udieresis adieresis odieresis udieresis germandbls Aring Oslash AE "
          "aring oslash ae Ntilde ntilde Ccedilla ccedilla Edieresis Idieresis edieresis idieresis "
          "Aacute Eacute Iacute Oacute Uacute aacute eacute iacute oacute uacute Agrave Egrave Igrave "
          "Ograve Ugrave agrave egrave igrave ograve ugrave Acircumflex Ecircumflex Icircumflex "
          "Ocircumflex Ucircumflex acircumflex ecircumflex icircumflex ocircumflex ucircumflex").split()
FIRST = 32
LAST = 0o177 + len(GERMAN) - 1

# Unicode codes of the Symbol font's glyph names that are no Greek letter names.
SYMBOL_NAMES = {
    "universal": 0x2200, "existential": 0x2203, "suchthat": 0x220B, "asteriskmath": 0x2217,
    "minus": 0x2212, "congruent": 0x2245, "therefore": 0x2234, "perpendicular": 0x22A5,
    "similar": 0x223C, "minute": 0x2032, "lessequal": 0x2264, "infinity": 0x221E, "florin": 0x0192,
    "club": 0x2663, "diamond": 0x2666, "heart": 0x2665, "spade": 0x2660, "arrowboth": 0x2194,
    "arrowleft": 0x2190, "arrowup": 0x2191, "arrowright": 0x2192, "arrowdown": 0x2193,
    "degree": 0x00B0, "plusminus": 0x00B1, "second": 0x2033, "greaterequal": 0x2265,
    "multiply": 0x00D7, "proportional": 0x221D, "partialdiff": 0x2202, "bullet": 0x2022,
    "divide": 0x00F7, "notequal": 0x2260, "equivalence": 0x2261, "approxequal": 0x2248,
    "ellipsis": 0x2026, "aleph": 0x2135, "Ifraktur": 0x2111, "Rfraktur": 0x211C,
    "weierstrass": 0x2118, "circlemultiply": 0x2297, "circleplus": 0x2295, "emptyset": 0x2205,
    "intersection": 0x2229, "union": 0x222A, "propersuperset": 0x2283, "reflexsuperset": 0x2287,
    "notsubset": 0x2284, "propersubset": 0x2282, "reflexsubset": 0x2286, "element": 0x2208,
    "notelement": 0x2209, "angle": 0x2220, "gradient": 0x2207, "registerserif": 0x00AE,
    "copyrightserif": 0x00A9, "trademarkserif": 0x2122, "product": 0x220F, "radical": 0x221A,
    "dotmath": 0x22C5, "logicalnot": 0x00AC, "logicaland": 0x2227, "logicalor": 0x2228,
    "arrowdblboth": 0x21D4, "arrowdblleft": 0x21D0, "arrowdblup": 0x21D1, "arrowdblright": 0x21D2,
    "arrowdbldown": 0x21D3, "lozenge": 0x25CA, "angleleft": 0x2329, "summation": 0x2211,
    "angleright": 0x232A, "integral": 0x222B, "Euro": 0x20AC,
    "theta1": 0x03D1, "phi1": 0x03D5, "sigma1": 0x03C2, "omega1": 0x03D6, "Upsilon1": 0x03D2,
}
# Characters shown by a glyph of another name: micro, ohm and increment signs.
SYMBOL_ALIASES = {0x00B5: "mu", 0x2126: "Omega", 0x2206: "Delta"}


def symbol_unicode(name):
    if name in SYMBOL_NAMES:
        return SYMBOL_NAMES[name]
    case = "CAPITAL" if name[0].isupper() else "SMALL"
    try:
        return ord(unicodedata.lookup("GREEK %s LETTER %s" % (case, name.upper())))
    except KeyError:
        return None


def symbol_characters():
    """(unicode, code, width) of the Symbol glyphs beyond ASCII, sorted by code."""
    glyphs = {}
    with open(os.path.join(AFM_DIR, "StandardSymbolsPS.afm"), encoding="latin-1") as f:
        for line in f:
            if line.startswith("C "):
                fields = dict(p.strip().split(" ", 1) for p in line.split(";") if p.strip())
                code = int(fields["C"])
                if code >= 0:
                    glyphs[fields.get("N", "")] = (code, int(round(float(fields["WX"]))))
    out = {}
    for name, (code, wx) in glyphs.items():
        u = symbol_unicode(name)
        if u is not None and u >= 0x80:
            out[u] = (code, wx)
    for u, name in SYMBOL_ALIASES.items():
        out[u] = glyphs[name]
    return sorted((u, c, w) for u, (c, w) in out.items())


def widths(afm):
    by_code = {}
    by_name = {}
    with open(os.path.join(AFM_DIR, afm + ".afm"), encoding="latin-1") as f:
        for line in f:
            if not line.startswith("C "):
                continue
            fields = dict(p.strip().split(" ", 1) for p in line.split(";") if p.strip())
            code = int(fields["C"])
            wx = int(round(float(fields["WX"])))
            name = fields.get("N", "")
            if code >= 0:
                by_code[code] = wx
            by_name[name] = wx
    out = []
    for code in range(FIRST, 127):
        out.append(by_code.get(code, 0))
    for name in GERMAN:
        out.append(by_name.get(name, 0))
    return out


def main():
    print("// Generated by tools/make_ps_widths.py from the URW base 35 font metrics; do not edit.")
    print("// Character widths in 1/1000 of the font size, codes %d..%d of the re-encoded fonts." % (FIRST, LAST))
    print('#include "plot/kernel/postscript_widths.hpp"')
    print()
    print("namespace korvan {")
    print()
    print("const std::uint16_t postscript_widths[postscript_standard_font_count][postscript_width_codes] = {")
    for name, afm in FONTS:
        w = widths(afm)
        assert len(w) == LAST - FIRST + 1
        print("    // %s" % name)
        print("    {")
        for i in range(0, len(w), 16):
            print("        " + " ".join("%d," % v for v in w[i:i + 16]))
        print("    },")
    print("};")
    print()
    chars = symbol_characters()
    print("const PostScriptSymbol postscript_symbols[postscript_symbol_count] = {")
    for i in range(0, len(chars), 4):
        print("    " + " ".join("{0x%04X, %d, %d}," % c for c in chars[i:i + 4]))
    print("};")
    print("static_assert(%d == postscript_symbol_count);" % len(chars))
    print()
    print("}  // namespace korvan")


main()
