// Surfaces: level and grid checks, the hidden-line buffer, bad values, the
// painting order, visibility and colours, and a shaded surface rendered by
// Ghostscript.
#include "tests/unit/curves_test_support.hpp"
#include "tests/support/ps_render.hpp"

#include <limits>

#include "plot/kernel/colours.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/surfaces.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

using SurfacesTest = PlotTest;

struct Grid {
    std::vector<float> x;
    std::vector<float> y;
    std::vector<float> z;
    Grid(int nx, int ny, float (*f)(float, float))
    {
        for (int i = 0; i < nx; ++i)
            x.push_back(-1.0f + 2.0f * i / std::max(nx - 1, 1));
        for (int j = 0; j < ny; ++j)
            y.push_back(-1.0f + 2.0f * j / std::max(ny - 1, 1));
        for (float u : x)
            for (float v : y)
                z.push_back(f(u, v));
    }
};

float flat(float, float) { return 0; }
float bump(float u, float v) { return std::exp(-3 * (u * u + v * v)); }

void open_box() { graf3d(-1, 1, -1, 0.5, -1, 1, -1, 0.5, 0, 1, 0, 0.5); }

TEST_F(SurfacesTest, LevelSystemAndGridChecks)
{
    Grid g(3, 3, flat);
    surfce(g.x, 3, g.y, 3, g.z);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in surfce!   (   0)\n");
    open_plot();
    graf3(0, 1, 0, 1, 0, 1, 0, 1, 0, 1, 0, 1);
    take_output();
    surshd(g.x, 3, g.y, 3, g.z);
    EXPECT_EQ(take_output(), " <<<< Warning  35: Confusion of graf3d and graf3 in surshd!\n");
    endgrf();
    open_box();
    surfce(g.x, 1, g.y, 3, g.z);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in surfce!   (   1)\n");
    surfce(g.x, 4, g.y, 3, g.z);  // more points than given
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in surfce!\n");
    surmat(g.z, 3, 3, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in surmat!   (   0)\n");
    sursze(1, 1, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning  10: Begin and end of scaling are equal in sursze!\n");
    surclr(-2, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in surclr!   (  -2)\n");
    survis("SIDE");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in survis!   (SIDE)\n");
    korfin();
}

TEST_F(SurfacesTest, HiddenLineBufferOverflowAndBadValues)
{
    open_plot();
    open_box();
    Grid big(600, 600, flat);
    long before = state().vector_count;
    surfce(big.x, 600, big.y, 600, big.z);
    EXPECT_EQ(take_output(), " <<<< Warning  52: Hiddenline overflow in surfce!\n");
    EXPECT_EQ(state().vector_count, before);
    Grid g(5, 5, bump);
    g.z[7] = std::numeric_limits<float>::quiet_NaN();
    g.z[12] = std::numeric_limits<float>::infinity();
    g.x[4] = std::numeric_limits<float>::quiet_NaN();
    surfce(g.x, 5, g.y, 5, g.z);
    surshd(g.x, 5, g.y, 5, g.z);
    surmat(g.z, 5, 5, 2, 2);
    EXPECT_EQ(take_output(), "");
    EXPECT_GT(state().vector_count, before);
    korfin();
}

// The outlines of a flat surface in the foreground colour, in drawing order.
std::vector<std::vector<PlotPointRecord>> outlines(const std::vector<PlotPointRecord>& points, std::size_t from)
{
    std::vector<PlotPointRecord> lines;
    for (std::size_t i = from; i < points.size(); ++i)
        if (points[i].colour != 0)
            lines.push_back(points[i]);
    return polylines(lines);
}

TEST_F(SurfacesTest, CellsArePaintedFromBackToFrontAndVisibilityChoosesSides)
{
    open_plot();
    open_box();
    Grid g(4, 4, flat);
    long before = state().vector_count;
    surfce(g.x, 4, g.y, 4, g.z);
    std::vector<PlotPointRecord> p = close_plot();
    std::vector<std::vector<PlotPointRecord>> cells = outlines(p, static_cast<std::size_t>(before));
    ASSERT_EQ(cells.size(), 9u);
    // Seen from (4, -5, 4): the first cell drawn is the far one at (-x, +y),
    // which lies high on the page; the last the near one, low on the page.
    EXPECT_LT(box_of(cells.front()).y1, box_of(cells.back()).y0);
    for (const auto& c : cells)
        EXPECT_EQ(c.size(), 5u);  // closed outlines
}

TEST_F(SurfacesTest, BottomOnlyHidesATopViewAndSurclrColoursTheTop)
{
    open_plot();
    open_box();
    Grid g(4, 4, flat);
    survis("BOTT");
    long before = state().vector_count;
    surfce(g.x, 4, g.y, 4, g.z);
    survis("TOP");
    surclr(3, -1);
    long middle = state().vector_count;
    surfce(g.x, 4, g.y, 4, g.z);
    std::vector<PlotPointRecord> p = close_plot();
    std::vector<PlotPointRecord> first(p.begin() + before, p.begin() + middle);
    EXPECT_TRUE(outlines(first, 0).empty());  // only the background fills
    std::vector<std::vector<PlotPointRecord>> top = outlines(p, static_cast<std::size_t>(middle));
    ASSERT_EQ(top.size(), 9u);
    EXPECT_EQ(top[0][1].colour, 3);
}

TEST_F(SurfacesTest, ShadedSurfaceRendersInColourBehindItsAxes)
{
    if (!ghostscript_available())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the surface is not rendered";
    metafl("PSCL");
    setfil("surface.ps");
    scrmod("REVERS");
    korini();
    name("X", "X");
    name("Y", "Y");
    name("Z", "Z");
    open_box();
    Grid g(40, 40, bump);
    surshd(g.x, 40, g.y, 40, g.z);
    endgrf();
    korfin();
    take_output();
    bool ok = false;
    std::string messages = render_postscript("surface.ps", "surface.png", 40, ok);
    EXPECT_TRUE(ok) << messages;
    RgbPicture pic;
    ASSERT_TRUE(read_rgb_png("surface.png", pic));
    keep_picture("surface.png", "surface.png");
    long all = static_cast<long>(pic.width) * pic.height;
    // Coloured cells: the top of the bump red, the low parts blue; the axes in black.
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, saturated), all / 25);
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, reddish), all / 500);
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, bluish), all / 50);
    EXPECT_GT(pic.count(0, 0, pic.width, pic.height, blackish), all / 1000);
}

}  // namespace
}  // namespace korvan::test
