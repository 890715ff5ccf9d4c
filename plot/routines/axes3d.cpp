// GRAF3D, the viewpoint, the box axes and the 3-D conversion functions.
#include "plot/routines/axes3d.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/projection.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr long tick_limit = 10000;

struct Screen {
    double x;
    double y;
};

Screen project(const ShadingAttributes& a, const BoxPoint& p)
{
    Screen s{};
    box_to_plot(a, p, s.x, s.y);
    return s;
}

// One box axis: the edge from `from` to `to` (box points at the axis start
// and end) and the outward direction of its ticks and labels.
struct BoxAxis {
    int axis;
    BoxPoint from;
    BoxPoint to;
    BoxPoint outward;
};

BoxPoint along(const BoxAxis& b, double f)
{
    return {b.from[0] + (b.to[0] - b.from[0]) * f, b.from[1] + (b.to[1] - b.from[1]) * f,
            b.from[2] + (b.to[2] - b.from[2]) * f};
}

BoxPoint out(const BoxPoint& p, const BoxPoint& dir, double d)
{
    return {p[0] + dir[0] * d, p[1] + dir[1] * d, p[2] + dir[2] * d};
}

void line(const ShadingAttributes& a, const BoxPoint& p, const BoxPoint& q)
{
    Screen s = project(a, p);
    Screen e = project(a, q);
    plot_vector(s.x, s.y, 3);
    plot_vector(e.x, e.y, 2);
}

bool same_point(const BoxPoint& p, const BoxPoint& q)
{
    return std::fabs(p[0] - q[0]) + std::fabs(p[1] - q[1]) + std::fabs(p[2] - q[2]) < 1e-9;
}

// Whether the axis starts at a corner where another of the box axes starts or ends.
bool starts_where_axes_meet(const BoxAxis& b, const std::vector<BoxAxis>& all)
{
    for (const BoxAxis& other : all)
        if (other.axis != b.axis && (same_point(b.from, other.from) || same_point(b.from, other.to)))
            return true;
    return false;
}

// Draws one box axis; the side level decides ticks, labels and the name. The
// first label is left out where the axis starts at a corner shared with
// another axis, so that the labels of the two do not run into each other,
// unless FLAB3D asks for it.
void draw_box_axis(PlotState& s, const BoxAxis& b, int level, bool first_label)
{
    const ShadingAttributes& a = s.shading;
    const AxisSettings& set = s.axes.axis[static_cast<std::size_t>(b.axis)];
    const AxisTransform& t = a.box_axis[static_cast<std::size_t>(b.axis)];
    double unit = 1.0 / std::max(a.scale, 1e-9);  // box units per plot unit
    line(a, b.from, b.to);
    auto fraction = [&](double v) { return (v - t.start) / (t.end - t.start); };
    double low = std::min(t.start, t.end);
    double high = std::max(t.start, t.end);
    double step = std::fabs(t.step);
    bool ticks_drawn = level >= 2 && set.ticks >= 1;
    if (ticks_drawn && step > 0) {
        double tick_step = step / set.ticks;
        double d0 = std::ceil((low - t.first_label) / tick_step - 1e-9);
        double d1 = std::floor((high - t.first_label) / tick_step + 1e-9);
        if (d1 - d0 <= tick_limit && std::fabs(d0) < 1e15) {
            for (long i = static_cast<long>(d0); i <= static_cast<long>(d1); ++i) {
                double v = t.first_label + i * tick_step;
                double length = (i % set.ticks == 0 ? s.axes.major_tick : s.axes.minor_tick) * unit;
                BoxPoint p = along(b, fraction(v));
                line(a, p, out(p, b.outward, length));
            }
        }
    }
    Screen o0 = project(a, along(b, 0.5));
    Screen o1 = project(a, out(along(b, 0.5), b.outward, 0.1));
    double dx = o1.x - o0.x;
    double dy = o1.y - o0.y;
    double dl = std::hypot(dx, dy);
    if (!(dl > 1e-9)) {
        dx = 0;
        dy = 1;
    } else {
        dx /= dl;
        dy /= dl;
    }
    double h = s.text.height;
    double distance = set.label_distance + (ticks_drawn && set.tick_position == 0 ? s.axes.major_tick : 0);
    double reach = distance;
    if (level >= 3 && set.label_type != LabelType::none) {
        TextRequest request;
        request.justification = 0;
        request.angle = 0;
        request.force_control = label_raises(set.label_type);
        NumberStyle style = number_style();
        for (double v : label_values(t)) {
            if (!first_label && std::fabs(fraction(v)) < 1e-9)
                continue;
            int n = static_cast<int>(std::lround((v - t.first_label) / t.step)) + 1;
            std::string text = label_text(v, set.label_type, set.digits, b.axis, style, set, n);
            double w = text_length(text, request);
            Screen anchor = project(a, out(along(b, fraction(v)), b.outward, distance * unit));
            double half = w / 2 * std::fabs(dx) + h / 2 * std::fabs(dy);
            double cx = anchor.x + dx * half;
            double cy = anchor.y + dy * half;
            draw_text(text, cx - w / 2, cy - h / 2, request);
            reach = std::max(reach, distance + 2 * half);
        }
    }
    if (level >= 4 && !set.name.empty()) {
        double nh = s.axes.name_height;
        TextRequest request;
        request.justification = 0;
        request.height = nh;
        Screen p = project(a, b.from);
        Screen q = project(a, b.to);
        double angle = b.axis == 2 ? 90 : std::atan2(-(q.y - p.y), q.x - p.x) * 180 / pi;
        if (angle > 90)
            angle -= 180;
        else if (angle <= -90)
            angle += 180;
        if (!std::isfinite(angle))
            angle = 0;
        request.angle = angle;
        double w = text_length(set.name, request);
        double off = reach + set.name_distance + nh / 2;
        double cx = o0.x + dx * off;
        double cy = o0.y + dy * off;
        double r = angle * pi / 180;
        double ux = std::cos(r), uy = -std::sin(r);
        double vx = std::sin(r), vy = std::cos(r);
        draw_text(set.name, cx - ux * w / 2 - vx * nh / 2, cy - uy * w / 2 - vy * nh / 2, request);
    }
}

void draw_box_axes(PlotState& s)
{
    const ShadingAttributes& a = s.shading;
    double hx = a.box[0] / 2;
    double hy = a.box[1] / 2;
    double hz = a.box[2] / 2;
    double sy = a.eye[1] <= 0 ? -1 : 1;
    double sx = a.eye[0] >= 0 ? 1 : -1;
    // X along the bottom edge facing the viewer, Y along the other one.
    BoxAxis x_axis{0, {-hx, sy * hy, -hz}, {hx, sy * hy, -hz}, {0, sy, 0}};
    BoxAxis y_axis{1, {sx * hx, -hy, -hz}, {sx * hx, hy, -hz}, {sx, 0, 0}};
    // Z on the vertical edge that lies furthest left on the page.
    double best = 1e300;
    BoxAxis z_axis{2, {-hx, -hy, -hz}, {-hx, -hy, hz}, {-1, 0, 0}};
    for (double cx : {-1.0, 1.0}) {
        for (double cy : {-1.0, 1.0}) {
            Screen p = project(a, {cx * hx, cy * hy, 0});
            if (p.x < best) {
                best = p.x;
                Screen ex = project(a, {cx * hx * 1.5, cy * hy, 0});
                Screen ey = project(a, {cx * hx, cy * hy * 1.5, 0});
                BoxPoint dir = ex.x < ey.x ? BoxPoint{cx, 0, 0} : BoxPoint{0, cy, 0};
                z_axis = {2, {cx * hx, cy * hy, -hz}, {cx * hx, cy * hy, hz}, dir};
            }
        }
    }
    int level = 4;
    const std::vector<BoxAxis> axes = {x_axis, y_axis, z_axis};
    for (const BoxAxis& b : axes)
        draw_box_axis(s, b, level, a.corner_labels || !starts_where_axes_meet(b, axes));
}

bool inside_box(const BoxPoint& v, const std::array<double, 3>& box)
{
    for (std::size_t k = 0; k < 3; ++k)
        if (std::fabs(v[k]) > box[k] / 2)
            return false;
    return true;
}

}  // namespace

bool box_system_ready(const char* routine)
{
    if (level_check(3, 3, routine))
        return false;
    if (state().shading.system != 2) {
        warning(35);
        return false;
    }
    return true;
}

void graf3d(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep,
            double za, double ze, double zor, double zstep)
{
    if (level_check(1, 1, "graf3d"))
        return;
    PlotState& s = state();
    ShadingAttributes& a = s.shading;
    AxisAttributes& ax = s.axes;
    double values[3][4] = {{xa, xe, xor_, xstep}, {ya, ye, yor, ystep}, {za, ze, zor, zstep}};
    int lengths[3] = {s.axis_length_x, s.axis_length_x, s.axis_length_y};
    bool ok = true;
    for (int k = 0; k < 3; ++k)
        ok = complete_axis(k, values[k], lengths[k]) && ok;
    if (!ok)
        return;
    std::array<double, 4>* graf_values[3] = {&ax.graf_x, &ax.graf_y, &ax.graf_z};
    for (int k = 0; k < 3; ++k) {
        std::size_t i = static_cast<std::size_t>(k);
        std::copy(values[k], values[k] + 4, graf_values[k]->begin());
        set_axis_transform(a.box_axis[i], values[k][0], values[k][1], values[k][2], values[k][3], 0, 2, ax.axis[i]);
    }
    // The 2-D axis rectangle that holds the projected box.
    AxisRectangle r = next_axis_rectangle(s);
    ax.nxa = r.nxa;
    ax.nya = r.nya;
    ax.nxl = r.nxl;
    ax.nyl = r.nyl;
    set_axis_transform(ax.transform[0], values[0][0], values[0][1], values[0][2], values[0][3], ax.nxa, ax.nxl,
                       ax.axis[0]);
    set_axis_transform(ax.transform[1], values[1][0], values[1][1], values[1][2], values[1][3], ax.nya, ax.nyl,
                       ax.axis[1]);
    ax.curve_count = 0;
    set_axis_transform(a.z, values[2][0], values[2][1], values[2][2], values[2][3], ax.nya, ax.nyl, ax.axis[2]);
    set_colour_scaling(values[2][0], values[2][1], a.z.log);

    // The viewpoint.
    const std::array<double, 3>& box = a.box;
    BoxPoint eye{2 * box[0], -2.5 * box[1], 2 * box[2]};
    bool given = false;
    BoxPoint v{};
    if (a.view_mode == 1) {
        v = a.view;
        given = true;
    } else if (a.view_mode == 2) {
        for (std::size_t k = 0; k < 3; ++k)
            v[k] = user_to_box(a, static_cast<int>(k), a.view[k]);
        given = true;
    } else if (a.view_mode == 3) {
        double a1 = a.view[0] * pi / 180;
        double a2 = a.view[1] * pi / 180;
        double r = a.view[2];
        v = {std::sin(a1) * std::cos(a2) * r, std::cos(a1) * std::cos(a2) * r, std::sin(a2) * r};
        given = true;
    }
    if (given) {
        bool finite = std::isfinite(v[0]) && std::isfinite(v[1]) && std::isfinite(v[2]);
        if (!finite || inside_box(v, box))
            warning(33);
        else
            eye = v;
    }
    // Half the smaller side of the axis rectangle is the largest distance of
    // a projected box corner from the centre, so the box fits the rectangle.
    set_projection(a, eye, 0, 0, 1);
    double extent = 0;
    for (double cx : {-0.5, 0.5})
        for (double cy : {-0.5, 0.5})
            for (double cz : {-0.5, 0.5}) {
                double px = 0, py = 0;
                box_to_plot(a, {cx * box[0], cy * box[1], cz * box[2]}, px, py);
                extent = std::max({extent, std::fabs(px), std::fabs(py)});
            }
    if (!(extent > 1e-9) || !std::isfinite(extent))
        extent = 1;
    set_projection(a, eye, ax.nxa + ax.nxl / 2.0, ax.nya - ax.nyl / 2.0, std::min(ax.nxl, ax.nyl) / 2.0 / extent);
    s.level = 3;
    a.system = 2;
    a.contour_count = 0;
    if (!ax.no_graf)
        draw_box_axes(s);
}

void flab3d()
{
    soft_level_check("flab3d");
    state().shading.corner_labels = true;
}

void view3d(double x, double y, double z, std::string_view option)
{
    soft_level_check("view3d");
    int n = keyword_lookup("ABS +USER+ANGL", 3, option);
    if (n == 0)
        return;
    ShadingAttributes& a = state().shading;
    a.view_mode = n;
    a.view = {x, y, z};
}

void axis3d(double x, double y, double z)
{
    soft_level_check("axis3d");
    if (!(x > 0) || !(y > 0) || !(z > 0) || !std::isfinite(x + y + z)) {
        warning(2);
        return;
    }
    state().shading.box = {x, y, z};
}

double x3dpos(double x, double, double)
{
    return box_system_ready("x3dpos") ? user_to_box(state().shading, 0, x) : 0;
}

double y3dpos(double, double y, double)
{
    return box_system_ready("y3dpos") ? user_to_box(state().shading, 1, y) : 0;
}

double z3dpos(double, double, double z)
{
    return box_system_ready("z3dpos") ? user_to_box(state().shading, 2, z) : 0;
}

double x3dabs(double x, double y, double z)
{
    if (!box_system_ready("x3dabs"))
        return 0;
    double px = 0, py = 0;
    box_to_plot(state().shading, {x, y, z}, px, py);
    return px;
}

double y3dabs(double x, double y, double z)
{
    if (!box_system_ready("y3dabs"))
        return 0;
    double px = 0, py = 0;
    box_to_plot(state().shading, {x, y, z}, px, py);
    return py;
}

namespace {
// The plot point of a user point in the box.
bool user_point(const char* routine, double x, double y, double z, double& px, double& py)
{
    if (!box_system_ready(routine))
        return false;
    const ShadingAttributes& a = state().shading;
    box_to_plot(a, {user_to_box(a, 0, x), user_to_box(a, 1, y), user_to_box(a, 2, z)}, px, py);
    return true;
}
}  // namespace

double x3drel(double x, double y, double z)
{
    double px = 0, py = 0;
    return user_point("x3drel", x, y, z, px, py) ? px : 0;
}

double y3drel(double x, double y, double z)
{
    double px = 0, py = 0;
    return user_point("y3drel", x, y, z, px, py) ? py : 0;
}

}  // namespace korvan
