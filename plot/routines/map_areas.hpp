// Areas given in longitude and latitude on the open map (shaded continents,
// the cells of shaded contours), cut where the projection tears the globe
// apart: at the seam of its frame and at the edge of the visible sphere, so
// that every piece is filled on its own side of the map and none across it.
#pragma once

#include <span>
#include <vector>

#include "plot/routines/shading.hpp"

namespace korvan {

// Whether an area (x longitude, y latitude) crosses the seam of the open map.
bool map_area_crosses_seam(std::span<const ValuePoint> area);

// The plot polygons of an area (x longitude, y latitude, v a value carried
// along and interpolated where the area is cut). With `follow` its edges are
// divided into steps of at most a degree so that they follow the projection;
// otherwise the pieces' edges are straight lines on the plot. Points that
// project nowhere are left out; pieces of fewer than three points too.
std::vector<std::vector<ValuePoint>> map_area_pieces(std::span<const ValuePoint> area, bool follow);

}  // namespace korvan
