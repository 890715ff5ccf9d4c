#include "plot/routines/axis_frames.hpp"

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

void box2d()
{
    if (level_check(2, 3, "box2d"))
        return;
    const AxisAttributes& a = state().axes;
    double x0 = a.nxa;
    double y0 = a.nya - a.nyl + 1;
    double x1 = a.nxa + a.nxl - 1;
    double y1 = a.nya;
    LinePen pen(true);
    pen.move(x0, y1);
    pen.draw(x0, y0);
    pen.draw(x1, y0);
    pen.draw(x1, y1);
    pen.draw(x0, y1);
    flush_pending();
}

}  // namespace korvan
