#include "plot/widgets/widget_table.hpp"

#include <cctype>

#include "plat/console.hpp"

namespace korvan::widgets {

WidgetTable& table()
{
    static WidgetTable instance;
    return instance;
}

void reset_widget_table() { table() = WidgetTable{}; }

Widget* widget_of_id(int id)
{
    WidgetTable& t = table();
    if (id < 1 || id > t.count)
        return nullptr;
    Widget& w = t.records[static_cast<std::size_t>(id - 1)];
    return w.type == WidgetType::unused ? nullptr : &w;
}

int main_of(int index)
{
    WidgetTable& t = table();
    // Parents always come before their children, so the walk ends.
    for (int guard = 0; index >= 0 && guard <= max_widgets; ++guard) {
        const Widget& w = t.records[static_cast<std::size_t>(index)];
        if (w.type == WidgetType::main)
            return index;
        index = w.parent;
    }
    return -1;
}

void free_records(int first)
{
    WidgetTable& t = table();
    for (int i = first; i < t.count; ++i)
        t.records[static_cast<std::size_t>(i)] = Widget{};
}

void show_error(std::string_view routine, std::string_view text) { plat::console().message_box(routine, text); }

int match_keyword(std::string_view list, std::string_view argument)
{
    std::string key;
    for (std::size_t i = 0; i < 4; ++i)
        key += i < argument.size() ? static_cast<char>(std::toupper(static_cast<unsigned char>(argument[i]))) : ' ';
    int position = 1;
    for (std::size_t at = 0; at < list.size(); at += 5, ++position) {
        std::string word(list.substr(at, 4));
        word.resize(4, ' ');
        if (word == key)
            return position;
    }
    return 0;
}

std::vector<std::string> split_items(std::string_view list, char separator)
{
    std::vector<std::string> items;
    std::size_t start = 0;
    for (;;) {
        std::size_t end = list.find(separator, start);
        if (end == std::string_view::npos) {
            items.emplace_back(list.substr(start));
            return items;
        }
        items.emplace_back(list.substr(start, end - start));
        start = end + 1;
    }
}

std::string clipped(std::string_view text, std::size_t limit) { return std::string(text.substr(0, limit)); }

}  // namespace korvan::widgets
