// Legends: the buffer and its lines, the warnings, the box size, the corners
// and fixed positions, undefined lines, patterns and colours of the curves.
#include "tests/unit/curves_test_support.hpp"

#include "plot/kernel/colours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/legends.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

class LegendsTest : public CurvePlotTest {
protected:
    std::string& make(int nlin, int nmaxln)
    {
        buffer_.assign(static_cast<std::size_t>(nlin * nmaxln), '\0');
        legini(buffer_, nlin, nmaxln);
        return buffer_;
    }
    std::string_view text() const { return buffer_; }
    void curves(int n)
    {
        const float x[] = {100, 900};
        const float y[] = {500, 500};
        for (int i = 0; i < n; ++i)
            curve(x, y, 2);
    }
    static double width(std::string_view s)
    {
        TextRequest r;
        r.justification = 0;
        return text_length(s, r);
    }
    std::string buffer_;
};

TEST_F(LegendsTest, LinesAreStoredBlankPadded)
{
    open_plot();
    std::string& b = make(3, 10);
    leglin(b, "abc", 2);
    leglin(b, "0123456789", 1);
    EXPECT_EQ(text(), std::string_view("0123456789abc       \0\0\0\0\0\0\0\0\0\0", 30));
    leglin(b, "abcdefghijk", 1);
    leglin(b, "x", 4);
    leglin(b, "x", 0);
    EXPECT_EQ(take_output(), " <<<< Warning  16: Too long string for legend line in leglin!   (abcdefghijk)\n"
                             " <<<< Warning   2: Incorrect parameter in leglin!   (   4)\n"
                             " <<<< Warning   2: Incorrect parameter in leglin!   (   0)\n");
    EXPECT_EQ(text().substr(0, 10), "0123456789");
    // LEGINI again starts an empty legend.
    legini(b, 3, 10);
    EXPECT_EQ(b[0], '\0');
    EXPECT_EQ(state().legend.title, "Legende");
}

// Lines hold NMAXLN characters: UTF-8 text takes more bytes, the lines after
// it move along, and nothing is cut inside a character.
TEST_F(LegendsTest, LinesCountCharactersNotBytes)
{
    open_plot();
    std::string& b = make(3, 8);
    leglin(b, "\xCE\x94t in \xC2\xB5s", 2);  // 8 characters in 10 bytes
    leglin(b, "x", 1);
    EXPECT_EQ(text(), std::string_view("x       \xCE\x94t in \xC2\xB5s\0\0\0\0\0\0\0\0", 26));
    leglin(b, "\xC2\xB0" "C", 3);
    EXPECT_EQ(text(), "x       \xCE\x94t in \xC2\xB5s\xC2\xB0" "C      ");
    // Nine characters are too many, however few bytes the limit would allow.
    leglin(b, "\xCE\x94t in \xC2\xB5s!", 2);
    EXPECT_EQ(take_output(), " <<<< Warning  16: Too long string for legend line in leglin!   (\xCE\x94t in \xC2\xB5s!)\n");
    // A shorter line gives the bytes back.
    leglin(b, "ab", 2);
    EXPECT_EQ(text(), "x       ab      \xC2\xB0" "C      ");
    EXPECT_EQ(legend_line_bytes(b, 3), std::make_pair(std::size_t{16}, std::size_t{25}));
    // Latin-1 bytes of older scripts are single characters, stored as given.
    leglin(b, "Ma\xDF \xB5m", 1);
    EXPECT_EQ(text(), "Ma\xDF \xB5m  ab      \xC2\xB0" "C      ");
    EXPECT_EQ(take_output(), "");
}

TEST_F(LegendsTest, AFullLineNeverJoinsTheNext)
{
    open_plot();
    std::string& b = make(2, 3);
    // Latin-1 "Maß" fills line 1 and "µs" starts line 2: the lone byte of ß
    // followed by that of µ would read as one UTF-8 character, so ß is kept
    // in UTF-8.
    leglin(b, "\xB5s", 2);
    leglin(b, "Ma\xDF", 1);
    EXPECT_EQ(text(), "Ma\xC3\x9F\xB5s ");
    EXPECT_EQ(legend_line_bytes(b, 2), std::make_pair(std::size_t{4}, std::size_t{7}));
    // The title keeps 20 characters, whole.
    std::string title;
    for (int i = 0; i < 21; ++i)
        title += "\xCE\x94";
    legtit(title);
    EXPECT_EQ(state().legend.title, title.substr(0, 40));
}

TEST_F(LegendsTest, TheBoxMeasuresCharacters)
{
    open_unit_axes();
    std::string& b = make(2, 8);
    leglin(b, "\xCE\x94t in \xC2\xB5s", 1);
    leglin(b, "a/\xC2\xB5", 2);
    double wide = width("\xCE\x94t in \xC2\xB5s");
    EXPECT_GT(wide, width("t in s"));
    EXPECT_EQ(nxlegn(text()), std::lround(54 + 180 + wide));
    EXPECT_EQ(nylegn(text()), std::lround(54 + 1.5 * 54 + 36 + 54));
    // The legend break splits between characters.
    mixleg();
    EXPECT_EQ(nylegn(text()), std::lround(54 + 1.5 * 54 + 36 + 2 * 54));
    EXPECT_EQ(take_output(), "");
}

TEST_F(LegendsTest, EverythingNeedsLegini)
{
    open_unit_axes();
    std::string b(40, '\0');
    leglin(b, "abc", 1);
    legtit("T");
    legpos(10, 10);
    legopt(1, 1, 1);
    legend(b, 1);
    EXPECT_EQ(nxlegn(b), 0);
    EXPECT_EQ(take_output(), " <<<< Warning  15: No call to legini before in leglin!\n"
                             " <<<< Warning  15: No call to legini before in legtit!\n"
                             " <<<< Warning  15: No call to legini before in legpos!\n"
                             " <<<< Warning  15: No call to legini before in legopt!\n"
                             " <<<< Warning  15: No call to legini before in legend!\n"
                             " <<<< Warning  15: No call to legini before in nxlegn!\n");
    legini(b, 31, 1);
    legini(b, 1, 81);
    legini(std::span<char>(b.data(), 8), 3, 3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in legini!   (  31)\n"
                             " <<<< Warning   2: Incorrect parameter in legini!   (  81)\n"
                             " <<<< Warning  17: Not enough store for the legend buffer in legini!\n");
    EXPECT_FALSE(state().legend.initialised);
}

TEST_F(LegendsTest, CornerNineIsRefused)
{
    open_unit_axes();
    curves(3);
    std::string& b = make(3, 10);
    for (int i = 1; i <= 3; ++i)
        leglin(b, "curve", i);
    mark();
    legend(b, 9);
    legend(b, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in legend!   (   9)\n"
                             " <<<< Warning   2: Incorrect parameter in legend!   (   0)\n");
    EXPECT_EQ(state().vector_count, start_);
}

TEST_F(LegendsTest, MoreLinesThanCurvesWarnsAndDraws)
{
    open_unit_axes();
    curves(2);
    std::string& b = make(3, 10);
    leglin(b, "first", 1);
    leglin(b, "second", 2);
    leglin(b, "third", 3);
    mark();
    legend(b, 3);
    EXPECT_EQ(take_output(), " <<<< Warning  42: More legend lines than calls to curve in legend!   (   1)\n");
    EXPECT_GT(state().vector_count - start_, 50);
}

TEST_F(LegendsTest, BoxSizeFollowsTextTitleAndOptions)
{
    open_unit_axes();  // frame 0
    std::string& b = make(3, 10);
    leglin(b, "abc", 1);
    leglin(b, "de", 2);
    leglin(b, "fghijklmno", 3);
    // Character height 36, line spacing 54: margins 54, pattern (4 + 1) * 36.
    double wide = width("fghijklmno");
    EXPECT_EQ(nxlegn(text()), std::lround(54 + 180 + wide));
    EXPECT_EQ(nylegn(text()), std::lround(54 + 1.5 * 54 + 36 + 2 * 54));
    legtit("");
    EXPECT_EQ(nylegn(text()), std::lround(54 + 36 + 2 * 54));
    legopt(0, 1, 1);
    EXPECT_EQ(nxlegn(text()), std::lround(108 + wide));
    legopt(2, 0.5, 1);
    legtit("A very long title xx");
    EXPECT_EQ(state().legend.title.size(), 20u);
    EXPECT_EQ(nxlegn(text()), std::lround(54 + std::max(108 + wide, width("A very long title xx"))));
    frame(3);
    EXPECT_EQ(nxlegn(text()), std::lround(54 + std::max(108 + wide, width("A very long title xx")) + 6));
    legopt(-1, 1, 1);
    legopt(1, 0, 1);
    legopt(1, 1, 0);
    legopt(std::nan(""), 1, 1);
    legopt(1, HUGE_VAL, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in legopt!\n"
                             " <<<< Warning   2: Incorrect parameter in legopt!\n"
                             " <<<< Warning   2: Incorrect parameter in legopt!\n"
                             " <<<< Warning   2: Incorrect parameter in legopt!\n"
                             " <<<< Warning   2: Incorrect parameter in legopt!\n");
    EXPECT_EQ(state().legend.margin, 0.5);
    // Several text lines in one entry with the legend break under MIXLEG.
    frame(0);
    legtit("");
    legopt(4, 0.5, 1);
    mixleg();
    leglin(b, "ab/cd", 1);
    EXPECT_EQ(nylegn(text()), std::lround(54 + 36 + 2 * 54 + 54));
}

TEST_F(LegendsTest, CornersPlaceTheBox)
{
    open_unit_axes();
    curves(2);
    std::string& b = make(2, 8);
    leglin(b, "one", 1);
    leglin(b, "two", 2);
    frame(1);
    int w = nxlegn(text());
    int h = nylegn(text());
    struct Case {
        int corner;
        double x, y;  // expected upper left corner
    };
    const PlotState& s = state();
    const double m = 18;  // 0.5 character heights
    const Case cases[] = {
        {1, m, s.page_height - m - h + 1},
        {2, s.page_width - m - w + 1, s.page_height - m - h + 1},
        {3, s.page_width - m - w + 1, m},
        {4, m, m},
        {5, 100 + m, 1500 - m - h + 1},
        {6, 1100 - m - w + 1, 1500 - m - h + 1},
        {7, 1100 - m - w + 1, 500 + m},
        {8, 100 + m, 500 + m},
    };
    std::vector<long> starts;
    for (const Case& c : cases) {
        starts.push_back(state().vector_count);
        legend(b, c.corner);
    }
    starts.push_back(state().vector_count);
    std::vector<PlotPointRecord> all = close_plot();
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        // The frame comes first: its first point is the upper left corner.
        std::vector<PlotPointRecord> p(all.begin() + starts[i], all.begin() + starts[i + 1]);
        ASSERT_GE(p.size(), 5u);
        const Case& c = cases[i];
        EXPECT_TRUE(near(p[0].x, c.x) && near(p[0].y, c.y)) << "corner " << c.corner << ": " << p[0].x << " " << p[0].y;
        Box box = box_of(p);
        EXPECT_LE(box.x1, p[0].x + w - 1 + 0.01) << c.corner;
        EXPECT_LE(box.y1, p[0].y + h - 1 + 0.01) << c.corner;
    }
}

TEST_F(LegendsTest, FixedPositionPatternsAndColours)
{
    open_unit_axes();
    const float x[] = {100, 900};
    const float y[] = {500, 500};
    chncrv("BOTH");
    incmrk(1);
    marker(3);
    curve(x, y, 2);
    curve(x, y, 2);
    std::string& b = make(2, 10);
    leglin(b, "a", 1);
    leglin(b, "b", 2);
    legpos(300, 200);
    legtit("");
    legclr();
    setclr(77);
    dashm();
    frame(0);
    mark();
    legend(b, 99);  // the corner is not used with a fixed position
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().current_colour, 77);
    EXPECT_EQ(state().curves.line_style, 5);
    std::vector<PlotPointRecord> p = drawn();
    // Entry 1: solid line from x = 300 + 27 over 144 units in the first cycle colour,
    // at the middle of its text line, then its plus symbol in the middle.
    ASSERT_GT(p.size(), 6u);
    EXPECT_TRUE(near(p[0].x, 327) && near(p[0].y, 227 + 18)) << p[0].x << " " << p[0].y;
    EXPECT_TRUE(near(p[1].x, 327 + 144));
    EXPECT_EQ(p[0].colour, cycle_colour(1));
    // The plus symbol: 0.8 * 36 high, centred on the pattern.
    EXPECT_TRUE(near(p[2].x, 327 + 72 - 14.4) && near(p[2].y, 245));
    // Every drawn point of entry 1 is in colour 1 or 2 of the cycle, text included.
    bool second_seen = false;
    for (const PlotPointRecord& q : p) {
        EXPECT_TRUE(q.colour == cycle_colour(1) || q.colour == cycle_colour(2)) << q.colour;
        second_seen = second_seen || q.colour == cycle_colour(2);
    }
    EXPECT_TRUE(second_seen);
}

TEST_F(LegendsTest, OnlySelectedUndefinedLinesAreReported)
{
    open_unit_axes();
    curves(3);
    std::string& b = make(3, 10);
    leglin(b, "one", 1);
    leglin(b, "three", 3);
    // Line 2 was never set nor asked for: it stays empty without a warning.
    legend(b, 7);
    EXPECT_EQ(take_output(), "");
    // Selected by LEGPAT, it must have a text.
    legpat(0, 1, -1, 40, -1, 2);
    legend(b, 7);
    EXPECT_EQ(take_output(), " <<<< Warning 106: Undefined legend line in legend!   (   2)\n");
    leglin(b, "", 2);
    legend(b, 7);
    EXPECT_EQ(take_output(), "");
}

TEST_F(LegendsTest, LegpatChoosesAPatternForALine)
{
    open_unit_axes();
    std::string& b = make(2, 10);
    leglin(b, "solid", 1);
    leglin(b, "filled", 2);
    legpat(0, 1, -1, 40, -1, 1);
    legpat(-1, 1, -1, 41, 16, 2);
    legpat(0, 1, -1, 40, -1, 3);
    legpat(9, 1, -1, 40, -1, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in legpat!   (   3)\n"
                             " <<<< Warning   2: Incorrect parameter in legpat!   (   9)\n");
    legend(b, 8);
    EXPECT_EQ(take_output(),
              " <<<< Warning  42: More legend lines than calls to curve in legend!   (   2)\n");
    std::vector<PlotPointRecord> p = close_plot();
    int colour40 = 0;
    int colour41 = 0;
    for (const PlotPointRecord& q : p) {
        colour40 += q.colour == 40;
        colour41 += q.colour == 41;
    }
    EXPECT_EQ(colour40, 2);       // the line of entry 1
    EXPECT_GE(colour41, 2 * 17);  // the solid pattern: lines 2 units apart over one character height
}

TEST_F(LegendsTest, HatchedPatternFillsItsRectangleOnly)
{
    open_unit_axes();
    std::string& b = make(1, 10);
    leglin(b, "hatched", 1);
    legpat(-1, 1, -1, 42, 5, 1);
    legtit("");
    legpos(300, 200);
    int shading_before = state().shading.pattern;
    legend(b, 1);
    take_output();
    EXPECT_EQ(state().shading.pattern, shading_before);
    std::vector<PlotPointRecord> p = close_plot();
    // The rectangle: 4 character heights from x = 327, one high from y = 227.
    int hatch_points = 0;
    for (const PlotPointRecord& q : p) {
        if (q.colour != 42)
            continue;
        ++hatch_points;
        EXPECT_GE(q.x, 327 - 0.01);
        EXPECT_LE(q.x, 327 + 144 + 0.01);
        EXPECT_GE(q.y, 227 - 0.01);
        EXPECT_LE(q.y, 263 + 0.01);
    }
    EXPECT_GE(hatch_points, 4);
}

TEST_F(LegendsTest, SmallBufferIsRefused)
{
    open_unit_axes();
    curves(2);
    std::string& b = make(2, 10);
    leglin(b, "a", 1);
    std::string small = b.substr(0, 15);
    leglin(small, "b", 2);
    legend(small, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  17: Not enough store for the legend buffer in leglin!\n"
                             " <<<< Warning  17: Not enough store for the legend buffer in legend!\n");
}

}  // namespace
}  // namespace korvan::test
