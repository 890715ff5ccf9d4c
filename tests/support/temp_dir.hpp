// A fresh temporary directory that is the current directory while it lives.
#pragma once

#include <filesystem>
#include <fstream>
#include <string>
#include <unistd.h>

namespace korvan::test {

class TempDir {
public:
    TempDir()
    {
        char pattern[] = "/tmp/korvan-test-XXXXXX";
        path_ = mkdtemp(pattern);
        previous_ = std::filesystem::current_path();
        std::filesystem::current_path(path_);
    }
    ~TempDir()
    {
        std::filesystem::current_path(previous_);
        std::error_code ignored;
        std::filesystem::remove_all(path_, ignored);
    }
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }

    // Writes a file relative to the directory.
    void write(const std::string& name, const std::string& contents) const
    {
        std::filesystem::path file = path_ / name;
        std::filesystem::create_directories(file.parent_path());
        std::ofstream(file, std::ios::binary) << contents;
    }

private:
    std::filesystem::path path_;
    std::filesystem::path previous_;
};

}  // namespace korvan::test
