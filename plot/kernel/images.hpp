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

// Between GRFINI and GRFFIN every drawing lands on the plane of the 3-D box,
// but pixels are addressed on the raster itself and cannot follow it: the
// routines that write pixels or load pictures (WPIXEL, WPIXLS, WPXROW,
// WIMAGE, WTIFF) refuse then with warning 130 and leave the raster as it is;
// reading pixels and writing the raster to a file go on. True when refused.
bool pixels_refused_on_plane();

}  // namespace korvan
