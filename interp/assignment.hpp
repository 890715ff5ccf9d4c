// Assignment statements: NAME = expression, NAME = { numbers }, NAME[...] = expression.
#pragma once

#include <string_view>

namespace korvan::kfl {

// The current token is the first token after "=".
void assignment_statement(std::string_view name);

// The end of an assignment of a whole variable: the value at the bottom of the
// evaluation stack goes into the variable named so (memo: the statement's
// remembered target, or nullptr), and the stack is emptied. With
// name_checked the name is known to be no built-in function's.
struct VariableMemo;
void store_assigned_value(std::string_view name, VariableMemo* memo, bool name_checked);

// The same end for a number computed outside the stack, when the variable exists
// and is no system variable (name: zero-padded to 16 bytes, as in a value
// record); false, doing nothing, otherwise.
struct Number;
bool store_assigned_number(const char* name, VariableMemo& memo, const Number& value);

// The current token is the "[" after the name.
void element_assignment_statement(std::string_view name);

}  // namespace korvan::kfl
