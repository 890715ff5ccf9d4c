// The installation directory: checking the typed name and creating the tree.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvan::installer {

// Longest directory name accepted; longer names are refused, not cut.
inline constexpr std::size_t directory_name_limit = 255;

// The sub-directories created below the installation directory, in order.
inline constexpr const char* sub_directories[] = {"hlp", "man", "kfl", "win"};

// The typed name made usable: blanks around it removed, a leading "~/" (or a
// lone "~") replaced by the home directory, a relative name taken from the
// current directory cwd (the programs find the installation from anywhere),
// and final "/" dropped. Empty when nothing was typed.
std::string expand_directory_name(std::string_view typed, std::string_view home, std::string_view cwd);

// Why a directory name cannot be used (as the message to show), or nothing
// when it can. The program-group commands take the name unquoted, so the
// characters that separate their parts are refused.
std::optional<std::string> directory_name_problem(std::string_view name);

// Creates the directory (its parent must exist) and its sub-directories.
// A directory that exists already is fine; anything else in the way (a
// missing parent, a file of that name, no permission) is a failure. Returns
// the first directory that could not be created, or nothing when all exist.
std::optional<std::string> create_install_tree(const std::string& dir);

}  // namespace korvan::installer
