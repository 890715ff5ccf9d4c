#include "plot/routines/shaded_curves.hpp"

#include <cmath>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"

namespace korvan {

namespace {

bool counts_fit(std::span<const float> x, std::span<const float> y, int n)
{
    return n >= 1 && static_cast<std::size_t>(n) <= x.size() && static_cast<std::size_t>(n) <= y.size();
}

bool log_values_fit(const AxisTransform& t, std::span<const float> v, int n)
{
    if (!t.log)
        return true;
    for (int i = 0; i < n; ++i)
        if (!(v[i] > 0))
            return false;
    return true;
}

}  // namespace

void shdcrv(std::span<const float> x1, std::span<const float> y1, int n1, std::span<const float> x2,
            std::span<const float> y2, int n2)
{
    if (level_check(2, 3, "shdcrv"))
        return;
    if (!counts_fit(x1, y1, n1) || !counts_fit(x2, y2, n2) || n1 + n2 < 3) {
        warning_int(2, counts_fit(x1, y1, n1) ? n2 : n1);
        return;
    }
    PlotState& s = state();
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];
    if (!log_values_fit(tx, x1, n1) || !log_values_fit(ty, y1, n1) || !log_values_fit(tx, x2, n2) ||
        !log_values_fit(ty, y2, n2)) {
        warning(27);
        return;
    }
    // The first curve forwards and the second backwards enclose the area.
    LinePath polygon;
    polygon.reserve(static_cast<std::size_t>(n1 + n2));
    for (int i = 0; i < n1; ++i)
        polygon.push_back({plot_x(tx, x1[i]), plot_y(ty, y1[i])});
    for (int i = n2 - 1; i >= 0; --i)
        polygon.push_back({plot_x(tx, x2[i]), plot_y(ty, y2[i])});

    CurveAttributes& c = s.curves;
    ShadingAttributes kept = s.shading;
    auto index = static_cast<std::size_t>(c.attribute_index);
    if (s.shading.pattern == 0)
        select_pattern(c.pattern_cycle[index]);
    int colour = s.current_colour;
    if (c.change == 1 || c.change == 3)
        select_colour(cycle_colour(c.attribute_index));
    if (c.set_count == 0 && c.curve_number >= 1 && c.curve_number <= cycle_entries) {
        CurveRecord& r = c.record[static_cast<std::size_t>(c.curve_number)];
        r = CurveRecord{};
        r.defined = true;
        r.line_style = -1;
        r.symbol = -1;
        r.thickness = c.thickness;
        r.colour = s.current_colour;
        r.pattern = s.shading.pattern;
        s.axes.curve_count = std::max(s.axes.curve_count, c.curve_number);
    }
    ClipRect box = axis_clip_rect();
    fill_area_keeping_line_style(polygon, &box);
    s.shading = kept;
    if (s.current_colour != colour)
        select_colour(colour);
    if (++c.set_count >= c.curves_per_set)
        advance_attributes();
}

}  // namespace korvan
