// Hardware text on the screen: strings in the screen's own font drawn into
// the current window's bitmap in the pen's colour, and their lengths.
// Without the font file the screen has no hardware font (text then stays
// with the stroke fonts).
#pragma once

#include <string>
#include <string_view>

namespace korvan::win {

bool screen_font_available();

// Draws text with the start of its base line at pixel position (x, y) of the
// current window (fractions allowed), capital letters cap_pixels tall and
// the base line turned by angle degrees counter-clockwise.
void draw_text(double x, double y, std::u32string_view text, double cap_pixels, double angle);

// The advance of a string in units of the height of the capital letters.
double text_advance(std::u32string_view text);

// True when the screen font has a glyph for the character.
bool screen_font_has(char32_t c);

}  // namespace korvan::win
