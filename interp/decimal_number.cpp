#include "interp/decimal_number.hpp"

#include <charconv>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <system_error>

namespace korvan::kfl {

namespace {

constexpr double powers_of_ten[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                    1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

// The common plain form [sign] digits [. digits] with at most 15 digits in all:
// the digits as an integer are exact in a double, and so is the power of ten
// that divides them, so the one division rounds correctly, to the very value
// of the full conversion. False for anything else.
bool plain_decimal(const char* first, const char* last, double& value)
{
    bool negative = first != last && *first == '-';
    if (negative)
        ++first;
    std::uint64_t digits = 0;
    int count = 0;
    int fraction = -1;  // digits after the point; -1 before it
    for (; first != last; ++first) {
        char c = *first;
        if (c >= '0' && c <= '9') {
            digits = digits * 10 + static_cast<std::uint64_t>(c - '0');
            ++count;
            if (fraction >= 0)
                ++fraction;
        } else if (c == '.' && fraction < 0) {
            fraction = 0;
        } else {
            return false;
        }
    }
    if (count == 0 || count > 15)
        return false;
    double v = static_cast<double>(digits);
    if (fraction > 0)
        v /= powers_of_ten[fraction];
    value = negative ? -v : v;
    return true;
}

}  // namespace

double decimal_number(std::string_view text)
{
    const char* first = text.data();
    const char* last = first + text.size();
    if (first != last && *first == '+')
        ++first;
    double x = 0;
    if (plain_decimal(first, last, x))
        return x;
    x = 0;
    if (std::from_chars(first, last, x).ec == std::errc::result_out_of_range)
        x = std::strtod(std::string(text).c_str(), nullptr);  // overflow to infinity, underflow to 0
    return x;
}

}  // namespace korvan::kfl
