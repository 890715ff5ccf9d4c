// Symbols and the scan-line filler: the shapes as metafile output, rotation,
// the out-of-page report, filled symbols, the order of fill segments, the
// crossing limit, and rectangles filled by the device or the filler.
#include "tests/unit/curves_test_support.hpp"

#include <limits>

#include "plot/routines/curves.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/symbols.hpp"

namespace korvan::test {
namespace {

using SymbolsTest = CurvePlotTest;

// Two plots, one drawn by the routine under test and one by the vector
// primitive alone, must give the same metafile byte for byte.
void expect_same_metafile(const std::string& a, const std::string& b)
{
    std::string ta = read_file(a);
    std::string tb = read_file(b);
    ASSERT_FALSE(ta.empty());
    EXPECT_EQ(ta, tb);
}

TEST_F(SymbolsTest, ShapesAsMetafile)
{
    // Square, triangle, square with cross and circle at 100 units high.
    auto draw = [] {
        hsymbl(100);
        symbol(0, 1000, 1000);
        symbol(2, 1500, 1000);
        symbol(7, 2000, 1000);
        symbol(15, 1000, 1500);
    };
    metafl("GKSV");
    setfil("symbols.met");
    korini();
    draw();
    korfin();

    auto poly = [](std::initializer_list<std::pair<int, int>> offsets, double cx, double cy) {
        bool first = true;
        for (auto [x, y] : offsets) {
            plot_vector(cx + x, cy + y, first ? 3 : 2);
            first = false;
        }
    };
    metafl("GKSV");
    setfil("expected.met");
    korini();
    poly({{-50, -50}, {-50, 50}, {50, 50}, {50, -50}, {-50, -50}}, 1000, 1000);
    poly({{0, -50}, {50, 50}, {-50, 50}, {0, -50}}, 1500, 1000);
    poly({{-50, -50}, {-50, 50}, {50, 50}, {50, -50}, {-50, -50}}, 2000, 1000);
    poly({{-50, -50}, {50, 50}}, 2000, 1000);
    poly({{50, -50}, {-50, 50}}, 2000, 1000);
    poly({{49, -9}, {42, -27}, {27, -42}, {9, -49}, {-9, -49}, {-27, -42}, {-42, -27}, {-49, -9}, {-49, 9},
          {-42, 27}, {-27, 42}, {-9, 49}, {9, 49}, {27, 42}, {42, 27}, {49, 9}, {49, -9}},
         1000, 1500);
    korfin();
    take_output();
    expect_same_metafile(path("symbols.met"), path("expected.met"));
}

TEST_F(SymbolsTest, EveryShapeStaysInItsBox)
{
    open_plot();
    hsymbl(60);
    for (int n = 0; n < symbol_count; ++n)
        symbol(n, 200 + 100 * n, 1000);
    std::vector<PlotPointRecord> p = close_plot();
    // The outlines alone: 0..15 give fixed point counts.
    EXPECT_GT(p.size(), 200u);
    for (const PlotPointRecord& q : p) {
        int n = static_cast<int>(std::lround((q.x - 200) / 100));
        ASSERT_GE(n, 0);
        ASSERT_LT(n, symbol_count);
        EXPECT_LE(std::fabs(q.x - (200 + 100 * n)), 30.01);
        EXPECT_LE(std::fabs(q.y - 1000), 30.01);
    }
    symbol(-1, 10, 10);
    take_output();
}

TEST_F(SymbolsTest, FilledSymbolIsFilledInsideItsOutline)
{
    open_plot();
    hsymbl(40);
    mark();
    symbol(16, 1000, 1000);
    std::vector<PlotPointRecord> p = drawn();
    // The outline, then fill lines 0.75 apart on multiples of 0.75.
    ASSERT_GT(p.size(), 5u + 2 * 50);
    int lines = 0;
    for (std::size_t i = 5; i + 1 < p.size(); ++i) {
        if (p[i].draw || !p[i + 1].draw)
            continue;
        ++lines;
        EXPECT_TRUE(near(p[i].y, p[i + 1].y));
        double k = p[i].y / 0.75;
        EXPECT_NEAR(k, std::round(k), 1e-3);
        EXPECT_GE(std::min(p[i].x, p[i + 1].x), 980 - 0.01);
        EXPECT_LE(std::max(p[i].x, p[i + 1].x), 1020 + 0.01);
    }
    EXPECT_GE(lines, 52);
    EXPECT_LE(lines, 55);
}

TEST_F(SymbolsTest, RotationTurnsCounterClockwise)
{
    open_plot();
    hsymbl(100);
    symrot(90);
    mark();
    symbol(3, 1000, 1000);  // plus: first line from the left to the right point
    std::vector<PlotPointRecord> p = drawn();
    ASSERT_EQ(p.size(), 4u);
    // The right point (50, 0) goes above the centre.
    EXPECT_TRUE(near(p[1].x, 1000) && near(p[1].y, 950));
    EXPECT_TRUE(near(p[0].x, 1000) && near(p[0].y, 1050));
}

TEST_F(SymbolsTest, OutOfPageIsReportedAndDrawn)
{
    open_plot();
    int warnings = state().warning_count;
    origin(100, 0);
    mark();
    symbol(0, -150, 10);
    EXPECT_EQ(take_output(), " >>>> (-150/10) out of page in symbol!\n");
    EXPECT_EQ(state().warning_count, warnings + 1);
    EXPECT_EQ(state().vector_count - start_, 5);
    unit(0);
    symbol(0, 5000, 10);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().warning_count, warnings + 2);
    symbol(22, 100, 100);
    unit(6);
    symbol(22, 100, 100);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in symbol!   (  22)\n");
}

// Segments recorded from the filler.
struct Seg {
    double from, to, y;
    int line;
};

std::vector<Seg> fill(std::span<const FillPoint> polygon, double d, int limit, bool* ok = nullptr)
{
    std::vector<Seg> out;
    bool r = scanline_fill(polygon, d, limit, [&](double a, double b, double y, int line) {
        out.push_back({a, b, y, line});
    });
    if (ok != nullptr)
        *ok = r;
    return out;
}

TEST_F(SymbolsTest, FillerPassesZigZagThenTheRest)
{
    // A comb with three teeth pointing down: lines through the teeth cross six
    // edges (three segments), lines through the back two.
    const FillPoint comb[] = {{0, 0},  {100, 0}, {100, 30}, {90, 30}, {90, 10}, {60, 10},
                              {60, 30}, {40, 30}, {40, 10}, {10, 10}, {10, 30}, {0, 30}};
    std::vector<Seg> s = fill(comb, 10, 24);
    // Lines at 0, 10, 20, 30 (y0 = trunc(0 / 10 - 0.5) * 10 = 0, up to 30 + 5);
    // lines 1 and 2 cross the teeth (0-10, 40-60, 90-100), line 3 nothing.
    const Seg expect[] = {{0, 100, 0, 0},  {10, 0, 10, 1},  {0, 10, 20, 2},  // pass 1, zig-zag
                          {60, 40, 10, 1}, {40, 60, 20, 2},                   // pass 2
                          {100, 90, 10, 1}, {90, 100, 20, 2}};                // pass 3
    ASSERT_EQ(s.size(), std::size(expect));
    for (std::size_t i = 0; i < s.size(); ++i) {
        EXPECT_EQ(s[i].line, expect[i].line) << i;
        EXPECT_DOUBLE_EQ(s[i].from, expect[i].from) << i;
        EXPECT_DOUBLE_EQ(s[i].to, expect[i].to) << i;
        EXPECT_DOUBLE_EQ(s[i].y, expect[i].y) << i;
    }
}

TEST_F(SymbolsTest, FillerFifthPassAndCrossingLimit)
{
    // Six teeth: lines through them have six segments.
    std::vector<FillPoint> comb = {{0, 0}, {130, 0}, {130, 20}};
    for (int t = 5; t >= 0; --t) {
        double x = 20.0 * t + 10;
        comb.push_back({x + 10, 20});
        comb.push_back({x + 10, 5});
        comb.push_back({x, 5});
        comb.push_back({x, 20});
    }
    comb.push_back({0, 20});
    std::vector<Seg> s = fill(comb, 10, 24);
    // Line 1 (y = 10) has segments 0-10, 20-30, ... 120-130: the last three come in pass 5, left to right.
    std::vector<Seg> last(s.end() - 2, s.end());
    EXPECT_EQ(last[0].line, 1);
    EXPECT_DOUBLE_EQ(last[0].from, 100);
    EXPECT_DOUBLE_EQ(last[0].to, 110);
    EXPECT_DOUBLE_EQ(last[1].from, 120);

    open_plot();
    bool ok = true;
    std::vector<Seg> cut = fill(comb, 10, 10, &ok);
    EXPECT_FALSE(ok);
    EXPECT_EQ(take_output(), " <<<< Warning  26: Too many intersections in korini!   (  14)\n");
    // Line 0 was drawn before line 1 was found too busy.
    ASSERT_EQ(cut.size(), 1u);
    EXPECT_EQ(cut[0].line, 0);
}

TEST_F(SymbolsTest, FillerRefusesUnusableInput)
{
    const FillPoint two[] = {{0, 0}, {10, 10}};
    EXPECT_TRUE(fill(two, 1, 24).empty());
    double nan = std::numeric_limits<double>::quiet_NaN();
    const FillPoint with_nan[] = {{0, 0}, {10, nan}, {0, 10}};
    EXPECT_TRUE(fill(with_nan, 1, 24).empty());
    const FillPoint huge[] = {{0, 0}, {10, 0}, {10, 1e12}};
    EXPECT_TRUE(fill(huge, 1, 24).empty());
    const FillPoint square[] = {{0, 0}, {10, 0}, {10, 10}, {0, 10}};
    EXPECT_TRUE(fill(square, 0, 24).empty());
    EXPECT_TRUE(fill(square, -1, 24).empty());
    EXPECT_EQ(fill(square, 1, 24).size(), 10u);  // lines 0 .. 9; line 10 only touches
}

TEST_F(SymbolsTest, RectanglesGoToTheDeviceWhereItFills)
{
    metafl("POST");
    setfil("rect.psc");
    korini();
    setclr(255);
    EXPECT_TRUE(device_fills_rectangles());
    fill_rectangle(100, 100, 200, 100);
    korfin();
    std::string ps = read_file(path("rect.psc"));
    EXPECT_NE(ps.find(" e "), std::string::npos);
    take_output();

    open_plot();
    EXPECT_FALSE(device_fills_rectangles());
    mark();
    fill_rectangle(100, 100, 200, 10);
    std::vector<PlotPointRecord> p = drawn();
    EXPECT_EQ(p.size(), 2u * 10);  // lines 100 .. 109
}

}  // namespace
}  // namespace korvan::test
