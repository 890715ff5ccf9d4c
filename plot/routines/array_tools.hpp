// Routines that work on arrays of data rather than on the page: sorting,
// frequency classes and Bezier curves through control points.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

// Sorts the first n elements of x; option "A" ascending, "D" descending.
void sortr1(std::span<float> x, int n, std::string_view option);
// Sorts the points (x, y) by x; the y values follow their x values.
void sortr2(std::span<float> x, std::span<float> y, int n, std::string_view option);
// The distinct values of x in ascending order (xh) with how often each occurs
// (yh); nh receives their number.
void histog(std::span<const float> x, int n, std::span<float> xh, std::span<float> yh, int& nh);
// nout points of the Bezier curve with the n control points (x, y).
void bezier(std::span<const float> x, std::span<const float> y, int n, std::span<float> xp, std::span<float> yp,
            int nout);

}  // namespace korvan
