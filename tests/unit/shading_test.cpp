// Shaded contours, colour axes and patterns: the level order, empty cells,
// cell and polygon modes, SHDPAT and MYPAT with their hatch lines, the Z
// colours at the ends of the range, GRAF3's checks, bars, and a shaded and
// labelled contour map rendered by Ghostscript.
#include "tests/unit/curves_test_support.hpp"
#include "tests/support/ps_render.hpp"

#include <limits>
#include <set>

#include "plot/kernel/colours.hpp"
#include "plot/routines/bars.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/shading.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using ShadingTest = CurvePlotTest;

const float grid[] = {0, 1000};

TEST_F(ShadingTest, CellModeLevelsMustIncrease)
{
    open_unit_axes();
    const float z[] = {0, 1, 2, 3};
    const float levels[] = {1, 3, 2};
    conshd(grid, 2, grid, 2, z, levels, 3);
    EXPECT_EQ(take_output(), " <<<< Warning 107: Levels must be in increasing order in conshd!\n");
    const float equal[] = {1, 1};
    conshd(grid, 2, grid, 2, z, equal, 2);
    EXPECT_EQ(take_output(), " <<<< Warning 107: Levels must be in increasing order in conshd!\n");
    EXPECT_TRUE(drawn().empty());
}

TEST_F(ShadingTest, CellsBelowTheFirstLevelStayEmptyAndOneBandCellsAreWhole)
{
    open_unit_axes();
    const float low[] = {0, 0.5f, 0.2f, 1};
    const float levels[] = {2, 4, 6};
    conshd(grid, 2, grid, 2, low, levels, 3);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().vector_count, start_);  // nothing drawn
    const float inside[] = {2.5f, 3, 3.5f, 4};  // all in band 1
    conshd(grid, 2, grid, 2, inside, levels, 3);
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_FALSE(p.empty());
    Box b = box_of(p);
    EXPECT_TRUE(near(b.x0, 100, 1) && near(b.x1, 1100, 1));
    EXPECT_TRUE(near(b.y0, 500, 1) && near(b.y1, 1500, 1));
    // In the colour of the first level, the lowest of the colour range.
    for (const PlotPointRecord& q : p)
        EXPECT_EQ(q.colour, 1);
}

TEST_F(ShadingTest, TwoBandCellIsSplitAlongTheLevel)
{
    open_unit_axes();
    const float z[] = {0, 0, 1, 1};  // rising with x
    const float levels[] = {0.5f};
    conshd(grid, 2, grid, 2, z, levels, 1);
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_FALSE(p.empty());
    // Only the right half (x > 500) is filled.
    Box b = box_of(p);
    EXPECT_NEAR(b.x0, 600, 2);
    EXPECT_NEAR(b.x1, 1100, 2);
}

TEST_F(ShadingTest, ManyBandsGoIntoSubCellsAndPolyModeFillsAboveEachLevel)
{
    open_unit_axes();
    const float z[] = {0, 5, 5, 10};
    const float levels[] = {1, 2, 3, 4, 5, 6, 7, 8, 9};
    conshd(grid, 2, grid, 2, z, levels, 9);
    long cells = state().vector_count - start_;
    EXPECT_GT(cells, 1000);
    // POLY: levels in any order, each region painted over the previous.
    mark();
    shdmod("POLY", "CONTOUR");
    const float unordered[] = {7, 3};
    conshd(grid, 2, grid, 2, z, unordered, 2);
    EXPECT_EQ(take_output(), "");
    EXPECT_GT(state().vector_count, start_);
    std::vector<float> big(400 * 400);
    conshd(big, 400, big, 400, big, unordered, 2);
    EXPECT_EQ(take_output(), " <<<< Warning  30: Incorrect number of points in conshd!   (160000)\n");
    shdmod("CELL", "BOGUS");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in shdmod!   (BOGUS)\n");
    korfin();
}

TEST_F(ShadingTest, BadGridsDoNotCrash)
{
    open_unit_axes();
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float x[] = {0, 500, 1000};
    const float z[] = {1, nan, 3, 4, 5, nan, 7, 8, 9};
    const float levels[] = {2, 6};
    conshd(x, 3, x, 3, z, levels, 2);
    const float one[] = {5};
    conshd(x, 1, x, 1, one, levels, 2);
    conshd(x, 3, x, 3, z, levels, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in conshd!   (   0)\n");
    // Cells far larger than the page are cut to the axis system.
    const float far[] = {-1e8f, 1e8f};
    const float steep[] = {0, 3, 5, 9};
    const float many[] = {1, 2, 3, 4, 5, 6, 7, 8};
    long before = state().vector_count;
    conshd(far, 2, far, 2, steep, many, 8);
    shdmod("POLY", "CONT");
    conshd(far, 2, far, 2, steep, many, 8);
    shdmod("CELL", "CONT");
    EXPECT_GT(state().vector_count, before);
    EXPECT_LT(state().vector_count - before, 5000000);
    const float bad_levels[] = {1, nan};
    conshd(x, 3, x, 3, z, bad_levels, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in conshd!\n");
    korfin();
}

TEST_F(ShadingTest, ShdpatCodesAndRanges)
{
    open_plot();
    shdpat(16);
    EXPECT_EQ(getpat(), 16);
    EXPECT_EQ(state().shading.hatch_type, 1);
    EXPECT_EQ(hatch_lines(1, 0).distance, 2);
    shdpat(-1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in shdpat!   (  -1)\n");
    EXPECT_EQ(getpat(), 16);
    shdpat(7);  // 45451: 45 degrees, type 4, density 5, crossed
    const ShadingAttributes& a = state().shading;
    EXPECT_EQ(a.hatch_angle, 45);
    EXPECT_EQ(a.hatch_type, 4);
    EXPECT_EQ(a.hatch_density, 5);
    EXPECT_EQ(a.hatch_cross, 1);
    shdpat(181000);  // code above 17: the angle 181 is out of range
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in shdpat!   ( 181)\n");
    mypat(30, 6, 0, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in mypat!   (   6)\n");
    mypat(30, 2, 3, 1);
    EXPECT_EQ(getpat(), 30231);
    reset("SHDPAT");
    EXPECT_EQ(getpat(), 0);
    EXPECT_EQ((std::vector<double>{hatch_lines(2, 3).distance, hatch_lines(3, 0).distance, hatch_lines(4, 1).distance,
                                   hatch_lines(5, 2).distance}),
              (std::vector<double>{20, 15, 1, 12}));
    EXPECT_EQ(hatch_lines(4, 1).drawn, 8);
    EXPECT_EQ(hatch_lines(4, 1).skipped, 10);
    EXPECT_EQ(hatch_lines(2, 3).skipped, 4);
    korfin();
}

const FillPoint square[] = {{200, 200}, {400, 200}, {400, 400}, {200, 400}};

TEST_F(ShadingTest, SolidPatternFillsWithLinesTwoUnitsApartAndPatternZeroLeavesItEmpty)
{
    open_plot();
    shdpat(0);
    long before = state().vector_count;
    EXPECT_TRUE(fill_area(square, nullptr));
    EXPECT_EQ(state().vector_count, before);
    shdpat(16);
    fill_area(square, nullptr);
    start_ = before;
    std::vector<std::vector<PlotPointRecord>> lines = polylines(drawn());
    ASSERT_EQ(lines.size(), 100u);  // 200, 202, ... 398
    for (std::size_t k = 0; k < lines.size(); ++k) {
        ASSERT_EQ(lines[k].size(), 2u);
        EXPECT_NEAR(lines[k][0].y, lines[k][1].y, 0.01);
        EXPECT_NEAR(lines[k][0].y, 200 + 2.0 * static_cast<double>(k), 0.01);
        EXPECT_NEAR(std::fabs(lines[k][1].x - lines[k][0].x), 200, 0.01);
    }
}

TEST_F(ShadingTest, HatchLinesTurnWithTheAngleAndCrossedPatternsAddTheSecondDirection)
{
    open_plot();
    mypat(45, 1, 0, 0);
    long before = state().vector_count;
    fill_area(square, nullptr);
    long single = state().vector_count - before;
    mypat(45, 1, 0, 1);
    fill_area(square, nullptr);
    start_ = before;
    std::vector<std::vector<PlotPointRecord>> lines = polylines(drawn());
    int rising = 0;
    int falling = 0;
    for (const auto& l : lines) {
        ASSERT_EQ(l.size(), 2u);
        double dx = l[1].x - l[0].x;
        double dy = l[1].y - l[0].y;
        // 45 degrees on the page: up to the right, so plot y falls as x grows.
        if (std::fabs(dx + dy) < 0.01)
            ++rising;
        else if (std::fabs(dx - dy) < 0.01)
            ++falling;
        else
            ADD_FAILURE() << dx << " " << dy;
    }
    long one_fill = single / 2;  // a move and a draw per line
    EXPECT_EQ(rising, 2 * one_fill);
    EXPECT_EQ(falling, one_fill);
    EXPECT_GT(falling, 50);
}

TEST_F(ShadingTest, GroupedHatchTypesSkipLinesAndTypeFiveIsDotted)
{
    open_plot();
    mypat(0, 2, 0, 0);  // lines 20 apart, two drawn, one skipped
    long before = state().vector_count;
    fill_area(square, nullptr);
    start_ = before;
    std::vector<std::vector<PlotPointRecord>> lines = polylines(drawn());
    std::vector<int> ys;
    for (const auto& l : lines)
        ys.push_back(static_cast<int>(std::lround(l[0].y)));
    EXPECT_EQ(ys, (std::vector<int>{200, 220, 260, 280, 320, 340, 380}));
    EXPECT_EQ(state().curves.line_style, 0);
}

TEST_F(ShadingTest, TypeFiveHatchLinesAreDotted)
{
    open_plot();
    mypat(0, 5, 0, 0);  // dotted lines 2 apart
    long before = state().vector_count;
    fill_area(square, nullptr);
    start_ = before;
    std::vector<std::vector<PlotPointRecord>> lines = polylines(drawn());
    EXPECT_GT(lines.size(), 100u * 5);  // many dots on every line
    for (const auto& l : lines)
        EXPECT_LE(std::fabs(l.back().x - l.front().x), 1.01);
    EXPECT_EQ(state().curves.line_style, 0);
}

TEST_F(ShadingTest, ZColoursAtTheEndsOfTheRangeAndBeyond)
{
    open_plot();
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 0, 10, 0, 2);
    EXPECT_EQ(state().level, 3);
    const ColourAttributes& c = state().colours;
    EXPECT_EQ(nzposn(0), c.range_first);
    EXPECT_EQ(nzposn(10), c.range_last);
    EXPECT_EQ(nzposn(-5), c.lowest);
    EXPECT_EQ(nzposn(50), c.highest);
    EXPECT_EQ(nzposn(std::numeric_limits<double>::quiet_NaN()), c.lowest);
    endgrf();
    // A reversed Z axis swaps the limit colours.
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 10, 0, 10, -2);
    EXPECT_EQ(nzposn(10), c.range_first);
    EXPECT_EQ(nzposn(-5), c.highest);
    endgrf();
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(ShadingTest, Graf3ChecksTheZAxisAndDrawsTheColourBar)
{
    open_plot();
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 3, 3, 3, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  10: Begin and end of scaling are equal in graf3!\n");
    EXPECT_EQ(state().level, 1);
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 0, 3, 0, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   9: Step equal zero in graf3!\n");
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 0, 3, 5, -1);  // warned but drawn
    EXPECT_EQ(take_output(), " <<<< Warning  12: Startlabel out of scaling in graf3!\n"
                             " <<<< Warning  50: Incorrect sign for step in graf3!\n");
    EXPECT_EQ(state().level, 3);
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 0, 3, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in graf3!   (   3)\n");
    endgrf();
    zscale(1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in zscale!\n");
    // The colour bar: filled rows right of the axis system in many colours.
    long before = state().vector_count;
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 0, 3, 0, 1);
    start_ = before;
    const PlotState& s = state();
    double right = s.axes.nxa + s.axes.nxl - 1;
    std::vector<PlotPointRecord> p = drawn();
    std::set<int> colours;
    for (const PlotPointRecord& q : p)
        if (q.x > right + 85 && q.x < right + 85 + 84)
            colours.insert(q.colour);
    EXPECT_GT(colours.size(), 200u);
}

TEST_F(ShadingTest, BarsWidthsGroupsPositionsAndLabels)
{
    open_unit_axes();
    const float x[] = {200, 400, 600};
    const float y1[] = {0, 0, 0};
    const float y2[] = {100, 300, 200};
    bars(x, y1, y2, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in bars!   (   0)\n");
    bars(x, y1, y2, 3);  // outlines only with pattern 0; width 0.75 * 200
    std::vector<std::vector<PlotPointRecord>> outlines = polylines(drawn());
    ASSERT_EQ(outlines.size(), 3u);
    Box b = box_of(outlines[1]);
    EXPECT_NEAR(b.x1 - b.x0, 150, 0.01);
    EXPECT_NEAR(b.x0, unit_x(400 - 75), 0.01);
    EXPECT_NEAR(b.y0, unit_y(300), 0.01);
    EXPECT_NEAR(b.y1, unit_y(0), 0.01);
}

const float bar_x[] = {200, 400, 600};
const float bar_y1[] = {0, 0, 0};
const float bar_y2[] = {100, 300, 200};

TEST_F(ShadingTest, BarGroupsShareTheWidth)
{
    open_unit_axes();
    const float* x = bar_x;
    const float* y1 = bar_y1;
    const float* y2 = bar_y2;
    bars({x, 3}, {y1, 3}, {y2, 3}, 3);
    EXPECT_EQ(state().axes.curve_count, 1);
    mark();
    bargrp(2, 0.5);  // two bars and half a bar's gap in 150 units: bars 60 wide
    bars({x, 3}, {y1, 3}, {y2, 3}, 3);
    bars({x, 3}, {y1, 3}, {y2, 3}, 3);
    std::vector<std::vector<PlotPointRecord>> outlines = polylines(drawn());
    ASSERT_EQ(outlines.size(), 6u);
    EXPECT_NEAR(box_of(outlines[0]).x0, unit_x(200 - 75), 0.01);
    EXPECT_NEAR(box_of(outlines[0]).x1, unit_x(200 - 15), 0.01);
    EXPECT_NEAR(box_of(outlines[3]).x0, unit_x(200 + 15), 0.01);
}

TEST_F(ShadingTest, BarsAtTheTicks)
{
    open_unit_axes();
    const float* x = bar_x;
    const float* y1 = bar_y1;
    const float* y2 = bar_y2;
    bargrp(1, 0);
    barpos("TICK");  // ticks at 100 .. 1000: ten of them
    bars({x, 3}, {y1, 3}, {y2, 3}, 3);
    EXPECT_EQ(take_output(), " <<<< Warning  28: Number of bars unequal number of main ticks in bars!\n");
    std::vector<std::vector<PlotPointRecord>> outlines = polylines(drawn());
    ASSERT_EQ(outlines.size(), 3u);
    EXPECT_NEAR((box_of(outlines[0]).x0 + box_of(outlines[0]).x1) / 2, unit_x(100), 0.01);
}

TEST_F(ShadingTest, HorizontalFilledBarsWithLabels)
{
    open_unit_axes();
    const float* x = bar_x;
    const float* y1 = bar_y1;
    const float* y2 = bar_y2;
    barpos("NONE");
    bartyp("HORI");
    labels("SECO", "BAR");
    digits(-1, "BAR");
    shdpat(16);
    bars({x, 3}, {y1, 3}, {y2, 3}, 3);
    std::vector<PlotPointRecord> p = drawn();
    Box all = box_of(p);
    EXPECT_NEAR(all.x0, unit_x(0), 0.01);
    EXPECT_GT(all.x1, unit_x(200));  // labels beside the bars
    EXPECT_NEAR(all.y1, unit_y(200 - 75), 0.01);
    EXPECT_GT(all.count, 3 * 75 * 2);  // filled with lines 2 units apart
}

TEST_F(ShadingTest, ShadedLabelledContourMapRendersInColour)
{
    if (!ghostscript_available())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the contour map is not rendered";
    metafl("PSCL");
    setfil("map.ps");
    scrmod("REVERS");
    korini();
    const int n = 61;
    std::vector<float> x(n), y(n), z(n * n);
    for (int i = 0; i < n; ++i)
        x[static_cast<std::size_t>(i)] = y[static_cast<std::size_t>(i)] = -2.0f + 4.0f * i / (n - 1);
    for (int i = 0; i < n; ++i)
        for (int j = 0; j < n; ++j)
            z[static_cast<std::size_t>(i * n + j)] =
                std::sin(1.5f * x[static_cast<std::size_t>(i)]) * std::cos(1.2f * y[static_cast<std::size_t>(j)]);
    name("X axis", "X");
    name("Y axis", "Y");
    name("Z value", "Z");
    titlin("Shaded contours", 2);
    graf3(-2, 2, -2, 1, -2, 2, -2, 1, -1, 1, -1, 0.5);
    std::vector<float> shades;
    for (int k = 0; k < 20; ++k)
        shades.push_back(-1.0f + 0.1f * k);
    conshd(x, n, y, n, z, shades, 20);
    color("FORE");
    labels("FLOA", "CONTUR");
    for (float level : {-0.75f, -0.5f, -0.25f, 0.0f, 0.25f, 0.5f, 0.75f})
        contur(x, n, y, n, z, level);
    title();
    endgrf();
    korfin();
    take_output();
    bool ok = false;
    std::string messages = render_postscript("map.ps", "map.png", 40, ok);
    EXPECT_TRUE(ok) << messages;
    RgbPicture pic;
    ASSERT_TRUE(read_rgb_png("map.png", pic));
    keep_picture("map.png", "contour_map.png");
    long all = static_cast<long>(pic.width) * pic.height;
    long colour = pic.count(0, 0, pic.width, pic.height, saturated);
    long red = pic.count(0, 0, pic.width, pic.height, reddish);
    long blue = pic.count(0, 0, pic.width, pic.height, bluish);
    long black = pic.count(0, 0, pic.width, pic.height, blackish);
    // A large coloured map on white paper, with red and blue areas and dark lines and labels.
    EXPECT_GT(colour, all / 5);
    EXPECT_GT(red, all / 100);
    EXPECT_GT(blue, all / 100);
    EXPECT_GT(black, all / 500);
    EXPECT_LT(black, all / 10);
}

TEST_F(ShadingTest, ResetKeysRestoreTheDefaults)
{
    open_plot();
    const ShadingAttributes& a = state().shading;
    zscale(0, 5);
    bartyp("HORI");
    barpos("BOTH");
    bargrp(3, 0.5);
    nobar();
    vkxbar(10);
    widbar(40);
    labdis(300, "CON");
    digits(3, "BAR");
    shdmod("POLY", "CONTOUR");
    EXPECT_EQ(take_output(), "");
    EXPECT_TRUE(a.zscale_on);
    EXPECT_EQ(a.contour_spacing, 300);
    EXPECT_EQ(a.bar_digits, 3);
    for (const char* key : {"ZSCALE", "BARTYP", "BARPOS", "BARGRP", "NOBAR", "VKXBAR", "WIDBAR", "LABDIS", "DIGITS"})
        reset(key);
    EXPECT_EQ(take_output(), "");
    EXPECT_FALSE(a.zscale_on);
    EXPECT_EQ(a.bar_type, 0);
    EXPECT_EQ(a.bar_position, 0);
    EXPECT_EQ(a.bar_group, 1);
    EXPECT_TRUE(a.colour_bar);
    EXPECT_EQ(a.bar_shift_x, 85);
    EXPECT_EQ(a.bar_width, 85);
    EXPECT_EQ(a.contour_spacing, 500);
    EXPECT_EQ(a.bar_digits, 1);
    EXPECT_EQ(a.contour_mode, 1);  // SHDMOD keeps its setting until the plot ends
    korfin();
    take_output();
    korini();
    EXPECT_EQ(state().shading.contour_mode, 0);
    korfin();
}

TEST_F(ShadingTest, NobarLeavesTheColourBarOut)
{
    open_plot();
    nobar();
    long before = state().vector_count;
    graf3(0, 1, 0, 0.5, 0, 1, 0, 0.5, 0, 3, 0, 1);
    start_ = before;
    const PlotState& s = state();
    double right = s.axes.nxa + s.axes.nxl - 1;
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_FALSE(p.empty());
    for (const PlotPointRecord& q : p)
        EXPECT_LT(q.x, right + 85);
}

}  // namespace
}  // namespace korvan::test
