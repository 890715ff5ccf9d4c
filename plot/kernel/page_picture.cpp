#include "plot/kernel/page_picture.hpp"

#include <algorithm>

#include "plot/kernel/raster_device.hpp"
#include "plot/kernel/screen_device.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

bool PagePicture::create(const PlotState& s)
{
    const RasterSize size = virtual_device_size(s);
    if (!pixels_.create(size.width, size.height) || !written_.create(size.width, size.height)) {
        pixels_.release();
        written_.release();
        return false;
    }
    scale_ = screen_device_scale(size.width - 1, size.height - 1);
    turned_ = s.page_mode == 1;
    pending_ = false;
    return true;
}

void PagePicture::mark(int x, int y, int w, int h)
{
    const int x0 = std::max(x, 0);
    const int y0 = std::max(y, 0);
    const int x1 = static_cast<int>(std::min(static_cast<long long>(x) + w, static_cast<long long>(pixels_.width())) - 1);
    const int y1 = static_cast<int>(std::min(static_cast<long long>(y) + h, static_cast<long long>(pixels_.height())) - 1);
    if (x1 < x0 || y1 < y0)
        return;
    written_.fill(x0, y0, x1, y1, 1);
    pending_ = true;
}

void PagePicture::laid()
{
    if (pending_)
        written_.clear();
    pending_ = false;
}

}  // namespace korvan
