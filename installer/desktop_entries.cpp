#include "installer/desktop_entries.hpp"

#include <sys/stat.h>
#include <unistd.h>

#include <cctype>
#include <filesystem>
#include <fstream>

#include "plat/host.hpp"
#include "plat/paths.hpp"

namespace korvan::installer {

std::string user_applications_dir()
{
    if (auto data = plat::get_env("XDG_DATA_HOME"); data && !data->empty() && data->front() == '/')
        return plat::join_path(*data, "applications");
    if (auto home = plat::get_env("HOME"); home && !home->empty())
        return plat::join_path(plat::join_path(*home, ".local/share"), "applications");
    return {};
}

std::string entry_name(std::string_view title)
{
    std::string name;
    for (unsigned char c : title) {
        if (std::isalnum(c) != 0)
            name += static_cast<char>(std::tolower(c));
        else if (!name.empty() && name.back() != '-')
            name += '-';
    }
    while (!name.empty() && name.back() == '-')
        name.pop_back();
    return name.empty() ? "item" : name;
}

namespace {
// One word of an Exec line, quoted when it holds a reserved character.
std::string exec_word(std::string_view word)
{
    std::string plain;
    for (char c : word) {
        if (c == '%')
            plain += '%';
        plain += c;
    }
    if (plain.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos)
        return plain;
    std::string quoted = "\"";
    for (char c : plain) {
        if (c == '"' || c == '`' || c == '$' || c == '\\')
            quoted += '\\';
        quoted += c;
    }
    return quoted + "\"";
}

// The string-value escapes of a desktop entry (applied after the quoting).
std::string escape_value(std::string_view text)
{
    std::string escaped;
    for (char c : text) {
        if (c == '\\')
            escaped += "\\\\";
        else
            escaped += c;
    }
    return escaped;
}

bool is_runnable_file(const std::string& path)
{
    struct stat info {};
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode) && access(path.c_str(), X_OK) == 0;
}
}  // namespace

std::string exec_value(std::string_view command_line)
{
    const std::size_t gap = command_line.find("  ");
    const std::string program(command_line.substr(0, gap));
    std::string exec;
    // Documents are opened with the desktop's program for them.
    if (!is_runnable_file(program))
        exec = "xdg-open ";
    exec += exec_word(program);
    if (gap != std::string_view::npos) {
        std::string_view argument = command_line.substr(gap + 2);
        exec += " " + exec_word(argument);
    }
    return escape_value(exec);
}

std::string desktop_entry_text(std::string_view title, std::string_view exec, std::string_view icon)
{
    std::string text = "[Desktop Entry]\nType=Application\nName=";
    text += title;
    text += "\nExec=";
    text += exec;
    text += "\nIcon=";
    text += icon;
    text += "\nTerminal=false\nCategories=Graphics;Science;\n";
    return text;
}

const char* icon_name(int index)
{
    switch (index) {
    case 6:
        return "applications-graphics";
    case 11:
        return "text-x-generic";
    case 36:
        return "applications-science";
    case 40:
        return "utilities-terminal";
    default:
        return "application-x-executable";
    }
}

DesktopGroups::DesktopGroups(std::string applications_dir) : applications_dir_(std::move(applications_dir)) {}

std::string DesktopGroups::group_dir(std::string_view group) const
{
    return plat::join_path(applications_dir_, "korvan-" + entry_name(group));
}

std::string DesktopGroups::execute(const std::vector<GroupCommand>& commands)
{
    if (applications_dir_.empty())
        return "neither XDG_DATA_HOME nor HOME is set";
    for (const GroupCommand& command : commands) {
        std::string failure;
        if (command.name == "CreateGroup")
            failure = create_group(command);
        else if (command.name == "DeleteGroup")
            failure = delete_group(command);
        else if (command.name == "AddItem")
            failure = add_item(command);
        else if (command.name != "ShowGroup")
            failure = "unknown command " + command.name;
        if (!failure.empty())
            return failure;
    }
    return {};
}

std::string DesktopGroups::create_group(const GroupCommand& command)
{
    if (command.args.empty() || command.args[0].empty())
        return "CreateGroup without a group name";
    current_group_dir_ = group_dir(command.args[0]);
    std::error_code failed;
    std::filesystem::create_directories(current_group_dir_, failed);
    if (failed)
        return "cannot create " + current_group_dir_ + ": " + failed.message();
    return {};
}

std::string DesktopGroups::delete_group(const GroupCommand& command)
{
    if (command.args.empty() || command.args[0].empty())
        return "DeleteGroup without a group name";
    const std::string dir = group_dir(command.args[0]);
    // Only the menu entries go; anything else the user put there stays.
    std::error_code failed;
    for (const auto& entry : std::filesystem::directory_iterator(dir, failed)) {
        if (entry.path().extension() == ".desktop")
            std::filesystem::remove(entry.path(), failed);
    }
    std::filesystem::remove(dir, failed);  // fails harmlessly when not empty
    if (current_group_dir_ == dir)
        current_group_dir_.clear();
    return {};
}

std::string DesktopGroups::add_item(const GroupCommand& command)
{
    if (current_group_dir_.empty())
        return "AddItem without a group";
    if (command.args.size() < 2 || command.args[0].empty() || command.args[1].empty())
        return "AddItem needs a command line and a title";
    int icon = 0;
    if (command.args.size() >= 4) {
        const std::string& index = command.args[3];
        if (index.empty() || index.size() > 4 || index.find_first_not_of("0123456789") != std::string::npos)
            return "bad icon index " + index;
        icon = std::stoi(index);
    }
    const std::string& title = command.args[1];
    const std::string path = plat::join_path(current_group_dir_, entry_name(title) + ".desktop");
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file << desktop_entry_text(title, exec_value(command.args[0]), icon_name(icon));
    file.close();
    if (!file)
        return "cannot write " + path;
    return {};
}

}  // namespace korvan::installer
