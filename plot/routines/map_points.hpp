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

// Longitude relative to the map's centre meridian, brought into [-180, 180]
// for the classes that wrap around the globe (not the cylindrical ones).
double map_relative_lon(const MapAttributes& m, double lon);

// The frame of the projection in force: longitude and latitude (degrees) on
// the sphere turned so that the projection is continuous but across the
// frame's back meridian (its seam, longitude -180 = 180) and at its poles.
// Conical and pseudo-cylindrical maps turn nothing: the seam is the map's
// back meridian; UTM and OBLI turn to their aspects. The frame of an
// azimuthal map has the centre at its north pole, the direction of a point
// as longitude, and no seam: its map ends at the edge of the visible sphere,
// the parallel of latitude 90 - limit. The frame longitude of a point at a
// pole of a turned frame is not a number (it has none).
struct FramePoint {
    double lon;
    double lat;
};
FramePoint map_frame_point(const MapAttributes& m, double lon, double lat);

// Whether the open map has a frame: a projected map that is not one of the
// plain cylindrical projections, whose plane repeats without a seam.
bool map_has_frame();
// Whether the frame of the open map is torn apart at its back meridian (all
// frames but the azimuthal one).
bool map_frame_has_seam();

// The projected point (before scaling) and the plot point of a frame point;
// false beyond the visible sphere and where nothing finite comes out.
bool frame_unit_point(const MapAttributes& m, FramePoint f, MapXY& xy);
bool frame_to_plot(FramePoint f, FillPoint& p);

}  // namespace korvan
