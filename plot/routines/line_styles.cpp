// Line styles and the dashing, clipping line pen.
#include "plot/routines/line_styles.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/clipping.hpp"

namespace korvan {

namespace {

void select_line_type(const char* routine, int n)
{
    soft_level_check(routine);
    set_dash_pattern(state().curves, n, line_type_pattern(n));
}

// Coordinates far beyond any page are of no use to a device and only risk overflow.
constexpr double coordinate_limit = 1e7;

bool usable(double v) { return std::isfinite(v) && std::fabs(v) < 1e15; }

}  // namespace

void lintyp(int n)
{
    soft_level_check("lintyp");
    if (range_check(n, 0, 7))
        return;
    set_dash_pattern(state().curves, n, line_type_pattern(n));
}

void solid() { select_line_type("solid", 0); }
void dot() { select_line_type("dot", 1); }
void dash() { select_line_type("dash", 2); }
void chndsh() { select_line_type("chndsh", 3); }
void chndot() { select_line_type("chndot", 4); }
void dashm() { select_line_type("dashm", 5); }
void dotl() { select_line_type("dotl", 6); }
void dashl() { select_line_type("dashl", 7); }

int gettyp() { return state().curves.line_style; }

void myline(std::span<const int> pattern, int n)
{
    soft_level_check("myline");
    if (range_check(n, 1, dash_limit))
        return;
    if (static_cast<std::size_t>(n) > pattern.size()) {
        warning_int(2, n);
        return;
    }
    DashPattern p;
    p.count = n;
    for (int i = 0; i < n; ++i) {
        int v = pattern[static_cast<std::size_t>(i)];
        if (v < 1) {
            warning_int(2, v);
            return;
        }
        p.length[static_cast<std::size_t>(i)] = v;
    }
    set_dash_pattern(state().curves, 8, p);
}

ClipRect axis_clip_rect()
{
    const AxisAttributes& a = state().axes;
    return {static_cast<double>(a.nxa), static_cast<double>(a.nya - a.nyl + 1),
            static_cast<double>(a.nxa + a.nxl - 1), static_cast<double>(a.nya)};
}

LinePen::LinePen(bool dashed, const ClipRect* clip)
    : dashed_(dashed && state().curves.dash.count > 1)
{
    if (clip != nullptr)
        clip_ = *clip;
    else if (!clipping_window(clip_))  // the window of CLPWIN or CLPBOR, if one is set
        clip_ = {-coordinate_limit, -coordinate_limit, coordinate_limit, coordinate_limit};
}

void LinePen::move(double x, double y)
{
    x_ = x;
    y_ = y;
    pen_known_ = false;  // the next line starts with a move, even to the same point
}

void LinePen::draw(double x, double y)
{
    if (!usable(x) || !usable(y) || !usable(x_) || !usable(y_)) {
        x_ = x;
        y_ = y;
        return;
    }
    if (dashed_)
        walk(x, y);
    else
        emit(x_, y_, x, y);
    x_ = x;
    y_ = y;
}

// Walks the line from the current point, using up the pattern's elements and
// drawing the pieces of the drawn ones.
void LinePen::walk(double x, double y)
{
    CurveAttributes& c = state().curves;
    double dx = x - x_;
    double dy = y - y_;
    double length = std::hypot(dx, dy);
    double at = 0.0;
    double from = 0.0;
    int guard = 0;
    while (length - at > c.dash_left) {
        at += c.dash_left;
        if (c.dash_drawn && at > from)
            emit(x_ + dx * from / length, y_ + dy * from / length, x_ + dx * at / length, y_ + dy * at / length);
        from = at;
        c.dash_drawn = !c.dash_drawn;
        c.dash_index = (c.dash_index + 1) % std::max(c.dash.count, 1);
        c.dash_left = std::max(c.dash.length[static_cast<std::size_t>(c.dash_index)], 1.0);
        // Lines far longer than any page would take endless pieces.
        if (++guard > 1000000)
            break;
    }
    if (c.dash_drawn && length > from)
        emit(x_ + dx * from / length, y_ + dy * from / length, x, y);
    c.dash_left -= length - at;
}

void LinePen::emit(double ax, double ay, double bx, double by)
{
    if (!clip_segment(clip_, ax, ay, bx, by))
        return;
    if (!pen_known_ || ax != pen_x_ || ay != pen_y_)
        plot_vector(ax, ay, 3);
    plot_vector(bx, by, 2);
    pen_known_ = true;
    pen_x_ = bx;
    pen_y_ = by;
}

namespace {

// One pass of draw_paths: each path shifted by offset across its segments;
// segments of no length are passed over when shifted, as they have no direction.
class ShiftedPen final : public PathSink {
public:
    ShiftedPen(LinePen& pen, double offset) : pen_(pen), offset_(offset) {}

    void begin(FillPoint p) override
    {
        if (offset_ == 0.0)
            pen_.move(p.x, p.y);
        last_ = p;
        started_ = false;
    }

    void next(FillPoint p) override
    {
        if (offset_ == 0.0) {
            pen_.draw(p.x, p.y);
            return;
        }
        FillPoint from = last_;
        last_ = p;
        double dx = p.x - from.x;
        double dy = p.y - from.y;
        double length = std::hypot(dx, dy);
        if (!(length > 0))
            return;
        double ox = -dy / length * offset_;
        double oy = dx / length * offset_;
        if (!started_)
            pen_.move(from.x + ox, from.y + oy);
        else
            pen_.draw(from.x + ox, from.y + oy);
        pen_.draw(p.x + ox, p.y + oy);
        started_ = true;
    }

private:
    LinePen& pen_;
    double offset_;
    FillPoint last_{0, 0};
    bool started_ = false;
};

}  // namespace

void draw_paths(const PathWalk& walk, int thickness, const ClipRect* clip)
{
    CurveAttributes& c = state().curves;
    int start_index = c.dash_index;
    double start_left = c.dash_left;
    bool start_drawn = c.dash_drawn;
    for (int pass = 0; pass < std::max(thickness, 1); ++pass) {
        if (pass > 0) {
            c.dash_index = start_index;
            c.dash_left = start_left;
            c.dash_drawn = start_drawn;
        }
        double offset = (pass + 1) / 2 * (pass % 2 == 1 ? 1 : -1);
        LinePen pen(true, clip);
        ShiftedPen shifted(pen, offset);
        walk(shifted);
    }
}

void draw_paths(std::span<const LinePath> paths, int thickness, const ClipRect* clip)
{
    draw_paths(
        [paths](PathSink& sink) {
            for (const LinePath& path : paths) {
                if (path.empty())
                    continue;
                sink.begin(path[0]);
                for (std::size_t i = 1; i < path.size(); ++i)
                    sink.next(path[i]);
            }
        },
        thickness, clip);
}

}  // namespace korvan
