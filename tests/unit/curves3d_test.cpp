// Lines in the 3-D box: curves, the STRT3D/CONN3D pen and the box edges.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/routines/axes.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/curves3d.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class Curves3dTest : public PlotTest {
protected:
    template <typename Draw>
    Points in_box(Draw draw)
    {
        open_new_plot();
        graf3d(0, 10, 0, 2, 0, 20, 0, 5, -1, 1, -1, 0.5);
        take_output();
        return points_added_by(draw);
    }
};

TEST_F(Curves3dTest, CurvesThroughUserPoints)
{
    const std::vector<float> x{0, 5, NAN, 10, 2};
    const std::vector<float> y{0, 10, 0, 20, 4};
    const std::vector<float> z{-1, 0, 0, 1, 0.5};
    std::vector<double> px, py;
    Points drawn = in_box([&] {
        for (std::size_t i = 0; i < x.size(); ++i) {
            px.push_back(x3drel(x[i], y[i], z[i]));
            py.push_back(y3drel(x[i], y[i], z[i]));
        }
        curv3d(x, y, z, 5);
    });
    // Two pieces: the not-a-number point lifts the pen.
    ASSERT_EQ(drawn.size(), 4u);
    EXPECT_FALSE(drawn[0].draw);
    EXPECT_NEAR(drawn[0].x, px[0], 0.01);
    EXPECT_NEAR(drawn[1].y, py[1], 0.01);
    EXPECT_FALSE(drawn[2].draw);
    EXPECT_NEAR(drawn[2].x, px[3], 0.01);
    EXPECT_NEAR(drawn[3].y, py[4], 0.01);

    Points pen = in_box([&] {
        conn3d(1, 1, 0);  // no pen placed yet
        strt3d(0, 0, -1);
        conn3d(10, 20, 1);
    });
    ASSERT_EQ(pen.size(), 2u);
    EXPECT_NEAR(pen[0].x, px[0], 0.01);
    EXPECT_NEAR(pen[1].x, px[3], 0.01);
}

// CURVX3 keeps Y, CURVY3 keeps X: the same points as CURV3D with the constant
// in its place.
TEST_F(Curves3dTest, CurvesOnPlanesOfConstantYAndX)
{
    const std::vector<float> a{0, 5, 10};
    const std::vector<float> z{-1, 1, 0};
    std::vector<double> px, py, qx, qy;
    Points along_x = in_box([&] {
        for (std::size_t i = 0; i < 3; ++i) {
            px.push_back(x3drel(a[i], 15, z[i]));
            py.push_back(y3drel(a[i], 15, z[i]));
            qx.push_back(x3drel(2.5, 2 * a[i], z[i]));
            qy.push_back(y3drel(2.5, 2 * a[i], z[i]));
        }
        curvx3(a, 15, z, 3);
    });
    const std::vector<float> b{0, 10, 20};
    Points along_y = in_box([&] { curvy3(2.5, b, z, 3); });
    ASSERT_EQ(along_x.size(), 3u);
    ASSERT_EQ(along_y.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        EXPECT_NEAR(along_x[i].x, px[i], 0.01);
        EXPECT_NEAR(along_x[i].y, py[i], 0.01);
        EXPECT_NEAR(along_y[i].x, qx[i], 0.01);
        EXPECT_NEAR(along_y[i].y, qy[i], 0.01);
    }
    Points none = in_box([&] {
        curvx3(a, 15, z, 4);
        curvy3(2.5, b, z, 0);
    });
    EXPECT_TRUE(none.empty());
    EXPECT_EQ(kept_output_, " <<<< Warning   2: Incorrect parameter in curvx3!   (   4)\n"
                            " <<<< Warning   2: Incorrect parameter in curvy3!   (   0)\n");
}

// In a GRAF3 colour axis system the values are colours: the same rectangles
// as CURVE3 with the constant coordinate repeated.
TEST_F(Curves3dTest, RowsAndColumnsOfColourPointsInGraf3)
{
    const std::vector<float> a{1, 2, 3};
    const std::vector<float> fixed{2, 2, 2};
    const std::vector<float> z{0.1f, 0.5f, 0.9f};
    auto colour_system = [&](auto draw) {
        open_new_plot();
        graf3(0, 4, 0, 1, 0, 4, 0, 1, 0, 1, 0, 0.5);
        take_output();
        return points_added_by(draw);
    };
    Points row = colour_system([&] { curvx3(a, 2, z, 3); });
    Points expected_row = colour_system([&] { curve3(a, fixed, z, 3); });
    Points column = colour_system([&] { curvy3(2, a, z, 3); });
    Points expected_column = colour_system([&] { curve3(fixed, a, z, 3); });
    ASSERT_FALSE(row.empty());
    ASSERT_EQ(row.size(), expected_row.size());
    ASSERT_EQ(column.size(), expected_column.size());
    for (std::size_t i = 0; i < row.size(); ++i) {
        EXPECT_EQ(row[i].x, expected_row[i].x);
        EXPECT_EQ(row[i].y, expected_row[i].y);
        EXPECT_EQ(row[i].colour, expected_row[i].colour);
        EXPECT_EQ(column[i].x, expected_column[i].x);
        EXPECT_EQ(column[i].y, expected_column[i].y);
    }
    Points none = colour_system([&] { curvx3(a, 2, z, 5); });
    EXPECT_EQ(kept_output_, " <<<< Warning   2: Incorrect parameter in curvx3!   (   5)\n");
}

// The box: twelve edges between its eight corners, the same corners the box
// axes start and end at.
TEST_F(Curves3dTest, BoxEdges)
{
    Points edges = in_box([] { box3d(); });
    ASSERT_EQ(edges.size(), 24u);
    std::vector<std::pair<double, double>> corners;
    for (const PlotPointRecord& p : edges) {
        bool known = false;
        for (auto& c : corners)
            known = known || (std::fabs(c.first - p.x) < 0.01 && std::fabs(c.second - p.y) < 0.01);
        if (!known)
            corners.emplace_back(p.x, p.y);
    }
    EXPECT_EQ(corners.size(), 8u);

    open_plot();
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    box3d();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in box3d!   (   2)\n");
    endgrf();
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    curv3d(std::vector<float>{0}, std::vector<float>{0}, std::vector<float>{0}, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  35: Confusion of graf3d and graf3 in curv3d!\n");
    endgrf();
    close_plot();
}

}  // namespace
}  // namespace korvan::test
