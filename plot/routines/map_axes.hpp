// The axes of map axis systems: ticks and labels in degrees where the
// meridians and parallels of the projection meet the axis.
#pragma once

namespace korvan {

// The sides of the open map axis system by the side levels of SETGRF, and
// the frame, as GRAF draws them.
void draw_map_axis_system();

}  // namespace korvan
