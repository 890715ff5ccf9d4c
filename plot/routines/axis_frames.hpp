// Frames around axis systems: BOX2D.
#pragma once

namespace korvan {

// A frame around the open axis system (the rectangle of its axis lengths at
// the axis position) in the current colour and line style.
void box2d();

}  // namespace korvan
