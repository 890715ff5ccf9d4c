// GRFINI and GRFFIN: the plane transformation of the page.
#include "plot/routines/planes3d.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/member_copy.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/projection.hpp"

namespace korvan {

namespace {

BoxPoint user_box_point(const ShadingAttributes& a, double x, double y, double z)
{
    return {user_to_box(a, 0, x), user_to_box(a, 1, y), user_to_box(a, 2, z)};
}

bool finite(const BoxPoint& p) { return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(p[2]); }

BoxPoint minus(const BoxPoint& p, const BoxPoint& q) { return {p[0] - q[0], p[1] - q[1], p[2] - q[2]}; }

// The plane spanned by u and v is no plane when they are (nearly) parallel.
bool spans_plane(const BoxPoint& u, const BoxPoint& v)
{
    double cx = u[1] * v[2] - u[2] * v[1];
    double cy = u[2] * v[0] - u[0] * v[2];
    double cz = u[0] * v[1] - u[1] * v[0];
    double area = std::sqrt(cx * cx + cy * cy + cz * cz);
    double lengths = std::sqrt(u[0] * u[0] + u[1] * u[1] + u[2] * u[2]) *
                     std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    return area > 1e-9 * lengths && lengths > 0;
}

}  // namespace

void grfini(double x1, double y1, double z1, double x2, double y2, double z2, double x3, double y3, double z3)
{
    if (!box_system_ready("grfini"))
        return;
    PlotState& s = state();
    const ShadingAttributes& a = s.shading;
    BoxPoint p1 = user_box_point(a, x1, y1, z1);
    BoxPoint p2 = user_box_point(a, x2, y2, z2);
    BoxPoint p3 = user_box_point(a, x3, y3, z3);
    BoxPoint u = minus(p2, p1);  // along the bottom of the rectangle
    BoxPoint v = minus(p3, p2);  // up its right side
    if (!finite(p1) || !finite(p2) || !finite(p3) || !spans_plane(u, v)) {
        warning(2);
        return;
    }
    // Page point (px, py) of the rectangle to plane coordinates (s, t), each
    // running from 0 to 1, then onto the plane and through the view.
    AxisRectangle r = next_axis_rectangle(s);
    double width = std::max(r.nxl - 1, 1);
    double height = std::max(r.nyl - 1, 1);
    const double to_plane[3][3] = {{1 / width, 0, -r.nxa / width}, {0, -1 / height, r.nya / height}, {0, 0, 1}};
    std::array<std::array<double, 3>, 3> view = plane_projection(a, p1, u, v);
    PlaneTransform plane;
    plane.active = true;
    for (std::size_t i = 0; i < 3; ++i)
        for (std::size_t j = 0; j < 3; ++j)
            plane.m[i][j] = view[i][0] * to_plane[0][j] + view[i][1] * to_plane[1][j] + view[i][2] * to_plane[2][j];
    flush_pending();  // what is drawn so far stays on the page
    s.plane = plane;
    s.plane_kept_axes = s.axes;
    s.plane_kept_shading = s.shading;
    s.level = 1;
}

void grffin()
{
    if (level_check(1, 1, "grffin"))
        return;
    PlotState& s = state();
    if (!s.plane.active) {
        warning(34);
        return;
    }
    flush_pending();
    s.plane = PlaneTransform{};
    // The box system as GRFINI left it; the settings made meanwhile stay.
    using A = AxisAttributes;
    copy_members(s.axes, s.plane_kept_axes, &A::transform, &A::graf_x, &A::graf_y, &A::graf_z, &A::nxa, &A::nya,
                 &A::nxl, &A::nyl, &A::cross_x, &A::cross_y, &A::curve_count);
    using S = ShadingAttributes;
    copy_members(s.shading, s.plane_kept_shading, &S::system, &S::z, &S::box_axis, &S::eye, &S::right, &S::up,
                 &S::eye_distance, &S::centre_x, &S::centre_y, &S::scale, &S::contour_count);
    set_colour_scaling(s.axes.graf_z[0], s.axes.graf_z[1], s.shading.z.log);
    s.level = 3;
}

}  // namespace korvan
