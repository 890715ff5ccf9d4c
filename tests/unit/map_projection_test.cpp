// The forward formulas of the map projections against PROJ (proj-bin) on a
// grid of points, and the formulas' own properties. Winkel's projection is
// tested in this library's form with the standard parallel at 40 degrees
// (PROJ's wintri with lat_1=40); conical projections use y measured from the
// equator's radius, as PROJ does with lat_0=0.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <functional>
#include <numbers>
#include <sstream>
#include <string>
#include <vector>

#include "plot/routines/map_projection.hpp"

namespace korvan {
namespace {

constexpr double deg = std::numbers::pi / 180;

struct LonLat {
    double lon;
    double lat;
};

bool proj_available() { return std::system("command -v proj >/dev/null 2>&1") == 0; }

// The points projected by PROJ with the given parameters (unit sphere);
// an empty list when proj fails.
std::vector<MapXY> proj_points(const std::string& params, const std::vector<LonLat>& points)
{
    char name[] = "/tmp/korvan_proj_XXXXXX";
    int fd = mkstemp(name);
    if (fd < 0)
        return {};
    std::FILE* f = fdopen(fd, "w");
    for (const LonLat& p : points)
        std::fprintf(f, "%.12f %.12f\n", p.lon, p.lat);
    std::fclose(f);
    std::string command = "proj -f %.12f " + params + " +R=1 < " + name;
    std::FILE* out = popen(command.c_str(), "r");
    std::vector<MapXY> result;
    if (out != nullptr) {
        double x = 0;
        double y = 0;
        while (std::fscanf(out, "%lf %lf", &x, &y) == 2)
            result.push_back({x, y});
        pclose(out);
    }
    std::remove(name);
    return result;
}

std::vector<LonLat> grid(double lon0, double lon1, double lat0, double lat1, double step)
{
    std::vector<LonLat> points;
    for (double lat = lat0; lat <= lat1 + 1e-9; lat += step)
        for (double lon = lon0; lon <= lon1 + 1e-9; lon += step)
            points.push_back({lon, lat});
    return points;
}

void compare(const std::string& params, const std::vector<LonLat>& points,
             const std::function<MapXY(double lon, double lat)>& ours, double tolerance = 1e-7)
{
    std::vector<MapXY> reference = proj_points(params, points);
    ASSERT_EQ(reference.size(), points.size()) << params;
    for (std::size_t i = 0; i < points.size(); ++i) {
        MapXY p = ours(points[i].lon * deg, points[i].lat * deg);
        EXPECT_NEAR(p.x, reference[i].x, tolerance) << params << " at " << points[i].lon << ", " << points[i].lat;
        EXPECT_NEAR(p.y, reference[i].y, tolerance) << params << " at " << points[i].lon << ", " << points[i].lat;
    }
}

#define NEED_PROJ()                                                                    \
    if (!proj_available())                                                             \
    GTEST_SKIP() << "proj (Debian package proj-bin) is not installed; projections not compared"

TEST(MapProjectionsAgainstProj, Cylindrical)
{
    NEED_PROJ();
    auto world = grid(-180, 180, -80, 80, 20);
    auto cyl = [](int code) { return [code](double l, double p) { return cylindrical_projection(code, l, p); }; };
    compare("+proj=merc", world, cyl(map_merc));
    compare("+proj=cea", world, cyl(map_equa));
    compare("+proj=eqc", world, cyl(map_exac));
    compare("+proj=mill", world, cyl(map_corr));
    // Transverse Mercator around the centre meridian, away from its poles.
    compare("+proj=tmerc", grid(-70, 70, -80, 80, 10), cyl(map_utm));
}

TEST(MapProjectionsAgainstProj, PseudoCylindrical)
{
    NEED_PROJ();
    auto world = grid(-180, 180, -90, 90, 15);
    auto pseudo = [](int code) {
        return [code](double l, double p) { return pseudo_cylindrical_projection(code, l, p); };
    };
    compare("+proj=aitoff", world, pseudo(map_aito));
    compare("+proj=hammer", world, pseudo(map_hamm));
    compare("+proj=wintri +lat_1=40", world, pseudo(map_wink));
    compare("+proj=sinu", world, pseudo(map_sans));
    // PROJ's iterations for Mollweide and Eckert IV stop short of the poles
    // (x about 1e-5 there); the poles themselves are checked below.
    auto off_poles = grid(-180, 180, -75, 75, 15);
    compare("+proj=moll", off_poles, pseudo(map_moll), 1e-6);
    compare("+proj=eck4", off_poles, pseudo(map_elli), 1e-6);
    MapXY pole = pseudo_cylindrical_projection(map_moll, 120 * deg, 90 * deg);
    EXPECT_NEAR(pole.x, 0, 1e-12);
    EXPECT_NEAR(pole.y, std::numbers::sqrt2, 1e-12);
    // Eckert IV's pole is a line half as long as the equator.
    EXPECT_NEAR(pseudo_cylindrical_projection(map_elli, 120 * deg, 90 * deg).x,
                pseudo_cylindrical_projection(map_elli, 120 * deg, 0).x / 2, 1e-9);
}

TEST(MapProjectionsAgainstProj, Conical)
{
    NEED_PROJ();
    auto north = grid(-170, 170, 0, 85, 10);
    struct Case {
        int code;
        const char* name;
        double p1;
        double p2;
    };
    const Case cases[] = {{map_conf, "lcc", 25, 55},  {map_conf, "lcc", 40, 40},  {map_albe, "aea", 25, 55},
                          {map_albe, "aea", 40, 40},  {map_coni, "eqdc", 25, 55}, {map_coni, "eqdc", 40, 40}};
    for (const Case& c : cases) {
        MapCone cone;
        ASSERT_TRUE(make_cone(c.code, c.p1 * deg, c.p2 * deg, cone)) << c.name;
        double rho0 = cone_radius(cone, 0);
        std::string params = std::string("+proj=") + c.name + " +lat_1=" + std::to_string(c.p1) +
                             " +lat_2=" + std::to_string(c.p2);
        if (c.p1 == c.p2)
            params += " +lat_0=0";
        compare(params, north, [&](double l, double p) { return conical_projection(cone, rho0, l, p); }, 1e-6);
    }
    MapCone poly;
    ASSERT_TRUE(make_cone(map_poly, 40 * deg, 40 * deg, poly));
    compare("+proj=poly +lat_0=40", grid(-150, 150, -80, 80, 10),
            [&](double l, double p) { return conical_projection(poly, 0, l, p); }, 1e-6);
}

TEST(MapProjectionsAgainstProj, Azimuthal)
{
    NEED_PROJ();
    struct Case {
        int code;
        const char* name;
        double limit;  // largest angular distance compared
    };
    const Case cases[] = {{map_gnom, "gnom", 70}, {map_orth, "ortho", 89}, {map_ster, "stere", 150},
                          {map_azim, "aeqd", 170}, {map_lamb, "laea", 170}};
    const LonLat centres[] = {{10, 50}, {-75, -30}, {0, 90}, {0, -90}, {120, 0}};
    auto points = grid(-180, 170, -85, 85, 10);
    for (const Case& c : cases) {
        for (const LonLat& centre : centres) {
            std::vector<LonLat> shown;
            for (const LonLat& p : points) {
                MapAzimuth a = azimuthal_frame(p.lon * deg, p.lat * deg, centre.lon * deg, centre.lat * deg);
                if (a.c < c.limit * deg)
                    shown.push_back(p);
            }
            std::ostringstream params;
            params << "+proj=" << c.name << " +lat_0=" << centre.lat << " +lon_0=" << centre.lon;
            compare(params.str(), shown,
                    [&](double l, double p) {
                        MapAzimuth a = azimuthal_frame(l, p, centre.lon * deg, centre.lat * deg);
                        double r = azimuthal_radius(c.code, a.c);
                        return MapXY{r * std::cos(a.alpha), r * std::sin(a.alpha)};
                    },
                    1e-6);
        }
    }
}

// --- Properties that need no reference ------------------------------------

TEST(MapProjections, MercatorTakesThePolesTo89_99)
{
    double pole = cylindrical_projection(map_merc, 0, 90 * deg).y;
    EXPECT_NEAR(pole, std::log(std::tan((45 + 89.99 / 2) * deg)), 1e-9);
    EXPECT_NEAR(cylindrical_projection(map_merc, 0, -90 * deg).y, -pole, 1e-9);
    EXPECT_TRUE(std::isfinite(pole));
}

TEST(MapProjections, AitoffHammerWinkelPutTheEquatorOnTheHorizontalAxis)
{
    // A point on the equator 90 degrees east lies on the x axis, right of the centre.
    for (int code : {map_aito, map_hamm, map_wink}) {
        MapXY p = pseudo_cylindrical_projection(code, 90 * deg, 0);
        EXPECT_GT(p.x, 0.5) << code;
        EXPECT_NEAR(p.y, 0, 1e-12) << code;
        MapXY w = pseudo_cylindrical_projection(code, -90 * deg, 0);
        EXPECT_NEAR(w.x, -p.x, 1e-12) << code;
        MapXY n = pseudo_cylindrical_projection(code, 0, 60 * deg);
        EXPECT_NEAR(n.x, 0, 1e-12) << code;
        EXPECT_GT(n.y, 0) << code;
        MapXY o = pseudo_cylindrical_projection(code, 0, 0);
        EXPECT_EQ(o.x, 0) << code;
        EXPECT_EQ(o.y, 0) << code;
    }
    // Aitoff at (90 E, 0): x = 2c with c = 45 degrees (half the longitude).
    EXPECT_NEAR(pseudo_cylindrical_projection(map_aito, 90 * deg, 0).x, std::numbers::pi / 2, 1e-12);
}

TEST(MapProjections, ObliqueMercatorIsMercatorOnTheEquatorAndFollowsItsCentralLine)
{
    for (double lon : {-60.0, 0.0, 45.0})
        for (double lat : {-50.0, 0.0, 70.0}) {
            MapXY o = cylindrical_projection(map_obli, lon * deg, lat * deg, 0);
            MapXY m = cylindrical_projection(map_merc, lon * deg, lat * deg);
            EXPECT_NEAR(o.x, m.x, 1e-12);
            EXPECT_NEAR(o.y, m.y, 1e-12);
        }
    // The centre (0, 45) is the origin; the meridian through it is the y axis.
    MapXY c = cylindrical_projection(map_obli, 0, 45 * deg, 45 * deg);
    EXPECT_NEAR(c.x, 0, 1e-12);
    EXPECT_NEAR(c.y, 0, 1e-12);
    MapXY n = cylindrical_projection(map_obli, 0, 60 * deg, 45 * deg);
    EXPECT_NEAR(n.x, 0, 1e-12);
    EXPECT_NEAR(n.y, cylindrical_projection(map_merc, 0, 15 * deg).y, 1e-12);
}

TEST(MapProjections, ConesNeedAConeConstant)
{
    MapCone cone;
    EXPECT_FALSE(make_cone(map_conf, 0, 0, cone));
    EXPECT_FALSE(make_cone(map_albe, -20 * deg, 20 * deg, cone));
    EXPECT_TRUE(make_cone(map_coni, 10 * deg, 10 * deg, cone));
    EXPECT_NEAR(cone.n, std::sin(10 * deg), 1e-15);
    // Lambert's conformal cone keeps the south pole at a finite radius.
    ASSERT_TRUE(make_cone(map_conf, 20 * deg, 60 * deg, cone));
    EXPECT_TRUE(std::isfinite(cone_radius(cone, -90 * deg)));
}

TEST(MapProjections, AzimuthalFramePutsNorthUpAndEastRight)
{
    MapAzimuth north = azimuthal_frame(10 * deg, 60 * deg, 10 * deg, 50 * deg);
    EXPECT_NEAR(north.c, 10 * deg, 1e-12);
    EXPECT_NEAR(north.alpha, 90 * deg, 1e-9);
    MapAzimuth east = azimuthal_frame(20 * deg, 0, 10 * deg, 0);
    EXPECT_NEAR(east.alpha, 0, 1e-9);
    MapAzimuth west = azimuthal_frame(0, 0, 10 * deg, 0);
    EXPECT_NEAR(std::cos(west.alpha), -1, 1e-9);
    // The polar frames of the north and south pole.
    MapAzimuth np = azimuthal_frame(0, 80 * deg, 0, 90 * deg);
    EXPECT_NEAR(np.c, 10 * deg, 1e-12);
    EXPECT_NEAR(np.alpha, -90 * deg, 1e-12);  // the centre meridian runs down from the pole
    MapAzimuth sp = azimuthal_frame(0, -80 * deg, 0, -90 * deg);
    EXPECT_NEAR(sp.alpha, 90 * deg, 1e-12);
    EXPECT_NEAR(azimuthal_radius(map_gnom, 45 * deg), 1, 1e-12);
    EXPECT_EQ(azimuthal_radius(map_gnom, 95 * deg), HUGE_VAL);
}

}  // namespace
}  // namespace korvan
