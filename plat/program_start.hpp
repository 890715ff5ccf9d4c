// Starting another program without waiting for it (the launcher starting
// kflrun, the widget command WGCMD).
#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace korvan::plat {

// The words of a command line: split at blanks, without quoting, so a file
// name with blanks becomes several words.
std::vector<std::string> command_words(std::string_view command_line);

// Starts the command line's program (its first word, looked up on PATH when
// it names no directory) with the other words as arguments and returns at once. The result follows the old program-start
// call: 33 on success, below 32 on failure (2 the program was not found,
// 5 it may not be run, 11 it is no program, 0 any other failure).
int start_program(std::string_view command_line);

}  // namespace korvan::plat
