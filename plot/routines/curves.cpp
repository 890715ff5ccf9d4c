// CURVE: a series of user-coordinate points as a polyline, step line, bars or
// spline, with symbols, thickness, gaps, clipping and attribute cycling.
#include "plot/routines/curves.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/splines.hpp"
#include "plot/routines/symbols.hpp"

namespace korvan {

double plot_x(const AxisTransform& t, double v)
{
    double s = t.log ? (v > 0 ? std::log10(v) : std::nan("")) : v;
    return t.origin + t.factor * (s - t.start);
}

double plot_y(const AxisTransform& t, double v)
{
    double s = t.log ? (v > 0 ? std::log10(v) : std::nan("")) : v;
    return t.origin - t.factor * (s - t.start);
}

bool outside_axis(double v, const AxisTransform& t) { return !(v >= t.clip_low && v <= t.clip_high); }

namespace {

using Pt = FillPoint;
using Polyline = LinePath;

bool finite(const Pt& p) { return std::isfinite(p.x) && std::isfinite(p.y); }

std::string number_part(double v, bool first)
{
    double a = std::fabs(v);
    bool exponent = (a > 1e6 || a < 1e-6) && v != 0.0;
    const char* format = first ? (exponent ? "%12.4e /" : "%f /")
                               : (exponent ? "%12.4e) out of axis scaling!\n" : " %f) out of axis scaling!\n");
    char text[400];
    int n = std::snprintf(text, sizeof text, format, v);
    return std::string(text, static_cast<std::size_t>(std::clamp(n, 0, static_cast<int>(sizeof text) - 1)));
}

// The pieces of a LINE curve of n points, handed to the sink as they are
// found: split where the pen is lifted (gaps, points that are not numbers).
// point(i) is point i in plot coordinates, gap(i) tells whether the pen is
// lifted between points i - 1 and i. A piece of one point draws nothing.
template <class PointAt, class GapBefore>
void walk_line(PathSink& sink, std::size_t n, PointAt point, GapBefore gap)
{
    bool open = false;
    for (std::size_t i = 0; i < n; ++i) {
        Pt p = point(i);
        if (!finite(p) || (i > 0 && gap(i)))
            open = false;
        if (!finite(p))
            continue;
        if (open) {
            sink.next(p);
        } else {
            sink.begin(p);
            open = true;
        }
    }
}

// STEP: each point owns the interval between the midpoints to its neighbours.
std::vector<Polyline> step_pieces(const std::vector<Pt>& p, const std::vector<double>& ux, const CurveAttributes& c)
{
    std::vector<Polyline> pieces;
    std::size_t n = p.size();
    if (n < 2)
        return pieces;
    std::vector<double> bound(n + 1);
    for (std::size_t i = 1; i < n; ++i)
        bound[i] = (p[i - 1].x + p[i].x) / 2;
    bound[0] = p[0].x - (p[1].x - p[0].x) / 2;
    bound[n] = p[n - 1].x + (p[n - 1].x - p[n - 2].x) / 2;
    Polyline piece;
    for (std::size_t i = 0; i < n; ++i) {
        bool gap = i > 0 && c.gap_on && std::fabs(ux[i] - ux[i - 1]) > c.gap;
        if (!finite(p[i]) || !std::isfinite(bound[i]) || !std::isfinite(bound[i + 1]) || gap) {
            if (piece.size() > 1)
                pieces.push_back(std::move(piece));
            piece.clear();
            if (!finite(p[i]))
                continue;
        }
        piece.push_back({bound[i], p[i].y});
        piece.push_back({bound[i + 1], p[i].y});
    }
    if (piece.size() > 1)
        pieces.push_back(std::move(piece));
    return pieces;
}

// BARS: an outlined bar from the bottom of the Y axis to each point.
std::vector<Polyline> bar_pieces(const std::vector<Pt>& p, const CurveAttributes& c, double bottom)
{
    std::vector<Polyline> pieces;
    std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        double width;
        if (c.bar_width <= 0)
            width = -c.bar_width;
        else if (i + 1 < n)
            width = c.bar_width * std::fabs(p[i + 1].x - p[i].x);
        else
            width = n > 1 ? c.bar_width * std::fabs(p[i].x - p[i - 1].x) : 0.0;
        double l = p[i].x - width / 2;
        double r = p[i].x + width / 2;
        if (!finite(p[i]) || !std::isfinite(l) || !std::isfinite(r))
            continue;
        pieces.push_back({{l, bottom}, {l, p[i].y}, {r, p[i].y}, {r, bottom}, {l, bottom}});
    }
    return pieces;
}

}  // namespace

CurveScope::CurveScope()
{
    PlotState& s = state();
    CurveAttributes& c = s.curves;
    colour_ = s.current_colour;
    style_ = c.line_style;
    pattern_ = c.dash;
    dash_index_ = c.dash_index;
    dash_left_ = c.dash_left;
    dash_drawn_ = c.dash_drawn;

    std::size_t index = static_cast<std::size_t>(c.attribute_index);
    if (c.change == 1 || c.change == 3)
        select_colour(cycle_colour(c.attribute_index));
    if (c.change == 2 || c.change == 3) {
        int cycled = c.line_cycle[index];
        set_dash_pattern(c, cycled, line_type_pattern(cycled));
    }

    if (c.set_count == 0) {
        if (c.curve_number >= 1 && c.curve_number <= cycle_entries) {
            CurveRecord& r = c.record[static_cast<std::size_t>(c.curve_number)];
            r.defined = true;
            r.line_style = c.marker_step < 0 ? -1 : c.line_style;
            r.dash = c.dash;
            r.symbol = c.marker_step == 0 ? -1 : c.symbol;
            r.thickness = c.thickness;
            r.colour = s.current_colour;
            r.pattern = -1;
        }
        s.axes.curve_count = std::max(s.axes.curve_count, c.curve_number);
    }
}

CurveScope::~CurveScope()
{
    PlotState& s = state();
    CurveAttributes& c = s.curves;
    if (s.current_colour != colour_)
        select_colour(colour_);
    if (c.change == 2 || c.change == 3) {
        c.line_style = style_;
        c.dash = pattern_;
        c.dash_index = dash_index_;
        c.dash_left = dash_left_;
        c.dash_drawn = dash_drawn_;
    }
    if (++c.set_count >= c.curves_per_set)
        advance_attributes();
}

std::string out_of_axis_line(double x, double y) { return " <<<< (" + number_part(x, true) + number_part(y, false); }

void curve(std::span<const float> x, std::span<const float> y, int n)
{
    if (level_check(2, 3, "curve"))
        return;
    PlotState& s = state();
    CurveAttributes& c = s.curves;
    if (n <= 0 || (n == 1 && c.marker_step >= 0)) {
        warning(2);
        return;
    }
    auto count = static_cast<std::size_t>(n);
    if (count > x.size() || count > y.size()) {
        warning_int(2, n);
        return;
    }
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];
    // NEGLOG: values not above 0 on a log axis stand at its value instead.
    std::vector<float> raised_x;
    std::vector<float> raised_y;
    if (c.neglog > 0) {
        auto raise = [&](std::span<const float>& v, std::vector<float>& copy) {
            copy.assign(v.begin(), v.begin() + n);
            for (float& e : copy)
                if (e <= 0)
                    e = static_cast<float>(c.neglog);
            v = copy;
        };
        if (tx.log)
            raise(x, raised_x);
        if (ty.log)
            raise(y, raised_y);
    }
    bool bad = false;
    if (ty.log && std::any_of(y.begin(), y.begin() + n, [](float v) { return v <= 0; })) {
        warning(27);
        bad = true;
    }
    if (tx.log && std::any_of(x.begin(), x.begin() + n, [](float v) { return v <= 0; })) {
        warning(27);
        bad = true;
    }
    if (bad)
        return;

    CurveScope scope;

    if (c.range_check && s.message_unit != 0) {
        for (std::size_t i = 0; i < count; ++i) {
            if (outside_axis(x[i], tx) || outside_axis(y[i], ty))
                message_print(out_of_axis_line(x[i], y[i]));
        }
    }

    // GRACE lets the curve reach beyond the axis system.
    ClipRect clip = axis_clip_rect();
    clip.x0 -= s.axes.grace;
    clip.y0 -= s.axes.grace;
    clip.x1 += s.axes.grace;
    clip.y1 += s.axes.grace;
    if (c.marker_step != 0) {
        std::size_t step = static_cast<std::size_t>(std::min(std::labs(static_cast<long>(c.marker_step)), 1L << 30));
        for (std::size_t i = 0; i < count; i += step) {
            Pt p{plot_x(tx, x[i]), plot_y(ty, y[i])};
            if (!finite(p))
                continue;
            draw_symbol(c.symbol, std::trunc(p.x + 0.5), std::trunc(p.y + 0.5), c.symbol_height, &clip);
        }
    }

    if (c.marker_step >= 0) {
        auto gap = [&](std::size_t i) {
            return c.gap_on && std::fabs(static_cast<double>(x[i]) - static_cast<double>(x[i - 1])) > c.gap;
        };
        std::vector<Pt> points;
        std::vector<double> ux;
        if (c.mode == 1 || c.mode == 2) {
            points.resize(count);
            ux.resize(count);
            for (std::size_t i = 0; i < count; ++i) {
                points[i] = {plot_x(tx, x[i]), plot_y(ty, y[i])};
                ux[i] = x[i];
            }
        }
        switch (c.mode) {
        case 0: {
            // Drawn straight from the data: a curve of many points needs no copy of them.
            auto point = [&](std::size_t i) { return Pt{plot_x(tx, x[i]), plot_y(ty, y[i])}; };
            draw_paths([&](PathSink& sink) { walk_line(sink, count, point, gap); }, c.thickness, &clip);
            break;
        }
        case 1:
            draw_paths(step_pieces(points, ux, c), c.thickness, &clip);
            break;
        case 2:
            draw_paths(bar_pieces(points, c, s.axes.nya), c.thickness, &clip);
            break;
        case 3:
        case 4: {
            std::vector<double> vx(x.begin(), x.begin() + n);
            std::vector<double> vy(y.begin(), y.begin() + n);
            std::vector<double> sx;
            std::vector<double> sy;
            if (spline_points(vx, vy, c.mode == 4, tx.log, sx, sy)) {
                auto point = [&](std::size_t i) { return Pt{plot_x(tx, sx[i]), plot_y(ty, sy[i])}; };
                auto no_gap = [](std::size_t) { return false; };
                draw_paths([&](PathSink& sink) { walk_line(sink, sx.size(), point, no_gap); }, c.thickness, &clip);
            }
            break;
        }
        default:
            break;
        }
    }
}

}  // namespace korvan
