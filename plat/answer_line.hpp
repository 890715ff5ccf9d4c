// Questions answered on a terminal or through a pipe: the prompt is written,
// one line is read, and when the input is no terminal the line is echoed so
// that the output reads like a typed session.
#pragma once

#include <cstdio>
#include <string>
#include <string_view>

namespace korvan::plat {

// Writes the prompt and reads one line (without its line end and anything
// from a carriage return on). Returns false at the end of input.
bool read_answer_line(std::FILE* in, std::FILE* out, std::string_view prompt, std::string& line);

}  // namespace korvan::plat
