#include "plot/routines/utility_routines.hpp"

#include <cctype>

#include "plot/kernel/kernel.hpp"
#include "plot/routines/numbers.hpp"

namespace korvan {

namespace {

// The bit field copy on an unsigned word of `width` bits. The positions are
// checked against width - nbits so that no sum of user values can overflow.
bool copy_bits(int width, int nbits, std::uint32_t from, int at_from, std::uint32_t& into, int at_into)
{
    if (nbits < 1 || nbits > width || at_from < 0 || at_into < 0 || at_from > width - nbits ||
        at_into > width - nbits) {
        warning_int(2, nbits);
        return false;
    }
    std::uint32_t mask = nbits == 32 ? 0xFFFFFFFFu : ((1u << nbits) - 1);
    std::uint32_t field = (from >> (width - at_from - nbits)) & mask;
    int shift = width - at_into - nbits;
    into = (into & ~(mask << shift)) | (field << shift);
    return true;
}

}  // namespace

int fcha(double x, int ndig, std::string& text)
{
    level_check(0, 3, "fcha");
    text = number_text(x, ndig, number_style());
    return static_cast<int>(text.size());
}

int intcha(int n, std::string& text)
{
    level_check(0, 3, "intcha");
    text = number_text(n, -1, number_style());
    return static_cast<int>(text.size());
}

int flen(double x, int ndig)
{
    std::string text;
    return fcha(x, ndig, text);
}

int intlen(int n)
{
    std::string text;
    return intcha(n, text);
}

void upstr(std::span<char> text)
{
    for (char& c : text) {
        if (c == '\0')
            break;
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
}

void swapi2(std::span<std::int16_t> values, int n)
{
    level_check(0, 3, "swapi2");
    if (n < 0 || static_cast<std::size_t>(n) > values.size()) {
        warning_int(2, n);
        return;
    }
    for (int i = 0; i < n; ++i) {
        auto v = static_cast<std::uint16_t>(values[static_cast<std::size_t>(i)]);
        values[static_cast<std::size_t>(i)] = static_cast<std::int16_t>((v >> 8) | (v << 8));
    }
}

void swapi4(std::span<std::int32_t> values, int n)
{
    level_check(0, 3, "swapi4");
    if (n < 0 || static_cast<std::size_t>(n) > values.size()) {
        warning_int(2, n);
        return;
    }
    for (int i = 0; i < n; ++i) {
        auto v = static_cast<std::uint32_t>(values[static_cast<std::size_t>(i)]);
        v = (v >> 24) | ((v >> 8) & 0xFF00u) | ((v << 8) & 0xFF0000u) | (v << 24);
        values[static_cast<std::size_t>(i)] = static_cast<std::int32_t>(v);
    }
}

std::int16_t bitsi2(int nbits, int from, int at_from, int into, int at_into)
{
    level_check(0, 3, "bitsi2");
    std::uint32_t result = static_cast<std::uint16_t>(into);
    if (!copy_bits(16, nbits, static_cast<std::uint16_t>(from), at_from, result, at_into))
        return static_cast<std::int16_t>(into);
    return static_cast<std::int16_t>(static_cast<std::uint16_t>(result));
}

int bitsi4(int nbits, int from, int at_from, int into, int at_into)
{
    level_check(0, 3, "bitsi4");
    auto result = static_cast<std::uint32_t>(into);
    if (!copy_bits(32, nbits, static_cast<std::uint32_t>(from), at_from, result, at_into))
        return into;
    return static_cast<int>(result);
}

}  // namespace korvan
