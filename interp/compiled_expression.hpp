// Expressions of cached statement texts compiled once into postfix steps with
// their variables remembered. The steps call the same stack operations in the
// same order as the recursive-descent parser, so values, messages and the
// tokenizer's final position are the parser's; expressions with function calls,
// subscripts, string literals or deep nesting are left to the parser.
#pragma once

#include <cstddef>
#include <cstdint>

namespace korvan::kfl {

struct CompiledExpression;
struct Number;
struct TokenList;

// The compiled form of the expression that starts at the token index of a cached
// text, compiled on first use; nullptr when the parser has to evaluate it. The
// form stays while the function table is the same.
CompiledExpression* compiled_expression_at(TokenList& list, std::size_t index);

// The index of the token after a compiled expression.
std::size_t compiled_expression_end(const CompiledExpression& compiled);

// Runs the steps of an expression compiled from the list's tokens; false when a
// step fails (reported), with stop the token the parser would stand at then.
bool evaluate_compiled(const TokenList& list, CompiledExpression& compiled, std::uint32_t& stop);

// The same with the steps run on the evaluation stack, the parser's operations.
bool run_compiled_steps(const TokenList& list, CompiledExpression& compiled, std::uint32_t& stop);

// Computes the expression to one number without the evaluation stack, with the
// operators' own arithmetic; false, having reported and changed nothing, when
// its steps have to run on the stack: an operand that is no number (or no
// variable), an operation that would report, exponentiation, or more numbers at
// a time than the stack would take.
bool compute_number(CompiledExpression& compiled, Number& result);

// Pushes a number as evaluate_compiled leaves its result (the stack has room:
// compute_number has seen to it).
void push_number(const Number& number);

// When the tokenizer replays a cached text and an expression starting at its
// current token compiles, evaluates it and sets ok to what the parser would have
// returned; returns false (doing nothing) when the parser has to evaluate it.
bool run_compiled_expression(bool& ok);

}  // namespace korvan::kfl
