// The character set of texts: UTF-8, with the single bytes of ISO 8859-1
// (Latin-1) texts of older scripts taken as those characters wherever the
// bytes do not form a UTF-8 sequence.
#pragma once

#include <functional>
#include <string>
#include <string_view>

namespace korvan {

// The character that starts at byte i; i moves past it. A byte that does not
// start a well-formed UTF-8 sequence is one Latin-1 character.
char32_t next_character(std::string_view text, std::size_t& i);

// The byte offset where the character after the first n characters starts
// (the text's size when it has no more than n); never inside a character.
std::size_t character_offset(std::string_view text, std::size_t n);

// The number of characters of a text.
std::size_t character_count(std::string_view text);

// The text in UTF-8 by the rule above.
std::string utf8_text(std::string_view text);

// Appends a character in UTF-8.
void append_utf8(std::string& out, char32_t c);

// The character drawn for one that no font of the device has: a white square.
inline constexpr char32_t replacement_character = U'\u25A1';

// True for the characters a text draws (not the control codes).
inline bool is_printable(char32_t c) { return c >= 0x20 && c != 0x7F && (c < 0x80 || c >= 0xA0); }

// The characters of a text for a font that has the characters has() accepts:
// a printable character it lacks becomes the replacement character (or "?"
// where the font lacks that too) and is counted in missing.
std::u32string characters_in_font(std::string_view text, const std::function<bool(char32_t)>& has, int& missing);

}  // namespace korvan
