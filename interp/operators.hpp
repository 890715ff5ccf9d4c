// Operators on the evaluation stack: binary operators, exponentiation, negation
// and logical NOT. Binary operators combine the two top records (left below,
// right on top), leave the result in the left one's place and pop the top.
#pragma once

#include "interp/value.hpp"

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

// A scalar held outside the evaluation stack: the type and slot of a record.
struct Number {
    int type;
    ValueSlot slot;
};

// The same operations on numbers of the types BYTE ... COMPLEX: l = l op r as
// apply_binary combines two records (the result's count 1 and no dimensions).
// Returns false where apply_binary would report something (a divisor of 0,
// modulo or AND and OR of other types than INT); l may then be promoted already.
bool combine_numbers(int op, Number& l, const Number& r);
// v = -v as negate does.
void negate_number(Number& v);

}  // namespace korvan::kfl
