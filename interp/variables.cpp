#include "interp/variables.hpp"

#include "interp/label_table.hpp"
#include "interp/value.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {
Value* new_global(const std::string& name)
{
    int index = find_entry(name);
    if (index >= 0) {
        free_variable(index);
    } else {
        index = allocate_variable();
        if (index < 0)
            return nullptr;
        set_name(variable(index), name);
    }
    variable(index).level = 0;
    return &variable(index);
}
}  // namespace

void clear_variables()
{
    clear_variable_table();
    clear_labels();
}

void define_startup_string(const std::string& name, const std::string& value)
{
    if (Value* v = new_global(name))
        set_string(*v, value);
}

void define_startup_int(const std::string& name, int value)
{
    if (Value* v = new_global(name)) {
        v->type = T_INT;
        v->count = 1;
        v->slot.i32 = value;
    }
}

std::optional<std::string> startup_value_text(std::string_view name)
{
    int index = find_variable(name);
    if (index < 0)
        return std::nullopt;
    const Value& v = variable(index);
    if (v.type == T_STRING)
        return std::string(v.slot.text, static_cast<std::size_t>(v.count));
    if (v.type == T_INT)
        return std::to_string(v.slot.i32);
    return std::nullopt;
}

}  // namespace korvan::kfl
