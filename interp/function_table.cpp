#include "interp/function_table.hpp"

#include <array>
#include <cstring>
#include <vector>

namespace korvan::kfl {

namespace {
struct Table {
    const BuiltinFunction* rows = nullptr;
    int count = 0;
    // Rows by the first character and the length (modulo 16) of their names,
    // in table order: every identifier of an expression is looked up, so a
    // search sees only a few candidates and compares lengths before characters.
    struct Entry {
        std::size_t length;
        int row;
    };
    std::array<std::vector<Entry>, 256 * 16> buckets;
};

std::size_t bucket_of(char first, std::size_t length)
{
    return static_cast<unsigned char>(first) * 16 + (length & 15);
}

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
    ++function_table_generation_counter();
    for (auto& bucket : t.buckets)
        bucket.clear();
    for (int i = 0; i < t.count; ++i) {
        std::size_t length = std::strlen(rows[i].name);
        t.buckets[bucket_of(rows[i].name[0], length)].push_back({length, i});
    }
}

int lookup_function(std::string_view name)
{
    const Table& t = table();
    if (name.empty() || t.count == 0)
        return -1;
    for (const Table::Entry& e : t.buckets[bucket_of(name.front(), name.size())]) {
        if (e.length == name.size() && std::memcmp(name.data(), t.rows[e.row].name, e.length) == 0)
            return e.row;
    }
    return -1;
}


int function_flag(int row) { return table().rows[row].flag; }

bool call_function(int row, int base) { return table().rows[row].call(base); }

int function_count() { return table().count; }

const char* function_name(int row) { return table().rows[row].name; }

}  // namespace korvan::kfl
