#include "plot/routines/standalone_axes.hpp"

#include <cmath>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

namespace {

// The sides of an axis run, as the axis drawing numbers them.
enum Side { bottom = 0, left = 1, top = 2, right = 3 };

// One axis with its own scaling, name and scale type; the axis's settings are
// as they were afterwards.
void standalone_axis(int axis, bool log, double a, double b, double orig, double step, int nl,
                     std::string_view name, int side, int nx, int ny)
{
    if (nl < 2) {
        warning_int(2, nl);
        return;
    }
    if (!check_axis_values(a, b, orig, step))
        return;
    AxisSettings& set = state().axes.axis[static_cast<std::size_t>(axis)];
    AxisSettings kept = set;
    set.name.assign(name.substr(0, axis_name_limit));
    set.scaling = log ? 1 : 0;
    set.auto_scale = false;
    bool along_x = side == bottom || side == top;
    AxisTransform t;
    set_axis_transform(t, a, b, orig, step, along_x ? nx : ny, nl, set);
    draw_axis_side(axis, t, side, nx, ny, nl, 4);
    set = kept;
}

int horizontal_side(int it) { return it == 1 ? top : bottom; }
int vertical_side(int it) { return it == 1 ? right : left; }

bool side_given(int it)
{
    if (it == 0 || it == 1)
        return true;
    warning_int(2, it);
    return false;
}

void z_axis(bool log, double a, double b, double orig, double step, int nl, std::string_view cstr, int it,
            int ndir, int nx, int ny)
{
    if (!side_given(it))
        return;
    if (ndir != 0 && ndir != 1) {
        warning_int(2, ndir);
        return;
    }
    standalone_axis(2, log, a, b, orig, step, nl, cstr, ndir == 1 ? horizontal_side(it) : vertical_side(it), nx, ny);
}

// The plot coordinate of user value 0 on an axis of the open system; false
// when 0 is not within the axis's range (or the axis is logarithmic).
bool zero_on(const AxisTransform& t, bool along_x, double& at)
{
    if (t.log || !(0 >= t.clip_low && 0 <= t.clip_high))
        return false;
    at = along_x ? t.origin + t.factor * (0 - t.start) : t.origin - t.factor * (0 - t.start);
    return true;
}

// The line Y = 0 (horizontal) or X = 0 (vertical) across the axis system,
// with the ticks of the crossing axis when asked.
void origin_line(bool horizontal, bool with_ticks)
{
    const AxisAttributes& a = state().axes;
    ClipRect box = axis_clip_rect();
    double at = 0;
    if (horizontal) {
        if (!zero_on(a.transform[1], false, at))
            return;
        if (with_ticks) {
            draw_axis_side(0, a.transform[0], bottom, box.x0, at, a.nxl, 2);
            return;
        }
        LinePath line{{box.x0, at}, {box.x1, at}};
        draw_paths({&line, 1}, 1, &box);
    } else {
        if (!zero_on(a.transform[0], true, at))
            return;
        if (with_ticks) {
            draw_axis_side(1, a.transform[1], left, at, box.y1, a.nyl, 2);
            return;
        }
        LinePath line{{at, box.y1}, {at, box.y0}};
        draw_paths({&line, 1}, 1, &box);
    }
}

}  // namespace

void xaxis(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny)
{
    if (level_check(1, 3, "xaxis") || !side_given(it))
        return;
    standalone_axis(0, false, a, b, orig, step, nl, cstr, horizontal_side(it), nx, ny);
}

void xaxlg(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny)
{
    if (level_check(1, 3, "xaxlg") || !side_given(it))
        return;
    standalone_axis(0, true, a, b, orig, step, nl, cstr, horizontal_side(it), nx, ny);
}

void yaxis(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny)
{
    if (level_check(1, 3, "yaxis") || !side_given(it))
        return;
    standalone_axis(1, false, a, b, orig, step, nl, cstr, vertical_side(it), nx, ny);
}

void yaxlg(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny)
{
    if (level_check(1, 3, "yaxlg") || !side_given(it))
        return;
    standalone_axis(1, true, a, b, orig, step, nl, cstr, vertical_side(it), nx, ny);
}

void zaxis(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int ndir, int nx,
           int ny)
{
    if (level_check(1, 3, "zaxis"))
        return;
    z_axis(false, a, b, orig, step, nl, cstr, it, ndir, nx, ny);
}

void zaxlg(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int ndir, int nx,
           int ny)
{
    if (level_check(1, 3, "zaxlg"))
        return;
    z_axis(true, a, b, orig, step, nl, cstr, it, ndir, nx, ny);
}

void axgit()
{
    if (level_check(2, 3, "axgit"))
        return;
    origin_line(true, false);
    origin_line(false, false);
}

void xaxgit()
{
    if (level_check(2, 3, "xaxgit"))
        return;
    origin_line(true, false);
}

void yaxgit()
{
    if (level_check(2, 3, "yaxgit"))
        return;
    origin_line(false, false);
}

void cross()
{
    if (level_check(2, 3, "cross"))
        return;
    origin_line(true, true);
    origin_line(false, true);
}

void xcross()
{
    if (level_check(2, 3, "xcross"))
        return;
    origin_line(true, true);
}

void ycross()
{
    if (level_check(2, 3, "ycross"))
        return;
    origin_line(false, true);
}

}  // namespace korvan
