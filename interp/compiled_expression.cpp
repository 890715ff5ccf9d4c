#include "interp/compiled_expression.hpp"

#include <cstdint>
#include <cstring>
#include <string_view>
#include <vector>

#include "interp/eval_stack.hpp"
#include "interp/function_table.hpp"
#include "interp/messages.hpp"
#include "interp/operators.hpp"
#include "interp/token_cache.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

enum class StepKind : std::uint8_t { variable, constant, negate, logical_not, power, binary };

// One operation; token is the index of the token the parser stands at when the
// operation fails (the operand's own token, or the token after the right operand).
struct Step {
    StepKind kind;
    int op = 0;
    std::uint32_t token = 0;
    VariableMemo memo;
    // Kept here so that computing does not reach back into the token list: a
    // variable's name zero-padded, a constant's value (type FREE when it is no number).
    char name[16] = {};
    Number number{T_FREE, {}};
};

struct CompiledExpression {
    std::vector<Step> steps;
    std::uint32_t end = 0;  // the token after the expression
    unsigned functions = 0;  // the function table the identifiers were resolved against
};

namespace {

// The parser's nesting limit is far away: the parser takes anything deeper.
constexpr int compiled_nesting_limit = 50;

// A number as the stack holds one: a scalar of the types BYTE ... COMPLEX.
bool is_number(const Value& v) { return v.type >= T_BYTE && v.type <= T_COMPLEX && v.count == 1 && v.dims == 0; }

// Recursive descent over the cached tokens, the parser's grammar; fails on
// anything the steps do not cover (the parser then evaluates the expression).
class Compiler {
public:
    explicit Compiler(const TokenList& list, std::size_t start) : tokens_(list.tokens), at_(start) {}

    bool compile(CompiledExpression& out)
    {
        if (!logical())
            return false;
        out.steps = std::move(steps_);
        out.end = static_cast<std::uint32_t>(at_);
        out.functions = function_table_generation();
        return true;
    }

private:
    int token() const { return tokens_[at_].token; }
    std::uint32_t here() const { return static_cast<std::uint32_t>(at_); }
    void advance()
    {
        if (at_ + 1 < tokens_.size())
            ++at_;
    }
    void emit(StepKind kind, int op = 0)
    {
        Step step{kind, op, here(), {}};
        const Value& record = tokens_[at_].record;
        if (kind == StepKind::variable)
            std::memcpy(step.name, record.name, sizeof step.name);
        else if (kind == StepKind::constant && is_number(record))
            step.number = Number{record.type, record.slot};
        steps_.push_back(step);
    }

    struct Nest {
        Compiler& c;
        explicit Nest(Compiler& compiler) : c(compiler) { ++c.nesting_; }
        ~Nest() { --c.nesting_; }
        bool ok() const { return c.nesting_ <= compiled_nesting_limit; }
    };

    bool primary()
    {
        const TokenSnapshot& s = tokens_[at_];
        switch (s.token) {
        case TK_LPAREN:
            advance();
            if (!logical() || token() != TK_RPAREN)
                return false;
            advance();
            return true;
        case TK_INTEGER:
        case TK_REAL:
            emit(StepKind::constant);
            advance();
            return true;
        case TK_IDENT:
            if (lookup_function(std::string_view(s.record.name, s.name_length)) >= 0)
                return false;
            emit(StepKind::variable);
            advance();
            return token() != TK_LBRACKET;
        default:
            return false;
        }
    }

    bool power()
    {
        if (!primary())
            return false;
        if (token() != TK_POWER)
            return true;
        if (!operand_of_operator())
            return false;
        emit(StepKind::power);
        return true;
    }

    // Past an exponent or prefix operator to its operand, one level deeper.
    bool operand_of_operator()
    {
        Nest nest(*this);
        if (!nest.ok())
            return false;
        advance();
        return prefix();
    }

    bool prefix()
    {
        int op = token();
        if (op != TK_NOT && op != TK_UMINUS && op != TK_UPLUS)
            return power();
        if (!operand_of_operator())
            return false;
        if (op == TK_UMINUS)
            emit(StepKind::negate);
        else if (op == TK_NOT)
            emit(StepKind::logical_not);
        return true;
    }

    // Operands by next_level joined by the operators for which is_operator holds.
    template <bool (Compiler::*next_level)(), typename IsOperator>
    bool chain(IsOperator is_operator)
    {
        if (!(this->*next_level)())
            return false;
        for (;;) {
            int op = token();
            if (!is_operator(op))
                return true;
            advance();
            if (!(this->*next_level)())
                return false;
            emit(StepKind::binary, op);
        }
    }

    bool multiplicative()
    {
        return chain<&Compiler::prefix>([](int op) { return op == TK_STAR || op == TK_SLASH || op == TK_MOD; });
    }
    bool additive()
    {
        return chain<&Compiler::multiplicative>([](int op) { return op == TK_PLUS || op == TK_MINUS; });
    }
    bool comparison()
    {
        return chain<&Compiler::additive>([](int op) { return op >= TK_EQ && op <= TK_LT; });
    }
    bool logical()
    {
        Nest nest(*this);
        return nest.ok() && chain<&Compiler::comparison>([](int op) { return op == TK_AND || op == TK_OR; });
    }

    const std::vector<TokenSnapshot>& tokens_;
    std::size_t at_;
    int nesting_ = 0;
    std::vector<Step> steps_;
};

bool applied(OpStatus status) { return status != OpStatus::hard; }

// Runs one step; on failure stop receives the token the parser would stand at.
bool run_step(const TokenList& list, Step& step, std::uint32_t& stop)
{
    stop = step.token;
    switch (step.kind) {
    case StepKind::variable: {
        const TokenSnapshot& s = list.tokens[step.token];
        int index = find_padded_variable(s.record.name, step.memo);
        if (index < 0) {
            report("Undefined identifier", std::string_view(s.record.name, s.name_length));
            return false;
        }
        stop = step.token + 1;  // the parser has moved past the name before pushing
        return push_value(variable(index));
    }
    case StepKind::constant:
        return push_value(list.tokens[step.token].record);
    case StepKind::negate:
        return applied(negate(stack_depth() - 1));
    case StepKind::logical_not:
        return applied(logical_not());
    case StepKind::power:
        return applied(apply_power());
    case StepKind::binary:
        return applied(apply_binary(step.op));
    }
    return false;
}

// Numbers held while an expression is computed outside the evaluation stack.
constexpr int held_numbers = 16;

}  // namespace

bool compute_number(CompiledExpression& compiled, Number& result)
{
    Number held[held_numbers];
    int count = 0;
    int most = 0;
    for (Step& step : compiled.steps) {
        switch (step.kind) {
        case StepKind::variable: {
            int index = find_padded_variable(step.name, step.memo);
            if (index < 0)
                return false;
            const Value& v = variable(index);
            if (!is_number(v) || count == held_numbers)
                return false;
            held[count].type = v.type;
            held[count].slot = v.slot;
            most = ++count > most ? count : most;
            break;
        }
        case StepKind::constant:
            if (step.number.type == T_FREE || count == held_numbers)
                return false;
            held[count] = step.number;
            most = ++count > most ? count : most;
            break;
        case StepKind::negate:
            negate_number(held[count - 1]);
            break;
        case StepKind::logical_not:
            if (held[count - 1].type != T_INT)
                return false;
            held[count - 1].slot.i32 = held[count - 1].slot.i32 == 0 ? 1 : 0;
            break;
        case StepKind::power:
            return false;
        case StepKind::binary:
            if (!combine_numbers(step.op, held[count - 2], held[count - 1]))
                return false;
            --count;
            break;
        }
    }
    if (count != 1 || stack_depth() + most > stack_capacity)
        return false;
    result.type = held[0].type;
    result.slot = held[0].slot;
    return true;
}

void push_number(const Number& number)
{
    Value* pushed = push_slot();
    pushed->type = static_cast<std::int8_t>(number.type);
    pushed->count = 1;
    pushed->slot = number.slot;
}

CompiledExpression* compiled_expression_at(TokenList& list, std::size_t index)
{
    if (list.expressions.empty()) {
        list.expressions.resize(list.tokens.size());
        list.expression_tried.resize(list.tokens.size());
    }
    auto& slot = list.expressions[index];
    if (slot && slot->functions != function_table_generation()) {
        slot.reset();
        list.expression_tried[index] = 0;
    }
    if (!list.expression_tried[index]) {
        list.expression_tried[index] = 1;
        auto compiled = std::make_shared<CompiledExpression>();
        if (Compiler(list, index).compile(*compiled))
            slot = std::move(compiled);
    }
    return slot.get();
}

std::size_t compiled_expression_end(const CompiledExpression& compiled) { return compiled.end; }

bool evaluate_compiled(const TokenList& list, CompiledExpression& compiled, std::uint32_t& stop)
{
    Number result;
    if (compute_number(compiled, result)) {
        push_number(result);
        stop = compiled.end;
        return true;
    }
    return run_compiled_steps(list, compiled, stop);
}

bool run_compiled_steps(const TokenList& list, CompiledExpression& compiled, std::uint32_t& stop)
{
    for (Step& step : compiled.steps) {
        if (!run_step(list, step, stop))
            return false;
    }
    stop = compiled.end;
    return true;
}

bool run_compiled_expression(bool& ok)
{
    const Tokenizer& t = tokenizer();
    if (t.replay == nullptr || t.replay_next == 0 || t.replay_next > t.replay->tokens.size())
        return false;
    TokenList& list = *t.replay;
    CompiledExpression* compiled = compiled_expression_at(list, t.replay_next - 1);
    if (compiled == nullptr)
        return false;
    std::uint32_t stop = 0;
    ok = evaluate_compiled(list, *compiled, stop);
    replay_to(stop);
    return true;
}

}  // namespace korvan::kfl
