// The image devices: lines, fills and colours go into the raster in pixels;
// KORFIN writes the TIFF file or the dump and releases the raster.
#include "plot/kernel/raster_device.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstring>
#include <string>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/line_fill.hpp"
#include "plot/kernel/raster_dump.hpp"
#include "plot/kernel/screen_device.hpp"
#include "plot/kernel/state.hpp"
#include "plot/kernel/tiff.hpp"
#include "plot/win/driver.hpp"

namespace korvan {

namespace {

constexpr int smallest_side = 10;
constexpr int largest_side = 2000;
constexpr int default_long_side = 853;
constexpr int default_short_side = 603;

class RasterDevice final : public Device {
public:
    explicit RasterDevice(int code) : code_(code) {}

    void open() override;
    void point(double x, double y, bool draw) override;
    void colour(int index) override { colour_ = index & 0xFF; }
    void fill_rect(double x, double y, double w, double h, int index) override;
    void new_page() override {}
    void close() override;

    Raster& raster() { return raster_; }

private:
    // The pixel of a point in plot coordinates; false for a point that is no number.
    bool pixel(double x, double y, int& px, int& py) const;
    void write_file();

    int code_;
    Raster raster_;
    int colour_ = 0;
    double scale_ = 0.0;
    bool turned_ = false;
    double page_width_ = 0.0;
    double page_height_ = 0.0;
    int last_x_ = 0;
    int last_y_ = 0;
};

void RasterDevice::open()
{
    PlotState& s = state();
    const RasterSize size = virtual_device_size(s);
    if (size.bad_size)
        win::print(" >>>> Bad size of virtual device\n");
    // Without the memory the plot goes on, drawing nothing and writing no file.
    if (!raster_.create(size.width, size.height))
        win::print(" >>>> Not enough memory for virtual device\n");
    turned_ = s.page_mode == 1;
    page_width_ = s.page_width;
    page_height_ = s.page_height;
    scale_ = screen_device_scale(size.width - 1, size.height - 1);
    s.device_scale = scale_;
}

bool RasterDevice::pixel(double x, double y, int& px, int& py) const
{
    return pixel_of_point(x, y, scale_, turned_, page_width_, px, py);
}

void RasterDevice::point(double x, double y, bool draw)
{
    int px = 0;
    int py = 0;
    if (!pixel(x, y, px, py))
        return;
    if (draw)
        raster_.line(last_x_, last_y_, px, py, colour_);
    last_x_ = px;
    last_y_ = py;
}

void RasterDevice::fill_rect(double x, double y, double w, double h, int index)
{
    // The whole page is the whole raster, also beside a page that does not fill it.
    if (x <= 0 && y <= 0 && x + w >= page_width_ + 1 && y + h >= page_height_ + 1) {
        raster_.fill(0, 0, raster_.width() - 1, raster_.height() - 1, index & 0xFF);
        return;
    }
    // Other areas are filled with lines, one plot unit apart, as on paper.
    fill_rect_with_lines(x, y, w, h, index);
}

void RasterDevice::close()
{
    if (!raster_.empty() && (code_ == dev_tiff || code_ == dev_imag))
        write_file();
    raster_.release();
}

void RasterDevice::write_file()
{
    PlotState& s = state();
    const std::string name = file_version(s.output_file);
    int error = 0;
    if (code_ == dev_tiff) {
        const Raster& r = raster_;
        const auto copy_row = [&r](int y, std::uint8_t* row) {
            std::memcpy(row, r.row(y), static_cast<std::size_t>(r.width()));
        };
        error = write_tiff(name, r.width(), r.height(), s.colour_table, copy_row);
    } else {
        error = write_raster_dump(name, raster_);
    }
    s.output_file = make_absolute(name);
    if (error == ENOMEM) {
        s.output_failed = true;
        warning(53);
    } else if (error != 0) {
        plot_file_error(name, error);
    }
}

}  // namespace

std::unique_ptr<Device> make_raster_device(int device_code) { return std::make_unique<RasterDevice>(device_code); }

RasterSize virtual_device_size(const PlotState& s)
{
    RasterSize size;
    if (s.window_flag != 0) {
        const auto fits = [](int n) { return n >= smallest_side && n <= largest_side; };
        if (fits(s.window_w) && fits(s.window_h)) {
            size.width = s.window_w;
            size.height = s.window_h;
            return size;
        }
        size.bad_size = true;
    }
    const bool landscape = s.page_height < s.page_width;
    size.width = landscape ? default_long_side : default_short_side;
    size.height = landscape ? default_short_side : default_long_side;
    return size;
}

Raster* plot_raster()
{
    auto* device = dynamic_cast<RasterDevice*>(state().device.get());
    return device != nullptr && !device->raster().empty() ? &device->raster() : nullptr;
}

}  // namespace korvan
