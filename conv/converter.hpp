// korconv: shows a plot file in a screen window, rewrites it into another plot
// file format, or sends it to a printer port in the printer's language.
#pragma once

#include <string>
#include <vector>

namespace korvan::conv {

// The whole run for the command-line words; every message is a message box
// captioned "korconv". Returns the program's exit code.
int run_korconv(const std::vector<std::string>& words);

}  // namespace korvan::conv
