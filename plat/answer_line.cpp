#include "plat/answer_line.hpp"

#include <unistd.h>

namespace korvan::plat {

bool read_answer_line(std::FILE* in, std::FILE* out, std::string_view prompt, std::string& line)
{
    std::fwrite(prompt.data(), 1, prompt.size(), out);
    std::fflush(out);
    line.clear();
    int c;
    bool got_any = false;
    while ((c = std::fgetc(in)) != EOF) {
        got_any = true;
        if (c == '\n')
            break;
        line.push_back(static_cast<char>(c));
    }
    if (auto cr = line.find('\r'); cr != std::string::npos)
        line.erase(cr);
    if (isatty(fileno(in)) == 0) {
        // Keeps the transcript readable; at the end of input the line ends too.
        std::fwrite(line.data(), 1, line.size(), out);
        std::fputc('\n', out);
        std::fflush(out);
    }
    return got_any;
}

}  // namespace korvan::plat
