// A user colour table for the converter's target: rows of red, green and blue.
#pragma once

#include <array>
#include <string>
#include <vector>

namespace korvan::conv {

inline constexpr std::size_t colour_table_rows = 256;

// Reads the rows "%f %f %f"; false with the message for a missing file or
// more than 256 rows.
bool read_colour_table(const std::string& name, std::vector<std::array<double, 3>>& rows, std::string& message);

}  // namespace korvan::conv
