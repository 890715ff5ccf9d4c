// The plot file with its 80-character record buffer, through which every text
// plot format and the CGM byte stream are written.
#pragma once

#include <cstddef>
#include <cstdio>
#include <string>
#include <string_view>

namespace korvan {

class RecordFile {
public:
    static constexpr std::size_t capacity = 80;

    RecordFile() = default;
    ~RecordFile();
    RecordFile(const RecordFile&) = delete;
    RecordFile& operator=(const RecordFile&) = delete;
    RecordFile(RecordFile&& other) noexcept;
    RecordFile& operator=(RecordFile&& other) noexcept;

    // Creates the file; binary files are written in blocks of the capacity.
    // Returns false when it cannot be created.
    bool open(const std::string& name, bool binary);
    bool is_open() const { return file_ != nullptr; }

    // Appends an item; an item never spans two text lines.
    void append(const char* text, std::size_t n);
    void append(std::string_view text) { append(text.data(), text.size()); }

    // Appends the words of a fragment, each with its trailing blank; blank runs
    // collapse and characters after the last blank are dropped.
    void append_words(std::string_view text);

    // Writes a line as it is, outside the record buffer (headers).
    void write_raw(std::string_view text);

    // Writes out the buffer (a binary block is padded with blanks) and closes the file.
    void flush_close();

    // Closes without writing the pending buffer.
    void abandon();

    std::size_t length() const { return length_; }

private:
    void write_line();

    std::FILE* file_ = nullptr;
    bool binary_ = false;
    std::size_t length_ = 0;
    char buffer_[capacity] = {};
};

}  // namespace korvan
