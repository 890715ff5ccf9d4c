#include "conv/file_failure.hpp"

#include <cerrno>
#include <cstring>

namespace korvan::conv {

std::string file_failure_message(std::string_view what, std::string_view name, int error)
{
    return " <<<< " + std::string(what) + " error in file " + std::string(name) + ": " +
           std::strerror(error != 0 ? error : EIO) + "\n";
}

}  // namespace korvan::conv
