// The command line of kflrun: words, options and the script-name extension rule.
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvan::kfl {

struct StartupOptions {
    bool script_given = false;
    std::string script_name;
    bool version_wanted = false;
    bool output_window_wanted = false;
    bool data_file_given = false;
    std::string data_file_name;
    bool include_given = false;
    std::string include_file_name;
    bool device_given = false;
    std::string startup_device;            // at most 6 characters
    std::vector<std::string> script_args;  // become %ARG1, %ARG2, ...
    bool help_wanted = false;              // "--help" or "-h" where the script name would stand
};

// Splits at blanks only; runs of blanks are one separator.
std::vector<std::string> split_command_line(std::string_view text);

// Interprets the words in order; options may stand before or after the script name.
StartupOptions parse_options(const std::vector<std::string>& words);

// Appends ".kfl" when the last component of the name has no ".". The last
// component follows the last "]" or, failing that, the last "/".
std::string add_extension(std::string_view name, std::string_view extension = ".kfl");

}  // namespace korvan::kfl
