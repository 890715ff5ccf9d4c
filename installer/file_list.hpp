// The files the installer copies: each row names a file of the distribution
// directory (the current directory when the installer runs) and where it goes
// below the installation directory.
#pragma once

#include <vector>

namespace korvan::installer {

struct FileRow {
    const char* source;       // relative to the distribution directory
    const char* destination;  // relative to the installation directory
};

// The programs, the readme, the menu items' start script "kfl.win", and the
// example scripts with their data files, in copying order.
const std::vector<FileRow>& file_list();

}  // namespace korvan::installer
