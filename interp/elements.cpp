#include "interp/elements.hpp"

#include <cmath>
#include <cstring>

namespace korvan::kfl {

ValueSlot load_element(const Value& array, std::int32_t i)
{
    ValueSlot s;
    s.f64 = 0;
    const unsigned char* p = static_cast<const unsigned char*>(array.slot.block);
    int size = element_size(array.type);
    std::memcpy(&s, p + static_cast<std::size_t>(i) * static_cast<std::size_t>(size), static_cast<std::size_t>(size));
    return s;
}

void store_element(Value& array, std::int32_t i, const ValueSlot& v)
{
    unsigned char* p = static_cast<unsigned char*>(array.slot.block);
    int size = element_size(array.type);
    std::memcpy(p + static_cast<std::size_t>(i) * static_cast<std::size_t>(size), &v, static_cast<std::size_t>(size));
}

std::int32_t truncate_to_int(double d)
{
    if (std::isnan(d))
        return 0;
    if (d >= 2147483647.0)
        return INT32_MAX;
    if (d <= -2147483648.0)
        return INT32_MIN;
    return static_cast<std::int32_t>(d);
}

double slot_real(const ValueSlot& v, int type)
{
    switch (type) {
    case T_CHAR:
        return static_cast<signed char>(v.ch);
    case T_BYTE:
        return v.u8;
    case T_SHORT:
        return v.i16;
    case T_INT:
        return v.i32;
    case T_FLOAT:
        return v.f32;
    case T_DOUBLE:
        return v.f64;
    case T_COMPLEX:
        return v.cx.re;
    default:
        return 0;
    }
}

bool slot_is_zero(const ValueSlot& v, int type)
{
    if (type == T_COMPLEX)
        return v.cx.re == 0 && v.cx.im == 0;
    return slot_real(v, type) == 0;
}

namespace {
// Integer value of an integer-typed slot (CHAR sign-extended, BYTE zero-extended).
std::int64_t slot_integer(const ValueSlot& v, int type)
{
    switch (type) {
    case T_CHAR:
        return static_cast<signed char>(v.ch);
    case T_BYTE:
        return v.u8;
    case T_SHORT:
        return v.i16;
    case T_INT:
        return v.i32;
    default:
        return truncate_to_int(slot_real(v, type));
    }
}
}  // namespace

ValueSlot convert_slot(const ValueSlot& v, int from, int to)
{
    if (from == to)
        return v;
    ValueSlot r;
    r.f64 = 0;
    bool integer_source = from >= T_CHAR && from <= T_INT;
    std::int64_t n = slot_integer(v, from);
    auto low32 = static_cast<std::uint32_t>(n);
    switch (to) {
    case T_CHAR:
        r.ch = static_cast<char>(low32 & 0xFF);
        break;
    case T_BYTE:
        r.u8 = static_cast<std::uint8_t>(low32 & 0xFF);
        break;
    case T_SHORT:
        r.i16 = static_cast<std::int16_t>(static_cast<std::uint16_t>(low32 & 0xFFFF));
        break;
    case T_INT:
        r.i32 = static_cast<std::int32_t>(low32);
        break;
    case T_FLOAT:
        r.f32 = static_cast<float>(integer_source ? static_cast<double>(n) : slot_real(v, from));
        break;
    case T_DOUBLE:
        r.f64 = integer_source ? static_cast<double>(n) : slot_real(v, from);
        break;
    case T_COMPLEX:
        r.cx.re = static_cast<float>(integer_source ? static_cast<double>(n) : slot_real(v, from));
        r.cx.im = 0;
        break;
    default:
        break;
    }
    return r;
}

}  // namespace korvan::kfl
