// The life of kflrun from the command line to the end of the run.
#pragma once

#include <string>
#include <vector>

namespace korvan::kfl {

// Runs kflrun with the given command-line words; returns the exit code.
int run_kflrun(const std::vector<std::string>& words);

// Opens the main script: search, comment records, header check.
// Reports its own failures and returns false.
bool open_main_script(const std::string& name);

// The nine lines of the version box.
std::string version_box();

// The first line of interactive mode.
std::string interactive_banner();

}  // namespace korvan::kfl
