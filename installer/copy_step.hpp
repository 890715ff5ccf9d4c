// Copying the file list into the installation directory with progress.
#pragma once

#include <string>
#include <vector>

#include "installer/copy_display.hpp"
#include "installer/file_list.hpp"

namespace korvan::installer {

// Copies every row, in order, from the current directory into dir. A file
// that cannot be copied is reported in a message box titled "Setup" and
// skipped. Returns the number of files not copied.
int copy_files(const std::vector<FileRow>& rows, const std::string& dir, CopyDisplay& display);

}  // namespace korvan::installer
