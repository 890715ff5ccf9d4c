// Expressions of cached statement texts compiled once into postfix steps with
// their variables remembered. The steps call the same stack operations in the
// same order as the recursive-descent parser, so values, messages and the
// tokenizer's final position are the parser's; expressions with function calls,
// subscripts, string literals or deep nesting are left to the parser.
#pragma once

namespace korvan::kfl {

// When the tokenizer replays a cached text and an expression starting at its
// current token compiles, evaluates it and sets ok to what the parser would have
// returned; returns false (doing nothing) when the parser has to evaluate it.
bool run_compiled_expression(bool& ok);

}  // namespace korvan::kfl
