// The base transformation of TRFSHF, TRFSCL and TRFROT: every point the vector
// primitive sends to the device is shifted, scaled and turned on the page.
#pragma once

#include <cmath>
#include <numbers>

namespace korvan {

// x' = xx x + xy y + dx, y' = yx x + yy y + dy in plot coordinates.
struct BaseTransform {
    bool active = false;
    double xx = 1;
    double xy = 0;
    double yx = 0;
    double yy = 1;
    double dx = 0;
    double dy = 0;

    void apply(double& x, double& y) const
    {
        double tx = xx * x + xy * y + dx;
        double ty = yx * x + yy * y + dy;
        x = tx;
        y = ty;
    }
    // Whether shapes stay as they are, only shifted, turned and scaled alike
    // in x and y (no mirror, no stretch): texts in a font of the device can
    // follow such a map.
    bool keeps_shapes() const
    {
        double size = std::fabs(xx) + std::fabs(xy);
        return std::fabs(xx - yy) <= 1e-9 * size && std::fabs(xy + yx) <= 1e-9 * size && size > 0;
    }
    // The scale and the turn (degrees counter-clockwise on the page) of a map
    // that keeps shapes.
    double scale() const { return std::hypot(xx, xy); }
    double turn_degrees() const { return std::atan2(xy, xx) * 180 / std::numbers::pi; }
    // Applies the affine map m after this one.
    void then(const BaseTransform& m)
    {
        BaseTransform r;
        r.xx = m.xx * xx + m.xy * yx;
        r.xy = m.xx * xy + m.xy * yy;
        r.yx = m.yx * xx + m.yy * yx;
        r.yy = m.yx * xy + m.yy * yy;
        r.dx = m.xx * dx + m.xy * dy + m.dx;
        r.dy = m.yx * dx + m.yy * dy + m.dy;
        r.active = true;
        *this = r;
    }
};

}  // namespace korvan
