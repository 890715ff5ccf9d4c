// Typed access to array elements and conversions between the numeric scalar types.
#pragma once

#include <cstdint>

#include "interp/value.hpp"

namespace korvan::kfl {

// Scalar type of the elements of an array code (CHAR array: CHAR).
inline int element_type(int array_code) { return array_code - 8; }

// Element i of an array record, as a slot of its element type.
ValueSlot load_element(const Value& array, std::int32_t i);
void store_element(Value& array, std::int32_t i, const ValueSlot& v);

// Converts a numeric scalar (CHAR, BYTE ... COMPLEX) to another numeric type:
// integers narrow to their low bits, reals truncate toward zero into integers
// (saturating; NaN gives 0), a COMPLEX gives its real part to a real or integer,
// and a real or integer becomes a COMPLEX with imaginary part 0.
ValueSlot convert_slot(const ValueSlot& v, int from, int to);

// Numeric value of a scalar slot as a 64-bit real (COMPLEX: real part).
double slot_real(const ValueSlot& v, int type);

// True when the scalar slot equals zero (COMPLEX: both parts).
bool slot_is_zero(const ValueSlot& v, int type);

// Real to 32-bit integer, truncated toward zero; saturates, NaN gives 0.
std::int32_t truncate_to_int(double d);

}  // namespace korvan::kfl
