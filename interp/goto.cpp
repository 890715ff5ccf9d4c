// GOTO: backward jumps to known labels, forward searches for new ones.
#include <cstring>

#include "interp/control_flow.hpp"
#include "interp/label_table.hpp"
#include "interp/messages.hpp"
#include "interp/tokenizer.hpp"

namespace korvan::kfl {

namespace {

// The first illegal jump into a construct, or nullptr: the depths at the jump
// against the depths at the label.
const char* illegal_jump(int from_if, int from_loop, int from_switch, int to_if, int to_loop, int to_switch)
{
    if (to_if > from_if)
        return "Illegal jump into an IF construct";
    if (to_loop > from_loop)
        return "Illegal jump into a Loop construct";
    if (to_switch > from_switch)
        return "Illegal jump into a SWITCH construct";
    return nullptr;
}

}  // namespace

void goto_command(std::string_view operands)
{
    reset_tokenizer(operands);
    if (next_token() != TK_IDENT) {
        report("Expected label");
        return;
    }
    char name[16] = {};
    std::memcpy(name, tokenizer().record.name, sizeof name);
    if (next_token() != TK_END) {
        report("Expected end of statement");
        return;
    }
    ControlState& c = control_state();
    FlowState& f = flow();
    int index = find_label(name);
    if (index >= 0) {
        const Label& l = label(index);
        if (const char* fault = illegal_jump(c.if_depth, c.loop_depth, c.switch_depth, l.if_depth, l.loop_depth,
                                             l.switch_depth)) {
            report(fault);
            return;
        }
        go_to(l.position);
        c.if_depth = l.if_depth;
        c.loop_depth = l.loop_depth;
        c.switch_depth = l.switch_depth;
        c.skipping = l.skipping;
        return;
    }
    std::memcpy(f.goto_label, name, sizeof name);
    f.goto_if_depth = c.if_depth;
    f.goto_loop_depth = c.loop_depth;
    f.goto_switch_depth = c.switch_depth;
    set_skip(SKIP_GOTO, true);
}

void label_defined(std::string_view name)
{
    FlowState& f = flow();
    if (!skip_set(SKIP_GOTO) || name != std::string_view(f.goto_label))
        return;
    set_skip(SKIP_GOTO, false);
    const ControlState& c = control_state();
    if (const char* fault = illegal_jump(f.goto_if_depth, f.goto_loop_depth, f.goto_switch_depth, c.if_depth,
                                         c.loop_depth, c.switch_depth))
        report(fault);
}

}  // namespace korvan::kfl
