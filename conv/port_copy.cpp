#include "conv/port_copy.hpp"

#include <cstdio>

namespace korvan::conv {

bool copy_to_port(const std::string& file, const std::string& port, bool remove_file, std::string& message)
{
    std::FILE* in = std::fopen(file.c_str(), "rb");
    if (in == nullptr) {
        message = " <<<< Open error in file " + file + "\n";
        return false;
    }
    std::FILE* out = std::fopen(port.c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        message = " <<<< Open error in file " + port + "\n";
        return false;
    }
    // Byte for byte: binary plot files and long lines reach the printer whole.
    char buffer[8192];
    std::size_t n;
    bool written = true;
    while ((n = std::fread(buffer, 1, sizeof buffer, in)) > 0)
        written = written && std::fwrite(buffer, 1, n, out) == n;
    std::fclose(in);
    written = std::fclose(out) == 0 && written;
    if (!written) {
        message = " <<<< Write error in file " + port + "\n";
        return false;
    }
    if (remove_file)
        std::remove(file.c_str());
    return true;
}

}  // namespace korvan::conv
