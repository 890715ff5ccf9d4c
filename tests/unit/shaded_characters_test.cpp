// SHDCHA: HWFONT text on a metafile drawn as the hardware font's character
// outlines, filled with the current pattern and measured with the font's
// advances; patterns and line styles kept; devices with their own font and
// RESET unchanged.
#include "tests/unit/routines_test_support.hpp"

#include "plat/hardware_font.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using Points = std::vector<PlotPointRecord>;

class ShadedCharactersTest : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        if (plat::hardware_font() == nullptr)
            GTEST_SKIP() << "the hardware font file is not installed";
    }
    // "HEH" at (1000, 500) in HWFONT, after the settings.
    template <typename Settings>
    Points text_drawn(Settings settings)
    {
        open_new_plot();
        hwfont();
        settings();
        return points_added_by([] { messag("HEH", 1000, 500); });
    }
};

TEST_F(ShadedCharactersTest, OutlinesFilledInTheBoxOfTheCapitals)
{
    Points stroke = text_drawn([] {});
    Points shaded = text_drawn([] { shdcha(); });
    ASSERT_FALSE(shaded.empty());
    EXPECT_NE(shaded.size(), stroke.size());
    // Capitals stand on the base line (y 535) and are 36 units tall.
    Box b = box_of(shaded);
    EXPECT_NEAR(b.y0, 500 - 1, 1.5);
    EXPECT_NEAR(b.y1, 535, 1.5);
    EXPECT_GE(b.x0, 1000);
    const plat::HardwareFont& font = *plat::hardware_font();
    double length = 36 * (2 * font.advance('H') + font.advance('E'));
    EXPECT_LE(b.x1, 1000 + length);
    EXPECT_GT(b.x1, 1000 + length - 10);
    // Filled: horizontal fill lines in the middle of the letters, not only
    // the outlines at their edges.
    int fill_lines = 0;
    for (std::size_t i = 1; i < shaded.size(); ++i)
        if (shaded[i].draw && !shaded[i - 1].draw && shaded[i].y == shaded[i - 1].y && shaded[i].y > 505 &&
            shaded[i].y < 530)
            ++fill_lines;
    EXPECT_GT(fill_lines, 20);
}

TEST_F(ShadedCharactersTest, MeasuredWithTheFontAndJustifiedByIt)
{
    open_plot();
    hwfont();
    int stroke = nlmess("HEH");
    shdcha();
    const plat::HardwareFont& font = *plat::hardware_font();
    EXPECT_EQ(nlmess("HEH"), static_cast<int>(std::lround(36 * (2 * font.advance('H') + font.advance('E')))));
    EXPECT_NE(nlmess("HEH"), stroke);
    // Stroke fonts have no outlines: SHDCHA leaves them alone.
    complx();
    EXPECT_EQ(nlmess("HEH"), stroke);
    close_plot();

    Points right = text_drawn([] {
        shdcha();
        txtjus("RIGH");
    });
    EXPECT_LE(box_of(right).x1, 1000.5);
    EXPECT_GT(box_of(right).x1, 995);
}

TEST_F(ShadedCharactersTest, PatternLineStyleAndResetAreKept)
{
    Points solid = text_drawn([] { shdcha(); });
    Points hatched = text_drawn([] {
        shdcha();
        shdpat(1);
    });
    EXPECT_LT(hatched.size(), solid.size());  // lines 7 units apart instead of 2
    text_drawn([] {
        shdcha();
        dash();
        int style = state().curves.line_style;
        messag("E", 100, 100);
        EXPECT_EQ(state().curves.line_style, style);
        EXPECT_EQ(getpat(), 0);
        shdpat(1);
        messag("E", 100, 100);
        EXPECT_EQ(getpat(), 1);
    });
    Points stroke = text_drawn([] {});
    Points reset_back = text_drawn([] {
        shdcha();
        reset("SHDCHA");
    });
    EXPECT_EQ(reset_back.size(), stroke.size());
}

TEST_F(ShadedCharactersTest, DevicesWithTheirOwnFontAreUnchanged)
{
    metafl("POST");
    setfil("plot.ps");
    korini();
    hwfont();
    int plain = nlmess("HEH");
    long v0 = state().vector_count;
    messag("HEH", 1000, 500);
    long v1 = state().vector_count;
    shdcha();
    EXPECT_EQ(nlmess("HEH"), plain);
    messag("HEH", 1000, 600);
    EXPECT_EQ(state().vector_count - v1, v1 - v0);
    korfin();
    std::string ps = read_file("plot.ps");
    std::size_t first = ps.find(" text ");
    ASSERT_NE(first, std::string::npos);
    EXPECT_NE(ps.find(" text ", first + 1), std::string::npos);
}

}  // namespace
}  // namespace korvan::test
