// Pie charts: segments in proportion, their colours, labels and settings.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/figures.hpp"
#include "plot/routines/legends.hpp"
#include "plot/routines/pies.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class PieTest : public PlotTest {
protected:
    template <typename Draw>
    Points drawn(Draw draw)
    {
        open_new_plot();
        return points_added_by(draw);
    }
};

// Three segments in three cycle colours around the centre of the axis
// rectangle; the current colour is kept.
TEST_F(PieTest, SegmentsInTheirColours)
{
    const std::vector<float> values{1, 1, 2};
    int colour_after = -1;
    Points pie = drawn([&] {
        setclr(77);
        labels("NONE", "PIE");
        piegrf("", 0, values, 3);
        colour_after = state().current_colour;
    });
    EXPECT_EQ(colour_after, 77);
    std::set<int> colours;
    for (const PlotPointRecord& p : pie)
        colours.insert(p.colour);
    EXPECT_EQ(colours, (std::set<int>{cycle_colour(1), cycle_colour(2), cycle_colour(3)}));
    // Everything lies within the radius around the centre of the rectangle.
    const PlotState& s = state();
    double cx = s.axis_pos_x + s.axis_length_x / 2.0;
    double cy = s.axis_pos_y - s.axis_length_y / 2.0;
    double radius = 0.4 * std::min(s.axis_length_x, s.axis_length_y);
    double far = 0;
    for (const PlotPointRecord& p : pie)
        far = std::max(far, std::hypot(p.x - cx, p.y - cy));
    EXPECT_NEAR(far, radius, 2);
    // The half of value 2 fills the lower half of the circle (angles 180 to 360).
    int below = 0, above = 0;
    for (const PlotPointRecord& p : pie) {
        if (p.colour != cycle_colour(3))
            continue;
        (p.y > cy + 1 ? below : above) += 1;
    }
    EXPECT_GT(below, 10 * std::max(above, 1));
}

// Labels: the legend lines and the numbers beside each segment; PIELAB text
// around the numbers; warnings for negative or all-zero values.
TEST_F(PieTest, LabelsAndRefusals)
{
    const std::vector<float> values{3, 1};
    std::string buffer(2 * 8, '\0');
    Points labelled = drawn([&] {
        chnpie("NONE");
        legini(buffer, 2, 8);
        leglin(buffer, "Left", 1);
        leglin(buffer, "Right", 2);
        pielab("=", "LEFT");
        piegrf(buffer, 1, values, 2);
    });
    Points plain = drawn([&] {
        chnpie("NONE");
        labels("NONE", "PIE");
        piegrf("", 0, values, 2);
    });
    EXPECT_GT(labelled.size(), plain.size() + 100);  // two text lines per segment
    // The first segment's labels (middle at 135 degrees) stand left of the circle.
    const PlotState& s = state();
    double cx = s.axis_pos_x + s.axis_length_x / 2.0;
    double radius = 0.4 * std::min(s.axis_length_x, s.axis_length_y);
    EXPECT_LT(box_of(labelled).x0, cx - radius - 20);

    open_plot();
    const std::vector<float> negative{1, -1};
    piegrf("", 0, negative, 2);
    const std::vector<float> zeros{0, 0};
    piegrf("", 0, zeros, 2);
    piegrf("", 0, zeros, 3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in piegrf!\n"
                             " <<<< Warning   2: Incorrect parameter in piegrf!\n"
                             " <<<< Warning   2: Incorrect parameter in piegrf!   (   3)\n");
    chnpie("BOTH");
    pieexp();
    pielab("x", "RIGH");
    reset("ALL");
    EXPECT_EQ(state().axes.pie.change, 1);
    EXPECT_FALSE(state().axes.pie.exploded);
    EXPECT_TRUE(state().axes.pie.after.empty());
    close_plot();
}

// The segment's polyline from (x0, y0) to (x1, y1) among the points: a move
// to the first and a line to the second.
bool has_segment(const Points& p, double x0, double y0, double x1, double y1)
{
    for (std::size_t i = 1; i < p.size(); ++i)
        if (!p[i - 1].draw && p[i].draw && std::fabs(p[i - 1].x - x0) <= 1 && std::fabs(p[i - 1].y - y0) <= 1 &&
            std::fabs(p[i].x - x1) <= 1 && std::fabs(p[i].y - y1) <= 1)
            return true;
    return false;
}

// PIEVEC: straight and broken vectors from the labels to the segments, with
// arrow heads by code; the labels move out with them.
TEST_F(PieTest, VectorsBetweenSegmentsAndLabels)
{
    const std::vector<float> values{1, 1};  // middles at 90 and 270 degrees
    auto pie = [&](int ivec, const char* option) {
        return drawn([&] {
            chnpie("NONE");
            pievec(ivec, option);
            piegrf("", 0, values, 2);
        });
    };
    Points none = pie(0, "NONE");
    Points straight = pie(0, "STRA");
    Points headed = pie(1, "STRA");
    Points broken = pie(0, "BROK");
    const PlotState& s = state();
    double cx = s.axis_pos_x + s.axis_length_x / 2.0;
    double cy = s.axis_pos_y - s.axis_length_y / 2.0;
    double r = static_cast<int>(0.4 * std::min(s.axis_length_x, s.axis_length_y));
    // Upper segment: from 1.3 radii out down to the circle; lower: upwards.
    EXPECT_TRUE(has_segment(straight, cx, cy - 1.3 * r, cx, cy - r));
    EXPECT_TRUE(has_segment(straight, cx, cy + 1.3 * r, cx, cy + r));
    EXPECT_FALSE(has_segment(none, cx, cy - 1.3 * r, cx, cy - r));
    EXPECT_GT(headed.size(), straight.size());  // the heads
    // Broken: sideways at 1.15 radii out, then down to the circle.
    EXPECT_TRUE(has_segment(broken, cx + 0.2 * r, cy - 1.15 * r, cx, cy - 1.15 * r));
    EXPECT_TRUE(has_segment(broken, cx, cy - 1.15 * r, cx, cy - r));
    // The labels stand beyond the vectors.
    EXPECT_LT(box_of(straight).y0, cy - 1.3 * r);
    EXPECT_GT(box_of(none).y0, cy - 1.3 * r);

    open_plot();
    pievec(-1, "STRA");
    pievec(45, "STRA");
    pievec(1, "BOGU");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in pievec!   (  -1)\n"
                             " <<<< Warning   2: Incorrect parameter in pievec!   (  45)\n"
                             " <<<< Warning   2: Incorrect parameter in pievec!   (BOGU)\n");
    pievec(2, "BROK");
    reset("PIEVEC");
    EXPECT_EQ(state().axes.pie.vector_kind, 0);
    EXPECT_EQ(state().axes.pie.vector_code, 1);
    close_plot();
}

}  // namespace
}  // namespace korvan::test
