// Text for a paper font: the characters the font has, and a visible
// replacement for each one it lacks.
#pragma once

#include <string>
#include <string_view>

namespace korvan {

struct PaperFont;

// The text in UTF-8 (Latin-1 bytes of older scripts taken as such) with every
// character the font lacks replaced by a white square, or "?" where the font
// has no square either. With report, the replaced characters are counted in
// one warning for the text.
std::string paper_text_in_font(const PaperFont& font, std::string_view text, bool report = true);

}  // namespace korvan
