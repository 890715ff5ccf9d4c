#include "plot/devices/paper_text.hpp"

#include "plot/devices/paper_fonts.hpp"
#include "plot/kernel/characters.hpp"
#include "plot/kernel/kernel.hpp"

namespace korvan {

std::string paper_text_in_font(const PaperFont& font, std::string_view text, bool report)
{
    int missing = 0;
    std::u32string characters =
        characters_in_font(text, [&](char32_t c) { return paper_font_has(font, c); }, missing);
    if (report && missing > 0)
        warn_missing_characters(missing, text);
    std::string out;
    for (char32_t c : characters)
        append_utf8(out, c);
    return out;
}

}  // namespace korvan
