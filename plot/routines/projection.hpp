// The perspective projection of the 3-D box: user coordinates to box
// coordinates (box centre at the origin), box coordinates to plot coordinates
// seen from the viewpoint.
#pragma once

#include <array>

namespace korvan {

struct ShadingAttributes;

using BoxPoint = std::array<double, 3>;

// Sets up the view from `eye` (box coordinates) at the box centre, placed with
// its centre at (cx, cy) on the page and `scale` plot units per box unit.
void set_projection(ShadingAttributes& a, const BoxPoint& eye, double cx, double cy, double scale);

// A user value of axis k (0 X, 1 Y, 2 Z) in box units.
double user_to_box(const ShadingAttributes& a, int k, double v);

// The plot point of a box point; false when it lies at or behind the eye
// (the point is then pushed just in front of it).
bool box_to_plot(const ShadingAttributes& a, const BoxPoint& p, double& x, double& y);

// The projection of the box points origin + s * u + t * v as a projective map
// of (s, t): rows giving x * w, y * w and w as m[r][0] s + m[r][1] t + m[r][2],
// where (x, y) is the plot point box_to_plot gives.
std::array<std::array<double, 3>, 3> plane_projection(const ShadingAttributes& a, const BoxPoint& origin,
                                                      const BoxPoint& u, const BoxPoint& v);

// The distance of a box point from the viewpoint.
double eye_distance(const ShadingAttributes& a, const BoxPoint& p);

}  // namespace korvan
