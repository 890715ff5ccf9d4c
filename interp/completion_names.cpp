#include "interp/completion_names.hpp"

#include "interp/executor.hpp"
#include "interp/function_table.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

std::vector<std::string> language_completion_names()
{
    std::vector<std::string> names;
    for (std::string_view word : statement_words())
        names.emplace_back(word);
    for (int row = 0; row < function_count(); ++row)
        names.emplace_back(function_name(row));
    for (int i = 0; i < variable_high_water(); ++i) {
        const Value& v = variable(i);
        if (v.type != 0 && (v.name[0] == '%' || v.level == routine_level()))
            names.emplace_back(v.name);
    }
    return names;
}

}  // namespace korvan::kfl
