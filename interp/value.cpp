#include "interp/value.hpp"

#include <cstdlib>
#include <cstring>

#include "interp/messages.hpp"

namespace korvan::kfl {

namespace {
constexpr const char* type_names[20] = {"FREE",   "NONE",  "NONE",    "NONE",   "NONE",  "CHAR",  "BYTE",
                                        "SHORT",  "INT",   "FLOAT",   "DOUBLE", "COMPLEX", "STRING",
                                        "CHAR",   "BYTE",  "SHORT",   "INT",    "FLOAT",   "DOUBLE",
                                        "COMPLEX"};
}  // namespace

void clear_record(Value& v) { std::memset(&v, 0, sizeof v); }

void set_name(Value& v, std::string_view name)
{
    std::size_t n = name.size() < name_capacity ? name.size() : name_capacity;
    std::memset(v.name, 0, sizeof v.name);  // zero-padded: names compare as 16 bytes
    // ASCII upper case, as the C locale's toupper, without a library call per
    // character: every assignment names its record.
    for (std::size_t i = 0; i < n; ++i) {
        char c = name[i];
        v.name[i] = (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c;
    }
}

const char* type_name(int code)
{
    if (code < 0 || code > T_COMPLEX_ARRAY)
        return "NONE";
    return type_names[code];
}

int type_code(std::string_view name, bool array)
{
    struct Row {
        std::string_view name;
        int scalar;
        int array;
    };
    static constexpr Row rows[] = {{"INT", T_INT, T_INT_ARRAY},          {"FLOAT", T_FLOAT, T_FLOAT_ARRAY},
                                   {"DOUBLE", T_DOUBLE, T_DOUBLE_ARRAY}, {"BYTE", T_BYTE, T_BYTE_ARRAY},
                                   {"STRING", T_STRING, T_STRING},       {"CHAR", T_CHAR, T_CHAR_ARRAY},
                                   {"SHORT", T_SHORT, T_SHORT_ARRAY},    {"COMPLEX", T_COMPLEX, T_COMPLEX_ARRAY}};
    for (const Row& row : rows) {
        if (row.name == name)
            return array ? row.array : row.scalar;
    }
    report("Undefined type", name);
    return -1;
}

int element_size(int code)
{
    switch (code) {
    case T_CHAR_ARRAY:
    case T_BYTE_ARRAY:
        return 1;
    case T_SHORT_ARRAY:
        return 2;
    case T_INT_ARRAY:
    case T_FLOAT_ARRAY:
        return 4;
    case T_DOUBLE_ARRAY:
    case T_COMPLEX_ARRAY:
        return 8;
    default:
        return 0;
    }
}

void* allocate_block(std::size_t bytes)
{
    if (bytes > max_block_bytes)
        return nullptr;
    // A request for zero bytes still yields a block of its own.
    return std::calloc(bytes == 0 ? 1 : bytes, 1);
}

void release(Value& v)
{
    if (owns_block(v.type))
        std::free(v.slot.block);
    if (v.dims > 1)
        std::free(v.dim_list);
    v.type = T_FREE;
    v.dims = 0;
    v.count = 0;
    v.dim_list = nullptr;
    v.slot.f64 = 0;
}

bool copy_value(Value& dst, const Value& src)
{
    dst.type = src.type;
    dst.dims = src.dims;
    dst.count = src.count;
    dst.dim_list = nullptr;
    dst.slot = src.slot;
    if (!owns_block(src.type))
        return true;
    std::size_t bytes = src.type == T_STRING ? static_cast<std::size_t>(src.count) + 1
                                             : static_cast<std::size_t>(src.count) * static_cast<std::size_t>(element_size(src.type));
    void* block = allocate_block(bytes);
    std::int32_t* dims = nullptr;
    if (block != nullptr && src.dims > 1)
        dims = static_cast<std::int32_t*>(allocate_block(sizeof(std::int32_t) * static_cast<std::size_t>(src.dims)));
    if (block == nullptr || (src.dims > 1 && dims == nullptr)) {
        std::free(block);
        dst.type = T_FREE;
        dst.dims = 0;
        dst.count = 0;
        report("Not enough memory");
        return false;
    }
    if (bytes > 0 && src.slot.block != nullptr)
        std::memcpy(block, src.slot.block, bytes);
    if (dims != nullptr)
        std::memcpy(dims, src.dim_list, sizeof(std::int32_t) * static_cast<std::size_t>(src.dims));
    dst.slot.block = block;
    dst.dim_list = dims;
    return true;
}

void move_value(Value& dst, Value& src)
{
    if (&dst == &src)
        return;
    release(dst);
    dst.type = src.type;
    dst.dims = src.dims;
    dst.count = src.count;
    dst.dim_list = src.dim_list;
    dst.slot = src.slot;
    src.type = T_FREE;
    src.dims = 0;
    src.count = 0;
    src.dim_list = nullptr;
    src.slot.f64 = 0;
}

bool set_string(Value& v, std::string_view text)
{
    char* copy = static_cast<char*>(allocate_block(text.size() + 1));
    if (copy == nullptr) {
        report("Not enough memory");
        return false;
    }
    if (!text.empty())
        std::memcpy(copy, text.data(), text.size());
    copy[text.size()] = '\0';
    v.type = T_STRING;
    v.dims = 1;
    v.count = static_cast<std::int32_t>(text.size());
    v.dim_list = nullptr;
    v.slot.text = copy;
    return true;
}

bool make_array(Value& v, int array_code, std::int32_t count, int dims, const std::int32_t* sizes)
{
    std::size_t bytes = static_cast<std::size_t>(count) * static_cast<std::size_t>(element_size(array_code));
    void* block = count < 0 ? nullptr : allocate_block(bytes);
    std::int32_t* list = nullptr;
    if (block != nullptr && dims > 1) {
        list = static_cast<std::int32_t*>(allocate_block(sizeof(std::int32_t) * static_cast<std::size_t>(dims)));
        if (list != nullptr)
            std::memcpy(list, sizes, sizeof(std::int32_t) * static_cast<std::size_t>(dims));
    }
    if (block == nullptr || (dims > 1 && list == nullptr)) {
        std::free(block);
        report("Not enough memory");
        return false;
    }
    v.type = static_cast<std::int8_t>(array_code);
    v.count = count;
    v.dims = static_cast<std::int8_t>(dims < 1 ? 1 : dims);
    v.dim_list = list;
    v.slot.block = block;
    return true;
}

std::int32_t dimension_size(const Value& v, int d)
{
    if (v.dims > 1 && v.dim_list != nullptr)
        return v.dim_list[d];
    return v.count;
}

bool text_check(const Value& char_array)
{
    const char* bytes = static_cast<const char*>(char_array.slot.block);
    if (bytes != nullptr && std::memchr(bytes, 0, static_cast<std::size_t>(char_array.count)) != nullptr)
        return true;
    report("Non terminated character array");
    return false;
}

}  // namespace korvan::kfl
