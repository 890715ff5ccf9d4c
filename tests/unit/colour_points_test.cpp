// CURVE3 with SETRES, AUTRES and GETRES, and BOX2D: checks and warnings, the
// rectangles' places, sizes and colours, clipping, and the frame.
#include "tests/unit/curves_test_support.hpp"

#include <limits>
#include <map>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/axis_frames.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan::test {
namespace {

using ColourPointsTest = ColourAxesPlotTest;

TEST_F(ColourPointsTest, CurveThreeChecksLevelSystemCountsAndLogValues)
{
    std::vector<float> x{1, 2}, y{1, 2}, z{1, 2};
    open_plot();
    curve3(x, y, z, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in curve3!   (   1)\n");
    graf3d(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    curve3(x, y, z, 2);
    EXPECT_EQ(take_output(), " <<<< Warning  35: Confusion of graf3d and graf3 in curve3!\n");
    endgrf();
    scale("LOG", "X");
    graf3(0, 3, 0, 1, 0, 10, 0, 2, 0, 10, 0, 2);
    take_output();
    curve3(x, y, z, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in curve3!   (   0)\n");
    curve3(x, y, z, 3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in curve3!   (   3)\n");
    std::vector<float> bad{1, -1};
    long before = state().vector_count;
    curve3(bad, y, z, 2);
    EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in curve3!\n");
    EXPECT_EQ(state().vector_count, before);
    korfin();
}

TEST_F(ColourPointsTest, RectanglesOfSetresSizeInTheColoursOfTheirZValues)
{
    open_colour_axes();
    setres(20, 10);
    int colour = getclr();
    std::vector<float> x{500, 200, 700}, y{500, 300, 800}, z{0, 10, 5};
    curve3(x, y, z, 3);
    EXPECT_EQ(getclr(), colour);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(kept_output_, "");
    std::map<int, Box> boxes = boxes_by_colour(p);
    int colours[3] = {colour_of_value(0), colour_of_value(10), colour_of_value(5)};
    EXPECT_EQ(colours[0], 1);
    EXPECT_EQ(colours[1], 254);
    for (int i = 0; i < 3; ++i) {
        ASSERT_TRUE(boxes.count(colours[i])) << i;
        const Box& b = boxes[colours[i]];
        // Scan lines lie on whole units: the last may end up to one unit short.
        EXPECT_NEAR(b.x0, unit_x(x[i]) - 10, 1.5) << i;
        EXPECT_NEAR(b.x1, unit_x(x[i]) + 10, 1.5) << i;
        EXPECT_NEAR(b.y0, unit_y(y[i]) - 5, 1.5) << i;
        EXPECT_NEAR(b.y1, unit_y(y[i]) + 5, 1.5) << i;
    }
}

TEST_F(ColourPointsTest, ZOutsideTheRangeTakesTheLimitColoursAndNotANumberIsSkipped)
{
    open_colour_axes();
    std::vector<float> x{100, 300, 500}, y{100, 300, 500};
    std::vector<float> z{-5, 25, std::numeric_limits<float>::quiet_NaN()};
    curve3(x, y, z, 3);
    std::map<int, Box> boxes = boxes_by_colour(drawn());
    ASSERT_TRUE(boxes.count(0));
    ASSERT_TRUE(boxes.count(255));
    EXPECT_NEAR(boxes[0].x0, unit_x(100) - 18, 1);  // the symbol height, 36
    EXPECT_NEAR(boxes[255].y1, unit_y(300) + 18, 1);
    for (const auto& [c, b] : boxes)
        EXPECT_LT(b.x1, unit_x(400)) << "colour " << c;
}

TEST_F(ColourPointsTest, PointsAreCutToTheAxisSystemAndReportedWhenOutside)
{
    open_colour_axes();
    setres(40, 40);
    std::vector<float> x{995, 2000}, y{500, 500}, z{5, 5};
    curve3(x, y, z, 2);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(kept_output_, " <<<< (2000.000000 / 500.000000) out of axis scaling!\n");
    Box b = box_of(p);
    EXPECT_NEAR(b.x0, unit_x(975), 1);
    EXPECT_LE(b.x1, unit_x(1001));
}

TEST_F(ColourPointsTest, SizesOfSetresAutresAndTheSymbolHeightWithRangeChecksAndReset)
{
    open_plot();
    int nx = 0, ny = 0;
    getres(nx, ny);
    EXPECT_EQ(nx, 36);
    EXPECT_EQ(ny, 36);
    hsymbl(50);
    getres(nx, ny);
    EXPECT_EQ(nx, 50);
    setres(0, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setres!   (   0)\n");
    setres(7, 9);
    getres(nx, ny);
    EXPECT_EQ(nx, 7);
    EXPECT_EQ(ny, 9);
    autres(3, -1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in autres!   (  -1)\n");
    getres(nx, ny);
    EXPECT_EQ(nx, 7);
    // AUTRES divides the axis lengths: those of the next axis system, then
    // those of the open one.
    axslen(1000, 600);
    autres(10, 20);
    getres(nx, ny);
    EXPECT_EQ(nx, 100);
    EXPECT_EQ(ny, 30);
    axslen(2001, 1001);
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    axslen(500, 500);
    getres(nx, ny);
    EXPECT_EQ(nx, 200);
    EXPECT_EQ(ny, 50);
    reset("autres");
    getres(nx, ny);
    EXPECT_EQ(nx, 50);
    setres(5, 5);
    reset("setres");
    getres(nx, ny);
    EXPECT_EQ(ny, 50);
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(ColourPointsTest, AutresRectanglesTileTheAxisSystem)
{
    open_colour_axes();
    autres(4, 2);
    // Four columns and two rows of points in the middle of their tiles.
    std::vector<float> x, y, z;
    for (int i = 0; i < 4; ++i)
        for (int j = 0; j < 2; ++j) {
            x.push_back(125.125f + i * 250.25f);
            y.push_back(250.25f + j * 500.5f);
            z.push_back(static_cast<float>(i * 2 + j));
        }
    curve3(x, y, z, 8);
    std::vector<PlotPointRecord> p = drawn();
    Box all = box_of(p);
    EXPECT_NEAR(all.x0, 100, 1);
    EXPECT_NEAR(all.x1, 1101, 1);
    EXPECT_NEAR(all.y0, 499, 1);
    EXPECT_NEAR(all.y1, 1500, 1);
    // Every scan line of the lower row runs across the whole axis system in
    // four pieces that meet.
    std::map<int, Box> boxes = boxes_by_colour(p);
    EXPECT_EQ(boxes.size(), 8u);
    for (int i = 0; i + 2 < 8; i += 2)
        EXPECT_NEAR(boxes[colour_of_value(i)].x1, boxes[colour_of_value(i + 2)].x0, 1.01);
}

TEST_F(ColourPointsTest, BoxTwoDFramesTheAxisSystemInTheCurrentColourAndStyle)
{
    open_plot();
    box2d();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in box2d!   (   1)\n");
    setgrf("NONE", "NONE", "NONE", "NONE");
    frame(0);
    axspos(100, 1500);
    axslen(1001, 1001);
    graf(0, 1000, 0, 100, 0, 1000, 0, 100);
    mark();
    setclr(30);
    box2d();
    long solid_end = state().vector_count;
    dash();
    box2d();
    std::vector<PlotPointRecord> p = drawn();
    std::vector<PlotPointRecord> first(p.begin(), p.begin() + (solid_end - start_));
    ASSERT_EQ(first.size(), 5u);
    const double corners[5][2] = {{100, 1500}, {100, 500}, {1100, 500}, {1100, 1500}, {100, 1500}};
    for (int k = 0; k < 5; ++k) {
        EXPECT_NEAR(first[k].x, corners[k][0], 0.5) << k;
        EXPECT_NEAR(first[k].y, corners[k][1], 0.5) << k;
        EXPECT_EQ(first[k].colour, 30);
    }
    std::vector<PlotPointRecord> dashed(p.begin() + (solid_end - start_), p.end());
    EXPECT_GT(polylines(dashed).size(), 100u);  // dashes of 10 units along 4000 units
    Box b = box_of(dashed);
    EXPECT_NEAR(b.x0, 100, 0.5);
    EXPECT_NEAR(b.y0, 500, 0.5);
}

}  // namespace
}  // namespace korvan::test
