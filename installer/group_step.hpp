// Registering the program group "KFL" with the program manager stand-in.
#pragma once

#include <string>

namespace korvan::installer {

// How long the installer waits for each answer of the program manager.
inline constexpr int program_manager_timeout_ms = 10000;

// Builds the command string for the items installed in dir, reports items
// that do not fit, and hands it to the program manager. Every failure is
// shown in a message box titled "Setup"; returns true when the group exists.
bool register_program_group(const std::string& dir, const std::string& program_manager, int timeout_ms);

}  // namespace korvan::installer
