// Pixel access: IMGINI and IMGFIN, and the routines that write and read
// pixels, blocks and rows between them.
#include <cstdint>
#include <span>

#include "plot/kernel/images.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/pixel_target.hpp"
#include "plot/kernel/raster_device.hpp"

namespace korvan {

namespace {

// The soft level check and pixel access begun; false after the warning.
bool pixel_routine(const char* routine)
{
    soft_level_check(routine);
    if (!state().image.pixel_access) {
        warning(55);
        return false;
    }
    return true;
}

// A block size: no dimension below 0, and no more values than the array holds.
bool block_fits(std::size_t values, int nw, int nh)
{
    if (range_check(nw, 0, -1) || range_check(nh, 0, -1))
        return false;
    if (static_cast<std::uint64_t>(nw) * static_cast<std::uint64_t>(nh) > values) {
        warning(2);
        return false;
    }
    return true;
}

}  // namespace

bool pixels_refused_on_plane()
{
    if (!state().plane.active)
        return false;
    set_warning_text("Pixels cannot be drawn on the plane of grfini");
    warning(warning_pixels_on_plane);
    return true;
}

void imgini()
{
    soft_level_check("imgini");
    PlotState& s = state();
    if (s.image.pixel_access) {
        warning(54);
        return;
    }
    if (s.device_code > 100 && !is_image_device(s.device_code) && PixelTarget::of_plot().none()) {
        warning(40);
        return;
    }
    if (!PixelTarget::of_plot().begin()) {
        warning(53);
        return;
    }
    s.image.pixel_access = true;
}

void imgfin()
{
    soft_level_check("imgfin");
    PlotState& s = state();
    if (!s.image.pixel_access) {
        warning(55);
        return;
    }
    PixelTarget::of_plot().end();
    s.image.pixel_access = false;
}

void end_image_access()
{
    PlotState& s = state();
    if (!s.image.pixel_access)
        return;
    PixelTarget::of_plot().end();
    s.image.pixel_access = false;
}

void wpixel(int ix, int iy, int iclr)
{
    if (!pixel_routine("wpixel") || pixels_refused_on_plane() || range_check(iclr, 0, 255))
        return;
    PixelTarget::of_plot().write_pixel(ix, iy, iclr);
}

void rpixel(int ix, int iy, int& iclr)
{
    if (!pixel_routine("rpixel"))
        return;
    const int value = PixelTarget::of_plot().read_pixel(ix, iy);
    if (value < 0) {
        warning(58);
        return;
    }
    iclr = value;
}

void wpixls(std::span<const std::uint8_t> values, int ix, int iy, int nw, int nh)
{
    if (!pixel_routine("wpixls") || pixels_refused_on_plane() || !block_fits(values.size(), nw, nh))
        return;
    PixelTarget::of_plot().write_block(values.data(), ix, iy, nw, nh);
}

void rpixls(std::span<std::uint8_t> values, int ix, int iy, int nw, int nh)
{
    if (!pixel_routine("rpixls") || !block_fits(values.size(), nw, nh))
        return;
    PixelTarget::of_plot().read_block(values.data(), ix, iy, nw, nh);
}

void wpxrow(std::span<const std::uint8_t> values, int ix, int iy, int n)
{
    if (!pixel_routine("wpxrow") || pixels_refused_on_plane() || !block_fits(values.size(), n, 1))
        return;
    PixelTarget::of_plot().write_block(values.data(), ix, iy, n, 1);
}

void rpxrow(std::span<std::uint8_t> values, int ix, int iy, int n)
{
    if (!pixel_routine("rpxrow") || !block_fits(values.size(), n, 1))
        return;
    PixelTarget::of_plot().read_block(values.data(), ix, iy, n, 1);
}

}  // namespace korvan
