// Numbers as text: NUMBER and NLNUMB with the number format and mode.
#pragma once

#include <string>
#include <string_view>

#include "plot/kernel/attributes.hpp"

namespace korvan {

void number(double x, int ndig, int nx, int ny);
// NUMBER at a user point of the axis system.
void rlnumb(double x, int ndig, double xp, double yp);
int nlnumb(double x, int ndig);
void numfmt(std::string_view option);
void numode(std::string_view decimal, std::string_view grouping, std::string_view sign, std::string_view widths);

// The options a number is formatted with.
struct NumberStyle {
    NumberFormat format = NumberFormat::floa;
    char decimal = '.';
    char group = 0;
    char sign = 0;
    char raise = '[';
    char reset = '$';
};

// The style of the plot state's attributes.
NumberStyle number_style();

// A number with ndig decimals (-1: a whole number rounded half away from zero)
// in the shortest field; no number mode applied.
std::string plain_number(double x, int ndig);

// The text NUMBER draws: in the "EXP", "FEXP" and "LOG" formats with the raise
// and reset characters, which the caller interprets.
std::string number_text(double x, int ndig, const NumberStyle& style);

}  // namespace korvan
