// Clipping of lines: the rectangle type, the cut of one segment, and the
// clipping window of the plot state (CLPWIN, CLPBOR, NOCLIP).
#pragma once

namespace korvan {

// A rectangle in plot coordinates; lines are cut to it.
struct ClipRect {
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
};

// Cuts the segment a-b to the rectangle; false when nothing is left.
bool clip_segment(const ClipRect& r, double& ax, double& ay, double& bx, double& by);

// The window for lines without a rectangle of their own; false when no window
// is set or clipping is suspended.
bool clipping_window(ClipRect& r);

}  // namespace korvan
