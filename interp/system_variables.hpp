// The predefined "%" variables and their types.
#pragma once

#include <string_view>

namespace korvan::kfl {

// Type code (INT, DOUBLE or STRING) of a system variable, or -1 when the name
// (with its "%") is not one of them.
int system_variable_type(std::string_view name);

}  // namespace korvan::kfl
