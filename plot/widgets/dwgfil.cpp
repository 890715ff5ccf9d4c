// The standard dialogs DWGMSG, DWGBUT, DWGLIS, DWGTXT and DWGFIL: one-shot
// windows that cannot be used while a dialog is being built or runs.
#include <algorithm>

#include "plot/widgets/front_end.hpp"
#include "plot/widgets/widgets.hpp"

namespace korvan {

using namespace widgets;

namespace {

bool refused(const char* routine)
{
    if (table().state != 1)
        return false;
    show_error(routine, ">>>> " + std::string(routine) + " cannot be used between WGINI and WGFIN");
    return true;
}

}  // namespace

void dwgmsg(std::string_view text)
{
    if (!refused("DWGMSG"))
        front_end().message(table().settings.title, text);
}

int dwgbut(std::string_view text, int yes_default)
{
    if (refused("DWGBUT"))
        return -1;
    return front_end().yes_no(table().settings.title, text, yes_default != 0) ? 1 : 0;
}

int dwglis(std::string_view label, std::string_view items, int selected)
{
    if (refused("DWGLIS"))
        return -1;
    std::vector<std::string> list = split_items(items, table().settings.separator);
    if (selected < 1 || selected > static_cast<int>(list.size()))
        selected = 1;
    return front_end().choose_item(label, list, selected);
}

std::string dwgtxt(std::string_view label, std::string_view text)
{
    if (refused("DWGTXT"))
        return std::string(text);
    return clipped(front_end().ask_text(label, clipped(text, text_limit)), text_limit);
}

std::string dwgfil(std::string_view label, std::string_view file, std::string_view mask)
{
    if (refused("DWGFIL"))
        return std::string(file);
    std::string name = clipped(file, text_limit);
    front_end().choose_file(label, clipped(mask, mask_limit), name);
    return clipped(name, text_limit);
}

}  // namespace korvan
