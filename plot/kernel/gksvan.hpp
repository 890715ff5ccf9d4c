// The GKSVAN metafile: fields of ten characters, "%10.7f".
#pragma once

#include <cstddef>

namespace korvan {

// Room for any double in "%10.7f" with its terminator.
inline constexpr std::size_t gksvan_field_room = 330;

// Formats value exactly as "%10.7f" into out (gksvan_field_room bytes); returns the length.
std::size_t gksvan_field(double value, char* out);

// Field values of the metafile.
inline constexpr double gksvan_draw = 2.0;
inline constexpr double gksvan_move = 3.0;
inline constexpr double gksvan_end = 9.0;

}  // namespace korvan
