// The rasteriser of the screen's hardware font over the installed font file.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <limits>

#include "plat/hardware_font.hpp"

namespace korvan::plat {
namespace {

const HardwareFont& font()
{
    const HardwareFont* f = hardware_font();
    if (f == nullptr) {
        ADD_FAILURE() << "the hardware font file is missing (package fonts-urw-base35)";
        std::abort();
    }
    return *f;
}

// The ink's extent in pixels relative to the pen's pixel, right and bottom exclusive.
struct Extent {
    int left = 1 << 30, top = 1 << 30, right = -(1 << 30), bottom = -(1 << 30);
    long count = 0;
};

Extent extent(const GlyphImage& g)
{
    Extent e;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.inked(x, y)) {
                e.left = std::min(e.left, g.left + x);
                e.right = std::max(e.right, g.left + x + 1);
                e.top = std::min(e.top, g.top + y);
                e.bottom = std::max(e.bottom, g.top + y + 1);
                ++e.count;
            }
    return e;
}

TEST(HardwareFont, CapitalsAreAsTallAsAskedAndStandOnTheBaseLine)
{
    for (double cap : {12.0, 40.0, 150.0}) {
        GlyphImage h;
        ASSERT_TRUE(font().render('H', cap, 0, 0, 0, h)) << cap;
        const Extent e = extent(h);
        EXPECT_NEAR(e.bottom - e.top, cap, 1.0) << cap;
        EXPECT_NEAR(e.bottom, 0, 1.0) << cap;
        // The letter is filled, not stroked: two stems and a bar of some width.
        EXPECT_GT(e.count, static_cast<long>(0.2 * cap * cap)) << cap;
        // It fits its advance.
        EXPECT_GE(e.left, 0) << cap;
        EXPECT_LE(e.right, std::lround(font().advance('H') * cap) + 1) << cap;
    }
}

TEST(HardwareFont, QuarterTurnsTurnTheInkAboutThePen)
{
    const double cap = 40;
    const double width = font().advance('H') * cap;
    GlyphImage g;
    ASSERT_TRUE(font().render('H', cap, 0, 0, 0, g));
    const long upright = extent(g).count;
    struct Case {
        double angle;
        double left, top, right, bottom;  // where the ink box should be
    };
    for (const Case& c : {Case{90, -cap, -width, 0, 0}, Case{180, -width, 0, 0, cap}, Case{270, 0, 0, cap, width},
                          Case{-90, 0, 0, cap, width}, Case{450, -cap, -width, 0, 0}}) {
        ASSERT_TRUE(font().render('H', cap, c.angle, 0, 0, g)) << c.angle;
        const Extent e = extent(g);
        const double slack = 0.12 * cap + 1;  // side bearings and rounding
        EXPECT_NEAR(e.left, c.left, slack) << c.angle;
        EXPECT_NEAR(e.top, c.top, slack) << c.angle;
        EXPECT_NEAR(e.right, c.right, slack) << c.angle;
        EXPECT_NEAR(e.bottom, c.bottom, slack) << c.angle;
        EXPECT_NEAR(static_cast<double>(e.count), static_cast<double>(upright), 0.05 * upright) << c.angle;
    }
    // Any other angle turns the outline too: at 45 degrees the letter leans up and right.
    ASSERT_TRUE(font().render('H', cap, 45, 0, 0, g));
    const Extent e = extent(g);
    EXPECT_LT(e.bottom - e.top, cap * 1.6);
    EXPECT_GT(e.bottom - e.top, cap * 1.1);
    EXPECT_LT(e.top, -cap);
}

TEST(HardwareFont, AdvancesAndCodesWithoutGlyphs)
{
    EXPECT_GT(font().advance('W'), font().advance('H'));
    EXPECT_GT(font().advance('H'), font().advance('i'));
    EXPECT_GT(font().advance(' '), 0.0);
    EXPECT_GT(font().advance(0xE4), 0.0);  // a-umlaut of ISO 8859-1
    GlyphImage g;
    if (font().render(' ', 40, 0, 0, 0, g)) {  // a blank has no ink
        EXPECT_EQ(extent(g).count, 0);
    }
    EXPECT_EQ(font().advance(1), 0.0);
    EXPECT_FALSE(font().render(1, 40, 0, 0, 0, g));
    EXPECT_TRUE(g.ink.empty());
}

TEST(HardwareFont, SubPixelPenPositionsAndDeterminism)
{
    GlyphImage a;
    GlyphImage b;
    ASSERT_TRUE(font().render('g', 33.3, 30, 0.25, 0.75, a));
    ASSERT_TRUE(font().render('g', 33.3, 30, 0.25, 0.75, b));
    EXPECT_EQ(a.left, b.left);
    EXPECT_EQ(a.top, b.top);
    EXPECT_EQ(a.ink, b.ink);
    // A pen a whole pixel further is the same picture one pixel further.
    ASSERT_TRUE(font().render('H', 40, 0, 0.0, 0.0, a));
    ASSERT_TRUE(font().render('H', 40, 0, 0.999, 0.0, b));
    EXPECT_NEAR(extent(b).left, extent(a).left + 1, 0.5);
}

TEST(HardwareFont, NonsenseSizesAnglesAndFilesDrawNothing)
{
    GlyphImage g;
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    EXPECT_FALSE(font().render('H', 0, 0, 0, 0, g));
    EXPECT_FALSE(font().render('H', -5, 0, 0, 0, g));
    EXPECT_FALSE(font().render('H', nan, 0, 0, 0, g));
    EXPECT_FALSE(font().render('H', 1e7, 0, 0, 0, g));
    EXPECT_FALSE(font().render('H', 40, inf, 0, 0, g));
    EXPECT_FALSE(font().render('H', 40, 0, nan, 0, g));
    EXPECT_TRUE(g.ink.empty());
    EXPECT_EQ(HardwareFont::open("/nonexistent/font.otf"), nullptr);
    char name[] = "/tmp/not_a_font_XXXXXX";
    const int fd = ::mkstemp(name);
    ASSERT_GE(fd, 0);
    std::FILE* f = ::fdopen(fd, "w");
    std::fputs("%!PS-Adobe-2.0\nnot a font\n", f);
    std::fclose(f);
    EXPECT_EQ(HardwareFont::open(name), nullptr);
    std::remove(name);
}

TEST(HardwareFont, AnotherFileAndBack)
{
    set_hardware_font_path("/nonexistent/font.otf");
    EXPECT_EQ(hardware_font(), nullptr);
    set_hardware_font_path("");
    EXPECT_NE(hardware_font(), nullptr);
}

}  // namespace
}  // namespace korvan::plat
