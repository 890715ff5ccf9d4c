// The clipping window and its routines.
#include "plot/routines/clipping.hpp"

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

void clpwin(int nx, int ny, int nw, int nh)
{
    soft_level_check("clpwin");
    if (range_check(nw, 1, 0) || range_check(nh, 1, 0))
        return;
    AxisAttributes& a = state().axes;
    a.clip_set = true;
    a.clip = {nx, ny, nw, nh};
}

void clpbor(std::string_view option)
{
    soft_level_check("clpbor");
    int n = keyword_lookup("AXIS+PAGE", 2, option);
    if (n == 0)
        return;
    PlotState& s = state();
    AxisAttributes& a = s.axes;
    if (n == 1) {
        // Only an open axis system has a rectangle.
        if (level_check(2, 3, "clpbor"))
            return;
        a.clip = {a.nxa, a.nya - a.nyl + 1, a.nxl, a.nyl};
    } else {
        a.clip = {0, 0, s.page_width + 1, s.page_height + 1};
    }
    a.clip_set = true;
}

void noclip()
{
    soft_level_check("noclip");
    state().axes.clip_suspended = true;
}

void getclp(int& nx, int& ny, int& nw, int& nh)
{
    soft_level_check("getclp");
    const PlotState& s = state();
    const AxisAttributes& a = s.axes;
    if (a.clip_set) {
        nx = a.clip[0];
        ny = a.clip[1];
        nw = a.clip[2];
        nh = a.clip[3];
    } else {
        nx = 0;
        ny = 0;
        nw = s.page_width + 1;
        nh = s.page_height + 1;
    }
}

void save_clipping_window()
{
    AxisAttributes& a = state().axes;
    a.saved_clip_set = a.clip_set;
    a.saved_clip = a.clip;
    a.clip_saved = true;
}

void restore_clipping_window()
{
    AxisAttributes& a = state().axes;
    // Axis systems opened without GRAF kept none: the window stays.
    if (!a.clip_saved)
        return;
    a.clip_set = a.saved_clip_set;
    a.clip = a.saved_clip;
    a.clip_saved = false;
}

}  // namespace korvan
