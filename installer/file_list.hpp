// The files the installer copies: each row names a file of the distribution
// directory (the current directory when the installer runs) and where it goes
// below the installation directory.
#pragma once

#include <string>
#include <vector>

namespace korvan::installer {

struct FileRow {
    std::string source;       // relative to the distribution directory
    std::string destination;  // relative to the installation directory
};

// The programs, the readme, the menu items' start script "kfl.win", and the
// example scripts with their data files, in copying order.
const std::vector<FileRow>& file_list();

// The file list followed by the manual's files that the list file names (one
// path a line, relative to the distribution directory, below "hlp/" or
// "man/"; each is installed under the same path). The docs build makes the
// manual and "dist" writes the list as "manual.lst"; without it the manual
// is not installed. Other lines are left out.
std::vector<FileRow> file_list_with_manual(const std::string& list_file);

// Creates the sub-directories of the installation that the rows' destinations
// need below the fixed ones (hlp/reference ...). False when one cannot be made.
bool create_row_directories(const std::vector<FileRow>& rows, const std::string& dir);

}  // namespace korvan::installer
