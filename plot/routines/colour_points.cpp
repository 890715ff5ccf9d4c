// CURVE3 and the size of its rectangles. Without SETRES or AUTRES a point is
// a square as large as a symbol (HSYMBL), so that points show on every device.
#include "plot/routines/colour_points.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

namespace {

// The axis lengths AUTRES divides: those of the open axis system, otherwise
// the ones the next axis system will have.
PointSize axis_lengths(const PlotState& s)
{
    if (s.level >= 2)
        return {static_cast<double>(s.axes.nxl), static_cast<double>(s.axes.nyl)};
    return {static_cast<double>(s.axis_length_x), static_cast<double>(s.axis_length_y)};
}

PointSize point_size(const PlotState& s)
{
    double symbol = s.curves.symbol_height;
    return coloured_point_size({symbol, symbol});
}

// Non-positive values on a logarithmic axis: warning 27, as CURVE gives it.
bool log_values_fit(const AxisTransform& t, std::span<const float> v)
{
    if (t.log && std::any_of(v.begin(), v.end(), [](float u) { return u <= 0; })) {
        warning(27);
        return false;
    }
    return true;
}

}  // namespace

PointSize coloured_point_size(PointSize unset)
{
    const PlotState& s = state();
    const ShadingAttributes& a = s.shading;
    switch (a.point_size_mode) {
    case 1:
        return {static_cast<double>(a.point_x), static_cast<double>(a.point_y)};
    case 2: {
        PointSize axes = axis_lengths(s);
        return {std::max(axes.width / a.point_x, 1.0), std::max(axes.height / a.point_y, 1.0)};
    }
    default:
        return unset;
    }
}

void fill_coloured_point(double px, double py, PointSize size, const ClipRect& clip, double z)
{
    if (!std::isfinite(px) || !std::isfinite(py) || std::isnan(z))
        return;
    double x0 = std::max(px - size.width / 2, clip.x0);
    double x1 = std::min(px + size.width / 2, clip.x1 + 1);
    double y0 = std::max(py - size.height / 2, clip.y0);
    double y1 = std::min(py + size.height / 2, clip.y1 + 1);
    if (x1 <= x0 || y1 <= y0)
        return;
    int c = colour_of_value(z);
    if (c != state().current_colour)
        select_colour(c);
    fill_rectangle(x0, y0, x1 - x0, y1 - y0);
}

void curve3(std::span<const float> x, std::span<const float> y, std::span<const float> z, int n)
{
    colour_points("curve3", x, y, z, n);
}

void colour_points(const char* routine, std::span<const float> x, std::span<const float> y,
                   std::span<const float> z, int n)
{
    if (level_check(3, 3, routine))
        return;
    PlotState& s = state();
    if (s.shading.system != 1) {
        warning(35);
        return;
    }
    if (range_check(n, 1, 0))
        return;
    auto count = static_cast<std::size_t>(n);
    if (count > x.size() || count > y.size() || count > z.size()) {
        warning_int(2, n);
        return;
    }
    x = x.first(count);
    y = y.first(count);
    z = z.first(count);
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];
    bool y_fits = log_values_fit(ty, y);
    bool x_fits = log_values_fit(tx, x);
    if (!x_fits || !y_fits)
        return;
    if (s.curves.range_check && s.message_unit != 0) {
        for (std::size_t i = 0; i < count; ++i)
            if (outside_axis(x[i], tx) || outside_axis(y[i], ty))
                message_print(out_of_axis_line(x[i], y[i]));
    }

    PointSize size = point_size(s);
    ClipRect clip = axis_clip_rect();
    int colour = s.current_colour;
    for (std::size_t i = 0; i < count; ++i)
        fill_coloured_point(plot_x(tx, x[i]), plot_y(ty, y[i]), size, clip, z[i]);
    if (s.current_colour != colour)
        select_colour(colour);
}

void setres(int nx, int ny)
{
    soft_level_check("setres");
    if (range_check(nx, 1, 10000) || range_check(ny, 1, 10000))
        return;
    ShadingAttributes& a = state().shading;
    a.point_size_mode = 1;
    a.point_x = nx;
    a.point_y = ny;
}

void autres(int ixdim, int iydim)
{
    soft_level_check("autres");
    if (range_check(ixdim, 1, 0) || range_check(iydim, 1, 0))
        return;
    ShadingAttributes& a = state().shading;
    a.point_size_mode = 2;
    a.point_x = ixdim;
    a.point_y = iydim;
}

void getres(int& nx, int& ny)
{
    soft_level_check("getres");
    PointSize size = point_size(state());
    nx = static_cast<int>(std::lround(size.width));
    ny = static_cast<int>(std::lround(size.height));
}

}  // namespace korvan
