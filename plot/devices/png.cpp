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

class PngCanvas final : public PaperCanvas {
public:
    explicit PngCanvas(double dots_per_inch) : pixels_per_point_(dots_per_inch / 72.0) {}
    ~PngCanvas() override { release(); }

    bool one_file() const override { return false; }
    bool begin_page(const std::string& file, double width, double height, double unit) override
    {
        release();
        file_ = file;
        int w = static_cast<int>(std::ceil(std::min(width * unit * pixels_per_point_, largest_side)));
        int h = static_cast<int>(std::ceil(std::min(height * unit * pixels_per_point_, largest_side)));
        surface_ = cairo_image_surface_create(CAIRO_FORMAT_RGB24, std::max(w, 1), std::max(h, 1));
        cr_ = cairo_create(surface_);
        if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
            release();
            return false;
        }
        // White paper; a test that the file can be made at all.
        cairo_set_source_rgb(cr_, 1, 1, 1);
        cairo_paint(cr_);
        cairo_scale(cr_, pixels_per_point_, pixels_per_point_);
        unit_ = unit;
        if (cairo_surface_write_to_png(surface_, file_.c_str()) != CAIRO_STATUS_SUCCESS) {
            release();
            return false;
        }
        return true;
    }
    void stroke(std::span<const PaperPoint> path, PaperColour colour, double width, const LineShape& shape) override
    {
        cairo_stroke_path(cr_, unit_, path, colour, width, shape);
    }
    void fill_rect(double x, double y, double w, double h, PaperColour colour) override
    {
        cairo_fill_rect(cr_, unit_, x, y, w, h, colour, 0);
    }
    void fill_polygon(std::span<const PaperPoint> corners, PaperColour colour) override
    {
        cairo_fill_polygon(cr_, unit_, corners, colour, 0);
    }
    void text(const PaperText& text) override { cairo_draw_text(cr_, unit_, text); }
    void image(const PaperImage& image) override { cairo_draw_image(cr_, unit_, image); }
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
    void release()
    {
        if (cr_ != nullptr)
            cairo_destroy(cr_);
        if (surface_ != nullptr)
            cairo_surface_destroy(surface_);
        cr_ = nullptr;
        surface_ = nullptr;
    }

    double pixels_per_point_;
    double unit_ = 1;  // points of a page unit
    std::string file_;
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
};

}  // namespace

std::unique_ptr<PaperCanvas> make_png_canvas(double dots_per_inch) { return std::make_unique<PngCanvas>(dots_per_inch); }

std::unique_ptr<Device> make_png_device() { return make_paper_device(make_png_canvas(png_dots_per_inch())); }

}  // namespace korvan
