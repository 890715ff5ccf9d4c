// The PDF format: every page of the plot is a page of one file, drawn with
// cairo as vector paths and real text.
#include <cairo-pdf.h>
#include <cairo.h>

#include <cerrno>

#include "plat/written_file.hpp"
#include "plot/devices/cairo_drawing.hpp"
#include "plot/devices/paper_canvas.hpp"
#include "plot/devices/paper_device.hpp"
#include "plot/kernel/device.hpp"

namespace korvan {

namespace {

// cairo writes the document through this, so that a failed write is known
// with its reason (cairo's own file output does not report every one).
cairo_status_t write_to_file(void* closure, const unsigned char* data, unsigned int length)
{
    return static_cast<plat::WrittenFile*>(closure)->write(data, length) ? CAIRO_STATUS_SUCCESS
                                                                          : CAIRO_STATUS_WRITE_ERROR;
}

class PdfCanvas final : public PaperCanvas {
public:
    ~PdfCanvas() override { release(); }

    bool one_file() const override { return true; }
    bool begin_page(const std::string& file, double width, double height, double unit) override
    {
        unit_ = unit;
        cover_ = seam_cover / unit;
        if (surface_ == nullptr) {
            if (!file_.create(file)) {
                errno = file_.error();
                return false;
            }
            surface_ = cairo_pdf_surface_create_for_stream(write_to_file, &file_, width * unit, height * unit);
            cairo_pdf_surface_set_metadata(surface_, CAIRO_PDF_METADATA_CREATOR, "KORVAN");
            cr_ = cairo_create(surface_);
            if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
                release();
                return false;
            }
        } else {
            cairo_pdf_surface_set_size(surface_, width * unit, height * unit);
        }
        return true;
    }
    void stroke(std::span<const PaperPoint> path, PaperColour colour, double width, const LineShape& shape) override
    {
        cairo_stroke_path(cr_, unit_, path, colour, width, shape);
    }
    void fill_rect(double x, double y, double w, double h, PaperColour colour) override
    {
        cairo_fill_rect(cr_, unit_, x, y, w, h, colour, cover_);
    }
    void fill_polygon(std::span<const PaperPoint> corners, PaperColour colour) override
    {
        cairo_fill_polygon(cr_, unit_, corners, colour, cover_);
    }
    void text(const PaperText& text) override { cairo_draw_text(cr_, unit_, text); }
    void image(const PaperImage& image) override { cairo_draw_image(cr_, unit_, image); }
    bool end_page() override
    {
        if (cr_ == nullptr)
            return false;
        cairo_show_page(cr_);
        return cairo_status(cr_) == CAIRO_STATUS_SUCCESS;
    }
    bool finish() override
    {
        if (surface_ == nullptr)
            return false;
        cairo_surface_finish(surface_);
        bool ok = cairo_surface_status(surface_) == CAIRO_STATUS_SUCCESS && cairo_status(cr_) == CAIRO_STATUS_SUCCESS;
        release();
        const int error = file_.close();
        errno = error != 0 ? error : (ok ? 0 : EIO);
        return errno == 0;
    }

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

    plat::WrittenFile file_;  // outlives the surface, which writes into it
    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;
    double unit_ = 1;   // points of a page unit
    double cover_ = 0;  // the outline of filled areas in units
};

}  // namespace

std::unique_ptr<PaperCanvas> make_pdf_canvas() { return std::make_unique<PdfCanvas>(); }

std::unique_ptr<Device> make_pdf_device() { return make_paper_device(make_pdf_canvas()); }

}  // namespace korvan
