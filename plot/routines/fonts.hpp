// Stroke fonts: glyph outlines as pen strokes, looked up by font, alphabet and character.
//
// A font is a set of six alphabets (standard, Greek, math, italic, script, Cyrillic).
// Glyphs are given in font units: x relative to the glyph centre, y upward from the
// base line. A glyph occupies [left, right] horizontally; the pen advances by
// right - left. The capitals of every alphabet are cap_height units high, so a text
// drawn with character height h (plot units) uses the scale h / cap_height.
//
// Character codes: printable ASCII (32..126) in every alphabet; in the Greek and
// Cyrillic alphabets the letters A-Z and a-z select Greek and Cyrillic letters, and
// letters without a counterpart are blank. The Greek and Cyrillic alphabets also
// hold their letters at their Unicode codes (0x391.., 0x410..), which is the only
// way to the last six Russian letters (hard sign to ya). Characters an alphabet
// does not define come from the font's standard alphabet. The standard, italic and script alphabets
// also hold the accented letters of ISO 8859-1 (codes 0xC0..0xFF), the sharp s, the
// inverted marks, and the signs degree, plus-minus, multiplication and middle dot.
// The math alphabet holds its signs also at their Unicode codes (less-or-equal 0x2264, infinity
// 0x221E ...) and the white square 0x25A1 that stands for a character no alphabet has;
// the Greek alphabet holds the micro, ohm and increment signs as mu, Omega and Delta.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

namespace korvan {

enum class StrokeFont : std::uint8_t { koralf, simplx, duplx, triplx, complx, serif, helve, helves, gothic };
inline constexpr int stroke_font_count = 9;

enum class Alphabet : std::uint8_t { standard, greek, math, italic, script, russian };
inline constexpr int alphabet_count = 6;

// National character sets selected by a shift character before a letter.
enum class NationalSet : std::uint8_t { german, danish, spanish, french, acute, grave, circumflex };
inline constexpr int national_set_count = 7;

struct GlyphPoint {
    int x;
    int y;
};

using GlyphStroke = std::span<const GlyphPoint>;  // one pen-down polyline

struct Glyph {
    char32_t code = 0;
    int left = 0;   // left extent relative to the glyph centre (font units)
    int right = 0;  // right extent
    // Ink box of the strokes; all zero for a blank glyph.
    int ink_left = 0;
    int ink_right = 0;
    int ink_bottom = 0;
    int ink_top = 0;
    std::span<const GlyphStroke> strokes;  // the pen lifts between strokes

    int advance() const { return right - left; }
    bool blank() const { return strokes.empty(); }
};

struct AlphabetMetrics {
    int cap_height = 0;     // height of the capitals: the character height in font units
    int x_height = 0;       // height of the small letters
    int ascent = 0;         // highest ink above the base line
    int descent = 0;        // lowest ink, negative below the base line
    int space_advance = 0;  // advance of the blank
};

// Library font names ("KORALF" ...) and alphabet and national keywords ("STAN",
// "GERM" ...). Keywords are matched on their first four letters, ignoring case.
std::string_view font_name(StrokeFont font);
std::optional<StrokeFont> font_by_name(std::string_view name);
std::string_view alphabet_keyword(Alphabet alphabet);
std::optional<Alphabet> alphabet_by_keyword(std::string_view keyword);
std::string_view national_keyword(NationalSet set);
std::optional<NationalSet> national_set_by_keyword(std::string_view keyword);

// The Hershey set an alphabet of a font is drawn from ("rowmans" ...).
std::string_view glyph_source(StrokeFont font, Alphabet alphabet);

AlphabetMetrics alphabet_metrics(StrokeFont font, Alphabet alphabet);

// The glyph for a character from the alphabet or the font's standard
// alphabet, and for a character beyond ASCII from any alphabet of the font;
// null when none has it. found_in, when given, receives the alphabet.
const Glyph* find_glyph(StrokeFont font, Alphabet alphabet, char32_t code, Alphabet* found_in = nullptr);

// The glyph for a character; characters without a glyph are drawn as a blank.
const Glyph& glyph(StrokeFont font, Alphabet alphabet, char32_t code);

// The glyphs an alphabet defines itself, sorted by code (without those it takes
// from the standard alphabet).
std::span<const Glyph> alphabet_glyphs(StrokeFont font, Alphabet alphabet);

// The national form of a letter after the shift character of a national set
// (German A -> 0xC4, s -> 0xDF ...); 0 when the letter has none in that set.
char32_t national_character(NationalSet set, char32_t letter);

// Placement of a glyph on the page. Plot coordinates grow to the right and
// downward; the text direction turns counter-clockwise by the angle.
struct GlyphPlacement {
    double x = 0;             // left edge of the glyph on the base line
    double y = 0;
    double scale = 1;         // plot units per font unit (character height / cap height)
    double width_factor = 1;  // horizontal stretch of the glyph
    double shear = 0;         // slant: sideways shift per unit of height
    double cos_angle = 1;
    double sin_angle = 0;
};

struct PlotPoint {
    double x;
    double y;
};

// Plot units per font unit for a character height in plot units.
double glyph_scale(const AlphabetMetrics& metrics, double character_height);

// Where a point of a glyph lands on the page.
PlotPoint place_glyph_point(const GlyphPlacement& placement, const Glyph& glyph, GlyphPoint point);

// The pen advance of a glyph in plot units along the text direction.
double glyph_advance(const GlyphPlacement& placement, const Glyph& glyph);

// For fixed spacing, where every character takes a cell of the same width (plot
// units along the text direction): how far into its cell the glyph's left edge goes
// so that its ink is centred in the cell. Blank glyphs are centred by their advance.
double fixed_cell_inset(const GlyphPlacement& placement, const Glyph& glyph, double cell_width);

}  // namespace korvan
