#include "installer/group_step.hpp"

#include "installer/group_commands.hpp"
#include "installer/group_items.hpp"
#include "installer/progman_client.hpp"
#include "plat/console.hpp"

namespace korvan::installer {

bool register_program_group(const std::string& dir, const std::string& program_manager, int timeout_ms)
{
    plat::Console& console = plat::console();
    const std::optional<CommandBlock> block = build_group_commands(dir, group_items());
    if (!block) {
        console.message_box("Setup", "Not enough memory to create group");
        return false;
    }
    for (int i = 0; i < block->skipped_items; ++i)
        console.message_box("Setup", "Not enough memory to add item");
    const GroupResult result = register_group(program_manager, block->text, timeout_ms);
    switch (result.status) {
    case GroupResult::Status::done:
        return true;
    case GroupResult::Status::refused:
        console.message_box("Setup", "The program manager cannot make the program group KFL: " + result.reason);
        return false;
    case GroupResult::Status::no_answer:
        break;
    }
    console.message_box("Setup", "No program manager answers; the program group KFL is not made.");
    return false;
}

}  // namespace korvan::installer
