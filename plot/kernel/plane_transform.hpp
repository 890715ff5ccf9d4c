// The plane of GRFINI: every point of the page is carried onto a plane of the
// 3-D box and projected with the box's view. The map is projective,
//   x' = (m00 x + m01 y + m02) / w,  y' = (m10 x + m11 y + m12) / w,
//   w = m20 x + m21 y + m22,
// so straight lines stay straight and their end points carry them.
#pragma once

#include <array>

namespace korvan {

struct PlaneTransform {
    bool active = false;
    std::array<std::array<double, 3>, 3> m{{{1, 0, 0}, {0, 1, 0}, {0, 0, 1}}};

    void apply(double& x, double& y) const
    {
        double w = m[2][0] * x + m[2][1] * y + m[2][2];
        // Points at or behind the eye are pushed just in front of it, as the
        // projection of the box does.
        if (!(w > 1e-3))
            w = 1e-3;
        double tx = (m[0][0] * x + m[0][1] * y + m[0][2]) / w;
        double ty = (m[1][0] * x + m[1][1] * y + m[1][2]) / w;
        x = tx;
        y = ty;
    }
};

}  // namespace korvan
