// SUBROUTINE and FUNCTION statements: the formals take the argument entries of
// the call, by keyword or by position, with optional type checks.
#include <cctype>
#include <string>

#include "interp/control_flow.hpp"
#include "interp/messages.hpp"
#include "interp/routine_frames.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

struct Formal {
    std::string keyword;  // empty for a positional formal
    std::string name;
    int type = -1;        // -1: untyped
};

std::string upper(std::string_view text)
{
    std::string out;
    for (char c : text)
        out += static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

// The identifier at the start of a text (letters, digits, "_", a leading "%").
std::string_view leading_identifier(std::string_view text)
{
    std::size_t n = 0;
    if (n < text.size() && text[n] == '%')
        ++n;
    while (n < text.size() && (std::isalnum(static_cast<unsigned char>(text[n])) || text[n] == '_'))
        ++n;
    return text.substr(0, n);
}

// Parses one formal; false after reporting a fault. The type of a keyword
// formal may stand before its keyword or before its name.
bool parse_formal(const RoutineArgument& a, Formal& f)
{
    constexpr std::size_t none = std::string_view::npos;
    std::string_view key = a.key;
    std::string_view declared = a.value;
    std::string_view type;
    if (a.keyword) {
        std::size_t colon = key.find(':');
        if (colon != none) {
            type = trim_blanks(key.substr(0, colon));
            key = trim_blanks(key.substr(colon + 1));
        }
        if (key.empty()) {
            report("Syntax error - Expected keyword");
            return false;
        }
        f.keyword = upper(key.substr(0, name_capacity - 1));
    }
    std::size_t colon = declared.find(':');
    if (colon != none) {
        type = trim_blanks(declared.substr(0, colon));
        declared = trim_blanks(declared.substr(colon + 1));
    }
    if (!type.empty()) {
        bool array = a.key.find('[') != none || a.value.find('[') != none;
        f.type = type_code(upper(leading_identifier(type)), array);
        if (f.type < 0)
            return false;
    }
    std::string_view name = leading_identifier(declared);
    if (name.empty()) {
        report("Syntax error - Expected variable");
        return false;
    }
    f.name = upper(name.substr(0, name_capacity));
    return true;
}

bool named_like(int index, char mark) { return variable(index).type != T_FREE && variable(index).name[0] == mark; }

// The argument entry a formal takes, or -1.
int take_entry(const CallFrame& frame, const Formal& f)
{
    std::string wanted = "!" + f.keyword;
    for (int index : frame.arguments) {
        if (f.keyword.empty() ? named_like(index, '$') : (named_like(index, '!') && name_of(variable(index)) == wanted))
            return index;
    }
    return -1;
}

// Type of an entry, a reference entry giving its variable's type (-1 when it has none).
int entry_type(int index)
{
    const Value& v = variable(index);
    if (v.type != T_REF)
        return v.type;
    int target = v.slot.ref;
    if (target < 0 || target >= variable_capacity || variable(target).type == T_FREE)
        return -1;
    return variable(target).type;
}

// Ends the routine at once; a message formed here is printed after it has ended.
void fail_entry(const std::string& formed)
{
    end_routine();
    report(formed);
}

void entry_statement(const char* word, std::string_view operands)
{
    if (calls().depth == 0)
        return;
    CallFrame& frame = top_frame();
    frame.entered = true;
    reset_tokenizer(operands);
    if (next_token() != TK_IDENT) {
        report(std::string("Identifier expected after ") + word);
        end_routine();
        return;
    }
    if (token_name() != frame.name) {
        report("Expected routine name", frame.name);
        end_routine();
        return;
    }
    std::string_view rest = operands.substr(tokenizer().pos);
    std::size_t open = rest.find('(');
    std::vector<RoutineArgument> list;
    if (open != std::string_view::npos) {
        std::size_t end = 0;
        list = split_routine_arguments(rest.substr(open + 1), end);
    }
    std::string routine = frame.name;
    int position = 0;
    for (const RoutineArgument& a : list) {
        ++position;
        Formal f;
        if (!parse_formal(a, f)) {
            end_routine();
            return;
        }
        int index = take_entry(frame, f);
        if (index < 0)
            continue;  // an optional keyword argument that was not given
        if (f.type >= 0 && entry_type(index) != f.type) {
            fail_entry("Mismatch of parameter " + std::to_string(position) + " in CALL to " + routine);
            return;
        }
        set_name(variable(index), f.name);
    }
    for (int index : frame.arguments) {
        if (named_like(index, '$')) {
            fail_entry("Too many parameters in CALL to " + routine);
            return;
        }
    }
    if (frame.keyword_count > 0) {
        for (int index : frame.arguments) {
            if (named_like(index, '!')) {
                fail_entry("Undefined keyword " + std::string(name_of(variable(index)).substr(1)));
                return;
            }
        }
    }
    // A reference to a variable the caller does not have leaves the formal
    // undefined: assigning to it makes a local variable.
    for (int index : frame.arguments) {
        if (variable(index).type == T_REF && entry_type(index) < 0)
            free_variable(index);
    }
}

void subroutine_command(std::string_view operands) { entry_statement("SUBROUTINE", operands); }
void function_command(std::string_view operands) { entry_statement("FUNCTION", operands); }

}  // namespace

bool stray_body_start(const StatementView&)
{
    if (calls().depth > 0 && !top_frame().entered)
        return false;
    flow().body_nesting = 1;
    set_skip(SKIP_BODY, true);
    return true;
}

void install_routine_entry()
{
    set_keyword_handler("SUBROUTINE", &subroutine_command);
    set_keyword_handler("FUNCTION", &function_command);
}

}  // namespace korvan::kfl
