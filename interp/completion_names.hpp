// The names the prompt completes: statement words, built-in functions, the
// variables of the current routine level and the system variables, and the
// names of the routine table when the program installs it.
#pragma once

#include <string>
#include <vector>

namespace korvan::kfl {

std::vector<std::string> language_completion_names();

}  // namespace korvan::kfl
