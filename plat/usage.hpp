// "--help" and "-h" on the command lines of the four programs.
#pragma once

#include <string>
#include <string_view>

namespace korvan::plat {

// True for the words that ask a program for its usage text.
bool is_help_word(std::string_view word);

// Writes the text to standard output, followed by where the manual is: the
// HTML manual of the installation directory and the man page of the program.
void print_usage(std::string_view text, std::string_view program);

}  // namespace korvan::plat
