#include "interp/call_counts.hpp"

#include "interp/user_routines.hpp"

namespace korvan::kfl {

// The counts of the newest call frame; 0 at routine level 0.
int current_call_argument_count() { return routine_argument_count(); }
int current_call_keyword_count() { return routine_keyword_count(); }

}  // namespace korvan::kfl
