// Drawing on a cairo context in points: the part of the PDF and PNG canvases
// that does not depend on the surface.
#pragma once

#include <span>

#include "plot/devices/paper_canvas.hpp"

typedef struct _cairo cairo_t;

namespace korvan {

// Rectangle fills may be drawn without anti-aliasing, so that neighbouring
// cells of a raster meet without a lighter seam.
void cairo_stroke_path(cairo_t* cr, std::span<const PaperPoint> path, PaperColour colour, double width);
void cairo_fill_rect(cairo_t* cr, double x, double y, double w, double h, PaperColour colour, bool sharp_edges);
void cairo_draw_text(cairo_t* cr, const PaperText& text);
void cairo_draw_image(cairo_t* cr, const PaperImage& image);

}  // namespace korvan
