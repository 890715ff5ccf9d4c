#include "plot/routines/grids.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/projection.hpp"

namespace korvan {

namespace {

// More lines than this per axis are not drawn: they would fill the axis system.
constexpr double grid_line_limit = 10000;

// The positions, in scaling units, of the grid lines of one axis.
std::vector<double> grid_positions(const AxisTransform& t, int per_interval)
{
    std::vector<double> positions;
    double low = std::min(t.start, t.end);
    double high = std::max(t.start, t.end);
    double slack = (high - low) * 1e-9;
    double step = std::fabs(t.step);
    if (per_interval <= 0 || !(step > 0) || !(high > low))
        return positions;
    bool decades = t.log && std::fabs(step - 1) < 1e-6;
    if (decades && per_interval >= 2) {
        for (double d = std::floor(low); d <= high + slack && positions.size() < grid_line_limit; d += 1)
            for (int m = 1; m <= 9; ++m) {
                double v = d + std::log10(static_cast<double>(m));
                if (v >= low - slack && v <= high + slack)
                    positions.push_back(v);
            }
        return positions;
    }
    double spacing = step / per_interval;
    double k0 = std::ceil((low - t.first_label) / spacing - 1e-9);
    double k1 = std::floor((high - t.first_label) / spacing + 1e-9);
    if (!(k1 - k0 < grid_line_limit))
        return positions;
    for (double k = k0; k <= k1; k += 1)
        positions.push_back(t.first_label + k * spacing);
    return positions;
}

// Circles are drawn with segments about this long (plot units).
constexpr double circle_segment = 10;
constexpr int circle_segment_limit = 1000;

}  // namespace

void grdpol(int nx, int ny)
{
    if (level_check(2, 3, "grdpol"))
        return;
    if (range_check(nx, 0, 3600) || range_check(ny, 0, 1000))
        return;
    ClipRect box = axis_clip_rect();
    double cx = (box.x0 + box.x1) / 2;
    double cy = (box.y0 + box.y1) / 2;
    double radius = std::min(box.x1 - box.x0, box.y1 - box.y0) / 2;
    std::vector<LinePath> lines;
    for (int k = 0; k < nx; ++k) {
        double a = 2 * M_PI * k / nx;
        lines.push_back({{cx, cy}, {cx + radius * std::cos(a), cy - radius * std::sin(a)}});
    }
    for (int k = 1; k <= ny; ++k) {
        double r = radius * k / ny;
        int segments = std::clamp(static_cast<int>(std::ceil(2 * M_PI * r / circle_segment)), 8, circle_segment_limit);
        LinePath circle;
        for (int i = 0; i <= segments; ++i) {
            double a = 2 * M_PI * i / segments;
            circle.push_back({cx + r * std::cos(a), cy - r * std::sin(a)});
        }
        lines.push_back(std::move(circle));
    }
    draw_paths(lines, 1, &box);
}

void grid3d(int ix, int iy, std::string_view option)
{
    if (!box_system_ready("grid3d"))
        return;
    if (range_check(ix, 0, -1) || range_check(iy, 0, -1))
        return;
    int choice = keyword_lookup("ALL +BOTT+BACK+SIDE", 4, option);
    if (choice == 0)
        return;
    const ShadingAttributes& a = state().shading;
    // The half lengths of the box, and the planes on the far side of each
    // axis as seen from the viewpoint.
    BoxPoint half{a.box[0] / 2, a.box[1] / 2, a.box[2] / 2};
    BoxPoint far{a.eye[0] >= 0 ? -half[0] : half[0], a.eye[1] <= 0 ? half[1] : -half[1],
                 a.eye[2] >= 0 ? -half[2] : half[2]};
    const int per_interval[3] = {ix, ix, iy};
    std::vector<LinePath> lines;
    // On the plane where axis `fixed` stands at its far end: lines across it
    // at the grid positions of axis `along`, running the length of `across`.
    auto plane_lines = [&](std::size_t fixed, std::size_t along, std::size_t across) {
        const AxisTransform& t = a.box_axis[along];
        for (double v : grid_positions(t, per_interval[along])) {
            BoxPoint p{};
            p[fixed] = far[fixed];
            p[along] = (v - t.start) / (t.end - t.start) * a.box[along] - half[along];
            BoxPoint q = p;
            p[across] = -half[across];
            q[across] = half[across];
            FillPoint from;
            FillPoint to;
            box_to_plot(a, p, from.x, from.y);
            box_to_plot(a, q, to.x, to.y);
            lines.push_back({from, to});
        }
    };
    auto plane = [&](std::size_t fixed, std::size_t first, std::size_t second) {
        plane_lines(fixed, first, second);
        plane_lines(fixed, second, first);
    };
    if (choice == 1 || choice == 2)
        plane(2, 0, 1);  // X-Y
    if (choice == 1 || choice == 3)
        plane(1, 0, 2);  // X-Z
    if (choice == 1 || choice == 4)
        plane(0, 1, 2);  // Y-Z
    draw_paths(lines, 1, nullptr);
}

void grid(int ix, int iy)
{
    if (level_check(2, 3, "grid"))
        return;
    if (range_check(ix, 0, -1) || range_check(iy, 0, -1))
        return;
    const AxisAttributes& a = state().axes;
    const AxisTransform& tx = a.transform[0];
    const AxisTransform& ty = a.transform[1];
    ClipRect box = axis_clip_rect();
    std::vector<LinePath> lines;
    for (double v : grid_positions(tx, ix)) {
        double x = tx.origin + tx.factor * (v - tx.start);
        lines.push_back({{x, box.y1}, {x, box.y0}});
    }
    for (double v : grid_positions(ty, iy)) {
        double y = ty.origin - ty.factor * (v - ty.start);
        lines.push_back({{box.x0, y}, {box.x1, y}});
    }
    draw_paths(lines, 1, &box);
}

}  // namespace korvan
