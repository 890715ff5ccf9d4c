// The axis setting routines' options that belong to contours and bars:
// LABELS, DIGITS and LABDIS with the axis strings "CON" and "BAR".
#pragma once

#include <string_view>

namespace korvan {

// Each returns true when the axis string is one of these (the setting is
// then made, or refused with the routine's warning); false otherwise.
bool owned_label_setting(std::string_view option, std::string_view axes);
bool owned_digits_setting(int ndig, std::string_view axes);
bool owned_distance_setting(int n, std::string_view axes);

}  // namespace korvan
