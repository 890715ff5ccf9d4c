// Coloured points: CURVE3 draws each point of a GRAF3 axis system as a filled
// rectangle in the colour of its Z value; SETRES, AUTRES and GETRES set and
// read the size of those rectangles.
#pragma once

#include <span>

namespace korvan {

void curve3(std::span<const float> x, std::span<const float> y, std::span<const float> z, int n);
// The body of CURVE3 with the routine name its warnings give.
void colour_points(const char* routine, std::span<const float> x, std::span<const float> y,
                   std::span<const float> z, int n);
// Width and height of the rectangles in plot units.
void setres(int nx, int ny);
// The number of points along X and Y: the rectangles tile the axis system.
void autres(int ixdim, int iydim);
// The width and height the rectangles have now, rounded to plot units.
void getres(int& nx, int& ny);

struct ClipRect;

struct PointSize {
    double width;
    double height;
};

// The rectangle size that SETRES or AUTRES set; `unset` without either.
PointSize coloured_point_size(PointSize unset);

// The rectangle of a coloured point centred on plot point (px, py), cut to
// clip, filled in the colour of z (the current colour is left selected).
void fill_coloured_point(double px, double py, PointSize size, const ClipRect& clip, double z);

}  // namespace korvan
