// IF, ELSEIF / ELSE IF, ELSE and ENDIF / END IF, block and one-line IF.
#include "interp/control_flow.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"

namespace korvan::kfl {

namespace {

constexpr std::size_t none = std::string_view::npos;

// Position of the first "(" outside quotes.
std::size_t first_parenthesis(std::string_view text)
{
    char quote = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            return i;
        }
    }
    return none;
}

bool blank(std::string_view text) { return text.find_first_not_of(' ') == none; }

// While skipping: the condition is passed over by counting parentheses. Returns
// the position after its closing parenthesis, or none when it does not close.
std::size_t skip_condition(std::string_view text)
{
    std::size_t open = first_parenthesis(text);
    if (open == none)
        return none;
    int depth = 0;
    char quote = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        char c = text[i];
        if (quote != 0) {
            if (c == quote)
                quote = 0;
        } else if (c == '\'' || c == '"') {
            quote = c;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return none;
}

enum class Condition { failed, no, yes };

// Evaluates the condition that starts after the first "(" at or after from;
// rest receives where the text after its closing parenthesis begins (none when
// nothing follows).
Condition evaluate_condition(std::string_view text, std::size_t from, std::size_t& rest)
{
    std::size_t open = first_parenthesis(text.substr(from));
    if (open == none) {
        report("Syntax error");
        return Condition::failed;
    }
    std::size_t start = from + open + 1;
    std::string_view inner = text.substr(start);
    reset_tokenizer(inner);
    next_token();
    pop_to(0);
    if (!evaluate_expression()) {
        pop_to(0);
        return Condition::failed;
    }
    if (current_token() != TK_RPAREN) {
        if (current_token() != TK_ERROR)
            report("Syntax error - Expected ')'");
        pop_to(0);
        return Condition::failed;
    }
    const Value& v = stack_at(0);
    if (v.type != T_INT) {
        report("Non integer value of logical expression");
        pop_to(0);
        return Condition::failed;
    }
    bool value = v.slot.i32 != 0;
    pop_to(0);
    int next = next_token();
    if (next == TK_ERROR)
        return Condition::failed;
    rest = next == TK_END ? none : start + tokenizer().token_start;
    return value ? Condition::yes : Condition::no;
}

void open_level(bool taken, bool active)
{
    ControlState& c = control_state();
    flow().ifs[c.if_depth] = IfLevel{taken, active, c.loop_depth, c.switch_depth};
    ++c.if_depth;
}

// IF skip: some open level does not run its current branch.
void update_if_skip()
{
    const ControlState& c = control_state();
    int active = 0;
    for (int d = 0; d < c.if_depth; ++d)
        active += flow().ifs[d].active ? 1 : 0;
    set_skip(SKIP_IF, active != c.if_depth);
}

void check_overlap(const IfLevel& level)
{
    const ControlState& c = control_state();
    if (level.loop_depth != c.loop_depth)
        report("Overlapping IF and Loop constructs");
    if (level.switch_depth != c.switch_depth)
        report("Overlapping IF and SWITCH constructs");
}

}  // namespace

std::string_view if_condition_text(std::string_view statement)
{
    std::size_t open = first_parenthesis(statement);
    return open == none ? std::string_view() : statement.substr(open + 1);
}

void open_if_block(bool condition)
{
    open_level(condition, condition);
    update_if_skip();
}

void if_statement(const StatementView& s)
{
    ControlState& c = control_state();
    if (c.if_depth == max_block_nesting) {
        report("Max. number of nested IF statements is reached");
        return;
    }
    if (c.skipping) {
        std::size_t end = skip_condition(s.text);
        if (end == none) {
            report("Syntax error");
            return;
        }
        if (blank(s.text.substr(end))) {
            open_level(true, true);
            update_if_skip();
        }
        return;
    }
    std::size_t rest = none;
    Condition condition = evaluate_condition(s.text, 0, rest);
    if (condition == Condition::failed)
        return;
    if (rest != none) {
        // One-line IF: the statement after the condition.
        if (condition == Condition::yes)
            execute_simple_statement(s.text.substr(rest));
        return;
    }
    open_if_block(condition == Condition::yes);
}

void elseif_statement(const StatementView& s, std::size_t condition_from)
{
    const ControlState& c = control_state();
    if (c.if_depth == 0)
        return;
    IfLevel& level = flow().ifs[c.if_depth - 1];
    if (level.taken) {
        level.active = false;
    } else {
        std::size_t rest = none;
        Condition condition = evaluate_condition(s.text, condition_from, rest);
        if (condition == Condition::failed)
            return;
        level.active = condition == Condition::yes;
        level.taken = level.active;
        if (rest != none)
            report("Expected end of line");
    }
    check_overlap(level);
    update_if_skip();
}

void else_statement(const StatementView& s)
{
    if (s.second_token == TK_IDENT && token_name() == "IF") {
        elseif_statement(s, tokenizer().pos);
        return;
    }
    if (s.second_token != TK_END) {
        report("Expected IF or End of Line");
        return;
    }
    const ControlState& c = control_state();
    if (c.if_depth == 0)
        return;
    IfLevel& level = flow().ifs[c.if_depth - 1];
    level.active = !level.taken;
    check_overlap(level);
    update_if_skip();
}

void endif_statement()
{
    ControlState& c = control_state();
    if (c.if_depth == 0) {
        report("Missing IF statement before END IF");
        return;
    }
    --c.if_depth;
    check_overlap(flow().ifs[c.if_depth]);
    update_if_skip();
}

}  // namespace korvan::kfl
