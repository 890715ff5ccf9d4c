// Drawing into an axis system: grid lines, error bars, shaded areas between
// curves, and texts, numbers and symbols at user points.
#include "tests/unit/routines_test_support.hpp"

#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "plot/kernel/routines.hpp"
#include "plot/routines/array_tools.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/error_bars.hpp"
#include "plot/routines/grids.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/shaded_curves.hpp"
#include "plot/routines/standalone_axes.hpp"
#include "plot/routines/symbols.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class AxisDrawingTest : public PlotTest {
protected:
    // Opens a plot with an axis system 0..10 by 0..10 (labels every 2) and
    // returns what draw adds to it.
    template <typename Draw>
    Points in_axis_system(Draw draw, bool log_y = false)
    {
        open_new_plot();
        if (log_y) {
            scale("LOG", "Y");
            graf(0, 10, 0, 2, 0, 3, 0, 1);
        } else {
            graf(0, 10, 0, 2, 0, 10, 0, 2);
        }
        take_output();
        x0_ = state().axes.transform[0].origin;
        y0_ = state().axes.transform[1].origin;
        fx_ = state().axes.transform[0].factor;
        fy_ = state().axes.transform[1].factor;
        return points_added_by(draw);
    }
    double px(double v) const { return x0_ + fx_ * v; }
    double py(double v) const { return y0_ - fy_ * v; }

    double x0_ = 0, y0_ = 0, fx_ = 1, fy_ = 1;
};

int lines_at_x(const Points& pts, double x)
{
    int n = 0;
    for (const PlotPointRecord& p : pts)
        n += !p.draw && std::fabs(p.x - x) < 0.01;
    return n;
}

// GRID(1, 2): a vertical line at each of the six X labels, horizontal lines
// at the labels and halfway between them; nothing for 0; a negative count warns.
TEST_F(AxisDrawingTest, GridLinesPerLabelInterval)
{
    Points g = in_axis_system([] { grid(1, 2); });
    int vertical = 0;
    int horizontal = 0;
    for (std::size_t i = 0; i + 1 < g.size(); ++i) {
        if (g[i].draw || !g[i + 1].draw)
            continue;
        if (std::fabs(g[i].x - g[i + 1].x) < 0.01)
            ++vertical;
        else if (std::fabs(g[i].y - g[i + 1].y) < 0.01)
            ++horizontal;
    }
    EXPECT_EQ(vertical, 6);
    EXPECT_EQ(horizontal, 11);
    EXPECT_EQ(lines_at_x(g, px(4)), 1);

    Points none = in_axis_system([] { grid(0, 0); });
    EXPECT_TRUE(none.empty());

    // A log axis of three decades: 1 gives 4 lines, 2 gives all of 1..9 per decade.
    Points decades = in_axis_system([] { grid(0, 1); }, true);
    EXPECT_EQ(decades.size(), 8u);
    Points fine = in_axis_system([] { grid(0, 2); }, true);
    EXPECT_EQ(fine.size(), 2u * 28);

    in_axis_system([&] {
        grid(-1, 1);
        EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in grid!   (  -1)\n");
    });
}

// ERRBAR: a bar from y - e1 to y + e2 with caps as wide as the symbol height.
TEST_F(AxisDrawingTest, ErrorBarsWithCaps)
{
    const std::vector<float> x{2, 6};
    const std::vector<float> y{5, 3};
    const std::vector<float> e1{1, 0.5};
    const std::vector<float> e2{2, 0.5};
    Points bars = in_axis_system([&] { errbar(x, y, e1, e2, 2); });
    Box first;
    for (const PlotPointRecord& p : bars)
        if (std::fabs(p.x - px(2)) < 36)
            first.add(p.x, p.y);
    EXPECT_NEAR(first.y1, py(4), 0.01);
    EXPECT_NEAR(first.y0, py(7), 0.01);
    EXPECT_NEAR(first.x1 - first.x0, state().curves.symbol_height, 0.5);

    in_axis_system([&] {
        errbar(x, y, e1, e2, 3);
        EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in errbar!   (   3)\n");
    });
}

// SHDCRV fills between the curves only, in the pattern of the cycle when no
// pattern is selected, and is recorded as a shaded curve for the legend;
// the line style is the user's afterwards.
TEST_F(AxisDrawingTest, ShadedAreaBetweenCurves)
{
    const std::vector<float> x{0, 10};
    const std::vector<float> low{2, 2};
    const std::vector<float> high{4, 6};
    int style = -1;
    Points area = in_axis_system([&] {
        dash();
        style = state().curves.line_style;
        shdpat(16);
        shdcrv(x, low, 2, x, high, 2);
        EXPECT_EQ(state().curves.line_style, style);
        EXPECT_EQ(state().curves.record[1].pattern, 16);
        EXPECT_EQ(state().curves.curve_number, 2);
    });
    ASSERT_GT(area.size(), 20u);
    Box b = box_of(area);
    EXPECT_GE(b.y1, py(2) - 3);  // fill lines stand on whole multiples of their distance
    EXPECT_LE(b.y1, py(2) + 0.5);
    EXPECT_GE(b.y0, py(6) - 0.5);
    for (const PlotPointRecord& p : area) {
        double ux = (p.x - x0_) / fx_;
        double top = 4 + 0.2 * ux;
        EXPECT_LE((y0_ - p.y) / fy_, top + 0.05);
    }

    Points cycled = in_axis_system([&] {
        shdcrv(x, low, 2, x, high, 2);
        EXPECT_EQ(state().curves.record[1].pattern, 0);  // the cycle's first entry: no filling
        shdcrv(x, low, 2, x, high, 2);
        EXPECT_EQ(state().curves.record[2].pattern, 1);
        EXPECT_EQ(state().shading.pattern, 0);
    });
    EXPECT_FALSE(cycled.empty());
}

// RLMESS, RLNUMB and RLSYMB at user points; a non-positive value on a log axis
// is refused with warning 27.
TEST_F(AxisDrawingTest, TextsNumbersAndSymbolsAtUserPoints)
{
    Points text = in_axis_system([] { rlmess("A", 5, 5); });
    ASSERT_FALSE(text.empty());
    Box tb = box_of(text);
    EXPECT_GE(tb.x0, px(5) - 0.5);
    EXPECT_LT(tb.x0, px(5) + 10);
    EXPECT_GE(tb.y0, py(5) - 0.5);
    EXPECT_LT(tb.y1, py(5) + state().text.height + 1);

    Points number_points = in_axis_system([] { rlnumb(12.5, 1, 2, 8); });
    ASSERT_FALSE(number_points.empty());
    EXPECT_GE(box_of(number_points).x0, px(2) - 0.5);
    EXPECT_LT(box_of(number_points).x0, px(2) + 15);

    Points symbol_points = in_axis_system([] { rlsymb(2, 4, 4); });
    Box sb = box_of(symbol_points);
    EXPECT_NEAR((sb.x0 + sb.x1) / 2, px(4), 1);
    EXPECT_NEAR((sb.y0 + sb.y1) / 2, py(4), 1);

    // The origin of ORIGIN does not move user points.
    Points moved = in_axis_system([] {
        state().origin_x = 100;
        rlsymb(2, 4, 4);
    });
    EXPECT_NEAR((box_of(moved).x0 + box_of(moved).x1) / 2, px(4), 1);

    in_axis_system([&] {
        rlmess("B", 5, 0);
        EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in rlmess!\n");
    }, true);
}

// XAXIS and YAXIS draw an axis of their own: the line from the start point,
// labels on the chosen side, the name; the axis settings stay as they were.
TEST_F(AxisDrawingTest, AxesOfTheirOwn)
{
    auto own_axis = [&](auto draw) {
        open_new_plot();
        return points_added_by(draw);
    };
    Points below = own_axis([] { xaxis(0, 10, 0, 5, 1001, "Time", 0, 200, 1000); });
    ASSERT_GE(below.size(), 2u);
    EXPECT_NEAR(below[0].x, 200, 0.01);
    EXPECT_NEAR(below[0].y, 1000, 0.01);
    EXPECT_NEAR(below[1].x, 1200, 0.01);
    Box b = box_of(below);
    EXPECT_NEAR(b.y0, 1000, 0.01);  // everything below the line
    EXPECT_GT(b.y1, 1000 + 60);     // labels and the name
    EXPECT_TRUE(state().axes.axis[0].name.empty());
    Points above = own_axis([] { xaxis(0, 10, 0, 5, 1001, "Time", 1, 200, 1000); });
    EXPECT_NEAR(box_of(above).y1, 1000, 0.01);
    EXPECT_LT(box_of(above).y0, 1000 - 60);

    Points up = own_axis([] { yaxis(0, 1, 0, 0.5, 501, "", 0, 300, 900); });
    ASSERT_GE(up.size(), 2u);
    EXPECT_NEAR(up[1].y, 400, 0.01);
    EXPECT_NEAR(box_of(up).x1, 300, 0.01);  // labels on the left
    Points logarithmic = own_axis([] { xaxlg(0, 3, 0, 1, 901, "", 0, 100, 500); });
    int ticks = 0;
    for (std::size_t i = 2; i + 1 < logarithmic.size(); ++i)
        ticks += !logarithmic[i].draw && std::fabs(logarithmic[i].y - 500) < 0.01 && logarithmic[i + 1].draw &&
                 std::fabs(logarithmic[i + 1].x - logarithmic[i].x) < 0.01;
    EXPECT_EQ(ticks, 4 + 3 * 8);  // decades and the minor ticks between them
    EXPECT_EQ(state().axes.axis[0].scaling, 0);

    open_plot();
    xaxis(0, 10, 0, 0, 1001, "", 0, 200, 1000);
    EXPECT_EQ(take_output(), " <<<< Warning   9: Step equal zero in xaxis!\n");
    zaxis(0, 10, 0, 5, 1001, "", 0, 2, 200, 1000);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in zaxis!   (   2)\n");
    close_plot();
}

// Lines through the origin: only where 0 lies within the axis.
TEST_F(AxisDrawingTest, LinesThroughTheOrigin)
{
    auto centred = [&](auto draw, double x_start = -5) {
        open_new_plot();
        graf(x_start, 5, x_start, 5, -2, 2, -2, 1);
        take_output();
        x0_ = state().axes.transform[0].origin;
        y0_ = state().axes.transform[1].origin;
        fx_ = state().axes.transform[0].factor;
        fy_ = state().axes.transform[1].factor;
        return points_added_by(draw);
    };
    Points both = centred([] { axgit(); });
    ASSERT_EQ(both.size(), 4u);
    EXPECT_NEAR(both[0].y, y0_ - 2 * fy_, 0.01);
    EXPECT_NEAR(both[1].y, both[0].y, 0.01);
    EXPECT_NEAR(both[2].x, x0_ + 5 * fx_, 0.01);
    Points ticked = centred([] { xcross(); });
    EXPECT_GT(ticked.size(), 4u);
    Points none = in_axis_system([] { axgit(); });  // 0 at the corner: on the frame
    EXPECT_EQ(none.size(), 4u);
    Points right_of_zero = centred([] { axgit(); }, 1);
    EXPECT_EQ(right_of_zero.size(), 2u);  // only the line Y = 0
}

// LABJUS, RGTLAB and LFTTIT set justifications that RESET takes back.
TEST_F(AxisDrawingTest, JustificationSettings)
{
    open_plot();
    labjus("LEFT", "Y");
    EXPECT_EQ(state().axes.axis[1].label_justification, 2);
    rgtlab();
    EXPECT_EQ(state().axes.axis[0].label_justification, 3);
    reset("RGTLAB");
    EXPECT_EQ(state().axes.axis[1].label_justification, 0);
    lfttit();
    EXPECT_EQ(state().axes.title_justification, 1);
    reset("LFTTIT");
    EXPECT_EQ(state().axes.title_justification, 0);
    // CENTER puts the next axis systems in the middle of the page, whatever
    // their lengths; RESET("CENTER") ends it.
    center();
    axslen(1000, 600);
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(state().axes.nxa, (2969 + 1 - 1000) / 2);
    EXPECT_EQ(state().axes.nya, (2099 + 1 + 600) / 2 - 1);
    endgrf();
    reset("CENTER");
    graf(0, 1, 0, 1, 0, 1, 0, 1);
    EXPECT_EQ(state().axes.nya, state().axis_pos_y);
    endgrf();
    labjus("MIDD", "X");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in labjus!   (MIDD)\n");
    close_plot();
}

// Sorting with values that are not numbers, frequency classes, and Bezier
// points: the ends are the end control points, the middle of a quadratic
// curve is a quarter, a half and a quarter of its three control points.
TEST(ArrayTools, SortHistogramAndBezier)
{
    std::vector<float> a{3, NAN, -1, 2};
    sortr1(a, 4, "D");
    EXPECT_EQ(a[0], 3);
    EXPECT_EQ(a[2], -1);
    EXPECT_TRUE(std::isnan(a[3]));

    std::vector<float> x{2, 1, 2, 0};
    std::vector<float> y{10, 20, 30, 40};
    sortr2(x, y, 4, "a");
    EXPECT_EQ(y, (std::vector<float>{40, 20, 10, 30}));  // equal x keep their order

    std::vector<float> xh(4), yh(4);
    int nh = -1;
    histog(x, 4, xh, yh, nh);
    EXPECT_EQ(nh, 3);
    EXPECT_EQ(xh, (std::vector<float>{0, 1, 2, 0}));
    EXPECT_EQ(yh, (std::vector<float>{1, 1, 2, 0}));

    std::vector<float> cx{0, 1, 2};
    std::vector<float> cy{0, 2, 0};
    std::vector<float> bx(3), by(3);
    bezier(cx, cy, 3, bx, by, 3);
    EXPECT_FLOAT_EQ(bx[1], 1);
    EXPECT_FLOAT_EQ(by[1], 1);
    EXPECT_FLOAT_EQ(by[2], 0);

    // Hundreds of control points: no overflow of the binomial weights.
    std::vector<float> many(400);
    for (std::size_t i = 0; i < many.size(); ++i)
        many[i] = static_cast<float>(i);
    std::vector<float> mx(50), my(50);
    bezier(many, many, 400, mx, my, 50);
    for (std::size_t i = 0; i < mx.size(); ++i) {
        EXPECT_TRUE(std::isfinite(mx[i]));
        EXPECT_NEAR(mx[i], 399.0 * i / 49, 0.01);  // evenly spaced points give the line itself
    }
}

}  // namespace
}  // namespace korvan::test
