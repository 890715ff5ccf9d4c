// The state of the interpreter front end: start-up options, run mode, the
// input stack, the statement buffer and the statement being assembled.
#pragma once

#include <cstdio>

#include "interp/assembler.hpp"
#include "interp/command_line.hpp"
#include "interp/input_stack.hpp"
#include "interp/statement_buffer.hpp"

namespace korvan::kfl {

struct FrontEnd {
    StartupOptions options;
    bool include_used = false;       // the "-I=" file has replaced one INCLUDE
    bool interactive = false;        // statements come from the console
    bool saved_interactive = false;  // run mode to return to at the first input entry
    bool keep_reading = true;        // cleared when a callback call reaches its END
    InputStack inputs;
    StatementBuffer buffer;
    StatementAssembler assembler;
    std::FILE* log_file = nullptr;   // LOGON's file while logging is on
    std::string log_file_name;
};

FrontEnd& front_end();

// Closes open files and returns to the start-up state (for tests and restarts).
void reset_front_end();

}  // namespace korvan::kfl
