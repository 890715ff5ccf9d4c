// The character set of texts: UTF-8, with Latin-1 bytes where the bytes are
// no UTF-8, and the replacement of characters a font lacks.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "plot/kernel/characters.hpp"

namespace korvan {
namespace {

std::u32string decoded(std::string_view text)
{
    std::u32string out;
    for (std::size_t i = 0; i < text.size();) {
        std::size_t before = i;
        out += next_character(text, i);
        EXPECT_GT(i, before);
        EXPECT_LE(i, text.size());
    }
    return out;
}

TEST(Characters, WellFormedUtf8)
{
    EXPECT_EQ(decoded("A\xC3\xA9\xC2\xB0"), U"A\u00E9\u00B0");        // two bytes
    EXPECT_EQ(decoded("\xCE\x94t \xE2\x89\xA4 5"), U"\u0394t \u2264 5");  // Greek, three bytes
    EXPECT_EQ(decoded("\xF0\x9D\x9C\x8B"), U"\U0001D70B");              // four bytes
    EXPECT_EQ(decoded("\xF4\x8F\xBF\xBF"), U"\U0010FFFF");              // the last code
    EXPECT_EQ(decoded(""), U"");
}

TEST(Characters, OverlongSurrogateAndOutOfRangeFormsAreLatin1Bytes)
{
    EXPECT_EQ(decoded("\xC0\x80"), U"\u00C0\u0080");
    EXPECT_EQ(decoded("\xC1\xBF"), U"\u00C1\u00BF");
    EXPECT_EQ(decoded("\xE0\x80\xAF"), U"\u00E0\u0080\u00AF");
    EXPECT_EQ(decoded("\xF0\x80\x80\xAF"), U"\u00F0\u0080\u0080\u00AF");
    EXPECT_EQ(decoded("\xED\xA0\x80"), U"\u00ED\u00A0\u0080");  // a surrogate half
    EXPECT_EQ(decoded("\xF4\x90\x80\x80"), U"\u00F4\u0090\u0080\u0080");
    EXPECT_EQ(decoded("\xF8\x88\x80\x80\x80"), U"\u00F8\u0088\u0080\u0080\u0080");
}

TEST(Characters, CutSequencesAndOlderLatin1Texts)
{
    // A sequence cut by the end of the text or by another character.
    EXPECT_EQ(decoded("x\xE2\x89"), U"x\u00E2\u0089");
    EXPECT_EQ(decoded("\xC3"), U"\u00C3");
    EXPECT_EQ(decoded("\xE2\x89" "A"), U"\u00E2\u0089A");
    EXPECT_EQ(decoded("\xF0\x9D\x9C"), U"\u00F0\u009D\u009C");
    // Latin-1 scripts: every byte its character, beside UTF-8 in the same text.
    EXPECT_EQ(decoded("Temp\xE9rature in \xB0" "C"), U"Temp\u00E9rature in \u00B0C");
    EXPECT_EQ(decoded("\xE4\xC3\xB6\xFC"), U"\u00E4\u00F6\u00FC");
    EXPECT_EQ(utf8_text("Temp\xE9rature"), "Temp\xC3\xA9rature");
    EXPECT_EQ(utf8_text("\xCE\x94t"), "\xCE\x94t");
}

TEST(Characters, Utf8RoundTrip)
{
    for (char32_t c : {U'A', U'\u00E9', U'\u0394', U'\u2264', U'\u25A1', U'\U0001D70B', U'\U0010FFFF'}) {
        std::string utf8;
        append_utf8(utf8, c);
        EXPECT_EQ(decoded(utf8), std::u32string(1, c)) << static_cast<unsigned>(c);
    }
}

TEST(Characters, MissingCharactersAreReplacedAndCounted)
{
    auto latin = [](char32_t c) { return c < 0x100 || c == replacement_character; };
    int missing = -1;
    EXPECT_EQ(characters_in_font("a\xCE\x94" "b\xE2\x98\x83\xC3\xA9", latin, missing), U"a\u25A1b\u25A1\u00E9");
    EXPECT_EQ(missing, 2);
    EXPECT_EQ(characters_in_font("plain", latin, missing), U"plain");
    EXPECT_EQ(missing, 0);
    // Control codes are kept and not counted; without the square a "?" stands in.
    auto ascii = [](char32_t c) { return c < 0x80; };
    EXPECT_EQ(characters_in_font("\t\xCE\x94\x7F", ascii, missing), U"\t?\x7F");
    EXPECT_EQ(missing, 1);
}

}  // namespace
}  // namespace korvan
