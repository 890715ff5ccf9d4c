// The colour routines: tables, pen map, colour cycle and range, metafile colour
// records, value mapping and the HSV/RGB conversions.
#include "tests/unit/routines_test_support.hpp"

#include <array>

#include "plot/kernel/colours.hpp"

namespace korvan::test {
namespace {

class ColourTest : public PlotTest {
protected:
    std::array<int, 3> entry(int i)
    {
        double r = -1;
        double g = -1;
        double b = -1;
        getind(i, r, g, b);
        return {static_cast<int>(std::lround(r * 255)), static_cast<int>(std::lround(g * 255)),
                static_cast<int>(std::lround(b * 255))};
    }
    // The metafile body after the first colour record (the foreground).
    std::string body_after_foreground()
    {
        korfin();
        take_output();
        std::string file = read_file(path("plot.met"));
        std::string body = file.substr(file.find('\n') + 1);
        body.erase(std::remove(body.begin(), body.end(), '\n'), body.end());
        EXPECT_EQ(body.substr(0, 30), "99.000000099.000000086.0000000");
        return body.substr(30);
    }
};

TEST_F(ColourTest, KoriniLoadsTheRainbowWithItsTellingRows)
{
    open_plot();
    EXPECT_EQ(getvlt(), "RAIN");
    EXPECT_EQ(getclr(), 255);
    const int rows[][4] = {{1, 34, 0, 68},     {2, 38, 0, 77},     {16, 41, 0, 190},   {32, 0, 8, 255},
                           {48, 0, 68, 255},   {64, 0, 132, 255},  {80, 0, 192, 255},  {96, 0, 255, 255},
                           {112, 0, 255, 191}, {128, 0, 255, 82},  {144, 51, 255, 0},  {160, 123, 255, 0},
                           {176, 191, 255, 0}, {192, 255, 255, 0}, {208, 255, 187, 0}, {224, 255, 123, 0},
                           {240, 255, 58, 0},  {253, 255, 4, 0},   {254, 255, 0, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(entry(row[0]), (std::array<int, 3>{row[1], row[2], row[3]})) << row[0];
    EXPECT_EQ(entry(0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(entry(255), (std::array<int, 3>{255, 255, 255}));
    // Between the rows the ramp is smooth: no channel jumps by more than 16.
    for (int i = 2; i < 254; ++i) {
        std::array<int, 3> a = entry(i);
        std::array<int, 3> b = entry(i + 1);
        for (int c = 0; c < 3; ++c)
            EXPECT_LE(std::abs(a[c] - b[c]), 16) << i;
    }
    EXPECT_EQ(take_output(), "");
}

TEST_F(ColourTest, SpectrumCornersAndEnds)
{
    open_plot();
    setvlt("SPEC");
    EXPECT_EQ(getvlt(), "SPEC");
    EXPECT_EQ(entry(1), (std::array<int, 3>{255, 0, 255}));
    EXPECT_EQ(entry(52), (std::array<int, 3>{0, 0, 255}));
    EXPECT_EQ(entry(102), (std::array<int, 3>{0, 255, 255}));
    EXPECT_EQ(entry(153), (std::array<int, 3>{0, 255, 0}));
    EXPECT_EQ(entry(204), (std::array<int, 3>{255, 255, 0}));
    EXPECT_EQ(entry(254), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(entry(0), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(entry(255), (std::array<int, 3>{255, 255, 255}));
    // COLOR names follow the pen map of the table.
    color("BLUE");
    EXPECT_EQ(getclr(), 53);
    color("FORE");
    EXPECT_EQ(getclr(), 255);
}

TEST_F(ColourTest, ReversedAndSmallTables)
{
    open_plot();
    setvlt("RRAI");
    EXPECT_EQ(getvlt(), "RRAIN");
    EXPECT_EQ(entry(0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(entry(1), (std::array<int, 3>{255, 0, 0}));
    color("RED");
    EXPECT_EQ(getclr(), 1);
    color("WHIT");
    EXPECT_EQ(getclr(), 255);
    setvlt("SMAL");
    EXPECT_EQ(getvlt(), "SMALL");
    EXPECT_EQ(getclr(), 1);  // the foreground of SMAL
    color("ORAN");
    EXPECT_EQ(getclr(), 6);
    EXPECT_EQ(entry(6), (std::array<int, 3>{255, 85, 0}));
    // The colour range of SMAL ends below its highest index 9.
    take_output();
    colran(1, 10);
    colran(-1, 5);
    colran(5, 4);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in colran!   (  10)\n"
                             " <<<< Warning   2: Incorrect parameter in colran!   (  -1)\n"
                             " <<<< Warning   2: Incorrect parameter in colran!   (   4)\n");
    colran(2, 8);
    EXPECT_EQ(take_output(), "");
}

TEST_F(ColourTest, MetafileColourFieldsFor0And89And178)
{
    open_plot();
    setclr(0);
    setclr(0);  // unchanged: nothing written
    setclr(89);
    setclr(178);
    setclr(255);
    EXPECT_EQ(body_after_foreground(), "99.000000099.000000087.0000000"
                                       "98.0000000"
                                       "99.000000098.0000000"
                                       "99.000000099.000000086.0000000"
                                       " 9.0000000");
}

TEST_F(ColourTest, SetclrChecksTheIndexAndTheLevel)
{
    setclr(3);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in setclr!   (   0)\n");
    open_plot();
    setclr(256);
    setclr(-1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setclr!   ( 256)\n"
                             " <<<< Warning   2: Incorrect parameter in setclr!   (  -1)\n");
    EXPECT_EQ(getclr(), 255);
    color("PINK");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in color!   (PINK)\n");
    setvlt("PAST");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setvlt!   (PAST)\n");
    EXPECT_EQ(getvlt(), "RAIN");
}

TEST_F(ColourTest, MyvltBeforeKoriniSurvivesTheDefaultTable)
{
    const float red[] = {0.5f, 1.0f, 0.0f};
    const float green[] = {0.25f, 0.0f, 1.0f};
    const float blue[] = {0.0f, 0.0f, 0.2f};
    myvlt(red, green, blue, 3);
    EXPECT_EQ(take_output(), "");
    open_plot();
    EXPECT_EQ(entry(0), (std::array<int, 3>{128, 64, 0}));
    EXPECT_EQ(entry(1), (std::array<int, 3>{255, 0, 0}));
    EXPECT_EQ(entry(2), (std::array<int, 3>{0, 255, 51}));
    EXPECT_EQ(entry(3), (std::array<int, 3>{0, 0, 0}));  // the table is left as it was beyond them
    // Pen map, range and foreground are those of RAIN.
    EXPECT_EQ(getvlt(), "RAIN");
    EXPECT_EQ(getclr(), 255);
    color("RED");
    EXPECT_EQ(getclr(), 254);
    // The next table load is a normal one.
    setvlt("RAIN");
    EXPECT_EQ(entry(0), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(ColourTest, MyvltRejectsBadCountsAndComponents)
{
    open_plot();
    const float ok[] = {0.0f, 1.0f};
    const float bad[] = {0.0f, 1.5f};
    myvlt(ok, ok, ok, 0);
    myvlt(ok, ok, ok, 257);
    myvlt(ok, bad, ok, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in myvlt!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in myvlt!   ( 257)\n"
                             " <<<< Warning   2: Incorrect parameter in myvlt!\n");
    EXPECT_EQ(entry(1), (std::array<int, 3>{34, 0, 68}));
    // More entries asked for than values given: refused, nothing read beyond the arrays.
    myvlt(ok, ok, ok, 3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in myvlt!   (   3)\n");
}

TEST_F(ColourTest, SetindGetindAndRevscr)
{
    open_plot();
    setind(7, 1.0, 0.5, 0.0);
    EXPECT_EQ(entry(7), (std::array<int, 3>{255, 128, 0}));
    setind(7, 1.2, 0, 0);
    setind(300, 0, 0, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setind!\n"
                             " <<<< Warning   2: Incorrect parameter in setind!   ( 300)\n");
    revscr();
    EXPECT_EQ(entry(0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(entry(255), (std::array<int, 3>{0, 0, 0}));
    revscr();
    EXPECT_EQ(entry(0), (std::array<int, 3>{0, 0, 0}));
}

TEST_F(ColourTest, ColourCycleAndItsReset)
{
    open_plot();
    const int expected[] = {255, 254, 138, 192, 30, 223, 96, 13, 255, 254};
    for (int j = 1; j <= 10; ++j)
        EXPECT_EQ(cycle_colour(j), expected[j - 1]) << j;
    clrcyc(2, 40);
    EXPECT_EQ(cycle_colour(2), 40);
    clrcyc(31, 40);
    clrcyc(1, 256);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in clrcyc!   (  31)\n"
                             " <<<< Warning   2: Incorrect parameter in clrcyc!   ( 256)\n");
    reset("CLRCYC");
    EXPECT_EQ(cycle_colour(2), 254);
}

TEST_F(ColourTest, ColrayOnARisingAndAReversedAxis)
{
    open_plot();
    std::vector<float> values = {-5.0f, 0.0f, 5.0f, 10.0f, 15.0f};
    std::vector<int> colours(values.size(), -1);
    colray(values, colours, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in colray!   (   1)\n");
    EXPECT_EQ(colours[0], -1);
    // The colour axis of a 3-D axis system (level 3).
    state().level = 3;
    set_colour_scaling(0, 10, false);
    colray(values, colours, 5);
    EXPECT_EQ(colours, (std::vector<int>{0, 1, 128, 254, 255}));
    set_colour_scaling(10, 0, false);
    colray(values, colours, 5);
    EXPECT_EQ(colours, (std::vector<int>{255, 254, 128, 1, 0}));
    // Logarithmic colour axis from 1 to 1000.
    set_colour_scaling(0, 3, true);
    std::vector<float> powers = {0.5f, 1.0f, 1000.0f, 2000.0f};
    std::vector<int> out(4, -1);
    colray(powers, out, 4);
    EXPECT_EQ(out, (std::vector<int>{0, 1, 254, 255}));
    state().level = 1;
}

TEST_F(ColourTest, HsvAndRgb)
{
    double h = -1;
    double s = -1;
    double v = -1;
    rgbhsv(0, 0, 1, h, s, v);
    EXPECT_DOUBLE_EQ(h, 240);
    EXPECT_DOUBLE_EQ(s, 1);
    EXPECT_DOUBLE_EQ(v, 1);
    double r = -1;
    double g = -1;
    double b = -1;
    hsvrgb(240, 1, 1, r, g, b);
    EXPECT_DOUBLE_EQ(r, 0);
    EXPECT_DOUBLE_EQ(g, 0);
    EXPECT_DOUBLE_EQ(b, 1);
    hsvrgb(360, 1, 1, r, g, b);
    EXPECT_DOUBLE_EQ(r, 1);
    EXPECT_DOUBLE_EQ(g, 0);
    EXPECT_DOUBLE_EQ(b, 0);
    EXPECT_EQ(take_output(), "");
    hsvrgb(400, 1, 1, r, g, b);
    rgbhsv(0, 2, 0, h, s, v);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in hsvrgb!\n"
                             " <<<< Warning   2: Incorrect parameter in rgbhsv!\n");
    EXPECT_DOUBLE_EQ(r, 1);
    EXPECT_DOUBLE_EQ(h, 240);
}

TEST_F(ColourTest, KyoceraGetsTheSmallTable)
{
    metafl("KYOC");
    korini();
    take_output();
    setvlt("RAIN");
    EXPECT_EQ(getvlt(), "SMALL");
    korfin();
}

}  // namespace
}  // namespace korvan::test

namespace korvan::test {
namespace {

TEST_F(ColourTest, ReverseScreenModeSwapsOnColourPostScript)
{
    scrmod("REVE");
    metafl("PSCL");
    setfil("plot.psc");
    korini();
    take_output();
    EXPECT_EQ(entry(0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(entry(255), (std::array<int, 3>{0, 0, 0}));
    EXPECT_EQ(getclr(), 255);
    // The metafile does not reverse.
    korfin();
    open_plot();
    EXPECT_EQ(entry(0), (std::array<int, 3>{0, 0, 0}));
    korfin();
}

TEST_F(ColourTest, BlackAndWhitePostScriptGetsTheReversedGrey)
{
    metafl("POST");
    setfil("plot.psc");
    korini();
    EXPECT_EQ(getvlt(), "RGREY");
    EXPECT_EQ(getclr(), 255);
    EXPECT_EQ(entry(0), (std::array<int, 3>{255, 255, 255}));
    EXPECT_EQ(entry(255), (std::array<int, 3>{0, 0, 0}));
    setvlt("RAIN");
    EXPECT_EQ(getclr(), 0);  // the foreground of the colour tables is entry 0 on this device
    korfin();
}

TEST_F(ColourTest, ResetOfColourSelection)
{
    open_plot();
    setclr(40);
    reset("COLOR");
    EXPECT_EQ(getclr(), 255);
    colran(10, 20);
    reset("COLRAN");
    EXPECT_EQ(state().colours.range_first, 1);
    EXPECT_EQ(state().colours.range_last, 254);
}

}  // namespace
}  // namespace korvan::test
