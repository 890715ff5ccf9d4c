// Operating-system services the programs use: host commands, environment, fatal exit.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvan::plat {

// Would run an operating-system command line; this system runs nothing and reports success.
bool host_command(std::string_view command);

// The value of an environment variable, if it is set.
std::optional<std::string> get_env(const char* name);

// Shows the text as a message box and ends the process with exit code 1.
[[noreturn]] void fatal_exit(std::string_view caption, std::string_view text);

// The installation directory: $KORVAN when set, otherwise the built-in default.
std::string installation_dir();

// The installation directory used when KORVAN is not set.
std::string built_in_installation_dir();

// The directory that holds the running program, if the system tells it.
std::optional<std::string> program_directory();

}  // namespace korvan::plat
