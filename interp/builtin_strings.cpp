// STRLEN, TRMLEN, STRLWR, STRUPR, STRREP, STRSTR, SUBSTR, ATONUM, NUMTOA.
#include <cerrno>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interp/builtins_internal.hpp"
#include "interp/elements.hpp"
#include "interp/messages.hpp"

namespace korvan::kfl::builtins {

namespace {

bool is_digit(char c) { return c >= '0' && c <= '9'; }

// Length of the longest prefix of s that reads as a decimal real
// (blanks, sign, digits, point, digits, exponent).
std::size_t real_prefix(std::string_view s)
{
    std::size_t i = 0;
    while (i < s.size() && (s[i] == ' ' || s[i] == '\t'))
        ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-'))
        ++i;
    std::size_t digits = 0;
    while (i < s.size() && is_digit(s[i]))
        ++i, ++digits;
    if (i < s.size() && s[i] == '.') {
        ++i;
        while (i < s.size() && is_digit(s[i]))
            ++i, ++digits;
    }
    if (digits == 0)
        return 0;
    if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
        std::size_t j = i + 1;
        if (j < s.size() && (s[j] == '+' || s[j] == '-'))
            ++j;
        if (j < s.size() && is_digit(s[j])) {
            while (j < s.size() && is_digit(s[j]))
                ++j;
            i = j;
        }
    }
    return i;
}

std::string case_mapped(std::string_view s, bool upper)
{
    std::string out(s);
    for (char& c : out) {
        if (upper && c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
        else if (!upper && c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

}  // namespace

bool strlen_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    return result_int(a, static_cast<std::int32_t>(text_of(*v).size()));
}

bool trmlen_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    std::string_view s = text_of(*v);
    while (!s.empty() && s.back() == ' ')
        s.remove_suffix(1);
    return result_int(a, static_cast<std::int32_t>(s.size()));
}

bool strlwr_fn(const Args& a) { return result_string(a, case_mapped(text_of(*a.value(0)), false)); }
bool strupr_fn(const Args& a) { return result_string(a, case_mapped(text_of(*a.value(0)), true)); }

bool strrep_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    std::string_view s = text_of(*v);
    std::int32_t n = a.value(1)->slot.i32;
    if (n < 0)
        n = 0;
    std::uint64_t total = static_cast<std::uint64_t>(s.size()) * static_cast<std::uint64_t>(n);
    if (total >= max_block_bytes) {
        report("Not enough memory");
        return false;
    }
    std::string out;
    out.reserve(static_cast<std::size_t>(total));
    for (std::int32_t i = 0; i < n; ++i)
        out += s;
    return result_string(a, out);
}

bool strstr_fn(const Args& a)
{
    std::string_view s = text_of(*a.value(0));
    std::string_view t = text_of(*a.value(1));
    std::size_t at = s.find(t);
    return result_int(a, at == std::string_view::npos ? -1 : static_cast<std::int32_t>(at));
}

bool substr_fn(const Args& a)
{
    std::string_view s = text_of(*a.value(0));
    std::int32_t i = a.value(1)->slot.i32;
    std::int32_t n = a.value(2)->slot.i32;
    if (i < 0 || static_cast<std::size_t>(i) >= s.size()) {
        report("Parameter 2 out of range", "SUBSTR");
        return false;
    }
    if (n < 1) {
        report("Non positive value of parameter 3", "SUBSTR");
        return false;
    }
    return result_string(a, s.substr(static_cast<std::size_t>(i), static_cast<std::size_t>(n)));
}

bool atonum_fn(const Args& a)
{
    std::string text(text_of(*a.value(0)));
    if (text.find('.') != std::string::npos) {
        std::size_t n = real_prefix(text);
        double d = n == 0 ? 0.0 : std::strtod(text.substr(0, n).c_str(), nullptr);
        return result_double(a, d);
    }
    errno = 0;
    long long v = std::strtoll(text.c_str(), nullptr, 10);
    if (v > INT32_MAX)
        v = INT32_MAX;
    if (v < INT32_MIN)
        v = INT32_MIN;
    return result_int(a, static_cast<std::int32_t>(v));
}

bool numtoa_fn(const Args& a)
{
    // The number is taken as a 32-bit real.
    const Value& v = *a.value(0);
    double x = static_cast<float>(slot_real(v.slot, v.type));
    std::int32_t digits = a.value(1)->slot.i32;
    constexpr std::int32_t max_digits = 100;  // keeps the text bounded
    if (digits > max_digits)
        digits = max_digits;
    char buffer[64 + max_digits];
    if (!std::isfinite(x)) {
        std::snprintf(buffer, sizeof buffer, "%f", x);
    } else if (digits >= 0) {
        std::snprintf(buffer, sizeof buffer, "%.*f", static_cast<int>(digits), x);
    } else {
        std::snprintf(buffer, sizeof buffer, "%.0f", std::round(x) + 0.0);  // no "-0"
    }
    return result_string(a, buffer);
}

}  // namespace korvan::kfl::builtins
