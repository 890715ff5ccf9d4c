#include "plot/kernel/clip.hpp"

#include <algorithm>

#include "plot/kernel/state.hpp"

namespace korvan {

// Liang-Barsky.
bool clip_segment(const ClipRect& r, double& ax, double& ay, double& bx, double& by)
{
    double t0 = 0.0;
    double t1 = 1.0;
    double dx = bx - ax;
    double dy = by - ay;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {ax - r.x0, r.x1 - ax, ay - r.y0, r.y1 - ay};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0.0) {
            if (q[i] < 0.0)
                return false;
            continue;
        }
        double t = q[i] / p[i];
        if (p[i] < 0.0) {
            if (t > t1)
                return false;
            t0 = std::max(t0, t);
        } else {
            if (t < t0)
                return false;
            t1 = std::min(t1, t);
        }
    }
    double sx = ax;
    double sy = ay;
    if (t1 < 1.0) {
        bx = sx + t1 * dx;
        by = sy + t1 * dy;
    }
    if (t0 > 0.0) {
        ax = sx + t0 * dx;
        ay = sy + t0 * dy;
    }
    return true;
}

bool clipping_window(ClipRect& r)
{
    const AxisAttributes& a = state().axes;
    if (!a.clip_set || a.clip_suspended)
        return false;
    r.x0 = a.clip[0];
    r.y0 = a.clip[1];
    r.x1 = static_cast<double>(a.clip[0]) + a.clip[2] - 1;
    r.y1 = static_cast<double>(a.clip[1]) + a.clip[3] - 1;
    return true;
}

}  // namespace korvan
