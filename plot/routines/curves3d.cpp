#include "plot/routines/curves3d.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/projection.hpp"

namespace korvan {

namespace {

// The pen of STRT3D and CONN3D, in plot coordinates.
struct Pen3d {
    bool placed = false;
    FillPoint at{0, 0};
};

Pen3d& pen3d()
{
    static Pen3d pen;
    return pen;
}

// The plot point of a user point of the box; false when it is no number.
bool box_plot_point(double x, double y, double z, FillPoint& p)
{
    const ShadingAttributes& a = state().shading;
    BoxPoint b{user_to_box(a, 0, x), user_to_box(a, 1, y), user_to_box(a, 2, z)};
    if (!std::isfinite(b[0]) || !std::isfinite(b[1]) || !std::isfinite(b[2]))
        return false;
    box_to_plot(a, b, p.x, p.y);
    return std::isfinite(p.x) && std::isfinite(p.y);
}

void draw(const std::vector<LinePath>& paths) { draw_paths(paths, state().curves.thickness, nullptr); }

// A polyline through the n user points point(i); warning 2 when the arrays
// hold fewer than n points.
template <typename Point>
void box_curve(const char* routine, int n, std::size_t available, Point point)
{
    if (!box_system_ready(routine))
        return;
    auto count = static_cast<std::size_t>(n);
    if (n < 1 || count > available) {
        warning_int(2, n);
        return;
    }
    std::vector<LinePath> pieces(1);
    for (std::size_t i = 0; i < count; ++i) {
        FillPoint p;
        BoxPoint u = point(i);
        if (box_plot_point(u[0], u[1], u[2], p)) {
            pieces.back().push_back(p);
        } else if (!pieces.back().empty()) {
            pieces.emplace_back();
        }
    }
    draw(pieces);
}

}  // namespace

void curv3d(std::span<const float> x, std::span<const float> y, std::span<const float> z, int n)
{
    box_curve("curv3d", n, std::min({x.size(), y.size(), z.size()}),
              [&](std::size_t i) { return BoxPoint{x[i], y[i], z[i]}; });
}

namespace {
// In a GRAF3 colour axis system the points are coloured rectangles as CURVE3
// draws them.
bool in_colour_system() { return state().level == 3 && state().shading.system == 1; }

// The constant coordinate once for each of the n points the arrays hold.
std::vector<float> repeated(double value, int n, std::size_t available)
{
    return std::vector<float>(std::min(static_cast<std::size_t>(std::max(n, 0)), available),
                              static_cast<float>(value));
}
}  // namespace

void curvx3(std::span<const float> x, double y, std::span<const float> z, int n)
{
    if (in_colour_system()) {
        colour_points("curvx3", x, repeated(y, n, x.size()), z, n);
        return;
    }
    box_curve("curvx3", n, std::min(x.size(), z.size()), [&](std::size_t i) { return BoxPoint{x[i], y, z[i]}; });
}

void curvy3(double x, std::span<const float> y, std::span<const float> z, int n)
{
    if (in_colour_system()) {
        colour_points("curvy3", repeated(x, n, y.size()), y, z, n);
        return;
    }
    box_curve("curvy3", n, std::min(y.size(), z.size()), [&](std::size_t i) { return BoxPoint{x, y[i], z[i]}; });
}

void strt3d(double x, double y, double z)
{
    if (!box_system_ready("strt3d"))
        return;
    Pen3d& pen = pen3d();
    pen.placed = box_plot_point(x, y, z, pen.at);
}

void conn3d(double x, double y, double z)
{
    if (!box_system_ready("conn3d"))
        return;
    Pen3d& pen = pen3d();
    FillPoint p;
    if (!box_plot_point(x, y, z, p)) {
        pen.placed = false;
        return;
    }
    if (pen.placed)
        draw({{pen.at, p}});
    pen = {true, p};
}

void box3d()
{
    if (!box_system_ready("box3d"))
        return;
    const ShadingAttributes& a = state().shading;
    auto corner = [&](int i) {
        BoxPoint b{(i & 1 ? 0.5 : -0.5) * a.box[0], (i & 2 ? 0.5 : -0.5) * a.box[1], (i & 4 ? 0.5 : -0.5) * a.box[2]};
        FillPoint p;
        box_to_plot(a, b, p.x, p.y);
        return p;
    };
    // Edges join corners that differ in one coordinate.
    std::vector<LinePath> edges;
    for (int i = 0; i < 8; ++i)
        for (int bit : {1, 2, 4})
            if ((i & bit) == 0)
                edges.push_back({corner(i), corner(i | bit)});
    draw_paths(edges, 1, nullptr);
}

}  // namespace korvan
