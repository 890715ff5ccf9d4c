#include "installer/group_items.hpp"

namespace korvan::installer {

const std::vector<GroupItem>& group_items()
{
    // kflwin ignores its argument; kflrun runs "kfl.win", the demonstration
    // script; korconv needs a plot file and so has no item. The readme and
    // the HTML manual are documents, opened by the desktop's program for them.
    static const std::vector<GroupItem> items{
        {"kflwin", "KFL", 6},
        {"kflrun", "KFL Demo", 36},
        {"README.md", "Readme", 11, true},
        {"../hlp/index.html", "KFL Manual", 11, true},
    };
    return items;
}

}  // namespace korvan::installer
