// Drawing on a cairo context in points: the part of the PDF and PNG canvases
// that does not depend on the surface.
#pragma once

#include <span>

#include "plot/devices/paper_canvas.hpp"

typedef struct _cairo cairo_t;

namespace korvan {

void cairo_stroke_path(cairo_t* cr, std::span<const PaperPoint> path, PaperColour colour, double width);
// Filled areas, on a picture (PNG: without smoothing, rectangles on whole
// pixels) or on a vector page (PDF: with an outline of seam_cover points in
// the fill colour), so that neighbouring areas meet without a seam.
void cairo_fill_rect(cairo_t* cr, double x, double y, double w, double h, PaperColour colour, bool picture);
void cairo_fill_polygon(cairo_t* cr, std::span<const PaperPoint> corners, PaperColour colour, bool picture);
void cairo_draw_text(cairo_t* cr, const PaperText& text);
void cairo_draw_image(cairo_t* cr, const PaperImage& image);

}  // namespace korvan
