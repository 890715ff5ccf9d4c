// User subroutines and functions: each lives in a KFL file named after it and
// is read when called; its statements run one routine level deeper.
#pragma once

#include <string_view>

#include "interp/executor_hooks.hpp"

namespace korvan::kfl {

constexpr int max_call_frames = 8;

// Installs CALL, SUBROUTINE, FUNCTION, RETURN, EXTERN and the user-function assignment.
void install_user_routines();

// Back to the start-up state: no active call.
void reset_user_routines();

// Number of actual arguments and of keyword arguments of the current call (0 in
// the main script): the values of ARGCNT and KEYCNT.
int routine_argument_count();
int routine_keyword_count();

// Runs a KFL subroutine for a widget event: $1 holds the widget id, $2 refers to
// the variable of the given index. Returns when the routine has ended.
void callback_call(int widget_id, std::string_view routine_name, int variable_index);

// END with nothing after it (offered also while skipping).
void end_statement();

// A SUBROUTINE or FUNCTION statement that no call is waiting for (a stored body
// replayed on a pass that does not make its call, or one in the main script)
// starts skipping to its END. Returns false when a call waits for it.
bool stray_body_start(const StatementView& s);

}  // namespace korvan::kfl
