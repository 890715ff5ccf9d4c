// SWITCH, CASE, DEFAULT and END SWITCH: cases fall through until BREAK.
#include "interp/control_flow.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"

namespace korvan::kfl {

namespace {

// The innermost SWITCH when it is live, otherwise nullptr.
SwitchRecord* live_switch()
{
    int depth = control_state().switch_depth;
    SwitchRecord& r = flow().switches[depth - 1];
    return r.dead ? nullptr : &r;
}

// ":" and then the end of the text must follow a CASE or DEFAULT label.
void check_label_end(const char* colon_message, const char* end_message)
{
    if (current_token() != TK_COLON) {
        report(colon_message);
        return;
    }
    if (next_token() != TK_END)
        report(end_message);
}

}  // namespace

void switch_statement(const StatementView& s)
{
    ControlState& c = control_state();
    FlowState& f = flow();
    if (c.switch_depth == max_block_nesting) {
        report("Max. number of nested SWITCH statements is reached");
        return;
    }
    SwitchRecord& r = f.switches[c.switch_depth];
    r = SwitchRecord{0, c.if_depth, c.loop_depth, true, 0};
    if (c.skipping) {
        ++c.switch_depth;
        return;
    }
    if (!parenthesised_int(s, "SWITCH", r.selector))
        return;
    r.dead = false;
    r.serial = ++f.serial;
    ++c.switch_depth;
    set_skip(SKIP_CASE, true);
}

void case_statement(const StatementView& s)
{
    if (control_state().switch_depth == 0) {
        report("CASE must be used in a SWITCH construct");
        return;
    }
    if (s.second_token != TK_INTEGER) {
        report("The CASE parameter must be an INT constant");
        return;
    }
    SwitchRecord* r = live_switch();
    if (r != nullptr && tokenizer().record.slot.i32 == r->selector)
        set_skip(SKIP_CASE, false);
    next_token();
    check_label_end("Expected ':' in CASE statement", "Expected end of line in CASE statement");
}

void default_statement(const StatementView& s)
{
    if (control_state().switch_depth == 0) {
        report("DEFAULT must be used in a SWITCH construct");
        return;
    }
    if (live_switch() != nullptr)
        set_skip(SKIP_CASE, false);
    (void)s;
    check_label_end("Expected ':' in DEFAULT statement", "Expected end of line in DEFAULT statement");
}

void end_switch_statement()
{
    ControlState& c = control_state();
    FlowState& f = flow();
    if (c.switch_depth == 0) {
        report("Missing SWITCH statement before END SWITCH");
        return;
    }
    const SwitchRecord& r = f.switches[c.switch_depth - 1];
    int closed = c.switch_depth;
    --c.switch_depth;
    if (!r.dead) {
        set_skip(SKIP_CASE, false);
        if (skip_set(SKIP_SWITCH_BREAK) && f.switch_break_level == closed)
            set_skip(SKIP_SWITCH_BREAK, false);
    }
    if (r.if_depth != c.if_depth)
        report("Overlapping SWITCH and IF contructs");
    if (r.loop_depth != c.loop_depth)
        report("Overlapping SWITCH and Loop contructs");
}

}  // namespace korvan::kfl
