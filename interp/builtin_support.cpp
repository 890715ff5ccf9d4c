#include "interp/builtin_support.hpp"

#include <cstdlib>
#include <cstring>

#include "interp/elements.hpp"
#include "interp/messages.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

Value* Args::value(int i) const
{
    Value& r = record(i);
    if (r.type != T_REF)
        return &r;
    if (r.slot.ref < 0)
        return nullptr;
    Value& v = variable(r.slot.ref);
    return v.type == T_FREE ? nullptr : &v;
}

Value* Args::defined(int i) const
{
    Value* v = value(i);
    if (v == nullptr)
        report("Undefined identifier", name(i));
    return v;
}

bool result_int(const Args& a, std::int32_t v)
{
    pop_to(a.base);
    return push_int(v);
}

bool result_double(const Args& a, double v)
{
    pop_to(a.base);
    return push_double(v);
}

bool result_string(const Args& a, std::string_view text)
{
    // The text may live in an argument: copy it before the arguments go.
    std::string copy(text);
    pop_to(a.base);
    return push_string(copy);
}

bool result_moved(const Args& a, Value& v)
{
    // v may be one of the argument records: take its blocks before they go.
    Value taken{};
    move_value(taken, v);
    pop_to(a.base);
    return push_moved(taken);
}

bool result_copy(const Args& a, const Value& v)
{
    Value copy{};
    if (!copy_value(copy, v))
        return false;
    return result_moved(a, copy);
}

std::string_view text_of(const Value& v)
{
    const char* bytes = static_cast<const char*>(v.slot.block);
    if (bytes == nullptr || v.count <= 0)
        return {};
    const void* zero = std::memchr(bytes, 0, static_cast<std::size_t>(v.count));
    std::size_t n = zero != nullptr ? static_cast<std::size_t>(static_cast<const char*>(zero) - bytes)
                                    : static_cast<std::size_t>(v.count);
    return std::string_view(bytes, n);
}

bool is_terminated(const Value& v)
{
    if (v.type == T_STRING)
        return true;
    const char* bytes = static_cast<const char*>(v.slot.block);
    return bytes != nullptr && v.count > 0 && std::memchr(bytes, 0, static_cast<std::size_t>(v.count)) != nullptr;
}

double element_real(const Value& v, std::int32_t i)
{
    if (v.type == T_STRING)
        return static_cast<signed char>(v.slot.text[i]);
    return slot_real(load_element(v, i), element_type(v.type));
}

bool copy_dimensions(Value& dst, const Value& src)
{
    dst.dims = src.dims < 1 ? 1 : src.dims;
    dst.dim_list = nullptr;
    if (src.dims <= 1 || src.dim_list == nullptr)
        return true;
    auto* list = static_cast<std::int32_t*>(allocate_block(sizeof(std::int32_t) * static_cast<std::size_t>(src.dims)));
    if (list == nullptr) {
        dst.dims = 1;
        report("Not enough memory");
        return false;
    }
    std::memcpy(list, src.dim_list, sizeof(std::int32_t) * static_cast<std::size_t>(src.dims));
    dst.dim_list = list;
    return true;
}

}  // namespace korvan::kfl
