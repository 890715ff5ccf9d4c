// Matching the arguments on the evaluation stack against a parameter signature,
// with the "Parameter mismatch" report.
#pragma once

#include <string_view>

namespace korvan::kfl {

// The records from depth base to the top are the arguments. An INT given for an
// X parameter is converted to DOUBLE in place (a referenced variable itself).
// On a mismatch reports "Parameter mismatch" with the User and Correct lines
// and returns false.
bool match_stack_arguments(std::string_view name, std::string_view signature, int base);

}  // namespace korvan::kfl
