// The raster of the image devices and the virtual device that draws into it:
// size rules, device scale, pixel mapping, lines, fills, SETCLR, ERASE, NEWPAG.
#include "tests/unit/kernel_test_support.hpp"

#include <cmath>
#include <cstdlib>
#include <random>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/raster.hpp"
#include "plot/kernel/raster_device.hpp"

namespace korvan::test {
namespace {

// Bresenham's method written out step by step, into a large canvas.
std::vector<std::pair<int, int>> reference_line(int x0, int y0, int x1, int y1)
{
    std::vector<std::pair<int, int>> points;
    const int dx = std::abs(x1 - x0), dy = std::abs(y1 - y0);
    const int sx = x1 >= x0 ? 1 : -1, sy = y1 >= y0 ? 1 : -1;
    if (dx >= dy) {
        int err = dx / 2, y = y0;
        for (int x = x0;; x += sx) {
            points.emplace_back(x, y);
            if (x == x1)
                break;
            err -= dy;
            if (err < 0) {
                y += sy;
                err += dx;
            }
        }
    } else {
        int err = dy / 2, x = x0;
        for (int y = y0;; y += sy) {
            points.emplace_back(x, y);
            if (y == y1)
                break;
            err -= dx;
            if (err < 0) {
                x += sx;
                err += dy;
            }
        }
    }
    return points;
}

std::vector<std::pair<int, int>> set_pixels(const Raster& r)
{
    std::vector<std::pair<int, int>> points;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            if (r.get(x, y) != 0)
                points.emplace_back(x, y);
    return points;
}

int count_of(const Raster& r, int index)
{
    int n = 0;
    for (int y = 0; y < r.height(); ++y)
        for (int x = 0; x < r.width(); ++x)
            n += r.get(x, y) == index;
    return n;
}

TEST(Raster, SizeRowLengthAndPixelsOutside)
{
    Raster r;
    EXPECT_TRUE(r.empty());
    ASSERT_TRUE(r.create(853, 603));
    EXPECT_EQ(r.width(), 853);
    EXPECT_EQ(r.height(), 603);
    EXPECT_EQ(r.row_length(), 856);
    EXPECT_EQ(r.bytes().size(), 856u * 603u);
    EXPECT_EQ(count_of(r, 0), 853 * 603);
    EXPECT_EQ(Raster::row_length_of(1), 4);
    EXPECT_EQ(Raster::row_length_of(4), 4);
    EXPECT_EQ(Raster::row_length_of(5), 8);

    r.set(852, 602, 7);
    r.set(-1, 0, 9);
    r.set(853, 0, 9);
    r.set(0, 603, 9);
    EXPECT_EQ(r.get(852, 602), 7);
    EXPECT_EQ(r.get(-1, 0), -1);
    EXPECT_EQ(r.get(0, 603), -1);
    EXPECT_EQ(count_of(r, 9), 0);

    for (auto [w, h] : {std::pair{0, 10}, {10, 0}, {-5, 10}, {Raster::max_side + 1, 1}}) {
        EXPECT_FALSE(r.create(w, h)) << w << " x " << h;
        EXPECT_TRUE(r.empty());
        EXPECT_EQ(r.width(), 0);
    }
    // An empty raster ignores drawing.
    r.line(0, 0, 5, 5, 1);
    r.fill(0, 0, 5, 5, 1);
    r.clear();
    EXPECT_EQ(r.get(0, 0), -1);
}

TEST(Raster, LinesAreBresenhamsFromEndToEnd)
{
    Raster r;
    ASSERT_TRUE(r.create(20, 10));
    r.line(0, 0, 5, 2, 3);
    const std::vector<std::pair<int, int>> expected = {{0, 0}, {1, 0}, {2, 1}, {3, 1}, {4, 2}, {5, 2}};
    EXPECT_EQ(set_pixels(r), expected);
    EXPECT_EQ(r.get(0, 0), 3);

    // A horizontal run, drawn either way; a single point.
    r.clear();
    r.line(9, 4, 2, 4, 5);
    EXPECT_EQ(count_of(r, 5), 8);
    EXPECT_EQ(r.get(2, 4), 5);
    EXPECT_EQ(r.get(9, 4), 5);
    r.clear();
    r.line(7, 7, 7, 7, 6);
    EXPECT_EQ(set_pixels(r), (std::vector<std::pair<int, int>>{{7, 7}}));
}

TEST(Raster, LinesPartlyOutsideKeepTheirPixelsInside)
{
    std::mt19937 random(12345);
    std::uniform_int_distribution<int> coordinate(-60, 90);
    Raster r;
    ASSERT_TRUE(r.create(37, 23));
    for (int i = 0; i < 2000; ++i) {
        const int x0 = coordinate(random), y0 = coordinate(random);
        const int x1 = coordinate(random), y1 = coordinate(random);
        r.clear();
        r.line(x0, y0, x1, y1, 1);
        std::vector<std::pair<int, int>> expected;
        for (auto [x, y] : reference_line(x0, y0, x1, y1))
            if (r.inside(x, y))
                expected.emplace_back(x, y);
        std::sort(expected.begin(), expected.end(),
                  [](auto a, auto b) { return a.second != b.second ? a.second < b.second : a.first < b.first; });
        expected.erase(std::unique(expected.begin(), expected.end()), expected.end());
        ASSERT_EQ(set_pixels(r), expected) << x0 << "," << y0 << " -> " << x1 << "," << y1;
    }
}

TEST(Raster, FarAwayLinesAndFillsAreClippedQuickly)
{
    Raster r;
    ASSERT_TRUE(r.create(100, 50));
    r.line(-1000000000, 10, 1000000000, 10, 4);
    EXPECT_EQ(count_of(r, 4), 100);
    r.line(-1000000000, -1000000000, 1000000000, 1000000000, 5);
    EXPECT_EQ(r.get(20, 20), 5);
    EXPECT_EQ(r.get(49, 49), 5);
    r.line(5, -1000000000, 5, -1000, 6);
    EXPECT_EQ(count_of(r, 6), 0);

    r.clear();
    r.fill(90, 40, 200, -30, 8);  // corners in any order, inclusive
    EXPECT_EQ(count_of(r, 8), 10 * 41);
    EXPECT_EQ(r.get(90, 0), 8);
    EXPECT_EQ(r.get(89, 0), 0);
    r.fill(200, 200, 300, 300, 9);
    EXPECT_EQ(count_of(r, 9), 0);
}

// --- The virtual device --------------------------------------------------------

class VirtualDeviceTest : public KernelTest {
protected:
    const Raster& raster()
    {
        const Raster* r = plot_raster();
        EXPECT_NE(r, nullptr);
        static const Raster none;
        return r != nullptr ? *r : none;
    }
};

TEST_F(VirtualDeviceTest, DefaultSizesByPageShape)
{
    metafl("VIRT");
    korini();
    EXPECT_EQ(raster().width(), 853);
    EXPECT_EQ(raster().height(), 603);
    EXPECT_EQ(raster().row_length(), 856);
    korfin();
    EXPECT_EQ(plot_raster(), nullptr);
    setpag("DA4P");
    korini();
    EXPECT_EQ(raster().width(), 603);
    EXPECT_EQ(raster().height(), 853);
    korfin();
    page(1000, 1000);  // not landscape
    korini();
    EXPECT_EQ(raster().width(), 603);
    korfin();
    EXPECT_EQ(mask_clock(take_output()).find(">>>>"), std::string::npos);
}

TEST_F(VirtualDeviceTest, WindowSizesWithinTenToTwoThousand)
{
    metafl("VIRT");
    struct Case {
        int w, h;
        int expect_w, expect_h;
        bool bad;
    };
    const Case cases[] = {{400, 300, 400, 300, false}, {10, 2000, 10, 2000, false}, {2000, 10, 2000, 10, false},
                          {5000, 100, 853, 603, true}, {9, 100, 853, 603, true},    {100, 2001, 853, 603, true}};
    for (const Case& c : cases) {
        winsiz(c.w, c.h);
        korini();
        EXPECT_EQ(raster().width(), c.expect_w) << c.w << " x " << c.h;
        EXPECT_EQ(raster().height(), c.expect_h);
        unit(0);
        korfin();
        EXPECT_EQ(take_output(), c.bad ? " >>>> Bad size of virtual device\n" : "") << c.w << " x " << c.h;
    }
    window(5, 5, 123, 45);
    const RasterSize size = virtual_device_size(state());
    EXPECT_EQ(size.width, 123);
    EXPECT_EQ(size.height, 45);
    EXPECT_FALSE(size.bad_size);
}

TEST_F(VirtualDeviceTest, DeviceScaleAndPixelMapping)
{
    metafl("VIRT");
    korini();
    const double expected = std::min(852.0 / 2969.0, 602.0 / 2099.0);
    EXPECT_DOUBLE_EQ(state().device_scale, expected);
    setclr(7);
    plot_vector(1000, 500, 3);
    plot_vector(1000, 500, 2);
    EXPECT_EQ(raster().get(287, 143), 7);  // round(s x), round(s y)
    plot_vector(2969, 2099, 3);
    plot_vector(2969, 2099, 2);
    EXPECT_EQ(raster().get(852, 602), 7);
    EXPECT_EQ(count_of(raster(), 7), 2);
    korfin();

    // Scaling mode DOWN with a factor: limited to factor x (w - 1) / 2969.
    sclfac(0.5);
    korini();
    EXPECT_DOUBLE_EQ(state().device_scale, 0.5 * 852.0 / 2969.0);
    korfin();
    sclmod("FULL");
    sclfac(0.5);
    sclmod("FULL");
    korini();
    EXPECT_DOUBLE_EQ(state().device_scale, expected);
    korfin();
}

TEST_F(VirtualDeviceTest, TurnedPageMapsYAcrossAndWidthMinusXDown)
{
    metafl("VIRT");
    pagmod("PORT");
    korini();
    const double s = std::min(852.0 / 2099.0, 602.0 / 2969.0);
    EXPECT_DOUBLE_EQ(state().device_scale, s);
    setclr(9);
    plot_vector(0, 0, 3);
    plot_vector(0, 0, 2);
    plot_vector(2969, 1000, 3);
    plot_vector(2969, 1000, 2);
    EXPECT_EQ(raster().get(0, static_cast<int>(std::lround(s * 2969))), 9);
    EXPECT_EQ(raster().get(static_cast<int>(std::lround(s * 1000)), 0), 9);
    EXPECT_EQ(count_of(raster(), 9), 2);
    korfin();
}

TEST_F(VirtualDeviceTest, LinesFillsColoursEraseAndNewPage)
{
    metafl("VIRT");
    window(0, 0, 100, 100);
    page(100, 100);
    sclmod("FULL");
    korini();
    EXPECT_DOUBLE_EQ(state().device_scale, 1.0);
    // The foreground colour of the default table is selected at KORINI.
    EXPECT_EQ(state().current_colour, 255);
    pagera();
    EXPECT_EQ(count_of(raster(), 255), 4 * 99);
    setclr(12);
    plot_vector(10, 20, 3);
    plot_vector(15, 22, 2);
    for (auto [x, y] : reference_line(10, 20, 15, 22))
        EXPECT_EQ(raster().get(x, y), 12);
    // A draw continues from the last point.
    plot_vector(15, 30, 2);
    EXPECT_EQ(raster().get(15, 26), 12);

    // A filled rectangle is drawn as the library fills on paper: one line on
    // each whole unit from the top edge to above the bottom edge (y 40 to 44),
    // each from the left to the right edge.
    state().device->fill_rect(40, 40, 10, 5, 33);
    EXPECT_EQ(count_of(raster(), 33), 11 * 5);
    EXPECT_EQ(raster().get(50, 44), 33);
    EXPECT_EQ(raster().get(50, 45), 0);
    EXPECT_EQ(state().current_colour, 12);  // a fill leaves the colour

    newpag();
    EXPECT_EQ(count_of(raster(), 33), 55);
    erase();
    EXPECT_EQ(count_of(raster(), 0), 100 * 100);
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(VirtualDeviceTest, EraseClearsTheWholeRasterBesideTheSmallerPage)
{
    metafl("VIRT");
    winsiz(300, 300);
    korini();  // the landscape page fills only the upper part
    Raster& r = *plot_raster();
    r.fill(0, 0, 299, 299, 5);
    erase();
    EXPECT_EQ(count_of(r, 0), 300 * 300);
    korfin();
}

TEST_F(VirtualDeviceTest, PointsThatAreNoNumbersAreSkipped)
{
    metafl("VIRT");
    korini();
    plot_vector(NAN, 10, 3);
    plot_vector(10, NAN, 2);
    state().device->fill_rect(NAN, 0, 10, 10, 3);
    EXPECT_EQ(count_of(raster(), 0), 853 * 603);
    korfin();
}

}  // namespace
}  // namespace korvan::test
