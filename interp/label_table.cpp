#include "interp/label_table.hpp"

#include <cstring>

#include "interp/messages.hpp"
#include "interp/variable_table.hpp"

namespace korvan::kfl {

namespace {
Label* labels()
{
    static Label table[label_capacity]{};
    return table;
}
}  // namespace

Label& label(int index) { return labels()[index]; }

int find_label(std::string_view name)
{
    if (name.size() > 15)
        name = name.substr(0, 15);
    int level = routine_level();
    for (int i = 0; i < label_capacity; ++i) {
        const Label& l = labels()[i];
        if (l.in_use && l.level == level && name == std::string_view(l.name))
            return i;
    }
    return -1;
}

int allocate_label(std::string_view name)
{
    if (name.size() > 15)
        name = name.substr(0, 15);
    for (int i = 0; i < label_capacity; ++i) {
        Label& l = labels()[i];
        if (!l.in_use) {
            l = Label{};
            std::memcpy(l.name, name.data(), name.size());
            l.level = routine_level();
            l.in_use = true;
            return i;
        }
    }
    report("Maximal number of labels is reached");
    return -1;
}

void clear_labels_of_level(int level)
{
    for (int i = 0; i < label_capacity; ++i) {
        if (labels()[i].level == level)
            labels()[i].in_use = false;
    }
}

void clear_labels()
{
    for (int i = 0; i < label_capacity; ++i)
        labels()[i] = Label{};
}

}  // namespace korvan::kfl
