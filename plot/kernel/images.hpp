// The image routines: pixel access to the raster of an image device or to the
// current screen window (IMGINI ... IMGFIN), and reading and writing them as
// bitmap dumps (RIMAGE, WIMAGE) and TIFF files (RTIFF, WTIFF), with the
// position and part of a TIFF image that WTIFF loads (TIFORG, TIFWIN).
#pragma once

#include <cstdint>
#include <span>
#include <string_view>

namespace korvan {

void imgini();
void imgfin();
void wpixel(int ix, int iy, int iclr);
void rpixel(int ix, int iy, int& iclr);
void wpixls(std::span<const std::uint8_t> values, int ix, int iy, int nw, int nh);
void rpixls(std::span<std::uint8_t> values, int ix, int iy, int nw, int nh);
void wpxrow(std::span<const std::uint8_t> values, int ix, int iy, int n);
void rpxrow(std::span<std::uint8_t> values, int ix, int iy, int n);

void rimage(std::string_view file);
void wimage(std::string_view file);
void rtiff(std::string_view file);
void wtiff(std::string_view file);
void tiforg(int nx, int ny);
void tifwin(int nx, int ny, int nw, int nh);

// Ends pixel access left open when the plot ends (KORFIN).
void end_image_access();

}  // namespace korvan
