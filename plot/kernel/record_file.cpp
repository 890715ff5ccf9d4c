#include "plot/kernel/record_file.hpp"

#include <cstring>

namespace korvan {

namespace {
constexpr std::size_t stream_buffer_size = 1 << 16;
}

RecordFile::~RecordFile() { abandon(); }

bool RecordFile::open(const std::string& name, bool binary)
{
    abandon();
    if (!file_.create(name, binary ? "wb" : "w"))
        return false;
    std::setvbuf(file_.stream(), nullptr, _IOFBF, stream_buffer_size);
    binary_ = binary;
    length_ = 0;
    return true;
}

void RecordFile::write_line()
{
    if (binary_) {
        file_.write(buffer_, capacity);
    } else {
        buffer_[length_] = '\n';
        file_.write(buffer_, length_ + 1);
    }
    length_ = 0;
}

void RecordFile::append(const char* text, std::size_t n)
{
    if (!file_.is_open())
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
                file_.write(text, capacity);
                file_.write("\n", 1);
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

void RecordFile::write_raw(std::string_view text) { file_.write(text); }

int RecordFile::flush_close()
{
    if (file_.is_open() && length_ > 0) {
        if (binary_) {
            std::memset(buffer_ + length_, ' ', capacity - length_);
            length_ = capacity;
        }
        write_line();
    }
    length_ = 0;
    return file_.close();
}

void RecordFile::abandon()
{
    file_ = plat::WrittenFile{};
    length_ = 0;
}

}  // namespace korvan
