#include "plot/routines/user_points.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/map_points.hpp"

namespace korvan {

bool user_point(double x, double y, double& px, double& py)
{
    if (map_projected()) {
        // Longitude and latitude through the map's projection; nothing for
        // a point beyond the visible sphere.
        FillPoint p{};
        if (!map_to_plot(x, y, p))
            return false;
        px = p.x;
        py = p.y;
        return true;
    }
    const AxisAttributes& a = state().axes;
    const AxisTransform& tx = a.transform[0];
    const AxisTransform& ty = a.transform[1];
    if ((tx.log && !(x > 0)) || (ty.log && !(y > 0))) {
        warning(27);
        return false;
    }
    px = plot_x(tx, x);
    py = plot_y(ty, y);
    return true;
}

bool user_point_for_plot_routine(double x, double y, int& nx, int& ny)
{
    double px = 0;
    double py = 0;
    if (!user_point(x, y, px, py))
        return false;
    const PlotState& s = state();
    nx = static_cast<int>(std::lround(std::clamp(px, -1e9, 1e9))) - s.origin_x;
    ny = static_cast<int>(std::lround(std::clamp(py, -1e9, 1e9))) - s.origin_y;
    return true;
}

double x2dpos(double x, double y)
{
    double px = 0;
    double py = 0;
    if (level_check(2, 3, "x2dpos") || !user_point(x, y, px, py))
        return 0;
    return px;
}

double y2dpos(double x, double y)
{
    double px = 0;
    double py = 0;
    if (level_check(2, 3, "y2dpos") || !user_point(x, y, px, py))
        return 0;
    return py;
}

}  // namespace korvan
