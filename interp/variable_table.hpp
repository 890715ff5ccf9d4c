// The variable table: 500 value records scoped by routine level.
#pragma once

#include <cstring>
#include <string_view>

#include "interp/value.hpp"

namespace korvan::kfl {

constexpr int variable_capacity = 500;

// The table, reached inline on the interpreter's hot paths.
struct VariableTable {
    Value entries[variable_capacity];
    int high_water = 0;
    int level = 0;
    unsigned generation = 1;  // changes when entries are allocated or freed or the level changes
};

inline VariableTable& variable_table()
{
    static VariableTable t{};
    return t;
}

// Entry by index (0..499).
inline Value& variable(int index) { return variable_table().entries[index]; }

// Marks every entry free (releasing blocks) and returns to routine level 0.
void clear_variable_table();

// The routine level: 0 in the main script, one more per active user routine.
int routine_level();
void set_routine_level(int level);

// The entry named so at the current level (or a "%" name at any level); a
// reference entry yields the entry it stands for. -1 when there is none.
int find_variable(std::string_view name);

// As find_variable, but a reference entry itself is returned.
int find_entry(std::string_view name);

// A remembered find_variable result for one name: reused while no entry has been
// allocated or freed and the routine level is the same, and while the entry
// still has the name and the level.
struct VariableMemo {
    int entry = -1;
    unsigned generation = 0;
};

// The entry a reference entry stands for (-1 when that is free or out of the
// table); any other index as it is.
int resolve_reference(int index);

// Looks the name (zero-padded to 16 bytes) up and remembers the entry in the memo.
int find_and_remember(const char* padded, VariableMemo& memo);

// As find_variable, with the memo of the name kept zero-padded to 16 bytes, as
// in a value record.
inline int find_padded_variable(const char* padded, VariableMemo& memo)
{
    const VariableTable& t = variable_table();
    if (memo.generation == t.generation && memo.entry >= 0) {
        const Value& v = t.entries[memo.entry];
        if (v.type != T_FREE && (padded[0] == '%' || v.level == t.level) && std::memcmp(v.name, padded, 16) == 0)
            return v.type == T_REF ? resolve_reference(memo.entry) : memo.entry;
    }
    return find_and_remember(padded, memo);
}

// The same for a name as it is written.
int find_variable(std::string_view name, VariableMemo& memo);

// The first free entry, or -1 after "Maximal number of variables is reached".
int allocate_variable();

void free_variable(int index);
void free_level(int level);

// Moves a stack record into the entry (index -1: a new entry named after the
// record at the current level). A name of a built-in function is refused with
// "Reserved identifier". Returns the index, or -1 when nothing was stored.
int store_variable(Value& record, int index);
// As store_variable, for a record whose name is known not to be a built-in function's.
int store_unreserved_variable(Value& record, int index);

// One past the highest entry ever used (bounds the linear searches).
int variable_high_water();

}  // namespace korvan::kfl
