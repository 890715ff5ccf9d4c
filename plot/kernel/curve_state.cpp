// Defaults and the attribute reset of the curve and legend attributes.
#include "plot/kernel/curve_state.hpp"

#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr double line_patterns[8][4] = {
    {1, 0, 0, 0}, {1, 10, 0, 0}, {10, 10, 0, 0}, {30, 15, 10, 15},
    {1, 15, 15, 15}, {20, 15, 0, 0}, {1, 20, 0, 0}, {30, 20, 0, 0},
};
constexpr int line_pattern_count[8] = {1, 2, 2, 4, 4, 2, 2, 2};

void default_cycles(CurveAttributes& c)
{
    for (int i = 1; i <= cycle_entries; ++i) {
        c.line_cycle[static_cast<std::size_t>(i)] = (i - 1) % 8;
        c.pattern_cycle[static_cast<std::size_t>(i)] = i % 18 == 0 ? 17 : i % 18 - 1;
    }
}

}  // namespace

CurveAttributes::CurveAttributes() { default_cycles(*this); }

DashPattern line_type_pattern(int n)
{
    DashPattern p;
    if (n < 0 || n > 7)
        n = 0;
    p.count = line_pattern_count[n];
    for (int i = 0; i < p.count; ++i)
        p.length[static_cast<std::size_t>(i)] = line_patterns[n][i];
    return p;
}

void set_dash_pattern(CurveAttributes& c, int style, const DashPattern& pattern)
{
    c.line_style = style;
    c.dash = pattern;
    c.dash_index = 0;
    c.dash_left = pattern.length[0];
    c.dash_drawn = true;
}

void reset_curve_bookkeeping(CurveAttributes& c)
{
    c.attribute_index = 1;
    c.curve_number = 1;
    c.set_count = 0;
    c.record = {};
    c.symbol = 0;
}

void reset_curve_attributes(PlotState& s, std::string_view key)
{
    CurveAttributes& c = s.curves;
    const CurveAttributes d;
    bool all = key == "ALL ";
    if (all) {
        c.marker_step = d.marker_step;
        c.symbol_height = d.symbol_height;
        c.curves_per_set = d.curves_per_set;
        set_dash_pattern(c, 0, line_type_pattern(0));
        reset_curve_bookkeeping(c);
        s.legend = LegendAttributes{};
    }
    if (all || key == "POLC")
        c.mode = d.mode;
    if (all || key == "THKC")
        c.thickness = d.thickness;
    if (all || key == "NEGL")
        c.neglog = d.neglog;
    if (all || key == "GAPC") {
        c.gap_on = d.gap_on;
        c.gap = d.gap;
    }
    if (all || key == "BARW")
        c.bar_width = d.bar_width;
    if (all || key == "SYMR")
        c.symbol_angle = d.symbol_angle;
    if (all || key == "NOCH")
        c.range_check = d.range_check;
    if (all || key == "CHNC")
        c.change = d.change;
    if (all || key == "LINC")
        c.line_cycle = d.line_cycle;
    if (all || key == "PATC")
        c.pattern_cycle = d.pattern_cycle;
    if (all || key == "SPLM") {
        c.spline_degree = d.spline_degree;
        c.spline_points = d.spline_points;
    }
    if (all || key == "LEGC")
        s.legend.curve_colours = false;
}

}  // namespace korvan
