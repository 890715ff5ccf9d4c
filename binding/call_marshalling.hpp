// Call marshalling: the arguments of one library call, evaluated onto the
// evaluation stack, matched against the routine's signature and distributed
// into integer, real and pointer slots; and the writing back of outputs into
// KFL variables.
#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "interp/value.hpp"

namespace korvan::binding {

inline constexpr int slot_capacity = 20;

// Slot kinds of an argument position.
enum class SlotKind : std::uint8_t { none, integer, real, pointer };

// The slots of one call. Integer, real and pointer slots are filled in argument
// order, each kind counted separately; each argument position also records the
// slot it went to, so that a binding reads its arguments by position.
struct ArgumentSlots {
    std::int32_t ints[slot_capacity];
    float reals[slot_capacity];
    void* pointers[slot_capacity];
    std::int32_t pointer_counts[slot_capacity];  // elements of the block; characters of a text
    std::int64_t pointer_bytes[slot_capacity];   // bytes of an array's element block
    int variables[slot_capacity];  // per argument: variable-table index, -1 when not a plain variable
    SlotKind kind[slot_capacity];  // per argument
    std::int8_t slot[slot_capacity];  // per argument: index within its kind
    bool leave_out[slot_capacity];    // per argument: a V argument (passed as the variable itself)
    int argument_count;
    int int_count;
    int real_count;
    int pointer_count;

    // Readers by argument position (0-based). A position without a slot of the
    // kind asked for reads as 0 or an empty block.
    std::int32_t int_at(int pos) const;
    float real_at(int pos) const;
    std::string_view text_at(int pos) const;
    template <typename T>
    std::span<T> block_at(int pos) const
    {
        if (pos >= argument_count || kind[pos] != SlotKind::pointer)
            return {};
        int k = slot[pos];
        return {static_cast<T*>(pointers[k]), static_cast<std::size_t>(pointer_counts[k])};
    }
    // The element block of an array argument as raw bytes, whatever its type.
    template <typename B>
    std::span<B> bytes_at(int pos) const
    {
        if (pos >= argument_count || kind[pos] != SlotKind::pointer)
            return {};
        int k = slot[pos];
        return {static_cast<B*>(pointers[k]), static_cast<std::size_t>(pointer_bytes[k])};
    }
    // The variable an argument names (reference or created), or nullptr.
    kfl::Value* variable_at(int pos) const;
};

// The slots of the call in progress.
ArgumentSlots& argument_slots();

// Evaluates the argument list of NAME(...) onto the emptied evaluation stack:
// the tokenizer stands at "(". Bare variable names stay references. Returns
// false after reporting a syntax error.
bool evaluate_call_arguments();

// Builds the argument codes of the stack records, records each position's
// variable, clears the integer slots and matches the signature with the shared
// matcher: an INT given for an X parameter becomes DOUBLE in place and V
// arguments are marked. On a mismatch reports "Parameter mismatch" with the
// User and Correct lines and returns false.
bool match_arguments(std::string_view name, std::string_view signature);

// Distributes the matched arguments into the slots; an undefined name becomes a
// new INT variable at the current routine level. Returns false when such a
// variable could not be created.
bool fill_slots();

// Writing back. Each gives the variable a new value; its previous one is released.
void store_int(int variable_index, std::int32_t value);
void store_double(int variable_index, double value);
bool store_string(int variable_index, std::string_view text);
// Hands the block of an array record made by make_output_array to the variable
// with the element count given.
void store_array(int variable_index, kfl::Value& array, std::int32_t count);

// A zero-filled array of count elements (count below 1 makes one element) for
// an output parameter; "Not enough memory" and false when it cannot be had.
bool make_output_array(kfl::Value& array, int array_type, std::int32_t count);

}  // namespace korvan::binding

namespace korvan::binding {

// Reports "Parameter mismatch" with the User and Correct lines for the
// arguments of the last match (a binding refusing an argument the signature
// let through).
void report_mismatch(std::string_view name, std::string_view signature);

}  // namespace korvan::binding
