// The table of files a script opens with FOPEN: 8 numbered entries.
#pragma once

#include <cstdio>
#include <string_view>

namespace korvan::kfl {

constexpr int file_table_capacity = 8;

// Access classes.
enum FileClass : int {
    FC_TEXT_READ = 0,
    FC_TEXT_WRITE = 1,
    FC_BINARY_READ = 2,
    FC_BINARY_WRITE = 3,
    FC_TEXT_UPDATE = 4,
    FC_BINARY_UPDATE = 5,
};

struct FileEntry {
    bool in_use = false;
    bool console = false;  // "con:": standard input or the console output
    int access = 0;
    std::FILE* stream = nullptr;
};

FileEntry& file_entry(int n);

// Checks a file number for the function: "Undefined file number in" or
// "File is not open in" followed by the name; nullptr then.
FileEntry* checked_entry(int n, std::string_view function);

// Writes bytes to an entry: its stream, or the console output. False on a write error.
bool write_entry(FileEntry& e, std::string_view bytes);

// Closes every open entry and frees the table (start and end of the run).
void close_all_files();

}  // namespace korvan::kfl
