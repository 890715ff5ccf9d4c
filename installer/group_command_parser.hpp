// Reading a program-manager command string such as
// "[CreateGroup(KFL,/opt/korvan/korvan)][AddItem(...)][ShowGroup(1)]".
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::installer {

struct GroupCommand {
    std::string name;               // CreateGroup, AddItem, ...
    std::vector<std::string> args;  // split at commas; none for "Name()"
};

// The commands in order, or nothing with the reason in error when the text is
// not a sequence of "[Name(arguments)]" (blanks between commands allowed).
std::optional<std::vector<GroupCommand>> parse_group_commands(std::string_view text, std::string& error);

}  // namespace korvan::installer
