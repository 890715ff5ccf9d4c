// The program-manager command string that creates the program group "KFL"
// (replacing a group of that name) and adds its items.
#pragma once

#include <optional>
#include <string>
#include <vector>

#include "installer/group_items.hpp"

namespace korvan::installer {

// The block the commands are written into, and the length below which the
// block plus one more item must stay (what is left is kept for ShowGroup).
inline constexpr std::size_t command_block_size = 1000;
inline constexpr std::size_t item_length_limit = 980;

struct CommandBlock {
    std::string text;
    int skipped_items = 0;  // items that did not fit, each to be reported
};

// One AddItem command for an item installed below dir.
std::string add_item_command(const std::string& dir, const GroupItem& item);

// The whole command string: the group created, deleted and created again,
// the items that fit, and ShowGroup. Nothing when not even the group
// commands fit into the block.
std::optional<CommandBlock> build_group_commands(const std::string& dir, const std::vector<GroupItem>& items);

}  // namespace korvan::installer
