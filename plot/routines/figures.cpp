// Geometric figures: every figure becomes paths in plot coordinates, drawn in
// the current line style and curve thickness, and areas that are outlined and
// filled with the current shading pattern.
#include "plot/routines/figures.hpp"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <initializer_list>
#include <numbers>
#include <utility>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/clipping.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"

namespace korvan {

namespace {

constexpr double two_pi = 2 * std::numbers::pi;
constexpr double degree = std::numbers::pi / 180;
constexpr int arc_segment_limit = 1000;
constexpr int rlarea_limit = 2000;
constexpr int default_head_length = 40;

bool pattern_selected()
{
    const ShadingAttributes& a = state().shading;
    return hatch_lines(a.hatch_type, a.hatch_density).distance > 0;
}

void draw_path(const LinePath& path) { draw_paths({&path, 1}, state().curves.thickness, nullptr); }

LinePath closed(LinePath polygon)
{
    if (!polygon.empty())
        polygon.push_back(polygon.front());
    return polygon;
}

// Fills a polygon with the current pattern, cut to the clipping window.
void fill_with_pattern(const LinePath& polygon)
{
    ClipRect window;
    fill_area_keeping_line_style(polygon, clipping_window(window) ? &window : nullptr);
}

// An area: its closed outline when outlines are on, then its filling when a
// shading pattern is selected.
void draw_area(const LinePath& polygon)
{
    if (polygon.size() < 2)
        return;
    if (state().figures.outline)
        draw_path(closed(polygon));
    if (polygon.size() >= 3 && pattern_selected())
        fill_with_pattern(polygon);
}

// A polygon filled solidly in colour index ncol; the current colour stays.
void fill_in_colour(const LinePath& polygon, int ncol)
{
    PlotState& s = state();
    int colour = s.current_colour;
    if (ncol != colour)
        select_colour(ncol);
    ClipRect window;
    fill_solid(polygon, clipping_window(window) ? &window : nullptr);
    if (s.current_colour != colour)
        select_colour(colour);
}

// A rectangle filled in colour index ncol from (x, y), w by h plot units.
void rectangle_in_colour(double x, double y, double w, double h, int ncol)
{
    PlotState& s = state();
    int colour = s.current_colour;
    if (ncol != colour)
        select_colour(ncol);
    fill_rectangle(x, y, w, h);
    if (s.current_colour != colour)
        select_colour(colour);
}

// User points in plot coordinates: false with warning 27 for a value not above
// 0 on a logarithmic axis. Points outside the axis scaling are listed as CURVE
// lists them (with the range check on); outside tells whether there was one.
using UserPoint = std::pair<double, double>;

bool user_to_plot(std::span<const UserPoint> points, LinePath& out, bool* outside = nullptr)
{
    PlotState& s = state();
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];
    for (auto [x, y] : points) {
        if ((tx.log && !(x > 0)) || (ty.log && !(y > 0))) {
            warning(27);
            return false;
        }
    }
    bool any_outside = false;
    for (auto [x, y] : points) {
        if (outside_axis(x, tx) || outside_axis(y, ty)) {
            any_outside = true;
            if (s.curves.range_check && s.message_unit != 0)
                message_print(out_of_axis_line(x, y));
        }
        out.push_back({plot_x(tx, x), plot_y(ty, y)});
    }
    if (outside != nullptr)
        *outside = any_outside;
    return true;
}

bool user_to_plot(std::initializer_list<UserPoint> points, LinePath& out, bool* outside = nullptr)
{
    return user_to_plot(std::span(points.begin(), points.size()), out, outside);
}

// A point of plot coordinates on the page: moved by the origin of ORIGIN, as
// texts and symbols are. User coordinates are converted to page points.
FillPoint on_page(double nx, double ny)
{
    const PlotState& s = state();
    return {nx + s.origin_x, ny + s.origin_y};
}

int rounded(double v) { return static_cast<int>(std::lround(std::clamp(v, -1e9, 1e9))); }

// A rectangle of user coordinates hanging down from its upper left corner
// (x, y), w wide and h high, in plot coordinates.
struct PlotRectangle {
    int nx = 0;
    int ny = 0;
    int nw = 0;
    int nh = 0;
};

bool user_rectangle(double x, double y, double w, double h, PlotRectangle& r)
{
    LinePath corners;
    if (!user_to_plot({{x, y}, {x + w, y - h}}, corners))
        return false;
    r = {rounded(corners[0].x), rounded(corners[0].y), rounded(std::fabs(corners[1].x - corners[0].x)),
         rounded(std::fabs(corners[1].y - corners[0].y))};
    return true;
}

// The points of an elliptic arc with half axes a (x) and b (y) around (0, 0),
// y growing downwards as on the page, from alpha to beta degrees; empty when
// the arc has no segment. full tells whether it goes all round.
LinePath arc_points(int a, int b, double alpha, double beta, bool& full)
{
    LinePath points;
    full = false;
    double start = std::fmod(alpha * degree, two_pi);
    double end = std::fmod(beta * degree, two_pi);
    if (!std::isfinite(start) || !std::isfinite(end))
        return points;
    if (start < 0)
        start += two_pi;
    if (end < 0)
        end += two_pi;
    if (end <= start)
        end += two_pi;
    double span = end - start;
    full = span > 6.28;
    double segments = std::trunc(std::max(a, b) * span / state().figures.arc_spacing);
    int n = static_cast<int>(std::min<double>(segments, arc_segment_limit));
    if (n <= 0)
        return points;
    bool polar = a != b && !full;
    auto at = [&](double t) -> FillPoint {
        if (!polar)
            return {a * std::cos(t), -b * std::sin(t)};
        double c = std::cos(t) / a;
        double s = std::sin(t) / b;
        double r = 1 / std::sqrt(c * c + s * s);
        return {r * std::cos(t), -r * std::sin(t)};
    };
    double step = span / n;
    points.reserve(static_cast<std::size_t>(n) + 3);
    for (int i = 0; i < n; ++i)
        points.push_back(at(start + i * step));
    points.push_back(at(end));
    return points;
}

// The arc from alpha to beta degrees as arc_points draws it: the start in
// 0 to 360, the end above the start.
void arc_degrees(double alpha, double beta, double& from, double& to)
{
    from = std::fmod(alpha, 360.0);
    to = std::fmod(beta, 360.0);
    if (from < 0)
        from += 360.0;
    if (to < 0)
        to += 360.0;
    if (to <= from)
        to += 360.0;
}

// Whether a filling in the current colour is solid (SHDPAT 16).
bool solid_pattern_selected() { return state().shading.pattern == 16 && pattern_selected(); }

// Whether sectors are filled as true arcs by the device: on PostScript, where
// no clipping window cuts them (the sector operator is not clipped).
bool device_fills_sectors()
{
    // A sector moved by the plane of GRFINI or the base transformation is
    // no true sector any more: it is filled as the polygon of its points.
    ClipRect window;
    return postscript_active() && !clipping_window(window) && !page_transformed();
}

// Turns points about (0, 0) by theta degrees counter-clockwise as seen on the
// page, then moves them to (cx, cy).
void place(LinePath& points, double cx, double cy, double theta)
{
    bool turn = std::fabs(theta) > 0.001;
    double c = std::cos(theta * degree);
    double s = std::sin(theta * degree);
    for (FillPoint& p : points) {
        if (turn)
            p = {p.x * c + p.y * s, -p.x * s + p.y * c};
        p.x += cx;
        p.y += cy;
    }
}

// The radius in plot units of a user length r along the X (or Y) axis at v.
bool user_radius(double v, double r, bool along_x, int& out)
{
    const AxisTransform& t = state().axes.transform[along_x ? 0 : 1];
    if (t.log && (!(v > 0) || !(v + r > 0))) {
        warning(27);
        return false;
    }
    double d = along_x ? plot_x(t, v + r) - plot_x(t, v) : plot_y(t, v + r) - plot_y(t, v);
    out = rounded(std::fabs(d));
    return true;
}

// The corners of a rectangle from (nx, ny) with nw by nh plot units; negative
// sizes lie on the other side of the corner.
void rectangle_corners(int nx, int ny, int nw, int nh, double& x0, double& y0, double& x1, double& y1)
{
    // In floating point: a corner and a size near the ends of INT do not overflow.
    x1 = static_cast<double>(nx) + (nw > 0 ? nw - 1 : nw + 1);
    y1 = static_cast<double>(ny) + (nh > 0 ? nh - 1 : nh + 1);
    x0 = std::min<double>(nx, x1);
    x1 = std::max<double>(nx, x1);
    y0 = std::min<double>(ny, y1);
    y1 = std::max<double>(ny, y1);
}

// One arrow head at tip, pointing along (dx, dy) (unit vector).
void arrow_head(FillPoint tip, double dx, double dy, double length, int form)
{
    double half_width = length * std::tan(15 * degree);
    FillPoint base{tip.x - dx * length, tip.y - dy * length};
    FillPoint left{base.x - dy * half_width, base.y + dx * half_width};
    FillPoint right{base.x + dy * half_width, base.y - dx * half_width};
    if (form == 0) {
        draw_path({left, tip, right});
        return;
    }
    LinePath triangle{left, tip, right};
    if (form == 1)
        fill_in_colour(triangle, state().current_colour);
    draw_path(closed(triangle));
}

void draw_rectangle(int nx, int ny, int nw, int nh)
{
    if (nw == 0 || nh == 0) {
        warning_int(2, nw == 0 ? nw : nh);
        return;
    }
    double x0, y0, x1, y1;
    rectangle_corners(nx, ny, nw, nh, x0, y0, x1, y1);
    draw_area({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
}

void draw_point(int nx, int ny, int nb, int nh, int ncol)
{
    if (range_check(ncol, 0, 255))
        return;
    if (nb < 1 || nh < 1) {
        warning_int(2, nb < 1 ? nb : nh);
        return;
    }
    rectangle_in_colour(nx + nb / 2 - nb + 1, ny - nh / 2, nb, nh, ncol);
}

void draw_arc(int nx, int ny, int na, int nb, double alpha, double beta, double theta)
{
    if (na < 1 || nb < 1) {
        warning_int(2, na < 1 ? na : nb);
        return;
    }
    bool full = false;
    LinePath points = arc_points(na, nb, alpha, beta, full);
    if (points.empty())
        return;
    bool filled = pattern_selected();
    if (!full && filled) {
        points.push_back({0, 0});
        points.push_back(points.front());
    }
    place(points, nx, ny, theta);
    if (state().figures.outline)
        draw_path(points);
    if (filled && points.size() >= 3)
        fill_with_pattern(points);
}

void draw_user_arc(double xm, double ym, double a, double b, double alpha, double beta, double theta)
{
    LinePath centre;
    int na = 0;
    int nb = 0;
    if (!user_to_plot({{xm, ym}}, centre) || !user_radius(xm, a, true, na) || !user_radius(ym, b, false, nb))
        return;
    draw_arc(rounded(centre[0].x), rounded(centre[0].y), na, nb, alpha, beta, theta);
}

void draw_sector(int nx, int ny, int nr1, int nr2, double alpha, double beta, int ncol)
{
    if (nr1 < 0 || nr2 < 1 || nr1 >= nr2) {
        warning_int(2, nr2 < 1 ? nr2 : nr1);
        return;
    }
    if (range_check(ncol, -1, 255))
        return;
    bool full = false;
    LinePath outer = arc_points(nr2, nr2, alpha, beta, full);
    if (outer.empty())
        return;
    LinePath inner;
    if (nr1 > 0) {
        bool inner_full = false;
        inner = arc_points(nr1, nr1, alpha, beta, inner_full);
        place(inner, nx, ny, 0);
    }
    place(outer, nx, ny, 0);
    LinePath polygon = outer;
    if (inner.empty())
        polygon.push_back({static_cast<double>(nx), static_cast<double>(ny)});
    else
        polygon.insert(polygon.end(), inner.rbegin(), inner.rend());
    if (ncol >= 0) {
        if (device_fills_sectors()) {
            // PostScript fills the true ring sector.
            double from = 0;
            double to = 0;
            arc_degrees(alpha, beta, from, to);
            postscript_fill_sector(nx, ny, nr1, nr2, from, to, ncol);
        } else {
            fill_in_colour(polygon, ncol);
        }
    }
    if (!state().figures.outline)
        return;
    if (full) {
        // A ring: the two circles, without the seam that joins them.
        draw_path(outer);
        if (!inner.empty())
            draw_path(inner);
    } else {
        draw_path(closed(polygon));
    }
}

void draw_rounded_rectangle(int nx, int ny, int nw, int nh, int iopt)
{
    if (nw == 0 || nh == 0 || iopt < 0) {
        warning_int(2, iopt < 0 ? iopt : (nw == 0 ? nw : nh));
        return;
    }
    double x0, y0, x1, y1;
    rectangle_corners(nx, ny, nw, nh, x0, y0, x1, y1);
    int r = static_cast<int>(std::min({static_cast<double>(iopt), (x1 - x0) / 2, (y1 - y0) / 2}));
    if (r < 1) {
        draw_area({{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}});
        return;
    }
    // Quarter circles at the corners, counter-clockwise from the upper right.
    LinePath outline;
    const struct {
        double cx, cy, from;
    } corners[] = {{x1 - r, y0 + r, 0}, {x0 + r, y0 + r, 90}, {x0 + r, y1 - r, 180}, {x1 - r, y1 - r, 270}};
    for (const auto& c : corners) {
        bool full = false;
        LinePath quarter = arc_points(r, r, c.from, c.from + 90, full);
        if (quarter.empty())
            quarter = {{r * std::cos(c.from * degree), -r * std::sin(c.from * degree)}};
        place(quarter, c.cx, c.cy, 0);
        outline.insert(outline.end(), quarter.begin(), quarter.end());
    }
    draw_area(outline);
}


}  // namespace

// --- Lines -------------------------------------------------------------------

void line(int nx1, int ny1, int nx2, int ny2)
{
    if (level_check(1, 3, "line"))
        return;
    draw_path({on_page(nx1, ny1), on_page(nx2, ny2)});
}

namespace {

void move_pen(double x, double y)
{
    FillPoint p = on_page(x, y);
    FigurePen& pen = state().figure_pen;
    pen = FigurePen{};
    pen.placed = true;
    pen.x = p.x;
    pen.y = p.y;
}

// Draws on from the pen. A single line continues the open polyline: when the
// device pen still stands where the previous CONNPT left it, no move is sent.
void draw_pen(double x, double y)
{
    PlotState& s = state();
    FigurePen& fp = s.figure_pen;
    FillPoint p = on_page(x, y);
    if (fp.placed && s.curves.thickness > 1) {
        draw_path({{fp.x, fp.y}, p});
        fp.device_known = false;
    } else if (fp.placed) {
        LinePen pen;
        pen.move(fp.x, fp.y);
        if (fp.device_known && fp.vectors == s.vector_count)
            pen.resume({true, fp.device_x, fp.device_y});
        pen.draw(p.x, p.y);
        LinePen::DevicePen at = pen.device_pen();
        fp.device_known = at.known;
        fp.device_x = at.x;
        fp.device_y = at.y;
        fp.vectors = s.vector_count;
    }
    fp.placed = true;
    fp.x = p.x;
    fp.y = p.y;
}

}  // namespace

void strtpt(double x, double y)
{
    if (level_check(1, 3, "strtpt"))
        return;
    move_pen(x, y);
}

void connpt(double x, double y)
{
    if (level_check(1, 3, "connpt"))
        return;
    draw_pen(x, y);
}

void xmove(double x, double y)
{
    if (level_check(1, 3, "xmove"))
        return;
    move_pen(x, y);
}

void xdraw(double x, double y)
{
    if (level_check(1, 3, "xdraw"))
        return;
    draw_pen(x, y);
}

void rline(double x1, double y1, double x2, double y2)
{
    if (level_check(2, 3, "rline"))
        return;
    LinePath path;
    if (user_to_plot({{x1, y1}, {x2, y2}}, path))
        draw_path(path);
}

// --- Areas and rectangles ------------------------------------------------------

void areaf(std::span<const int> nx, std::span<const int> ny, int n)
{
    if (level_check(1, 3, "areaf"))
        return;
    if (n < 2 || static_cast<std::size_t>(n) > nx.size() || static_cast<std::size_t>(n) > ny.size()) {
        warning_int(2, n);
        return;
    }
    LinePath polygon(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < polygon.size(); ++i)
        polygon[i] = on_page(nx[i], ny[i]);
    draw_area(polygon);
}

void rlarea(std::span<const float> x, std::span<const float> y, int n)
{
    if (level_check(2, 3, "rlarea"))
        return;
    if (n < 2 || n > rlarea_limit || static_cast<std::size_t>(n) > x.size() ||
        static_cast<std::size_t>(n) > y.size()) {
        warning_int(2, n);
        return;
    }
    std::vector<UserPoint> points(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < points.size(); ++i)
        points[i] = {x[i], y[i]};
    LinePath polygon;
    if (!user_to_plot(points, polygon))
        return;
    draw_area(polygon);
}

void rectan(int nx, int ny, int nw, int nh)
{
    if (level_check(1, 3, "rectan"))
        return;
    const PlotState& s = state();
    draw_rectangle(nx + s.origin_x, ny + s.origin_y, nw, nh);
}

void rlrec(double x, double y, double w, double h)
{
    if (level_check(2, 3, "rlrec"))
        return;
    PlotRectangle r;
    if (user_rectangle(x, y, w, h, r))
        draw_rectangle(r.nx, r.ny, r.nw, r.nh);
}

void recfll(int nx, int ny, int nw, int nh, int ncol)
{
    if (level_check(1, 3, "recfll"))
        return;
    if (range_check(ncol, 0, 255))
        return;
    if (nw < 1 || nh < 1) {
        warning_int(2, nw < 1 ? nw : nh);
        return;
    }
    FillPoint p = on_page(nx, ny);
    rectangle_in_colour(p.x, p.y, nw, nh, ncol);
}

void point(int nx, int ny, int nb, int nh, int ncol)
{
    if (level_check(1, 3, "point"))
        return;
    const PlotState& s = state();
    draw_point(nx + s.origin_x, ny + s.origin_y, nb, nh, ncol);
}

void rlpoin(double x, double y, int nb, int nh, int ncol)
{
    if (level_check(2, 3, "rlpoin"))
        return;
    LinePath p;
    bool outside = false;
    if (!user_to_plot({{x, y}}, p, &outside) || outside)
        return;
    draw_point(rounded(p[0].x), rounded(p[0].y), nb, nh, ncol);
}

// --- Circles, ellipses and arcs ---------------------------------------------------

void circle(int nx, int ny, int nr)
{
    if (level_check(1, 3, "circle"))
        return;
    const PlotState& s = state();
    draw_arc(nx + s.origin_x, ny + s.origin_y, nr, nr, 0, 360, 0);
}

void ellips(int nx, int ny, int na, int nb)
{
    if (level_check(1, 3, "ellips"))
        return;
    const PlotState& s = state();
    draw_arc(nx + s.origin_x, ny + s.origin_y, na, nb, 0, 360, 0);
}

void arcell(int nx, int ny, int na, int nb, double alpha, double beta, double theta)
{
    if (level_check(1, 3, "arcell"))
        return;
    const PlotState& s = state();
    draw_arc(nx + s.origin_x, ny + s.origin_y, na, nb, alpha, beta, theta);
}

void rlcirc(double xm, double ym, double r)
{
    if (level_check(2, 3, "rlcirc"))
        return;
    LinePath centre;
    int radius = 0;
    if (!user_to_plot({{xm, ym}}, centre) || !user_radius(xm, r, true, radius))
        return;
    draw_arc(rounded(centre[0].x), rounded(centre[0].y), radius, radius, 0, 360, 0);
}

void rlell(double xm, double ym, double a, double b)
{
    if (level_check(2, 3, "rlell"))
        return;
    draw_user_arc(xm, ym, a, b, 0, 360, 0);
}

void rlarc(double xm, double ym, double a, double b, double alpha, double beta, double theta)
{
    if (level_check(2, 3, "rlarc"))
        return;
    draw_user_arc(xm, ym, a, b, alpha, beta, theta);
}

// --- Sectors, pie slices and rounded rectangles -------------------------------------

void sector(int nx, int ny, int nr1, int nr2, double alpha, double beta, int ncol)
{
    if (level_check(1, 3, "sector"))
        return;
    const PlotState& s = state();
    draw_sector(nx + s.origin_x, ny + s.origin_y, nr1, nr2, alpha, beta, ncol);
}

void rlsec(double xm, double ym, double r1, double r2, double alpha, double beta, int ncol)
{
    if (level_check(2, 3, "rlsec"))
        return;
    LinePath centre;
    int n1 = 0;
    int n2 = 0;
    if (!user_to_plot({{xm, ym}}, centre) || !user_radius(xm, r1, true, n1) || !user_radius(xm, r2, true, n2))
        return;
    draw_sector(rounded(centre[0].x), rounded(centre[0].y), n1, n2, alpha, beta, ncol);
}

void pie(int nx, int ny, int nr, double alpha, double beta)
{
    if (level_check(1, 3, "pie"))
        return;
    if (nr < 1) {
        warning_int(2, nr);
        return;
    }
    FillPoint centre = on_page(nx, ny);
    draw_pie_slice(centre.x, centre.y, nr, alpha, beta);
}

void draw_pie_slice(double cx, double cy, int nr, double alpha, double beta)
{
    bool full = false;
    LinePath points = arc_points(nr, nr, alpha, beta, full);
    if (points.empty())
        return;
    if (!full)
        points.push_back({0, 0});
    else
        points.pop_back();  // the closing point comes with the area
    place(points, cx, cy, 0);
    if (device_fills_sectors() && solid_pattern_selected()) {
        // PostScript fills the true slice: a ring sector from the centre.
        if (state().figures.outline)
            draw_path(closed(points));
        double from = 0;
        double to = 0;
        arc_degrees(alpha, beta, from, to);
        postscript_fill_sector(cx, cy, 0, nr, from, to, state().current_colour);
        return;
    }
    draw_area(points);
}

void rndrec(int nx, int ny, int nw, int nh, int iopt)
{
    if (level_check(1, 3, "rndrec"))
        return;
    const PlotState& s = state();
    draw_rounded_rectangle(nx + s.origin_x, ny + s.origin_y, nw, nh, iopt);
}

void rlrnd(double x, double y, double w, double h, int iopt)
{
    if (level_check(2, 3, "rlrnd"))
        return;
    PlotRectangle r;
    if (user_rectangle(x, y, w, h, r))
        draw_rounded_rectangle(r.nx, r.ny, r.nw, r.nh, iopt);
}

// --- Arrows ---------------------------------------------------------------------------

bool arrow_code_valid(int ivec) { return ivec >= 0 && ivec % 10 <= 3 && ivec / 10 % 10 <= 2; }

void draw_arrow(int nx1, int ny1, int nx2, int ny2, int ivec)
{
    if (!arrow_code_valid(ivec)) {
        warning_int(2, ivec);
        return;
    }
    int where = ivec % 10;
    int form = ivec / 10 % 10;
    FillPoint from{static_cast<double>(nx1), static_cast<double>(ny1)};
    FillPoint to{static_cast<double>(nx2), static_cast<double>(ny2)};
    draw_path({from, to});
    double length = std::hypot(to.x - from.x, to.y - from.y);
    if (where == 0 || !(length > 0))
        return;
    double head = ivec / 100 > 0 ? ivec / 100 : default_head_length;
    double dx = (to.x - from.x) / length;
    double dy = (to.y - from.y) / length;
    if (where == 1 || where == 2)
        arrow_head(to, dx, dy, head, form);
    if (where == 2 || where == 3)
        arrow_head(from, -dx, -dy, head, form);
}

void vector(int nx1, int ny1, int nx2, int ny2, int ivec)
{
    if (level_check(1, 3, "vector"))
        return;
    const PlotState& s = state();
    draw_arrow(nx1 + s.origin_x, ny1 + s.origin_y, nx2 + s.origin_x, ny2 + s.origin_y, ivec);
}

void rlvec(double x1, double y1, double x2, double y2, int ivec)
{
    if (level_check(2, 3, "rlvec"))
        return;
    LinePath ends;
    if (!user_to_plot({{x1, y1}, {x2, y2}}, ends))
        return;
    draw_arrow(rounded(ends[0].x), rounded(ends[0].y), rounded(ends[1].x), rounded(ends[1].y), ivec);
}

// --- Settings ---------------------------------------------------------------------------

void circsp(int n)
{
    soft_level_check("circsp");
    if (range_check(n, 1, 10000))
        return;
    state().figures.arc_spacing = n;
}

void noarln()
{
    soft_level_check("noarln");
    state().figures.outline = false;
}

}  // namespace korvan
