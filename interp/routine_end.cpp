// RETURN, END and EXTERN: leaving a user routine and reaching global variables.
#include <cstring>
#include <string>

#include "interp/control_flow.hpp"
#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/front_end.hpp"
#include "interp/label_table.hpp"
#include "interp/loader.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/routine_frames.hpp"
#include "interp/system_variables.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

void install_user_routine_calls();
void install_routine_entry();

namespace {

bool blank(std::string_view text) { return text.find_first_not_of(' ') == std::string_view::npos; }

// Stores a function's value into its result variable; a "%" variable keeps its
// type (a DOUBLE one takes INT and FLOAT values).
void store_result(int index, Value& value)
{
    if (index < 0 || index >= variable_capacity)
        return;
    std::string name(name_of(variable(index)));
    if (name.empty()) {
        return;
    }
    set_name(value, name);
    if (name.front() == '%') {
        int type = system_variable_type(name);
        if (type == T_DOUBLE && (value.type == T_INT || value.type == T_FLOAT)) {
            value.slot = convert_slot(value.slot, value.type, T_DOUBLE);
            value.type = T_DOUBLE;
        }
        if (type != value.type) {
            report("Variable " + name + " must be of type " + type_name(type));
            return;
        }
    }
    if (store_variable(value, index) >= 0 && name.front() == '%')
        system_variable_assigned(name, index);
}

void return_command(std::string_view operands)
{
    if (calls().depth == 0) {
        report("RETURN statement outside of subroutine or function");
        return;
    }
    CallFrame& frame = top_frame();
    if (frame.kind == FRAME_FUNCTION) {
        reset_tokenizer(operands);
        next_token();
        int count = 0;
        if (evaluate_list(0, count)) {
            if (count == 0) {
                report("RETURN statement must return a value");
            } else if (stack_at(0).type != T_REF) {
                store_result(frame.result, stack_at(0));
                frame.returned = true;
            }
        }
        pop_to(0);
    } else if (!blank(operands)) {
        report("RETURN statement cannot return a value");
    }
    set_skip(SKIP_RETURN, true);
}

void extern_command(std::string_view operands)
{
    if (calls().depth == 0) {
        report("EXTERN statement must be used in a subroutine of function");
        return;
    }
    reset_tokenizer(operands);
    next_token();
    while (current_token() != TK_END) {
        if (current_token() != TK_IDENT) {
            report("Syntax error - Expected indentifier");
            return;
        }
        char name[16] = {};
        std::memcpy(name, tokenizer().record.name, sizeof name);
        int level = routine_level();
        set_routine_level(0);
        int global = find_variable(name);
        set_routine_level(level);
        if (global < 0) {
            report("Cannot find extern variable", name);
        } else {
            int index = allocate_variable();
            if (index >= 0) {
                Value& v = variable(index);
                set_name(v, name);
                v.level = static_cast<std::int8_t>(level);
                v.type = T_REF;
                v.count = 1;
                v.slot.ref = global;
            }
        }
        int next = next_token();
        if (next == TK_COMMA) {
            next_token();
        } else if (next != TK_END) {
            report("Syntax error - Expected end of statement");
            return;
        }
    }
}

}  // namespace

void end_routine()
{
    CallState& cs = calls();
    if (cs.depth == 0)
        return;
    CallFrame& frame = top_frame();
    FrontEnd& fe = front_end();
    int level = routine_level();
    if (frame.kind == FRAME_FUNCTION && !frame.returned)
        report("Functions must have a RETURN statement");
    if (frame.nested)
        fe.keep_reading = false;
    free_level(level);
    bool lower_labels = labels_defined_up_to(level - 1);
    if (labels_defined(level)) {
        clear_labels_of_level(level);
        set_labels_defined(level, false);
        if (control_state().loop_depth == 0) {
            if (!lower_labels || frame.nested)
                free_buffer_from(frame.start);
            if (!lower_labels)
                fe.buffer.store_mode = false;
        }
    }
    // The statements of a nested read never stay behind the statement that made it.
    if (frame.nested && fe.buffer.count() > frame.start)
        free_buffer_from(frame.start);
    if (fe.buffer.executing_fresh() && fe.inputs.depth() > 1)
        pop_input_file();
    --cs.depth;
    set_routine_level(level - 1);
    set_skip(SKIP_RETURN, false);
}

void end_statement()
{
    if (calls().depth == 0) {
        set_skip(SKIP_RETURN, false);
        return;
    }
    end_routine();
}

int routine_argument_count() { return calls().depth == 0 ? 0 : top_frame().argument_count; }
int routine_keyword_count() { return calls().depth == 0 ? 0 : top_frame().keyword_count; }

void install_user_routines()
{
    install_user_routine_calls();
    install_routine_entry();
    set_keyword_handler("RETURN", &return_command);
    set_keyword_handler("EXTERN", &extern_command);
}

}  // namespace korvan::kfl
