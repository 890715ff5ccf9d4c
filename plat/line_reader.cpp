#include "plat/line_reader.hpp"

namespace korvan::plat {

LineReader::Status LineReader::next(std::string& line, std::size_t keep)
{
    line.clear();
    if (refused_)
        return Status::refused;
    // The stream belongs to this thread alone while a line is read: the
    // unlocked reads take each character straight from its buffer.
    int c = getc_unlocked(file_);
    if (c == EOF)
        return Status::end_of_file;
    ++number_;
    // Characters are gathered in a small buffer and stored a run at a time.
    char run[256];
    std::size_t held = 0;
    std::size_t length = 0;
    while (c != EOF && c != static_cast<unsigned char>(end_)) {
        if (length == bound_) {
            line.append(run, held);
            refused_ = true;
            return Status::refused;
        }
        if (length < keep) {
            if (held == sizeof run) {
                line.append(run, held);
                held = 0;
            }
            run[held++] = static_cast<char>(c);
        }
        ++length;
        c = getc_unlocked(file_);
    }
    line.append(run, held);
    return Status::line;
}

std::string LineReader::refusal(const std::string& what) const
{
    return what + " " + std::to_string(number_) + " is longer than " + std::to_string(bound_) +
           " characters; it and the rest of the file are not read";
}

LineReader::Status read_typed_line(std::FILE* in, std::string& line)
{
    LineReader::Status status = LineReader(in).next(line);
    if (auto cr = line.find('\r'); cr != std::string::npos)
        line.erase(cr);
    return status;
}

std::string typed_line_refusal()
{
    return "Input line longer than " + std::to_string(LineReader::default_bound) + " characters: input ends\n";
}

}  // namespace korvan::plat
