#include "interp/assignment.hpp"

#include <cstring>
#include <string>
#include <vector>

#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/operators.hpp"
#include "interp/parser.hpp"
#include "interp/system_variables.hpp"
#include "interp/token_cache.hpp"
#include "interp/tokenizer.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {

// NAME = { n, -n, ... }: an INT array, or a FLOAT array when any number is real.
void array_constructor(std::string_view name)
{
    struct Number {
        bool real;
        double d;
        std::int32_t i;
    };
    static std::vector<Number> numbers;  // kept between statements: no allocation per use
    numbers.clear();
    bool any_real = false;
    next_token();  // past "{"
    for (;;) {
        bool negative = false;
        if (current_token() == TK_UMINUS || current_token() == TK_MINUS) {
            negative = true;
            next_token();
        }
        int t = current_token();
        if (t == TK_ERROR)
            return;
        if (t != TK_INTEGER && t != TK_REAL) {
            report("Integer or floatingpoint number expected");
            return;
        }
        const Value& r = tokenizer().record;
        Number n{t == TK_REAL, r.slot.f64, r.slot.i32};
        if (negative) {
            n.d = -n.d;
            n.i = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(n.i));
        }
        any_real = any_real || n.real;
        numbers.push_back(n);
        next_token();
        if (current_token() == TK_COMMA) {
            next_token();
            continue;
        }
        if (current_token() != TK_RBRACE) {
            if (current_token() != TK_ERROR)
                report("'}' is missing");
            return;
        }
        break;
    }
    if (next_token() != TK_END) {
        if (current_token() != TK_ERROR)
            report("End of statement expected");
        return;
    }
    int index = find_variable(name);
    if (index >= 0) {
        free_variable(index);
    } else {
        index = allocate_variable();
        if (index < 0)
            return;
        set_name(variable(index), name);
        variable(index).level = static_cast<std::int8_t>(routine_level());
    }
    Value& v = variable(index);
    auto count = static_cast<std::int32_t>(numbers.size());
    if (!make_array(v, any_real ? T_FLOAT_ARRAY : T_INT_ARRAY, count, 1, nullptr))
        return;
    for (std::int32_t k = 0; k < count; ++k) {
        ValueSlot s;
        s.f64 = 0;
        const Number& n = numbers[static_cast<std::size_t>(k)];
        if (any_real)
            s.f32 = static_cast<float>(n.real ? n.d : static_cast<double>(n.i));
        else
            s.i32 = n.i;
        store_element(v, k, s);
    }
}

// A "%" variable keeps its table type; a DOUBLE one accepts INT and FLOAT values.
bool system_variable_value(std::string_view name, Value& value)
{
    int type = system_variable_type(name);
    if (type < 0) {
        report("Undefined system variable", name);
        return false;
    }
    if (value.type == type)
        return true;
    if (type == T_DOUBLE && (value.type == T_INT || value.type == T_FLOAT)) {
        value.slot = convert_slot(value.slot, value.type, T_DOUBLE);
        value.type = T_DOUBLE;
        return true;
    }
    report("Variable " + std::string(name) + " must be of type " + type_name(type));
    return false;
}

// Whether a value type can be written into an element of the target type.
bool accepts(int target, int value)
{
    switch (target) {
    case T_CHAR:
    case T_BYTE:
    case T_SHORT:
        return value == T_BYTE || value == T_SHORT || value == T_INT;
    case T_INT:
    case T_FLOAT:
    case T_DOUBLE:
        return value >= T_BYTE && value <= T_DOUBLE;
    case T_COMPLEX:
        return value == T_COMPLEX;
    default:
        return false;
    }
}

void report_refusal(int target)
{
    if (target == T_INT || target == T_FLOAT || target == T_DOUBLE)
        report("Illegal expression value");
    else
        report("Illegal expression value - use conversion function");
}

}  // namespace

void assignment_statement(std::string_view name)
{
    if (current_token() == TK_LBRACE) {
        array_constructor(name);
        return;
    }
    pop_to(0);
    if (!evaluate_expression()) {
        pop_to(0);
        return;
    }
    if (current_token() != TK_END) {
        if (current_token() != TK_ERROR)
            report("Syntax error - Expected end of line");
        pop_to(0);
        return;
    }
    store_assigned_value(name, statement_target_memo(), false);
}

void store_assigned_value(std::string_view name, VariableMemo* memo, bool name_checked)
{
    // A failed operation may leave more than one record; the result is the bottom one.
    Value& value = stack_at(0);
    if (value.type == T_REF) {
        pop_to(0);
        return;
    }
    set_name(value, name);
    if (name.front() == '%' && !system_variable_value(name, value)) {
        pop_to(0);
        return;
    }
    int found = memo != nullptr ? find_variable(name, *memo) : find_variable(name);
    int index = name_checked ? store_unreserved_variable(value, found) : store_variable(value, found);
    pop_to(0);
    if (index >= 0 && name.front() == '%')
        system_variable_assigned(name, index);
}

bool store_assigned_number(const char* name, VariableMemo& memo, const Number& value)
{
    if (name[0] == '%')
        return false;
    int index = find_padded_variable(name, memo);
    if (index < 0)
        return false;
    // The entry as move_value leaves it from a pushed number.
    Value& entry = variable(index);
    if (owns_block(entry.type) || entry.dims > 1)
        release(entry);
    entry.type = static_cast<std::int8_t>(value.type);
    entry.dims = 0;
    entry.count = 1;
    entry.dim_list = nullptr;
    entry.slot = value.slot;
    return true;
}

void element_assignment_statement(std::string_view name)
{
    int index = find_variable(name);
    if (index < 0) {
        report("Undefined variable", name);
        return;
    }
    pop_to(0);
    Subscripts s;
    if (!parse_subscripts(name, s) || !expect(TK_ASSIGN, '='))
        return;
    if (!check_subscripts(variable(index), name, s))
        return;
    if (!evaluate_expression()) {
        pop_to(0);
        return;
    }
    if (current_token() != TK_END) {
        if (current_token() != TK_ERROR)
            report("Syntax error - Expected end of line");
        pop_to(0);
        return;
    }
    Value& var = variable(index);
    // The right side may have changed the variable (functions write through references).
    if (var.type == T_FREE || !check_subscripts(var, name, s)) {
        pop_to(0);
        return;
    }
    if (!is_array_type(var.type)) {
        report("Non array variable", name);
        pop_to(0);
        return;
    }
    const Value& value = stack_at(0);
    int target = element_type(var.type);
    bool value_array = is_array_type(value.type);
    if (s.selected == 1 && !value_array) {
        // One element: the scalar conversion table.
        if (!accepts(target, value.type))
            report_refusal(target);
        else
            store_element(var, element_number(var, s, 0), convert_slot(value.slot, value.type, target));
    } else if (value.count == s.selected || (value_array && value.count == 1)) {
        // Element by element (a one-element array fills the whole selection).
        int source = value_array ? element_type(value.type) : value.type;
        if (!value_array || !accepts(target, source)) {
            report_refusal(target);
        } else {
            bool spread = value.count != s.selected;
            for (std::int32_t k = 0; k < s.selected; ++k) {
                ValueSlot e = load_element(value, spread ? 0 : k);
                store_element(var, element_number(var, s, k), convert_slot(e, source, target));
            }
        }
    } else if (value.count == 1) {
        // A scalar goes into every selected element.
        if (!accepts(target, value.type)) {
            report_refusal(target);
        } else {
            ValueSlot e = convert_slot(value.slot, value.type, target);
            for (std::int32_t k = 0; k < s.selected; ++k)
                store_element(var, element_number(var, s, k), e);
        }
    } else {
        report("Mismatch of arrays");
    }
    pop_to(0);
}

}  // namespace korvan::kfl
