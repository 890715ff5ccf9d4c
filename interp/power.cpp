// Exponentiation ("**") on the evaluation stack.
#include <cmath>
#include <cstdint>

#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/operators.hpp"

namespace korvan::kfl {

namespace {

// Operand classes in table order: INT, FLOAT, DOUBLE, INT array, FLOAT array, DOUBLE array.
int operand_class(int type)
{
    switch (type) {
    case T_INT:
        return 0;
    case T_FLOAT:
        return 1;
    case T_DOUBLE:
        return 2;
    case T_INT_ARRAY:
        return 3;
    case T_FLOAT_ARRAY:
        return 4;
    case T_DOUBLE_ARRAY:
        return 5;
    default:
        return -1;
    }
}

// Result type by base (rows) and exponent (columns).
constexpr int result_table[6][6] = {
    {T_INT, T_FLOAT, T_DOUBLE, T_INT_ARRAY, T_FLOAT_ARRAY, T_DOUBLE_ARRAY},
    {T_FLOAT, T_FLOAT, T_FLOAT, T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_DOUBLE_ARRAY},
    {T_DOUBLE, T_DOUBLE, T_DOUBLE, T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_DOUBLE_ARRAY},
    {T_INT_ARRAY, T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_INT_ARRAY, T_FLOAT_ARRAY, T_DOUBLE_ARRAY},
    {T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_FLOAT_ARRAY, T_DOUBLE_ARRAY},
    {T_DOUBLE_ARRAY, T_DOUBLE_ARRAY, T_DOUBLE_ARRAY, T_DOUBLE_ARRAY, T_DOUBLE_ARRAY, T_DOUBLE_ARRAY},
};

enum class PowerFault { none, zero_base, negative_base };

std::int32_t integer_power(std::int32_t base, std::int32_t exponent)
{
    if (exponent == 0 || base == 1)
        return 1;
    if (exponent < 0)
        return 0;
    // Square and multiply: the same result modulo 2^32 as repeated multiplication.
    std::uint32_t result = 1, b = static_cast<std::uint32_t>(base);
    auto e = static_cast<std::uint32_t>(exponent);
    while (e != 0) {
        if (e & 1u)
            result *= b;
        b *= b;
        e >>= 1;
    }
    return static_cast<std::int32_t>(result);
}

// One power: base of type bt, exponent of type et, result of type rt (scalar codes).
PowerFault power(const ValueSlot& b, int bt, const ValueSlot& e, int et, int rt, ValueSlot& out)
{
    out.f64 = 0;
    if (bt == T_INT && et == T_INT) {
        out.i32 = integer_power(b.i32, e.i32);
        out = convert_slot(out, T_INT, rt);
        return PowerFault::none;
    }
    double x = slot_real(b, bt), y = slot_real(e, et);
    double r = 0;
    if (y == 0) {
        r = 1.0;
    } else if (x == 0 && y < 0) {
        return PowerFault::zero_base;
    } else if (et != T_INT && x < 0) {
        return PowerFault::negative_base;
    } else {
        r = std::pow(x, y);
    }
    ValueSlot d;
    d.f64 = r;
    out = convert_slot(d, T_DOUBLE, rt);
    return PowerFault::none;
}

void report_fault(PowerFault f)
{
    report(f == PowerFault::zero_base ? "Negative exponent with base zero" : "Negative base with non integer exponent");
}

}  // namespace

OpStatus apply_power()
{
    int d = stack_depth();
    if (d < 2) {
        report("Too few stack elements");
        return OpStatus::hard;
    }
    Value& base = stack_at(d - 2);
    Value& exponent = stack_at(d - 1);
    int bc = operand_class(base.type), ec = operand_class(exponent.type);
    if (bc < 0 || ec < 0) {
        report("Not allowed operands in exponentiation");
        pop_one();
        return OpStatus::soft;
    }
    int result_code = result_table[bc][ec];
    bool base_array = bc >= 3, exponent_array = ec >= 3;
    if (!base_array && !exponent_array) {
        ValueSlot out;
        PowerFault f = power(base.slot, base.type, exponent.slot, exponent.type, result_code, out);
        if (f != PowerFault::none) {
            report_fault(f);
            pop_one();
            return OpStatus::soft;
        }
        base.slot = out;
        base.type = static_cast<std::int8_t>(result_code);
        pop_one();
        return OpStatus::ok;
    }
    if (base_array && exponent_array && base.count != exponent.count) {
        report("Different dimension in array operands");
        pop_one();
        return OpStatus::soft;
    }
    const Value& shape = base_array ? base : exponent;
    Value out{};
    if (!make_array(out, result_code, shape.count, shape.dims, shape.dim_list))
        return OpStatus::hard;
    out.dims = shape.dims;
    int bt = base_array ? element_type(base.type) : base.type;
    int et = exponent_array ? element_type(exponent.type) : exponent.type;
    int rt = element_type(result_code);
    PowerFault first = PowerFault::none;
    for (std::int32_t i = 0; i < out.count; ++i) {
        ValueSlot b = base_array ? load_element(base, i) : base.slot;
        ValueSlot e = exponent_array ? load_element(exponent, i) : exponent.slot;
        ValueSlot r;
        PowerFault f = power(b, bt, e, et, rt, r);
        if (f != PowerFault::none) {
            // The element keeps the base's value.
            r = convert_slot(b, bt, rt);
            if (first == PowerFault::none)
                first = f;
        }
        store_element(out, i, r);
    }
    move_value(base, out);
    pop_one();
    if (first != PowerFault::none) {
        report_fault(first);
        return OpStatus::soft;
    }
    return OpStatus::ok;
}

}  // namespace korvan::kfl
