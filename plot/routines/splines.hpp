// Spline interpolation: SPLINE, SPLMOD and the spline of CURVE's "SPLI" and
// "PSPL" modes (B-splines through the points, de Boor's interpolation).
#pragma once

#include <span>
#include <vector>

namespace korvan {

void spline(std::span<const float> x, std::span<const float> y, int n, std::span<float> xs, std::span<float> ys,
            int& nspl);
void splmod(int ngrad, int npts);

// The interpolated points of n data points with the spline settings of the
// plot state (degree, number of points, chord-length form for "PSPL", log
// spacing on a log X axis when log_x). Warnings 31, 32, 38 and 53 under the
// current routine name; false then, and the outputs are empty.
bool spline_points(std::span<const double> x, std::span<const double> y, bool parametric, bool log_x,
                   std::vector<double>& xs, std::vector<double>& ys);

}  // namespace korvan
