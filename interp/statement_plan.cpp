#include "interp/statement_plan.hpp"

#include <string_view>

#include "interp/assignment.hpp"
#include "interp/compiled_expression.hpp"
#include "interp/control_flow.hpp"
#include "interp/eval_stack.hpp"
#include "interp/front_end.hpp"
#include "interp/function_table.hpp"
#include "interp/messages.hpp"
#include "interp/operators.hpp"
#include "interp/parser.hpp"
#include "interp/token_cache.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

// First words that the block handler takes whatever follows them.
constexpr std::string_view block_words[] = {"CASE",   "DO",       "DEFAULT", "IF",     "SWITCH", "SUBROUTINE",
                                            "FUNCTION", "WHILE",  "ELSEIF",  "ELSE",   "ENDIF",  "END",
                                            "INCLUDE"};

bool takes_block_word(std::string_view word)
{
    for (std::string_view w : block_words) {
        if (w == word)
            return true;
    }
    return false;
}

std::string_view word_of(const TokenSnapshot& s) { return std::string_view(s.record.name, s.name_length); }

// The compiled expression at the token when it reaches the token of code end_code
// with the end of the text just after it.
CompiledExpression* compiled_up_to(TokenList& list, std::size_t index, int end_code)
{
    if (index >= list.tokens.size())
        return nullptr;
    CompiledExpression* compiled = compiled_expression_at(list, index);
    if (compiled == nullptr)
        return nullptr;
    std::size_t end = compiled_expression_end(*compiled);
    if (list.tokens[end].token != end_code)
        return nullptr;
    if (end_code != TK_END && (end + 1 >= list.tokens.size() || list.tokens[end + 1].token != TK_END))
        return nullptr;
    return compiled;
}

// NAME = expression, the expression compiled up to the end of the text.
void plan_assignment(TokenList& list, StatementPlan& plan)
{
    std::string_view target = word_of(list.tokens[0]);
    // A name of a built-in function is refused by the executor's store.
    if (target.front() == '%' || takes_block_word(target) || lookup_function(target) >= 0)
        return;
    plan.expression = compiled_up_to(list, 2, TK_END);
    if (plan.expression == nullptr)
        return;
    plan.expression_tokens = &list;
    plan.kind = PlanKind::assignment;
}

// IF (condition) with nothing after the condition; the condition is the text
// after the first "(", tokenized on its own as the IF statement does.
void plan_block_if(TokenList& list, StatementPlan& plan)
{
    std::string_view condition = if_condition_text(list.text);
    if (condition.data() == nullptr)
        return;
    TokenList* part = statement_part_tokens(list, condition);
    if (part == nullptr)
        return;
    plan.expression = compiled_up_to(*part, 0, TK_RPAREN);
    if (plan.expression == nullptr)
        return;
    plan.expression_tokens = part;
    plan.kind = PlanKind::block_if;
}

void make_plan(TokenList& list)
{
    StatementPlan& plan = list.plan;
    plan = StatementPlan{};
    plan.kind = PlanKind::general;
    plan.functions = function_table_generation();
    const std::vector<TokenSnapshot>& tokens = list.tokens;
    if (tokens.size() < 2 || tokens[0].token != TK_IDENT)
        return;
    std::string_view first = word_of(tokens[0]);
    int second = tokens[1].token;
    if (first == "ELSE") {
        if (second == TK_END)
            plan.kind = PlanKind::else_branch;
    } else if (first == "ENDIF") {
        plan.kind = PlanKind::end_if;
    } else if (first == "END") {
        std::string_view word = second == TK_IDENT ? word_of(tokens[1]) : std::string_view();
        if (word == "IF")
            plan.kind = PlanKind::end_if;
        else if (word == "DO")
            plan.kind = PlanKind::end_do;
        else if (word == "WHILE")
            plan.kind = PlanKind::end_while;
        else if (word == "SWITCH")
            plan.kind = PlanKind::end_switch;
    } else if (first == "IF") {
        if (second == TK_LPAREN)
            plan_block_if(list, plan);
    } else if (second == TK_ASSIGN) {
        plan_assignment(list, plan);
    }
}

// The assignment statement's work for a value computed by compiled steps.
void run_assignment(TokenList& list, const StatementPlan& plan)
{
    if (control_state().skipping)
        return;
    pop_to(0);
    Number result;
    if (compute_number(*plan.expression, result)) {
        if (store_assigned_number(list.tokens[0].record.name, list.target, result))
            return;
        push_number(result);
    } else {
        std::uint32_t stop = 0;
        if (!run_compiled_steps(*plan.expression_tokens, *plan.expression, stop)) {
            pop_to(0);
            return;
        }
    }
    store_assigned_value(word_of(list.tokens[0]), &list.target, true);
}

// The block IF's work once its condition is known to be evaluated (not skipping,
// an IF level free).
void run_block_if(const StatementPlan& plan)
{
    pop_to(0);
    Number result;
    if (!compute_number(*plan.expression, result)) {
        std::uint32_t stop = 0;
        if (!run_compiled_steps(*plan.expression_tokens, *plan.expression, stop)) {
            pop_to(0);
            return;
        }
        result.type = stack_at(0).type;
        result.slot = stack_at(0).slot;
    }
    if (result.type != T_INT) {
        report("Non integer value of logical expression");
        pop_to(0);
        return;
    }
    pop_to(0);
    open_if_block(result.slot.i32 != 0);
}

// Runs the plan; false when the statement has to go through the executor.
bool run_plan(TokenList& list)
{
    const StatementPlan& plan = list.plan;
    // A stray routine body is passed over by the block handler, statement by statement.
    if (skip_set(SKIP_BODY))
        return false;
    const ControlState& c = control_state();
    switch (plan.kind) {
    case PlanKind::assignment:
        if (expression_nesting() != 0)
            return false;
        run_assignment(list, plan);
        return true;
    case PlanKind::block_if:
        if (c.skipping || c.if_depth == max_block_nesting || expression_nesting() != 0)
            return false;
        run_block_if(plan);
        return true;
    case PlanKind::else_branch:
        else_statement(StatementView{list.text, "ELSE", TK_IDENT, TK_END});
        return true;
    case PlanKind::end_if:
        endif_statement();
        return true;
    case PlanKind::end_do:
        end_loop_statement(false);
        return true;
    case PlanKind::end_while:
        end_loop_statement(true);
        return true;
    case PlanKind::end_switch:
        end_switch_statement();
        return true;
    case PlanKind::unplanned:
    case PlanKind::general:
        return false;
    }
    return false;
}

}  // namespace

bool statement_plans_usable() { return token_cache_allowed() && control_flow_installed(); }

bool run_stored_statement(StatementBuffer& buffer, int position)
{
    // Tokens are there once the entry has run through the executor.
    TokenList* list = buffer.tokens_at(position).get();
    if (list == nullptr)
        return false;
    if (list->plan.kind == PlanKind::unplanned || list->plan.functions != function_table_generation())
        make_plan(*list);
    if (!run_plan(*list))
        return false;
    // Whatever a failed statement left on the evaluation stack is released now.
    if (stack_depth() > 0)
        pop_to(0);
    return true;
}

}  // namespace korvan::kfl
