// The plot file with its 80-character record buffer, through which every text
// plot format and the CGM byte stream are written.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

#include "plat/written_file.hpp"

namespace korvan {

class RecordFile {
public:
    static constexpr std::size_t capacity = 80;

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&& other) noexcept = default;
    RecordFile& operator=(RecordFile&& other) noexcept = default;

    // Creates the file; binary files are written in blocks of the capacity.
    // Returns false when it cannot be created (error() tells why).
    bool open(const std::string& name, bool binary);
    int error() const { return file_.error(); }
    bool is_open() const { return file_.is_open(); }

    // Appends an item; an item never spans two text lines.
    void append(const char* text, std::size_t n);
    void append(std::string_view text) { append(text.data(), text.size()); }

    // Appends the words of a fragment, each with its trailing blank; blank runs
    // collapse and characters after the last blank are dropped.
    void append_words(std::string_view text);

    // Writes a line as it is, outside the record buffer (headers).
    void write_raw(std::string_view text);

    // Writes out the buffer (a binary block is padded with blanks) and closes
    // the file. Returns 0, or the system's error number of the first write that
    // failed (a full disk shows at the latest when the file is closed).
    int flush_close();

    // Closes without writing the pending buffer.
    void abandon();

    std::size_t length() const { return length_; }

private:
    void write_line();

    plat::WrittenFile file_;
    bool binary_ = false;
    std::size_t length_ = 0;
    char buffer_[capacity + 1] = {};  // room for the line end
};

}  // namespace korvan
