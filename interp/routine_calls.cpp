// Calls of user routines: CALL, NAME = F(...) with a user function, and the
// callback call of the dialog widgets.
#include <cctype>
#include <string>
#include <vector>

#include "interp/eval_stack.hpp"
#include "interp/front_end.hpp"
#include "interp/function_table.hpp"
#include "interp/loader.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/routine_frames.hpp"
#include "interp/system_variables.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

CallState& calls()
{
    static CallState state;
    return state;
}

namespace {

// True when the text is one identifier and nothing else; name receives it.
bool single_identifier(std::string_view text, std::string& name)
{
    reset_tokenizer(text);
    if (next_token() != TK_IDENT)
        return false;
    name = token_name();
    return next_token() == TK_END;
}

int new_entry(int level)
{
    int index = allocate_variable();
    if (index < 0)
        return -1;
    Value& v = variable(index);
    v.type = T_INT;  // holds the slot until the argument is stored
    v.count = 1;
    v.level = static_cast<std::int8_t>(level);
    return index;
}

void drop_entries(const std::vector<int>& entries)
{
    for (int index : entries)
        free_variable(index);
}

// Makes the argument entries at the new level; false (entries released) on failure.
bool make_arguments(const std::vector<RoutineArgument>& args, int level, std::vector<int>& entries, int& keywords)
{
    keywords = 0;
    int position = 0;
    for (const RoutineArgument& a : args) {
        ++position;
        std::string entry_name;
        if (a.keyword) {
            reset_tokenizer(a.key);
            if (next_token() != TK_IDENT) {
                report("Syntax error - Expected indentifier as keyword");
                drop_entries(entries);
                return false;
            }
            entry_name = "!" + std::string(token_name().substr(0, name_capacity - 1));
            if (next_token() != TK_END) {
                report("Syntax error in keyword", a.key.substr(0, name_capacity));
                drop_entries(entries);
                return false;
            }
            ++keywords;
        } else {
            entry_name = "$" + std::to_string(position);
        }
        int index = new_entry(level);
        if (index < 0) {
            drop_entries(entries);
            return false;
        }
        entries.push_back(index);
        if (a.value.empty()) {
            report("Syntax error - Expected variable");
            drop_entries(entries);
            return false;
        }
        std::string identifier;
        if (single_identifier(a.value, identifier)) {
            Value& v = variable(index);
            v.type = T_REF;
            v.slot.ref = find_variable(identifier);
        } else {
            reset_tokenizer(a.value);
            next_token();
            pop_to(0);
            bool ok = evaluate_expression();
            if (ok && current_token() != TK_END) {
                if (current_token() != TK_ERROR)
                    report("Syntax error - Expected end of line");
                ok = false;
            }
            if (!ok || stack_at(0).type == T_REF) {
                pop_to(0);
                drop_entries(entries);
                return false;
            }
            move_value(variable(index), stack_at(0));
            pop_to(0);
        }
        set_name(variable(index), entry_name);
    }
    return true;
}

// True when the statement stored after the current one starts the body of the
// named routine (a replayed call finds its routine there).
bool stored_body_follows(std::string_view name)
{
    const StatementBuffer& buffer = front_end().buffer;
    if (buffer.current + 1 >= buffer.count())
        return false;
    reset_tokenizer(buffer.at(buffer.current + 1));
    if (next_token() != TK_IDENT || (token_name() != "SUBROUTINE" && token_name() != "FUNCTION"))
        return false;
    return next_token() == TK_IDENT && token_name() == name;
}

// Pushes the frame and enters the routine. Fresh input: the routine file is
// opened and the statement loop reads it next. A replayed call finds the
// routine's statements stored after it; when they are not there (the call did
// not run on the pass that stored its neighbours) or for a callback, the file
// is read at once in a nested statement loop and its statements leave the
// buffer again at its END.
bool enter_routine(int kind, std::string_view name, const std::string& file_name, std::vector<int>& entries,
                   int keywords, int result)
{
    FrontEnd& fe = front_end();
    bool nested = kind == FRAME_CALLBACK || (!fe.buffer.executing_fresh() && !stored_body_follows(name));
    int resume = fe.buffer.current;
    if (nested)
        fe.buffer.current = fe.buffer.count();
    if (fe.buffer.executing_fresh()) {
        if (!open_input_file(file_name, false)) {
            fe.buffer.current = resume;
            drop_entries(entries);
            return false;
        }
        fe.interactive = false;  // the routine file is read to its END
    }
    CallState& cs = calls();
    CallFrame& f = cs.frames[cs.depth++];
    f = CallFrame{};
    f.kind = kind;
    f.nested = nested;
    // Keyword arguments are counted apart (KEYCNT): ARGCNT is the positional ones.
    f.argument_count = static_cast<int>(entries.size()) - keywords;
    f.keyword_count = keywords;
    f.start = fe.buffer.count();
    f.result = result;
    f.name = std::string(name);
    f.arguments = std::move(entries);
    set_routine_level(routine_level() + 1);
    if (nested) {
        run_statement_loop();
        fe.keep_reading = true;
        fe.buffer.current = resume < fe.buffer.count() ? resume : fe.buffer.count();
    }
    return true;
}

bool frames_left()
{
    if (calls().depth < max_call_frames && routine_level() + 1 < 127)
        return true;
    report("Too many nested routine calls");
    return false;
}

std::string lower_file_name(std::string_view name)
{
    std::string file;
    for (char c : name)
        file += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return file + ".kfl";
}

// Calls a routine with the arguments written after the first "(" of text.
void call_routine(int kind, std::string_view name, std::string_view text, int result)
{
    if (!frames_left())
        return;
    std::size_t open = text.find('(');
    std::vector<RoutineArgument> args;
    if (open != std::string_view::npos) {
        std::size_t end = 0;
        args = split_routine_arguments(text.substr(open + 1), end);
    }
    std::vector<int> entries;
    int keywords = 0;
    if (!make_arguments(args, routine_level() + 1, entries, keywords))
        return;
    enter_routine(kind, name, lower_file_name(name), entries, keywords, result);
}

void call_command(std::string_view operands)
{
    reset_tokenizer(operands);
    if (next_token() != TK_IDENT) {
        report("Routine name expected after CALL");
        return;
    }
    std::string name(token_name());
    call_routine(FRAME_SUBROUTINE, name, operands, -1);
}

// The variable that receives a function's value: an existing one keeps its
// value until RETURN stores into it; a new one is an INT at the caller's level
// (a "%" variable at level 0 with its own type).
int result_variable(std::string_view target)
{
    if (lookup_function(target) >= 0) {
        report("Reserved identifier", target);
        return -1;
    }
    int index = find_variable(target);
    if (index >= 0)
        return index;
    bool system = target.front() == '%';
    int type = system ? system_variable_type(target) : T_INT;
    if (type < 0) {
        report("Undefined system variable", target);
        return -1;
    }
    index = allocate_variable();
    if (index < 0)
        return -1;
    Value& v = variable(index);
    set_name(v, target);
    v.level = static_cast<std::int8_t>(system ? 0 : routine_level());
    if (type == T_STRING) {
        set_string(v, "");
    } else {
        v.type = static_cast<std::int8_t>(type);
        v.count = 1;
    }
    return index;
}

FunctionAssignmentHandler& library_functions()
{
    static FunctionAssignmentHandler previous = nullptr;
    return previous;
}

bool function_assignment(std::string_view target, std::string_view function, std::string_view text)
{
    if (library_functions() != nullptr && library_functions()(target, function, text))
        return true;
    if (!frames_left())
        return true;
    // A user function stands alone on the right side.
    std::string_view right = text.substr(text.find('=') + 1);
    std::size_t open = right.find('(');
    std::size_t end = 0;
    std::vector<RoutineArgument> args = split_routine_arguments(right.substr(open + 1), end);
    if (!trim_blanks(right.substr(open + 1 + end)).empty()) {
        report("Syntax error - Expected end of line");
        return true;
    }
    std::string target_name(target);
    std::string callee(function);
    int result = result_variable(target_name);
    if (result < 0)
        return true;
    std::vector<int> entries;
    int keywords = 0;
    if (!make_arguments(args, routine_level() + 1, entries, keywords))
        return true;
    enter_routine(FRAME_FUNCTION, callee, lower_file_name(callee), entries, keywords, result);
    return true;
}

}  // namespace

void callback_call(int widget_id, std::string_view routine_name, int variable_index)
{
    if (!frames_left())
        return;
    std::string_view cut = routine_name.substr(0, name_capacity);
    std::string called;
    for (char c : cut)
        called += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    int level = routine_level() + 1;
    std::vector<int> entries;
    int id = new_entry(level);
    if (id < 0)
        return;
    entries.push_back(id);
    variable(id).slot.i32 = widget_id;
    set_name(variable(id), "$1");
    int ref = new_entry(level);
    if (ref < 0) {
        drop_entries(entries);
        return;
    }
    entries.push_back(ref);
    variable(ref).type = T_REF;
    variable(ref).slot.ref = variable_index;
    set_name(variable(ref), "$2");

    enter_routine(FRAME_CALLBACK, called, std::string(cut) + ".kfl", entries, 0, -1);
}

void install_user_routine_calls()
{
    set_keyword_handler("CALL", &call_command);
    FunctionAssignmentHandler previous = set_function_assignment_handler(&function_assignment);
    if (previous != &function_assignment)
        library_functions() = previous;
}

void reset_user_routines()
{
    calls() = CallState{};
}

}  // namespace korvan::kfl
