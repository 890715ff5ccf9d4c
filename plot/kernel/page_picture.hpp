// The picture of the pixel routines on a device without pixels of its own
// (the paper formats): a raster of the virtual device's size and pixel
// mapping, and which of its pixels were written since the picture was last
// laid over the page.
#pragma once

#include "plot/kernel/raster.hpp"

namespace korvan {

struct PlotState;

class PagePicture {
public:
    // Makes the raster for the plot state (size of WINDOW or WINSIZ, or the
    // default); false without the memory.
    bool create(const PlotState& s);
    bool empty() const { return pixels_.empty(); }

    Raster& pixels() { return pixels_; }
    const Raster& pixels() const { return pixels_; }
    // Device scale of the pixels, and whether the page lies turned on them.
    double scale() const { return scale_; }
    bool turned() const { return turned_; }

    // Marks a block (clipped) or all pixels as written.
    void mark(int x, int y, int w, int h);
    void mark_all() { mark(0, 0, pixels_.width(), pixels_.height()); }
    bool pending() const { return pending_; }
    bool written(int x, int y) const { return written_.get(x, y) == 1; }
    // After the written pixels are laid over the page.
    void laid();

private:
    Raster pixels_;
    Raster written_;
    double scale_ = 0;
    bool turned_ = false;
    bool pending_ = false;
};

}  // namespace korvan
