#include "interp/function_table.hpp"

namespace korvan::kfl {

namespace {
struct Table {
    const BuiltinFunction* rows = nullptr;
    int count = 0;
};

Table& table()
{
    static Table t;
    return t;
}
}  // namespace

void set_function_table(const BuiltinFunction* rows, int count)
{
    table().rows = rows;
    table().count = rows != nullptr && count > 0 ? count : 0;
}

int lookup_function(std::string_view name)
{
    const Table& t = table();
    for (int i = 0; i < t.count; ++i) {
        if (name == t.rows[i].name)
            return i;
    }
    return -1;
}

int function_flag(int row) { return table().rows[row].flag; }

bool call_function(int row, int base) { return table().rows[row].call(base); }

}  // namespace korvan::kfl
