// Pie charts: segments in proportion, their colours, labels and settings.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <set>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
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
    std::vector<char> buffer(2 * 8 + 1);
    Points labelled = drawn([&] {
        chnpie("NONE");
        legini(buffer, 2, 8);
        leglin(buffer, "Left", 1);
        leglin(buffer, "Right", 2);
        pielab("=", "LEFT");
        piegrf(std::string_view(buffer.data(), 16), 1, values, 2);
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

}  // namespace
}  // namespace korvan::test
