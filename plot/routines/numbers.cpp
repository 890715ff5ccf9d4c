// Formatting and drawing numbers.
#include "plot/routines/numbers.hpp"

#include <cctype>
#include <cmath>
#include <cstdio>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/text_internal.hpp"
#include "plot/routines/user_points.hpp"

namespace korvan {

namespace {

// Longest number part that is grouped; a longer one is drawn ungrouped rather
// than cut.
constexpr std::size_t group_field = 40;

// The number mode on a number part: decimal character, grouping, sign.
std::string apply_mode(const std::string& text, const NumberStyle& style)
{
    char sign = 0;
    std::string body = text;
    bool negative = !body.empty() && body[0] == '-';
    if (negative) {
        sign = '-';
        body.erase(0, 1);
    } else if (style.sign != 0 && !body.empty() && (std::isdigit(static_cast<unsigned char>(body[0])) != 0)) {
        sign = style.sign;
    }
    std::size_t point = body.find('.');
    std::string whole = body.substr(0, point);
    std::string fraction = point == std::string::npos ? std::string() : body.substr(point + 1);
    std::string grouped_whole = whole;
    std::string grouped_fraction = fraction;
    bool digits_only = whole.find_first_not_of("0123456789") == std::string::npos &&
                       fraction.find_first_not_of("0123456789") == std::string::npos;
    if (style.group != 0 && digits_only) {
        grouped_whole.clear();
        for (std::size_t i = 0; i < whole.size(); ++i) {
            if (i > 0 && (whole.size() - i) % 3 == 0)
                grouped_whole += style.group;
            grouped_whole += whole[i];
        }
        grouped_fraction.clear();
        for (std::size_t i = 0; i < fraction.size(); ++i) {
            if (i > 0 && i % 3 == 0)
                grouped_fraction += style.group;
            grouped_fraction += fraction[i];
        }
        if (grouped_whole.size() + grouped_fraction.size() + 1 > group_field) {
            grouped_whole = whole;
            grouped_fraction = fraction;
        }
    }
    std::string out;
    if (sign != 0)
        out.push_back(sign);
    out.append(grouped_whole);
    if (point != std::string::npos) {
        out += style.decimal;
        out += grouped_fraction;
    }
    return out;
}

}  // namespace

std::string plain_number(double x, int ndig)
{
    char text[400];
    if (!std::isfinite(x)) {
        std::snprintf(text, sizeof text, "%s", std::isnan(x) ? "nan" : (x > 0 ? "inf" : "-inf"));
        return text;
    }
    if (ndig < 0) {
        double whole = x >= 0 ? std::trunc(x + 0.5) : std::trunc(x - 0.5);
        std::snprintf(text, sizeof text, "%.0f", whole + 0.0);
    } else {
        std::snprintf(text, sizeof text, "%.*f", std::min(ndig, 100), x);
    }
    std::string out = text;
    // A value that rounds to zero is drawn without a minus sign.
    if (out[0] == '-' && out.find_first_not_of("-0.") == std::string::npos)
        out.erase(0, 1);
    return out;
}

NumberStyle number_style()
{
    const TextAttributes& t = state().text;
    NumberStyle style;
    style.format = t.number_format;
    style.decimal = t.decimal;
    style.group = t.group;
    style.sign = t.sign;
    style.raise = t.raise;
    style.reset = t.reset;
    return style;
}

std::string number_text(double x, int ndig, const NumberStyle& style)
{
    if (style.format == NumberFormat::floa)
        return apply_mode(plain_number(x, ndig), style);
    if (style.format == NumberFormat::log) {
        std::string text = "10";
        text += style.raise;
        text += apply_mode(plain_number(x, ndig), style);
        text += style.reset;
        return text;
    }
    double mantissa = std::fabs(x);
    int exponent = 0;
    if (std::isfinite(mantissa) && mantissa != 0) {
        while (mantissa < 1) {
            mantissa *= 10;
            --exponent;
        }
        while (mantissa >= 10) {
            mantissa *= 0.1;
            ++exponent;
        }
    }
    if (x < 0)
        mantissa = -mantissa;
    std::string text = apply_mode(plain_number(mantissa, ndig), style);
    text += style.reset;
    if (style.format == NumberFormat::exp) {
        text += "*10";
        text += style.raise;
        text += std::to_string(exponent);
        text += style.reset;
    } else {
        text += "E";
        text += std::to_string(exponent);
    }
    return text;
}

namespace {

TextRequest number_request(const NumberStyle& style)
{
    TextRequest request;
    request.force_control = style.format != NumberFormat::floa;
    if (state().text.equal_widths)
        request.fixed = 0.7;
    return request;
}

// NUMBER's body: the digits checked, the number drawn as a text at (nx, ny).
void draw_number(double x, int ndig, int nx, int ny, const char* report_name)
{
    if (range_check(ndig, -1, 100))
        return;
    NumberStyle style = number_style();
    draw_message(number_text(x, ndig, style), nx, ny, number_request(style), report_name);
}

}  // namespace

void number(double x, int ndig, int nx, int ny)
{
    if (level_check(1, 3, "number"))
        return;
    draw_number(x, ndig, nx, ny, "NUMBER");
}

void rlnumb(double x, int ndig, double xp, double yp)
{
    if (level_check(2, 3, "rlnumb"))
        return;
    int nx = 0;
    int ny = 0;
    if (user_point_for_plot_routine(xp, yp, nx, ny))
        draw_number(x, ndig, nx, ny, "RLNUMB");
}

int nlnumb(double x, int ndig)
{
    soft_level_check("nlnumb");
    if (range_check(ndig, -1, 100))
        return 0;
    NumberStyle style = number_style();
    return static_cast<int>(std::lround(text_length(number_text(x, ndig, style), number_request(style))));
}

void numfmt(std::string_view option)
{
    soft_level_check("numfmt");
    int n = keyword_lookup("FLOA+EXP +FEXP+LOG ", 4, option);
    if (n > 0)
        state().text.number_format = static_cast<NumberFormat>(n - 1);
}

void numode(std::string_view decimal, std::string_view grouping, std::string_view sign, std::string_view widths)
{
    soft_level_check("numode");
    TextAttributes& t = state().text;
    int n = keyword_lookup("POIN+COMM", 2, decimal);
    if (n > 0)
        t.decimal = n == 1 ? '.' : ',';
    n = keyword_lookup("NONE+SPAC+POIN+COMM", 4, grouping);
    if (n > 0) {
        constexpr char groups[] = {0, ' ', '.', ','};
        t.group = groups[n - 1];
    }
    n = keyword_lookup("NONE+SPAC+PLUS", 3, sign);
    if (n > 0) {
        constexpr char signs[] = {0, ' ', '+'};
        t.sign = signs[n - 1];
    }
    n = keyword_lookup("NOEQ+EQUA", 2, widths);
    if (n > 0)
        t.equal_widths = n == 2;
}

}  // namespace korvan
