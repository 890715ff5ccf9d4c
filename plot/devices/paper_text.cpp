#include "plot/devices/paper_text.hpp"

#include "plot/devices/paper_fonts.hpp"
#include "plot/kernel/characters.hpp"
#include "plot/kernel/kernel.hpp"

namespace korvan {

std::string paper_text_in_font(const PaperFont& font, std::string_view text, bool report)
{
    const char32_t square = paper_font_has(font, U'\u25A1') ? U'\u25A1' : U'?';
    std::string out;
    int missing = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = next_character(text, i);
        if (c >= 0x20 && c != 0x7F && !paper_font_has(font, c)) {
            ++missing;
            c = square;
        }
        append_utf8(out, c);
    }
    if (report && missing > 0)
        warn_missing_characters(missing, text);
    return out;
}

}  // namespace korvan
