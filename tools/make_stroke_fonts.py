#!/usr/bin/env python3
"""Builds the stroke font tables of the plotting library from the Hershey fonts.

Reads the Hershey font files (*.jhf) of the Debian package hershey-fonts-data and
writes plot/routines/font_data.cpp: one alphabet table per Hershey set used, with
its glyphs (code, left and right extent, strokes) and metrics, plus the table that
says which alphabet table each library font uses for each alphabet.

Coordinates are written in font units with x relative to the glyph centre (as in
the Hershey data) and y upward from the base line. The Latin alphabets also get
the accented letters of ISO 8859-1 (composed from the letter and an accent drawn
in the weight of the set), the German sharp s and a few signs.

Usage: make_stroke_fonts.py [--hershey DIR] [--output FILE] [--check]
With --check the output is not written; the exit status says whether the existing
file is byte-identical to what would be generated.
"""

import argparse
import os
import sys
import unicodedata

HERSHEY_DIR = "/usr/share/hershey-fonts"
OUTPUT = os.path.join(os.path.dirname(os.path.abspath(__file__)), "..", "plot", "routines", "font_data.cpp")

# Offset added to every coordinate when it is written as a character; a blank
# between points lifts the pen.
OFFSET = 78

# Hershey sets used, in table order: (file, alphabet kind, stroke weight, slant).
# The weight (1 single, 2 double, 3 triple stroke) decides how composed accents are
# drawn; the slant (x shift per unit of height) places accents over italic letters.
SETS = [
    ("futural", "STAN", 1, 0.0),
    ("rowmans", "STAN", 1, 0.0),
    ("rowmand", "STAN", 2, 0.0),
    ("rowmant", "STAN", 3, 0.0),
    ("timesr", "STAN", 2, 0.0),
    ("timesrb", "STAN", 3, 0.0),
    ("futuram", "STAN", 2, 0.0),
    ("gothiceng", "STAN", 3, 0.0),
    ("timesi", "ITAL", 2, 0.22),
    ("timesib", "ITAL", 3, 0.22),
    ("scripts", "SCRI", 1, 0.3),
    ("scriptc", "SCRI", 2, 0.3),
    ("greeks", "GREE", 1, 0.0),
    ("greekc", "GREE", 2, 0.0),
    ("mathupp", "MATH", 1, 0.0),
    ("cyrilc_1", "RUSS", 2, 0.0),
]

FONT_NAMES = ["KORALF", "SIMPLX", "DUPLX", "TRIPLX", "COMPLX", "SERIF", "HELVE", "HELVES", "GOTHIC"]
ALPHABET_ORDER = ["STAN", "GREE", "MATH", "ITAL", "SCRI", "RUSS"]

# Hershey set of every alphabet of every font.
FONTS = {
    "KORALF": ["futural", "greeks", "mathupp", "timesi", "scripts", "cyrilc_1"],
    "SIMPLX": ["rowmans", "greeks", "mathupp", "timesi", "scripts", "cyrilc_1"],
    "DUPLX": ["rowmand", "greekc", "mathupp", "timesi", "scriptc", "cyrilc_1"],
    "TRIPLX": ["rowmant", "greekc", "mathupp", "timesib", "scriptc", "cyrilc_1"],
    "COMPLX": ["timesr", "greekc", "mathupp", "timesi", "scriptc", "cyrilc_1"],
    "SERIF": ["timesrb", "greekc", "mathupp", "timesib", "scriptc", "cyrilc_1"],
    "HELVE": ["futural", "greeks", "mathupp", "timesi", "scripts", "cyrilc_1"],
    "HELVES": ["futuram", "greekc", "mathupp", "timesi", "scriptc", "cyrilc_1"],
    "GOTHIC": ["gothiceng", "greekc", "mathupp", "timesib", "scriptc", "cyrilc_1"],
}

# The Hershey Greek sets hold the letters in Greek order from A (alpha) to X (omega).
# Latin letters select Greek letters by sound and shape, as on the usual symbol
# keyboards; J and V have no Greek letter and stay blank.
GREEK_ORDER = "ABGDEZHQIKLMNXOPRSTUFCYW"  # Latin key of the Greek letter at each position

# The signs of the math set at their Unicode codes, so that a text written in
# Unicode reaches them from every alphabet: code -> ASCII key in the set.
MATH_UNICODE = {
    0x00B1: "!", 0x2213: '"', 0x00D7: "#", 0x00B7: "$", 0x22C5: "$", 0x2264: "&", 0x2265: "'",
    0x2212: "-", 0x220F: ":", 0x2211: ";", 0x2260: "?", 0x2261: "@", 0x221D: "^", 0x221E: "_",
    0x2218: "`", 0x2217: "a", 0x221A: "b", 0x2282: "d", 0x222A: "e", 0x2283: "f", 0x2229: "g",
    0x2208: "h", 0x2192: "i", 0x2191: "j", 0x2190: "k", 0x2193: "l", 0x2202: "m", 0x2207: "n",
    0x222B: "p", 0x2203: "v", 0x2135: "w", 0x00F7: "x", 0x2225: "y", 0x22A5: "z", 0x2220: "|",
    0x2234: "~",
}
# Characters that are drawn as a Greek letter: the micro, ohm and increment signs.
GREEK_ALIASES = {0x00B5: 0x03BC, 0x2126: 0x03A9, 0x2206: 0x0394}
# The white square drawn for a character that no alphabet of a font has.
REPLACEMENT = 0x25A1


def load_set(name, directory):
    """Returns the glyphs of a Hershey file as a list of (left, right, strokes)
    indexed by character code - 32; strokes hold Hershey coordinates (y down)."""
    glyphs = []
    with open(os.path.join(directory, name + ".jhf"), encoding="latin-1") as f:
        text = f.read()
    lines = text.split("\n")
    pending = ""
    for line in lines:
        line = pending + line.rstrip("\r")
        pending = ""
        if not line.strip():
            continue
        count = int(line[5:8])
        data = line[8:]
        if len(data) < 2 * count:
            # Long glyphs may be wrapped onto the following line.
            pending = line
            continue
        left, right = ord(data[0]) - 82, ord(data[1]) - 82
        strokes, current = [], []
        for i in range(1, count):
            a, b = data[2 * i], data[2 * i + 1]
            if a == " " and b == "R":
                if current:
                    strokes.append(current)
                current = []
            else:
                current.append((ord(a) - 82, ord(b) - 82))
        if current:
            strokes.append(current)
        if right <= left and strokes:
            # A glyph without width (rowmant's J): give it its ink and two units
            # of side bearing.
            x0, x1, _, _ = ink_box(strokes)
            left, right = x0 - 2, x1 + 2
        glyphs.append((left, right, strokes))
    return glyphs


def ink_box(strokes):
    xs = [p[0] for s in strokes for p in s]
    ys = [p[1] for s in strokes for p in s]
    return min(xs), max(xs), min(ys), max(ys)


def shift(strokes, dx, dy):
    return [[(x + dx, y + dy) for x, y in s] for s in strokes]


class LatinComposer:
    """Composes accented letters from the letters and marks of one Latin set."""

    def __init__(self, glyphs, weight, slant, math):
        self.g = glyphs
        self.weight = weight
        self.slant = slant
        self.math = math
        h = self.glyph("H")[2]
        self.cap_top, self.baseline = ink_box(h)[2], ink_box(h)[3]
        self.x_top = ink_box(self.glyph("x")[2])[2]
        i_strokes = self.glyph("i")[2]
        self.i_dot = [s for s in i_strokes if max(p[1] for p in s) < self.x_top]
        self.i_stem = [s for s in i_strokes if max(p[1] for p in s) >= self.x_top]
        dot_box = ink_box(self.i_dot)
        self.dot_y = (dot_box[2] + dot_box[3]) // 2
        self.dot_x = (dot_box[0] + dot_box[1]) // 2

    def glyph(self, ch):
        return self.g[ord(ch) - 32]

    def weighted(self, strokes):
        """A mark drawn once for single-stroke sets and twice, one unit apart, for
        the heavier sets, so that accents match the weight of the letters."""
        if self.weight == 1:
            return strokes
        return strokes + shift(strokes, 1, 0)

    def mark(self, kind):
        if kind == "acute":
            return [[(-1, 1), (2, -2)]]
        if kind == "grave":
            return [[(-2, -2), (1, 1)]]
        if kind == "circumflex":
            return [[(-3, 1), (0, -2), (3, 1)]]
        if kind == "tilde":
            return [[(-4, 1), (-3, -1), (-1, -1), (1, 1), (3, 1), (4, -1)]]
        if kind == "ring":
            return [[(-1, -2), (1, -2), (2, -1), (2, 1), (1, 2), (-1, 2), (-2, 1), (-2, -1), (-1, -2)]]
        raise ValueError(kind)

    def place_mark(self, base_strokes, kind, upper):
        """Strokes of a mark centred over the base letter's ink."""
        left, right, top, bottom = ink_box(base_strokes)
        y = self.cap_top - 4 if upper else self.dot_y
        centre = (left + right) / 2 + self.slant * ((top + bottom) / 2 - y)
        if kind == "dieresis":
            dot = shift(self.i_dot, -self.dot_x, -self.dot_y)
            strokes = shift(dot, -3, 0) + shift(dot, 3, 0)
            return shift(strokes, round(centre), y)
        return shift(self.weighted(self.mark(kind)), round(centre), y)

    def accented(self, letter, kind):
        left, right, strokes = self.glyph(letter)
        if letter == "i":
            strokes = self.i_stem
        upper = letter.isupper()
        return left, right, strokes + self.place_mark(strokes, kind, upper)

    def slashed(self, letter):
        left, right, strokes = self.glyph(letter)
        x0, x1, y0, y1 = ink_box(strokes)
        bar = [[(x0 - 1, y1 + 1), (x1 + 1, y0 - 1)]]
        return left, right, strokes + self.weighted(bar)

    def cedilla(self, letter):
        left, right, strokes = self.glyph(letter)
        x0, x1, _, y1 = ink_box(strokes)
        cx = (x0 + x1) // 2 + round(self.slant * 2)
        hook = [[(0, 0), (1, 2), (2, 3), (2, 4), (1, 5), (-2, 5)]]
        return left, right, strokes + shift(self.weighted(hook), cx, y1)

    def ligature(self, first, second):
        """Two letters drawn overlapping: the second starts where the first's ink
        ends less a quarter of its width (AE, ae)."""
        l1, r1, s1 = self.glyph(first)
        _, r2, s2 = self.glyph(second)
        a0, a1, _, _ = ink_box(s1)
        b0, _, _, _ = ink_box(s2)
        dx = a1 - (a1 - a0) // 4 - b0
        return l1, max(r1, r2 + dx), s1 + shift(s2, dx, 0)

    def sharp_s(self):
        # Stem with two bowls, drawn from the base line to the ascender.
        stem = [(0, 9), (0, -6), (1, -9), (3, -11), (5, -12), (7, -12), (9, -11), (10, -9),
                (10, -7), (9, -5), (7, -4), (5, -4)]
        bowl = [(7, -4), (10, -2), (11, 0), (11, 4), (10, 7), (8, 9), (6, 9), (4, 8)]
        strokes = [[(x, y + self.baseline - 9) for x, y in s] for s in (stem, bowl)]
        strokes = [[(x - 6 + round(self.slant * (self.baseline - y)), y) for x, y in s] for s in strokes]
        n_left, n_right, _ = self.glyph("n")
        return n_left, n_right, self.weighted(strokes)

    def turned(self, ch):
        """The character turned half round about the middle of the x-height (¡ ¿)."""
        left, right, strokes = self.glyph(ch)
        mid2 = self.x_top + self.baseline
        return left, right, [[(-x, mid2 - y) for x, y in s] for s in strokes]

    def degree(self):
        ring = [[(-1, -3), (1, -3), (3, -1), (3, 1), (1, 3), (-1, 3), (-3, 1), (-3, -1), (-1, -3)]]
        y = self.cap_top + 3
        return -5, 5, shift(self.weighted(ring), round(self.slant * (self.baseline - y)), y)

    def from_math(self, ch):
        left, right, strokes = self.math[ord(ch) - 32]
        return left, right, strokes

    def composites(self):
        out = {}
        accents = {"acute": "AEIOUYaeiouy", "grave": "AEIOUaeiou", "circumflex": "AEIOUaeiou",
                   "dieresis": "AEIOUaeiouy", "tilde": "ANOano", "ring": "Aa"}
        for kind, letters in accents.items():
            for letter in letters:
                name = {"acute": "ACUTE", "grave": "GRAVE", "circumflex": "CIRCUMFLEX",
                        "dieresis": "DIAERESIS", "tilde": "TILDE", "ring": "RING ABOVE"}[kind]
                out[latin1_code(letter, name)] = self.accented(letter, kind)
        out[0xD8] = self.slashed("O")
        out[0xF8] = self.slashed("o")
        out[0xC7] = self.cedilla("C")
        out[0xE7] = self.cedilla("c")
        out[0xC6] = self.ligature("A", "E")
        out[0xE6] = self.ligature("a", "e")
        out[0xDF] = self.sharp_s()
        out[0xA1] = self.turned("!")
        out[0xBF] = self.turned("?")
        out[0xB0] = self.degree()
        out[0xB1] = self.from_math("!")
        out[0xD7] = self.from_math("#")
        out[0xB7] = self.from_math("$")
        return out


def white_square(glyphs):
    """A square standing on the base line, as high as the capitals."""
    x0, x1, top, bottom = ink_box(glyphs[ord("H") - 32][2])
    half = (bottom - top) // 2
    square = [[(-half, top), (half, top), (half, bottom), (-half, bottom), (-half, top)]]
    return -half - 3, half + 3, square


def latin1_code(letter, accent):

    case = "CAPITAL" if letter.isupper() else "SMALL"
    return ord(unicodedata.lookup("LATIN %s LETTER %s WITH %s" % (case, letter.upper(), accent)))


def build_table(name, kind, weight, slant, directory, math):
    glyphs = load_set(name, directory)
    table = {}
    if kind in ("STAN", "ITAL", "SCRI", "MATH"):
        for code in range(32, 127):
            table[code] = glyphs[code - 32]
    if kind in ("STAN", "ITAL", "SCRI"):
        table.update(LatinComposer(glyphs, weight, slant, math).composites())
    elif kind == "MATH":
        for code, key in MATH_UNICODE.items():
            table[code] = glyphs[ord(key) - 32]
        table[REPLACEMENT] = white_square(glyphs)
    elif kind == "GREE":
        blank = (glyphs[0][0], glyphs[0][1], [])
        for letter in "ABCDEFGHIJKLMNOPQRSTUVWXYZ":
            pos = GREEK_ORDER.find(letter)
            for offset in (0, 32):
                table[ord(letter) + offset] = blank if pos < 0 else glyphs[ord("A") + offset + pos - 32]
        # The Hershey order is the Unicode order, which leaves a gap for the final sigma.
        for pos in range(24):
            unicode_pos = pos + (1 if pos >= 17 else 0)
            table[0x391 + unicode_pos] = glyphs[ord("A") + pos - 32]
            table[0x3B1 + unicode_pos] = glyphs[ord("a") + pos - 32]
        for alias, letter in GREEK_ALIASES.items():
            table[alias] = table[letter]
    elif kind == "RUSS":
        # A-Z are the first 26 letters of the Russian alphabet, in order; the other
        # six (hard sign to ya) are reachable by their Unicode codes, as are all
        # letters. They come from the set that holds them, drawn in the same style.
        for code in list(range(65, 91)) + list(range(97, 123)):
            table[code] = glyphs[code - 32]
        for pos in range(26):
            table[0x410 + pos] = glyphs[ord("A") + pos - 32]
            table[0x430 + pos] = glyphs[ord("a") + pos - 32]
        extra = load_set("cyrillic", directory)
        for pos, (upper, lower) in enumerate(zip("]$_CU^", "|&~cu}")):
            table[0x42A + pos] = extra[ord(upper) - 32]
            table[0x44A + pos] = extra[ord(lower) - 32]
    ref = table.get(ord("H")) or table[ord("A")]
    baseline = ink_box(ref[2])[3]
    return baseline, table


def x_height_reference(kind, table, directory):
    """Strokes of a small letter without ascender: x, omicron for the Greek sets,
    and for the math set the small x of its companion set of small letters."""
    if kind == "GREE":
        return table[ord("o")][2]
    if kind == "MATH":
        return load_set("mathlow", directory)[ord("X") - 32][2]
    return table[ord("x")][2]


def encode(strokes, baseline):
    parts = []
    for s in strokes:
        parts.append("".join(chr(x + OFFSET) + chr(baseline - y + OFFSET) for x, y in s))
    text = " ".join(parts)
    for ch in text:
        if not 33 <= ord(ch) <= 126 and ch != " ":
            raise ValueError("coordinate out of range")
    return text


def c_string(text):
    return text.replace("\\", "\\\\").replace('"', '\\"').replace("?", "\\?")


def generate(directory):
    math = load_set("mathupp", directory)
    out = []
    out.append("// Stroke font tables, generated by tools/make_stroke_fonts.py from the Hershey fonts")
    out.append("// of the Debian package hershey-fonts-data. Do not edit; regenerate instead.")
    out.append("#include \"plot/routines/font_data.hpp\"")
    out.append("")
    out.append("namespace korvan::font_data {")
    out.append("")
    out.append("namespace {")
    out.append("")
    metrics = []
    for index, (name, kind, weight, slant) in enumerate(SETS):
        baseline, table = build_table(name, kind, weight, slant, directory, math)
        strokes_text = []
        records = []
        position = 0
        ascent, descent = -1000, 1000
        for code in sorted(table):
            left, right, strokes = table[code]
            text = encode(strokes, baseline)
            if strokes:
                _, _, top, bottom = ink_box(strokes)
                ascent = max(ascent, baseline - top)
                descent = min(descent, baseline - bottom)
            records.append("    {%d, %d, %d, %d, %d}," % (code, left, right, position, len(text)))
            strokes_text.append(text)
            position += len(text)
        blob = "".join(strokes_text)
        out.append("// %s (%s)" % (name, kind))
        out.append("const char strokes_%d[] =" % index)
        for i in range(0, len(blob), 96):
            out.append('    "%s"' % c_string(blob[i:i + 96]))
        if not blob:
            out.append('    ""')
        out[-1] += ";"
        out.append("const GlyphRecord glyphs_%d[] = {" % index)
        out.extend(records)
        out.append("};")
        out.append("")
        ref = table.get(ord("H")) or table[ord("A")]
        cap = baseline - ink_box(ref[2])[2]
        x_height = baseline - ink_box(x_height_reference(kind, table, directory))[2]
        metrics.append((name, kind, index, cap, x_height, ascent, descent, len(records)))
    out.append("}  // namespace")
    out.append("")
    out.append("const AlphabetRecord alphabet_tables[] = {")
    for name, kind, index, cap, x_height, ascent, descent, count in metrics:
        out.append('    {"%s", "%s", %d, %d, %d, %d, strokes_%d, glyphs_%d, %d},'
                   % (name, kind, cap, x_height, ascent, descent, index, index, count))
    out.append("};")
    out.append("const int alphabet_table_count = %d;" % len(SETS))
    out.append("")
    out.append("// Alphabet table of each font (KORALF, SIMPLX, DUPLX, TRIPLX, COMPLX, SERIF, HELVE,")
    out.append("// HELVES, GOTHIC) for each alphabet (STAN, GREE, MATH, ITAL, SCRI, RUSS).")
    out.append("const signed char font_alphabets[font_table_count][alphabet_kind_count] = {")
    names = [s[0] for s in SETS]
    for font in FONT_NAMES:
        row = ", ".join(str(names.index(n)) for n in FONTS[font])
        out.append("    {%s},  // %s" % (row, font))
    out.append("};")
    out.append("")
    out.append("}  // namespace korvan::font_data")
    return "\n".join(out) + "\n"


def main():
    parser = argparse.ArgumentParser(description=__doc__.split("\n")[0])
    parser.add_argument("--hershey", default=HERSHEY_DIR)
    parser.add_argument("--output", default=OUTPUT)
    parser.add_argument("--check", action="store_true")
    args = parser.parse_args()
    text = generate(args.hershey)
    if args.check:
        try:
            with open(args.output, encoding="ascii") as f:
                same = f.read() == text
        except OSError:
            same = False
        print("%s is %s" % (os.path.normpath(args.output), "up to date" if same else "out of date"))
        return 0 if same else 1
    with open(args.output, "w", encoding="ascii", newline="\n") as f:
        f.write(text)
    return 0


if __name__ == "__main__":
    sys.exit(main())
