// The base transformation of TRFSHF, TRFSCL and TRFROT: every point the vector
// primitive sends to the device is shifted, scaled and turned on the page.
#pragma once

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
};

}  // namespace korvan
