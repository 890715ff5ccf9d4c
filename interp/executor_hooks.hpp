// What the statement executor offers to the control statements, user routines
// and library calls that plug into it.
#pragma once

#include <string_view>

namespace korvan::kfl {

// Block nesting and skipping, shared by the control statements.
struct ControlState {
    int if_depth = 0;
    int loop_depth = 0;
    int switch_depth = 0;
    bool skipping = false;  // statements are read and classified but not run
};

inline ControlState& control_state()
{
    static ControlState state;
    return state;
}

// A statement as the executor has classified it so far.
struct StatementView {
    std::string_view text;        // the whole statement
    std::string_view first_word;  // upper case, at most 15 characters
    int first_token;
    int second_token;
};

// Offered every statement (also while skipping) before it is classified; returns
// true when it has handled the statement (IF, loops, SWITCH, END ...). The
// tokenizer stands after the second token.
using BlockHandler = bool (*)(const StatementView& statement);
BlockHandler set_block_handler(BlockHandler handler);
BlockHandler installed_block_handler();

// A routine call NAME(...) to a library routine: returns false when NAME is none.
using RoutineCallHandler = bool (*)(std::string_view name, std::string_view text);
RoutineCallHandler set_routine_call_handler(RoutineCallHandler handler);

// NAME = F(...) with F neither a built-in function nor a variable (a library
// function or a user function): returns false when it does not take the statement.
using FunctionAssignmentHandler = bool (*)(std::string_view target, std::string_view function,
                                           std::string_view text);
FunctionAssignmentHandler set_function_assignment_handler(FunctionAssignmentHandler handler);

// Called after a label has been defined (a pending forward GOTO may end there).
using LabelHandler = void (*)(std::string_view name);
LabelHandler set_label_handler(LabelHandler handler);

// Keyword statements whose commands live elsewhere; operands is the text after the
// keyword. Returns false when the keyword is not in the keyword table.
using KeywordHandler = void (*)(std::string_view operands);
bool set_keyword_handler(std::string_view keyword, KeywordHandler handler);

// Runs a statement as a label, routine call, assignment, element assignment or
// keyword statement, without storing it and without the block handler (the
// statement of a one-line IF).
void execute_simple_statement(std::string_view text);

// The labels-defined mark of a routine level.
bool labels_defined(int level);
void set_labels_defined(int level, bool defined);

}  // namespace korvan::kfl
