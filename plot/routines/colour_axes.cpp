// GRAF3: an X-Y axis system with a Z colour bar beside it; the colour of a Z value.
#include "plot/routines/colour_axes.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/fill.hpp"

namespace korvan {

namespace {

bool time_labels(const AxisSettings& set)
{
    return set.label_type == LabelType::time || set.label_type == LabelType::hour ||
           set.label_type == LabelType::seco;
}

// The colour bar: one rectangle per run of plot rows of equal colour, an
// outline and the Z axis with its labels and name on the right.
void draw_colour_bar(PlotState& s)
{
    const AxisAttributes& a = s.axes;
    ShadingAttributes& sh = s.shading;
    int width = std::max(sh.bar_width, 1);
    double x0 = a.nxa + a.nxl - 1 + sh.bar_shift_x;
    double bottom = a.nya - sh.bar_shift_y;
    int length = z_axis_length();
    AxisTransform t = sh.z;
    t.origin = bottom;
    int colour = s.current_colour;
    auto colour_at = [&](int row) {
        double v = t.start + row / t.factor;
        return colour_of_value(t.log ? std::pow(10.0, v) : v);
    };
    int run_start = 0;
    int run_colour = colour_at(0);
    for (int row = 1; row <= length; ++row) {
        int c = row < length ? colour_at(row) : -1;
        if (c == run_colour)
            continue;
        select_colour(run_colour);
        // Rows run_start .. row - 1 upwards from the bottom.
        fill_rectangle(x0, bottom - row + 1, width, row - run_start);
        run_start = row;
        run_colour = c;
    }
    select_colour(colour);
    plot_vector(x0, bottom, 3);
    plot_vector(x0, bottom - length + 1, 2);
    plot_vector(x0 + width - 1, bottom - length + 1, 2);
    plot_vector(x0 + width - 1, bottom, 2);
    plot_vector(x0, bottom, 2);
    draw_axis_side(2, t, 3, x0 + width - 1, bottom, length, 4);
}

}  // namespace

bool complete_axis(int axis, double values[4], int length)
{
    AxisSettings& set = state().axes.axis[static_cast<std::size_t>(axis)];
    if (set.auto_scale) {
        AutoScale r = automatic_scale(set.auto_min, set.auto_max, set.scaling == 1, time_labels(set), length,
                                      axis == 0 ? 200 : 100);
        if (r.min_warning)
            warning(23);
        if (r.max_warning)
            warning(24);
        values[0] = r.start;
        values[1] = r.end;
        values[2] = r.first;
        values[3] = r.step;
        set.digits = r.digits;
    }
    return check_axis_values(values[0], values[1], values[2], values[3]);
}

void graf3(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep, double za,
           double ze, double zor, double zstep)
{
    if (level_check(1, 1, "graf3"))
        return;
    PlotState& s = state();
    double z[4] = {za, ze, zor, zstep};
    if (!complete_axis(2, z, z_axis_length()))
        return;
    ShadingAttributes& sh = s.shading;
    set_axis_transform(sh.z, z[0], z[1], z[2], z[3], next_axis_rectangle(s).nya, z_axis_length(), s.axes.axis[2]);
    set_colour_scaling(z[0], z[1], sh.z.log);
    graf(xa, xe, xor_, xstep, ya, ye, yor, ystep);
    s.routine_name = "graf3";
    if (s.level != 2)
        return;
    std::copy(z, z + 4, s.axes.graf_z.begin());
    if (sh.colour_bar && !s.axes.no_graf)
        draw_colour_bar(s);
    s.level = 3;
    sh.system = 1;
    sh.contour_count = 0;
}

void zscale(double zmin, double zmax)
{
    soft_level_check("zscale");
    if (!(std::fabs(zmax - zmin) > 0)) {
        warning(2);
        return;
    }
    ShadingAttributes& sh = state().shading;
    sh.zscale_on = true;
    sh.zscale_min = zmin;
    sh.zscale_max = zmax;
}

void nobar()
{
    soft_level_check("nobar");
    state().shading.colour_bar = false;
}

void vkxbar(int n)
{
    soft_level_check("vkxbar");
    state().shading.bar_shift_x = n;
}

void vkybar(int n)
{
    soft_level_check("vkybar");
    state().shading.bar_shift_y = n;
}

void widbar(int n)
{
    soft_level_check("widbar");
    if (range_check(n, 1, 10000))
        return;
    state().shading.bar_width = n;
}

int getwid()
{
    soft_level_check("getwid");
    return state().shading.bar_width;
}

int nzposn(double z)
{
    if (level_check(3, 3, "nzposn"))
        return 0;
    return colour_of_value(z);
}

}  // namespace korvan
