#include "conv/text_lines.hpp"

#include <sstream>

namespace korvan::conv {

bool read_text_line(std::FILE* in, std::string& line, std::size_t limit)
{
    line.clear();
    int c;
    bool any = false;
    while ((c = std::fgetc(in)) != EOF) {
        any = true;
        if (c == '\n')
            break;
        if (line.size() < limit)
            line.push_back(static_cast<char>(c));
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return any;
}

std::vector<std::string> words_of(const std::string& line)
{
    std::istringstream in(line);
    std::vector<std::string> words;
    std::string w;
    while (in >> w)
        words.push_back(w);
    return words;
}

}  // namespace korvan::conv
