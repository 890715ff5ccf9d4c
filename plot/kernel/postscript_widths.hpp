// Character widths of the 35 standard PostScript fonts, in 1/1000 of the font
// size, for the codes of the re-encoded fonts (postscript_width_first and on),
// and the characters of the Symbol font beyond ASCII.
#pragma once

#include <cstdint>

#include "plot/kernel/postscript.hpp"

namespace korvan {

inline constexpr int postscript_width_first = 32;
inline constexpr int postscript_width_codes = 0261 - postscript_width_first + 1;

extern const std::uint16_t postscript_widths[postscript_standard_font_count][postscript_width_codes];

// A character beyond ASCII that the Symbol font has: its Unicode code, its
// code in the Symbol font and its width (1/1000 of the font size).
struct PostScriptSymbol {
    char32_t unicode;
    std::uint8_t code;
    std::uint16_t width;
};

inline constexpr int postscript_symbol_count = 127;

// Sorted by Unicode code.
extern const PostScriptSymbol postscript_symbols[postscript_symbol_count];

// The Symbol font's entry for a character; nullptr when it has none.
const PostScriptSymbol* find_postscript_symbol(char32_t c);

}  // namespace korvan
