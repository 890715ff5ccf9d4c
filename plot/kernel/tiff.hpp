// TIFF files of 8-bit palette images: little-endian, one IFD of 11 entries,
// no compression, one row per strip.
//
//   0     "II", 42, first IFD at 8
//   8     11 entries (tag, type, count, value or offset) and next IFD 0:
//         254 LONG 1 0, 256 SHORT 1 w, 257 SHORT 1 h, 258 SHORT 1 8,
//         259 SHORT 1 1, 262 SHORT 1 3, 273 LONG h -> 146, 277 SHORT 1 1,
//         278 SHORT 1 1, 279 SHORT h -> 146 + 4h, 320 SHORT 768 -> 146 + 6h
//   146   h strip offsets (146 + 6h + 1536, then w further each)
//         h strip byte counts (w each)
//         colour map: 256 red, 256 green, 256 blue, each component x 257
//         h rows of w bytes, top row first
//
// Where the strip tables fit into the entry itself (one offset, up to two
// counts) TIFF readers take the values from there, so such entries hold them;
// the tables at 146 stay in place.
#pragma once

#include <array>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace korvan {

enum class TiffStatus { ok, cannot_open, bad_format, no_memory };

using ColourTable = std::array<std::uint32_t, 256>;  // 0xRRGGBB

// Everything before the rows of a w x h image.
std::vector<std::uint8_t> tiff_head(int width, int height, const ColourTable& colours);

// Writes a w x h image whose rows read_row fills (w bytes each). Returns 0, or
// the error number of the failure (ENOMEM: no memory for a row).
int write_tiff(const std::string& path, int width, int height, const ColourTable& colours,
                      const std::function<void(int y, std::uint8_t* row)>& read_row);

// Reads an 8-bit palette TIFF of one IFD with 11 entries. open checks the
// whole layout against the file's size before anything is taken from it.
class TiffReader {
public:
    TiffReader() = default;
    ~TiffReader();
    TiffReader(const TiffReader&) = delete;
    TiffReader& operator=(const TiffReader&) = delete;

    TiffStatus open(const std::string& path);
    int width() const { return width_; }
    int height() const { return height_; }
    // The colour map as 0xRRGGBB (each component value / 65535 of 255).
    const ColourTable& colours() const { return colours_; }
    // Reads row y (width bytes); false when the file fails.
    bool read_row(int y, std::uint8_t* row);

private:
    std::FILE* file_ = nullptr;
    int width_ = 0;
    int height_ = 0;
    int rows_per_strip_ = 1;
    std::vector<std::uint32_t> strip_offsets_;
    ColourTable colours_{};
};

}  // namespace korvan
