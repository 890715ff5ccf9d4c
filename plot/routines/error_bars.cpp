#include "plot/routines/error_bars.hpp"

#include <cmath>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/symbols.hpp"

namespace korvan {

void errbar(std::span<const float> x, std::span<const float> y, std::span<const float> e1,
            std::span<const float> e2, int n)
{
    if (level_check(2, 3, "errbar"))
        return;
    auto count = static_cast<std::size_t>(n);
    if (n < 1 || count > x.size() || count > y.size() || count > e1.size() || count > e2.size()) {
        warning_int(2, n);
        return;
    }
    PlotState& s = state();
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];
    ClipRect box = axis_clip_rect();
    const CurveAttributes& c = s.curves;
    double half_cap = c.symbol_height / 2.0;
    std::vector<LinePath> bars;
    for (std::size_t i = 0; i < count; ++i) {
        double px = plot_x(tx, x[i]);
        double py = plot_y(ty, y[i]);
        if (!std::isfinite(px) || !std::isfinite(py))
            continue;
        // A lower end not above 0 on a logarithmic axis lies below the axis system.
        double low = plot_y(ty, static_cast<double>(y[i]) - e1[i]);
        if (!std::isfinite(low))
            low = box.y1 + 1;
        double high = plot_y(ty, static_cast<double>(y[i]) + e2[i]);
        if (!std::isfinite(high))
            continue;
        bars.push_back({{px, low}, {px, high}});
        bars.push_back({{px - half_cap, low}, {px + half_cap, low}});
        bars.push_back({{px - half_cap, high}, {px + half_cap, high}});
    }
    draw_paths(bars, c.thickness, &box);
    for (std::size_t i = 0; i < count; ++i) {
        double px = plot_x(tx, x[i]);
        double py = plot_y(ty, y[i]);
        if (std::isfinite(px) && std::isfinite(py))
            draw_symbol(c.symbol, std::trunc(px + 0.5), std::trunc(py + 0.5), c.symbol_height, &box);
    }
}

}  // namespace korvan
