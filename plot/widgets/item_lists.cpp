// Item lists: one text whose items are separated by the separator character.
#include <algorithm>
#include <cstring>

#include "plot/widgets/widgets.hpp"

namespace korvan {

using namespace widgets;

int itmcnt(std::string_view list)
{
    return static_cast<int>(std::count(list.begin(), list.end(), table().settings.separator)) + 1;
}

std::string itmstr(std::string_view list, int n)
{
    std::vector<std::string> items = split_items(list, table().settings.separator);
    if (n < 1 || n > static_cast<int>(items.size())) {
        show_error("ITMSTR", "<<<< Not allowed index");
        n = static_cast<int>(items.size());
    }
    return clipped(items[static_cast<std::size_t>(n - 1)], item_text_limit);
}

void itmcat(std::span<char> list, std::string_view item)
{
    if (list.empty())
        return;
    std::size_t used = strnlen(list.data(), list.size());
    // The first item of an empty list needs no separator before it.
    if (used > 0 && used + 1 < list.size())
        list[used++] = table().settings.separator;
    std::size_t n = std::min(item.size(), list.size() - 1 - std::min(used, list.size() - 1));
    std::memmove(list.data() + used, item.data(), n);
    list[std::min(used + n, list.size() - 1)] = '\0';
}

}  // namespace korvan
