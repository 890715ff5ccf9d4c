#include "plat/answer_line.hpp"

#include <unistd.h>

#include "plat/line_reader.hpp"

namespace korvan::plat {

bool read_answer_line(std::FILE* in, std::FILE* out, std::string_view prompt, std::string& line)
{
    std::fwrite(prompt.data(), 1, prompt.size(), out);
    std::fflush(out);
    LineReader::Status status = read_typed_line(in, line);
    if (status == LineReader::Status::refused) {
        std::fputs(typed_line_refusal().c_str(), out);
        return false;
    }
    if (isatty(fileno(in)) == 0) {
        // Keeps the transcript readable; at the end of input the line ends too.
        std::fwrite(line.data(), 1, line.size(), out);
        std::fputc('\n', out);
        std::fflush(out);
    }
    return status == LineReader::Status::line;
}

}  // namespace korvan::plat
