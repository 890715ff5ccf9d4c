// Library routines that draw nothing: numbers as texts, upper-case texts,
// byte order and bit fields of integer arrays.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

namespace korvan {

// The text of x as NUMBER draws it with ndig digits (-1 whole); returns its
// number of characters.
int fcha(double x, int ndig, std::string& text);
// The text of an integer; returns its number of characters.
int intcha(int n, std::string& text);
// The number of characters FCHA and INTCHA give.
int flen(double x, int ndig);
int intlen(int n);
// Turns the text into upper case, in place.
void upstr(std::span<char> text);
// Swaps the byte order of the first n elements.
void swapi2(std::span<std::int16_t> values, int n);
void swapi4(std::span<std::int32_t> values, int n);
// Copies nbits bits of `from`, starting at bit `at_from`, into `into` at bit
// `at_into` and returns the result; bits are counted from the most
// significant one (0) of the 16-bit or 32-bit word. Out-of-range positions
// give warning 2 and `into` unchanged.
std::int16_t bitsi2(int nbits, int from, int at_from, int into, int at_into);
int bitsi4(int nbits, int from, int at_from, int into, int at_into);

}  // namespace korvan
