// The 80-byte header of a bitmap dump, shared by the screen windows and the
// raster devices: "!Bitmap KORVAN ", a four-letter kind, nine numbers "%5d"
// (width, height, bits per pixel, row length, ...), blanks.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvan::win {

inline constexpr std::size_t dump_header_size = 80;

std::string dump_header(std::string_view kind, const std::array<long, 9>& numbers);

// The nine numbers of a header of dump_header_size bytes; false when they are
// not all there.
bool dump_header_numbers(const char* header, std::array<long, 9>& numbers);

}  // namespace korvan::win
