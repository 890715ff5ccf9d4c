// Statement execution: classifies a statement text and runs it.
#pragma once

#include <string_view>
#include <vector>

namespace korvan::kfl {

// Executes one statement text, fresh or replayed from the statement buffer.
void execute(std::string_view text);

// Number of IF blocks still open (for "Missing END IF" at the end of the script).
int open_if_blocks();

// The routine level: 0 in the main script, one more in each active user routine.
int current_routine_level();

// The words that begin statements: the keyword table's and the control statements'.
std::vector<std::string_view> statement_words();

}  // namespace korvan::kfl
