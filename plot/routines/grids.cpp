#include "plot/routines/grids.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"

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
