#include "interp/call_counts.hpp"

namespace korvan::kfl {

// Without user-routine call frames every statement runs at routine level 0,
// where no arguments were passed.
int current_call_argument_count() { return 0; }
int current_call_keyword_count() { return 0; }

}  // namespace korvan::kfl
