#include "conv/port_copy.hpp"

#include <cstdio>

#include "conv/file_failure.hpp"
#include "plat/written_file.hpp"

namespace korvan::conv {

bool copy_to_port(const std::string& file, const std::string& port, bool remove_file, std::string& message)
{
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) {
        message = " <<<< Open error in file " + file + "\n";
        return false;
    }
    plat::WrittenFile out;
    if (!out.create(port)) {
        std::fclose(in);
        message = " <<<< Open error in file " + port + "\n";
        return false;
    }
    // Byte for byte: binary plot files and long lines reach the printer whole.
    char buffer[8192];
    std::size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0 && out.write(buffer, n)) {
    }
    std::fclose(in);
    if (int error = out.close(); error != 0) {
        message = file_failure_message("Write", port, error);
        return false;
    }
    if (remove_file)
        std::remove(file.c_str());
    return true;
}

}  // namespace korvan::conv
