// A plot of measured data, its spline, three model curves with cycling
// attributes and symbols, and a legend, written as PostScript and rendered by
// Ghostscript: the picture must show ink along the curves and in the legend box,
// and none where nothing was drawn.
#include "tests/unit/curves_test_support.hpp"

#include <algorithm>

#include "tests/support/ps_render.hpp"

#include "plot/kernel/colours.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/legends.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/splines.hpp"
#include "plot/routines/text.hpp"

namespace korvan::test {
namespace {

constexpr int dpi = 40;

// Grey levels of the black-and-white device count as ink: anything not near white.
bool ink(const RgbPicture& p, int x, int y)
{
    if (x < 0 || y < 0 || x >= p.width || y >= p.height)
        return false;
    const unsigned char* q = p.at(x, y);
    return std::min({q[0], q[1], q[2]}) < 230;
}

bool ink_near(const RgbPicture& p, int x, int y, int r)
{
    return p.count(x - r, y - r, x + r + 1, y + r + 1, [](const unsigned char* q) {
        return std::min({q[0], q[1], q[2]}) < 230;
    }) > 0;
}

// The share of inked pixels in the box between two corners (both included).
double ink_share(const RgbPicture& p, int x0, int y0, int x1, int y1)
{
    long all = 0;
    long inked = 0;
    for (int y = std::min(y0, y1); y <= std::max(y0, y1); ++y)
        for (int x = std::min(x0, x1); x <= std::max(x0, x1); ++x) {
            ++all;
            inked += ink(p, x, y);
        }
    return all > 0 ? static_cast<double>(inked) / all : 0.0;
}

// Pixel of a plot point on the default page, turned on the A4 paper: plot y
// runs along the paper's width, plot x up the paper.
void pixel_of(double x, double y, int& column, int& row)
{
    const double s = 1.8571428;
    const double f = 1.000476;
    double px = (150 + s * y * f) * 0.14226378;
    double py = (200 + s * x * f) * 0.14226378;
    column = static_cast<int>(std::lround(px / 72.0 * dpi));
    row = static_cast<int>(std::lround((842.0 - py) / 72.0 * dpi));
}

class CurvesPostScriptTest : public PlotTest {
protected:
    // The temperatures of one day, the spline through them, three models.
    void draw(const char* device)
    {
        metafl(device);
        setfil("curves.psc");
        korini();
        pagera();
        complx();
        axspos(350, 1750);
        axslen(1800, 1400);
        name("Time of day in hours", "X");
        name("Temperature in degrees C", "Y");
        titlin("Temperatures of 7 December", 1);
        digits(-1, "XY");
        graf(0, 24, 0, 4, -5, 20, -5, 5);
        title();

        const float t[] = {0, 2, 4, 6, 8, 10, 12, 14, 16, 18, 20, 22, 24};
        const float m[] = {1.2f, 0.4f, 0.1f, 2.3f, 6.8f, 11.5f, 14.9f, 16.2f, 14.1f, 10.3f, 6.5f, 4.0f, 2.6f};
        chncrv("BOTH");
        lincyc(2, 0);
        lincyc(3, 0);
        lincyc(4, 2);
        lincyc(5, 3);
        hsymbl(30);
        incmrk(-1);
        marker(15);
        curve(t, m, 13);
        incmrk(0);
        std::vector<float> xs(201);
        std::vector<float> ys(201);
        int ns = 0;
        spline(t, m, 13, xs, ys, ns);
        curve(xs, ys, ns);
        model_x.resize(49);
        for (auto& y : models)
            y.resize(49);
        for (std::size_t i = 0; i < 49; ++i) {
            double h = 0.5 * static_cast<double>(i);
            model_x[i] = static_cast<float>(h);
            models[0][i] = static_cast<float>(8.1 - 8 * std::cos((h - 2.5) * M_PI / 12));
            models[1][i] = static_cast<float>(7 - 6 * std::cos((h - 3) * M_PI / 12) * std::exp(-h / 60));
            models[2][i] = static_cast<float>(-3 + 0.4 * h);
        }
        incmrk(6);
        for (auto& y : models)
            curve(model_x, y, 49);

        legend_.assign(5 * 10, '\0');
        std::string& b = legend_;
        legini(b, 5, 10);
        leglin(b, "measured", 1);
        leglin(b, "spline", 2);
        leglin(b, "model A", 3);
        leglin(b, "model B", 4);
        leglin(b, "linear", 5);
        legtit("Curves");
        legpos(2300, 400);
        legend(b, 1);
        legend_w = nxlegn(legend_);
        legend_h = nylegn(legend_);
        endgrf();
        korfin();
    }
    std::vector<float> model_x;
    std::vector<float> models[3];
    std::string legend_;
    int legend_w = 0;
    int legend_h = 0;
};

TEST_F(CurvesPostScriptTest, RenderedPlotShowsCurvesSymbolsAndLegend)
{
    draw("POST");
    std::string messages_of_plot = take_output();
    EXPECT_EQ(messages_of_plot.find("<<<< Warning"), std::string::npos) << messages_of_plot;
    if (!ghostscript_available())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the PostScript plot is not rendered";
    bool ok = false;
    std::string messages = render_postscript("curves.psc", "curves.png", dpi, ok);
    ASSERT_TRUE(ok) << messages;
    RgbPicture p;
    ASSERT_TRUE(read_rgb_png("curves.png", p));
    keep_picture("curves.png", "curves.png");

    // The axis system: user (u, v) at plot (350 + u * 1799 / 24, 1750 - (v + 5) * 1399 / 25).
    auto at = [](double u, double v, int& column, int& row) {
        pixel_of(350 + u * 1799.0 / 24, 1750 - (v + 5) * 1399.0 / 25, column, row);
    };
    // Ink along the solid model A and the linear model, every half hour.
    int missing = 0;
    for (std::size_t i = 0; i < 49; ++i) {
        int c = 0;
        int r = 0;
        at(model_x[i], models[0][i], c, r);
        missing += !ink_near(p, c, r, 1);
        at(model_x[i], models[2][i], c, r);
        missing += !ink_near(p, c, r, 1);
    }
    EXPECT_LE(missing, 2);
    // A measured point: a circle of 30 units (about 4 pixels) around it, hollow.
    {
        int c = 0;
        int r = 0;
        at(12, 14.9, c, r);
        EXPECT_GT(ink_share(p, c - 3, r - 3, c + 3, r + 3), 0.15);
    }
    // The legend box holds ink: frame, patterns and texts.
    int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
    pixel_of(2300, 400, c0, r0);
    pixel_of(2300 + legend_w, 400 + legend_h, c1, r1);
    EXPECT_GT(ink_share(p, c0 + 2, r0 - 2, c1 - 2, r1 + 2), 0.03);
    // The frame of the legend: ink along its upper edge (plot y = 400).
    int frame_hits = 0;
    for (int x = 2320; x < 2300 + legend_w - 20; x += 20) {
        int c = 0, r = 0;
        pixel_of(x, 400, c, r);
        frame_hits += ink_near(p, c, r, 1);
    }
    EXPECT_GE(frame_hits, (legend_w - 40) / 20 - 1);
    // Nothing in the upper left of the axis system (hours 1 to 4, 14 to 19 degrees).
    at(1, 19, c0, r0);
    at(4, 14, c1, r1);
    EXPECT_EQ(ink_share(p, c0, r0, c1, r1), 0.0);
    // Nothing between the axis system and the legend.
    pixel_of(2200, 450, c0, r0);
    pixel_of(2280, 900, c1, r1);
    EXPECT_EQ(ink_share(p, c0, r0, c1, r1), 0.0);
}

TEST_F(CurvesPostScriptTest, ColourPlotRendersWithCycledColours)
{
    draw("PSCL");
    take_output();
    std::string ps = read_file(path("curves.psc"));
    // Lines break only after a blank: without the line ends the body is one word list.
    ps.erase(std::remove(ps.begin(), ps.end(), '\n'), ps.end());
    // The five curves' colours, each set by its RGB (the words single-spaced).
    for (int j = 1; j <= 5; ++j) {
        std::uint32_t rgb = state().colour_table[static_cast<std::size_t>(cycle_colour(j))];
        char words[32];
        std::snprintf(words, sizeof words, " %u %u %u f ", (rgb >> 16) & 255u, (rgb >> 8) & 255u, rgb & 255u);
        EXPECT_NE(ps.find(words), std::string::npos) << words;
    }
    if (!ghostscript_available())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the PostScript plot is not rendered";
    bool ok = false;
    std::string messages = render_postscript("curves.psc", "colour.png", dpi, ok);
    ASSERT_TRUE(ok) << messages;
    RgbPicture p;
    ASSERT_TRUE(read_rgb_png("colour.png", p));
    // On the black page the legend shows coloured (not grey) pixels.
    int c0 = 0, r0 = 0, c1 = 0, r1 = 0;
    pixel_of(2300, 400, c0, r0);
    pixel_of(2300 + legend_w, 400 + legend_h, c1, r1);
    long coloured = p.count(std::min(c0, c1), std::min(r0, r1), std::max(c0, c1) + 1, std::max(r0, r1) + 1,
                            saturated);
    EXPECT_GT(coloured, 20);
}

}  // namespace
}  // namespace korvan::test
