// BARS: rectangles from Y1 to Y2 at the positions X, filled with the current
// pattern, vertical or horizontal, alone or in groups, with labels.
#include "plot/routines/bars.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

// The major tick positions of an axis after its start, in user units.
std::vector<double> tick_positions(const AxisTransform& t)
{
    std::vector<double> at;
    double step = std::fabs(t.step);
    double low = std::min(t.start, t.end);
    double high = std::max(t.start, t.end);
    if (!(step > 0))
        return at;
    double d0 = std::ceil((low - t.first_label) / step - 1e-9);
    double d1 = std::floor((high - t.first_label) / step + 1e-9);
    if (!(d1 - d0 <= 32000))
        return at;
    for (long i = static_cast<long>(d0); i <= static_cast<long>(d1); ++i) {
        double v = t.first_label + i * step;
        if (std::fabs(v - t.start) < step * 1e-9)
            continue;
        at.push_back(t.log ? std::pow(10.0, v) : v);
    }
    if (t.end < t.start)
        std::reverse(at.begin(), at.end());
    return at;
}

double label_value(int kind, double position, double from, double to)
{
    switch (kind) {
    case 1: return to;
    case 2: return from;
    case 3: return std::max(from, to);
    case 4: return std::min(from, to);
    case 5: return to - from;
    default: return position;
    }
}

}  // namespace

void bars(std::span<const float> x, std::span<const float> y1, std::span<const float> y2, int n)
{
    if (level_check(2, 3, "bars"))
        return;
    if (range_check(n, 1, 32000))
        return;
    auto count = static_cast<std::size_t>(n);
    if (count > x.size() || count > y1.size() || count > y2.size()) {
        warning_int(2, n);
        return;
    }
    PlotState& s = state();
    ShadingAttributes& a = s.shading;
    CurveAttributes& c = s.curves;
    bool vertical = a.bar_type == 0;
    // Position axis and value axis.
    const AxisTransform& tp = s.axes.transform[vertical ? 0 : 1];
    const AxisTransform& tv = s.axes.transform[vertical ? 1 : 0];
    double sp = vertical ? 1 : -1;
    double sv = vertical ? -1 : 1;

    std::vector<double> pos(x.begin(), x.begin() + n);
    std::vector<double> from(y1.begin(), y1.begin() + n);
    std::vector<double> to(y2.begin(), y2.begin() + n);
    if (a.bar_position >= 2)
        std::fill(from.begin(), from.end(), tv.log ? std::pow(10.0, tv.start) : tv.start);
    if (a.bar_position == 1 || a.bar_position == 3) {
        std::vector<double> ticks = tick_positions(tp);
        if (ticks.size() != count) {
            warning(28);
            count = std::min(count, ticks.size());
            if (count == 0)
                return;
        }
        std::copy(ticks.begin(), ticks.begin() + static_cast<std::ptrdiff_t>(count), pos.begin());
    }
    auto not_positive = [](double v) { return !(v > 0); };
    bool bad = false;
    if (tv.log && (std::any_of(from.begin(), from.begin() + static_cast<std::ptrdiff_t>(count), not_positive) ||
                   std::any_of(to.begin(), to.begin() + static_cast<std::ptrdiff_t>(count), not_positive))) {
        warning(27);
        bad = true;
    }
    if (tp.log && std::any_of(pos.begin(), pos.begin() + static_cast<std::ptrdiff_t>(count), not_positive)) {
        warning(27);
        bad = true;
    }
    if (bad)
        return;

    // One curve for the legend, with its pattern.
    if (c.set_count == 0 && c.curve_number >= 1 && c.curve_number <= cycle_entries) {
        CurveRecord& r = c.record[static_cast<std::size_t>(c.curve_number)];
        r.defined = true;
        r.line_style = c.line_style;
        r.dash = c.dash;
        r.symbol = -1;
        r.thickness = c.thickness;
        r.colour = s.current_colour;
        r.pattern = a.pattern;
        s.axes.curve_count = std::max(s.axes.curve_count, c.curve_number);
    }
    if (c.range_check && s.message_unit != 0) {
        for (std::size_t i = 0; i < count; ++i) {
            double px = vertical ? pos[i] : to[i];
            double py = vertical ? to[i] : pos[i];
            const AxisTransform& tx = s.axes.transform[0];
            const AxisTransform& ty = s.axes.transform[1];
            if (!(px >= tx.clip_low && px <= tx.clip_high) || !(py >= ty.clip_low && py <= ty.clip_high))
                message_print(out_of_axis_line(px, py));
        }
    }

    // The width of the whole group at one position, in plot units.
    double width;
    if (c.bar_width > 0) {
        double distance = count >= 2 ? std::fabs(user_to_plot(tp, pos[1], sp) - user_to_plot(tp, pos[0], sp))
                                     : std::fabs(tp.step * tp.factor);
        width = c.bar_width * distance;
    } else {
        width = -c.bar_width;
    }
    int group = std::max(a.bar_group, 1);
    double bar = width / (group + (group - 1) * a.bar_gap);
    int k = a.bar_in_group % group;
    double shift = -width / 2 + k * bar * (1 + a.bar_gap);

    ClipRect clip = axis_clip_rect();
    int style = c.line_style;
    DashPattern dash = c.dash;
    NumberStyle number_style_now = number_style();
    TextRequest request;
    request.justification = 0;
    request.angle = 0;
    double h = s.text.height;
    for (std::size_t i = 0; i < count; ++i) {
        double p0 = user_to_plot(tp, pos[i], sp) + shift;
        double p1 = p0 + bar;
        double v0 = user_to_plot(tv, from[i], sv);
        double v1 = user_to_plot(tv, to[i], sv);
        if (!std::isfinite(p0) || !std::isfinite(p1) || !std::isfinite(v0) || !std::isfinite(v1))
            continue;
        FillPoint corners[4];
        if (vertical)
            corners[0] = {p0, v0}, corners[1] = {p1, v0}, corners[2] = {p1, v1}, corners[3] = {p0, v1};
        else
            corners[0] = {v0, p0}, corners[1] = {v0, p1}, corners[2] = {v1, p1}, corners[3] = {v1, p0};
        fill_area(corners, &clip);
        {
            LinePen pen(false, &clip);
            pen.move(corners[0].x, corners[0].y);
            for (int m = 1; m <= 4; ++m)
                pen.draw(corners[m % 4].x, corners[m % 4].y);
        }
        if ((s.shields.automatic & shield_bars) != 0)
            add_automatic_shield(shield_bars, shield_polygon({{corners[0].x, corners[0].y}, {corners[1].x, corners[1].y},
                                                              {corners[2].x, corners[2].y}, {corners[3].x, corners[3].y}}));
        if (a.bar_labels == 0)
            continue;
        std::string text = number_text(label_value(a.bar_labels, pos[i], from[i], to[i]), a.bar_digits,
                                       number_style_now);
        double w = text_length(text, request);
        double centre = (p0 + p1) / 2;
        double length = std::fabs(v1 - v0);
        double dir = v1 >= v0 ? 1 : -1;  // plot direction from start to end
        if (vertical) {
            bool fits = w <= bar && 2 * h <= length;
            double y = fits ? v1 - dir * h * 0.5 - (dir < 0 ? 0 : h) : v1 + (dir < 0 ? -h * 1.5 : h * 0.5);
            draw_text(text, centre - w / 2, y, request);
        } else {
            bool fits = h <= bar && w + h <= length;
            double x = fits ? v1 - dir * h * 0.5 - (dir > 0 ? w : 0) : v1 + (dir > 0 ? h * 0.5 : -w - h * 0.5);
            draw_text(text, x, centre - h / 2, request);
        }
    }
    set_dash_pattern(c, style, dash);
    a.bar_in_group = (k + 1) % group;
    if (++c.set_count >= c.curves_per_set)
        advance_attributes();
    flush_pending();
}

void bartyp(std::string_view option)
{
    soft_level_check("bartyp");
    int n = keyword_lookup("VERT+HORI", 2, option);
    if (n > 0)
        state().shading.bar_type = n - 1;
}

void barpos(std::string_view option)
{
    soft_level_check("barpos");
    int n = keyword_lookup("NONE+TICK+AXIS+BOTH", 4, option);
    if (n > 0)
        state().shading.bar_position = n - 1;
}

void bargrp(int n, double gap)
{
    soft_level_check("bargrp");
    if (range_check(n, 1, 30))
        return;
    ShadingAttributes& a = state().shading;
    a.bar_group = n;
    a.bar_gap = std::isfinite(gap) ? gap : 0;
    a.bar_in_group = 0;
}

}  // namespace korvan
