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

class PdfCanvas final : public CairoCanvas {
public:
    // The surface writes into file_: it goes first.
    ~PdfCanvas() override { release(); }

    bool one_file() const override { return true; }
    bool begin_page(const std::string& file, double width, double height, double unit) override
    {
        set_units(unit, seam_cover / unit);
        if (surface_ != nullptr) {
            cairo_pdf_surface_set_size(surface_, width * unit, height * unit);
            return true;
        }
        if (!file_.create(file)) {
            errno = file_.error();
            return false;
        }
        cairo_surface_t* surface = cairo_pdf_surface_create_for_stream(write_to_file, &file_, width * unit, height * unit);
        cairo_pdf_surface_set_metadata(surface, CAIRO_PDF_METADATA_CREATOR, "KORVAN");
        return start(surface);
    }
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
    plat::WrittenFile file_;  // outlives the surface, which writes into it
};

}  // namespace

std::unique_ptr<PaperCanvas> make_pdf_canvas() { return std::make_unique<PdfCanvas>(); }

std::unique_ptr<Device> make_pdf_device() { return make_paper_device(make_pdf_canvas()); }

}  // namespace korvan
