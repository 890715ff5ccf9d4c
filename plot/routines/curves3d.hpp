// Lines in the 3-D box of GRAF3D: curves through user points (also on planes
// of constant X or Y), a pen moved and drawn in user coordinates, and the
// box's edges.
#pragma once

#include <span>

namespace korvan {

// A polyline through n user points (x, y, z) in the current line style and
// curve thickness; points that are not numbers lift the pen.
void curv3d(std::span<const float> x, std::span<const float> y, std::span<const float> z, int n);
// The n points (x[i], y) with their values z[i], a row of a matrix along X at
// one Y. In the GRAF3D box the values are heights: a curve through
// (x[i], y, z[i]) on the plane of constant Y, as a cut through a surface. In
// a GRAF3 axis system they are colours: rectangles as CURVE3 draws them.
void curvx3(std::span<const float> x, double y, std::span<const float> z, int n);
// The same for a column along Y at one X: the points (x, y[i]) with z[i].
void curvy3(double x, std::span<const float> y, std::span<const float> z, int n);
// Moves the pen to a user point; CONN3D draws from there to the next one.
void strt3d(double x, double y, double z);
void conn3d(double x, double y, double z);
// The twelve edges of the box.
void box3d();

}  // namespace korvan
