// Argument counts of the current user-routine call, as ARGCNT and KEYCNT see them.
#pragma once

namespace korvan::kfl {

// Positional and keyword arguments passed to the user routine that is running;
// 0 at routine level 0. The user-routine machinery supplies the call frames.
int current_call_argument_count();
int current_call_keyword_count();

}  // namespace korvan::kfl
