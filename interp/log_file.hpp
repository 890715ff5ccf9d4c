// LOGON and LOGOFF: an interactive session recorded as a script.
#pragma once

#include <string_view>

namespace korvan::kfl {

// Installs LOGON, LOGOFF and HELP.
void install_interactive_commands();

// Closes LOGON's file if one is open; a file that could not be written
// completely (a full disk) is reported as " >>>> Write error in file <name>: <reason>".
void close_log_file();

void logon_command(std::string_view operands);
void logoff_command(std::string_view operands);
void help_command(std::string_view operands);

}  // namespace korvan::kfl
