// The evaluation stack: 52 value records on which expressions are evaluated.
#pragma once

#include <cstdint>
#include <string_view>

#include "interp/value.hpp"

namespace korvan::kfl {

constexpr int stack_capacity = 52;

// The stack, reached inline on the interpreter's hot paths.
struct EvaluationStack {
    Value records[stack_capacity];
    int depth = 0;
};

inline EvaluationStack& evaluation_stack()
{
    static EvaluationStack s{};
    return s;
}

inline int stack_depth() { return evaluation_stack().depth; }
// Record at a depth index (0 = bottom).
inline Value& stack_at(int index) { return evaluation_stack().records[index]; }
// The topmost record (depth must be > 0).
inline Value& stack_top() { return evaluation_stack().records[evaluation_stack().depth - 1]; }

// Each push reports "Evaluation stack overflow" when all 52 records are in use
// and returns false; the pushed record is unnamed.
bool push_value(const Value& v);         // deep copy; CHAR scalars become INT
bool push_reference(int index, std::string_view name);
bool push_int(std::int32_t v);
bool push_double(double v);
bool push_string(std::string_view text);
// Takes over the blocks of v (v becomes FREE).
bool push_moved(Value& v);
// A fresh FREE record on top, to be filled by the caller.
Value* push_slot();

// Releases the records above depth and makes it the depth.
void pop_to(int depth);
// Releases the top record; an empty stack reports "Negative stack counter".
void pop_one();

}  // namespace korvan::kfl
