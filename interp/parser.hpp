// The recursive-descent expression parser: evaluates while it parses, pushing
// operands onto the evaluation stack and applying each operator as soon as its
// operands are there. Every function returns false when the statement must be
// abandoned (the reason has been reported).
#pragma once

#include <string_view>

#include "interp/subscripts.hpp"

namespace korvan::kfl {

// Nesting of parentheses, prefixes, exponents and calls that one expression may use.
constexpr int max_expression_nesting = 100;

// Evaluates the comma-separated list at the current token onto an emptied stack;
// count receives the number of values. Mode 1: an argument that is a bare
// identifier followed by the end, ")", "," or ":" is pushed as a reference.
// The list must end at ")", ":", "]" or the end of the text.
bool evaluate_list(int mode, int& count);

// Evaluates one expression at the current token; its value is pushed.
bool evaluate_expression();

// How deeply the parser is nested now (0 between expressions).
int expression_nesting();

// Parses a subscript list; the current token is the "[". Consumes the "]".
bool parse_subscripts(std::string_view name, Subscripts& s);

// Pushes the selected elements of a variable (one element as a scalar).
bool push_selection(const Value& var, std::string_view name, const Subscripts& s);

}  // namespace korvan::kfl
