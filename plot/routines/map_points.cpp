// Map points: longitude and latitude to plot coordinates.
#include "plot/routines/map_points.hpp"

#include <cmath>
#include <limits>

#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"

namespace korvan {

bool map_projected()
{
    const PlotState& s = state();
    return s.maps.open && s.maps.projection != map_cyli;
}

double map_relative_lon(const MapAttributes& m, double lon)
{
    double d = lon - m.middle_lon;
    if (map_class(m.projection) == MapClass::cylindrical)
        return d;
    return std::remainder(d, 360.0);
}

namespace {

constexpr double not_a_number = std::numeric_limits<double>::quiet_NaN();
// How near a pole of a turned frame (as the cosine of the latitude) a point
// has no longitude there.
constexpr double pole_nearness = 1e-9;

bool turned_cylindrical(int code) { return code == map_utm || code == map_obli; }

}  // namespace

FramePoint map_frame_point(const MapAttributes& m, double lon, double lat)
{
    int code = m.projection;
    switch (map_class(code)) {
    case MapClass::cylindrical: {
        if (!turned_cylindrical(code))
            return {map_relative_lon(m, lon), lat};
        MapAngles a = code == map_utm
                          ? transverse_aspect(map_relative_lon(m, lon) * map_degree, lat * map_degree)
                          : oblique_aspect((lon - m.frame_lon) * map_degree, lat * map_degree, m.frame_lat * map_degree);
        return {std::cos(a.phi) < pole_nearness ? not_a_number : a.lam / map_degree, a.phi / map_degree};
    }
    case MapClass::azimuthal: {
        MapAzimuth a = azimuthal_frame(lon * map_degree, lat * map_degree, m.frame_lon * map_degree,
                                       m.frame_lat * map_degree);
        return {std::sin(a.c) < pole_nearness ? not_a_number : a.alpha / map_degree, 90 - a.c / map_degree};
    }
    default:
        return {map_relative_lon(m, lon), lat};
    }
}

bool map_has_frame()
{
    int code = state().maps.projection;
    return map_projected() && (map_class(code) != MapClass::cylindrical || turned_cylindrical(code));
}

bool map_frame_has_seam() { return map_has_frame() && map_class(state().maps.projection) != MapClass::azimuthal; }

bool frame_unit_point(const MapAttributes& m, FramePoint f, MapXY& xy)
{
    int code = m.projection;
    // A point at a pole of a turned frame lies there at any longitude.
    double lam = std::isnan(f.lon) ? 0 : f.lon * map_degree;
    double phi = f.lat * map_degree;
    switch (map_class(code)) {
    case MapClass::cylindrical:
        xy = turned_cylindrical(code) ? aspect_mercator(code, {lam, phi}) : cylindrical_projection(code, lam, phi);
        break;
    case MapClass::pseudo_cylindrical:
        xy = pseudo_cylindrical_projection(code, lam, phi);
        break;
    case MapClass::conical:
        xy = conical_projection(m.cone, m.cone_rho0, lam, m.south ? -phi : phi);
        if (m.south)
            xy.y = -xy.y;
        break;
    case MapClass::azimuthal: {
        double c = (90 - f.lat) * map_degree;
        if (c > m.limit * map_degree + 1e-9)
            return false;
        double r = azimuthal_radius(code, c);
        xy = {r * std::cos(lam), r * std::sin(lam)};
        break;
    }
    }
    return std::isfinite(xy.x) && std::isfinite(xy.y);
}

bool map_unit_point(const MapAttributes& m, double lon, double lat, MapXY& xy)
{
    return frame_unit_point(m, map_frame_point(m, lon, lat), xy);
}

bool frame_to_plot(FramePoint f, FillPoint& p)
{
    const MapAttributes& m = state().maps;
    MapXY xy{};
    if (!frame_unit_point(m, f, xy))
        return false;
    p = {m.origin_x + xy.x * m.scale, m.origin_y - xy.y * m.scale};
    return std::isfinite(p.x) && std::isfinite(p.y);
}

bool map_to_plot(double lon, double lat, FillPoint& p)
{
    const PlotState& s = state();
    const MapAttributes& m = s.maps;
    if (!m.open || m.projection == map_cyli) {
        p = {plot_x(s.axes.transform[0], lon), plot_y(s.axes.transform[1], lat)};
        return std::isfinite(p.x) && std::isfinite(p.y);
    }
    return frame_to_plot(map_frame_point(m, lon, lat), p);
}

}  // namespace korvan
