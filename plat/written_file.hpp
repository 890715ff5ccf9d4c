// A file written from start to end that keeps the system's error number of
// the first step that failed: creating it, a write, or closing it (a full disk
// often shows only when the buffered rest is written at the close). Writers
// report that reason instead of taking an unwritten file for a written one.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace korvan::plat {

class WrittenFile {
public:
    WrittenFile() = default;
    ~WrittenFile();  // closes a file still open; its error is then not reported
    WrittenFile(const WrittenFile&) = delete;
    WrittenFile& operator=(const WrittenFile&) = delete;
    WrittenFile(WrittenFile&& other) noexcept;
    WrittenFile& operator=(WrittenFile&& other) noexcept;

    // Creates (or empties) the file with fopen's mode; false when that fails.
    bool create(const std::string& path, const char* mode = "wb");
    bool is_open() const { return file_ != nullptr; }

    // Writes bytes; false once any step has failed.
    bool write(const void* bytes, std::size_t n);
    bool write(std::string_view text) { return write(text.data(), text.size()); }

    // The stream for formatted output; its errors show at close().
    std::FILE* stream() const { return file_; }

    // Closes the file. 0 when every step worked, otherwise the error number
    // of the first one that failed.
    int close();

    int error() const { return error_; }

private:
    void fail();

    std::FILE* file_ = nullptr;
    int error_ = 0;
};

}  // namespace korvan::plat
