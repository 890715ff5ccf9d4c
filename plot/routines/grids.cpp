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

}  // namespace

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
