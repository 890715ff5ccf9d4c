#include "plat/host.hpp"

#include <cstdio>
#include <cstdlib>
#include <filesystem>

#include "plat/console.hpp"
#include "plat/exit_status.hpp"

namespace korvan::plat {

bool host_command(std::string_view) { return true; }

std::optional<std::string> get_env(const char* name)
{
    const char* value = std::getenv(name);
    if (value == nullptr)
        return std::nullopt;
    return std::string(value);
}

void fatal_exit(std::string_view caption, std::string_view text)
{
    note_failure();
    console().message_box(caption, text);
    end_process();
}

std::string installation_dir()
{
    if (auto dir = get_env("KORVAN"))
        return *dir;
    return built_in_installation_dir();
}

std::string built_in_installation_dir() { return KORVAN_DEFAULT_DIR; }

std::optional<std::string> program_directory()
{
    std::error_code failed;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", failed);
    if (failed)
        return std::nullopt;
    return self.parent_path().string();
}

}  // namespace korvan::plat
