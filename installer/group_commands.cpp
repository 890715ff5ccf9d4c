#include "installer/group_commands.hpp"

#include "plat/paths.hpp"

namespace korvan::installer {

namespace {
constexpr const char* delete_group = "[DeleteGroup(KFL)]";
constexpr const char* show_group = "[ShowGroup(1)]";
}  // namespace

std::string add_item_command(const std::string& dir, const GroupItem& item)
{
    std::string command = "[AddItem(" + plat::join_path(plat::join_path(dir, "win"), item.program);
    if (!item.document)
        command += "  " + plat::join_path(dir, "kfl.win");
    command += ",";
    command += item.title;
    command += ",progman.exe";
    command += "," + std::to_string(item.icon) + ")]";
    return command;
}

std::optional<CommandBlock> build_group_commands(const std::string& dir, const std::vector<GroupItem>& items)
{
    const std::string create = "[CreateGroup(KFL," + plat::join_path(dir, "korvan") + ")]";
    CommandBlock block;
    block.text = create + delete_group + create;
    // The group commands, ShowGroup and the block's closing zero byte.
    if (block.text.size() + std::string_view(show_group).size() + 1 > command_block_size)
        return std::nullopt;
    for (const GroupItem& item : items) {
        const std::string command = add_item_command(dir, item);
        if (block.text.size() + command.size() < item_length_limit)
            block.text += command;
        else
            ++block.skipped_items;
    }
    block.text += show_group;
    return block;
}

}  // namespace korvan::installer
