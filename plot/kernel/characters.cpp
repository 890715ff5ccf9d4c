#include "plot/kernel/characters.hpp"

namespace korvan {

char32_t next_character(std::string_view text, std::size_t& i)
{
    auto byte = [&](std::size_t k) { return static_cast<unsigned char>(text[k]); };
    auto continuation = [&](std::size_t k) { return k < text.size() && (byte(k) & 0xC0) == 0x80; };
    const unsigned char b = byte(i);
    int extra = 0;
    char32_t c = 0;
    char32_t least = 0;
    if (b >= 0xC2 && b <= 0xDF) {
        extra = 1;
        c = b & 0x1F;
        least = 0x80;
    } else if (b >= 0xE0 && b <= 0xEF) {
        extra = 2;
        c = b & 0x0F;
        least = 0x800;
    } else if (b >= 0xF0 && b <= 0xF4) {
        extra = 3;
        c = b & 0x07;
        least = 0x10000;
    }
    for (int k = 1; k <= extra; ++k) {
        if (!continuation(i + static_cast<std::size_t>(k))) {
            extra = 0;
            break;
        }
        c = (c << 6) | (byte(i + static_cast<std::size_t>(k)) & 0x3F);
    }
    // Overlong forms, surrogates and code points beyond Unicode are no UTF-8.
    if (extra > 0 && c >= least && c <= 0x10FFFF && (c < 0xD800 || c > 0xDFFF)) {
        i += static_cast<std::size_t>(extra) + 1;
        return c;
    }
    ++i;
    return b;
}

std::size_t character_offset(std::string_view text, std::size_t n)
{
    std::size_t i = 0;
    for (std::size_t k = 0; k < n && i < text.size(); ++k)
        next_character(text, i);
    return i;
}

std::size_t character_count(std::string_view text)
{
    std::size_t n = 0;
    for (std::size_t i = 0; i < text.size(); ++n)
        next_character(text, i);
    return n;
}

void append_utf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

std::string utf8_text(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();)
        append_utf8(out, next_character(text, i));
    return out;
}

std::u32string characters_in_font(std::string_view text, const std::function<bool(char32_t)>& has, int& missing)
{
    const char32_t replacement = has(replacement_character) ? replacement_character : U'?';
    std::u32string out;
    missing = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = next_character(text, i);
        if (is_printable(c) && !has(c)) {
            ++missing;
            c = replacement;
        }
        out += c;
    }
    return out;
}

}  // namespace korvan
