// Surfaces: level and grid checks, the hidden-line buffer, bad values, the
// painting order, visibility and colours, and a shaded surface rendered by
// Ghostscript.
#include "tests/unit/curves_test_support.hpp"
#include "tests/support/ps_render.hpp"

#include <limits>
#include <set>

#include "plot/kernel/colours.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/shading.hpp"
#include "plot/routines/surface_shading.hpp"
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
    // 4001 by 4001 cells are more than the buffer's 16,000,000.
    Grid big(4002, 4002, flat);
    long before = state().vector_count;
    surfce(big.x, 4002, big.y, 4002, big.z);
    EXPECT_EQ(take_output(), " <<<< Warning  52: Hiddenline overflow in surfce!\n");
    EXPECT_EQ(state().vector_count, before);
    // More cells than a buffer of whole cells used to hold: each one painted.
    Grid large(520, 520, bump);
    surshd(large.x, 520, large.y, 520, large.z);
    EXPECT_EQ(take_output(), "");
    EXPECT_GT(state().vector_count - before, 519L * 519L);
    before = state().vector_count;
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

// The cells come in the order of a plain stable sort by the eye's distance
// from their middles, whatever the grid: ties (a grid seen along its
// diagonal, a flat one), cells left out for points that are no numbers, and
// grids of one row of cells.
TEST_F(SurfacesTest, PaintingOrderIsAStableSortByDepth)
{
    float nan = std::numeric_limits<float>::quiet_NaN();
    auto wavy = [](float u, float v) { return 0.5f + 0.4f * std::sin(7 * u) * std::cos(5 * v); };
    struct Case {
        int nx;
        int ny;
        bool flat_grid;
        double eye_x;
        double eye_y;
    };
    for (const Case& c : {Case{40, 40, true, 4, 4}, Case{40, 40, false, 4, 4}, Case{31, 57, false, 4, -5},
                          Case{2, 80, false, -3, 2}, Case{3, 3, true, 0, 0}}) {
        open_plot();
        view3d(c.eye_x, c.eye_y, 4, "ABS");
        open_box();
        std::vector<double> x;
        std::vector<double> y;
        std::vector<float> z;
        std::vector<std::size_t> rows;
        std::vector<std::size_t> columns;
        for (int i = 0; i < c.nx; ++i) {
            x.push_back(-1.0 + 2.0 * i / (c.nx - 1));
            rows.push_back(static_cast<std::size_t>(i));
        }
        for (int j = 0; j < c.ny; ++j) {
            y.push_back(-1.0 + 2.0 * j / (c.ny - 1));
            columns.push_back(static_cast<std::size_t>(j));
        }
        for (double u : x)
            for (double v : y)
                z.push_back(c.flat_grid ? 0.0f : wavy(static_cast<float>(u), static_cast<float>(v)));
        if (!c.flat_grid)
            z[z.size() / 3] = nan;
        SurfaceGrid grid(x, y, z, y.size(), rows, columns);
        std::vector<std::pair<double, std::uint32_t>> cells;
        std::size_t nv = y.size() - 1;
        for (std::size_t u = 0; u + 1 < x.size(); ++u) {
            for (std::size_t v = 0; v < nv; ++v) {
                std::pair<std::size_t, std::size_t> k[4] = {{u, v}, {u + 1, v}, {u + 1, v + 1}, {u, v + 1}};
                BoxPoint mid{0, 0, 0};
                bool ok = true;
                for (auto [cu, cv] : k) {
                    ok = ok && grid.usable(cu, cv);
                    for (std::size_t m = 0; m < 3; ++m)
                        mid[m] += grid.box(cu, cv)[m] / 4;
                }
                if (ok)
                    cells.emplace_back(eye_distance(state().shading, mid), static_cast<std::uint32_t>(u * nv + v));
            }
        }
        std::stable_sort(cells.begin(), cells.end(), [](const auto& p, const auto& q) { return p.first > q.first; });
        std::vector<std::uint32_t> want;
        for (const auto& cell : cells)
            want.push_back(cell.second);
        EXPECT_EQ(painting_order(grid), want) << c.nx << " x " << c.ny;
        korfin();
    }
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

// With hidden lines the cells are covered in the background colour before
// their outlines are drawn; after NOHIDE only the outlines are drawn, all of
// them, also those the bump hides, and RESET("NOHIDE") brings the cover back.
TEST_F(SurfacesTest, NohideDrawsTheMeshWithoutCoveringIt)
{
    Grid g(4, 4, bump);
    auto surface = [&](bool hide) {
        open_new_plot();
        if (!hide)
            nohide();
        open_box();
        long before = state().vector_count;
        surfce(g.x, 4, g.y, 4, g.z);
        std::vector<PlotPointRecord> p = close_plot();
        return std::vector<PlotPointRecord>(p.begin() + before, p.end());
    };
    std::vector<PlotPointRecord> hidden = surface(true);
    std::vector<PlotPointRecord> shown = surface(false);
    auto background = [](const std::vector<PlotPointRecord>& p) {
        return std::count_if(p.begin(), p.end(), [](const PlotPointRecord& r) { return r.colour == 0; });
    };
    EXPECT_GT(background(hidden), 100);
    EXPECT_EQ(background(shown), 0);
    std::vector<std::vector<PlotPointRecord>> cells = outlines(shown, 0);
    ASSERT_EQ(cells.size(), 9u);
    for (const auto& c : cells)
        EXPECT_EQ(c.size(), 5u);
    EXPECT_EQ(shown.size(), 45u);
    EXPECT_EQ(outlines(hidden, 0).size(), 9u);
    open_plot();
    nohide();
    reset("NOHIDE");
    EXPECT_TRUE(state().shading.hidden_lines);
    korfin();
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


// The bump on a coarse grid, shaded in one SHDMOD mode, into PostScript with
// a white background and no axes, rendered by Ghostscript.
bool render_shaded_bump(const char* mode, const std::string& name, RgbPicture& pic, std::string& messages)
{
    metafl("PSCL");
    setfil(name + ".ps");
    scrmod("REVERS");
    korini();
    nograf();
    shdmod(mode, "SURFACE");
    open_box();
    Grid g(9, 9, bump);
    surshd(g.x, 9, g.y, 9, g.z);
    endgrf();
    korfin();
    bool ok = false;
    messages = render_postscript(name + ".ps", name + ".png", 40, ok);
    keep_picture(name + ".png", "surface_" + name + ".png");
    return ok && read_rgb_png(name + ".png", pic);
}

bool paper(const unsigned char* p) { return p[0] > 250 && p[1] > 250 && p[2] > 250; }
int brightness(const unsigned char* p) { return std::max({p[0], p[1], p[2]}); }
int difference(const unsigned char* p, const unsigned char* q)
{
    return std::abs(p[0] - q[0]) + std::abs(p[1] - q[1]) + std::abs(p[2] - q[2]);
}

// Measures of the surface's pixels (all that is not paper).
struct Shades {
    long pixels = 0;
    std::size_t colours = 0;
    long jumps = 0;  // neighbours across a row that differ by more than 60
};

Shades shades_of(const RgbPicture& pic)
{
    Shades m;
    std::set<long> seen;
    for (int y = 0; y < pic.height; ++y) {
        for (int x = 0; x < pic.width; ++x) {
            const unsigned char* p = pic.at(x, y);
            if (paper(p))
                continue;
            ++m.pixels;
            seen.insert(p[0] * 65536L + p[1] * 256L + p[2]);
            if (x + 1 < pic.width && !paper(pic.at(x + 1, y)) && difference(p, pic.at(x + 1, y)) > 60)
                ++m.jumps;
        }
    }
    m.colours = seen.size();
    return m;
}

TEST_F(SurfacesTest, SurfaceShadingModesFlatInterpolatedAndLit)
{
    if (!ghostscript_available())
        GTEST_SKIP() << "Ghostscript (gs) is not installed: the surfaces are not rendered";
    const char* modes[4] = {"NONE", "INTE", "GOUR", "PHON"};
    RgbPicture pic[4];
    Shades m[4];
    for (int i = 0; i < 4; ++i) {
        std::string messages;
        ASSERT_TRUE(render_shaded_bump(modes[i], modes[i], pic[i], messages)) << modes[i] << messages;
        m[i] = shades_of(pic[i]);
    }
    take_output();
    for (int i = 1; i < 4; ++i) {
        ASSERT_EQ(pic[i].width, pic[0].width);
        ASSERT_EQ(pic[i].height, pic[0].height);
        // Every mode covers the same cells, without holes.
        EXPECT_NEAR(m[i].pixels, m[0].pixels, m[0].pixels / 50) << modes[i];
    }
    ASSERT_GT(m[0].pixels, 5000);
    // Flat cells: at most one colour a cell (64 cells), with steps between them.
    EXPECT_LE(m[0].colours, 64u);
    EXPECT_GT(m[0].jumps, 200);
    // Interpolated: the colours of the colour bar change smoothly across cells.
    EXPECT_GT(m[1].colours, 150u);
    EXPECT_LT(m[1].jumps, m[0].jumps / 5);
    // Lit: many shades of each colour, and still smooth.
    EXPECT_GT(m[2].colours, 1000u);
    EXPECT_GT(m[3].colours, 1000u);
    EXPECT_LT(m[2].jumps, m[0].jumps / 5);
    EXPECT_LT(m[3].jumps, m[0].jumps / 5);
    // Lit pixels against the interpolated ones: darker where the surface
    // turns away from the viewer.
    long darker = 0, lit_differs = 0, both = 0;
    for (int y = 0; y < pic[1].height; ++y)
        for (int x = 0; x < pic[1].width; ++x) {
            const unsigned char* flat = pic[1].at(x, y);
            const unsigned char* gouraud = pic[2].at(x, y);
            if (paper(flat) || paper(gouraud))
                continue;
            ++both;
            darker += brightness(gouraud) < 0.85 * brightness(flat) ? 1 : 0;
            lit_differs += difference(gouraud, pic[3].at(x, y)) > 12 ? 1 : 0;
        }
    // The flanks of the bump turn away from the light; normals interpolated
    // at every point light the cells differently from interpolated light.
    EXPECT_GT(darker, both / 5);
    EXPECT_GT(lit_differs, both / 20);
}

TEST_F(SurfacesTest, LightingNeedsDirectColoursAndIsInterpolatedColourElsewhere)
{
    // The metafile records table indices: Gouraud and Phong shading draw what
    // interpolated shading draws, in the colours of the colour bar.
    std::vector<PlotPointRecord> drawn[3];
    const char* modes[3] = {"INTE", "GOUR", "PHON"};
    for (int i = 0; i < 3; ++i) {
        open_plot();
        nograf();
        shdmod(modes[i], "SURFACE");
        open_box();
        Grid g(6, 6, bump);
        surshd(g.x, 6, g.y, 6, g.z);
        drawn[i] = close_plot();
    }
    ASSERT_GT(drawn[0].size(), 1000u);
    std::set<int> colours;
    for (const PlotPointRecord& p : drawn[0])
        colours.insert(p.colour);
    EXPECT_GT(colours.size(), 30u);
    for (int i = 1; i < 3; ++i) {
        ASSERT_EQ(drawn[i].size(), drawn[0].size()) << modes[i];
        for (std::size_t k = 0; k < drawn[0].size(); ++k) {
            EXPECT_EQ(drawn[i][k].colour, drawn[0][k].colour) << k;
            EXPECT_EQ(drawn[i][k].x, drawn[0][k].x) << k;
            if (drawn[i][k].colour != drawn[0][k].colour)
                break;
        }
    }
}

}  // namespace
}  // namespace korvan::test
