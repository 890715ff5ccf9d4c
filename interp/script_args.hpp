// The script-argument variables %ARG1, %ARG2, ... and %NARGS.
#pragma once

#include <string>
#include <vector>

namespace korvan::kfl {

// Creates %ARG1 ... (STRING) from the arguments and %NARGS (INT) with their number.
void create_argument_variables(const std::vector<std::string>& args);

}  // namespace korvan::kfl
