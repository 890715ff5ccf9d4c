// Lines in the 3-D box of GRAF3D: curves through user points, a pen moved and
// drawn in user coordinates, and the box's edges.
#pragma once

#include <span>

namespace korvan {

// A polyline through n user points (x, y, z) in the current line style and
// curve thickness; points that are not numbers lift the pen.
void curv3d(std::span<const float> x, std::span<const float> y, std::span<const float> z, int n);
// Moves the pen to a user point; CONN3D draws from there to the next one.
void strt3d(double x, double y, double z);
void conn3d(double x, double y, double z);
// The twelve edges of the box.
void box3d();

}  // namespace korvan
