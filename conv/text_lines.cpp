#include "conv/text_lines.hpp"

#include <sstream>

namespace korvan::conv {

bool read_text_line(plat::LineReader& lines, std::string& line, std::size_t limit)
{
    if (lines.next(line, limit) != plat::LineReader::Status::line)
        return false;
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return true;
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
