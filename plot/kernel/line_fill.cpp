#include "plot/kernel/line_fill.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/clip.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

// More fill lines than this is no area on any page.
constexpr double line_limit = 1e6;
// Without a clipping window lines are cut far outside any page.
constexpr double coordinate_limit = 1e7;

}  // namespace

void fill_rect_with_lines(double x, double y, double w, double h, int index)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h))
        return;
    double left = std::min(x, x + w);
    double right = std::max(x, x + w);
    double top = std::min(y, y + h);
    double bottom = std::max(y, y + h);
    // Lines lie on whole units, starting half a unit above the top edge; each
    // line inside the rectangle is one segment.
    double first = std::trunc(top - 0.5);
    if (!(bottom + 0.5 - first < line_limit) || left == right)
        return;
    ClipRect clip;
    if (!clipping_window(clip))
        clip = {-coordinate_limit, -coordinate_limit, coordinate_limit, coordinate_limit};

    PlotState& s = state();
    int kept = s.current_colour;
    if (index != kept)
        select_colour(index);
    for (int j = 0;; ++j) {
        double line = first + j;
        if (line > bottom + 0.5)
            break;
        if (line < top || line >= bottom)
            continue;
        double ax = j % 2 == 0 ? left : right;
        double bx = j % 2 == 0 ? right : left;
        double ay = line;
        double by = line;
        if (!clip_segment(clip, ax, ay, bx, by))
            continue;
        plot_vector(ax, ay, 3);
        plot_vector(bx, by, 2);
    }
    if (s.current_colour != kept)
        select_colour(kept);
}

}  // namespace korvan
