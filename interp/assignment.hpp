// Assignment statements: NAME = expression, NAME = { numbers }, NAME[...] = expression.
#pragma once

#include <string_view>

namespace korvan::kfl {

// The current token is the first token after "=".
void assignment_statement(std::string_view name);

// The current token is the "[" after the name.
void element_assignment_statement(std::string_view name);

}  // namespace korvan::kfl
