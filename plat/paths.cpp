#include "plat/paths.hpp"

namespace korvan::plat {

std::string join_path(std::string_view dir, std::string_view name)
{
    std::string path(dir);
    if (!path.empty() && path.back() != '/' && path.back() != '\\')
        path += '/';
    path += name;
    return path;
}

std::size_t directory_part_length(std::string_view name)
{
    std::size_t pos = name.find_last_of("/\\");
    return pos == std::string_view::npos ? 0 : pos + 1;
}

std::string_view directory_part(std::string_view name)
{
    return name.substr(0, directory_part_length(name));
}

std::string_view last_component(std::string_view name)
{
    return name.substr(directory_part_length(name));
}

}  // namespace korvan::plat
