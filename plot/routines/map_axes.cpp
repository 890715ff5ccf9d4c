// XAXMAP, YAXMAP and the axes of GRAFMP. A longitude label stands where its
// meridian crosses the parallel that the axis represents (the equator or the
// latitude nearest to it for most maps, the wider end of a conical map, the
// centre of an azimuthal map); a latitude label where its parallel crosses the
// centre meridian. Labels whose place falls off the axis are left out.
#include "plot/routines/map_axes.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/map_points.hpp"
#include "plot/routines/maps.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

enum Side { bottom = 0, left = 1, top = 2, right = 3 };

// The most ticks along one map axis.
constexpr double mark_limit = 10000;

// One map axis: a longitude axis (axis 0) along a horizontal line at plot y
// `at`, or a latitude axis (axis 1) along a vertical line at plot x `at`,
// spanning the axis system; values a..b labelled from `first` every `step`.
struct MapAxis {
    int axis;
    Side side;
    double at;
    int level;
    double a;
    double b;
    double first;
    double step;
};

// The parallel of longitude labels and the meridian of latitude labels.
double label_latitude(const MapAttributes& m, const AxisAttributes& ax)
{
    double ya = ax.graf_y[0];
    double ye = ax.graf_y[1];
    switch (map_class(m.projection)) {
    case MapClass::conical: return m.south ? ye : ya;
    case MapClass::azimuthal: return m.frame_lat;
    default: return std::clamp(0.0, ya, ye);
    }
}

double label_longitude(const MapAttributes& m)
{
    return map_class(m.projection) == MapClass::azimuthal ? m.frame_lon : m.middle_lon;
}

// The place of a value along the axis (plot x or y); false when it is off
// the axis system or not on the visible map.
bool place_of(const MapAxis& run, double v, double& where)
{
    const PlotState& s = state();
    const AxisAttributes& ax = s.axes;
    FillPoint p{};
    bool along_x = run.axis == 0;
    if (along_x ? !map_to_plot(v, label_latitude(s.maps, ax), p) : !map_to_plot(label_longitude(s.maps), v, p))
        return false;
    where = along_x ? p.x : p.y;
    double low = along_x ? ax.nxa : ax.nya - ax.nyl + 1;
    double high = along_x ? ax.nxa + ax.nxl - 1 : ax.nya;
    return where >= low - 0.5 && where <= high + 0.5;
}

// A point at `along` on the axis line and `out` towards the labels.
FillPoint axis_point(const MapAxis& run, double along, double out)
{
    switch (run.side) {
    case bottom: return {along, run.at + out};
    case top: return {along, run.at - out};
    case left: return {run.at - out, along};
    default: return {run.at + out, along};
    }
}

// The values first + i * step (step > 0) that lie within [a, b].
template <typename F>
void for_values(double a, double b, double first, double step, F f)
{
    double low = std::min(a, b);
    double high = std::max(a, b);
    double d0 = std::ceil((low - first) / step - 1e-9);
    double d1 = std::floor((high - first) / step + 1e-9);
    if (!(d1 - d0 <= mark_limit) || std::fabs(d0) > 1e15)
        return;
    for (auto i = static_cast<long>(d0); i <= static_cast<long>(d1); ++i) {
        double v = first + static_cast<double>(i) * step;
        if (std::fabs(v) < step * 1e-9)
            v = 0;
        f(i, v);
    }
}

void use_colour(int colour, int fallback)
{
    int want = colour >= 0 ? colour : fallback;
    if (state().current_colour != want)
        select_colour(want);
}

void draw_map_axis(const MapAxis& run)
{
    if (run.level < 1)
        return;
    PlotState& s = state();
    const AxisAttributes& ax = s.axes;
    AxisSettings set = ax.axis[static_cast<std::size_t>(run.axis)];
    if (set.label_type != LabelType::none && set.label_type != LabelType::map && set.label_type != LabelType::dmap &&
        set.label_type != LabelType::lmap)
        set.label_type = LabelType::map;
    int colour = s.current_colour;
    bool along_x = run.axis == 0;
    double start = along_x ? ax.nxa : ax.nya;
    double end = along_x ? ax.nxa + ax.nxl - 1 : ax.nya - ax.nyl + 1;
    use_colour(set.colours[0], colour);
    FillPoint p = axis_point(run, start, 0);
    plot_vector(p.x, p.y, 3);
    p = axis_point(run, end, 0);
    plot_vector(p.x, p.y, 2);
    double step = std::fabs(run.step);
    bool ticks_drawn = run.level >= 2 && set.ticks >= 1;
    if (ticks_drawn) {
        use_colour(set.colours[1], colour);
        int n = set.ticks;
        for_values(run.a, run.b, run.first, step / n, [&](long i, double v) {
            double where = 0;
            if (!place_of(run, v, where))
                return;
            double length = i % n == 0 ? ax.major_tick : ax.minor_tick;
            double from = 0;
            double to = length;
            if (set.tick_position == 1) {
                to = -length;
            } else if (set.tick_position == 2) {
                from = -length / 2;
                to = length / 2;
            }
            FillPoint q = axis_point(run, where, from);
            plot_vector(q.x, q.y, 3);
            q = axis_point(run, where, to);
            plot_vector(q.x, q.y, 2);
        });
    }
    double reach = ticks_drawn && set.tick_position != 1 ? ax.major_tick : 0;
    if (run.level >= 3 && set.label_type != LabelType::none) {
        use_colour(set.colours[2], colour);
        double h = s.text.height;
        double distance = set.label_distance;
        if (ticks_drawn && set.tick_position == 0)
            distance += ax.major_tick;
        else if (ticks_drawn && set.tick_position == 2)
            distance += ax.major_tick / 2.0;
        double raise_room = label_raises(set.label_type) ? 0.4 * h : 0;
        TextRequest request;
        request.force_control = true;
        request.justification = 0;
        request.angle = 0;
        NumberStyle style = number_style();
        double label_reach = 0;
        // The stretches of the axis that labels already take: a label that
        // would overlap one is left out (meridians crowd towards the edges of
        // pseudo-cylindrical maps and meet at the pole of a polar map).
        std::vector<std::pair<double, double>> taken;
        for_values(run.a, run.b, run.first, step, [&](long i, double v) {
            double where = 0;
            if (!place_of(run, v, where))
                return;
            std::string text = label_text(v, set.label_type, set.digits, run.axis, style, set, static_cast<int>(i) + 1);
            double w = text_length(text, request);
            double half = (along_x ? w : h) / 2 + h / 4;  // with a gap between labels
            for (const auto& [from, to] : taken)
                if (where + half > from && where - half < to)
                    return;
            taken.emplace_back(where - half, where + half);
            FillPoint q{};
            switch (run.side) {
            case bottom:
                q = axis_point(run, where, distance + raise_room);
                draw_text(text, q.x - w / 2, q.y, request);
                label_reach = std::max(label_reach, distance + raise_room + h);
                break;
            case top:
                q = axis_point(run, where, distance + h);
                draw_text(text, q.x - w / 2, q.y, request);
                label_reach = std::max(label_reach, distance + h + raise_room);
                break;
            case left:
                q = axis_point(run, where, distance + w);
                draw_text(text, q.x, q.y - h / 2, request);
                label_reach = std::max(label_reach, distance + w);
                break;
            case right:
                q = axis_point(run, where, distance);
                draw_text(text, q.x, q.y - h / 2, request);
                label_reach = std::max(label_reach, distance + w);
                break;
            }
        });
        reach = std::max(reach, label_reach);
    }
    if (run.level >= 4) {
        use_colour(set.colours[3], colour);
        int length = along_x ? ax.nxl : ax.nyl;
        FillPoint o = along_x ? FillPoint{start, run.at} : FillPoint{run.at, start};
        draw_axis_name(run.axis, run.side, o.x, o.y, length, reach);
    }
    use_colour(-1, colour);
}

// XAXMAP and YAXMAP: the axis with its own values and name.
void user_map_axis(int axis, double a, double b, double orig, double step, std::string_view cstr, int it, int at)
{
    if (it != 0 && it != 1) {
        warning_int(2, it);
        return;
    }
    if (!check_axis_values(a, b, orig, step))
        return;
    AxisSettings& set = state().axes.axis[static_cast<std::size_t>(axis)];
    std::string kept = set.name;
    set.name.assign(cstr.substr(0, axis_name_limit));
    Side side = axis == 0 ? (it == 1 ? top : bottom) : (it == 1 ? right : left);
    draw_map_axis({axis, side, static_cast<double>(at), 4, a, b, orig, step});
    set.name = kept;
}

}  // namespace

void draw_map_axis_system()
{
    const AxisAttributes& ax = state().axes;
    const auto& x = ax.graf_x;
    const auto& y = ax.graf_y;
    double bottom_y = ax.nya;
    double top_y = ax.nya - ax.nyl + 1;
    double left_x = ax.nxa;
    double right_x = ax.nxa + ax.nxl - 1;
    draw_map_axis({0, bottom, bottom_y, ax.sides[0], x[0], x[1], x[2], x[3]});
    draw_map_axis({1, left, left_x, ax.sides[1], y[0], y[1], y[2], y[3]});
    if (!ax.two_sides) {
        draw_map_axis({0, top, top_y, ax.sides[2], x[0], x[1], x[2], x[3]});
        draw_map_axis({1, right, right_x, ax.sides[3], y[0], y[1], y[2], y[3]});
    }
    draw_axis_frame();
}

void xaxmap(double a, double b, double orig, double step, std::string_view cstr, int it, int ny)
{
    if (level_check(2, 3, "xaxmap"))
        return;
    user_map_axis(0, a, b, orig, step, cstr, it, ny);
}

void yaxmap(double a, double b, double orig, double step, std::string_view cstr, int it, int nx)
{
    if (level_check(2, 3, "yaxmap"))
        return;
    user_map_axis(1, a, b, orig, step, cstr, it, nx);
}

}  // namespace korvan
