// The value of a number written in decimal in a data file.
#pragma once

#include <string_view>

namespace korvan::kfl {

// The value of a run of number characters (digits, signs, ".", "E", "e"): the
// standard decimal conversion of its longest valid prefix, 0 when it has none;
// a leading "+" is allowed. Beyond the range of a double: infinity, or 0.
double decimal_number(std::string_view text);

}  // namespace korvan::kfl
