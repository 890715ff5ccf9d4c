#include "interp/declarations.hpp"

#include <cstring>

#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

// One declarator: NAME [ dim, dim, ... ]. Returns false when the statement ends.
bool declarator(int array_code)
{
    if (current_token() != TK_IDENT) {
        report("Syntax error");
        return false;
    }
    char name[16];
    std::memcpy(name, tokenizer().record.name, sizeof name);
    if (next_token() != TK_LBRACKET) {
        report("Syntax error");
        return false;
    }
    next_token();
    int index = find_variable(name);
    if (index >= 0) {
        free_variable(index);
    } else {
        index = allocate_variable();
        if (index < 0)
            return false;
        std::memcpy(variable(index).name, name, sizeof name);
        variable(index).level = static_cast<std::int8_t>(routine_level());
    }
    Value& entry = variable(index);
    int count = 0;
    if (!evaluate_list(0, count))
        return false;
    if (count == 0) {
        report("Missing parameters");
        return false;
    }
    if (count > max_dimensions) {
        report("Too many subscripts in", name);
        pop_to(0);
        return false;
    }
    std::int32_t sizes[max_dimensions];
    std::int64_t total = 1;
    for (int d = 0; d < count; ++d) {
        const Value& v = stack_at(d);
        if (v.type != T_INT) {
            report("Dimension parameter must be of type integer");
            pop_to(0);
            return false;
        }
        sizes[d] = v.slot.i32;
        if (sizes[d] < 0) {
            report("Negative dimension in", name);
            pop_to(0);
            return false;
        }
        total *= sizes[d];
        if (total > INT32_MAX) {
            report("Not enough memory");
            pop_to(0);
            return false;
        }
    }
    pop_to(0);
    if (!expect(TK_RBRACKET, ']'))
        return false;
    // The entry stays FREE (named) unless the block is made.
    return make_array(entry, array_code, static_cast<std::int32_t>(total), count, sizes);
}

}  // namespace

void declaration_statement(int array_code)
{
    for (;;) {
        if (!declarator(array_code))
            return;
        if (current_token() == TK_END)
            return;
        if (current_token() != TK_COMMA) {
            report("Syntax error");
            return;
        }
        next_token();
    }
}

void free_statement()
{
    while (current_token() != TK_END) {
        if (current_token() != TK_IDENT) {
            report("Syntax error - Expected identifier");
            return;
        }
        int index = find_variable(token_name());
        if (index < 0)
            report("Undefined variable", token_name());
        else
            free_variable(index);
        next_token();
        if (current_token() == TK_COMMA)
            next_token();
    }
}

}  // namespace korvan::kfl
