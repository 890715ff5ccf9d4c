// DALLOC, FALLOC, IALLOC, SUBARR, CATARR, SUBMAT, TRPMAT, MAXARR, MINARR.
#include <cstring>
#include <string>

#include "interp/builtins_internal.hpp"
#include "interp/elements.hpp"
#include "interp/messages.hpp"

namespace korvan::kfl::builtins {

namespace {

bool is_numeric_block(int t)
{
    return t == T_BYTE_ARRAY || t == T_INT_ARRAY || t == T_FLOAT_ARRAY || t == T_DOUBLE_ARRAY;
}

std::size_t bytes_of(int array_code, std::int64_t n)
{
    return static_cast<std::size_t>(n) * static_cast<std::size_t>(element_size(array_code));
}

unsigned char* bytes(const Value& v) { return static_cast<unsigned char*>(v.slot.block); }

bool ramp(const Args& a, int array_code)
{
    std::int32_t n = a.value(0)->slot.i32;
    Value out{};
    if (n < 0) {
        report("Not enough memory");
        return false;
    }
    if (!make_array(out, array_code, n, 1, nullptr))
        return false;
    for (std::int32_t i = 0; i < n; ++i) {
        switch (array_code) {
        case T_DOUBLE_ARRAY: static_cast<double*>(out.slot.block)[i] = i; break;
        case T_FLOAT_ARRAY: static_cast<float*>(out.slot.block)[i] = static_cast<float>(i); break;
        default: static_cast<std::int32_t*>(out.slot.block)[i] = i; break;
        }
    }
    return result_moved(a, out);
}

bool extreme(const Args& a, bool largest)
{
    Value* v = a.defined(0);
    if (v == nullptr)
        return false;
    int t = v->type;
    bool integer = t == T_CHAR_ARRAY || t == T_BYTE_ARRAY || t == T_SHORT_ARRAY || t == T_INT_ARRAY;
    // An empty array has no element to give.
    if ((!integer && t != T_FLOAT_ARRAY && t != T_DOUBLE_ARRAY) || v->count < 1) {
        report(largest ? "Illegal parameter in MAXARR" : "Illegal parameter in MINARR");
        return false;
    }
    double best = element_real(*v, 0);
    for (std::int32_t i = 1; i < v->count; ++i) {
        double x = element_real(*v, i);
        if (largest ? x > best : x < best)
            best = x;
    }
    return integer ? result_int(a, static_cast<std::int32_t>(best)) : result_double(a, best);
}

}  // namespace

bool dalloc_fn(const Args& a) { return ramp(a, T_DOUBLE_ARRAY); }
bool falloc_fn(const Args& a) { return ramp(a, T_FLOAT_ARRAY); }
bool ialloc_fn(const Args& a) { return ramp(a, T_INT_ARRAY); }

bool subarr_fn(const Args& a)
{
    const Value& v = *a.value(0);
    const Value& i = *a.value(1);
    const Value& n = *a.value(2);
    if (!is_numeric_block(v.type)) {
        report("Parameter 1 in SUBARR must be an array");
        return false;
    }
    if (i.type != T_INT || n.type != T_INT) {
        report("Index parameters in SUBARR must be integers");
        return false;
    }
    std::int32_t start = i.slot.i32;
    std::int32_t len = n.slot.i32;
    if (start < 0 || start >= v.count) {
        report("Parameter 2 is out of range in SUBARR");
        return false;
    }
    if (len < 0) {
        report("Parameter 3 is negative in SUBARR");
        return false;
    }
    if (static_cast<std::int64_t>(start) + len > v.count)
        len = v.count - start;
    Value out{};
    if (!make_array(out, v.type, len, 1, nullptr))
        return false;
    if (len > 0)
        std::memcpy(out.slot.block, bytes(v) + bytes_of(v.type, start), bytes_of(v.type, len));
    return result_moved(a, out);
}

bool catarr_fn(const Args& a)
{
    const Value& x = *a.value(0);
    const Value& y = *a.value(1);
    if (!is_numeric_block(x.type) || !is_numeric_block(y.type)) {
        report("Parameters in CATARR must be arrays");
        return false;
    }
    if (x.type != y.type) {
        report("Arrays must have identical types in CATARR");
        return false;
    }
    std::int64_t total = static_cast<std::int64_t>(x.count) + y.count;
    Value out{};
    if (total > INT32_MAX) {
        report("Not enough memory");
        return false;
    }
    if (!make_array(out, x.type, static_cast<std::int32_t>(total), 1, nullptr))
        return false;
    if (x.count > 0)
        std::memcpy(bytes(out), bytes(x), bytes_of(x.type, x.count));
    if (y.count > 0)
        std::memcpy(bytes(out) + bytes_of(x.type, x.count), bytes(y), bytes_of(y.type, y.count));
    return result_moved(a, out);
}

bool submat_fn(const Args& a)
{
    const Value& m = *a.value(0);
    const Value& c = *a.value(1);
    if (!is_numeric_block(m.type) || m.dims != 2 || m.dim_list == nullptr) {
        report("Parameter 1 in SUBMAT must be a two-dimensional array");
        return false;
    }
    if (c.type != T_INT_ARRAY) {
        report("Parameter 2 in SUBMAT must be an integer array");
        return false;
    }
    std::int32_t rows = m.dim_list[0];
    std::int32_t cols = m.dim_list[1];
    const auto* columns = static_cast<const std::int32_t*>(c.slot.block);
    for (std::int32_t j = 0; j < c.count; ++j) {
        if (columns[j] < 0 || columns[j] >= cols) {
            report("Undefined column numbers in SUBMAT");
            return false;
        }
    }
    std::int64_t total = static_cast<std::int64_t>(rows) * c.count;
    if (total > INT32_MAX) {
        report("Not enough memory");
        return false;
    }
    std::int32_t sizes[2] = {rows, c.count};
    Value out{};
    if (!make_array(out, m.type, static_cast<std::int32_t>(total), 2, sizes))
        return false;
    std::size_t size = static_cast<std::size_t>(element_size(m.type));
    for (std::int32_t r = 0; r < rows; ++r) {
        for (std::int32_t j = 0; j < c.count; ++j) {
            std::int64_t from = static_cast<std::int64_t>(r) * cols + columns[j];
            std::int64_t to = static_cast<std::int64_t>(r) * c.count + j;
            std::memcpy(bytes(out) + static_cast<std::size_t>(to) * size, bytes(m) + static_cast<std::size_t>(from) * size, size);
        }
    }
    return result_moved(a, out);
}

bool trpmat_fn(const Args& a)
{
    const Value& m = *a.value(0);
    if (!is_numeric_block(m.type) || m.dims != 2 || m.dim_list == nullptr) {
        report("Parameter in TRPMAT must be a two-dimensional array");
        return false;
    }
    std::int32_t rows = m.dim_list[0];
    std::int32_t cols = m.dim_list[1];
    std::int32_t sizes[2] = {cols, rows};
    Value out{};
    if (!make_array(out, m.type, m.count, 2, sizes))
        return false;
    std::size_t size = static_cast<std::size_t>(element_size(m.type));
    for (std::int32_t i = 0; i < rows; ++i) {
        for (std::int32_t j = 0; j < cols; ++j) {
            std::size_t from = (static_cast<std::size_t>(i) * static_cast<std::size_t>(cols) + static_cast<std::size_t>(j)) * size;
            std::size_t to = (static_cast<std::size_t>(j) * static_cast<std::size_t>(rows) + static_cast<std::size_t>(i)) * size;
            std::memcpy(bytes(out) + to, bytes(m) + from, size);
        }
    }
    return result_moved(a, out);
}

bool maxarr_fn(const Args& a) { return extreme(a, true); }
bool minarr_fn(const Args& a) { return extreme(a, false); }

}  // namespace korvan::kfl::builtins
