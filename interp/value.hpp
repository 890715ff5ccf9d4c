// The value record: the one record in which every KFL value lives, in the
// variable table, on the evaluation stack and in the tokenizer's token record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace korvan::kfl {

// Type codes.
enum : int {
    T_FREE = 0,
    T_REF = 1,  // reference entry: stands for another variable-table entry
    T_CHAR = 5,
    T_BYTE = 6,
    T_SHORT = 7,
    T_INT = 8,
    T_FLOAT = 9,
    T_DOUBLE = 10,
    T_COMPLEX = 11,
    T_STRING = 12,
    T_CHAR_ARRAY = 13,
    T_BYTE_ARRAY = 14,
    T_SHORT_ARRAY = 15,
    T_INT_ARRAY = 16,
    T_FLOAT_ARRAY = 17,
    T_DOUBLE_ARRAY = 18,
    T_COMPLEX_ARRAY = 19,
};

constexpr int name_capacity = 15;       // significant characters of a name
constexpr int max_dimensions = 8;       // subscripts of one array
constexpr std::size_t max_block_bytes = std::size_t{1} << 30;  // largest text or element block

struct Complex {
    float re;
    float im;
};

union ValueSlot {
    std::uint8_t u8;
    char ch;
    std::int16_t i16;
    std::int32_t i32;
    float f32;
    double f64;
    Complex cx;
    char* text;    // STRING: zero-terminated heap copy
    void* block;   // arrays: heap block of elements
    std::int32_t ref;  // reference: variable-table index (-1: not existing yet)
};

struct Value {
    char name[16];
    std::int8_t type;
    std::int8_t level;
    std::int8_t dims;
    std::int32_t count;
    std::int32_t* dim_list;  // only when dims > 1
    ValueSlot slot;
};

// An all-zero record: type FREE, no name, no blocks.
void clear_record(Value& v);

// Name handling: names are kept upper case and cut to 15 characters.
void set_name(Value& v, std::string_view name);
inline std::string_view name_of(const Value& v) { return std::string_view(v.name); }

// Type names for LIST and messages ("NONE" for codes without a name).
const char* type_name(int code);

// A type name and an array flag give a code; unknown names report "Undefined type".
int type_code(std::string_view name, bool array);

// Bytes per element of an array type; 0 for every other code.
int element_size(int code);

inline bool is_array_type(int code) { return code >= T_CHAR_ARRAY && code <= T_COMPLEX_ARRAY; }
inline bool owns_block(int code) { return code >= T_STRING; }

// Releases the text or element block and the dimension list; the record becomes FREE.
void release(Value& v);

// Deep copy of type, count, dimensions and blocks (the name is not copied).
// Reports "Not enough memory" and leaves dst FREE on failure.
bool copy_value(Value& dst, const Value& src);

// Moves type, count, dimensions and blocks from src into dst (dst's old blocks
// are released, its name and level kept); src becomes FREE without releasing.
void move_value(Value& dst, Value& src);

// Gives a record a heap copy of the text, type STRING.
bool set_string(Value& v, std::string_view text);

// Allocates a zero-filled block of count elements of the array type, and the
// dimension list when dims > 1. Reports "Not enough memory" on failure.
bool make_array(Value& v, int array_code, std::int32_t count, int dims, const std::int32_t* sizes);

// Heap block helpers with the size cap; nullptr when too large or out of memory.
void* allocate_block(std::size_t bytes);

// Size of dimension d (0-based) of an array or STRING record.
std::int32_t dimension_size(const Value& v, int d);

// "Non terminated character array" unless a zero byte lies within the count.
bool text_check(const Value& char_array);

}  // namespace korvan::kfl
