// Character widths of the 35 standard PostScript fonts, in 1/1000 of the font
// size, for the codes of the re-encoded fonts (postscript_width_first and on).
#pragma once

#include <cstdint>

#include "plot/kernel/postscript.hpp"

namespace korvan {

inline constexpr int postscript_width_first = 32;
inline constexpr int postscript_width_codes = 0261 - postscript_width_first + 1;

extern const std::uint16_t postscript_widths[postscript_standard_font_count][postscript_width_codes];

}  // namespace korvan
