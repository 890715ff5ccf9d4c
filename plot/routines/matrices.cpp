#include "plot/routines/matrices.hpp"

#include <cmath>
#include <cstddef>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

namespace {

// The fraction of the way along an axis of point k of count points.
double fraction(long k, long count) { return count > 1 ? static_cast<double>(k) / static_cast<double>(count - 1) : 0; }

// Bilinear interpolation in the cell with corner values z00 (i, j), z10
// (i + 1, j), z01 (i, j + 1) and z11 at fractions u along i and v along j.
double bilinear(double z00, double z10, double z01, double z11, double u, double v)
{
    return (1 - u) * (1 - v) * z00 + u * (1 - v) * z10 + (1 - u) * v * z01 + u * v * z11;
}

}  // namespace

std::vector<float> spread_over_axis(const AxisTransform& t, int n)
{
    std::vector<float> values(static_cast<std::size_t>(std::max(n, 0)));
    for (int k = 0; k < n; ++k) {
        double v = t.start + fraction(k, n) * (t.end - t.start);
        values[static_cast<std::size_t>(k)] = static_cast<float>(t.log ? std::pow(10.0, v) : v);
    }
    return values;
}

void conmat(std::span<const float> z, int n, int m, double zlev)
{
    if (level_check(2, 3, "conmat"))
        return;
    if (!grid_points_fit(n, m))
        return;
    const PlotState& s = state();
    contour_of_grid(spread_over_axis(s.axes.transform[0], n), n, spread_over_axis(s.axes.transform[1], m), m, z,
                    zlev);
}

void crvmat(std::span<const float> z, int n, int m, int ixpts, int iypts)
{
    if (level_check(3, 3, "crvmat"))
        return;
    PlotState& s = state();
    if (s.shading.system != 1) {
        warning(35);
        return;
    }
    if (range_check(n, 2, 0) || range_check(m, 2, 0))
        return;
    if (static_cast<unsigned long long>(n) * static_cast<unsigned long long>(m) > z.size()) {
        warning(2);
        return;
    }
    // No finer than one point per plot unit along each axis.
    if (range_check(ixpts, 1, std::max(1, s.axes.nxl / (n - 1))) ||
        range_check(iypts, 1, std::max(1, s.axes.nyl / (m - 1))))
        return;
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];
    // The points in plot coordinates: evenly from the start to the end of each axis.
    long columns = static_cast<long>(n - 1) * ixpts + 1;
    long rows = static_cast<long>(m - 1) * iypts + 1;
    double width = tx.factor * (tx.end - tx.start);
    double height = ty.factor * (ty.end - ty.start);
    PointSize size = coloured_point_size(
        {std::fabs(width) / static_cast<double>(columns - 1), std::fabs(height) / static_cast<double>(rows - 1)});
    ClipRect clip = axis_clip_rect();
    int colour = s.current_colour;
    auto zv = [&](long i, long j) {
        return static_cast<double>(z[static_cast<std::size_t>(i) * static_cast<std::size_t>(m) +
                                     static_cast<std::size_t>(j)]);
    };
    for (long c = 0; c < columns; ++c) {
        long i = std::min(c / ixpts, static_cast<long>(n - 2));
        double u = static_cast<double>(c - i * ixpts) / ixpts;
        double px = tx.origin + fraction(c, columns) * width;
        for (long r = 0; r < rows; ++r) {
            long j = std::min(r / iypts, static_cast<long>(m - 2));
            double v = static_cast<double>(r - j * iypts) / iypts;
            double value = bilinear(zv(i, j), zv(i + 1, j), zv(i, j + 1), zv(i + 1, j + 1), u, v);
            fill_coloured_point(px, ty.origin - fraction(r, rows) * height, size, clip, value);
        }
    }
    if (s.current_colour != colour)
        select_colour(colour);
}

void mdfmat(int niter, int nstep, double weight)
{
    soft_level_check("mdfmat");
    if (range_check(niter, 1, 0) || range_check(nstep, 1, 0))
        return;
    if (!(weight >= 0) || !std::isfinite(weight)) {
        warning(2);
        return;
    }
    ShadingAttributes& a = state().shading;
    a.matrix_iterations = niter;
    a.matrix_step = nstep;
    a.matrix_weight = weight;
}

}  // namespace korvan
