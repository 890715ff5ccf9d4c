// The function table of built-in functions, as the parser and the executor see it.
// The functions themselves install their rows here.
#pragma once

#include <string_view>

namespace korvan::kfl {

struct BuiltinFunction {
    const char* name;   // upper case
    int flag;           // 1: bare variable arguments are passed as references
    // Runs the function on the stack records from depth base to the top and
    // leaves one result at depth base. Returns false after reporting a failure.
    bool (*call)(int base);
};

// Installs the rows (searched in order); nullptr or count 0 empties the table.
void set_function_table(const BuiltinFunction* rows, int count);

// Row number of the name, or -1.
int lookup_function(std::string_view name);
int function_flag(int row);
int function_count();
const char* function_name(int row);
bool call_function(int row, int base);

// Changes whenever the rows are replaced (what was resolved against them is
// stale); set_function_table counts it up. Inline: every replayed statement asks.
inline unsigned& function_table_generation_counter()
{
    static unsigned generation = 0;
    return generation;
}
inline unsigned function_table_generation() { return function_table_generation_counter(); }

}  // namespace korvan::kfl
