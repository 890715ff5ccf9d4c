// Map points: longitude and latitude to plot coordinates.
#include "plot/routines/map_points.hpp"

#include <cmath>

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

bool map_unit_point(const MapAttributes& m, double lon, double lat, MapXY& xy)
{
    int code = m.projection;
    switch (map_class(code)) {
    case MapClass::cylindrical:
        if (code == map_obli)
            xy = cylindrical_projection(code, (lon - m.frame_lon) * map_degree, lat * map_degree,
                                        m.frame_lat * map_degree);
        else
            xy = cylindrical_projection(code, map_relative_lon(m, lon) * map_degree, lat * map_degree);
        break;
    case MapClass::pseudo_cylindrical:
        xy = pseudo_cylindrical_projection(code, map_relative_lon(m, lon) * map_degree, lat * map_degree);
        break;
    case MapClass::conical: {
        double phi = (m.south ? -lat : lat) * map_degree;
        xy = conical_projection(m.cone, m.cone_rho0, map_relative_lon(m, lon) * map_degree, phi);
        if (m.south)
            xy.y = -xy.y;
        break;
    }
    case MapClass::azimuthal: {
        MapAzimuth a = azimuthal_frame(lon * map_degree, lat * map_degree, m.frame_lon * map_degree,
                                       m.frame_lat * map_degree);
        if (a.c > m.limit * map_degree + 1e-9)
            return false;
        double r = azimuthal_radius(code, a.c);
        xy = {r * std::cos(a.alpha), r * std::sin(a.alpha)};
        break;
    }
    }
    return std::isfinite(xy.x) && std::isfinite(xy.y);
}

bool map_to_plot(double lon, double lat, FillPoint& p)
{
    const PlotState& s = state();
    const MapAttributes& m = s.maps;
    if (!m.open || m.projection == map_cyli) {
        p = {plot_x(s.axes.transform[0], lon), plot_y(s.axes.transform[1], lat)};
        return std::isfinite(p.x) && std::isfinite(p.y);
    }
    MapXY xy{};
    if (!map_unit_point(m, lon, lat, xy))
        return false;
    p = {m.origin_x + xy.x * m.scale, m.origin_y - xy.y * m.scale};
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace korvan

namespace korvan {

bool map_to_plot_for_fill(double lon, double lat, FillPoint& p)
{
    if (map_to_plot(lon, lat, p))
        return true;
    const MapAttributes& m = state().maps;
    if (!map_projected() || map_class(m.projection) != MapClass::azimuthal)
        return false;
    MapAzimuth a = azimuthal_frame(lon * map_degree, lat * map_degree, m.frame_lon * map_degree,
                                   m.frame_lat * map_degree);
    double r = azimuthal_radius(m.projection, m.limit * map_degree) * m.scale;
    p = {m.origin_x + r * std::cos(a.alpha), m.origin_y - r * std::sin(a.alpha)};
    return std::isfinite(p.x) && std::isfinite(p.y);
}

}  // namespace korvan
