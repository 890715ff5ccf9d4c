#include "interp/control_flow.hpp"

#include "interp/eval_stack.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/value.hpp"
#include "interp/tokenizer.hpp"
#include "interp/user_routines.hpp"

namespace korvan::kfl {

void recompute_skipping() { control_state().skipping = flow().skip != 0; }

void set_skip(SkipReason reason, bool on)
{
    FlowState& f = flow();
    f.skip = on ? f.skip | skip_bit(reason) : f.skip & ~skip_bit(reason);
    control_state().skipping = f.skip != 0;
}

void go_to(int position)
{
    StatementBuffer& buffer = front_end().buffer;
    if (position < 0)
        position = 0;
    if (position > buffer.count())
        position = buffer.count();
    buffer.current = buffer.executing_fresh() ? position : position - 1;
}

void free_buffer_from(int position)
{
    StatementBuffer& buffer = front_end().buffer;
    bool fresh = buffer.executing_fresh();
    if (position < 0)
        position = 0;
    if (position > buffer.count())
        position = buffer.count();
    buffer.free_from(position);
    buffer.current = fresh ? position : position - 1;
}

bool labels_defined_up_to(int level)
{
    for (int l = 0; l <= level; ++l) {
        if (labels_defined(l))
            return true;
    }
    return false;
}

void reset_control_flow()
{
    flow() = FlowState{};
    control_state() = ControlState{};
}

namespace {

// A stray routine body (stored after a call that is not made on this pass) is
// passed over up to its own END, counting routine bodies stored inside it.
bool stray_body_statement(const StatementView& s)
{
    FlowState& f = flow();
    if (s.first_word == "SUBROUTINE" || s.first_word == "FUNCTION") {
        ++f.body_nesting;
    } else if (s.first_word == "END" && s.second_token == TK_END) {
        if (--f.body_nesting <= 0) {
            f.body_nesting = 0;
            set_skip(SKIP_BODY, false);
        }
    }
    return true;
}

bool block_handler(const StatementView& s)
{
    if (s.first_token != TK_IDENT)
        return false;
    if (skip_set(SKIP_BODY))
        return stray_body_statement(s);
    std::string_view w = s.first_word;
    switch (w.front()) {
    case 'C':
        if (w == "CASE") {
            case_statement(s);
            return true;
        }
        return false;
    case 'D':
        if (w == "DO") {
            do_statement(s);
            return true;
        }
        if (w == "DEFAULT") {
            default_statement(s);
            return true;
        }
        return false;
    case 'E':
        break;
    case 'I':
        if (w == "IF") {
            if_statement(s);
            return true;
        }
        return false;
    case 'S':
        if (w == "SWITCH") {
            switch_statement(s);
            return true;
        }
        if (w == "SUBROUTINE")
            return stray_body_start(s);
        return false;
    case 'F':
        if (w == "FUNCTION")
            return stray_body_start(s);
        return false;
    case 'W':
        if (w == "WHILE") {
            while_statement(s);
            return true;
        }
        return false;
    default:
        return false;
    }
    if (w == "ELSEIF") {
        elseif_statement(s, 0);
        return true;
    }
    if (w == "ELSE") {
        else_statement(s);
        return true;
    }
    if (w == "ENDIF") {
        endif_statement();
        return true;
    }
    if (w != "END")
        return false;
    if (s.second_token == TK_END) {
        end_statement();
        return true;
    }
    if (s.second_token != TK_IDENT)
        return false;
    std::string_view second = token_name();
    if (second == "IF") {
        endif_statement();
    } else if (second == "DO" || second == "WHILE") {
        end_loop_statement(second == "WHILE");
    } else if (second == "SWITCH") {
        end_switch_statement();
    } else {
        return false;
    }
    return true;
}

}  // namespace

bool control_flow_installed() { return installed_block_handler() == &block_handler; }

void install_control_flow()
{
    set_block_handler(&block_handler);
    set_label_handler(&label_defined);
    set_keyword_handler("BREAK", &break_command);
    set_keyword_handler("CONTINUE", &continue_command);
    set_keyword_handler("GOTO", &goto_command);
}

bool parenthesised_int(const StatementView& s, std::string_view statement, int& value)
{
    if (s.second_token != TK_LPAREN) {
        report("Syntax error - expected '('");
        return false;
    }
    next_token();
    int count = 0;
    if (!evaluate_list(0, count))
        return false;
    const std::string name(statement);
    if (count != 1) {
        report("Syntax error in " + name + " statement");
        return false;
    }
    if (stack_at(0).type != T_INT) {
        report("Expression in " + name + " statement must be of type INT");
        return false;
    }
    value = stack_at(0).slot.i32;
    pop_to(0);
    return true;
}

}  // namespace korvan::kfl
