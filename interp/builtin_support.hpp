// Helpers shared by the built-in functions: access to the argument records on
// the evaluation stack and the result left in their place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "interp/eval_stack.hpp"
#include "interp/value.hpp"

namespace korvan::kfl {

// The arguments of one call: stack records base .. base+count-1.
struct Args {
    int base;
    int count;
    const char* function;  // the function's name, for messages

    Value& record(int i) const { return stack_at(base + i); }
    // The value an argument stands for: the referenced variable or the record
    // itself; nullptr for a name that is not a defined variable.
    Value* value(int i) const;
    // True when the argument was passed as a reference (a bare name).
    bool is_reference(int i) const { return record(i).type == T_REF; }
    // The variable-table index of a reference argument (-1: undefined name).
    int variable_index(int i) const { return is_reference(i) ? record(i).slot.ref : -1; }
    std::string_view name(int i) const { return name_of(record(i)); }
    // The value, or "Undefined identifier" with the name and nullptr.
    Value* defined(int i) const;
};

// Replaces the arguments by one result. All return true.
bool result_int(const Args& a, std::int32_t v);
bool result_double(const Args& a, double v);
bool result_string(const Args& a, std::string_view text);
// Takes over the blocks of v.
bool result_moved(const Args& a, Value& v);
// Copies the value (a referenced variable keeps its own blocks).
bool result_copy(const Args& a, const Value& v);

// Text of a STRING or CHAR array: up to the first zero byte within the count.
std::string_view text_of(const Value& v);
inline bool is_text(const Value& v) { return v.type == T_STRING || v.type == T_CHAR_ARRAY; }
// A zero byte lies within the count (a STRING always has one after its count).
bool is_terminated(const Value& v);

inline bool is_integer_scalar(int t) { return t == T_CHAR || t == T_BYTE || t == T_SHORT || t == T_INT; }
inline bool is_numeric_scalar(int t) { return t >= T_CHAR && t <= T_COMPLEX; }

// Element i of an array (or STRING: its character codes) as a real.
double element_real(const Value& v, std::int32_t i);

// The dimension list of src given to dst (own copy); false after "Not enough memory".
bool copy_dimensions(Value& dst, const Value& src);

}  // namespace korvan::kfl
