#include "plot/kernel/pixel_target.hpp"

#include <algorithm>
#include <cstring>

#include "plot/kernel/device.hpp"
#include "plot/kernel/page_picture.hpp"
#include "plot/kernel/raster_device.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/screen.hpp"

namespace korvan {

namespace {

const win::Bitmap* current_window_bitmap()
{
    if (!win::screen_exists())
        return nullptr;
    const win::Bitmap* b = win::screen().bitmap(win::screen().current_window());
    return b != nullptr && !b->empty() ? b : nullptr;
}

// The part of a block of nw x nh at (x, y) that lies in a w x h area: the
// first column and row inside, and the columns and rows inside.
struct Clip {
    long long x0 = 0, y0 = 0, columns = 0, rows = 0;
};

Clip clip(int x, int y, int nw, int nh, int w, int h)
{
    Clip c;
    c.x0 = std::max(0LL, -static_cast<long long>(x));
    c.y0 = std::max(0LL, -static_cast<long long>(y));
    c.columns = std::min<long long>(nw, static_cast<long long>(w) - x) - c.x0;
    c.rows = std::min<long long>(nh, static_cast<long long>(h) - y) - c.y0;
    if (c.columns <= 0 || c.rows <= 0)
        c.columns = c.rows = 0;
    return c;
}

}  // namespace

PixelTarget PixelTarget::of_plot()
{
    PixelTarget target;
    const int code = state().device_code;
    if (is_image_device(code))
        target.raster_ = plot_raster();
    else if (code <= 100)
        target.screen_ = true;
    else if (PagePicture* picture = state().device ? state().device->page_picture() : nullptr) {
        target.picture_ = picture;
        target.raster_ = &picture->pixels();
    }
    return target;
}

int PixelTarget::width() const
{
    if (raster_ != nullptr)
        return raster_->width();
    const win::Bitmap* b = screen_ ? current_window_bitmap() : nullptr;
    return b != nullptr ? b->width : 0;
}

int PixelTarget::height() const
{
    if (raster_ != nullptr)
        return raster_->height();
    const win::Bitmap* b = screen_ ? current_window_bitmap() : nullptr;
    return b != nullptr ? b->height : 0;
}

bool PixelTarget::begin() const
{
    if (raster_ != nullptr)
        return true;
    return screen_ && current_window_bitmap() != nullptr && win::begin_pixel_access();
}

void PixelTarget::end() const
{
    if (screen_ && win::screen_exists())
        win::end_pixel_access();
    if (picture_ != nullptr && state().device)
        state().device->flush();
}

void PixelTarget::loaded_all() const
{
    if (picture_ != nullptr)
        picture_->mark_all();
}

void PixelTarget::write_pixel(int x, int y, int index) const
{
    if (raster_ != nullptr) {
        raster_->set(x, y, index);
        if (picture_ != nullptr)
            picture_->mark(x, y, 1, 1);
    } else if (screen_ && win::screen_exists())
        win::write_pixel(x, y, index);
}

int PixelTarget::read_pixel(int x, int y) const
{
    if (raster_ != nullptr)
        return raster_->get(x, y);
    return screen_ && win::screen_exists() ? win::read_pixel(x, y) : -1;
}

void PixelTarget::write_block(const std::uint8_t* values, int x, int y, int nw, int nh) const
{
    const Clip c = clip(x, y, nw, nh, width(), height());
    for (long long j = c.y0; j < c.y0 + c.rows; ++j) {
        const std::uint8_t* from = values + j * nw + c.x0;
        const int row_x = static_cast<int>(x + c.x0);
        const int row_y = static_cast<int>(y + j);
        if (raster_ != nullptr)
            std::memcpy(raster_->row(row_y) + row_x, from, static_cast<std::size_t>(c.columns));
        else
            win::write_row(from, row_x, row_y, static_cast<int>(c.columns));
    }
    if (picture_ != nullptr)
        picture_->mark(static_cast<int>(x + c.x0), static_cast<int>(y + c.y0), static_cast<int>(c.columns),
                       static_cast<int>(c.rows));
}

void PixelTarget::read_block(std::uint8_t* values, int x, int y, int nw, int nh) const
{
    const Clip c = clip(x, y, nw, nh, width(), height());
    for (long long j = c.y0; j < c.y0 + c.rows; ++j) {
        std::uint8_t* to = values + j * nw + c.x0;
        const int row_x = static_cast<int>(x + c.x0);
        const int row_y = static_cast<int>(y + j);
        if (raster_ != nullptr)
            std::memcpy(to, raster_->row(row_y) + row_x, static_cast<std::size_t>(c.columns));
        else
            win::read_row(to, row_x, row_y, static_cast<int>(c.columns));
    }
}

}  // namespace korvan
