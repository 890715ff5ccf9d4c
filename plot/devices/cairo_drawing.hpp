// Drawing on a cairo context: the part of the PDF and PNG canvases that does
// not depend on the surface. Page units are turned into the context's user
// units (points) by the factor unit here, so that a vector page holds its
// coordinates and widths as they are, without a transformation around each
// stroke.
#pragma once

#include <span>

#include "plot/devices/paper_canvas.hpp"

typedef struct _cairo cairo_t;
typedef struct _cairo_surface cairo_surface_t;

namespace korvan {

void cairo_stroke_path(cairo_t* cr, double unit, std::span<const PaperPoint> path, PaperColour colour, double width,
                       const LineShape& shape);
// Filled areas, on a picture (cover 0, PNG: without smoothing, rectangles on
// whole pixels) or on a vector page (PDF: with an outline cover units wide in
// the fill colour), so that neighbouring areas meet without a seam.
void cairo_fill_rect(cairo_t* cr, double unit, double x, double y, double w, double h, PaperColour colour, double cover);
void cairo_fill_polygon(cairo_t* cr, double unit, std::span<const PaperPoint> corners, PaperColour colour, double cover);
void cairo_draw_text(cairo_t* cr, double unit, const PaperText& text);
void cairo_draw_image(cairo_t* cr, double unit, const PaperImage& image);
// The pixels of a picture as an image surface (masked pixels transparent);
// nullptr without the memory. The caller destroys it.
cairo_surface_t* cairo_image_surface_of(const PaperImage& image);

// The canvas of the formats that cairo draws on a surface of their own (PDF,
// PNG): the context on the surface and the drawing through it. A format makes
// its surface and hands it to start.
class CairoCanvas : public PaperCanvas {
public:
    ~CairoCanvas() override { release(); }

    void stroke(std::span<const PaperPoint> path, PaperColour colour, double width, const LineShape& shape) override;
    void fill_rect(double x, double y, double w, double h, PaperColour colour) override;
    void fill_polygon(std::span<const PaperPoint> corners, PaperColour colour) override;
    void text(const PaperText& text) override;
    void image(const PaperImage& image) override;

protected:
    // Takes the surface and makes the context drawing on it; false, with
    // nothing kept, when cairo cannot.
    bool start(cairo_surface_t* surface);
    // Page units of unit points; filled areas outlined cover units wide in
    // their colour (0: pictures, filled without smoothing).
    void set_units(double unit, double cover)
    {
        unit_ = unit;
        cover_ = cover;
    }
    // Ends the context and the surface. A format whose surface writes into a
    // member of its own calls this in its destructor.
    void release();

    cairo_surface_t* surface_ = nullptr;
    cairo_t* cr_ = nullptr;

private:
    double unit_ = 1;
    double cover_ = 0;
};

}  // namespace korvan
