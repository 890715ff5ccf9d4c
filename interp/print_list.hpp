// The PRINT and LIST commands and their output formats.
#pragma once

#include <string>

#include "interp/value.hpp"

namespace korvan::kfl {

// Appends the PRINT form of the values stack[0 .. count-1] to out.
void format_print_values(int count, std::string& out);

// Appends the LIST line of a variable-table entry to out.
void format_list_line(int index, std::string& out);

// Writes text through the print operation, one call per line.
void print_lines(const std::string& text);

// PRINT and LIST statements; the current token is the first operand token.
void print_statement();
void list_statement();

}  // namespace korvan::kfl
