// ACOS ... TANH: argument preparation, real and complex forms, domain checks.
#include <cmath>
#include <complex>
#include <cstring>
#include <string>

#include "interp/builtins_internal.hpp"
#include "interp/elements.hpp"
#include "interp/messages.hpp"

namespace korvan::kfl::builtins {

namespace {

enum class Op { acos, asin, atan, atan2, ceil, cos, cosh, exp, floor, fmod, log, log10, sin, sinh, sqrt, tan, tanh };

struct MathRow {
    const char* name;
    Op op;
};

constexpr MathRow math_rows[] = {
    {"ACOS", Op::acos}, {"ASIN", Op::asin}, {"ATAN", Op::atan}, {"ATAN2", Op::atan2}, {"CEIL", Op::ceil},
    {"COS", Op::cos},   {"COSH", Op::cosh}, {"EXP", Op::exp},   {"FLOOR", Op::floor}, {"FMOD", Op::fmod},
    {"LOG", Op::log},   {"LOG10", Op::log10}, {"SIN", Op::sin}, {"SINH", Op::sinh},  {"SQRT", Op::sqrt},
    {"TAN", Op::tan},   {"TANH", Op::tanh},
};

// ACOS, ASIN, ATAN, ATAN2, CEIL, FLOOR, FMOD: real arguments only.
bool real_only(Op op)
{
    return op == Op::acos || op == Op::asin || op == Op::atan || op == Op::atan2 || op == Op::ceil ||
           op == Op::floor || op == Op::fmod;
}

constexpr double atan_low = -1.570796;
constexpr double atan_high = 1.570797;

// Step 1: scalars become DOUBLE, INT arrays FLOAT arrays; the rest stays.
void prepare(Value& v)
{
    if (v.type >= T_CHAR && v.type <= T_FLOAT) {
        double d = slot_real(v.slot, v.type);
        v.type = T_DOUBLE;
        v.slot.f64 = d;
    } else if (v.type == T_INT_ARRAY) {
        auto* block = static_cast<std::int32_t*>(v.slot.block);
        for (std::int32_t i = 0; i < v.count; ++i) {
            float f = static_cast<float>(block[i]);
            std::memcpy(&block[i], &f, sizeof f);
        }
        v.type = T_FLOAT_ARRAY;
    }
}

enum class Domain { ok, out_of_range, non_positive, negative };

// One real result; Domain tells why it cannot be computed.
Domain real_op(Op op, double x, double y, double& out)
{
    switch (op) {
    case Op::acos:
    case Op::asin:
        if (x < -1.0 || x > 1.0)
            return Domain::out_of_range;
        out = op == Op::acos ? std::acos(x) : std::asin(x);
        return Domain::ok;
    case Op::atan:
        if (x < atan_low || x > atan_high)
            return Domain::out_of_range;
        out = std::atan(x);
        return Domain::ok;
    case Op::atan2:
        if (x < atan_low || x > atan_high || y < atan_low || y > atan_high)
            return Domain::out_of_range;
        out = (x == 0.0 && y == 0.0) ? 0.0 : std::atan2(x, y);
        return Domain::ok;
    case Op::ceil: out = std::ceil(x); return Domain::ok;
    case Op::floor: out = std::floor(x); return Domain::ok;
    case Op::fmod: out = std::fmod(x, y); return Domain::ok;
    case Op::cos: out = std::cos(x); return Domain::ok;
    case Op::cosh: out = std::cosh(x); return Domain::ok;
    case Op::exp: out = std::exp(x); return Domain::ok;
    case Op::log:
    case Op::log10:
        if (x <= 0.0)
            return Domain::non_positive;
        out = op == Op::log ? std::log(x) : std::log10(x);
        return Domain::ok;
    case Op::sin: out = std::sin(x); return Domain::ok;
    case Op::sinh: out = std::sinh(x); return Domain::ok;
    case Op::sqrt:
        if (x < 0.0)
            return Domain::negative;
        out = std::sqrt(x);
        return Domain::ok;
    case Op::tan: out = std::tan(x); return Domain::ok;
    case Op::tanh: out = std::tanh(x); return Domain::ok;
    }
    return Domain::ok;
}

// One complex result in 32-bit precision.
Domain complex_op(Op op, Complex z, Complex& out)
{
    std::complex<float> c(z.re, z.im);
    std::complex<float> r;
    switch (op) {
    case Op::cos: r = std::cos(c); break;
    case Op::cosh: r = std::cosh(c); break;
    case Op::exp: r = std::exp(c); break;
    case Op::log:
    case Op::log10:
        if (z.re == 0.0f && z.im == 0.0f)
            return Domain::non_positive;
        r = op == Op::log ? std::log(c) : std::log10(c);
        break;
    case Op::sin: r = std::sin(c); break;
    case Op::sinh: r = std::sinh(c); break;
    case Op::sqrt: r = std::sqrt(c); break;
    case Op::tan: {
        // tan(a+bi) = (sin 2a + i sinh 2b) / (cos 2a + cosh 2b)
        float d = std::cos(2.0f * z.re) + std::cosh(2.0f * z.im);
        if (d == 0.0f)
            return Domain::out_of_range;
        r = std::complex<float>(std::sin(2.0f * z.re) / d, std::sinh(2.0f * z.im) / d);
        break;
    }
    case Op::tanh: {
        // tanh(a+bi) = (sinh 2a + i sin 2b) / (cosh 2a + cos 2b)
        float d = std::cosh(2.0f * z.re) + std::cos(2.0f * z.im);
        if (d == 0.0f)
            return Domain::out_of_range;
        r = std::complex<float>(std::sinh(2.0f * z.re) / d, std::sin(2.0f * z.im) / d);
        break;
    }
    default: r = c; break;
    }
    out = {r.real(), r.imag()};
    return Domain::ok;
}

void report_domain(Domain d, const char* name)
{
    switch (d) {
    case Domain::out_of_range: report("Operand out of range in", name); break;
    case Domain::non_positive: report("Non positive operand in", name); break;
    case Domain::negative: report("Negative operand in", name); break;
    case Domain::ok: break;
    }
}

}  // namespace

bool math_fn(const Args& a)
{
    Op op = Op::acos;
    for (const MathRow& r : math_rows) {
        if (std::strcmp(r.name, a.function) == 0)
            op = r.op;
    }
    Value& x = a.record(0);
    prepare(x);
    Value* y = nullptr;
    if (op == Op::atan2 || op == Op::fmod) {
        y = &a.record(1);
        prepare(*y);
    }
    int t = x.type;
    bool real = t == T_DOUBLE || t == T_FLOAT_ARRAY || t == T_DOUBLE_ARRAY;
    bool complex = t == T_COMPLEX || t == T_COMPLEX_ARRAY;
    if (real_only(op) && !real) {
        report(op == Op::fmod ? "Not allowed data types in FMOD" : std::string("Not allowed data type in ") + a.function);
        return false;
    }
    if (!real && !complex)
        return result_moved(a, x);  // any other type comes back unchanged
    if (y != nullptr && (y->type != t || (t != T_DOUBLE && y->count != x.count))) {
        report(std::string("Different data types in ") + a.function);
        return false;
    }
    Domain first_failure = Domain::ok;
    if (t == T_DOUBLE) {
        double out = 0;
        Domain d = real_op(op, x.slot.f64, y != nullptr ? y->slot.f64 : 0.0, out);
        if (d != Domain::ok) {
            report_domain(d, a.function);
            return false;
        }
        return result_double(a, out);
    }
    if (t == T_COMPLEX) {
        Complex out{};
        Domain d = complex_op(op, x.slot.cx, out);
        if (d != Domain::ok) {
            report_domain(d, a.function);
            return false;
        }
        x.slot.cx = out;
        return result_moved(a, x);
    }
    // Arrays: computed in place in the argument copy; offending elements stay.
    for (std::int32_t i = 0; i < x.count; ++i) {
        Domain d = Domain::ok;
        if (t == T_COMPLEX_ARRAY) {
            Complex* z = static_cast<Complex*>(x.slot.block) + i;
            Complex out{};
            d = complex_op(op, *z, out);
            if (d == Domain::ok)
                *z = out;
        } else if (t == T_FLOAT_ARRAY) {
            float* f = static_cast<float*>(x.slot.block) + i;
            double other = y != nullptr ? static_cast<float*>(y->slot.block)[i] : 0.0;
            double out = 0;
            d = real_op(op, *f, other, out);
            if (d == Domain::ok)
                *f = static_cast<float>(out);
        } else {
            double* f = static_cast<double*>(x.slot.block) + i;
            double other = y != nullptr ? static_cast<double*>(y->slot.block)[i] : 0.0;
            double out = 0;
            d = real_op(op, *f, other, out);
            if (d == Domain::ok)
                *f = out;
        }
        if (d != Domain::ok && first_failure == Domain::ok)
            first_failure = d;
    }
    if (first_failure != Domain::ok) {
        report_domain(first_failure, a.function);
        return false;
    }
    return result_moved(a, x);
}

}  // namespace korvan::kfl::builtins
