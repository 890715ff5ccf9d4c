#include "plot/kernel/record_file.hpp"

#include <cstring>
#include <utility>

namespace korvan {

namespace {
constexpr std::size_t stream_buffer_size = 1 << 16;
}

RecordFile::~RecordFile() { abandon(); }

RecordFile::RecordFile(RecordFile&& other) noexcept { *this = std::move(other); }

RecordFile& RecordFile::operator=(RecordFile&& other) noexcept
{
    if (this != &other) {
        abandon();
        file_ = std::exchange(other.file_, nullptr);
        binary_ = other.binary_;
        length_ = std::exchange(other.length_, 0);
        std::memcpy(buffer_, other.buffer_, capacity);
    }
    return *this;
}

bool RecordFile::open(const std::string& name, bool binary)
{
    abandon();
    file_ = std::fopen(name.c_str(), binary ? "wb" : "w");
    if (file_ == nullptr)
        return false;
    std::setvbuf(file_, nullptr, _IOFBF, stream_buffer_size);
    binary_ = binary;
    length_ = 0;
    return true;
}

void RecordFile::write_line()
{
    if (binary_) {
        std::fwrite(buffer_, 1, capacity, file_);
    } else {
        std::fwrite(buffer_, 1, length_, file_);
        std::fputc('\n', file_);
    }
    length_ = 0;
}

void RecordFile::append(const char* text, std::size_t n)
{
    if (file_ == nullptr)
        return;
    if (length_ + n > capacity) {
        if (binary_) {
            // Fill the block with the head of the item and go on with the rest.
            while (length_ + n > capacity) {
                std::size_t head = capacity - length_;
                std::memcpy(buffer_ + length_, text, head);
                length_ = capacity;
                write_line();
                text += head;
                n -= head;
            }
        } else {
            if (length_ > 0)
                write_line();
            // An item longer than a whole line goes out on lines of its own.
            while (n > capacity) {
                std::fwrite(text, 1, capacity, file_);
                std::fputc('\n', file_);
                text += capacity;
                n -= capacity;
            }
        }
    }
    std::memcpy(buffer_ + length_, text, n);
    length_ += n;
}

void RecordFile::append_words(std::string_view text)
{
    std::size_t start = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] != ' ')
            continue;
        std::size_t n = i + 1 - start;
        if (n > 1)
            append(text.data() + start, n);
        start = i + 1;
    }
}

void RecordFile::write_raw(std::string_view text)
{
    if (file_ != nullptr)
        std::fwrite(text.data(), 1, text.size(), file_);
}

void RecordFile::flush_close()
{
    if (file_ == nullptr)
        return;
    if (length_ > 0) {
        if (binary_) {
            std::memset(buffer_ + length_, ' ', capacity - length_);
            length_ = capacity;
        }
        write_line();
    }
    std::fclose(file_);
    file_ = nullptr;
}

void RecordFile::abandon()
{
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
    length_ = 0;
}

}  // namespace korvan
