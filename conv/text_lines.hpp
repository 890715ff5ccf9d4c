// Reading plot files as text: lines and blank-separated words.
#pragma once

#include <cstdio>
#include <string>
#include <vector>

#include "plat/line_reader.hpp"

namespace korvan::conv {

// One line without its line end (and carriage return); at most `limit`
// characters are kept, the rest of a longer line is skipped. False at the end
// of the file and when the reader refused a line (lines.refused()).
bool read_text_line(plat::LineReader& lines, std::string& line, std::size_t limit = 4096);

// The blank-separated words of a line.
std::vector<std::string> words_of(const std::string& line);

}  // namespace korvan::conv
