// GRAF and ENDGRF, the transformation and the drawing of axes and titles.
#include "plot/routines/axes.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/clipping.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

// The most labels or ticks drawn along one axis: a step tiny against the axis
// would otherwise mean endless drawing.
constexpr long mark_limit = 10000;
constexpr double tiny = 1e-35;

int to_plot(double v)
{
    if (std::isnan(v))
        return 0;
    return static_cast<int>(std::clamp(v, -1e9, 1e9));
}

// Scaling units of a user value: the logarithm on a log axis (non-positive
// values lie far below the axis).
double scaling_value(const AxisTransform& t, double v)
{
    if (!t.log)
        return v;
    return v > 0 ? std::log10(v) : -1e300;
}

// Plot units along the axis from its start.
double along(const AxisTransform& t, double scaled) { return t.factor * (scaled - t.start); }

// --- Drawing ----------------------------------------------------------------

enum Side { bottom, left, top, right };

struct AxisRun {
    int axis;        // 0 X, 1 Y
    Side side;
    double x;        // start of the axis line
    double y;
    int length;
    int level;       // side level: 1 line, 2 ticks, 3 labels, 4 name
    const AxisTransform* transform = nullptr;  // nullptr: the axis system's
};

void use_colour(int colour, int fallback)
{
    int want = colour >= 0 ? colour : fallback;
    if (state().current_colour != want)
        select_colour(want);
}

// A point at distance a along the axis and o outward (towards the labels).
void axis_point(const AxisRun& run, double a, double o, double& x, double& y)
{
    switch (run.side) {
    case bottom:
        x = run.x + a;
        y = run.y + o;
        break;
    case top:
        x = run.x + a;
        y = run.y - o;
        break;
    case left:
        x = run.x - o;
        y = run.y - a;
        break;
    case right:
        x = run.x + o;
        y = run.y - a;
        break;
    }
}

void tick(const AxisRun& run, double a, int length, int position)
{
    double from = 0;
    double to = length;
    if (position == 1) {
        from = 0;
        to = -length;
    } else if (position == 2) {
        from = -length / 2.0;
        to = length / 2.0;
    }
    double x = 0;
    double y = 0;
    axis_point(run, a, from, x, y);
    plot_vector(x, y, 3);
    axis_point(run, a, to, x, y);
    plot_vector(x, y, 2);
}

bool within(double v, double low, double high)
{
    double slack = (high - low) * 1e-9;
    return v >= low - slack && v <= high + slack;
}

void draw_ticks(const AxisRun& run, const AxisSettings& set, const AxisTransform& t)
{
    const AxisAttributes& a = state().axes;
    int n = set.ticks;
    if (n < 1)
        return;
    double low = std::min(t.start, t.end);
    double high = std::max(t.start, t.end);
    bool decade_first = std::fabs(t.first_label - std::round(t.first_label)) < 1e-4;
    bool decade_step = std::fabs(std::fabs(t.step) - 1) < 1e-4;
    bool few_decades = high - low <= 1000;
    if (t.log && few_decades && decade_first && ((n >= 2 && decade_step) || set.full_log_ticks)) {
        // Major ticks at the decades of the labels, minor ticks at 2..9 times
        // every power of ten (and at the decades between labels).
        double label_step = std::max(1.0, std::round(std::fabs(t.step)));
        for (double d = std::floor(low) - 1; d <= std::ceil(high); d += 1) {
            if (within(d, low, high)) {
                double k = (d - t.first_label) / label_step;
                bool major = std::fabs(k - std::round(k)) < 1e-6;
                tick(run, along(t, d), major ? a.major_tick : a.minor_tick, set.tick_position);
            }
            for (int m = 2; m <= 9; ++m) {
                double v = d + std::log10(static_cast<double>(m));
                if (within(v, low, high))
                    tick(run, along(t, v), a.minor_tick, set.tick_position);
            }
        }
        return;
    }
    double step = t.step / n;
    double d0 = std::ceil((low - t.first_label) / std::fabs(step) - 1e-9);
    double d1 = std::floor((high - t.first_label) / std::fabs(step) + 1e-9);
    if (!(d1 - d0 <= mark_limit) || std::fabs(d0) > 1e15)
        return;
    auto i0 = static_cast<long>(d0);
    auto i1 = static_cast<long>(d1);
    for (long i = i0; i <= i1; ++i) {
        double v = t.first_label + i * std::fabs(step);
        // Major ticks where a label stands: every n-th tick counted from the first label.
        bool major = i % n == 0;
        tick(run, along(t, v), major ? a.major_tick : a.minor_tick, set.tick_position);
    }
}

}  // namespace

std::vector<double> label_values(const AxisTransform& t)
{
    std::vector<double> values;
    double low = std::min(t.start, t.end);
    double high = std::max(t.start, t.end);
    double step = std::fabs(t.step);
    double d0 = std::ceil((low - t.first_label) / step - 1e-9);
    double d1 = std::floor((high - t.first_label) / step + 1e-9);
    if (!(d1 - d0 <= mark_limit) || std::fabs(d0) > 1e15)
        return values;
    auto i0 = static_cast<long>(d0);
    auto i1 = static_cast<long>(d1);
    for (long i = i0; i <= i1; ++i) {
        double v = t.first_label + i * step;
        if (std::fabs(v) < step * 1e-9)
            v = 0;  // no "-0.0" from rounding
        values.push_back(v);
    }
    return values;
}

namespace {

// How far a label reaches along its axis before (lo) and after (hi) its
// position, in the direction of rising axis values.
struct AlongExtent {
    double lo;
    double hi;
};

AlongExtent label_extent_along(bool reads_across, bool along_x, bool downwards, double w, double h, double centre)
{
    if (reads_across)
        return {h / 2, h / 2};
    // Text reading down a Y axis runs against rising values.
    if (!along_x && downwards)
        return {w - centre, centre};
    return {centre, w - centre};
}

// The move along the axis of a label at pos: "INTE" (mode 1) brings a label
// that would reach beyond an end of the axis inside it; "ALIG" (mode 2) makes
// the labels at the ends flush with them; "EXTE" (mode 0) leaves them.
double end_shift(double pos, AlongExtent e, double length, int mode)
{
    double last = length - 1;
    if (mode == 2) {
        if (std::fabs(pos) < 0.5)
            return e.lo - pos;
        if (std::fabs(pos - last) < 0.5)
            return last - e.hi - pos;
    } else if (mode == 1) {
        if (pos - e.lo < 0)
            return e.lo - pos;
        if (pos + e.hi > last)
            return last - e.hi - pos;
    }
    return 0;
}

bool label_shown(int ends, std::size_t i, std::size_t count)
{
    bool first = i == 0;
    bool last = i + 1 == count;
    switch (ends) {
    case 1: return !first;            // NOFI
    case 2: return !last;             // NOLA
    case 3: return !first && !last;   // NOEN
    case 4: return first || last;     // ENDS
    case 5: return first;             // FIRS
    case 6: return last;              // LAST
    default: return true;
    }
}

// Whether the labels stand on the inner side of the axis line: LABPOS "INSI",
// or a named side that lies inside the axis system.
bool labels_inside(const AxisRun& run, const AxisSettings& set)
{
    switch (set.label_side) {
    case 1: return true;
    case 2: return run.side == right;   // LEFT
    case 3: return run.side == bottom;  // ABOV
    case 4: return run.side == left;    // RIGH
    case 5: return run.side == top;     // BELO
    default: return false;
    }
}

Side opposite(Side side)
{
    switch (side) {
    case bottom: return top;
    case top: return bottom;
    case left: return right;
    case right: return left;
    }
    return side;
}

// The angle of turned labels: 90 reads upwards; OUTW reads away from the
// axis line (X axes) or turns the letters' tops away from it (Y axes), INWA
// the other way round.
int turned_angle(Side side, int turn)
{
    if (turn == 0)
        return 90;
    bool away_is_270 = side == bottom || side == right;
    return (turn == 1) == away_is_270 ? 270 : 90;
}

// Draws the labels; returns how far they reach from the axis line on the
// side they stand on.
double draw_labels(const AxisRun& axis_run, const AxisSettings& set, const AxisTransform& t, bool ticks_drawn)
{
    const PlotState& s = state();
    const AxisAttributes& a = s.axes;
    double h = s.text.height;
    bool inside = labels_inside(axis_run, set);
    AxisRun run = axis_run;
    if (inside)
        run.side = opposite(run.side);  // same line, the labels on its other side
    double distance = set.label_distance;
    if (ticks_drawn) {
        // The ticks point towards the labels with "LABE" (away with "REVE").
        int towards = inside ? 1 : 0;
        if (set.tick_position == towards)
            distance += a.major_tick;
        else if (set.tick_position == 2)
            distance += a.major_tick / 2.0;
    }
    bool raised = label_raises(set.label_type);
    double raise_room = raised ? 0.4 * h : 0;
    TextRequest request;
    request.force_control = raised;
    request.justification = 0;
    request.angle = 0;
    TextRequest turned = request;
    turned.angle = turned_angle(run.side, set.label_turn);
    bool downwards = turned.angle == 270;
    NumberStyle style = number_style();
    std::vector<double> values = label_values(t);
    // Labels that read across the axis (horizontal beside a Y axis, turned
    // below or above an X axis) stand in a column as wide as the widest label.
    bool along_x = run.side == bottom || run.side == top;
    bool reads_across = along_x == set.vertical_labels;
    bool starts_near = along_x ? (run.side == top) != downwards : run.side == right;
    double widest = 0;
    if (reads_across && set.label_justification != 0)
        for (std::size_t i = 0; i < values.size(); ++i) {
            int k = static_cast<int>(std::lround((values[i] - t.first_label) / t.step)) + 1;
            widest = std::max(widest, text_length(label_text(values[i], set.label_type, set.digits, run.axis, style,
                                                             set, k),
                                                  request));
        }
    int end_mode = set.label_extent;
    if (end_mode == 0 && set.label_position == 2)
        end_mode = 1;  // "SHIF": the labels keep within the axis length
    double reach = 0;
    int n = 0;
    for (std::size_t i = 0; i < values.size(); ++i) {
        double v = values[i];
        // User labels count from the first label on the axis.
        n = static_cast<int>(std::lround((v - t.first_label) / t.step)) + 1;
        if (!label_shown(set.label_ends, i, values.size()))
            continue;
        std::string text = label_text(v, set.label_type, set.digits, run.axis, style, set, n);
        double pos = along(t, v);
        if (set.label_position == 1) {
            // Between this label's tick and the next one.
            if (i + 1 >= values.size())
                continue;
            pos = (pos + along(t, values[i + 1])) / 2;
        }
        double w = text_length(text, request);
        // Labels reading along the axis: how far the text starts before the
        // tick. "LOG" centres the base 10 on it, the exponent hanging after;
        // "LEFT" starts the label at the tick, "RIGH" ends it there.
        double centre = w / 2;
        if (set.label_type == LabelType::log)
            centre = text_length("10", request) / 2;
        if (set.label_justification == 2)
            centre = 0;
        else if (set.label_justification == 3)
            centre = w;
        pos += end_shift(pos, label_extent_along(reads_across, along_x, downwards, w, h, centre), run.length,
                         end_mode);
        // Labels reading across: the room left between the label and the
        // axis line in the column of the widest label.
        double gap = 0;
        if (reads_across) {
            double room = std::max(widest - w, 0.0);
            switch (set.label_justification) {
            case 1: gap = room / 2; break;
            case 2: gap = starts_near ? 0 : room; break;
            case 3: gap = starts_near ? room : 0; break;
            default: break;  // flush with the axis side of the column
            }
        }
        double x = 0;
        double y = 0;
        if (!set.vertical_labels) {
            switch (run.side) {
            case bottom:
                axis_point(run, pos, distance + raise_room, x, y);
                draw_text(text, x - centre, y, request);
                reach = std::max(reach, distance + raise_room + h);
                break;
            case top:
                axis_point(run, pos, distance + h, x, y);
                draw_text(text, x - centre, y, request);
                reach = std::max(reach, distance + h + raise_room);
                break;
            case left:
                axis_point(run, pos, distance + gap + w, x, y);
                draw_text(text, x, y - h / 2, request);
                reach = std::max(reach, distance + std::max(w, widest));
                break;
            case right:
                axis_point(run, pos, distance + gap, x, y);
                draw_text(text, x, y - h / 2, request);
                reach = std::max(reach, distance + std::max(w, widest));
                break;
            }
        } else if (!downwards) {
            // Labels reading upwards; for such text the upper left corner is
            // the start of its left edge.
            switch (run.side) {
            case bottom:
                axis_point(run, pos, distance + gap + w, x, y);
                draw_text(text, x - h / 2, y, turned);
                reach = std::max(reach, distance + std::max(w, widest));
                break;
            case top:
                axis_point(run, pos, distance + gap, x, y);
                draw_text(text, x - h / 2, y, turned);
                reach = std::max(reach, distance + std::max(w, widest));
                break;
            case left:
                axis_point(run, pos, distance + h, x, y);
                draw_text(text, x, y + centre, turned);
                reach = std::max(reach, distance + h + raise_room);
                break;
            case right:
                axis_point(run, pos, distance, x, y);
                draw_text(text, x, y + centre, turned);
                reach = std::max(reach, distance + h + raise_room);
                break;
            }
        } else {
            // Labels reading downwards (turned by 270 degrees): the upper left
            // corner is the upper end of the text's right edge.
            switch (run.side) {
            case bottom:
                axis_point(run, pos, distance + gap, x, y);
                draw_text(text, x + h / 2, y, turned);
                reach = std::max(reach, distance + std::max(w, widest));
                break;
            case top:
                axis_point(run, pos, distance + gap + w, x, y);
                draw_text(text, x + h / 2, y, turned);
                reach = std::max(reach, distance + std::max(w, widest));
                break;
            case left:
                axis_point(run, pos, distance, x, y);
                draw_text(text, x, y - centre, turned);
                reach = std::max(reach, distance + h + raise_room);
                break;
            case right:
                axis_point(run, pos, distance + h, x, y);
                draw_text(text, x, y - centre, turned);
                reach = std::max(reach, distance + h + raise_room);
                break;
            }
        }
    }
    return reach;
}

void draw_name(const AxisRun& run, const AxisSettings& set, double reach)
{
    const PlotState& s = state();
    double h = s.axes.name_height;
    TextRequest request;
    request.height = h;
    request.justification = 0;
    bool horizontal = run.side == bottom || run.side == top;
    // RVYNAM turns the names of Y axes to read downwards.
    bool reversed = !horizontal && run.axis == 1 && s.axes.reversed_y_name;
    request.angle = horizontal ? 0 : (reversed ? 270 : 90);
    double w = text_length(set.name, request);
    double a = (run.length - 1 - w) / 2;
    if (set.name_justification == 1)
        a = 0;
    else if (set.name_justification == 2)
        a = run.length - 1 - w;
    double out = reach + set.name_distance;
    double x = 0;
    double y = 0;
    switch (run.side) {
    case bottom:
        axis_point(run, a, out, x, y);
        break;
    case top:
        axis_point(run, a, out + h, x, y);
        break;
    case left:
        if (reversed)
            axis_point(run, a + w, out, x, y);  // the text's top faces the axis
        else
            axis_point(run, a, out + h, x, y);
        break;
    case right:
        if (reversed)
            axis_point(run, a + w, out + h, x, y);
        else
            axis_point(run, a, out, x, y);
        break;
    }
    draw_text(set.name, x, y, request);
}

void draw_axis(const AxisRun& run)
{
    if (run.level < 1)
        return;
    PlotState& s = state();
    const AxisSettings& set = s.axes.axis[static_cast<std::size_t>(run.axis)];
    const AxisTransform& t =
        run.transform != nullptr ? *run.transform : s.axes.transform[static_cast<std::size_t>(run.axis)];
    int colour = s.current_colour;
    use_colour(set.colours[0], colour);
    double x = 0;
    double y = 0;
    if (!set.no_line) {
        axis_point(run, 0, 0, x, y);
        plot_vector(x, y, 3);
        axis_point(run, run.length - 1, 0, x, y);
        plot_vector(x, y, 2);
    }
    bool ticks_drawn = run.level >= 2 && set.ticks >= 1;
    if (ticks_drawn) {
        use_colour(set.colours[1], colour);
        draw_ticks(run, set, t);
    }
    double reach = ticks_drawn && set.tick_position != 1 ? s.axes.major_tick : 0;
    if (run.level >= 3 && set.label_type != LabelType::none) {
        use_colour(set.colours[2], colour);
        double label_reach = draw_labels(run, set, t, ticks_drawn);
        // The name stays outside; labels inside leave it beside the ticks.
        if (!labels_inside(run, set))
            reach = label_reach;
    }
    if (run.level >= 4 && !set.name.empty()) {
        use_colour(set.colours[3], colour);
        draw_name(run, set, reach);
    }
    use_colour(-1, colour);
}

void draw_frame(const AxisAttributes& a)
{
    int n = a.frame;
    int count = std::abs(n);
    for (int k = 0; k < count; ++k) {
        int o = n > 0 ? k : -k;
        double x0 = a.nxa - o;
        double y0 = a.nya - a.nyl + 1 - o;
        double x1 = a.nxa + a.nxl - 1 + o;
        double y1 = a.nya + o;
        plot_vector(x0, y0, 3);
        plot_vector(x1, y0, 2);
        plot_vector(x1, y1, 2);
        plot_vector(x0, y1, 2);
        plot_vector(x0, y0, 2);
    }
}

// The parameter check of one axis; false when the axis system is rejected.
bool check_axis(double a, double e, double first, double step)
{
    bool ok = true;
    if (std::fabs(e - a) < tiny) {
        warning(10);
        ok = false;
    }
    if (std::fabs(step) < tiny) {
        warning(9);
        ok = false;
    }
    if (!ok)
        return false;
    if (e > a) {
        if (first < a || first > e)
            warning(12);
        if (step < 0)
            warning(50);
    } else {
        if (first < e || first > a)
            warning(12);
        if (step > 0)
            warning(50);
    }
    return true;
}

void set_transform(AxisTransform& t, double a, double e, double first, double step, int origin, int length,
                   const AxisSettings& set)
{
    t.start = a;
    t.end = e;
    t.first_label = first;
    t.step = step;
    t.factor = (length - 1) / (e - a);
    t.origin = origin;
    t.log = set.scaling == 1;
    double low = std::min(a, e);
    double high = std::max(a, e);
    if (t.log) {
        if (set.auto_scale) {
            low = set.auto_min;
            high = set.auto_max;
        } else {
            low = std::pow(10.0, low);
            high = std::pow(10.0, high);
        }
    }
    t.clip_low = low;
    t.clip_high = high;
}

}  // namespace

bool check_axis_values(double a, double e, double first, double step) { return check_axis(a, e, first, step); }

AxisRectangle next_axis_rectangle(const PlotState& s)
{
    AxisRectangle r{s.axis_pos_x, s.axis_pos_y, s.axis_length_x, s.axis_length_y};
    if (s.axes.centred) {
        r.nxa = (s.page_width + 1 - r.nxl) / 2;
        r.nya = (s.page_height + 1 + r.nyl) / 2 - 1;
    }
    return r;
}

void set_axis_transform(AxisTransform& t, double a, double e, double first, double step, int origin, int length,
                        const AxisSettings& set)
{
    set_transform(t, a, e, first, step, origin, length, set);
}

void draw_axis_side(int axis, const AxisTransform& t, int side, double x, double y, int length, int level)
{
    draw_axis({axis, static_cast<Side>(side), x, y, length, level, &t});
}

void draw_axis_name(int axis, int side, double x, double y, int length, double reach)
{
    const AxisSettings& set = state().axes.axis[static_cast<std::size_t>(axis)];
    if (!set.name.empty())
        draw_name({axis, static_cast<Side>(side), x, y, length, 4}, set, reach);
}

void draw_axis_frame()
{
    const AxisAttributes& a = state().axes;
    if (a.frame != 0)
        draw_frame(a);
}

// --- GRAF and ENDGRF ---------------------------------------------------------

void graf(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep)
{
    if (level_check(1, 1, "graf"))
        return;
    PlotState& s = state();
    AxisAttributes& a = s.axes;
    s.level = 2;
    s.maps.open = false;
    save_clipping_window();
    double values[2][4] = {{xa, xe, xor_, xstep}, {ya, ye, yor, ystep}};
    int lengths[2] = {s.axis_length_x, s.axis_length_y};
    for (int i = 0; i < 2; ++i) {
        AxisSettings& set = a.axis[static_cast<std::size_t>(i)];
        if (!set.auto_scale)
            continue;
        AutoScale r = automatic_scale(set.auto_min, set.auto_max, set.scaling == 1,
                                      set.label_type == LabelType::time || set.label_type == LabelType::hour ||
                                          set.label_type == LabelType::seco,
                                      lengths[i], i == 0 ? 200 : 100);
        if (r.min_warning)
            warning(23);
        if (r.max_warning)
            warning(24);
        values[i][0] = r.start;
        values[i][1] = r.end;
        values[i][2] = r.first;
        values[i][3] = r.step;
        set.digits = r.digits;
    }
    bool ok_x = check_axis(values[0][0], values[0][1], values[0][2], values[0][3]);
    bool ok_y = check_axis(values[1][0], values[1][1], values[1][2], values[1][3]);
    if (!ok_x || !ok_y) {
        s.level = 1;
        return;
    }
    AxisRectangle r = next_axis_rectangle(s);
    a.nxa = r.nxa;
    a.nya = r.nya;
    a.nxl = r.nxl;
    a.nyl = r.nyl;
    for (int k = 0; k < 4; ++k) {
        a.graf_x[static_cast<std::size_t>(k)] = values[0][k];
        a.graf_y[static_cast<std::size_t>(k)] = values[1][k];
    }
    set_transform(a.transform[0], values[0][0], values[0][1], values[0][2], values[0][3], a.nxa, a.nxl, a.axis[0]);
    set_transform(a.transform[1], values[1][0], values[1][1], values[1][2], values[1][3], a.nya, a.nyl, a.axis[1]);
    a.curve_count = 0;

    if (a.axis_type == 1) {
        if (a.transform[0].log || a.transform[1].log) {
            set_warning_text("Crossed axis systems must have linear scaling");
            warning(104);
            s.level = 1;
            return;
        }
        double x0 = std::min(values[0][0], values[0][1]);
        double x1 = std::max(values[0][0], values[0][1]);
        double y0 = std::min(values[1][0], values[1][1]);
        double y1 = std::max(values[1][0], values[1][1]);
        if (x0 > tiny || x1 < -tiny || y0 > tiny || y1 < -tiny) {
            set_warning_text("No origin found for crossed axis system");
            warning(105);
            s.level = 1;
            return;
        }
        if (a.origin_given) {
            double XA = values[0][0];
            double XE = values[0][1];
            double YA = values[1][0];
            double YE = values[1][1];
            // The corner that puts the user origin exactly on the crossing
            // point under the rounding of NXPOSN and NYPOSN.
            a.nxa = a.origin_x - to_plot(std::floor(-XA * (a.nxl - 1) / (XE - XA) + 0.5));
            a.nya = a.origin_y - to_plot(std::floor(YA * (a.nyl - 1) / (YE - YA) + 0.5));
            a.transform[0].origin = a.nxa;
            a.transform[1].origin = a.nya;
            a.cross_x = a.origin_x;
            a.cross_y = a.origin_y;
        } else {
            a.cross_x = nxposn(0);
            a.cross_y = nyposn(0);
        }
    }
    if (a.no_graf)
        return;

    if (a.axis_type == 1) {
        draw_axis({0, bottom, static_cast<double>(a.nxa), static_cast<double>(a.cross_y), a.nxl, a.sides[0]});
        draw_axis({1, left, static_cast<double>(a.cross_x), static_cast<double>(a.nya), a.nyl, a.sides[1]});
    } else {
        draw_axis({0, bottom, static_cast<double>(a.nxa), static_cast<double>(a.nya), a.nxl, a.sides[0]});
        draw_axis({1, left, static_cast<double>(a.nxa), static_cast<double>(a.nya), a.nyl, a.sides[1]});
        if (!a.two_sides) {
            draw_axis({0, top, static_cast<double>(a.nxa), static_cast<double>(a.nya - a.nyl + 1), a.nxl,
                       a.sides[2]});
            draw_axis({1, right, static_cast<double>(a.nxa + a.nxl - 1), static_cast<double>(a.nya), a.nyl,
                       a.sides[3]});
        }
    }
    if (a.frame != 0)
        draw_frame(a);
}

void endgrf()
{
    if (level_check(2, 3, "endgrf"))
        return;
    PlotState& s = state();
    restore_clipping_window();
    s.maps.open = false;
    s.axes.curve_count = 0;
    reset_curve_bookkeeping(s.curves);
    s.level = 1;
    flush_pending();
}

void title()
{
    if (level_check(2, 3, "title"))
        return;
    const PlotState& s = state();
    const AxisAttributes& a = s.axes;
    TextRequest request;
    request.justification = 0;
    request.angle = 0;
    if (a.title_height > 0)
        request.height = a.title_height;
    double h = a.title_height > 0 ? a.title_height : s.text.height;
    double spacing = s.text.line_spacing;
    for (int n = 1; n <= 4; ++n) {
        const std::string& line = a.title[static_cast<std::size_t>(n - 1)];
        if (line.empty())
            continue;
        double w = text_length(line, request);
        double x = a.nxa + (a.nxl - w) / 2;
        if (a.title_justification == 1)
            x = a.nxa;
        else if (a.title_justification == 2)
            x = a.nxa + a.nxl - w;
        double y = a.title_below ? (a.nya - a.title_shift) + 4 * h + (n - 1) * h * spacing
                                 : (a.nya - a.title_shift - a.nyl) - 3 * h + (n - 4) * h * spacing;
        draw_text(line, x, y, request);
        if (a.underline[static_cast<std::size_t>(n - 1)]) {
            plot_vector(x - h / 2, y + 1.2 * h, 3);
            plot_vector(x + w + h / 2, y + 1.2 * h, 2);
        }
    }
}

// --- The transformation ------------------------------------------------------

namespace {
bool transform_ready(const char* routine)
{
    return level_check(2, 3, routine) == 0;
}
}  // namespace

double xposn(double x)
{
    if (!transform_ready("xposn"))
        return 0;
    const AxisTransform& t = state().axes.transform[0];
    return t.origin + t.factor * (scaling_value(t, x) - t.start);
}

double yposn(double y)
{
    if (!transform_ready("yposn"))
        return 0;
    const AxisTransform& t = state().axes.transform[1];
    return t.origin - t.factor * (scaling_value(t, y) - t.start);
}

int nxposn(double x)
{
    if (!transform_ready("nxposn"))
        return 0;
    const AxisTransform& t = state().axes.transform[0];
    return to_plot(std::trunc(t.origin + t.factor * (scaling_value(t, x) - t.start) + 0.5));
}

int nyposn(double y)
{
    if (!transform_ready("nyposn"))
        return 0;
    const AxisTransform& t = state().axes.transform[1];
    return to_plot(std::trunc(t.origin - t.factor * (scaling_value(t, y) - t.start) + 0.5));
}

double xinvrs(int nx)
{
    if (!transform_ready("xinvrs"))
        return 0;
    const AxisTransform& t = state().axes.transform[0];
    double v = t.start + (nx - t.origin) / t.factor;
    return t.log ? std::pow(10.0, v) : v;
}

double yinvrs(int ny)
{
    if (!transform_ready("yinvrs"))
        return 0;
    const AxisTransform& t = state().axes.transform[1];
    double v = t.start + (t.origin - ny) / t.factor;
    return t.log ? std::pow(10.0, v) : v;
}

}  // namespace korvan
