// The axis-system example: a titled linear axis system and a logarithmic one
// with exponent labels, Greek letters in an axis name and a raised exponent in
// the title, written as a GKSVAN file and rendered to a picture whose labels
// are checked by their ink. With KORVAN_KEEP_PICTURES=<dir> the metafile and
// the picture are kept there.
#include "tests/unit/routines_test_support.hpp"

#include <cstdlib>
#include <sys/wait.h>

#include "plot/kernel/colours.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/text.hpp"
#include "tests/support/gksvan_raster.hpp"

namespace korvan::test {
namespace {

// The plot of examples/axes.kfl, drawn through the same routines.
void draw_axes_example(const char* device = "GKSV", const char* file = "axes.met")
{
    metafl(device);
    setfil(file);
    korini();
    complx();
    mixalf();
    smxalf("GREE", "{", "}", 1);
    height(36);

    axspos(300, 1750);
    axslen(1100, 1200);
    name("Time t in s", "X");
    name("Amplitude {a} in mV", "Y");
    titlin("Linear axis system", 2);
    titlin("y = 0.8 x[2$ + 2", 4);
    graf(0, 10, 0, 2, 0, 100, 0, 20);
    title();
    endgrf();

    axspos(1700, 1750);
    scale("LOG", "XY");
    labels("LOG", "XY");
    digits(-1, "XY");
    name("Frequency {n} in Hz", "X");
    name("Power density", "Y");
    titlin("Logarithmic axis system", 2);
    titlin("Spectrum of {F}(t)", 4);
    color("RED");
    graf(-1, 3, -1, 1, -2, 2, -2, 1);
    title();
    endgrf();
    korfin();
}

TEST_F(KernelTest, AxisExampleRendersReadableLabels)
{
    draw_axes_example();
    std::string protocol = take_output();
    EXPECT_NE(protocol.find("Warnings: 0 "), std::string::npos) << protocol;

    plat::Picture picture;
    RasterOptions options;
    options.width = 1485;  // two pixels per millimetre... on half the plot units
    RasterResult result = render_gksvan(path("axes.met"), picture, options);
    ASSERT_TRUE(result.ok);
    EXPECT_TRUE(result.complete);
    ASSERT_EQ(picture.width, 1485);
    ASSERT_EQ(picture.height, 1050);

    // Plot units to pixels: half.
    auto ink = [&](int x0, int y0, int x1, int y1) { return ink_pixels(picture, x0 / 2, y0 / 2, x1 / 2, y1 / 2); };
    // The first system spans x 300..1399, y 551..1750; its X labels stand
    // below, its Y labels to the left, the names beyond them.
    long x_labels = ink(250, 1780, 1450, 1840);
    long y_labels = ink(150, 520, 290, 1780);
    long x_name = ink(300, 1840, 1400, 1930);
    long y_name = ink(40, 550, 150, 1750);
    EXPECT_GT(x_labels, 200);
    EXPECT_GT(y_labels, 200);
    EXPECT_GT(x_name, 150);
    EXPECT_GT(y_name, 150);
    // The title above the system, nothing in the plot area but the axis lines.
    EXPECT_GT(ink(300, 300, 1400, 540), 300);
    EXPECT_EQ(ink(330, 580, 1370, 1720), 0);
    // The log system draws in red; the first in black.
    EXPECT_GT(colour_pixels(picture, 0xFF0000), 2000);
    EXPECT_GT(colour_pixels(picture, 0x000000), 2000);
    // Every label of the first X axis is a separate blob of ink centred on its tick:
    // the columns between two labels are empty.
    for (int k = 0; k < 5; ++k) {
        int between = 300 + k * 220 + 110;  // halfway between label k and k + 1
        EXPECT_EQ(ink(between - 20, 1790, between + 20, 1840), 0) << k;
        int at = 300 + k * 220;
        EXPECT_GT(ink(at - 40, 1790, at + 40, 1840), 20) << k;
    }

    if (const char* keep = std::getenv("KORVAN_KEEP_PICTURES")) {
        std::filesystem::copy_file(path("axes.met"), std::string(keep) + "/axes.met",
                                   std::filesystem::copy_options::overwrite_existing);
        plat::write_png(std::string(keep) + "/axes.png", picture);
    }
}

// The same plot as PostScript, rendered by Ghostscript where it is installed.
TEST_F(KernelTest, AxisExampleAsPostScript)
{
    draw_axes_example("POST", "axes.psc");
    std::string protocol = take_output();
    EXPECT_NE(protocol.find("Warnings: 0 "), std::string::npos) << protocol;
    std::string ps = read_file(path("axes.psc"));
    ASSERT_FALSE(ps.empty());
    if (std::system("gs --version > /dev/null 2>&1") != 0)
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the PostScript example is not rendered";
    std::string command = "gs -dSAFER -dBATCH -dNOPAUSE -q -sDEVICE=pnggray -r40 -sPAPERSIZE=a4 -sOutputFile=" +
                          path("axes-ps.png") + " " + path("axes.psc") + " 2>&1";
    std::FILE* pipe = ::popen(command.c_str(), "r");
    ASSERT_NE(pipe, nullptr);
    std::string messages;
    char buffer[512];
    while (std::fgets(buffer, sizeof buffer, pipe) != nullptr)
        messages += buffer;
    int status = ::pclose(pipe);
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << messages;
    EXPECT_EQ(messages.find("Error"), std::string::npos) << messages;
    EXPECT_GT(std::filesystem::file_size(path("axes-ps.png")), 3000u);
    if (const char* keep = std::getenv("KORVAN_KEEP_PICTURES")) {
        std::filesystem::copy_file(path("axes-ps.png"), std::string(keep) + "/axes-ps.png",
                                   std::filesystem::copy_options::overwrite_existing);
    }
}

}  // namespace
}  // namespace korvan::test
