// The statement loop: reads records, assembles statements, executes them and
// replays stored ones; INCLUDE and the end of input.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvan::kfl {

// Runs until the main input ends, until EXIT, or until a callback call reaches its END.
void run_statement_loop();

// The operation that executes one statement text; tests install their own.
using StatementExecutor = void (*)(std::string_view text);
StatementExecutor set_statement_executor(StatementExecutor executor);

// True when the first word of the statement is the identifier INCLUDE.
bool is_include_statement(std::string_view text);

// Carries out an INCLUDE statement (text is the whole statement).
void include_statement(std::string_view text);

// The file name an INCLUDE operand list names, or nothing after reporting why it names none.
// The evaluator replaces the literal-only reading with full expressions.
using IncludeOperandReader = std::optional<std::string> (*)(std::string_view operands);
IncludeOperandReader set_include_operand_reader(IncludeOperandReader reader);

// Opens an included file ("-I=" substitution and ".kfl" already applied by the caller
// for INCLUDE; routine files and INCKFL pass their names as they are).
bool open_input_file(std::string_view name, bool by_include);
// INCKFL: pushes the file named exactly so, not marked as an INCLUDE and with
// the run mode unchanged (at the prompt it is read once the mode changes); at
// its end the file below it goes on rather than the run ending there.
bool open_inckfl_file(std::string_view name);

// Closes the current input file; back at the first entry, the run mode returns.
void pop_input_file();

}  // namespace korvan::kfl
