// Subscript descriptors: which elements of an array or STRING a subscript list selects.
#pragma once

#include <cstdint>
#include <string_view>

#include "interp/value.hpp"

namespace korvan::kfl {

// Subscript kinds.
enum : int {
    SUB_WHOLE = 2,     // *
    SUB_RANGE = 3,     // e1:e2 or :e2
    SUB_TO_END = 4,    // e: or :
    SUB_ELEMENT = 8,   // e
};

struct Subscripts {
    int n = 0;
    int kind[max_dimensions]{};
    std::int32_t start[max_dimensions]{};
    std::int32_t end[max_dimensions]{};
    std::int32_t selected = 0;  // number of selected elements, after the check
};

// Validates the descriptor against the variable and resolves every subscript to
// an inclusive start..end range. Reports "Mismatch of subscripts in",
// "Subscript out of range in" or "Bad subscript range in" with the name.
bool check_subscripts(const Value& var, std::string_view name, Subscripts& s);

// Element number of the k-th selected element (the last subscript runs fastest).
std::int32_t element_number(const Value& var, const Subscripts& s, std::int32_t k);

}  // namespace korvan::kfl
