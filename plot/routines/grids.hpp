// Grid lines in the open axis system.
#pragma once

#include <string_view>

namespace korvan {

// ix grid lines per label interval of the X axis (0: none), iy of the Y axis.
// On a logarithmic axis whose labels stand at every decade, 1 gives a line
// at every decade and 2 or more adds lines at 2 to 9 times each power of ten.
void grid(int ix, int iy);
// A polar grid around the middle of the axis system, as for polar plots and
// azimuthal maps: nx radial lines, one every 360/nx degrees starting at 0
// (the positive x direction), and ny circles at equal steps, the largest
// touching the nearer sides of the axis system (0 leaves either out).
void grdpol(int nx, int ny);
// Grid lines on the planes of the GRAF3D box that lie behind its contents as
// seen from the viewpoint: "BOTTOM" the X-Y plane (the bottom when the box
// is seen from above), "BACK" the X-Z plane on the far Y side, "SIDE" the Y-Z
// plane on the far X side, "ALL" all three. ix lines per label interval of
// the X and Y axes, iy of the Z axis (0 leaves them out), counted as GRID
// does; the lines cross their plane from edge to edge.
void grid3d(int ix, int iy, std::string_view option);

}  // namespace korvan
