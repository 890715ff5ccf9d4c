// Points of the open map axis system: longitude and latitude (degrees) to plot
// coordinates through the projection in force.
#pragma once

#include "plot/routines/fill.hpp"
#include "plot/routines/map_projection.hpp"

namespace korvan {

// Whether the open axis system is a map whose projection is not CYLI.
bool map_projected();

// The projected point before scaling; false when it lies beyond the visible
// sphere of an azimuthal map or nowhere finite.
bool map_unit_point(const MapAttributes& m, double lon, double lat, MapXY& xy);

// The plot point of a map point; false as for map_unit_point. With CYLI the
// axis system's own transformation.
bool map_to_plot(double lon, double lat, FillPoint& p);

// The plot point of a map point for filling: a point beyond the visible
// sphere of an azimuthal map is taken to the edge of the map in its direction.
// False only for points nowhere finite.
bool map_to_plot_for_fill(double lon, double lat, FillPoint& p);

// Longitude relative to the map's centre meridian, brought into [-180, 180]
// for the classes that wrap around the globe (not the cylindrical ones).
double map_relative_lon(const MapAttributes& m, double lon);

}  // namespace korvan
