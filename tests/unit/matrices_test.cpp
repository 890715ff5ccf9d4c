// CONMAT and CRVMAT: matrices spread over the axis system, drawn as contour
// lines and as coloured cells; CONCRV; the label layout of CONGAP and CONMOD;
// MDFMAT's checks.
#include "tests/unit/curves_test_support.hpp"

#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/colour_points.hpp"
#include "plot/routines/contour_labels.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/matrices.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using MatricesTest = ColourAxesPlotTest;

TEST_F(MatricesTest, ConmatCrossesWhereContourWithTheSpreadCoordinatesDoes)
{
    open_unit_axes();
    // z(i, j) = i + 2 j on a 3 by 4 matrix: X at 0, 500, 1000 and Y at 0,
    // 333.3, 666.7, 1000; level 2.5 runs from (1000, 83.3) to (0, 416.7).
    std::vector<float> z(12);
    for (int i = 0; i < 3; ++i)
        for (int j = 0; j < 4; ++j)
            z[static_cast<std::size_t>(i * 4 + j)] = static_cast<float>(i + 2 * j);
    conmat(z, 3, 4, 2.5);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(kept_output_, "");
    ASSERT_GE(p.size(), 3u);
    EXPECT_FALSE(p.front().draw);
    // The line z = 2.5 is y = (2.5 - x / 500) / 2 * 333.3 in user units.
    EXPECT_NEAR(p.front().x, unit_x(1000), 0.6);
    EXPECT_NEAR(p.front().y, unit_y(1000.0 / 12), 0.6);
    EXPECT_NEAR(p.back().x, unit_x(0), 0.6);
    EXPECT_NEAR(p.back().y, unit_y(2500.0 / 6), 0.6);
    for (const PlotPointRecord& q : p)
        EXPECT_NEAR(q.y, unit_y((2.5 - (q.x - 100) / 500) / 2 * 1000 / 3), 0.8) << q.x;

    // CONTUR with the same coordinates draws the same points.
    open_unit_axes();
    const float x[] = {0, 500, 1000};
    const float y[] = {0, 1000.0f / 3, 2000.0f / 3, 1000};
    contur(x, 3, y, 4, z, 2.5);
    std::vector<PlotPointRecord> q = drawn();
    ASSERT_EQ(q.size(), p.size());
    for (std::size_t k = 0; k < p.size(); ++k) {
        EXPECT_NEAR(q[k].x, p[k].x, 0.01);
        EXPECT_NEAR(q[k].y, p[k].y, 0.01);
    }
}

TEST_F(MatricesTest, ConmatSpreadsEvenlyInTheExponentOnLogAxesAndChecksItsArguments)
{
    open_plot();
    std::vector<float> z{0, 0, 0, 1};
    conmat(z, 2, 2, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in conmat!   (   1)\n");
    scale("LOG", "X");
    graf(0, 3, 0, 1, 0, 1, 0, 1);
    AxisTransform tx = state().axes.transform[0];
    std::vector<float> spread = spread_over_axis(tx, 4);
    ASSERT_EQ(spread.size(), 4u);
    EXPECT_FLOAT_EQ(spread[0], 1);
    EXPECT_FLOAT_EQ(spread[1], 10);
    EXPECT_FLOAT_EQ(spread[3], 1000);
    take_output();
    conmat(z, 2, 2, 0.5);
    EXPECT_EQ(take_output(), "");  // positive X values: no log warning
    conmat(z, 0, 2, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning  30: Incorrect number of points in conmat!   (   0)\n");
    conmat(z, 400, 400, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning  30: Incorrect number of points in conmat!   (160000)\n");
    conmat(z, 3, 2, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in conmat!\n");
    korfin();
}

TEST_F(MatricesTest, CrvmatColoursInterpolatedPointsThatTileTheAxisSystem)
{
    open_colour_axes();
    // z(0,0) = 0, z(0,1) = 1, z(1,0) = 4, z(1,1) = 9, two steps per cell: the
    // nine points take the corners, the edge middles 0.5, 2, 6.5, 5 and the
    // centre 3.5, each in its own colour.
    std::vector<float> z{0, 1, 4, 9};
    int colour = getclr();
    crvmat(z, 2, 2, 2, 2);
    EXPECT_EQ(getclr(), colour);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(kept_output_, "");
    std::map<int, Box> boxes = boxes_by_colour(p);
    struct Expected {
        double x, y, z;
    } points[] = {{0, 0, 0},      {0, 500, 0.5},  {0, 1000, 1},  {500, 0, 2},    {500, 500, 3.5},
                  {500, 1000, 5}, {1000, 0, 4},   {1000, 500, 6.5}, {1000, 1000, 9}};
    EXPECT_EQ(boxes.size(), 9u);
    for (const Expected& e : points) {
        int c = colour_of_value(e.z);
        ASSERT_TRUE(boxes.count(c)) << e.z;
        const Box& b = boxes[c];
        // 500 units apart: rectangles of 500 by 500 centred on the points, cut
        // to the axis system (scan lines on whole units).
        EXPECT_NEAR(b.x0, std::max(unit_x(e.x) - 250, 100.0), 1.5) << e.z;
        EXPECT_NEAR(b.x1, std::min(unit_x(e.x) + 250, 1101.0), 1.5) << e.z;
        EXPECT_NEAR(b.y0, std::max(unit_y(e.y) - 250, 499.0), 1.5) << e.z;
        EXPECT_NEAR(b.y1, std::min(unit_y(e.y) + 250, 1500.0), 1.5) << e.z;
    }
}

TEST_F(MatricesTest, CrvmatTakesTheSizeOfSetresAndChecksSystemAndArguments)
{
    open_colour_axes();
    setres(20, 10);
    std::vector<float> z{5, 5, 5, 5, 5, 5};
    crvmat(z, 3, 2, 1, 1);
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_FALSE(p.empty());
    EXPECT_EQ(boxes_by_colour(p).size(), 1u);
    // Rectangles 20 units wide around the three columns of points; nothing between.
    for (const PlotPointRecord& q : p) {
        double column = std::round((q.x - 100) / 500) * 500 + 100;
        EXPECT_LE(std::fabs(q.x - column), 10.5) << q.x;
    }

    open_new_plot();
    crvmat(z, 3, 2, 1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in crvmat!   (   1)\n");
    graf3d(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    crvmat(z, 3, 2, 1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  35: Confusion of graf3d and graf3 in crvmat!\n");
    endgrf();
    axslen(1001, 1001);
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    crvmat(z, 1, 2, 1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in crvmat!   (   1)\n");
    crvmat(z, 3, 3, 1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in crvmat!\n");
    crvmat(z, 3, 2, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in crvmat!   (   0)\n");
    // Not finer than one point per plot unit: 1001 units over two cells.
    crvmat(z, 3, 2, 501, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in crvmat!   ( 501)\n");
    korfin();
}

TEST_F(MatricesTest, ConcrvDrawsTheCurveWithTheLabelsOfAContour)
{
    open_unit_axes();
    labels("FLOA", "CON");
    labdis(400, "CON");
    std::vector<float> x{500, 500}, y{0, 1000};
    concrv(x, y, 2, 3.25);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(kept_output_, "");
    // The vertical line has gaps for two labels; the rest are the label strokes.
    int on_line = 0;
    for (const auto& piece : polylines(p))
        if (piece.size() >= 2 && std::all_of(piece.begin(), piece.end(), [](const PlotPointRecord& q) {
                return near(q.x, unit_x(500));
            }))
            ++on_line;
    EXPECT_EQ(on_line, 3);

    open_new_plot();
    concrv(x, y, 2, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in concrv!   (   1)\n");
    scale("LOG", "Y");
    graf(0, 1000, 0, 100, 0, 3, 0, 1);
    take_output();
    concrv(x, y, 2, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in concrv!\n");
    concrv(x, y, 3, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in concrv!   (   3)\n");
    concrv(x, y, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in concrv!   (   0)\n");
    korfin();
}

// The pieces of the vertical contour line x = 500 of a 2 by 2 matrix spread
// over the unit axes, labelled with the level.
std::vector<std::vector<PlotPointRecord>> line_pieces(const std::vector<PlotPointRecord>& p)
{
    std::vector<std::vector<PlotPointRecord>> pieces;
    for (const auto& piece : polylines(p))
        if (piece.size() >= 2 &&
            std::all_of(piece.begin(), piece.end(), [](const PlotPointRecord& q) { return near(q.x, 600); }))
            pieces.push_back(piece);
    return pieces;
}

double covered(const std::vector<std::vector<PlotPointRecord>>& pieces)
{
    double sum = 0;
    for (const auto& piece : pieces)
        sum += std::fabs(piece.back().y - piece.front().y);
    return sum;
}

TEST_F(MatricesTest, CongapAndConmodChangeTheLabelLayout)
{
    std::vector<float> z{0, 0, 1, 1};
    auto layout = [&](auto settings) {
        open_unit_axes();
        labels("FLOA", "CON");
        labdis(400, "CON");
        settings();
        mark();
        conmat(z, 2, 2, 0.5);
        return line_pieces(drawn());
    };
    double h = 36;  // the default character height
    auto plain = layout([] {});
    ASSERT_EQ(plain.size(), 3u);  // two labels
    double text = (1000 - covered(plain)) / 2 - h;  // each gap: the label and twice half a height

    // A gap of 1.5 heights on either side: each gap two heights longer.
    auto wide = layout([] { congap(1.5); });
    ASSERT_EQ(wide.size(), 3u);
    EXPECT_NEAR(covered(plain) - covered(wide), 2 * 2 * h, 2);
    auto none = layout([] { congap(0); });
    EXPECT_NEAR(1000 - covered(none), 2 * text, 2);

    // Twice the frequency: labels 200 apart, five of them.
    auto twice = layout([] { conmod(2, 2); });
    EXPECT_EQ(twice.size(), 6u);
    // Frequency 0: one label in the middle.
    auto once = layout([] { conmod(0, 2); });
    ASSERT_EQ(once.size(), 2u);
    EXPECT_NEAR(once[0].back().y - unit_y(500), text / 2 + h / 2, 2);
    // A line shorter than the label distance needs room for the label times
    // the room factor.
    auto sparse = layout([] {
        labdis(2000, "CON");
        conmod(1, 30);
    });
    EXPECT_EQ(sparse.size(), 1u);  // unlabelled: 1000 units are too short
    auto dense = layout([] {
        labdis(2000, "CON");
        conmod(1, 3);
    });
    EXPECT_EQ(dense.size(), 2u);
    auto reset_back = layout([] {
        congap(3);
        conmod(5, 7);
        reset("CONGAP");
        reset("CONMOD");
    });
    EXPECT_NEAR(covered(reset_back), covered(plain), 0.01);
}

TEST_F(MatricesTest, SettingsRefuseBadValuesAndKeepTheOldOnes)
{
    open_plot();
    congap(-1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in congap!\n");
    conmod(-1, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in conmod!\n");
    conmod(1, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in conmod!\n");
    EXPECT_EQ(state().shading.contour_gap, 0.5);
    EXPECT_EQ(state().shading.contour_room, 2.0);
    mdfmat(0, 1, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in mdfmat!   (   0)\n");
    mdfmat(3, 1, -2);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in mdfmat!\n");
    mdfmat(6, 2, 1.5);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().shading.matrix_iterations, 6);
    EXPECT_EQ(state().shading.matrix_step, 2);
    reset("MDFMAT");
    EXPECT_EQ(state().shading.matrix_iterations, 4);
    EXPECT_EQ(state().shading.matrix_weight, 2.0);
    korfin();
}

}  // namespace
}  // namespace korvan::test
