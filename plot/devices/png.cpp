// The PNG format: every page an anti-aliased picture of its own file on white
// paper, drawn with cairo at the resolution of png_dots_per_inch.
#include <cairo.h>

#include <cmath>

#include "plot/devices/cairo_drawing.hpp"
#include "plot/devices/paper_canvas.hpp"
#include "plot/devices/paper_device.hpp"
#include "plot/kernel/device.hpp"

namespace korvan {

namespace {

// The largest side of a picture in pixels.
constexpr double largest_side = 30000.0;

class PngCanvas final : public CairoCanvas {
public:
    explicit PngCanvas(double dots_per_inch) : pixels_per_point_(dots_per_inch / 72.0) {}

    bool one_file() const override { return false; }
    bool begin_page(const std::string& file, double width, double height, double unit) override
    {
        file_ = file;
        int w = static_cast<int>(std::ceil(std::min(width * unit * pixels_per_point_, largest_side)));
        int h = static_cast<int>(std::ceil(std::min(height * unit * pixels_per_point_, largest_side)));
        if (!start(cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(w, 1), std::max(h, 1))))
            return false;
        // White paper; a test that the file can be made at all.
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_paint(cr_);
        cairo_scale(cr_, pixels_per_point_, pixels_per_point_);
        set_units(unit, 0);
        if (cairo_surface_write_to_png(surface_, file_.c_str()) != CAIRO_STATUS_SUCCESS) {
            release();
            return false;
        }
        return true;
    }
    bool end_page() override
    {
        if (surface_ == nullptr)
            return false;
        cairo_surface_flush(surface_);
        bool ok = cairo_surface_write_to_png(surface_, file_.c_str()) == CAIRO_STATUS_SUCCESS;
        release();
        return ok;
    }
    bool finish() override { return true; }

private:
    double pixels_per_point_;
    std::string file_;
};

}  // namespace

std::unique_ptr<PaperCanvas> make_png_canvas(double dots_per_inch) { return std::make_unique<PngCanvas>(dots_per_inch); }

std::unique_ptr<Device> make_png_device() { return make_paper_device(make_png_canvas(png_dots_per_inch())); }

}  // namespace korvan
