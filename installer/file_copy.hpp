// Copying one file of the distribution into the installation directory.
#pragma once

#include <string>

namespace korvan::installer {

enum class CopyResult {
    copied,         // also when source and destination are the same file
    cannot_open,    // the source cannot be read
    cannot_create,  // the destination cannot be made
    cannot_write,   // reading or writing failed part-way; the part is removed
};

// Copies the bytes (files are shipped as they are) and gives the destination
// the source's permission bits, so that programs stay runnable. An existing
// destination is overwritten.
CopyResult copy_file(const std::string& source, const std::string& destination);

}  // namespace korvan::installer
