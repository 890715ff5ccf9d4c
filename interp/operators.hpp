// Operators on the evaluation stack: binary operators, exponentiation, negation
// and logical NOT. Binary operators combine the two top records (left below,
// right on top), leave the result in the left one's place and pop the top.
#pragma once

namespace korvan::kfl {

// ok: the result is on the stack. soft: the failure was reported and the left
// operand (or the base) stands as the result. hard: reported, no usable result;
// the evaluation is abandoned.
enum class OpStatus { ok, soft, hard };

// op is a token code: + - * / % (43 45 42 47 37), comparisons 301-306, && 307, || 308.
OpStatus apply_binary(int op);

// "**" on the two top records (left = base, right = exponent).
OpStatus apply_power();

// Unary minus on the record at a stack index, in place.
OpStatus negate(int index);

// "!" on the top record.
OpStatus logical_not();

}  // namespace korvan::kfl
