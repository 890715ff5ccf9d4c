#include "interp/operators.hpp"

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interp/elements.hpp"
#include "interp/eval_stack.hpp"
#include "interp/messages.hpp"
#include "interp/tokenizer.hpp"
#include "interp/value.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {

bool is_arith_op(int op) { return op == TK_PLUS || op == TK_MINUS || op == TK_STAR || op == TK_SLASH || op == TK_MOD; }
bool is_compare_op(int op) { return op >= TK_EQ && op <= TK_LT; }

char operator_character(int op)
{
    switch (op) {
    case TK_EQ:
        return '=';
    case TK_NE:
        return '!';
    case TK_GE:
    case TK_GT:
        return '>';
    case TK_LE:
    case TK_LT:
        return '<';
    case TK_AND:
        return '&';
    case TK_OR:
        return '|';
    default:
        return static_cast<char>(op);
    }
}

// Result of a scalar arithmetic step.
enum class Arith { ok, divide_by_zero, not_allowed, modulo_type };

// a = a op b for two slots of the same numeric type (BYTE ... COMPLEX); inline in
// its callers, where the operator and type tests fold into theirs.
[[gnu::always_inline]] inline Arith arith(int op, int type, ValueSlot& a, const ValueSlot& b)
{
    if (op == TK_MOD && type != T_INT)
        return Arith::modulo_type;
    if ((op == TK_SLASH || op == TK_MOD) && slot_is_zero(b, type))
        return Arith::divide_by_zero;
    switch (type) {
    case T_BYTE: {
        unsigned x = a.u8, y = b.u8, r = 0;
        if (op == TK_PLUS)
            r = x + y;
        else if (op == TK_MINUS)
            r = x - y;
        else if (op == TK_STAR)
            r = x * y;
        else
            r = x / y;
        a.u8 = static_cast<std::uint8_t>(r & 0xFF);
        return Arith::ok;
    }
    case T_SHORT: {
        std::int32_t x = a.i16, y = b.i16, r = 0;
        if (op == TK_PLUS)
            r = x + y;
        else if (op == TK_MINUS)
            r = x - y;
        else if (op == TK_STAR)
            r = x * y;
        else
            r = x / y;
        a.i16 = static_cast<std::int16_t>(static_cast<std::uint16_t>(static_cast<std::uint32_t>(r) & 0xFFFF));
        return Arith::ok;
    }
    case T_INT: {
        std::uint32_t x = static_cast<std::uint32_t>(a.i32), y = static_cast<std::uint32_t>(b.i32), r = 0;
        if (op == TK_PLUS)
            r = x + y;
        else if (op == TK_MINUS)
            r = x - y;
        else if (op == TK_STAR)
            r = x * y;
        else if (a.i32 == INT32_MIN && b.i32 == -1)
            r = op == TK_SLASH ? x : 0;  // the one quotient that does not fit wraps
        else
            r = static_cast<std::uint32_t>(op == TK_SLASH ? a.i32 / b.i32 : a.i32 % b.i32);
        a.i32 = static_cast<std::int32_t>(r);
        return Arith::ok;
    }
    case T_FLOAT:
    case T_DOUBLE: {
        double x = type == T_FLOAT ? a.f32 : a.f64, y = type == T_FLOAT ? b.f32 : b.f64, r = 0;
        if (op == TK_PLUS)
            r = x + y;
        else if (op == TK_MINUS)
            r = x - y;
        else if (op == TK_STAR)
            r = x * y;
        else
            r = x / y;
        if (type == T_FLOAT)
            a.f32 = static_cast<float>(r);
        else
            a.f64 = r;
        return Arith::ok;
    }
    case T_COMPLEX: {
        double ar = a.cx.re, ai = a.cx.im, br = b.cx.re, bi = b.cx.im, rr = 0, ri = 0;
        if (op == TK_PLUS) {
            rr = ar + br;
            ri = ai + bi;
        } else if (op == TK_MINUS) {
            rr = ar - br;
            ri = ai - bi;
        } else if (op == TK_STAR) {
            rr = ar * br - ai * bi;
            ri = ai * br + ar * bi;
        } else {
            double d = br * br + bi * bi;
            rr = (ar * br + ai * bi) / d;
            ri = (ai * br - ar * bi) / d;
        }
        a.cx.re = static_cast<float>(rr);
        a.cx.im = static_cast<float>(ri);
        return Arith::ok;
    }
    default:
        return Arith::not_allowed;
    }
}

[[gnu::always_inline]] inline int compare_scalars(int op, int type, const ValueSlot& l, const ValueSlot& r)
{
    int c = 0;  // <0, 0, >0
    if (type == T_COMPLEX) {
        bool equal = l.cx.re == r.cx.re && l.cx.im == r.cx.im;
        if (op == TK_EQ)
            return equal;
        if (op == TK_NE)
            return !equal;
        return 0;
    }
    if (type == T_STRING) {
        c = std::strcmp(l.text, r.text);  // compares bytes as unsigned
    } else if (type == T_INT) {
        c = l.i32 < r.i32 ? -1 : (l.i32 > r.i32 ? 1 : 0);
    } else if (type == T_BYTE || type == T_SHORT) {
        std::int64_t x = static_cast<std::int64_t>(slot_real(l, type));
        std::int64_t y = static_cast<std::int64_t>(slot_real(r, type));
        c = x < y ? -1 : (x > y ? 1 : 0);
    } else {
        double x = slot_real(l, type), y = slot_real(r, type);
        if (x < y)
            c = -1;
        else if (x > y)
            c = 1;
        else if (x == y)
            c = 0;
        else
            return op == TK_NE;  // NaN: unordered
    }
    switch (op) {
    case TK_EQ:
        return c == 0;
    case TK_NE:
        return c != 0;
    case TK_GE:
        return c >= 0;
    case TK_LE:
        return c <= 0;
    case TK_GT:
        return c > 0;
    default:
        return c < 0;
    }
}

void set_int_result(Value& v, int result)
{
    release(v);
    v.type = T_INT;
    v.count = 1;
    v.dims = 0;
    v.slot.i32 = result;
}

// Turns a zero-terminated CHAR array record into a STRING record.
bool char_array_to_string(Value& v)
{
    Value s{};
    if (!set_string(s, std::string_view(static_cast<const char*>(v.slot.block))))
        return false;
    move_value(v, s);
    return true;
}

// Converts an array record in place into another array code.
bool convert_array(Value& a, int to_code)
{
    Value n{};
    if (!make_array(n, to_code, a.count, a.dims, a.dim_list))
        return false;
    int from = element_type(a.type), to = element_type(to_code);
    for (std::int32_t i = 0; i < a.count; ++i)
        store_element(n, i, convert_slot(load_element(a, i), from, to));
    n.dims = a.dims;
    move_value(a, n);
    return true;
}

// Which lower array code may be promoted to which higher one.
bool array_promotion_allowed(int from, int to)
{
    if (from < T_BYTE_ARRAY || to > T_COMPLEX_ARRAY || from >= to)
        return false;
    return !(to == T_COMPLEX_ARRAY && from == T_DOUBLE_ARRAY);
}

OpStatus pop_right_soft()
{
    pop_one();
    return OpStatus::soft;
}

OpStatus arrays_with_arrays(int op, Value& l, Value& r)
{
    if (l.count != r.count) {
        report("Different dimension in array operands");
        return pop_right_soft();
    }
    if (l.type != r.type) {
        Value& lower = l.type < r.type ? l : r;
        int to = l.type < r.type ? r.type : l.type;
        if (!array_promotion_allowed(lower.type, to)) {
            report("Not allowed operands");
            return OpStatus::hard;
        }
        if (!convert_array(lower, to))
            return OpStatus::hard;
    }
    int type = element_type(l.type);
    for (std::int32_t i = 0; i < l.count; ++i) {
        ValueSlot a = load_element(l, i);
        Arith result = arith(op, type, a, load_element(r, i));
        if (result == Arith::divide_by_zero) {
            report("Divide by zero");
            return pop_right_soft();
        }
        store_element(l, i, a);
    }
    pop_one();
    return OpStatus::ok;
}

// Result array code of an array (code) combined with a widened scalar type; 0 if illegal.
int scalar_beside_array_result(int array_code, int scalar_type)
{
    switch (array_code) {
    case T_BYTE_ARRAY:
    case T_SHORT_ARRAY:
        return scalar_type == T_INT ? array_code : 0;
    case T_INT_ARRAY:
        return scalar_type == T_INT ? T_INT_ARRAY : (scalar_type == T_DOUBLE ? T_FLOAT_ARRAY : 0);
    case T_FLOAT_ARRAY:
    case T_DOUBLE_ARRAY:
        return scalar_type == T_COMPLEX ? 0 : array_code;
    case T_COMPLEX_ARRAY:
        return T_COMPLEX_ARRAY;
    default:
        return 0;
    }
}

OpStatus array_with_scalar(int op, Value& l, Value& r)
{
    bool array_left = is_array_type(l.type);
    Value& arr = array_left ? l : r;
    Value& sc = array_left ? r : l;
    int st = sc.type;
    if (st == T_BYTE || st == T_SHORT)
        st = T_INT;
    else if (st == T_FLOAT)
        st = T_DOUBLE;
    else if (st != T_INT && st != T_DOUBLE && st != T_COMPLEX)
        st = 0;
    int result_code = st == 0 ? 0 : scalar_beside_array_result(arr.type, st);
    if (result_code == 0) {
        report("Illegal Operands");
        return OpStatus::hard;
    }
    int elem = element_type(arr.type);
    int res = element_type(result_code);
    int compute = res == T_FLOAT ? T_DOUBLE : res;  // 32-bit results are rounded from 64-bit reals
    ValueSlot s = convert_slot(convert_slot(sc.slot, sc.type, st), st, compute);
    if (op == TK_SLASH && array_left && slot_is_zero(s, compute)) {
        report("Divide by zero");
        return pop_right_soft();
    }
    Value out{};
    if (!make_array(out, result_code, arr.count, arr.dims, arr.dim_list))
        return OpStatus::hard;
    for (std::int32_t i = 0; i < arr.count; ++i) {
        ValueSlot e = convert_slot(load_element(arr, i), elem, compute);
        ValueSlot a = array_left ? e : s;
        Arith result = arith(op, compute, a, array_left ? s : e);
        if (result == Arith::divide_by_zero) {
            release(out);
            report("Divide by zero");
            return pop_right_soft();
        }
        store_element(out, i, convert_slot(a, compute, res));
    }
    out.dims = arr.dims;
    move_value(l, out);
    pop_one();
    return OpStatus::ok;
}

OpStatus array_binary(int op)
{
    int d = stack_depth();
    if (op != TK_PLUS && op != TK_MINUS && op != TK_STAR && op != TK_SLASH) {
        report("Not allowed array operand", operator_character(op));
        return OpStatus::hard;
    }
    if (op == TK_MINUS) {
        OpStatus s = negate(d - 1);
        if (s != OpStatus::ok)
            return s;
        op = TK_PLUS;
    }
    Value& l = stack_at(d - 2);
    Value& r = stack_at(d - 1);
    if (is_array_type(l.type) && is_array_type(r.type)) {
        if (l.type == T_CHAR_ARRAY || r.type == T_CHAR_ARRAY) {
            if (l.count != r.count) {
                report("Different dimension in array operands");
                return pop_right_soft();
            }
            report("Not allowed operands");
            return OpStatus::hard;
        }
        return arrays_with_arrays(op, l, r);
    }
    return array_with_scalar(op, l, r);
}

void negate_slot(int type, ValueSlot& s)
{
    switch (type) {
    case T_BYTE:
        s.u8 = static_cast<std::uint8_t>(-static_cast<unsigned>(s.u8) & 0xFF);
        break;
    case T_SHORT:
        s.i16 = static_cast<std::int16_t>(static_cast<std::uint16_t>(-static_cast<std::uint32_t>(s.i16) & 0xFFFF));
        break;
    case T_INT:
        s.i32 = static_cast<std::int32_t>(0u - static_cast<std::uint32_t>(s.i32));
        break;
    case T_FLOAT:
        s.f32 = -s.f32;
        break;
    case T_DOUBLE:
        s.f64 = -s.f64;
        break;
    case T_COMPLEX:
        s.cx.re = -s.cx.re;
        s.cx.im = -s.cx.im;
        break;
    default:
        break;
    }
}

bool promote_scalar(Value& v, int to)
{
    v.slot = convert_slot(v.slot, v.type, to);
    v.type = static_cast<std::int8_t>(to);
    return true;
}

}  // namespace

OpStatus apply_binary(int op)
{
    int d = stack_depth();
    if (d < 2) {
        report("Too few stack elements");
        return OpStatus::hard;
    }
    if (!is_arith_op(op) && !is_compare_op(op) && op != TK_AND && op != TK_OR) {
        win::print("Not allowed Stack operation " + std::to_string(op) + "\n");
        return OpStatus::hard;
    }
    Value& l = stack_at(d - 2);
    Value& r = stack_at(d - 1);
    if (l.type >= T_BYTE_ARRAY || r.type >= T_BYTE_ARRAY)
        return array_binary(op);
    if (l.type == T_CHAR_ARRAY && r.type == T_CHAR_ARRAY) {
        if (!text_check(l) || !text_check(r) || !char_array_to_string(l) || !char_array_to_string(r))
            return OpStatus::hard;
    }
    if (l.type == T_CHAR && r.type == T_CHAR) {
        if (is_compare_op(op)) {
            set_int_result(l, 0);
            pop_one();
            return OpStatus::ok;
        }
        report(op == TK_MOD ? "Modulo operands must be of type integer" : "Not allowed operands");
        return OpStatus::hard;
    }
    if (l.type != r.type) {
        bool numeric = l.type >= T_BYTE && l.type <= T_COMPLEX && r.type >= T_BYTE && r.type <= T_COMPLEX;
        if (!numeric) {
            report("Not allowed operands");
            return OpStatus::hard;
        }
        if (l.type < r.type)
            promote_scalar(l, r.type);
        else
            promote_scalar(r, l.type);
    }
    int type = l.type;
    if (is_compare_op(op)) {
        if (type < T_BYTE || type > T_STRING) {
            report("Not allowed operands");
            return OpStatus::hard;
        }
        int result = compare_scalars(op, type, l.slot, r.slot);
        set_int_result(l, result);
        pop_one();
        return OpStatus::ok;
    }
    if (op == TK_AND || op == TK_OR) {
        if (type != T_INT) {
            report("AND operands must be of type INT");
            return pop_right_soft();
        }
        bool result = op == TK_AND ? (l.slot.i32 != 0 && r.slot.i32 != 0) : (l.slot.i32 != 0 || r.slot.i32 != 0);
        l.slot.i32 = result ? 1 : 0;
        pop_one();
        return OpStatus::ok;
    }
    if (type == T_STRING) {
        if (op != TK_PLUS) {
            report(op == TK_MOD ? "Modulo operands must be of type integer" : "Not allowed operands");
            return OpStatus::hard;
        }
        std::size_t total = static_cast<std::size_t>(l.count) + static_cast<std::size_t>(r.count);
        char* text = static_cast<char*>(allocate_block(total + 1));
        if (text == nullptr) {
            report("Not enough memory");
            return OpStatus::hard;
        }
        std::memcpy(text, l.slot.text, static_cast<std::size_t>(l.count));
        std::memcpy(text + l.count, r.slot.text, static_cast<std::size_t>(r.count) + 1);
        std::free(l.slot.text);
        l.slot.text = text;
        l.count = static_cast<std::int32_t>(total);
        pop_one();
        return OpStatus::ok;
    }
    switch (arith(op, type, l.slot, r.slot)) {
    case Arith::ok:
        pop_one();
        return OpStatus::ok;
    case Arith::divide_by_zero:
        report("Divide by zero");
        return pop_right_soft();
    case Arith::modulo_type:
        report("Modulo operands must be of type integer");
        return OpStatus::hard;
    case Arith::not_allowed:
    default:
        report("Not allowed operands");
        return OpStatus::hard;
    }
}

bool combine_numbers(int op, Number& l, const Number& r)
{
    int type = l.type > r.type ? l.type : r.type;
    if (l.type < T_BYTE || r.type < T_BYTE || type > T_COMPLEX)
        return false;
    // As the stack's step: the lower operand promoted, the result left in place of
    // the left one. Operands already of the type are used where they are: copying
    // a whole slot just written in part stalls the processor's store forwarding.
    if (l.type != type)
        l.slot = convert_slot(l.slot, l.type, type);
    ValueSlot promoted;
    if (r.type != type)
        promoted = convert_slot(r.slot, r.type, type);
    const ValueSlot& b = r.type == type ? r.slot : promoted;
    if (is_compare_op(op)) {
        // As set_int_result leaves a record.
        int result = compare_scalars(op, type, l.slot, b);
        l.slot.f64 = 0;
        l.slot.i32 = result;
        l.type = T_INT;
        return true;
    }
    if (op == TK_AND || op == TK_OR) {
        if (type != T_INT)
            return false;
        bool result = op == TK_AND ? (l.slot.i32 != 0 && b.i32 != 0) : (l.slot.i32 != 0 || b.i32 != 0);
        l.slot.i32 = result ? 1 : 0;
    } else if (!is_arith_op(op) || arith(op, type, l.slot, b) != Arith::ok) {
        return false;
    }
    l.type = type;
    return true;
}

void negate_number(Number& v) { negate_slot(v.type, v.slot); }

OpStatus negate(int index)
{
    Value& v = stack_at(index);
    if (v.type >= T_BYTE && v.type <= T_COMPLEX) {
        negate_slot(v.type, v.slot);
        return OpStatus::ok;
    }
    if (v.type >= T_BYTE_ARRAY && v.type <= T_COMPLEX_ARRAY) {
        int type = element_type(v.type);
        for (std::int32_t i = 0; i < v.count; ++i) {
            ValueSlot a = load_element(v, i);
            negate_slot(type, a);
            store_element(v, i, a);
        }
        return OpStatus::ok;
    }
    report("Not allowed operands");
    return OpStatus::hard;
}

OpStatus logical_not()
{
    Value& v = stack_top();
    if (v.type != T_INT) {
        report("NOT operand must be of type integer");
        return OpStatus::hard;
    }
    v.slot.i32 = v.slot.i32 == 0 ? 1 : 0;
    return OpStatus::ok;
}

}  // namespace korvan::kfl
