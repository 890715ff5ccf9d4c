#include "interp/parser.hpp"

#include <cstring>

#include "interp/compiled_expression.hpp"
#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/function_table.hpp"
#include "interp/messages.hpp"
#include "interp/operators.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

int nesting = 0;

// Counts one level of nesting for the lifetime of the guard.
struct NestingGuard {
    bool ok;
    NestingGuard() : ok(++nesting <= max_expression_nesting)
    {
        if (!ok && nesting == max_expression_nesting + 1)
            report("Expression nested too deeply");
    }
    ~NestingGuard() { --nesting; }
};

bool logical();

bool applied(OpStatus s) { return s != OpStatus::hard; }

bool is_bare_reference_end(char c) { return c == '\0' || c == ')' || c == ',' || c == ':'; }

// One argument of a list or call; reference arguments when asked for.
bool argument(bool reference_mode)
{
    if (reference_mode && current_token() == TK_IDENT && is_bare_reference_end(peek_character())) {
        std::string_view name = token_name();
        int index = find_variable(name);
        if (!push_reference(index, name))
            return false;
        next_token();
        return true;
    }
    return logical();
}

bool integer_subscript(std::int32_t& value)
{
    int base = stack_depth();
    if (!logical())
        return false;
    const Value& v = stack_top();
    if (v.type != T_INT) {
        report("Subscripts must be of type integer");
        pop_to(base);
        return false;
    }
    value = v.slot.i32;
    pop_to(base);
    return true;
}

bool function_call(int row)
{
    next_token();
    if (current_token() != TK_LPAREN) {
        report("Syntax error - Expected", '(');
        return false;
    }
    next_token();
    int base = stack_depth();
    bool reference_mode = function_flag(row) == 1;
    if (current_token() != TK_RPAREN) {
        for (;;) {
            if (!argument(reference_mode))
                return false;
            if (current_token() != TK_COMMA)
                break;
            next_token();
        }
    }
    if (!expect(TK_RPAREN, ')'))
        return false;
    if (!call_function(row, base))
        return false;
    if (stack_depth() != base + 1) {
        // A function leaves exactly one result; anything else cannot be used.
        pop_to(base);
        return false;
    }
    return true;
}

bool primary()
{
    switch (current_token()) {
    case TK_LPAREN:
        next_token();
        if (!logical())
            return false;
        return expect(TK_RPAREN, ')');
    case TK_INTEGER:
    case TK_REAL:
    case TK_STRING:
        if (!push_value(tokenizer().record))
            return false;
        next_token();
        return true;
    case TK_IDENT: {
        char buffer[16];
        std::memcpy(buffer, tokenizer().record.name, sizeof buffer);
        std::string_view name(buffer, tokenizer().name_length);
        int row = lookup_function(name);
        if (row >= 0)
            return function_call(row);
        int index = find_variable(name);
        if (index < 0) {
            report("Undefined identifier", name);
            return false;
        }
        next_token();
        if (current_token() != TK_LBRACKET)
            return push_value(variable(index));
        Subscripts s;
        if (!parse_subscripts(name, s))
            return false;
        const Value& var = variable(index);
        if (var.type == T_FREE) {
            report("Undefined identifier", name);
            return false;
        }
        return check_subscripts(var, name, s) && push_selection(var, name, s);
    }
    case TK_ERROR:
        return false;  // already reported by the tokenizer
    default:
        report("Syntax error");
        return false;
    }
}

// A primary, optionally raised to a prefix-level exponent.
bool prefix();

bool power()
{
    if (!primary())
        return false;
    if (current_token() != TK_POWER)
        return true;
    NestingGuard guard;
    if (!guard.ok)
        return false;
    next_token();
    if (!prefix())
        return false;
    return applied(apply_power());
}

bool prefix()
{
    int op = current_token();
    if (op != TK_NOT && op != TK_UMINUS && op != TK_UPLUS)
        return power();
    NestingGuard guard;
    if (!guard.ok)
        return false;
    next_token();
    if (!prefix())
        return false;
    if (op == TK_UMINUS)
        return applied(negate(stack_depth() - 1));
    if (op == TK_NOT)
        return applied(logical_not());
    return true;
}

bool multiplicative()
{
    if (!prefix())
        return false;
    for (;;) {
        int op = current_token();
        if (op != TK_STAR && op != TK_SLASH && op != TK_MOD)
            return true;
        next_token();
        if (!prefix() || !applied(apply_binary(op)))
            return false;
    }
}

bool additive()
{
    if (!multiplicative())
        return false;
    for (;;) {
        int op = current_token();
        if (op != TK_PLUS && op != TK_MINUS)
            return true;
        next_token();
        if (!multiplicative() || !applied(apply_binary(op)))
            return false;
    }
}

bool comparison()
{
    if (!additive())
        return false;
    for (;;) {
        int op = current_token();
        if (op < TK_EQ || op > TK_LT)
            return true;
        next_token();
        if (!additive() || !applied(apply_binary(op)))
            return false;
    }
}

bool logical()
{
    NestingGuard guard;
    if (!guard.ok)
        return false;
    if (!comparison())
        return false;
    for (;;) {
        int op = current_token();
        if (op != TK_AND && op != TK_OR)
            return true;
        next_token();
        if (!comparison() || !applied(apply_binary(op)))
            return false;
    }
}

}  // namespace

int expression_nesting() { return nesting; }

bool evaluate_expression()
{
    bool ok = false;
    if (nesting == 0 && run_compiled_expression(ok))
        return ok;
    return logical();
}

bool evaluate_list(int mode, int& count)
{
    pop_to(0);
    count = 0;
    int first = current_token();
    if (first == TK_END || first == TK_RPAREN || first == TK_RBRACKET || first == TK_COLON)
        return true;
    for (;;) {
        if (!argument(mode == 1))
            return false;
        ++count;
        if (current_token() != TK_COMMA)
            break;
        next_token();
    }
    int t = current_token();
    if (t != TK_RPAREN && t != TK_COLON && t != TK_RBRACKET && t != TK_END) {
        if (t != TK_ERROR)
            report("Syntax error - Expected end of line");
        return false;
    }
    return true;
}

bool parse_subscripts(std::string_view name, Subscripts& s)
{
    s.n = 0;
    next_token();  // past "["
    for (;;) {
        if (s.n == max_dimensions) {
            report("Too many subscripts in", name);
            return false;
        }
        int d = s.n;
        s.start[d] = 0;
        s.end[d] = 0;
        if (current_token() == TK_STAR) {
            s.kind[d] = SUB_WHOLE;
            next_token();
        } else {
            if (current_token() != TK_COLON) {
                if (!integer_subscript(s.start[d]))
                    return false;
                s.kind[d] = SUB_ELEMENT;
            }
            if (current_token() == TK_COLON) {
                next_token();
                if (current_token() == TK_COMMA || current_token() == TK_RBRACKET) {
                    s.kind[d] = SUB_TO_END;
                } else {
                    if (!integer_subscript(s.end[d]))
                        return false;
                    s.kind[d] = SUB_RANGE;
                }
            }
        }
        ++s.n;
        if (current_token() != TK_COMMA)
            break;
        next_token();
    }
    return expect(TK_RBRACKET, ']');
}

bool push_selection(const Value& var, std::string_view name, const Subscripts& s)
{
    if (var.type < T_STRING) {
        report("Non array variable", name);
        return false;
    }
    bool text = var.type == T_STRING || var.type == T_CHAR_ARRAY;
    if (s.selected == 1) {
        std::int32_t e = element_number(var, s, 0);
        if (text)
            return push_int(static_cast<signed char>(static_cast<const char*>(var.slot.block)[e]));
        Value* slot = push_slot();
        if (slot == nullptr)
            return false;
        slot->type = static_cast<std::int8_t>(element_type(var.type));
        slot->count = 1;
        slot->slot = load_element(var, e);
        return true;
    }
    Value* slot = push_slot();
    if (slot == nullptr)
        return false;
    if (var.type == T_STRING) {
        char* copy = static_cast<char*>(allocate_block(static_cast<std::size_t>(s.selected) + 1));
        if (copy == nullptr) {
            pop_one();
            report("Not enough memory");
            return false;
        }
        for (std::int32_t k = 0; k < s.selected; ++k)
            copy[k] = var.slot.text[element_number(var, s, k)];
        copy[s.selected] = '\0';
        slot->type = T_STRING;
        slot->dims = 1;
        slot->count = s.selected;
        slot->slot.text = copy;
        return true;
    }
    if (!make_array(*slot, var.type, s.selected, 1, nullptr)) {
        pop_one();
        return false;
    }
    for (std::int32_t k = 0; k < s.selected; ++k)
        store_element(*slot, k, load_element(var, element_number(var, s, k)));
    return true;
}

}  // namespace korvan::kfl
