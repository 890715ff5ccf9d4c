#include "interp/function_table.hpp"

#include <array>
#include <vector>

namespace korvan::kfl {

namespace {
struct Table {
    const BuiltinFunction* rows = nullptr;
    int count = 0;
    // Rows by the first character of their names, in table order: every
    // identifier of an expression is looked up, so the search stays short.
    std::array<std::vector<int>, 256> by_first;
};

Table& table()
{
    static Table t;
    return t;
}
}  // namespace

void set_function_table(const BuiltinFunction* rows, int count)
{
    Table& t = table();
    t.rows = rows;
    t.count = rows != nullptr && count > 0 ? count : 0;
    for (auto& bucket : t.by_first)
        bucket.clear();
    for (int i = 0; i < t.count; ++i)
        t.by_first[static_cast<unsigned char>(rows[i].name[0])].push_back(i);
}

int lookup_function(std::string_view name)
{
    const Table& t = table();
    if (name.empty() || t.count == 0)
        return -1;
    for (int i : t.by_first[static_cast<unsigned char>(name.front())]) {
        if (name == t.rows[i].name)
            return i;
    }
    return -1;
}

int function_flag(int row) { return table().rows[row].flag; }

bool call_function(int row, int base) { return table().rows[row].call(base); }

}  // namespace korvan::kfl
