// Quick plots on the headless screen: the PNG written for the window equals
// its offscreen bitmap pixel for pixel and shows the axis system and the curve.
#include <cstdlib>
#include <string>
#include <vector>

#include "binding/routine_binding.hpp"
#include "plat/graphics.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/screen.hpp"
#include "tests/support/ps_render.hpp"
#include "tests/support/script_session.hpp"

namespace korvan::test {
namespace {

class QuickPlotPictureTest : public ScriptSession {
protected:
    void SetUp() override
    {
        ::setenv("KORVAN_DISPLAY", "none", 1);
        ::setenv("KORVAN_SCREEN", "1024x768", 1);
        ::unsetenv("KORVAN_SCREEN_BPP");
        ScriptSession::SetUp();
        binding::install_binding();
    }
    void TearDown() override
    {
        ScriptSession::TearDown();
        ::unsetenv("KORVAN_SCREEN");
    }
};

struct Lit {
    const plat::Picture& p;
    std::size_t at(int x, int y) const { return (static_cast<std::size_t>(y) * p.width + x) * 3; }
    bool operator()(int x, int y) const
    {
        std::size_t i = at(x, y);
        return p.rgb[i] != p.rgb[0] || p.rgb[i + 1] != p.rgb[1] || p.rgb[i + 2] != p.rgb[2];
    }
};

// The longest run of lit pixels in a row or column.
int longest_run(const Lit& lit, int fixed, bool row)
{
    int best = 0, run = 0;
    int n = row ? lit.p.width : lit.p.height;
    for (int i = 0; i < n; ++i) {
        run = (row ? lit(i, fixed) : lit(fixed, i)) ? run + 1 : 0;
        best = std::max(best, run);
    }
    return best;
}

TEST_F(QuickPlotPictureTest, HeadlessPictureIsTheBitmapWithAxesAndCurve)
{
    std::string out = run_script("X = {0.0, 1.0, 2.0, 3.0, 4.0}\n"
                                 "Y = {0.0, 1.0, 2.0, 3.0, 4.0}\n"
                                 "PLOT X, Y\n");
    EXPECT_EQ(out, "");
    ASSERT_EQ(state().level, 2);
    const win::Bitmap* bitmap = win::screen().bitmap(1);
    ASSERT_NE(bitmap, nullptr);
    plat::Picture shown = bitmap->picture;
    ASSERT_GT(shown.width, 0);

    out = run_script("UNIT(0)\nKORFIN()\n");
    EXPECT_EQ(out, " Window picture: korvan_win1.png\n");
    plat::Picture written;
    ASSERT_TRUE(read_rgb_png("korvan_win1.png", written));
    ASSERT_EQ(written.width, shown.width);
    ASSERT_EQ(written.height, shown.height);
    EXPECT_TRUE(written.rgb == shown.rgb) << "the PNG differs from the window bitmap";

    // The axis box: long horizontal and vertical lines, shorter than the page
    // border around them.
    Lit lit{written};
    int bottom = -1, left = -1, top = -1, right = -1;
    for (int y = 0; y < written.height; ++y) {
        int run = longest_run(lit, y, true);
        if (run > written.width / 2 && run < written.width * 9 / 10) {
            top = top < 0 ? y : top;
            bottom = y;
        }
    }
    for (int x = 0; x < written.width; ++x) {
        int run = longest_run(lit, x, false);
        if (run > written.height / 2 && run < written.height * 9 / 10) {
            left = left < 0 ? x : left;
            right = x;
        }
    }
    ASSERT_GE(top, 0);
    ASSERT_GE(left, 0);
    ASSERT_GT(bottom - top, written.height / 2);
    ASSERT_GT(right - left, written.width / 2);
    // The curve Y = X crosses every column of the box's inner part, near the
    // diagonal from the lower left to the upper right corner.
    int on_curve = 0, columns = 0;
    for (int x = left + (right - left) / 10; x < right - (right - left) / 10; ++x) {
        ++columns;
        double t = static_cast<double>(x - left) / (right - left);
        int expected = bottom - static_cast<int>(t * (bottom - top));
        bool found = false;
        for (int y = expected - 6; y <= expected + 6 && !found; ++y)
            found = lit(x, y);
        on_curve += found ? 1 : 0;
        EXPECT_TRUE(found) << "column " << x << " near row " << expected << " in box " << left << " " << top
                           << " " << right << " " << bottom;
    }
    EXPECT_EQ(on_curve, columns);
}

TEST_F(QuickPlotPictureTest, RefusedQuickPlotOpensNoWindow)
{
    std::string out = run_script("A = FALLOC(10)\nB = FALLOC(11)\nPLOT A, B\n");
    EXPECT_EQ(out, " >>>> Mismatch of arry sizes in PLOT in record 4 (main.kfl)\n");
    EXPECT_EQ(state().level, 0);
    EXPECT_FALSE(win::screen_exists() && win::screen().bitmap(1) != nullptr);
}

}  // namespace
}  // namespace korvan::test
