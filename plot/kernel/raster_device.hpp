// The image devices: TIFF (601) and IMAG (602) draw the plot into a raster
// and write it at KORFIN as a TIFF file or a bitmap dump; VIRT (603) keeps
// it in memory for the pixel routines only.
#pragma once

#include <memory>

#include "plot/kernel/device.hpp"
#include "plot/kernel/raster.hpp"

namespace korvan {

struct PlotState;

inline constexpr int dev_tiff = 601;
inline constexpr int dev_imag = 602;
inline constexpr int dev_virt = 603;

inline bool is_image_device(int code) { return code > 600 && code <= 700; }

std::unique_ptr<Device> make_raster_device(int device_code);

// The raster size for the plot state: the size of WINDOW or WINSIZ when one
// was given and lies within 10..2000 both ways, otherwise 853 x 603 for a
// landscape page and 603 x 853 for a portrait one. bad_size tells that a
// given size was refused.
struct RasterSize {
    int width = 0;
    int height = 0;
    bool bad_size = false;
};
RasterSize virtual_device_size(const PlotState& s);

// The raster of the open plot on an image device; nullptr without one.
Raster* plot_raster();

}  // namespace korvan
