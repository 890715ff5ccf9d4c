// ABS, ARG, CONJG, IMAG and the conversions BYTE ... STRING, COMPLEX.
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <string>

#include "interp/builtins_internal.hpp"
#include "interp/elements.hpp"
#include "interp/messages.hpp"

namespace korvan::kfl::builtins {

namespace {

constexpr double float_limit = 3.4e38;

// A result array of the code with the count and dimensions of src.
bool make_like(Value& out, int array_code, const Value& src)
{
    if (!make_array(out, array_code, src.count, 1, nullptr))
        return false;
    if (!copy_dimensions(out, src)) {
        release(out);
        return false;
    }
    return true;
}

bool is_plain_array(int t) { return t >= T_CHAR_ARRAY && t <= T_DOUBLE_ARRAY; }

// The number of elements a conversion walks: STRING characters or array elements.
bool has_elements(const Value& v) { return v.type == T_STRING || is_array_type(v.type); }

// Complex element i of a COMPLEX scalar or array.
Complex complex_at(const Value& v, std::int32_t i)
{
    return v.type == T_COMPLEX ? v.slot.cx : static_cast<const Complex*>(v.slot.block)[i];
}

// --- the conversions --------------------------------------------------------

struct Conversion {
    const char* name;
    int scalar;  // target scalar type (STRING for STRING)
    int array;   // target array type
    double lo, hi;
    bool integer;  // reals are truncated toward zero
    bool takes_complex;
};

// Converts one number; false when it lies outside the target range.
bool convert_number(const Conversion& c, double x, double& out)
{
    if (c.integer) {
        if (std::isnan(x))
            return false;
        x = std::trunc(x);
        if (x < c.lo || x > c.hi)
            return false;
    } else if (c.scalar == T_FLOAT && std::fabs(x) > float_limit) {
        return false;
    }
    out = x;
    return true;
}

void store_converted(Value& out, int type, std::int32_t i, double x)
{
    switch (type) {
    case T_BYTE: static_cast<std::uint8_t*>(out.slot.block)[i] = static_cast<std::uint8_t>(x); break;
    case T_CHAR:
    case T_STRING: static_cast<char*>(out.slot.block)[i] = static_cast<char>(static_cast<int>(x)); break;
    case T_SHORT: static_cast<std::int16_t*>(out.slot.block)[i] = static_cast<std::int16_t>(x); break;
    case T_INT: static_cast<std::int32_t*>(out.slot.block)[i] = static_cast<std::int32_t>(x); break;
    case T_FLOAT: static_cast<float*>(out.slot.block)[i] = static_cast<float>(x); break;
    default: static_cast<double*>(out.slot.block)[i] = x; break;
    }
}

void set_scalar(Value& out, int type, double x)
{
    out.type = static_cast<std::int8_t>(type);
    out.count = 1;
    out.dims = 0;
    switch (type) {
    case T_BYTE: out.slot.u8 = static_cast<std::uint8_t>(x); break;
    case T_CHAR: out.slot.ch = static_cast<char>(static_cast<int>(x)); break;
    case T_SHORT: out.slot.i16 = static_cast<std::int16_t>(x); break;
    case T_INT: out.slot.i32 = static_cast<std::int32_t>(x); break;
    case T_FLOAT: out.slot.f32 = static_cast<float>(x); break;
    default: out.slot.f64 = x; break;
    }
}

bool convert(const Args& a, const Conversion& c)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    int t = v->type;
    bool accepted = (t >= T_CHAR && t <= T_DOUBLE) || t == T_STRING || is_plain_array(t) ||
                    (c.takes_complex && (t == T_COMPLEX || t == T_COMPLEX_ARRAY));
    if (!accepted) {
        report(std::string("Not allowed operands in ") + c.name);
        return false;
    }
    if (c.scalar == T_STRING && t == T_STRING)
        return result_copy(a, *v);
    bool overflow = false;
    Value out{};
    if (c.scalar == T_INT && t == T_STRING && v->count == 1) {
        set_scalar(out, T_INT, static_cast<signed char>(v->slot.text[0]));
    } else if (!has_elements(*v)) {
        double x = 0;
        if (!convert_number(c, slot_real(v->slot, t), x)) {
            overflow = true;
            x = 0;
        }
        if (c.scalar == T_STRING) {
            char ch = overflow ? ' ' : static_cast<char>(static_cast<int>(x));
            if (!set_string(out, std::string_view(&ch, 1)))
                return false;
        } else {
            set_scalar(out, c.scalar, x);
        }
    } else {
        if (c.scalar == T_STRING) {
            char* text = static_cast<char*>(allocate_block(static_cast<std::size_t>(v->count) + 1));
            if (text == nullptr) {
                report("Not enough memory");
                return false;
            }
            out.type = T_STRING;
            out.dims = 1;
            out.count = v->count;
            out.slot.text = text;
        } else if (!make_like(out, c.array, *v)) {
            return false;
        }
        int element = c.scalar == T_STRING ? T_STRING : c.scalar;
        for (std::int32_t i = 0; i < v->count; ++i) {
            double x = 0;
            if (!convert_number(c, element_real(*v, i), x)) {
                overflow = true;
                x = c.scalar == T_STRING ? ' ' : 0;
            }
            store_converted(out, element, i, x);
        }
    }
    if (overflow)
        report(std::string("Overflow in routine ") + c.name);
    return result_moved(a, out);
}

}  // namespace

bool byte_fn(const Args& a) { return convert(a, {"BYTE", T_BYTE, T_BYTE_ARRAY, 0, 255, true, false}); }
bool char_fn(const Args& a) { return convert(a, {"CHAR", T_CHAR, T_CHAR_ARRAY, -128, 127, true, false}); }
bool short_fn(const Args& a) { return convert(a, {"SHORT", T_SHORT, T_SHORT_ARRAY, -32768, 32767, true, false}); }
bool int_fn(const Args& a)
{
    return convert(a, {"INT", T_INT, T_INT_ARRAY, -2147483648.0, 2147483647.0, true, true});
}
bool float_fn(const Args& a) { return convert(a, {"FLOAT", T_FLOAT, T_FLOAT_ARRAY, 0, 0, false, false}); }
bool double_fn(const Args& a) { return convert(a, {"DOUBLE", T_DOUBLE, T_DOUBLE_ARRAY, 0, 0, false, false}); }
bool string_fn(const Args& a) { return convert(a, {"STRING", T_STRING, T_STRING, -128, 127, true, false}); }

bool complex_fn(const Args& a)
{
    if (a.count < 1 || a.count > 2) {
        report("Bad number of parameters in COMPLEX");
        return false;
    }
    Value* re = a.defined(0);
    if (re == nullptr)
        return false;
    Value* im = nullptr;
    if (a.count == 2) {
        im = a.defined(1);
        if (im == nullptr)
            return false;
    }
    auto accepted = [](int t) { return (t >= T_CHAR && t <= T_DOUBLE) || t == T_STRING || is_plain_array(t); };
    if (im == nullptr && (re->type == T_COMPLEX || re->type == T_COMPLEX_ARRAY))
        return result_copy(a, *re);
    if (im != nullptr) {
        bool complex_re = re->type == T_COMPLEX || re->type == T_COMPLEX_ARRAY;
        bool complex_im = im->type == T_COMPLEX || im->type == T_COMPLEX_ARRAY;
        if (complex_re && complex_im) {
            report("Bad number of parameters in COMPLEX");
            return false;
        }
        if (re->type != im->type) {
            report("Parameters in COMPLEX must have identical types");
            return false;
        }
    }
    if (!accepted(re->type)) {
        report("Not allowed operands in COMPLEX");
        return false;
    }
    // Two arrays pair element by element: a shorter one would be read past its end.
    if (im != nullptr && has_elements(*re) && re->count != im->count) {
        report("Arrays must have identical sizes in COMPLEX");
        return false;
    }
    bool overflow[2] = {false, false};
    auto part = [&](const Value& v, std::int32_t i, int which) {
        double x = has_elements(v) ? element_real(v, i) : slot_real(v.slot, v.type);
        if (std::fabs(x) > float_limit) {
            overflow[which] = true;
            return 0.0f;
        }
        return static_cast<float>(x);
    };
    Value out{};
    if (!has_elements(*re)) {
        out.type = T_COMPLEX;
        out.count = 1;
        out.slot.cx.re = part(*re, 0, 0);
        out.slot.cx.im = im != nullptr ? part(*im, 0, 1) : 0.0f;
    } else {
        if (!make_like(out, T_COMPLEX_ARRAY, *re))
            return false;
        auto* z = static_cast<Complex*>(out.slot.block);
        for (std::int32_t i = 0; i < re->count; ++i) {
            z[i].re = part(*re, i, 0);
            z[i].im = im != nullptr ? part(*im, i, 1) : 0.0f;
        }
    }
    if (im == nullptr && overflow[0])
        report("Overflow in routine COMPLEX");
    if (im != nullptr && overflow[0])
        report("Overflow in parameter 1 of routine COMPLEX");
    if (im != nullptr && overflow[1])
        report("Overflow in parameter 2 of routine COMPLEX");
    return result_moved(a, out);
}

// --- ABS, ARG, CONJG, IMAG --------------------------------------------------

bool abs_fn(const Args& a)
{
    Value* v = a.value(0);
    int t = v->type;
    Value out{};
    auto iabs = [](std::int64_t x) { return x < 0 ? -x : x; };
    switch (t) {
    case T_CHAR: set_scalar(out, T_CHAR, static_cast<double>(static_cast<std::int8_t>(iabs(v->slot.ch)))); break;
    case T_SHORT: set_scalar(out, T_SHORT, static_cast<double>(static_cast<std::int16_t>(iabs(v->slot.i16)))); break;
    case T_INT: set_scalar(out, T_INT, static_cast<double>(static_cast<std::int32_t>(static_cast<std::uint32_t>(iabs(v->slot.i32))))); break;
    case T_FLOAT: set_scalar(out, T_FLOAT, std::fabs(v->slot.f32)); break;
    case T_DOUBLE: set_scalar(out, T_DOUBLE, std::fabs(v->slot.f64)); break;
    case T_COMPLEX: set_scalar(out, T_DOUBLE, std::hypot(static_cast<double>(v->slot.cx.re), static_cast<double>(v->slot.cx.im))); break;
    case T_CHAR_ARRAY:
    case T_SHORT_ARRAY:
    case T_INT_ARRAY:
    case T_FLOAT_ARRAY:
    case T_DOUBLE_ARRAY:
        if (!make_like(out, t, *v))
            return false;
        for (std::int32_t i = 0; i < v->count; ++i) {
            ValueSlot s = load_element(*v, i);
            switch (t) {
            case T_CHAR_ARRAY: s.ch = static_cast<char>(static_cast<std::int8_t>(iabs(static_cast<signed char>(s.ch)))); break;
            case T_SHORT_ARRAY: s.i16 = static_cast<std::int16_t>(iabs(s.i16)); break;
            case T_INT_ARRAY: s.i32 = static_cast<std::int32_t>(static_cast<std::uint32_t>(iabs(s.i32))); break;
            case T_FLOAT_ARRAY: s.f32 = std::fabs(s.f32); break;
            default: s.f64 = std::fabs(s.f64); break;
            }
            store_element(out, i, s);
        }
        break;
    case T_COMPLEX_ARRAY: {
        if (!make_like(out, T_DOUBLE_ARRAY, *v))
            return false;
        auto* d = static_cast<double*>(out.slot.block);
        for (std::int32_t i = 0; i < v->count; ++i) {
            Complex z = complex_at(*v, i);
            d[i] = std::hypot(static_cast<double>(z.re), static_cast<double>(z.im));
        }
        break;
    }
    default:
        report("Not allowed parameter in ABS");
        return false;
    }
    return result_moved(a, out);
}

bool arg_fn(const Args& a)
{
    Value* v = a.value(0);
    if (v->type != T_COMPLEX && v->type != T_COMPLEX_ARRAY) {
        report("Parameter in ARG must be of type COMPLEX");
        return false;
    }
    auto angle = [](Complex z) {
        if (z.im == 0.0f)
            return z.re < 0.0f ? 3.141592654 : 0.0;
        return std::atan2(static_cast<double>(z.im), static_cast<double>(z.re));
    };
    if (v->type == T_COMPLEX)
        return result_double(a, angle(v->slot.cx));
    Value out{};
    if (!make_like(out, T_DOUBLE_ARRAY, *v))
        return false;
    for (std::int32_t i = 0; i < v->count; ++i)
        static_cast<double*>(out.slot.block)[i] = angle(complex_at(*v, i));
    return result_moved(a, out);
}

bool conjg_fn(const Args& a)
{
    Value* v = a.value(0);
    if (v->type != T_COMPLEX && v->type != T_COMPLEX_ARRAY) {
        report("Parameter in CONJG must be of type COMPLEX");
        return result_copy(a, *v);
    }
    Value out{};
    if (!copy_value(out, *v))
        return false;
    if (out.type == T_COMPLEX) {
        out.slot.cx.im = -out.slot.cx.im;
    } else {
        for (std::int32_t i = 0; i < out.count; ++i)
            static_cast<Complex*>(out.slot.block)[i].im = -static_cast<Complex*>(out.slot.block)[i].im;
    }
    return result_moved(a, out);
}

bool imag_fn(const Args& a)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    if (v->type != T_COMPLEX && v->type != T_COMPLEX_ARRAY) {
        report("Parameter in IMAG must be of type COMPLEX");
        return false;
    }
    Value out{};
    if (v->type == T_COMPLEX) {
        set_scalar(out, T_FLOAT, v->slot.cx.im);
    } else {
        if (!make_like(out, T_FLOAT_ARRAY, *v))
            return false;
        for (std::int32_t i = 0; i < v->count; ++i)
            static_cast<float*>(out.slot.block)[i] = complex_at(*v, i).im;
    }
    return result_moved(a, out);
}

}  // namespace korvan::kfl::builtins
