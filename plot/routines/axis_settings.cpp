// The setting routines of axes and axis systems, and the getters.
#include <algorithm>
#include <cctype>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/owned_settings.hpp"

namespace korvan {

namespace {

constexpr const char label_keywords[] = "NONE+FLOA+EXP +LOG +CLOG+ELOG+MAP +DMAP+LMAP+TIME+HOUR+SECO+MYLA+FEXP";
constexpr const char* label_names[] = {"NONE", "FLOA", "EXP",  "LOG",  "CLOG", "ELOG", "MAP",
                                       "DMAP", "LMAP", "TIME", "HOUR", "SECO", "MYLA", "FEXP"};

// Applies a setting to every axis named in the axis string.
template <class Apply>
void for_axes(std::string_view axes, Apply&& apply)
{
    AxisSet set = axis_letters(axes);
    for (int i = 0; i < 3; ++i)
        if (set.axis[i])
            apply(state().axes.axis[static_cast<std::size_t>(i)]);
}

// Axis strings of the bar graph, pie chart and contour settings, which these
// axis routines leave to their own routines.
bool other_owner(std::string_view axes)
{
    std::string kw = keyword4(axes).substr(0, 3);
    return kw == "BAR" || kw == "PIE" || kw == "CON" || kw == "DAT" || kw == "PER";
}

int axis_index(std::string_view axes)
{
    AxisSet set = axis_letters(axes);
    for (int i = 0; i < 3; ++i)
        if (set.axis[i])
            return i;
    return -1;
}

}  // namespace

void scale(std::string_view option, std::string_view axes)
{
    soft_level_check("scale");
    int n = keyword_lookup("LIN +LOG ", 2, option);
    if (n > 0)
        for_axes(axes, [&](AxisSettings& a) { a.scaling = n - 1; });
}

void digits(int ndig, std::string_view axes)
{
    soft_level_check("digits");
    if (other_owner(axes)) {
        if (owned_digits_setting(ndig, axes) || range_check(ndig, -1, 100))
            return;
        // Pie charts: "DAT" the data values, "PER" the percentages, "PIE" both.
        std::string kw = keyword4(axes).substr(0, 3);
        PieLabelSettings& pie = state().axes.pie;
        if (kw != "PER")
            pie.data_digits = ndig;
        if (kw != "DAT")
            pie.percent_digits = ndig;
        return;
    }
    if (range_check(ndig, -1, 100))
        return;
    for_axes(axes, [&](AxisSettings& a) { a.digits = ndig; });
}

void intax()
{
    soft_level_check("intax");
    for_axes("XYZ", [](AxisSettings& a) { a.digits = -1; });
}

void ticks(int n, std::string_view axes)
{
    soft_level_check("ticks");
    if (range_check(n, 0, 1000))
        return;
    for_axes(axes, [&](AxisSettings& a) { a.ticks = n; });
}

void labels(std::string_view option, std::string_view axes)
{
    soft_level_check("labels");
    if (other_owner(axes)) {
        if (owned_label_setting(option, axes))
            return;
        if (keyword4(axes).substr(0, 3) == "PIE") {
            int n = keyword_lookup("NONE+PERC+DATA+BOTH", 4, option);
            if (n > 0)
                state().axes.pie.style = n - 1;
        } else {
            warning_text(2, axes);  // "DAT" and "PER" name digits only
        }
        return;
    }
    int n = keyword_lookup(label_keywords, 14, option);
    if (n > 0)
        for_axes(axes, [&](AxisSettings& a) { a.label_type = static_cast<LabelType>(n - 1); });
}

void ticpos(std::string_view option, std::string_view axes)
{
    soft_level_check("ticpos");
    int n = keyword_lookup("LABE+REVE+CENT", 3, option);
    if (n > 0)
        for_axes(axes, [&](AxisSettings& a) { a.tick_position = n - 1; });
}

void name(std::string_view text, std::string_view axes)
{
    soft_level_check("name");
    std::string_view kept = text.substr(0, std::min<std::size_t>(text.size(), axis_name_limit));
    for_axes(axes, [&](AxisSettings& a) { a.name.assign(kept); });
}

void namdis(int n, std::string_view axes)
{
    soft_level_check("namdis");
    for_axes(axes, [&](AxisSettings& a) { a.name_distance = n; });
}

void labdis(int n, std::string_view axes)
{
    soft_level_check("labdis");
    if (owned_distance_setting(n, axes))
        return;
    for_axes(axes, [&](AxisSettings& a) { a.label_distance = n; });
}

void namjus(std::string_view option, std::string_view axes)
{
    soft_level_check("namjus");
    int n = keyword_lookup("CENT+LEFT+RIGH", 3, option);
    if (n > 0)
        for_axes(axes, [&](AxisSettings& a) { a.name_justification = n - 1; });
}

void labtyp(std::string_view option, std::string_view axes)
{
    soft_level_check("labtyp");
    // Direction: horizontal, turned by 90 degrees, or turned to read away
    // from (OUTW) or towards (INWA) the axis; then the justification.
    int n = keyword_lookup("HORI+VERT+OUTW+INWA+TYPS+CENT+LEFT+RIGH", 8, option);
    if (n <= 0)
        return;
    for_axes(axes, [&](AxisSettings& a) {
        if (n <= 4) {
            a.vertical_labels = n >= 2;
            a.label_turn = n >= 3 ? n - 2 : 0;
        } else {
            a.label_justification = n - 5;
        }
    });
}

void labjus(std::string_view option, std::string_view axes)
{
    soft_level_check("labjus");
    int n = keyword_lookup("AUTO+CENT+LEFT+RIGH", 4, option);
    if (n > 0)
        for_axes(axes, [&](AxisSettings& a) { a.label_justification = n - 1; });
}

void rgtlab()
{
    soft_level_check("rgtlab");
    for_axes("XYZ", [](AxisSettings& a) { a.label_justification = 3; });
}

void center()
{
    soft_level_check("center");
    state().axes.centred = true;
}

void lfttit()
{
    soft_level_check("lfttit");
    state().axes.title_justification = 1;
}

void labpos(std::string_view option, std::string_view axes)
{
    soft_level_check("labpos");
    // Along the axis: on the tick, between ticks, end labels shifted inside;
    // across it: outside the axis system, inside, or on a named side; at the
    // axis ends: reaching beyond them, kept inside, or flush with them.
    int n = keyword_lookup("TICK+CENT+SHIF+AUTO+INSI+OUTS+LEFT+ABOV+RIGH+BELO+EXTE+INTE+ALIG", 13, option);
    if (n <= 0)
        return;
    for_axes(axes, [&](AxisSettings& a) {
        if (n <= 3)
            a.label_position = n - 1;
        else if (n <= 10)
            a.label_side = n <= 6 ? (n == 5 ? 1 : 0) : n - 5;
        else
            a.label_extent = n - 11;
    });
}

void axends(std::string_view option, std::string_view axes)
{
    soft_level_check("axends");
    int n = keyword_lookup("NONE+NOFI+NOLA+NOEN+ENDS+FIRS+LAST", 7, option);
    if (n > 0)
        for_axes(axes, [&](AxisSettings& a) { a.label_ends = n - 1; });
}

void logtic(std::string_view option)
{
    soft_level_check("logtic");
    int n = keyword_lookup("AUTO+FULL", 2, option);
    if (n > 0)
        for_axes("XYZ", [&](AxisSettings& a) { a.full_log_ticks = n == 2; });
}

void axclrs(int colour, std::string_view option, std::string_view axes)
{
    soft_level_check("axclrs");
    if (range_check(colour, -1, 255))
        return;
    int n = keyword_lookup("LINE+TICK+LABE+NAME+ALL ", 5, option);
    if (n == 0)
        return;
    for_axes(axes, [&](AxisSettings& a) {
        for (int k = 0; k < 4; ++k)
            if (n == 5 || n - 1 == k)
                a.colours[static_cast<std::size_t>(k)] = colour;
    });
}

void labclr(int colour, std::string_view axes)
{
    soft_level_check("labclr");
    if (range_check(colour, -1, 255))
        return;
    for_axes(axes, [&](AxisSettings& a) { a.colours[2] = colour; });
}

void noline(std::string_view axes)
{
    soft_level_check("noline");
    for_axes(axes, [](AxisSettings& a) { a.no_line = true; });
}

void rvynam()
{
    soft_level_check("rvynam");
    state().axes.reversed_y_name = true;
}

void expzlb(std::string_view option)
{
    soft_level_check("expzlb");
    int n = keyword_lookup("EXPO+ZERO", 2, option);
    if (n > 0)
        state().axes.plain_zero_label = n == 2;
}

void mylab(std::string_view text, int n, std::string_view axes)
{
    soft_level_check("mylab");
    if (range_check(n, 1, mylab_limit))
        return;
    std::string_view kept = text.substr(0, std::min<std::size_t>(text.size(), mylab_length));
    for_axes(axes, [&](AxisSettings& a) {
        a.mylab[static_cast<std::size_t>(n - 1)].assign(kept);
        a.mylab_count = std::max(a.mylab_count, n);
    });
}

void axspos(int nxa, int nya)
{
    soft_level_check("axspos");
    PlotState& s = state();
    s.axis_pos_x = nxa;
    s.axis_pos_y = nya;
}

void axslen(int nxl, int nyl)
{
    soft_level_check("axslen");
    if (nxl < 2 || nyl < 2) {
        warning_int(11, std::min(nxl, nyl));
        return;
    }
    PlotState& s = state();
    s.axis_length_x = nxl;
    s.axis_length_y = nyl;
}

void ax3len(int nxl, int nyl, int nzl)
{
    soft_level_check("ax3len");
    if (nxl < 2 || nyl < 2 || nzl < 2) {
        warning_int(11, std::min({nxl, nyl, nzl}));
        return;
    }
    PlotState& s = state();
    s.axis_length_x = nxl;
    s.axis_length_y = nyl;
    s.axes.z_length = nzl;
}

int z_axis_length()
{
    const PlotState& s = state();
    return s.axes.z_length > 0 ? s.axes.z_length : s.axis_length_y;
}

void timopt()
{
    soft_level_check("timopt");
    state().axes.time_separator = false;
}

void ticlen(int major, int minor)
{
    soft_level_check("ticlen");
    if (range_check(major, 1, 10000) || range_check(minor, 1, 10000))
        return;
    AxisAttributes& a = state().axes;
    a.major_tick = major;
    a.minor_tick = minor;
}

void gettcl(int& major, int& minor)
{
    soft_level_check("gettcl");
    major = state().axes.major_tick;
    minor = state().axes.minor_tick;
}

void setgrf(std::string_view bottom, std::string_view left, std::string_view top, std::string_view right)
{
    if (level_check(1, 1, "setgrf"))
        return;
    std::string_view options[4] = {bottom, left, top, right};
    int levels[4] = {};
    for (int i = 0; i < 4; ++i) {
        levels[i] = keyword_lookup("NONE+LINE+TICK+LABE+NAME", 5, options[i]) - 1;
        if (levels[i] < 0)
            return;
    }
    AxisAttributes& a = state().axes;
    for (int i = 0; i < 4; ++i)
        a.sides[static_cast<std::size_t>(i)] = levels[i];
}

void ax2grf()
{
    soft_level_check("ax2grf");
    state().axes.two_sides = true;
}

void nograf()
{
    soft_level_check("nograf");
    state().axes.no_graf = true;
}

void frame(int thickness)
{
    soft_level_check("frame");
    state().axes.frame = thickness;
}

void hname(int n)
{
    soft_level_check("hname");
    if (range_check(n, 1, 10000))
        return;
    state().axes.name_height = n;
}

void titlin(std::string_view text, int n)
{
    soft_level_check("titlin");
    if (n == 0 || n < -4 || n > 4) {
        warning_int(2, n);
        return;
    }
    AxisAttributes& a = state().axes;
    auto i = static_cast<std::size_t>(std::abs(n) - 1);
    a.title[i].assign(text.substr(0, std::min<std::size_t>(text.size(), title_line_limit)));
    std::size_t end = a.title[i].find_last_not_of(' ');
    a.title[i].resize(end == std::string::npos ? 0 : end + 1);
    a.underline[i] = n < 0;
}

void htitle(int n)
{
    soft_level_check("htitle");
    if (range_check(n, 0, 10000))
        return;
    state().axes.title_height = n;
}

void titjus(std::string_view option)
{
    soft_level_check("titjus");
    int n = keyword_lookup("CENT+LEFT+RIGH", 3, option);
    if (n > 0)
        state().axes.title_justification = n - 1;
}

void titpos(std::string_view option)
{
    soft_level_check("titpos");
    int n = keyword_lookup("ABOV+BELO", 2, option);
    if (n > 0)
        state().axes.title_below = n == 2;
}

void vkytit(int n)
{
    soft_level_check("vkytit");
    state().axes.title_shift = n;
}

void axstyp(std::string_view option)
{
    soft_level_check("axstyp");
    int n = keyword_lookup("RECT+CROS", 2, option);
    if (n > 0)
        state().axes.axis_type = n - 1;
}

void axsorg(int nx, int ny)
{
    if (level_check(1, 1, "axsorg"))
        return;
    PlotState& s = state();
    if (range_check(nx, 0, s.page_width) || range_check(ny, 0, s.page_height))
        return;
    s.axes.origin_given = true;
    s.axes.origin_x = nx;
    s.axes.origin_y = ny;
}

// --- Getters -----------------------------------------------------------------

void getscl(int& nx, int& ny, int& nz)
{
    soft_level_check("getscl");
    const AxisAttributes& a = state().axes;
    nx = a.axis[0].scaling;
    ny = a.axis[1].scaling;
    nz = a.axis[2].scaling;
}

void getgrf(double& a, double& e, double& first, double& step, std::string_view axis)
{
    soft_level_check("getgrf");
    int i = axis_index(axis);
    if (i < 0) {
        warning_text(2, axis);
        a = e = first = step = 0;
        return;
    }
    const AxisAttributes& axes = state().axes;
    const std::array<double, 4>& v = i == 0 ? axes.graf_x : i == 1 ? axes.graf_y : axes.graf_z;
    a = v[0];
    e = v[1];
    first = v[2];
    step = v[3];
}

PieLabelSettings pie_label_settings() { return state().axes.pie; }

void getlen(int& nx, int& ny, int& nz)
{
    soft_level_check("getlen");
    const PlotState& s = state();
    nx = s.axis_length_x;
    ny = s.axis_length_y;
    nz = z_axis_length();
}

void getpos(int& nx, int& ny)
{
    soft_level_check("getpos");
    const PlotState& s = state();
    nx = s.axis_pos_x;
    ny = s.axis_pos_y;
}

void getdig(int& nx, int& ny, int& nz)
{
    soft_level_check("getdig");
    const AxisAttributes& a = state().axes;
    nx = a.axis[0].digits;
    ny = a.axis[1].digits;
    nz = a.axis[2].digits;
}

void gettic(int& nx, int& ny, int& nz)
{
    soft_level_check("gettic");
    const AxisAttributes& a = state().axes;
    nx = a.axis[0].ticks;
    ny = a.axis[1].ticks;
    nz = a.axis[2].ticks;
}

void getlab(std::string& cx, std::string& cy, std::string& cz)
{
    soft_level_check("getlab");
    const AxisAttributes& a = state().axes;
    cx = label_names[static_cast<int>(a.axis[0].label_type)];
    cy = label_names[static_cast<int>(a.axis[1].label_type)];
    cz = label_names[static_cast<int>(a.axis[2].label_type)];
}

void getsp1(int& nx, int& ny, int& nz)
{
    soft_level_check("getsp1");
    const AxisAttributes& a = state().axes;
    nx = a.axis[0].label_distance;
    ny = a.axis[1].label_distance;
    nz = a.axis[2].label_distance;
}

void getsp2(int& nx, int& ny, int& nz)
{
    soft_level_check("getsp2");
    const AxisAttributes& a = state().axes;
    nx = a.axis[0].name_distance;
    ny = a.axis[1].name_distance;
    nz = a.axis[2].name_distance;
}

void getvk(int& nytit, int& nxbar, int& nybar)
{
    soft_level_check("getvk");
    const PlotState& s = state();
    nytit = s.axes.title_shift;
    nxbar = s.shading.bar_shift_x;
    nybar = s.shading.bar_shift_y;
}

}  // namespace korvan
