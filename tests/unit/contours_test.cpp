// Contour lines: the tracer's paths, saddles, closed lines and equal values,
// the point limit, bad input, and labels with gaps in the lines.
#include "tests/unit/curves_test_support.hpp"

#include <limits>

#include "plot/routines/contour_labels.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using ContoursTest = CurvePlotTest;

bool at(const ContourPoint& p, double x, double y) { return std::fabs(p.x - x) < 1e-6 && std::fabs(p.y - y) < 1e-6; }

TEST(ContourTracer, TwoByTwoCornerLineRunsThroughTheCellCentreCrossing)
{
    const float x[] = {0, 1};
    const float y[] = {0, 1};
    const float z[] = {0, 0, 0, 1};  // z(1, 1) = 1
    std::vector<ContourLine> lines;
    ASSERT_TRUE(trace_contour(x, 2, y, 2, z, 0.5, lines));
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 3u);
    EXPECT_TRUE(at(lines[0][0], 1, 0.5));
    EXPECT_TRUE(at(lines[0][1], 2.0 / 3, 2.0 / 3));
    EXPECT_TRUE(at(lines[0][2], 0.5, 1));
}

TEST(ContourTracer, EqualValuesCountLowAndFlatGridsDrawNothing)
{
    const float x[] = {0, 1};
    const float y[] = {0, 1};
    const float flat[] = {0.5f, 0.5f, 0.5f, 0.5f};
    std::vector<ContourLine> lines;
    ASSERT_TRUE(trace_contour(x, 2, y, 2, flat, 0.5, lines));
    EXPECT_TRUE(lines.empty());
    // A corner equal to the level is low: only the corner above it is cut off.
    const float one_equal[] = {0.5f, 0.5f, 0.5f, 1.0f};
    ASSERT_TRUE(trace_contour(x, 2, y, 2, one_equal, 0.5, lines));
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_TRUE(at(lines[0].front(), 1, 0));
    EXPECT_TRUE(at(lines[0].back(), 0, 1));
}

TEST(ContourTracer, ClosedLineAroundAPeakClosesOnItself)
{
    const float x[] = {0, 1, 2};
    const float y[] = {0, 1, 2};
    float z[9] = {};
    z[1 * 3 + 1] = 4;  // the centre point
    std::vector<ContourLine> lines;
    ASSERT_TRUE(trace_contour(x, 3, y, 3, z, 1, lines));
    ASSERT_EQ(lines.size(), 1u);
    const ContourLine& l = lines[0];
    ASSERT_GE(l.size(), 5u);
    EXPECT_TRUE(at(l.front(), 0.25, 1));  // starts on the edge left of the peak
    EXPECT_TRUE(at(l.back(), l.front().x, l.front().y));
    // Every point lies around the peak, inside the grid.
    for (const ContourPoint& p : l) {
        EXPECT_GT(std::hypot(p.x - 1, p.y - 1), 0.1);
        EXPECT_LT(std::hypot(p.x - 1, p.y - 1), 1.0);
    }
}

TEST(ContourTracer, SaddleDecidedByTheCellCentre)
{
    const float x[] = {0, 1};
    const float y[] = {0, 1};
    // High corners (0, 0) and (1, 1), low ones (1, 0) and (0, 1).
    const float high_centre[] = {1, 0, 0.2f, 1};  // z(0,0)=1 z(0,1)=0 z(1,0)=0.2 z(1,1)=1; mean 0.55
    std::vector<ContourLine> lines;
    ASSERT_TRUE(trace_contour(x, 2, y, 2, high_centre, 0.5, lines));
    ASSERT_EQ(lines.size(), 2u);
    // Centre high: the high corners are joined, so each line cuts off a low corner.
    for (const ContourLine& l : lines) {
        ASSERT_GE(l.size(), 2u);
        double mx = (l.front().x + l.back().x) / 2;
        double my = (l.front().y + l.back().y) / 2;
        bool near_low_corner = std::hypot(mx - 1, my) < 0.6 || std::hypot(mx, my - 1) < 0.6;
        EXPECT_TRUE(near_low_corner);
    }
    const float low_centre[] = {0.6f, 0, 0, 0.6f};  // mean 0.3: the low corners are joined
    lines.clear();
    ASSERT_TRUE(trace_contour(x, 2, y, 2, low_centre, 0.5, lines));
    ASSERT_EQ(lines.size(), 2u);
    for (const ContourLine& l : lines) {
        double mx = (l.front().x + l.back().x) / 2;
        double my = (l.front().y + l.back().y) / 2;
        bool near_high_corner = std::hypot(mx, my) < 0.6 || std::hypot(mx - 1, my - 1) < 0.6;
        EXPECT_TRUE(near_high_corner);
    }
}

TEST(ContourTracer, BadValuesAndTinyGridsDoNotCrash)
{
    const float x[] = {0, 1, 2};
    const float y[] = {0, 1, 2};
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float z[] = {0, nan, 2, nan, 5, nan, 2, 1, nan};
    std::vector<ContourLine> lines;
    EXPECT_TRUE(trace_contour(x, 3, y, 3, z, 1.5, lines));
    lines.clear();
    const float one[] = {3};
    EXPECT_TRUE(trace_contour(x, 1, y, 1, one, 1, lines));
    EXPECT_TRUE(lines.empty());
}

TEST_F(ContoursTest, TooManyPointsAreRefusedWithTheirProduct)
{
    open_unit_axes();
    std::vector<float> x(400), y(400), z(160000);
    contur(x, 400, y, 400, z, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning  30: Incorrect number of points in contur!   (160000)\n");
    contur(x, 0, y, 400, z, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning  30: Incorrect number of points in contur!   (   0)\n");
    // Arrays shorter than their counts.
    contur(std::span<const float>(x).first(3), 4, y, 2, z, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in contur!\n");
    EXPECT_TRUE(drawn().empty());
}

TEST_F(ContoursTest, NeedsAnAxisSystemAndPositiveValuesOnLogAxes)
{
    open_plot();
    const float x[] = {0, 1};
    const float z[] = {0, 0, 0, 1};
    contur(x, 2, x, 2, z, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in contur!   (   1)\n");
    scale("LOG", "X");
    graf(0, 3, 0, 1, 0, 1, 0, 1);
    take_output();
    contur(x, 2, x, 2, z, 0.5);
    EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in contur!\n");
    korfin();
}

TEST_F(ContoursTest, DrawsTheTracedLineInPlotCoordinates)
{
    open_unit_axes();
    const float x[] = {0, 900};
    const float y[] = {0, 900};
    const float z[] = {0, 0, 0, 1};
    contur(x, 2, y, 2, z, 0.5);
    EXPECT_EQ(take_output(), "");
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_EQ(p.size(), 3u);
    EXPECT_FALSE(p[0].draw);
    EXPECT_TRUE(near(p[0].x, unit_x(900), 0.6) && near(p[0].y, unit_y(450), 0.6));
    EXPECT_TRUE(near(p[1].x, unit_x(600), 0.6) && near(p[1].y, unit_y(600), 0.6));
    EXPECT_TRUE(near(p[2].x, unit_x(450), 0.6) && near(p[2].y, unit_y(900), 0.6));
}

TEST_F(ContoursTest, ThicknessDrawsTheLineSeveralTimes)
{
    open_unit_axes();
    thkcrv(3);
    const float x[] = {0, 900};
    const float z[] = {0, 0, 0, 1};
    contur(x, 2, x, 2, z, 0.5);
    EXPECT_EQ(polylines(drawn()).size(), 3u);
}

TEST(ContourLabelPositions, SpacedAlongTheLineWithRoomForTheLabel)
{
    EXPECT_EQ(label_positions(1000, 100, 10, 500), (std::vector<double>{250, 750}));
    EXPECT_TRUE(label_positions(100, 100, 10, 500).empty());   // no room
    EXPECT_EQ(label_positions(480, 100, 10, 500), (std::vector<double>{240}));  // short line: its middle
    EXPECT_TRUE(label_positions(400, 100, 10, 0).empty());
}

TEST_F(ContoursTest, LabelsLeaveGapsAndShowTheLevelOrTheText)
{
    open_unit_axes();
    std::vector<float> x{0, 1000};
    std::vector<float> z{0, 0, 1, 1};  // vertical line x = 500 from bottom to top
    labels("FLOA", "CONTUR");
    digits(2, "CON");
    labdis(400, "CON");
    EXPECT_EQ(contour_label_text(0.5), "0.50");
    contur(x, 2, x, 2, z, 0.5);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(kept_output_, "");
    // The line x = 600 leaves two gaps (labels at 200 and 600 along it); the
    // label strokes lie around the gaps.
    std::vector<std::vector<PlotPointRecord>> pieces = polylines(p);
    int on_line = 0;
    double covered = 0;
    for (const auto& piece : pieces) {
        bool vertical = std::all_of(piece.begin(), piece.end(), [](const PlotPointRecord& q) { return near(q.x, 600); });
        if (vertical && piece.size() >= 2) {
            ++on_line;
            covered += std::fabs(piece.back().y - piece.front().y);
        }
    }
    EXPECT_EQ(on_line, 3);
    EXPECT_LT(covered, 1000 - 2 * 50);
    EXPECT_GT(pieces.size(), 6u);  // the label strokes
}

TEST_F(ContoursTest, ConlabTextIsCutToTwentyCharactersAndResetByLabels)
{
    open_unit_axes();
    conlab("a contour label longer than twenty");
    labels("CONL", "CON");
    EXPECT_EQ(contour_label_text(3), "a contour label long");
    labels("NONE", "CON");
    EXPECT_EQ(contour_label_text(3), "");
    labels("BOGU", "CON");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in labels!   (BOGU)\n");
    labels("FLOA", "CON");
    reset("LABELS");
    EXPECT_EQ(contour_label_text(3), "");
    korfin();
}

}  // namespace
}  // namespace korvan::test
