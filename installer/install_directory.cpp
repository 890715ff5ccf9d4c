#include "installer/install_directory.hpp"

#include <sys/stat.h>

#include <cerrno>

#include "plat/paths.hpp"

namespace korvan::installer {

std::string expand_directory_name(std::string_view typed, std::string_view home, std::string_view cwd)
{
    const auto first = typed.find_first_not_of(" \t");
    if (first == std::string_view::npos)
        return {};
    typed = typed.substr(first, typed.find_last_not_of(" \t") - first + 1);
    std::string name(typed);
    if (!home.empty() && (typed == "~" || typed.starts_with("~/")))
        name = std::string(home) + std::string(typed.substr(1));
    else if (!typed.starts_with("/"))
        name = plat::join_path(cwd, typed);
    while (name.size() > 1 && name.back() == '/')
        name.pop_back();
    return name;
}

std::optional<std::string> directory_name_problem(std::string_view name)
{
    if (name.empty())
        return "No installation directory is given.";
    if (name.size() > directory_name_limit)
        return "The directory name is longer than " + std::to_string(directory_name_limit) +
               " characters.";
    for (unsigned char c : name) {
        if (c < 0x20 || c == 0x7f)
            return "The directory name contains a control character.";
    }
    if (name.find_first_of("[](),\"") != std::string_view::npos || name.find("  ") != std::string_view::npos)
        return "The directory name must not contain [ ] ( ) , \" or two blanks in a row.";
    return std::nullopt;
}

namespace {
// True when the directory exists afterwards.
bool make_directory(const std::string& path)
{
    if (mkdir(path.c_str(), 0755) == 0)
        return true;
    struct stat info {};
    return errno == EEXIST && stat(path.c_str(), &info) == 0 && S_ISDIR(info.st_mode);
}
}  // namespace

std::optional<std::string> create_install_tree(const std::string& dir)
{
    if (!make_directory(dir))
        return dir;
    for (const char* sub : sub_directories) {
        std::string path = plat::join_path(dir, sub);
        if (!make_directory(path))
            return path;
    }
    return std::nullopt;
}

}  // namespace korvan::installer
