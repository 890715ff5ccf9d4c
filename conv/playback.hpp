// Playing a plot file back through the plotting kernel onto the target.
#pragma once

#include <string>

#include "conv/input_kind.hpp"
#include "conv/settings.hpp"
#include "conv/targets.hpp"

namespace korvan::conv {

// Opens a plot of the input's page size on the target, draws the input's
// vectors, colours and pages, and closes the plot. output is the name of the
// file written (after the file version rule). False with the message to show
// when the input cannot be played on the target, or when it ended early (the
// output then holds what was drawn); false without a message when the output
// file could not be created or written, which the library has reported.
bool play_back(const Settings& settings, const InputFile& input, const Target& target, std::string& output,
               std::string& message);

}  // namespace korvan::conv
