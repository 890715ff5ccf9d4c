// File names: joining a directory and a name, splitting a name into its parts.
#pragma once

#include <string>
#include <string_view>

namespace korvan::plat {

// dir + "/" + name; a separator already ending dir is not doubled.
std::string join_path(std::string_view dir, std::string_view name);

// Index just past the directory part of a name: "/" and "\" both end a directory part.
std::size_t directory_part_length(std::string_view name);

// The directory part (with its final separator) and the last component.
std::string_view directory_part(std::string_view name);
std::string_view last_component(std::string_view name);

}  // namespace korvan::plat
