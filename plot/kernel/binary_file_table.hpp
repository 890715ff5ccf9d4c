// The table of binary files that scripts open with OPENFL: part of the plot
// state, kept from one plot to the next; each entry owns its open stream.
#pragma once

#include <array>
#include <cstdio>
#include <memory>
#include <string>

namespace korvan {

struct FileCloser {
    void operator()(std::FILE* f) const
    {
        if (f != nullptr)
            std::fclose(f);
    }
};

struct BinaryFile {
    std::unique_ptr<std::FILE, FileCloser> stream;
    std::string name;  // as OPENFL got it, for the warnings of failed writes
    int unit = -1;
    int mode = 0;  // OPENFL's mode: 0 read, 1 write, 2 append, 3 update
    int last = 0;  // the last transfer: 0 none, 1 read, 2 write (update mode switches between them)
};

inline constexpr std::size_t binary_file_table_size = 20;

using BinaryFileTable = std::array<BinaryFile, binary_file_table_size>;

}  // namespace korvan
