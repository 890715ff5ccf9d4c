// Filled rectangles on devices without an area element of their own (the
// metafile, CGM, HPGL and the rasters): horizontal lines one plot unit apart,
// drawn through the vector primitive.
#pragma once

namespace korvan {

// Fills the rectangle from (x, y), w by h plot units, in colour index with
// lines on the whole plot units inside it, alternately left to right and
// right to left, cut to the clipping window; the current colour is selected
// again afterwards.
void fill_rect_with_lines(double x, double y, double w, double h, int index);

}  // namespace korvan
