// The settings that shape a curve and the automatic change of attributes.
#include <algorithm>

#include <cmath>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/symbols.hpp"

namespace korvan {

void polcrv(std::string_view mode)
{
    soft_level_check("polcrv");
    int n = keyword_lookup("LINE+STEP+BARS+SPLI+PSPL", 5, mode);
    if (n > 0)
        state().curves.mode = n - 1;
}

void incmrk(int n)
{
    soft_level_check("incmrk");
    state().curves.marker_step = n;
}

void marker(int n)
{
    soft_level_check("marker");
    if (range_check(n, 0, symbol_count - 1))
        return;
    state().curves.symbol = n;
}

void hsymbl(int n)
{
    soft_level_check("hsymbl");
    if (range_check(n, 1, 10000))
        return;
    state().curves.symbol_height = n;
}

void getsym(int& nsym, int& nh)
{
    soft_level_check("getsym");
    nsym = state().curves.symbol;
    nh = state().curves.symbol_height;
}

void thkcrv(int n)
{
    soft_level_check("thkcrv");
    if (range_check(n, 1, 10000))
        return;
    state().curves.thickness = n;
}

void gapcrv(double x)
{
    soft_level_check("gapcrv");
    CurveAttributes& c = state().curves;
    c.gap_on = true;
    c.gap = x;
}

void barwth(double x)
{
    soft_level_check("barwth");
    state().curves.bar_width = x;
}

void grace(int n)
{
    soft_level_check("grace");
    if (range_check(n, -1000, 1000))
        return;
    state().axes.grace = n;
}

void neglog(double eps)
{
    soft_level_check("neglog");
    if (!(eps > 0) || !std::isfinite(eps)) {
        warning(2);
        return;
    }
    state().curves.neglog = eps;
}

void nochek()
{
    soft_level_check("nochek");
    state().curves.range_check = false;
}

void chncrv(std::string_view mode)
{
    soft_level_check("chncrv");
    int n = keyword_lookup("NONE+COLO+LINE+BOTH", 4, mode);
    if (n > 0)
        state().curves.change = n - 1;
}

void inccrv(int n)
{
    soft_level_check("inccrv");
    if (range_check(n, 1, 32000))
        return;
    state().curves.curves_per_set = n;
}

void advance_attributes()
{
    CurveAttributes& c = state().curves;
    c.attribute_index = c.attribute_index % cycle_entries + 1;
    ++c.curve_number;
    if (c.marker_step != 0)
        c.symbol = c.symbol % 20 + 1;
    c.set_count = 0;
}

void chnatt()
{
    soft_level_check("chnatt");
    if (state().curves.set_count > 0)
        advance_attributes();
}

void lincyc(int index, int style)
{
    soft_level_check("lincyc");
    if (range_check(index, 1, cycle_entries) || range_check(style, 0, 7))
        return;
    state().curves.line_cycle[static_cast<std::size_t>(index)] = style;
}

void patcyc(int index, int pattern)
{
    soft_level_check("patcyc");
    if (range_check(index, 1, cycle_entries) || range_check(pattern, 0, -1))
        return;
    state().curves.pattern_cycle[static_cast<std::size_t>(index)] = pattern;
}

}  // namespace korvan
