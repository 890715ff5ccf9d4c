// The items of the program group "KFL" that the installer registers.
#pragma once

#include <vector>

namespace korvan::installer {

struct GroupItem {
    const char* program;  // file name in the "win" sub-directory
    const char* title;    // the item titled "Readme" is started without "kfl.win"
    int icon;             // program-manager icon index
};

const std::vector<GroupItem>& group_items();

}  // namespace korvan::installer
