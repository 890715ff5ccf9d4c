// LOGON and LOGOFF: an interactive session recorded as a script.
#pragma once

#include <string_view>

namespace korvan::kfl {

// Installs LOGON, LOGOFF and HELP.
void install_interactive_commands();

void logon_command(std::string_view operands);
void logoff_command(std::string_view operands);
void help_command(std::string_view operands);

}  // namespace korvan::kfl
