// The program manager of this desktop: program groups become directories of
// freedesktop menu entries, $XDG_DATA_HOME/applications/korvan-<group>/, and
// their items ".desktop" files in them.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "installer/group_command_parser.hpp"

namespace korvan::installer {

// Where menu entries of the user live: $XDG_DATA_HOME/applications, or
// $HOME/.local/share/applications; empty when neither variable is set.
std::string user_applications_dir();

// "KFL Demo" -> "kfl-demo": letters and digits in lower case, runs of other
// characters as one "-".
std::string entry_name(std::string_view title);

// The Exec value for a command line "program" or "program  argument": each
// word quoted when it needs to be, "%" doubled, then escaped as a string value.
std::string exec_value(std::string_view command_line);

// The text of one menu entry.
std::string desktop_entry_text(std::string_view title, std::string_view exec, std::string_view icon);

// A freedesktop icon name for a program-manager icon index.
const char* icon_name(int index);

class DesktopGroups {
public:
    explicit DesktopGroups(std::string applications_dir);

    // Runs the commands in order; returns "" or the reason of the first
    // failure (the commands after it are not run).
    std::string execute(const std::vector<GroupCommand>& commands);

private:
    std::string group_dir(std::string_view group) const;
    std::string create_group(const GroupCommand& command);
    std::string delete_group(const GroupCommand& command);
    std::string add_item(const GroupCommand& command);

    std::string applications_dir_;
    std::string current_group_dir_;
};

}  // namespace korvan::installer
