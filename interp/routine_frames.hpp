// The call frames of active user routines.
#pragma once

#include <string>
#include <vector>

#include "interp/user_routines.hpp"

namespace korvan::kfl {

enum FrameKind : int { FRAME_SUBROUTINE = 0, FRAME_FUNCTION = 1, FRAME_CALLBACK = 2 };

struct CallFrame {
    int kind = FRAME_SUBROUTINE;
    int argument_count = 0;
    int keyword_count = 0;
    int start = 0;               // statement count when the call was made
    int result = -1;             // the function's result variable
    bool nested = false;         // read in a nested statement loop (callbacks)
    bool entered = false;        // its SUBROUTINE or FUNCTION statement has run
    bool returned = false;       // a function's RETURN has stored the result
    std::string name;            // called name, upper case
    std::vector<int> arguments;  // argument entries in call order
};

struct CallState {
    CallFrame frames[max_call_frames];
    int depth = 0;
};

CallState& calls();

// The newest frame (depth must be > 0).
inline CallFrame& top_frame() { return calls().frames[calls().depth - 1]; }

// Ends the current routine as END does.
void end_routine();

}  // namespace korvan::kfl

namespace korvan::kfl {

// One argument or formal of a routine's parameter list, split off its text:
// "value" or "key = value", blanks around both removed.
struct RoutineArgument {
    bool keyword = false;
    std::string_view key;
    std::string_view value;
};

// Splits the list text (after its opening parenthesis) at "," and ")" outside
// quotes; parentheses do not nest. "()" is an empty list. end receives the
// position after the closing parenthesis (the text size when there is none).
std::vector<RoutineArgument> split_routine_arguments(std::string_view text, std::size_t& end);

std::string_view trim_blanks(std::string_view s);

}  // namespace korvan::kfl
