// The bitmap dump of a raster: an 80-byte text header naming the size, then
// the rows, top row first, each padded to the raster's row length.
//
//   0   "!Bitmap KORVAN VIRT "
//   20  "%5d %5d %5d %5d %5d %5d %5d %5d %5d": width, height, 8, row length,
//       8, 32, 0, 1, 0  (the last two: pixels are colour indices, no offset)
//   73  seven blanks
//   80  row length x height bytes
//
// Dumps of screen windows share the header form; their eighth number is 0 and
// the ninth the offset b of their stored values, which read back as colour
// indices 0 (for b) and 2 (v - b) - 1 otherwise.
#pragma once

#include <string>

#include "plot/kernel/raster.hpp"

namespace korvan {

inline constexpr int dump_header_size = 80;

enum class DumpStatus { ok, cannot_open, bad_format, no_memory };

// The 80-byte header of a raster dump.
std::string raster_dump_header(int width, int height, int row_length);

// Writes the raster as a dump. Returns 0, or the error number of the failure.
int write_raster_dump(const std::string& path, const Raster& raster);

// Loads a dump into the raster. A dump of another size fills the common rows,
// each with as many bytes as both rows hold; the rest keeps its contents. A
// file that is not a dump of 8-bit pixels, or that is shorter than its header
// says, is bad_format and leaves the raster unchanged.
DumpStatus read_raster_dump(const std::string& path, Raster& raster);

// The colour index of a value v stored in a screen dump with offset b.
int dump_stored_to_index(int v, long b);

}  // namespace korvan
