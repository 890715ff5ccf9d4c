// Layout of the generated stroke font tables (font_data.cpp).
#pragma once

#include <cstdint>

namespace korvan::font_data {

inline constexpr int font_table_count = 9;
inline constexpr int alphabet_kind_count = 6;

// Coordinates are stored as characters: value + coordinate_offset, in pairs (x, y),
// with a blank between two strokes. x is relative to the glyph centre, y upward from
// the base line, both in font units.
inline constexpr int coordinate_offset = 78;

struct GlyphRecord {
    std::uint16_t code;    // character code (ISO 8859-1 for the composed letters)
    std::int8_t left;      // left extent, relative to the glyph centre
    std::int8_t right;     // right extent
    std::uint32_t offset;  // first character of the strokes in the table's stroke text
    std::uint16_t length;  // characters of stroke text
};

struct AlphabetRecord {
    const char* source;     // Hershey set the table was made from
    const char* kind;       // STAN, GREE, MATH, ITAL, SCRI or RUSS
    int cap_height;         // height of the capitals above the base line
    int x_height;           // height of the small letters
    int ascent;             // highest ink of any glyph
    int descent;            // lowest ink of any glyph (negative below the base line)
    const char* strokes;    // stroke text of all glyphs
    const GlyphRecord* glyphs;  // sorted by code
    int glyph_count;
};

extern const AlphabetRecord alphabet_tables[];
extern const int alphabet_table_count;
extern const signed char font_alphabets[font_table_count][alphabet_kind_count];

}  // namespace korvan::font_data
