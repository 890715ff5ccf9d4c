// Polygons filled with colours interpolated from their corners: scan lines,
// runs of one colour and where they meet, degenerate and far-away polygons,
// and colours outside the table on PostScript.
#include "tests/unit/curves_test_support.hpp"

#include <cctype>
#include <limits>
#include <map>

#include "plot/kernel/routines.hpp"
#include "plot/routines/smooth_fill.hpp"

namespace korvan::test {
namespace {

using SmoothFillTest = PlotTest;

SmoothPoint corner(double x, double y, double v) { return {x, y, {v, 0, 0, 0, 0, 0, 0}}; }

// Colour 1 + the tenth the value lies in.
PaintColour tenths(const SmoothValues& v)
{
    double tenth = std::isnan(v[0]) ? 0 : std::clamp(v[0] * 10, 0.0, 9.0);
    return {1 + static_cast<int>(tenth), 0, false};
}

// The drawn segments by scan line: each move and the draw that follows it.
struct Segment {
    double x0;
    double x1;
    int colour;
};
// The metafile keeps coordinates to about 1e-4 plot units.
std::map<long, std::vector<Segment>> segments_by_line(const std::vector<PlotPointRecord>& points)
{
    std::map<long, std::vector<Segment>> lines;
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        if (points[i].draw || !points[i + 1].draw)
            continue;
        EXPECT_NEAR(points[i].y, points[i + 1].y, 1e-3);
        EXPECT_NEAR(points[i].y, std::round(points[i].y), 1e-3);
        lines[std::lround(points[i].y)].push_back({points[i].x, points[i + 1].x, points[i + 1].colour});
    }
    return lines;
}

TEST_F(SmoothFillTest, ValuesInterpolatedAcrossScanLinesGiveRunsThatMeet)
{
    open_plot();
    long before = state().vector_count;
    // 0 along the left edge, 1 along the right one.
    SmoothPoint square[4] = {corner(200, 200, 0), corner(300, 200, 1), corner(300, 250, 1), corner(200, 250, 0)};
    fill_smooth(square, tenths);
    std::vector<PlotPointRecord> all = close_plot();
    std::vector<PlotPointRecord> p(all.begin() + before, all.end());
    auto lines = segments_by_line(p);
    ASSERT_EQ(lines.size(), 50u);  // y = 200 .. 249: each edge without its upper end
    EXPECT_EQ(lines.begin()->first, 200);
    EXPECT_EQ(lines.rbegin()->first, 249);
    for (const auto& [y, runs] : lines) {
        ASSERT_EQ(runs.size(), 10u) << y;
        for (int k = 0; k < 10; ++k) {
            EXPECT_EQ(runs[static_cast<std::size_t>(k)].colour, k + 1);
            EXPECT_NEAR(runs[static_cast<std::size_t>(k)].x0, 200 + 10 * k, 1e-3) << y;
            EXPECT_NEAR(runs[static_cast<std::size_t>(k)].x1, 210 + 10 * k, 1e-3) << y;
        }
    }
}

TEST_F(SmoothFillTest, OneColourIsOneLineAScanLineInsideTheTriangle)
{
    open_plot();
    long before = state().vector_count;
    // Values that change but give one colour.
    SmoothPoint triangle[3] = {corner(100, 100, 0.0), corner(300, 100, 0.05), corner(100, 300, 0.09)};
    fill_smooth(triangle, tenths);
    std::vector<PlotPointRecord> all = close_plot();
    auto lines = segments_by_line({all.begin() + before, all.end()});
    ASSERT_EQ(lines.size(), 200u);
    for (const auto& [y, runs] : lines) {
        ASSERT_EQ(runs.size(), 1u) << y;
        EXPECT_EQ(runs[0].colour, 1);
        EXPECT_NEAR(runs[0].x0, 100, 1e-3);
        EXPECT_NEAR(runs[0].x1, 400 - y, 1e-3);  // the hypotenuse x + y = 400
    }
}

TEST_F(SmoothFillTest, DegenerateAndFarAwayPolygonsDrawLittleOrNothing)
{
    open_plot();
    long before = state().vector_count;
    double nan = std::numeric_limits<double>::quiet_NaN();
    SmoothPoint two[2] = {corner(0, 0, 0), corner(10, 10, 0)};
    fill_smooth(two, tenths);
    SmoothPoint flat[3] = {corner(0, 50, 0), corner(100, 50, 0), corner(50, 50, 0)};
    fill_smooth(flat, tenths);
    SmoothPoint broken[3] = {corner(0, 0, 0), corner(nan, 100, 0), corner(100, 100, 0)};
    fill_smooth(broken, tenths);
    SmoothPoint unknown_value[3] = {corner(0, 0, nan), corner(100, 0, 0), corner(100, 100, 0)};
    fill_smooth(unknown_value, tenths);  // drawn in whatever colour the function gives
    EXPECT_GT(state().vector_count, before);
    long middle = state().vector_count;
    // A huge polygon is drawn only near the page.
    SmoothPoint huge[3] = {corner(-1e12, -1e12, 0), corner(1e12, -1e12, 0), corner(0, 1e12, 1)};
    fill_smooth(huge, tenths);
    const PlotState& s = state();
    EXPECT_GT(state().vector_count, middle);
    EXPECT_LE(state().vector_count - middle, 2L * 10 * (s.page_height + 22));
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(SmoothFillTest, PostScriptDrawsColoursOutsideTheTable)
{
    metafl("POST");
    setfil("smooth.ps");
    korini();
    EXPECT_TRUE(direct_colours_available());
    SmoothPoint square[4] = {corner(200, 200, 0), corner(300, 200, 1), corner(300, 250, 1), corner(200, 250, 0)};
    fill_smooth(square, [](const SmoothValues& v) {
        return PaintColour{1, v[0] < 0.5 ? 0x102030u : 0xFFEE01u, true};
    });
    korfin();
    take_output();
    // The words of the file, one blank apart.
    std::string words;
    for (char c : read_file(path("smooth.ps")))
        if (!std::isspace(static_cast<unsigned char>(c)) || (!words.empty() && words.back() != ' '))
            words += std::isspace(static_cast<unsigned char>(c)) ? ' ' : c;
    EXPECT_NE(words.find(" 16 32 48 f "), std::string::npos);
    EXPECT_NE(words.find(" 255 238 1 f "), std::string::npos);
    // The metafile has only the table.
    open_plot();
    EXPECT_FALSE(direct_colours_available());
    korfin();
}

}  // namespace
}  // namespace korvan::test
