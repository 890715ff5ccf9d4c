// The projection settings and GRAFMP, which opens a map axis system and
// places the projected map in it.
#include <algorithm>
#include <cmath>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/clipping.hpp"
#include "plot/routines/map_axes.hpp"
#include "plot/routines/map_points.hpp"
#include "plot/routines/maps.hpp"

namespace korvan {

namespace {

constexpr const char projection_keys[] =
    "CYLI+MERC+EXAC+CORR+UTM +OBLI+EQUA+MOLL+AITO+HAMM+WINK+"
    "SANS+ELLI+CONF+ALBE+POLY+CONI+GNOM+ORTH+STER+AZIM+LAMB";
constexpr int projection_codes[] = {0, 1, 2, 3, 4, 5, 6, 10, 11, 12, 13, 14, 15, 20, 21, 22, 23, 30, 31, 32, 33, 34};

// Whether v lies within [-limit, limit]; compared in single precision, the
// precision of the arguments, so that a limit like 180.1 is itself allowed.
bool within(double v, float limit) { return static_cast<float>(v) >= -limit && static_cast<float>(v) <= limit; }
bool beyond(double v, float limit) { return static_cast<float>(v) > limit; }

// The checks of GRAFMP's axis values for the projection in force.
bool map_ranges_valid(int code, double xa, double xe, double ya, double ye)
{
    if (!(xa < xe) || !(ya < ye))
        return false;
    MapClass cls = map_class(code);
    if (cls == MapClass::cylindrical) {
        float lat_limit = code == map_cyli ? 180.1f : code == map_merc ? 85.1f : 90.1f;
        if (!within(xa, 540.1f) || !within(xe, 540.1f) || !within(ya, lat_limit) || !within(ye, lat_limit))
            return false;
    } else if (!within(xa, 180.1f) || !within(xe, 180.1f) || !within(ya, 90.1f) || !within(ye, 90.1f)) {
        return false;
    }
    if (cls == MapClass::conical && ya < 0 && ye > 0)
        return false;
    if (cls == MapClass::azimuthal && ye - ya <= 90 && (!within((ya + ye) / 2, 90.1f) || beyond(xe - xa, 180.1f)))
        return false;
    return true;
}

// The projected height of a latitude range along the centre meridian.
double projected_height(const MapAttributes& m, double lon, double ya, double ye, double& y_low)
{
    MapXY a{};
    MapXY e{};
    if (!map_unit_point(m, lon, ya, a) || !map_unit_point(m, lon, ye, e))
        return 0;
    y_low = a.y;
    return std::fabs(e.y - a.y);
}

// Places the projected map in the axis rectangle; false when the projection
// cannot draw these ranges.
bool place_map(MapAttributes& m, const AxisAttributes& a, double xa, double xe, double ya, double ye)
{
    m.middle_lon = (xa + xe) / 2;
    m.frame_lon = m.centre_lon;
    m.frame_lat = m.centre_lat;
    m.limit = m.sphere_limit;
    m.south = false;
    double cx = a.nxa + (a.nxl - 1) / 2.0;
    double cy = a.nya - (a.nyl - 1) / 2.0;
    m.origin_x = cx;
    m.origin_y = cy;
    m.scale = 1;
    int code = m.projection;
    double y_low = 0;
    double height = 0;
    switch (map_class(code)) {
    case MapClass::cylindrical:
        height = projected_height(m, code == map_obli ? m.frame_lon : m.middle_lon, ya, ye, y_low);
        if (!(height > 1e-9))
            return false;
        m.scale = (a.nyl - 1) / height;
        // The bottom latitude lies on the X axis.
        m.origin_y = a.nya + y_low * m.scale;
        return true;
    case MapClass::pseudo_cylindrical:
        height = projected_height(m, m.middle_lon, ya, ye, y_low);
        if (!(height > 1e-9))
            return false;
        m.scale = (a.nyl - 1) / height;
        // The latitude range in the middle of the axis system (the equator
        // there for a range symmetric about it).
        m.origin_y = cy + (y_low + height / 2) * m.scale;
        return true;
    case MapClass::conical: {
        double p1 = m.reference1;
        double p2 = m.reference2;
        if (!m.reference_given) {
            p1 = ya + (ye - ya) / 4;
            p2 = ya + 3 * (ye - ya) / 4;
        }
        // A map south of the equator is the mirror image of one north of it.
        m.south = (ya + ye) / 2 < 0;
        double sign = m.south ? -1 : 1;
        double origin = code == map_poly ? sign * (ya + ye) / 2 : sign * p1;
        if (!make_cone(code, origin * map_degree, sign * p2 * map_degree, m.cone))
            return false;
        m.cone_rho0 = (cone_radius(m.cone, sign * ya * map_degree) + cone_radius(m.cone, sign * ye * map_degree)) / 2;
        height = projected_height(m, m.middle_lon, ya, ye, y_low);
        if (!(height > 1e-9))
            return false;
        m.scale = (a.nyl - 1) / height;
        return true;
    }
    case MapClass::azimuthal: {
        if (code == map_gnom)
            m.limit = std::min(m.limit, 85.0);
        if (ye - ya > 90) {
            // The hemisphere around the MAPPOL point as a circle.
            int diameter = std::min(a.nxl, a.nyl);
            double r = azimuthal_radius(code, m.limit * map_degree);
            if (!(r > 1e-9))
                return false;
            m.scale = (diameter - 1) / (2 * r);
            return true;
        }
        m.frame_lon = m.middle_lon;
        m.frame_lat = (ya + ye) / 2;
        height = projected_height(m, m.frame_lon, ya, ye, y_low);
        if (!(height > 1e-9))
            return false;
        m.scale = (a.nyl - 1) / height;
        return true;
    }
    }
    return false;
}

}  // namespace

void projct(std::string_view keyword)
{
    if (level_check(1, 1, "projct"))
        return;
    int n = keyword_lookup(projection_keys, 22, keyword);
    if (n > 0)
        state().maps.projection = projection_codes[n - 1];
}

void mappol(double lon, double lat)
{
    if (level_check(1, 1, "mappol"))
        return;
    if (!within(lon, 180.1f) || !within(lat, 90.1f)) {
        warning(2);
        return;
    }
    state().maps.centre_lon = lon;
    state().maps.centre_lat = lat;
}

void mapref(double lat1, double lat2)
{
    if (level_check(1, 1, "mapref"))
        return;
    bool opposite = (beyond(-lat1, 0.1f) && beyond(lat2, 0.1f)) || (beyond(lat1, 0.1f) && beyond(-lat2, 0.1f));
    if (!within(lat1, 90.1f) || !within(lat2, 90.1f) || opposite) {
        warning(2);
        return;
    }
    MapAttributes& m = state().maps;
    m.reference1 = lat1;
    m.reference2 = lat2;
    m.reference_given = true;
}

void mapsph(double angle)
{
    if (level_check(1, 1, "mapsph"))
        return;
    if (!(angle > 0 && angle <= 90)) {
        warning(2);
        return;
    }
    state().maps.sphere_limit = angle;
}

void mapmod(std::string_view mode)
{
    if (level_check(1, 3, "mapmod"))
        return;
    int n = keyword_lookup("STRA+INTE+GREA", 3, mode);
    if (n > 0)
        state().maps.line_mode = n - 1;
}

void grafmp(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep)
{
    if (level_check(1, 1, "grafmp"))
        return;
    PlotState& s = state();
    AxisAttributes& a = s.axes;
    MapAttributes& m = s.maps;
    if (!map_ranges_valid(m.projection, xa, xe, ya, ye)) {
        warning(2);
        return;
    }
    bool ok_x = check_axis_values(xa, xe, xor_, xstep);
    bool ok_y = check_axis_values(ya, ye, yor, ystep);
    if (!ok_x || !ok_y)
        return;
    AxisRectangle r = next_axis_rectangle(s);
    a.nxa = r.nxa;
    a.nya = r.nya;
    a.nxl = r.nxl;
    a.nyl = r.nyl;
    if (!place_map(m, a, xa, xe, ya, ye)) {
        warning(2);
        return;
    }
    s.level = 2;
    save_clipping_window();
    double values_x[4] = {xa, xe, xor_, xstep};
    double values_y[4] = {ya, ye, yor, ystep};
    for (std::size_t k = 0; k < 4; ++k) {
        a.graf_x[k] = values_x[k];
        a.graf_y[k] = values_y[k];
    }
    // The axis system's own transformation is the plain one of longitude and
    // latitude, as with CYLI.
    AxisSettings linear_x = a.axis[0];
    AxisSettings linear_y = a.axis[1];
    linear_x.scaling = 0;
    linear_y.scaling = 0;
    set_axis_transform(a.transform[0], xa, xe, xor_, xstep, a.nxa, a.nxl, linear_x);
    set_axis_transform(a.transform[1], ya, ye, yor, ystep, a.nya, a.nyl, linear_y);
    a.curve_count = 0;
    m.open = true;
    if (a.no_graf)
        return;
    draw_map_axis_system();
}

}  // namespace korvan
