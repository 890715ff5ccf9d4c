// The items of the program group "KFL" that the installer registers.
#pragma once

#include <vector>

namespace korvan::installer {

struct GroupItem {
    const char* program;  // file name in the "win" sub-directory
    const char* title;
    int icon;             // program-manager icon index
    bool document = false;  // opened as it is: no "kfl.win" argument
};

const std::vector<GroupItem>& group_items();

}  // namespace korvan::installer
