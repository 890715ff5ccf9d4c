// The forward formulas of the map projections on the unit sphere. Angles are
// in radians; longitudes are relative to the centre meridian of the map.
#pragma once

#include "plot/kernel/map_state.hpp"

namespace korvan {

// Projection classes by code: 0-9 cylindrical, 10-19 pseudo-cylindrical,
// 20-29 conical, 30-39 azimuthal.
enum class MapClass { cylindrical, pseudo_cylindrical, conical, azimuthal };
MapClass map_class(int code);

// Projection codes.
enum MapCode : int {
    map_cyli = 0, map_merc = 1, map_exac = 2, map_corr = 3, map_utm = 4, map_obli = 5, map_equa = 6,
    map_moll = 10, map_aito = 11, map_hamm = 12, map_wink = 13, map_sans = 14, map_elli = 15,
    map_conf = 20, map_albe = 21, map_poly = 22, map_coni = 23,
    map_gnom = 30, map_orth = 31, map_ster = 32, map_azim = 33, map_lamb = 34
};

struct MapXY {
    double x;
    double y;
};

// Longitude and latitude on a turned sphere (radians).
struct MapAngles {
    double lam;
    double phi;
};
// The sphere turned so that the point (0, phi0) lies at (0, 0): the equator
// of this aspect is the great circle leaving (0, phi0) towards the east.
MapAngles oblique_aspect(double lam, double phi, double phi0);
// The sphere turned so that the centre meridian becomes the equator.
MapAngles transverse_aspect(double lam, double phi);
// The Mercator projection of a turned sphere: OBLI along the equator of its
// aspect, UTM across it (x and y exchanged).
MapXY aspect_mercator(int code, MapAngles a);

// Cylindrical projections (codes 1-6) of a point at longitude lam from the
// centre meridian. OBLI is the oblique Mercator whose central line is the
// great circle leaving the point (0, phi0) towards the east.
MapXY cylindrical_projection(int code, double lam, double phi, double phi0 = 0);

// Pseudo-cylindrical projections (codes 10-15).
MapXY pseudo_cylindrical_projection(int code, double lam, double phi);

// The cone of a conical projection with standard parallels phi1 and phi2
// (one-parallel form when they are equal); the polyconic projection keeps
// phi1 as the latitude of its origin. False when the parallels give no cone
// (both on the equator).
bool make_cone(int code, double phi1, double phi2, MapCone& cone);
// The radius of a parallel on the cone.
double cone_radius(const MapCone& cone, double phi);
// A conical projection with y measured from the cone's apex level rho0.
MapXY conical_projection(const MapCone& cone, double rho0, double lam, double phi);

// The azimuthal frame of a point seen from the centre (lam0, phi0): the
// angular distance c and the direction alpha (counter-clockwise from east,
// north up).
struct MapAzimuth {
    double c;
    double alpha;
};
MapAzimuth azimuthal_frame(double lam, double phi, double lam0, double phi0);
// The radius of an azimuthal projection (codes 30-34) at angular distance c.
double azimuthal_radius(int code, double c);

}  // namespace korvan
