#include "interp/variables.hpp"

#include <utility>
#include <vector>

namespace korvan::kfl {

namespace {
std::vector<std::pair<std::string, std::string>>& table()
{
    static std::vector<std::pair<std::string, std::string>> entries;
    return entries;
}
}  // namespace

void clear_variables() { table().clear(); }

void define_startup_string(const std::string& name, const std::string& value)
{
    table().emplace_back(name, value);
}

void define_startup_int(const std::string& name, int value)
{
    table().emplace_back(name, std::to_string(value));
}

std::optional<std::string> startup_value_text(std::string_view name)
{
    for (const auto& [n, v] : table()) {
        if (n == name)
            return v;
    }
    return std::nullopt;
}

}  // namespace korvan::kfl
