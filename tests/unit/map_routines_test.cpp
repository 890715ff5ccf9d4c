// The map routines on a plot: GRAFMP's placing of each projection class,
// CURVMP's line modes and clipping, GRIDMP, WORLD, SHDMAP and SHDEUR with the shipped
// outline files (KORVAN points at the build's copy), a missing outline file,
// and the outline reader on broken data.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/map_areas.hpp"
#include "plot/routines/map_data.hpp"
#include "plot/routines/map_points.hpp"
#include "plot/routines/maps.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/shading.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class MapTest : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        const char* old = std::getenv("KORVAN");
        old_korvan_ = old != nullptr ? old : "";
        had_korvan_ = old != nullptr;
        ::setenv("KORVAN", KORVAN_MAP_DIR, 1);
    }
    void TearDown() override
    {
        if (had_korvan_)
            ::setenv("KORVAN", old_korvan_.c_str(), 1);
        else
            ::unsetenv("KORVAN");
        PlotTest::TearDown();
    }
    template <typename Draw>
    Points drawn(Draw draw)
    {
        open_new_plot();
        return points_added_by(draw);
    }
    // What draw adds to a fresh plot after set_up (which opens the map).
    template <typename SetUp, typename Draw>
    Points drawn_after(SetUp set_up, Draw draw)
    {
        open_new_plot();
        set_up();
        return points_added_by(draw);
    }
    static FillPoint at(double lon, double lat)
    {
        FillPoint p{};
        EXPECT_TRUE(map_to_plot(lon, lat, p)) << lon << ", " << lat;
        return p;
    }
    // The centre of the axis rectangle.
    static FillPoint axis_centre()
    {
        const AxisAttributes& a = state().axes;
        return {a.nxa + (a.nxl - 1) / 2.0, a.nya - (a.nyl - 1) / 2.0};
    }
    // Whether a hatch or solid line of the points passes within a unit of p.
    static bool covered(const Points& points, FillPoint p)
    {
        for (std::size_t i = 1; i < points.size(); ++i) {
            const PlotPointRecord& a = points[i - 1];
            const PlotPointRecord& b = points[i];
            if (!b.draw || std::fabs(a.y - p.y) > 1 || std::fabs(b.y - p.y) > 1)
                continue;
            if (std::min(a.x, b.x) - 1 <= p.x && p.x <= std::max(a.x, b.x) + 1)
                return true;
        }
        return false;
    }
    static int draws(const Points& points)
    {
        int n = 0;
        for (const PlotPointRecord& p : points)
            n += p.draw ? 1 : 0;
        return n;
    }
    // What CONSHD draws of a field on a Hammer world map in a SHDMOD mode
    // (levels 1, 2 and 3); each point's place in the map's ellipse (1 on its
    // edge) in `radius`.
    Points hammer_cells(const char* mode, const std::vector<float>& lon, const std::vector<float>& lat,
                        const std::vector<float>& z)
    {
        const std::vector<float> levels{1, 2, 3};
        const int nx = static_cast<int>(lon.size());
        const int ny = static_cast<int>(lat.size());
        Points cells = drawn_after(
            [&] {
                projct("HAMM");
                grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
                shdmod(mode, "CONTUR");
            },
            [&] { conshd(lon, nx, lat, ny, z, levels, 3); });
        open_new_plot();
        projct("HAMM");
        grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        centre_ = at(0, 0);
        half_x_ = at(180, 0).x - centre_.x;
        half_y_ = centre_.y - at(0, 90).y;
        endgrf();
        korfin();
        return cells;
    }
    double radius(double x, double y) const
    {
        return std::pow((x - centre_.x) / half_x_, 2) + std::pow((y - centre_.y) / half_y_, 2);
    }
    std::string old_korvan_;
    bool had_korvan_ = false;
    FillPoint centre_{};
    double half_x_ = 1;
    double half_y_ = 1;
};

constexpr double deg = 3.14159265358979323846 / 180;

TEST_F(MapTest, CylindricalMapsPutTheLatitudeRangeOnTheAxisHeight)
{
    open_plot();
    projct("MERC");
    grafmp(-180, 180, -180, 60, -60, 80, -60, 20);
    ASSERT_EQ(state().level, 2);
    const AxisAttributes& a = state().axes;
    EXPECT_NEAR(at(0, -60).y, a.nya, 1e-6);
    EXPECT_NEAR(at(0, 80).y, a.nya - a.nyl + 1, 1e-6);
    // Mercator's y grows with ln tan(45 + lat/2): 60 N lies above the middle.
    double scale = (a.nyl - 1) / (std::log(std::tan((45 + 40) * deg)) - std::log(std::tan((45 - 30) * deg)));
    EXPECT_NEAR(at(0, 60).y, a.nya - scale * (std::log(std::tan(75 * deg)) - std::log(std::tan(15 * deg))), 1e-3);
    // Longitudes are linear from the middle of the range.
    EXPECT_NEAR(at(90, 0).x - at(0, 0).x, scale * 90 * deg, 1e-3);
    endgrf();
}

TEST_F(MapTest, AMercatorCurveThroughAPoleStopsAt89_99)
{
    open_plot();
    projct("MERC");
    grafmp(-180, 180, -180, 60, -85, 85, -80, 20);
    EXPECT_NEAR(at(10, 90).y, at(10, 89.99).y, 1e-9);
    EXPECT_LT(at(10, 90).y, at(10, 85).y);  // above, on the pole's side
    EXPECT_NEAR(at(10, -90).y, at(10, -89.99).y, 1e-9);
    EXPECT_GT(at(10, -90).y, at(10, -85).y);
    endgrf();
    korfin();
    // The curve runs up to the top of the axis system, where it is clipped.
    Points curve = drawn_after(
        [] {
            projct("MERC");
            grafmp(-180, 180, -180, 60, -85, 85, -80, 20);
        },
        [] {
            const std::vector<float> lon{0, 0};
            const std::vector<float> lat{60, 90};
            curvmp(lon, lat, 2);
        });
    ASSERT_FALSE(curve.empty());
    const AxisAttributes& a = state().axes;
    EXPECT_NEAR(box_of(curve).y0, a.nya - a.nyl + 1, 1.01);
}

TEST_F(MapTest, AStereographicMapOfAllLatitudesIsAFullCircle)
{
    open_plot();
    projct("STER");
    mappol(30, 40);
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    ASSERT_EQ(state().level, 2);
    const AxisAttributes& a = state().axes;
    FillPoint c = axis_centre();
    double radius = (std::min(a.nxl, a.nyl) - 1) / 2.0;
    // The MAPPOL point is the centre; the hemisphere's edge the circle.
    EXPECT_NEAR(at(30, 40).x, c.x, 1e-4);
    EXPECT_NEAR(at(30, 40).y, c.y, 1e-4);
    FillPoint edge = at(30, -50);
    EXPECT_NEAR(std::hypot(edge.x - c.x, edge.y - c.y), radius, 1e-6);
    EXPECT_GT(edge.y, c.y);  // south is down
    FillPoint beyond{};
    EXPECT_FALSE(map_to_plot(-150, 0, beyond));  // the far side is not shown
    endgrf();
    korfin();
    Points grid = drawn_after(
        [] {
            projct("STER");
            mappol(30, 40);
            grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        },
        [] { gridmp(1, 1); });
    ASSERT_GT(grid.size(), 100u);
    double far = 0;
    for (const PlotPointRecord& p : grid)
        far = std::max(far, std::hypot(p.x - c.x, p.y - c.y));
    EXPECT_NEAR(far, radius, 1.5);
}

TEST_F(MapTest, MapsphLimitsTheVisibleSphere)
{
    open_plot();
    projct("ORTH");
    mapsph(60);
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    FillPoint c = axis_centre();
    double radius = (std::min(state().axes.nxl, state().axes.nyl) - 1) / 2.0;
    FillPoint edge = at(60, 0);
    EXPECT_NEAR(std::hypot(edge.x - c.x, edge.y - c.y), radius, 1e-6);
    FillPoint p{};
    EXPECT_FALSE(map_to_plot(61, 0, p));
    endgrf();
    korfin();
    // A curve leaving the visible sphere ends on its edge.
    Points curve = drawn_after(
        [] {
            projct("ORTH");
            mapsph(60);
            grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        },
        [] {
            const std::vector<float> lon{0, 90};
            const std::vector<float> lat{0, 0};
            curvmp(lon, lat, 2);
        });
    ASSERT_FALSE(curve.empty());
    EXPECT_NEAR(box_of(curve).x1, c.x + radius, 1.01);
}

TEST_F(MapTest, AConicalMapTakesItsStandardParallelsAtAQuarterOfTheRange)
{
    for (const char* name : {"CONF", "ALBE", "CONI"}) {
        open_new_plot();
        projct(name);
        grafmp(-20, 40, -20, 10, 10, 70, 10, 10);
        ASSERT_EQ(state().level, 2) << name;
        MapCone expected;
        ASSERT_TRUE(make_cone(state().maps.projection, 25 * map_degree, 55 * map_degree, expected));
        EXPECT_NEAR(state().maps.cone.n, expected.n, 1e-12) << name;
        endgrf();
        // MAPREF's parallels instead.
        mapref(30, 60);
        grafmp(-20, 40, -20, 10, 10, 70, 10, 10);
        ASSERT_TRUE(make_cone(state().maps.projection, 30 * map_degree, 60 * map_degree, expected));
        EXPECT_NEAR(state().maps.cone.n, expected.n, 1e-12) << name;
        // The latitude range fills the axis height along the centre meridian.
        const AxisAttributes& a = state().axes;
        EXPECT_NEAR(std::fabs(at(10, 10).y - at(10, 70).y), a.nyl - 1, 1e-6) << name;
        EXPECT_GT(at(10, 10).y, at(10, 70).y) << name;
        endgrf();
        korfin();
    }
}

TEST_F(MapTest, AConicalMapSouthOfTheEquatorIsTheMirrorImage)
{
    open_plot();
    projct("CONF");
    grafmp(-20, 40, -20, 10, 10, 70, 10, 10);
    FillPoint north = at(30, 40);
    FillPoint north_low = at(30, 10);
    endgrf();
    grafmp(-20, 40, -20, 10, -70, -10, -70, 10);
    FillPoint south = at(30, -40);
    EXPECT_NEAR(south.x, north.x, 1e-6);
    EXPECT_GT(at(30, -70).y, at(30, -10).y);  // south still down
    EXPECT_NEAR(at(30, -10).x, north_low.x, 1e-6);
    endgrf();
}

TEST_F(MapTest, PseudoCylindricalMapsKeepTheEquatorHorizontal)
{
    for (const char* name : {"AITO", "HAMM", "WINK", "SANS", "MOLL", "ELLI"}) {
        open_new_plot();
        projct(name);
        grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        ASSERT_EQ(state().level, 2) << name;
        FillPoint c = axis_centre();
        EXPECT_NEAR(at(0, 0).x, c.x, 1e-6) << name;
        EXPECT_NEAR(at(0, 0).y, c.y, 1e-6) << name;
        EXPECT_NEAR(at(90, 0).y, c.y, 1e-6) << name;
        EXPECT_GT(at(90, 0).x, c.x + 100) << name;
        EXPECT_LT(at(-90, 0).x, c.x - 100) << name;
        // The whole latitude range fills the axis height.
        EXPECT_NEAR(at(0, -90).y - at(0, 90).y, state().axes.nyl - 1, 1e-6) << name;
        endgrf();
        korfin();
    }
}

TEST_F(MapTest, CurvesFollowTheLineMode)
{
    const std::vector<float> lon{0, 30};
    const std::vector<float> lat{0, 40};
    auto curve = [&](const char* projection, const char* mode) {
        return drawn_after(
            [&] {
                projct(projection);
                mapmod(mode);
                grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
            },
            [&] { curvmp(lon, lat, 2); });
    };
    // INTE: 50 steps of a degree's length; STRA and CYLI: one line.
    EXPECT_EQ(draws(curve("SANS", "INTE")), 50);
    EXPECT_EQ(draws(curve("SANS", "STRA")), 1);
    EXPECT_EQ(draws(curve("CYLI", "INTE")), 1);
    // GREA: along the great circle, which runs north of the parallel.
    const std::vector<float> east_west{-60, 60};
    const std::vector<float> forty{40, 40};
    Points great = drawn_after(
        [] {
            projct("SANS");
            mapmod("GREA");
            grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        },
        [&] { curvmp(east_west, forty, 2); });
    ASSERT_GT(draws(great), 10);
    open_new_plot();
    projct("SANS");
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    // The great circle through (+-60, 40) reaches 59.2 N on the centre meridian.
    double top = at(0, std::atan(std::tan(40 * deg) / std::cos(60 * deg)) / deg).y;
    endgrf();
    EXPECT_NEAR(box_of(great).y0, top, 1.5);
}

TEST_F(MapTest, CurvesCarrySymbolsAndCountForTheLegend)
{
    Points curve = drawn([] {
        projct("HAMM");
        grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        incmrk(1);
        const std::vector<float> lon{-30, 0, 30};
        const std::vector<float> lat{10, 20, 10};
        curvmp(lon, lat, 3);
        EXPECT_EQ(state().axes.curve_count, 1);
    });
    EXPECT_GT(curve.size(), 20u);
    // Too few points: the curve is refused.
    open_new_plot();
    projct("HAMM");
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    take_output();
    const std::vector<float> one{0};
    curvmp(one, one, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in curvmp!\n");
    endgrf();
}

TEST_F(MapTest, WorldDrawsTheCoastlinesWithinTheAxisSystem)
{
    Points coast = drawn_after([] { grafmp(-180, 180, -180, 60, -90, 90, -90, 30); }, [] { world(); });
    EXPECT_EQ(take_output().find("Warning"), std::string::npos);
    EXPECT_GT(draws(coast), 20000);
    const AxisAttributes& a = state().axes;
    Box b = box_of(coast);
    EXPECT_GE(b.x0, a.nxa - 0.5);
    EXPECT_LE(b.x1, a.nxa + a.nxl - 1 + 0.5);
    EXPECT_GE(b.y0, a.nya - a.nyl + 1 - 0.5);
    EXPECT_LE(b.y1, a.nya + 0.5);
    // Beyond 180 degrees the outlines come again, shifted by 360.
    Points shifted = drawn_after([] { grafmp(0, 360, 0, 60, -90, 90, -90, 30); }, [] { world(); });
    open_new_plot();
    grafmp(0, 360, 0, 60, -90, 90, -90, 30);
    double x_at_200 = at(200, 0).x;
    endgrf();
    int east = 0;
    for (const PlotPointRecord& p : shifted)
        east += p.x > x_at_200 ? 1 : 0;
    EXPECT_GT(east, 3000);  // the Americas at 200..360
}

TEST_F(MapTest, AMissingOutlineFileWarnsWithItsNameAndTheMapGoesOn)
{
    ::setenv("KORVAN", dir_.c_str(), 1);
    open_plot();
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    take_output();
    shdmap("AFRI");
    // The warning names the file; the system's reason follows on its own line.
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in shdmap!   (" + dir_ + "/bdta2.dat)\n <<<< " + dir_ +
                                 "/bdta2.dat: No such file or directory!\n");
    world();
    std::string warnings = take_output();
    for (int n : {1, 2, 3, 4, 6, 7})
        EXPECT_NE(warnings.find(" <<<< Warning  36: File error in world!   (" + dir_ + "/bdta" + std::to_string(n) +
                                ".dat)\n <<<< " + dir_ + "/bdta" + std::to_string(n) + ".dat: No such file or directory!\n"),
                  std::string::npos)
            << warnings;
    EXPECT_EQ(state().level, 2);
    // A file in the current directory serves when the installation has none.
    std::filesystem::copy_file(std::string(KORVAN_MAP_DIR) + "/bdta2.dat", "bdta2.dat");
    long before = state().vector_count;
    shdmap("AFRI");
    EXPECT_EQ(take_output(), "");
    EXPECT_GT(state().vector_count, before + 100);
    endgrf();
}

TEST_F(MapTest, ShadedContinentsFillTheirLand)
{
    // Africa shaded on a cylindrical world map: the middle of the Sahara is
    // covered, the Atlantic is not.
    Points land = drawn_after([] { grafmp(-180, 180, -180, 60, -90, 90, -90, 30); }, [] { shdmap("AFRI"); });
    ASSERT_GT(land.size(), 100u);
    open_new_plot();
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    FillPoint sahara = at(15, 22);
    FillPoint atlantic = at(-30, 10);
    endgrf();
    EXPECT_TRUE(covered(land, sahara));
    EXPECT_FALSE(covered(land, atlantic));
    // An unknown region is refused with its keyword.
    open_new_plot();
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    take_output();
    shdmap("MARS");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in shdmap!   (MARS)\n");
    endgrf();
}

TEST_F(MapTest, ShadedContoursOnAMapFillTheProjectedCells)
{
    // A field over the whole globe every 10 degrees, all in the first band
    // but for one cell: on a Hammer map the shading fills the ellipse, not
    // the axis rectangle's corners.
    std::vector<float> lon;
    std::vector<float> lat;
    for (int k = -180; k <= 180; k += 10)
        lon.push_back(static_cast<float>(k));
    for (int k = -90; k <= 90; k += 10)
        lat.push_back(static_cast<float>(k));
    std::vector<float> z(lon.size() * lat.size(), 1.5f);
    for (const char* mode : {"CELL", "POLY"}) {
        Points cells = hammer_cells(mode, lon, lat, z);
        ASSERT_GT(cells.size(), 100u) << mode << kept_output_;
        double worst = 0;
        for (const PlotPointRecord& p : cells)
            worst = std::max(worst, radius(p.x, p.y));
        EXPECT_LT(worst, 1.01) << mode;
        EXPECT_GT(worst, 0.95) << mode;
    }
}

// Whether a point lies inside polygons filled together by the even-odd rule.
bool inside(const std::vector<std::vector<ValuePoint>>& polygons, FillPoint p)
{
    bool in = false;
    for (const std::vector<ValuePoint>& polygon : polygons)
        for (std::size_t i = 0, j = polygon.size() - 1; i < polygon.size(); j = i++) {
            const ValuePoint& a = polygon[i];
            const ValuePoint& b = polygon[j];
            if ((a.y > p.y) != (b.y > p.y) && p.x < a.x + (p.y - a.y) / (b.y - a.y) * (b.x - a.x))
                in = !in;
        }
    return in;
}

std::vector<ValuePoint> square(double lon0, double lon1, double lat0, double lat1)
{
    return {{lon0, lat0, 0}, {lon1, lat0, 0}, {lon1, lat1, 0}, {lon0, lat1, 0}};
}

TEST_F(MapTest, AreasAreCutAtTheSeamOfTheProjection)
{
    // Hammer: an area across the back meridian falls into a piece at each
    // edge of the ellipse.
    open_plot();
    projct("HAMM");
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    FillPoint c = at(0, 0);
    double a = at(180, 0).x - c.x;
    EXPECT_FALSE(map_area_crosses_seam(square(160, 170, -10, 10)));
    EXPECT_TRUE(map_area_crosses_seam(square(170, 190, -10, 10)));
    auto pieces = map_area_pieces(square(170, 190, -10, 10), true);
    ASSERT_EQ(pieces.size(), 2u);
    for (const auto& piece : pieces) {
        double side = piece.front().x - c.x;
        for (const ValuePoint& p : piece)
            EXPECT_GT((p.x - c.x) * side, 0.8 * a * a);
    }
    // A ring around the south pole whose edges take the short way across
    // the back meridian: closed along the pole, it holds the pole's cap and
    // nothing north of its latitude.
    std::vector<ValuePoint> ring;
    for (int lon = -180; lon < 180; lon += 10)
        ring.push_back({static_cast<double>(lon), -70, 0});
    pieces = map_area_pieces(ring, false);
    EXPECT_TRUE(inside(pieces, at(0, -85)));
    EXPECT_TRUE(inside(pieces, at(10, -80)));
    EXPECT_FALSE(inside(pieces, at(0, -60)));
    EXPECT_FALSE(inside(pieces, at(0, 0)));
    endgrf();
    korfin();

    // UTM: the seam is the back half of the equator; an area across it lies
    // beyond the top and the bottom of the map, in two pieces.
    open_plot();
    projct("UTM");
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    c = at(0, 0);
    EXPECT_FALSE(map_area_crosses_seam(square(140, 160, 5, 10)));
    EXPECT_TRUE(map_area_crosses_seam(square(140, 160, -5, 5)));
    pieces = map_area_pieces(square(140, 160, -5, 5), true);
    ASSERT_EQ(pieces.size(), 2u);
    for (const auto& piece : pieces) {
        double side = piece.front().y - c.y;
        for (const ValuePoint& p : piece)
            EXPECT_GT((p.y - c.y) * side, 0) << p.x << ", " << p.y;
    }
    endgrf();
    korfin();

    // Orthographic: the area is cut at the edge of the visible hemisphere,
    // along the circle; an area behind it leaves nothing.
    open_plot();
    projct("ORTH");
    mappol(0, 0);
    grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
    c = axis_centre();
    double radius = (std::min(state().axes.nxl, state().axes.nyl) - 1) / 2.0;
    EXPECT_FALSE(map_area_crosses_seam(square(170, 190, -10, 10)));
    pieces = map_area_pieces(square(80, 100, -10, 10), true);
    ASSERT_EQ(pieces.size(), 1u);
    double farthest = 0;
    for (const ValuePoint& p : pieces[0])
        farthest = std::max(farthest, std::hypot(p.x - c.x, p.y - c.y));
    EXPECT_NEAR(farthest, radius, 0.5);
    EXPECT_TRUE(inside(pieces, at(85, 0)));
    EXPECT_TRUE(map_area_pieces(square(120, 140, -10, 10), true).empty());
    endgrf();
}

TEST_F(MapTest, NothingIsDrawnAcrossTheMap)
{
    // Coastlines and shaded continents on maps with a seam: no line and no
    // fill line reaches across the map.
    for (int map = 0; map < 3; ++map) {
        Points drawn = drawn_after(
            [&] {
                projct(map == 0 ? "UTM" : map == 1 ? "OBLI" : "HAMM");
                if (map == 1)
                    mappol(20, 40);
                grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
            },
            [] {
                shdmap("ALL");
                world();
            });
        ASSERT_GT(drawn.size(), 1000u) << map;
        const AxisAttributes& a = state().axes;
        double longest_x = 0;
        double longest_y = 0;
        for (std::size_t i = 1; i < drawn.size(); ++i)
            if (drawn[i].draw) {
                longest_x = std::max(longest_x, std::fabs(drawn[i].x - drawn[i - 1].x));
                longest_y = std::max(longest_y, std::fabs(drawn[i].y - drawn[i - 1].y));
            }
        EXPECT_LT(longest_x, 0.8 * a.nxl) << map;
        EXPECT_LT(longest_y, 0.8 * a.nyl) << map;
    }
    // A turned map shows the globe once, also where its longitudes reach
    // beyond 180 degrees: Africa is shaded, not cancelled by a copy of itself.
    Points africa = drawn_after(
        [] {
            projct("UTM");
            grafmp(-180, 360, -180, 60, -90, 90, -90, 30);
        },
        [] { shdmap("AFRI"); });
    EXPECT_GT(draws(africa), 100);
    // Shaded cells across the back meridian of a Hammer map: along its edge,
    // cell by cell (one band and several bands in a cell) and per level.
    std::vector<float> lon;
    std::vector<float> lat;
    for (int k = 5; k <= 365; k += 10)
        lon.push_back(static_cast<float>(k));
    for (int k = -85; k <= 85; k += 10)
        lat.push_back(static_cast<float>(k));
    const std::size_t ny = lat.size();
    std::vector<float> z(lon.size() * ny, 0.5f);
    for (std::size_t j = 0; j < ny; ++j) {
        z[17 * ny + j] = j < ny / 2 ? 1.5f : 2.5f;  // 175 degrees
        z[18 * ny + j] = 1.5f;                      // 185 degrees
    }
    for (const char* mode : {"CELL", "POLY"}) {
        Points cells = hammer_cells(mode, lon, lat, z);
        ASSERT_GT(cells.size(), 20u) << mode;
        // Every fill line lies near the ellipse: its middle too.
        int east = 0;
        int west = 0;
        for (std::size_t i = 1; i < cells.size(); ++i) {
            if (!cells[i].draw)
                continue;
            double x = (cells[i - 1].x + cells[i].x) / 2;
            double y = (cells[i - 1].y + cells[i].y) / 2;
            ASSERT_GT(radius(x, y), 0.8) << mode << " " << x << ", " << y;
            (x > centre_.x ? east : west) += 1;
        }
        EXPECT_GT(east, 10) << mode;
        EXPECT_GT(west, 10) << mode;
    }
}

TEST_F(MapTest, TheOutlineReaderSurvivesBrokenData)
{
    // Random values, cut files and values beyond the globe: every point that
    // comes out lies on the globe, every polyline has two points.
    std::mt19937 random(7);
    std::uniform_int_distribution<int> kind(0, 9);
    std::uniform_int_distribution<std::int32_t> any(INT32_MIN, INT32_MAX);
    std::uniform_int_distribution<std::int32_t> coordinate(-1000, 400000);
    for (int round = 0; round < 300; ++round) {
        std::vector<std::int32_t> values(static_cast<std::size_t>(random() % 500));
        for (std::int32_t& v : values) {
            int k = kind(random);
            v = k == 0 ? any(random) : k == 1 ? -1000 : k == 2 ? -9000 : coordinate(random);
        }
        for (const MapRing& ring : decode_map_data(values)) {
            ASSERT_GE(ring.points.size(), 2u);
            for (const FillPoint& p : ring.points) {
                ASSERT_TRUE(p.x >= -180 && p.x <= 180 && p.y >= -90 && p.y <= 90) << p.x << ", " << p.y;
            }
        }
    }
    // Bytes that are not whole values are dropped.
    const unsigned char bytes[] = {0x10, 0x27, 0, 0, 0x20, 0x4e, 0, 0, 0x30};
    std::vector<std::int32_t> values = map_values(bytes);
    ASSERT_EQ(values.size(), 2u);
    EXPECT_EQ(values[0], 10000);
    EXPECT_EQ(values[1], 20000);
    // A shipped file decodes into closed polylines on the globe.
    std::vector<MapRing> rings;
    std::string name;
    ASSERT_EQ(read_map_file(2, rings, name), 0);
    EXPECT_EQ(name, std::string(KORVAN_MAP_DIR) + "/bdta2.dat");
    ASSERT_GT(rings.size(), 10u);
    for (const MapRing& ring : rings) {
        EXPECT_EQ(ring.points.front().x, ring.points.back().x);
        EXPECT_EQ(ring.points.front().y, ring.points.back().y);
    }
}

TEST_F(MapTest, CountryMarksNameTheRingsThatFollow)
{
    // -(100000 + n) starts country n, n up to 999; other marks start a
    // polyline of the same country.
    const std::vector<std::int32_t> values{-100250, 180000, 90000, 181000, 90000, 181000, 91000, -1000, 182000,
                                           92000, 183000, 92000, -100276, 184000, 93000, 185000, 93000, -101000,
                                           186000, 94000, 187000, 94000, -9000};
    std::vector<MapRing> rings = decode_map_data(values);
    ASSERT_EQ(rings.size(), 4u);
    EXPECT_EQ(rings[0].country, 250);
    EXPECT_EQ(rings[0].points.size(), 3u);
    EXPECT_EQ(rings[0].points[0].x, 0);
    EXPECT_EQ(rings[0].points[0].y, 0);
    EXPECT_EQ(rings[1].country, 250);
    EXPECT_EQ(rings[2].country, 276);
    EXPECT_EQ(rings[3].country, 276);
    // The outline files of the continents name no country.
    std::string name;
    ASSERT_EQ(read_map_file(5, rings, name), 0);
    for (const MapRing& ring : rings)
        EXPECT_EQ(ring.country, 0);
    // The shipped country file: closed borders of every country, France's
    // mainland around Paris.
    ASSERT_EQ(read_map_file(8, rings, name), 0);
    std::set<int> countries;
    bool paris = false;
    for (const MapRing& ring : rings) {
        countries.insert(ring.country);
        EXPECT_EQ(ring.points.front().x, ring.points.back().x);
        EXPECT_EQ(ring.points.front().y, ring.points.back().y);
        if (ring.country == 250) {
            // Even-odd test of the point (2.35, 48.86) against the ring.
            bool inside = false;
            for (std::size_t i = 1; i < ring.points.size(); ++i) {
                const FillPoint& a = ring.points[i - 1];
                const FillPoint& b = ring.points[i];
                if ((a.y > 48.86) != (b.y > 48.86) && a.x + (48.86 - a.y) * (b.x - a.x) / (b.y - a.y) > 2.35)
                    inside = !inside;
            }
            paris = paris || inside;
        }
    }
    EXPECT_TRUE(paris);
    EXPECT_EQ(countries.size(), 56u);
    EXPECT_EQ(countries.count(0), 0u);
    for (int code : {8, 250, 276, 380, 643, 724, 826, 900, 901})
        EXPECT_EQ(countries.count(code), 1u) << code;
}

TEST_F(MapTest, ShadedCountriesFillTheirLandOnly)
{
    // France solid on a cylindrical map of Europe: Paris is covered, Berlin
    // and the Bay of Biscay are not; the current pattern and colour stay.
    std::vector<int> inray{250};
    std::vector<int> ipray{16};
    std::vector<int> icray{3};
    Points france = drawn_after(
        [] {
            grafmp(-15, 45, -15, 10, 35, 70, 35, 5);
            shdpat(5);
            setclr(7);
        },
        [&] {
            shdeur(inray, ipray, icray, 1);
            EXPECT_EQ(state().shading.pattern, 5);
            EXPECT_EQ(state().current_colour, 7);
        });
    EXPECT_EQ(kept_output_, "");
    // Pattern 0: only the border is drawn, Paris stays empty.
    ipray[0] = 0;
    Points border =
        drawn_after([] { grafmp(-15, 45, -15, 10, 35, 70, 35, 5); }, [&] { shdeur(inray, ipray, icray, 1); });
    open_new_plot();
    grafmp(-15, 45, -15, 10, 35, 70, 35, 5);
    FillPoint paris = at(2.35, 48.86);
    FillPoint berlin = at(13.4, 52.52);
    FillPoint biscay = at(-5, 45.5);
    endgrf();
    EXPECT_TRUE(covered(france, paris));
    EXPECT_FALSE(covered(france, berlin));
    EXPECT_FALSE(covered(france, biscay));
    EXPECT_GT(draws(border), 100);
    EXPECT_FALSE(covered(border, paris));
    // Refusals draw nothing.
    open_new_plot();
    grafmp(-15, 45, -15, 10, 35, 70, 35, 5);
    take_output();
    long before = state().vector_count;
    shdeur(inray, ipray, icray, 2);
    inray[0] = 1000;
    shdeur(inray, ipray, icray, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in shdeur!   (   2)\n"
                             " <<<< Warning   2: Incorrect parameter in shdeur!   (1000)\n");
    EXPECT_EQ(state().vector_count, before);
    endgrf();
    korfin();
    take_output();
}

TEST_F(MapTest, BrokenOutlineFilesNeitherCrashNorHang)
{
    // Cut and scrambled copies of a shipped file in the current directory.
    ::setenv("KORVAN", dir_.c_str(), 1);
    std::string original = read_file(std::string(KORVAN_MAP_DIR) + "/bdta7.dat");
    std::mt19937 random(11);
    for (int round = 0; round < 12; ++round) {
        std::string broken = original.substr(0, random() % original.size());
        for (int k = 0; k < 50 && !broken.empty(); ++k)
            broken[random() % broken.size()] = static_cast<char>(random());
        write_file("bdta6.dat", broken);
        open_new_plot();
        projct(round % 2 == 0 ? "LAMB" : "CYLI");
        grafmp(-180, 180, -180, 60, -90, 90, -90, 30);
        shdmap("NORT");
        world();
        endgrf();
        korfin();
        take_output();
    }
}

}  // namespace
}  // namespace korvan::test
