// Curves: point counts, symbols, modes, gaps, thickness, line styles with
// their phase, clipping, the out-of-axis report, attribute cycling and the
// per-curve record, and bad input.
#include "tests/unit/curves_test_support.hpp"

#include <limits>

#include "plot/kernel/colours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/symbols.hpp"

namespace korvan::test {
namespace {

using CurvesTest = CurvePlotTest;

const std::string warning2 = " <<<< Warning   2: Incorrect parameter in curve!\n";

TEST_F(CurvesTest, OnePointNeedsSymbols)
{
    open_unit_axes();
    const float x[] = {500};
    const float y[] = {500};
    curve(x, y, 1);
    EXPECT_EQ(take_output(), warning2);
    EXPECT_EQ(state().vector_count, start_);
    EXPECT_EQ(state().axes.curve_count, 0);  // a refused curve counts for nothing

    incmrk(-1);
    hsymbl(100);
    curve(x, y, 1);
    EXPECT_EQ(take_output(), "");
    std::vector<PlotPointRecord> p = drawn();
    // One square symbol, 100 high, around (600, 1000).
    ASSERT_EQ(p.size(), 5u);
    EXPECT_FALSE(p[0].draw);
    EXPECT_TRUE(near(p[0].x, 550) && near(p[0].y, 950));
    EXPECT_TRUE(near(p[2].x, 650) && near(p[2].y, 1050));
}

TEST_F(CurvesTest, BadCountsAndLevels)
{
    const float x[] = {1, 2, 3};
    const float y[] = {1, 2, 3};
    curve(x, y, 3);  // no plot open
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in curve!   (   0)\n");
    open_plot();
    curve(x, y, 3);  // no axis system
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in curve!   (   1)\n");
    setgrf("NONE", "NONE", "NONE", "NONE");
    graf(0, 10, 0, 1, 0, 10, 0, 1);
    curve(x, y, 0);
    curve(x, y, -5);
    EXPECT_EQ(take_output(), warning2 + warning2);
    // More points than the arrays hold is refused, never read beyond them.
    curve(x, y, 1000000);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in curve!   (1000000)\n");
    curve(x, y, std::numeric_limits<int>::max());
    take_output();
    curve({}, {}, 2);
    take_output();
    EXPECT_EQ(state().axes.curve_count, 0);
}

TEST_F(CurvesTest, SymbolsOnlyAndEverySecondPoint)
{
    open_unit_axes();
    hsymbl(20);
    const float x[] = {100, 200, 300, 400, 500};
    const float y[] = {100, 200, 300, 400, 500};
    incmrk(-1);
    marker(3);
    curve(x, y, 5);
    std::size_t after_plus = static_cast<std::size_t>(state().vector_count - start_);
    // Five plus signs: two lines of two points each.
    EXPECT_EQ(after_plus, 20u);
    incmrk(2);
    marker(0);
    long second = state().vector_count;
    curve(x, y, 5);
    std::vector<PlotPointRecord> all = drawn();
    std::vector<PlotPointRecord> p(all.begin() + (second - start_), all.end());
    auto lines = polylines(p);
    // Squares at points 1, 3, 5, then the polyline through all five points.
    ASSERT_EQ(lines.size(), 4u);
    EXPECT_TRUE(near(lines[0][0].x, unit_x(100) - 10) && near(lines[0][0].y, unit_y(100) - 10));
    EXPECT_TRUE(near(lines[1][0].x, unit_x(300) - 10));
    EXPECT_TRUE(near(lines[2][0].x, unit_x(500) - 10));
    ASSERT_EQ(lines[3].size(), 5u);
    for (std::size_t i = 0; i < 5; ++i)
        EXPECT_TRUE(near(lines[3][i].x, unit_x(x[i])) && near(lines[3][i].y, unit_y(y[i])));
    // The first plus signs: horizontal then vertical line around point 1.
    EXPECT_TRUE(near(all[0].x, unit_x(100) - 10) && near(all[0].y, unit_y(100)));
    EXPECT_TRUE(near(all[1].x, unit_x(100) + 10) && near(all[1].y, unit_y(100)));
    EXPECT_TRUE(near(all[2].x, unit_x(100)) && near(all[2].y, unit_y(100) - 10));
}

TEST_F(CurvesTest, LineStylesCycleWithChncrvAndInccrv)
{
    open_unit_axes();
    const float x[] = {100, 900};
    const float y[] = {500, 500};
    chncrv("LINE");
    for (int i = 0; i < 3; ++i)
        curve(x, y, 2);
    const CurveAttributes& c = state().curves;
    EXPECT_EQ(c.record[1].line_style, 0);
    EXPECT_EQ(c.record[2].line_style, 1);
    EXPECT_EQ(c.record[3].line_style, 2);
    EXPECT_EQ(c.record[3].dash.count, 2);
    EXPECT_EQ(c.record[3].dash.length[0], 10);
    EXPECT_EQ(c.record[1].symbol, -1);
    EXPECT_EQ(state().axes.curve_count, 3);
    // The line style of the script is back after each curve.
    EXPECT_EQ(c.line_style, 0);
    endgrf();
    EXPECT_FALSE(state().curves.record[1].defined);
    EXPECT_EQ(state().curves.curve_number, 1);

    inccrv(2);
    graf(0, 1000, 0, 100, 0, 1000, 0, 100);
    for (int i = 0; i < 3; ++i)
        curve(x, y, 2);
    EXPECT_EQ(c.record[1].line_style, 0);
    EXPECT_EQ(c.record[2].line_style, 1);
    EXPECT_FALSE(c.record[3].defined);
    EXPECT_EQ(state().axes.curve_count, 2);
    EXPECT_EQ(c.set_count, 1);
    // CHNATT closes the half-full set; a second one has nothing to close.
    chnatt();
    chnatt();
    EXPECT_EQ(c.curve_number, 3);
    EXPECT_EQ(c.attribute_index, 3);
}

TEST_F(CurvesTest, DottedCurveReallyLeavesGaps)
{
    open_unit_axes();
    const float x[] = {0, 40};
    const float y[] = {500, 500};
    chncrv("LINE");
    curve(x, y, 2);  // solid: one line
    long solid_end = state().vector_count;
    curve(x, y, 2);  // DOT: 1 drawn, 10 skipped
    std::vector<PlotPointRecord> all = drawn();
    EXPECT_EQ(solid_end - start_, 2);
    std::vector<PlotPointRecord> dots(all.begin() + (solid_end - start_), all.end());
    auto lines = polylines(dots);
    ASSERT_EQ(lines.size(), 4u);  // dots at 0, 11, 22, 33
    for (std::size_t i = 0; i < 4; ++i) {
        EXPECT_TRUE(near(lines[i][0].x, unit_x(11.0 * i)));
        EXPECT_TRUE(near(lines[i][1].x, unit_x(11.0 * i + 1)));
    }
}

TEST_F(CurvesTest, ColoursCycleAndComeBack)
{
    open_unit_axes();
    const float x[] = {100, 900};
    const float y[] = {500, 500};
    setclr(50);
    chncrv("COLO");
    curve(x, y, 2);
    curve(x, y, 2);
    EXPECT_EQ(state().curves.record[1].colour, cycle_colour(1));
    EXPECT_EQ(state().curves.record[2].colour, cycle_colour(2));
    EXPECT_EQ(state().current_colour, 50);
}

TEST_F(CurvesTest, SymbolsCycleWhenInUse)
{
    open_unit_axes();
    const float x[] = {100, 900};
    const float y[] = {500, 500};
    marker(19);
    incmrk(1);
    curve(x, y, 2);
    EXPECT_EQ(state().curves.symbol, 20);
    curve(x, y, 2);
    EXPECT_EQ(state().curves.symbol, 1);  // 20 mod 20 + 1
    EXPECT_EQ(state().curves.record[1].symbol, 19);
    EXPECT_EQ(state().curves.record[2].symbol, 20);
    endgrf();
    EXPECT_EQ(state().curves.symbol, 0);
}

TEST_F(CurvesTest, GapLimitSplitsTheLine)
{
    open_unit_axes();
    const float x[] = {1, 2, 5, 6};
    const float y[] = {100, 100, 100, 100};
    gapcrv(1.5);
    curve(x, y, 4);
    auto lines = polylines(drawn());
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_TRUE(near(lines[0][0].x, unit_x(1)) && near(lines[0][1].x, unit_x(2)));
    EXPECT_TRUE(near(lines[1][0].x, unit_x(5)) && near(lines[1][1].x, unit_x(6)));
}

TEST_F(CurvesTest, GapLimitResetByKey)
{
    open_unit_axes();
    gapcrv(1.5);
    reset("GAPCRV");
    const float x[] = {1, 2, 5, 6};
    const float y[] = {100, 100, 100, 100};
    curve(x, y, 4);
    EXPECT_EQ(polylines(drawn()).size(), 1u);
}

TEST_F(CurvesTest, OutOfAxisReportInBothNumberForms)
{
    open_unit_axes();
    const float x[] = {5, 1e7f, 2000, 10};
    const float y[] = {20, 3, 1e-7f, 2000};
    curve(x, y, 4);
    EXPECT_EQ(take_output(), " <<<< (  1.0000e+07 / 3.000000) out of axis scaling!\n"
                             " <<<< (2000.000000 /  1.0000e-07) out of axis scaling!\n"
                             " <<<< (10.000000 / 2000.000000) out of axis scaling!\n");
    EXPECT_EQ(out_of_axis_line(5, -4), " <<<< (5.000000 / -4.000000) out of axis scaling!\n");
    EXPECT_EQ(out_of_axis_line(0, -2e-7), " <<<< (0.000000 / -2.0000e-07) out of axis scaling!\n");
    nochek();
    curve(x, y, 4);
    unit(0);
    reset("NOCHEK");
    curve(x, y, 4);
    EXPECT_EQ(take_output(), "");
    unit(6);
    curve(x, y, 2);
    EXPECT_EQ(take_output(), " <<<< (  1.0000e+07 / 3.000000) out of axis scaling!\n");
}

TEST_F(CurvesTest, LinesAreClippedToTheAxisSystem)
{
    open_unit_axes();
    const float x[] = {500, 5000, -300, 500};
    const float y[] = {500, 500, 2000, 500};
    nochek();
    curve(x, y, 4);
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_FALSE(p.empty());
    Box b = box_of(p);
    EXPECT_GE(b.x0, unit_x(0) - 0.01);
    EXPECT_LE(b.x1, unit_x(1000) + 0.01);
    EXPECT_GE(b.y0, unit_y(1000) - 0.01);
    EXPECT_LE(b.y1, unit_y(0) + 0.01);
    // The first segment ends on the right edge.
    EXPECT_TRUE(near(p[1].x, unit_x(1000)) && near(p[1].y, unit_y(500)));
}

TEST_F(CurvesTest, NonNumbersLiftThePen)
{
    open_unit_axes();
    float nan = std::numeric_limits<float>::quiet_NaN();
    float inf = std::numeric_limits<float>::infinity();
    const float x[] = {100, 200, nan, 400, 500, inf, 700};
    const float y[] = {100, 200, 300, 400, 500, 600, 700};
    nochek();
    incmrk(1);
    curve(x, y, 7);
    polcrv("STEP");
    curve(x, y, 7);
    polcrv("BARS");
    curve(x, y, 7);
    polcrv("SPLI");
    curve(x, y, 7);
    EXPECT_EQ(take_output(), " <<<< Warning  32: No increasing x coordinates for spline interpolation in curve!\n");
    std::vector<PlotPointRecord> p = drawn();
    for (const PlotPointRecord& q : p) {
        EXPECT_TRUE(std::isfinite(q.x) && std::isfinite(q.y));
        EXPECT_GE(q.x, unit_x(0) - 0.01);
    }
}

TEST_F(CurvesTest, LogAxisNeedsPositiveValues)
{
    open_plot();
    scale("LOG", "XY");
    setgrf("NONE", "NONE", "NONE", "NONE");
    graf(0, 3, 0, 1, 0, 3, 0, 1);
    const float x[] = {1, 10, 100};
    const float y[] = {1, 0, 100};
    long before = state().vector_count;
    curve(x, y, 3);
    const float bad_x[] = {-1, 10, 100};
    curve(bad_x, y, 3);
    EXPECT_EQ(take_output(), " <<<< Warning  27: Non positive values for log scaling in curve!\n"
                             " <<<< Warning  27: Non positive values for log scaling in curve!\n"
                             " <<<< Warning  27: Non positive values for log scaling in curve!\n");
    EXPECT_EQ(state().vector_count, before);
    const float good_y[] = {1, 10, 100};
    curve(x, good_y, 3);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().vector_count, before + 3);
}

TEST_F(CurvesTest, StepAndBarModes)
{
    open_unit_axes();
    const float x[] = {100, 200, 400};
    const float y[] = {100, 300, 200};
    polcrv("STEP");
    curve(x, y, 3);
    long steps_end = state().vector_count;
    polcrv("BARS");
    barwth(0.5);
    curve(x, y, 3);
    std::vector<PlotPointRecord> all = drawn();
    std::vector<PlotPointRecord> step(all.begin(), all.begin() + (steps_end - start_));
    // 50 .. 150 at 100, up to 300 at 150 .. 300, 200 from 300 to 500.
    const double expect_step[][2] = {{50, 100}, {150, 100}, {150, 300}, {300, 300}, {300, 200}, {500, 200}};
    ASSERT_EQ(step.size(), 6u);
    for (std::size_t i = 0; i < 6; ++i)
        EXPECT_TRUE(near(step[i].x, unit_x(expect_step[i][0])) && near(step[i].y, unit_y(expect_step[i][1])))
            << i;
    auto bars = polylines(std::vector<PlotPointRecord>(all.begin() + (steps_end - start_), all.end()));
    ASSERT_EQ(bars.size(), 3u);
    // Bar 1: width 0.5 * 100 centred on 100, from the axis bottom to 100.
    EXPECT_TRUE(near(bars[0][0].x, unit_x(75)) && near(bars[0][0].y, unit_y(0)));
    EXPECT_TRUE(near(bars[0][1].y, unit_y(100)));
    EXPECT_TRUE(near(bars[0][2].x, unit_x(125)));
    // Bar 2: width 0.5 * 200.
    EXPECT_TRUE(near(bars[1][0].x, unit_x(150)) && near(bars[1][2].x, unit_x(250)));
    // The last bar takes the distance to its left neighbour.
    EXPECT_TRUE(near(bars[2][0].x, unit_x(350)) && near(bars[2][2].x, unit_x(450)));
}

TEST_F(CurvesTest, ThicknessDrawsShiftedCopies)
{
    open_unit_axes();
    const float x[] = {100, 900};
    const float y[] = {500, 500};
    thkcrv(3);
    curve(x, y, 2);
    auto lines = polylines(drawn());
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(near(lines[0][0].y, unit_y(500)));
    EXPECT_TRUE(near(std::fabs(lines[1][0].y - unit_y(500)), 1));
    EXPECT_TRUE(near(lines[1][0].y + lines[2][0].y, 2 * unit_y(500)));
}

TEST_F(CurvesTest, DashPhaseRunsOnAlongThePolyline)
{
    open_unit_axes();
    dash();  // 10 drawn, 10 skipped
    const float x[] = {0, 15, 30, 45};
    const float y[] = {500, 500, 500, 500};
    curve(x, y, 4);
    auto lines = polylines(drawn());
    // Dashes 0-10, 20-30 (across the joint at 15), 40-45.
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_TRUE(near(lines[0].front().x, unit_x(0)) && near(lines[0].back().x, unit_x(10)));
    EXPECT_TRUE(near(lines[1].front().x, unit_x(20)) && near(lines[1].back().x, unit_x(30)));
    EXPECT_EQ(lines[1].size(), 2u);
    EXPECT_TRUE(near(lines[2].front().x, unit_x(40)) && near(lines[2].back().x, unit_x(45)));
    // The phase goes on into the next curve: 5 more drawn first.
    EXPECT_EQ(state().curves.dash_index, 0);
    EXPECT_NEAR(state().curves.dash_left, 5, 1e-9);
    solid();
    EXPECT_NEAR(state().curves.dash_left, 1, 1e-9);
}

// A LINE curve is drawn straight from its points: the same vectors as its
// pieces drawn one by one, split at points that are no numbers and at gaps,
// a lone point between two splits left out, dashed and thick.
TEST_F(CurvesTest, LineCurveDrawsItsPiecesInOrder)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    const float x[] = {100, 110, 130, nan, 200, 500, 520, 560, 900, 910, 905};
    const float y[] = {100, 300, 250, 400, 600, 650, 600, 700, 900, 100, 1200};
    open_unit_axes();
    nochek();
    dash();
    thkcrv(3);
    gapcrv(250);
    curve(x, y, 11);
    std::vector<PlotPointRecord> got = drawn();

    auto path = [](std::initializer_list<int> at, const float* px, const float* py) {
        LinePath p;
        for (int i : at)
            p.push_back({unit_x(px[i]), unit_y(py[i])});
        return p;
    };
    // 200 stands alone between the point that is no number and the gap to 500.
    std::vector<LinePath> pieces = {path({0, 1, 2}, x, y), path({5, 6, 7}, x, y), path({8, 9, 10}, x, y)};
    open_unit_axes();
    dash();
    ClipRect clip = axis_clip_rect();
    draw_paths(pieces, 3, &clip);
    std::vector<PlotPointRecord> want = drawn();

    ASSERT_EQ(got.size(), want.size());
    ASSERT_GT(got.size(), 20u);
    for (std::size_t i = 0; i < got.size(); ++i) {
        EXPECT_EQ(got[i].x, want[i].x) << i;
        EXPECT_EQ(got[i].y, want[i].y) << i;
        EXPECT_EQ(got[i].draw, want[i].draw) << i;
    }
}

TEST_F(CurvesTest, MylineChecksItsPattern)
{
    open_plot();
    const int good[] = {5, 3, 1};
    myline(good, 3);
    EXPECT_EQ(state().curves.dash.count, 3);
    EXPECT_EQ(state().curves.line_style, 8);
    const int bad[] = {5, 0, 1};
    myline(bad, 3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in myline!   (   0)\n");
    myline(good, 11);
    myline(good, 0);
    myline(good, 5);  // more than the array holds
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in myline!   (  11)\n"
                             " <<<< Warning   2: Incorrect parameter in myline!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in myline!   (   5)\n");
    EXPECT_EQ(state().curves.dash.count, 3);
    lintyp(8);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in lintyp!   (   8)\n");
    lintyp(3);
    EXPECT_EQ(state().curves.dash.count, 4);
    EXPECT_EQ(state().curves.dash.length[0], 30);
}

TEST_F(CurvesTest, SettingsAndTheirResets)
{
    open_plot();
    polcrv("spli");
    EXPECT_EQ(state().curves.mode, 3);
    polcrv("WAVE");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in polcrv!   (WAVE)\n");
    thkcrv(0);
    hsymbl(0);
    marker(22);
    inccrv(0);
    lincyc(31, 1);
    lincyc(1, 8);
    patcyc(0, 3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in thkcrv!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in hsymbl!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in marker!   (  22)\n"
                             " <<<< Warning   2: Incorrect parameter in inccrv!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in lincyc!   (  31)\n"
                             " <<<< Warning   2: Incorrect parameter in lincyc!   (   8)\n"
                             " <<<< Warning   2: Incorrect parameter in patcyc!   (   0)\n");
    EXPECT_EQ(state().curves.pattern_cycle[1], 0);
    EXPECT_EQ(state().curves.pattern_cycle[17], 16);
    EXPECT_EQ(state().curves.pattern_cycle[18], 17);
    EXPECT_EQ(state().curves.line_cycle[9], 0);
    thkcrv(4);
    lincyc(2, 7);
    patcyc(2, 99);
    symrot(30);
    reset("POLCRV");
    reset("THKCRV");
    reset("LINCYC");
    reset("PATCYC");
    reset("SYMROT");
    const CurveAttributes& c = state().curves;
    EXPECT_EQ(c.mode, 0);
    EXPECT_EQ(c.thickness, 1);
    EXPECT_EQ(c.line_cycle[2], 1);
    EXPECT_EQ(c.pattern_cycle[2], 1);
    EXPECT_EQ(c.symbol_angle, 0);
    // Everything else by RESET("ALL").
    incmrk(3);
    hsymbl(80);
    dashl();
    reset("ALL");
    EXPECT_EQ(c.marker_step, 0);
    EXPECT_EQ(c.symbol_height, 36);
    EXPECT_EQ(c.line_style, 0);
    EXPECT_EQ(c.dash.count, 1);
}

TEST_F(CurvesTest, ManyPointsStayFast)
{
    open_unit_axes();
    std::vector<float> x(200000);
    std::vector<float> y(200000);
    for (std::size_t i = 0; i < x.size(); ++i) {
        x[i] = static_cast<float>(i) / 200.0f;
        y[i] = static_cast<float>(500 + 400 * std::sin(i / 1000.0));
    }
    curve(x, y, static_cast<int>(x.size()));
    EXPECT_EQ(state().vector_count - start_, 200000);
    EXPECT_EQ(take_output(), "");
}

}  // namespace
}  // namespace korvan::test
