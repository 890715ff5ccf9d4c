// The text printer formats: HPGL (plain and fitted to A4..A1) and Kyocera,
// checked character by character.
#include "tests/unit/kernel_test_support.hpp"

#include <cmath>
#include <vector>

#include "plot/kernel/hpgl.hpp"
#include "plot/kernel/kyocera.hpp"
#include "plot/routines/fill.hpp"

namespace korvan::test {
namespace {

std::vector<std::string> lines(const std::string& text)
{
    std::vector<std::string> out;
    std::size_t at = 0;
    while (at < text.size()) {
        std::size_t end = text.find('\n', at);
        if (end == std::string::npos)
            end = text.size();
        out.push_back(text.substr(at, end - at));
        at = end + 1;
    }
    return out;
}

// The file without its line ends.
std::string joined(const std::string& text)
{
    std::string out;
    for (const std::string& line : lines(text))
        out += line;
    return out;
}

using HpglTest = KernelTest;
using KyoceraTest = KernelTest;

// --- HPGL ------------------------------------------------------------------

TEST_F(HpglTest, EmptyPlotIsPenOneForegroundAndPenUp)
{
    metafl("HPGL");
    korini();
    EXPECT_EQ(getfil(), path("korvan.hpg"));
    EXPECT_DOUBLE_EQ(state().device_scale, 4.0);
    korfin();
    EXPECT_EQ(read_file("korvan.hpg"), " SP1;\nSP255;PU0,0;\n");
}

TEST_F(HpglTest, PlainHpglPointsAndColoursWithoutBlanks)
{
    metafl("HPGL");
    korini();
    plot_vector(123.4, 200, 7);
    plot_vector(0, 2099, 6);
    select_colour(255);
    select_colour(3);
    plot_vector(2969, 0, 6);
    korfin();
    EXPECT_EQ(read_file("korvan.hpg"), " SP1;\nSP255;PU494,7596;PD0,0;SP3;PD11876,8396;PU0,0;\n");
}

TEST_F(HpglTest, PortraitPageModeTurnsPlainHpgl)
{
    pagmod("PORT");
    sclfac(0.5);
    metafl("HPGL");
    korini();
    EXPECT_DOUBLE_EQ(state().device_scale, 2.0);
    plot_vector(100, 300, 7);
    korfin();
    EXPECT_EQ(read_file("korvan.hpg"), " SP1;\nSP255;PU600,200;PU0,0;\n");
}

TEST_F(HpglTest, PaperDevicesFitThePage)
{
    // A4 on the default page, below the DOWN limit 4.
    EXPECT_NEAR(hpgl_device_scale(402, 2969, 2099, 0, 1.0), 3.6207718, 1e-7);
    EXPECT_NEAR(hpgl_device_scale(403, 2969, 2099, 0, 1.0), 4.0, 1e-12);
    EXPECT_NEAR(hpgl_device_scale(403, 2969, 2099, 1, 1.0), std::min(15970.0 / 2969, 10870.0 / 2099), 1e-12);
    EXPECT_NEAR(hpgl_device_scale(404, 2099, 2969, 2, 1.0), std::min(21360.0 / 2969, 13440.0 / 2099), 1e-12);
    EXPECT_NEAR(hpgl_device_scale(405, 2969, 2099, 1, 1.0), std::min(30280.0 / 2969, 21360.0 / 2099), 1e-12);
    EXPECT_NEAR(hpgl_device_scale(402, 2969, 2099, 0, 0.5), 2.0, 1e-12);
    EXPECT_NEAR(hpgl_device_scale(401, 2969, 2099, 1, 0.5), 2.0, 1e-12);
    // A page of one unit does not divide by zero.
    EXPECT_TRUE(std::isfinite(hpgl_device_scale(402, 0, 0, 1, 1.0)));

    metafl("HPA4");
    korini();
    EXPECT_NEAR(state().device_scale, 3.6207718, 1e-7);
    plot_vector(1000, 500, 7);
    korfin();
    EXPECT_EQ(read_file("korvan.hpg"), " SP1;\nSP255;PU3621,5790;PU0,0;\n");
}

TEST_F(HpglTest, PaperDevicesTurnAPortraitPage)
{
    setpag("DA4P");
    pagmod("PORT");  // not used by the paper devices
    metafl("HPA4");
    korini();
    double s = std::min(10870.0 / 2969, 7600.0 / 2099);
    EXPECT_DOUBLE_EQ(state().device_scale, s);
    plot_vector(1000, 500, 6);
    korfin();
    char expected[64];
    std::snprintf(expected, sizeof expected, "PD%ld,%ld;", std::lround(s * (2969 - 500)), std::lround(s * (2099 - 1000)));
    EXPECT_EQ(read_file("korvan.hpg"), std::string(" SP1;\nSP255;") + expected + "PU0,0;\n");
}

TEST_F(HpglTest, AreasAreFilledWithLines)
{
    metafl("HPGL");
    korini();
    EXPECT_FALSE(device_fills_rectangles());
    fill_rectangle(100, 100, 50, 10);
    korfin();
    std::string file = joined(read_file("korvan.hpg"));
    // Ten fill lines one unit apart (y = 100 .. 109), each a move and a draw across the rectangle.
    std::size_t draws = 0;
    for (std::size_t at = file.find("PD"); at != std::string::npos; at = file.find("PD", at + 1))
        ++draws;
    EXPECT_EQ(draws, 10u);
    EXPECT_NE(file.find("PU600,7996;PD400,7996;"), std::string::npos) << file;
    EXPECT_NE(file.find("PU400,7992;PD600,7992;"), std::string::npos) << file;
}

// --- Kyocera ---------------------------------------------------------------

TEST_F(KyoceraTest, DefaultPageHasTheLandscapeHeader)
{
    metafl("KYOC");
    korini();
    EXPECT_EQ(getfil(), path("korvan.kyo"));
    EXPECT_NEAR(state().device_scale, 2362.0 / 2099, 1e-12);
    EXPECT_NEAR(state().device_scale, 1.1253, 1e-4);
    select_colour(3);  // monochrome: nothing
    korfin();
    EXPECT_EQ(read_file("korvan.kyo"), "!R! UNIT C;SPO L;SLM 0;SRM 28.7;STM 0;SBM 20;UNIT D;RES;EXIT;\n");
}

TEST_F(KyoceraTest, PortraitPageHeaderAndScalingModes)
{
    setpag("DA4P");
    metafl("KYOC");
    korini();
    EXPECT_NEAR(state().device_scale, std::min(2362.0 / 2099, 3390.0 / 2969), 1e-12);
    korfin();
    EXPECT_EQ(read_file("korvan.kyo"), "!R! UNIT C;SPO P;SLM 0;SRM 20;STM 0;SBM 28.7;UNIT D;RES;EXIT;\n");

    EXPECT_NEAR(kyocera_device_scale(2969, 2099, 0, 0.5), 1.1811024 * 0.5, 1e-7);
    EXPECT_NEAR(kyocera_device_scale(999, 499, 0, 1.0), 1.1811024, 1e-7);
    EXPECT_NEAR(kyocera_device_scale(999, 499, 1, 1.0), std::min(3390.0 / 999, 2362.0 / 499), 1e-12);
    EXPECT_NEAR(kyocera_device_scale(999, 499, 2, 1.0), std::min(3390.0 / 999, 2362.0 / 499), 1e-12);
    EXPECT_TRUE(std::isfinite(kyocera_device_scale(0, 0, 1, 1.0)));
}

TEST_F(KyoceraTest, PointsArePaddedItemsAndPagesAreWritten)
{
    metafl("KYOC");
    korini();
    double s = state().device_scale;
    plot_vector(100, 200, 5);
    plot_vector(2969, 2099, 4);
    newpag();
    plot_vector(1, 1, 5);
    korfin();
    char points[64];
    std::snprintf(points, sizeof points, "MAP %4ld,%4ld;DAP %4ld,%4ld;", std::lround(s * 100), std::lround(s * 200),
                  std::lround(s * 2969), std::lround(s * 2099));
    EXPECT_EQ(std::string(points), "MAP  113, 225;DAP 3341,2362;");
    EXPECT_EQ(joined(read_file("korvan.kyo")),
              "!R! UNIT C;SPO L;SLM 0;SRM 28.7;STM 0;SBM 20;UNIT D;" + std::string(points) +
                  "PAGE;MAP    1,   1;RES;EXIT;");
    // Lines break between items: the first line is full after the draw.
    std::vector<std::string> all = lines(read_file("korvan.kyo"));
    ASSERT_EQ(all.size(), 2u);
    EXPECT_EQ(all[0].size(), 80u);
    EXPECT_EQ(all[1], "PAGE;MAP    1,   1;RES;EXIT;");
}

TEST_F(KyoceraTest, RectanglesAreFilledWithThePatternOfTheColour)
{
    metafl("KYOC");
    korini();
    double s = state().device_scale;
    EXPECT_TRUE(device_fills_rectangles());
    fill_rectangle(100, 200, 300, 50);  // foreground: solid
    select_colour(0);
    fill_rectangle(0, 0, 2969, 2099);  // background: nothing
    select_colour(2);
    fill_rectangle(400, 250, -300, -50);  // red, corners given the other way round
    korfin();
    long left = std::lround(s * 100);
    long top = std::lround(s * 200);
    long width = std::lround(s * 400) - left + 1;
    long height = std::lround(s * 250) - top + 1;
    char block[96];
    std::snprintf(block, sizeof block, "MAP %4ld,%4ld; ", left, top);
    std::string solid = std::string(block) + "FPAT 255,255,255,255,255,255,255,255; ";
    std::string red = std::string(block) + "FPAT 128,  0,  0, 32,  0,  0,  4,  0; ";
    std::snprintf(block, sizeof block, "BLK %4ld,%4ld;", width, height);
    EXPECT_EQ(std::string(block).size(), 14u);
    std::string file = read_file("korvan.kyo");
    EXPECT_EQ(joined(file), "!R! UNIT C;SPO L;SLM 0;SRM 28.7;STM 0;SBM 20;UNIT D;" + solid + block + red + block +
                                "RES;EXIT;");
    for (const std::string& line : lines(file))
        EXPECT_LE(line.size(), 80u);
}

TEST_F(KyoceraTest, PatternsAndFillCodes)
{
    EXPECT_EQ(kyocera_pattern(1), (std::array<std::uint8_t, 8>{128, 0, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(kyocera_pattern(5), (std::array<std::uint8_t, 8>{128, 16, 2, 0, 32, 0, 8, 1}));
    EXPECT_EQ(kyocera_pattern(8), (std::array<std::uint8_t, 8>{170, 85, 170, 85, 170, 85, 170, 85}));
    EXPECT_EQ(kyocera_fill_code(0x000000), 0);
    EXPECT_EQ(kyocera_fill_code(0xFFFFFF), 9);
    EXPECT_EQ(kyocera_fill_code(0xFF0000), 3);
    EXPECT_EQ(kyocera_fill_code(0x00FF00), 5);
    EXPECT_EQ(kyocera_fill_code(0x0000FF), 1);
    EXPECT_EQ(kyocera_fill_code(0xFFFF00), 8);
    // Brighter colours are never lighter patterns.
    int previous = 0;
    for (std::uint32_t g = 0; g <= 255; ++g) {
        int code = kyocera_fill_code(g * 0x010101);
        EXPECT_GE(code, previous);
        previous = code;
    }
}

TEST_F(KyoceraTest, FarPointsKeepFourDigits)
{
    metafl("KYOC");
    korini();
    plot_vector(1e9, -1e9, 5);
    plot_vector(std::nan(""), 0, 4);
    korfin();
    EXPECT_EQ(joined(read_file("korvan.kyo")),
              "!R! UNIT C;SPO L;SLM 0;SRM 28.7;STM 0;SBM 20;UNIT D;MAP 9999,-999;DAP    0,   0;RES;EXIT;");
}

}  // namespace
}  // namespace korvan::test
