// Message lines: how the interpreter reports a failing statement.
#pragma once

#include <string_view>

namespace korvan::kfl {

// " >>>> text", in script mode followed by " in record %d (%s)".
void report(std::string_view text);
void report(std::string_view text, std::string_view name);
void report(std::string_view text, char character);

// " >>>> text name\n", printed as it is in both run modes (file problems).
void report_file_problem(std::string_view text, std::string_view name);

}  // namespace korvan::kfl
