// Where the pixel and image-file routines work: the raster of an image device
// or the bitmap of the current screen window. Rows and blocks are clipped to
// the target; the screen's pixels are read and written as colour indices.
#pragma once

#include <cstdint>
#include <string>

#include "plot/kernel/raster.hpp"

namespace korvan {

class PagePicture;

class PixelTarget {
public:
    // The target of the open plot's device: its raster on an image device,
    // the current window on a screen device (codes up to 100), the picture
    // laid over the page on a paper device, else none.
    static PixelTarget of_plot();

    bool none() const { return raster_ == nullptr && !screen_; }
    bool is_screen() const { return screen_; }
    Raster* raster() const { return raster_; }
    int width() const;
    int height() const;

    // Screen pixel access (IMGINI, IMGFIN); the raster needs none. The end
    // lays what was written into a page picture over the page.
    bool begin() const;
    void end() const;
    // After a whole raster was loaded into the target.
    void loaded_all() const;

    // Pixels outside are not written; read_pixel gives -1 for them.
    void write_pixel(int x, int y, int index) const;
    int read_pixel(int x, int y) const;
    // A block of nw x nh values (rows of nw) at (x, y); reading leaves the
    // values of pixels outside as they are.
    void write_block(const std::uint8_t* values, int x, int y, int nw, int nh) const;
    void read_block(std::uint8_t* values, int x, int y, int nw, int nh) const;

private:
    Raster* raster_ = nullptr;
    PagePicture* picture_ = nullptr;
    bool screen_ = false;
};

}  // namespace korvan
