#include "interp/variable_table.hpp"

#include <bit>
#include <cstdint>
#include <cstring>

#include "interp/function_table.hpp"
#include "interp/messages.hpp"

namespace korvan::kfl {

namespace {
using Table = VariableTable;

Table& table() { return variable_table(); }

// Names are kept zero-padded to 16 bytes, so two 8-byte comparisons decide.
struct Key {
    std::uint64_t w[2];
};

Key key_of(const char* padded)
{
    Key k;
    std::memcpy(k.w, padded, sizeof k.w);
    return k;
}

Key key_of(std::string_view name)
{
    // Assembled in registers: bytes stored one by one and read back as words
    // would stall the processor's store forwarding.
    Key k{{0, 0}};
    std::size_t n = name.size() < name_capacity ? name.size() : name_capacity;
    for (std::size_t i = 0; i < n; ++i) {
        // The byte's place in the word as memory order puts it there.
        unsigned shift = std::endian::native == std::endian::little ? 8 * (i % 8) : 56 - 8 * (i % 8);
        k.w[i / 8] |= std::uint64_t{static_cast<unsigned char>(name[i])} << shift;
    }
    return k;
}
}  // namespace

void clear_variable_table()
{
    Table& t = table();
    for (int i = 0; i < t.high_water; ++i)
        release(t.entries[i]);
    for (Value& v : t.entries)
        clear_record(v);
    t.high_water = 0;
    t.level = 0;
    ++t.generation;
}

int routine_level() { return table().level; }

void set_routine_level(int level)
{
    table().level = level;
    ++table().generation;
}

int variable_high_water() { return table().high_water; }

int find_entry(std::string_view name)
{
    Table& t = table();
    Key key = key_of(name);
    bool system = !name.empty() && name.front() == '%';
    for (int i = 0; i < t.high_water; ++i) {
        const Value& v = t.entries[i];
        if (v.type == T_FREE || (!system && v.level != t.level))
            continue;
        Key k = key_of(v.name);
        if (k.w[0] == key.w[0] && k.w[1] == key.w[1])
            return i;
    }
    return -1;
}

int resolve_reference(int index)
{
    if (index >= 0 && table().entries[index].type == T_REF) {
        int target = table().entries[index].slot.ref;
        return (target >= 0 && target < variable_capacity && table().entries[target].type != T_FREE) ? target : -1;
    }
    return index;
}

int find_variable(std::string_view name) { return resolve_reference(find_entry(name)); }

int find_and_remember(const char* padded, VariableMemo& memo)
{
    memo.entry = find_entry(std::string_view(padded, strnlen(padded, 16)));
    memo.generation = table().generation;
    return resolve_reference(memo.entry);
}

int find_variable(std::string_view name, VariableMemo& memo)
{
    // The padded name written as whole words, as they are read back.
    Key key = key_of(name);
    char padded[16];
    std::memcpy(padded, key.w, sizeof padded);
    return find_padded_variable(padded, memo);
}

int allocate_variable()
{
    Table& t = table();
    for (int i = 0; i < variable_capacity; ++i) {
        if (t.entries[i].type == T_FREE) {
            clear_record(t.entries[i]);
            ++t.generation;
            if (i >= t.high_water)
                t.high_water = i + 1;
            return i;
        }
    }
    report("Maximal number of variables is reached");
    return -1;
}

void free_variable(int index)
{
    if (index < 0 || index >= variable_capacity)
        return;
    release(table().entries[index]);
    ++table().generation;
}

void free_level(int level)
{
    Table& t = table();
    for (int i = 0; i < t.high_water; ++i) {
        if (t.entries[i].type != T_FREE && t.entries[i].level == level)
            release(t.entries[i]);
    }
    ++t.generation;
}

int store_variable(Value& record, int index)
{
    if (lookup_function(name_of(record)) >= 0) {
        report("Reserved identifier", name_of(record));
        return -1;
    }
    return store_unreserved_variable(record, index);
}

int store_unreserved_variable(Value& record, int index)
{
    if (index < 0) {
        index = allocate_variable();
        if (index < 0)
            return -1;
        Value& entry = table().entries[index];
        std::memcpy(entry.name, record.name, sizeof entry.name);
        entry.level = static_cast<std::int8_t>(table().level);
    }
    move_value(table().entries[index], record);
    return index;
}

}  // namespace korvan::kfl
