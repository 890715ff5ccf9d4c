// The map projection attributes of the plot state: the projection, its centre,
// standard parallels, visible sphere and line mode, and the placing of the
// projected map that GRAFMP computes. Defaults are those of the attribute reset.
#pragma once

#include <string_view>

namespace korvan {

struct PlotState;

// Degrees to radians with pi as the single-precision value 3.1415927.
inline constexpr double map_degree = static_cast<double>(3.1415927f) / 180.0;

// The cone of a conical projection (radians): cone constant n and radius
// factor c, with the projection code and, for the polyconic projection, the
// latitude of its origin.
struct MapCone {
    int code = 20;
    double n = 1;
    double c = 1;
    double origin_latitude = 0;
};

struct MapAttributes {
    int projection = 0;       // PROJCT code
    double centre_lon = 0;    // MAPPOL, degrees
    double centre_lat = 0;
    double reference1 = 0;    // MAPREF, degrees
    double reference2 = 0;
    bool reference_given = false;
    double sphere_limit = 90;  // MAPSPH, degrees
    int line_mode = 1;         // 0 STRA, 1 INTE, 2 GREA

    // The map of the open axis system (GRAFMP).
    bool open = false;          // the axis system is a map
    double scale = 1;           // plot units per projected unit
    double origin_x = 0;        // plot coordinates of the projected origin
    double origin_y = 0;
    double middle_lon = 0;      // subtracted from longitudes (codes 1-29)
    double frame_lon = 0;       // the centre of the azimuthal projections in force
    double frame_lat = 0;
    MapCone cone;
    double cone_rho0 = 0;       // mean projected radius of the latitude extremes
    bool south = false;         // conical map south of the equator: y reversed
    double limit = 90;          // visible sphere of the azimuthal map in force, degrees
};

// Resets the map attributes for RESET key "ALL " or the key of a map routine.
void reset_map_attributes(PlotState& s, std::string_view key);

}  // namespace korvan
