// Block structure of the executor: IF levels, loops, SWITCH blocks, the skip
// reasons and the jumps inside the statement buffer. Blocks are matched while
// the statements run; skipped statements are still offered here so that the
// END of a skipped block is found.
#pragma once

#include <cstdint>
#include <string_view>

#include "interp/executor_hooks.hpp"

namespace korvan::kfl {

constexpr int max_block_nesting = 8;  // IF levels, loops and SWITCH blocks each

enum SkipReason : int {
    SKIP_IF,            // the current branch of an IF level is not active
    SKIP_GOTO,          // a forward GOTO is looking for its label
    SKIP_LOOP,          // zero-trip loop, false WHILE, pending BREAK or CONTINUE
    SKIP_CASE,          // no CASE of the innermost SWITCH chosen yet
    SKIP_SWITCH_BREAK,  // BREAK out of a SWITCH
    SKIP_RETURN,        // the rest of a user routine after RETURN
    SKIP_BODY,          // a stored routine body replayed without its call
    SKIP_REASONS
};

enum class LoopControl { none, continue_loop, break_loop };

struct IfLevel {
    bool taken;    // a branch of this IF has been chosen
    bool active;   // the current branch runs
    int loop_depth;
    int switch_depth;
};

struct LoopRecord {
    int variable;     // variable-table index of a DO loop's variable
    int body_start;   // statement-buffer position to go back to
    bool is_while;
    bool is_double;
    std::int32_t end_i, step_i;
    double end_d, step_d;
    int if_depth;
    int switch_depth;
    bool dead;        // opened while skipping
    unsigned serial;  // opening order, for BREAK
};

struct SwitchRecord {
    std::int32_t selector;
    int if_depth;
    int loop_depth;
    bool dead;
    unsigned serial;
};

struct FlowState {
    IfLevel ifs[max_block_nesting];
    LoopRecord loops[max_block_nesting];
    SwitchRecord switches[max_block_nesting];
    unsigned serial;           // counts every opened loop or SWITCH
    LoopControl pending;       // CONTINUE or BREAK waiting for the END of its loop
    int control_level;         // loop depth that pending control or a zero trip belongs to
    int switch_break_level;    // SWITCH depth of a pending SWITCH BREAK
    char goto_label[16];       // label of a pending forward GOTO
    int goto_if_depth, goto_loop_depth, goto_switch_depth;
    int body_nesting;          // routine bodies inside a skipped stray body
    unsigned skip;             // one bit (skip_bit) for each skip reason in force
};

inline FlowState& flow()
{
    static FlowState state{};
    return state;
}

constexpr unsigned skip_bit(SkipReason reason) { return 1u << reason; }
inline bool skip_set(SkipReason reason) { return (flow().skip & skip_bit(reason)) != 0; }

// Sets or clears one skip reason and recomputes the skipping flag.
void set_skip(SkipReason reason, bool on);
void recompute_skipping();

// Continues execution at a statement-buffer position: the position itself when
// fresh input is being executed, one less while replaying (the statement loop
// adds one after each replayed statement).
void go_to(int position);

// Frees the statement buffer from a position to the end, positioning as go_to does.
void free_buffer_from(int position);

// True when a routine level from 0 up to the given one has labels defined.
bool labels_defined_up_to(int level);

// Back to the start-up state (no open blocks, nothing skipped).
void reset_control_flow();

// Installs the block handler, the label handler and BREAK, CONTINUE and GOTO.
void install_control_flow();

// True while the block handler installed is this module's.
bool control_flow_installed();

// Statement handlers, called by the block handler (also while skipping).
// Reads the "(expression)" of WHILE and SWITCH: exactly one INT value, left in
// value. Reports what is wrong (naming the statement) and returns false otherwise.
bool parenthesised_int(const StatementView& s, std::string_view statement, int& value);

void if_statement(const StatementView& s);
// The text of an IF statement from just after its first "(" outside quotes (where
// the condition starts); no data when there is none.
std::string_view if_condition_text(std::string_view statement);
// Opens a block IF level whose condition has been evaluated (not while skipping).
void open_if_block(bool condition);
void elseif_statement(const StatementView& s, std::size_t condition_from);
void else_statement(const StatementView& s);
void endif_statement();
void do_statement(const StatementView& s);
void while_statement(const StatementView& s);
void end_loop_statement(bool is_while);
void switch_statement(const StatementView& s);
void case_statement(const StatementView& s);
void default_statement(const StatementView& s);
void end_switch_statement();

// Keyword statements.
void break_command(std::string_view operands);
void continue_command(std::string_view operands);
void goto_command(std::string_view operands);
void label_defined(std::string_view name);

}  // namespace korvan::kfl
