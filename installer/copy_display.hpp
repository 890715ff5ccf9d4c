// Where the copy shows its progress: a window or lines on the terminal.
#pragma once

#include <string>

namespace korvan::installer {

class CopyDisplay {
public:
    virtual ~CopyDisplay() = default;
    // Before a file is copied: the percentage done with it, its source and destination.
    virtual void show(int percent, const std::string& from, const std::string& to) = 0;
    // After the last file.
    virtual void finish() = 0;
};

}  // namespace korvan::installer
