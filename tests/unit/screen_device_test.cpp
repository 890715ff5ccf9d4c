// The screen device of the kernel: plots on XWIN, XWI1-XWI5, CONS and MET1-9
// drawn through the window driver on a virtual screen without a display.
#include <png.h>

#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>

#include "plat/graphics.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/screen_device.hpp"
#include "plot/win/screen.hpp"
#include "tests/unit/kernel_test_support.hpp"

namespace korvan::test {
namespace {

using win::Point;

// Kernel tests on a virtual screen of 1024 x 768 (depth from the test).
class ScreenDeviceTest : public KernelTest {
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        ::setenv("KORVAN_DISPLAY", "none", 1);
        ::setenv("KORVAN_SCREEN", "1024x768", 1);
        ::unsetenv("KORVAN_SCREEN_BPP");
        use_screen();
    }
    void TearDown() override
    {
        KernelTest::TearDown();
        ::unsetenv("KORVAN_SCREEN");
        ::unsetenv("KORVAN_SCREEN_BPP");
    }
    // A fresh virtual screen from the environment.
    void use_screen(const char* depth = nullptr)
    {
        if (depth != nullptr)
            ::setenv("KORVAN_SCREEN_BPP", depth, 1);
        win::reset_screen();
        plat::set_graphics(plat::make_offscreen_graphics(plat::screen_from_environment()));
    }

    static const win::Bitmap& bitmap(int n)
    {
        static const win::Bitmap none;
        const win::Bitmap* b = win::screen().bitmap(n);
        EXPECT_NE(b, nullptr) << "window " << n;
        return b != nullptr ? *b : none;
    }
    static int stored(int n, int x, int y)
    {
        const win::Bitmap& b = bitmap(n);
        bool inside = x >= 0 && y >= 0 && x < b.width && y < b.height;
        return inside ? b.plane[static_cast<std::size_t>(y) * b.width + x] : -1;
    }
    static std::uint32_t shown(int n, int x, int y) { return rgb_at(bitmap(n).picture.rgb, bitmap(n).width, x, y); }
    static std::uint32_t rgb_at(const std::vector<std::uint8_t>& rgb, int width, int x, int y)
    {
        std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
        return (std::uint32_t{rgb[at]} << 16) | (std::uint32_t{rgb[at + 1]} << 8) | rgb[at + 2];
    }
    // The stored value of colour index on a true-colour screen.
    static int true_colour(int index) { return win::pixel_store(3, win::TableKind::full, 0, false, index); }
    static int pixel(double v) { return static_cast<int>(std::lround(v)); }
    static int count_stored(int n, int value)
    {
        int count = 0;
        for (std::uint8_t v : bitmap(n).plane)
            count += v == value;
        return count;
    }
};

// A screen whose user answers every wait with right-button releases in the
// current window (at most three a wait), and that counts the waits.
class ClickingGraphics final : public plat::Graphics {
public:
    struct Window final : plat::ScreenWindow {
        std::string name;
        void set_title(std::string_view t) override { name = t; }
        const std::string& title() const override { return name; }
        void refresh() override {}
    };
    int* waits;
    plat::WindowEvents* events = nullptr;

    explicit ClickingGraphics(int* wait_count) : waits(wait_count) {}
    plat::ScreenInfo screen() const override
    {
        return plat::ScreenInfo{.width = 1024, .height = 768};
    }
    bool headless() const override { return false; }
    std::unique_ptr<plat::ScreenWindow> open_window(const plat::WindowPlacement&, std::string_view title,
                                                    const plat::Picture*, plat::WindowEvents* e) override
    {
        events = e;
        auto w = std::make_unique<Window>();
        w->name = title;
        return w;
    }
    void wait_until(const std::function<bool()>& done) override
    {
        ++*waits;
        for (int i = 0; i < 3 && !done(); ++i)
            events->right_button_released(win::current_window());
    }
    void poll() override {}
};

std::string version_line(const std::string& name) { return " Window picture: " + name + "\n"; }

// --- Opening, scale and drawing ------------------------------------------------------

TEST_F(ScreenDeviceTest, KoriniOnXwinDrawsInRoundedPixelsThroughTheDriver)
{
    metafl("XWIN");
    korini();
    EXPECT_EQ(take_output(), "");
    ASSERT_TRUE(win::window_is_open(1));
    EXPECT_EQ(win::screen().title(1), "KORVAN 1 / Working");
    // A landscape page on 1024 x 768: drawing area 682 x 482.
    EXPECT_EQ(bitmap(1).width, 682);
    EXPECT_EQ(bitmap(1).height, 482);
    const PlotState& s = state();
    EXPECT_DOUBLE_EQ(s.device_scale, 481.0 / 2099.0);

    win::screen().record_polylines(true);
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    plot_vector(2969, 0, 2);
    plot_vector(1000, 1000, 3);  // a move alone draws nothing
    plot_vector(1001.9, 1000.1, 3);
    plot_vector(1003, 1002, 2);
    sendbf();
    const auto& lines = win::screen().recorded_polylines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (std::vector<Point>{{0, 0}, {680, 481}, {680, 0}}));
    EXPECT_EQ(lines[1], (std::vector<Point>{{230, 229}, {230, 230}}));
    // The rainbow's foreground on black, then colour 40.
    EXPECT_EQ(shown(1, 680, 200), s.colour_table[255]);
    EXPECT_EQ(shown(1, 600, 20), 0u);
    setclr(40);
    plot_vector(100, 1500, 3);
    plot_vector(2000, 1500, 2);
    sendbf();
    EXPECT_EQ(shown(1, 300, pixel(1500 * s.device_scale)), s.colour_table[40]);
    korfin();
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_win1.png") + "\n <<<"));
}

TEST_F(ScreenDeviceTest, DeviceCodesChooseTheirWindows)
{
    struct Case {
        const char* keyword;
        int window;
        int width;
        int height;
    };
    // The console form spans the screen less its frames.
    const Case cases[] = {{"XWI1", 1, 682, 482}, {"XWI2", 2, 682, 482}, {"XWI3", 3, 682, 482},
                          {"XWI4", 4, 682, 482}, {"XWI5", 5, 682, 482}, {"CONS", 1, 1016, 718},
                          {"XWND", 1, 1016, 718}, {"MET7", 1, 1016, 718}};
    winmod("NONE");
    take_output();
    for (const Case& c : cases) {
        metafl(c.keyword);
        korini();
        EXPECT_EQ(winid(), c.window) << c.keyword;
        EXPECT_EQ(win::current_window(), c.window) << c.keyword;
        EXPECT_EQ(bitmap(c.window).width, c.width) << c.keyword;
        EXPECT_EQ(bitmap(c.window).height, c.height) << c.keyword;
        korfin();
        EXPECT_NE(take_output().find(std::string("Fileformat: ") + keyword4(c.keyword)), std::string::npos);
    }
}

TEST_F(ScreenDeviceTest, DeviceScaleFollowsPageScalingAndWindowSettings)
{
    const PlotState& s = state();
    metafl("XWIN");
    setpag("DA4P");  // 362 x 512
    korini();
    EXPECT_EQ(bitmap(1).width, 362);
    EXPECT_EQ(bitmap(1).height, 512);
    EXPECT_DOUBLE_EQ(s.device_scale, 361.0 / 2099.0);
    korfin();
    setpag("DA4L");
    sclfac(0.5);  // DOWN: at most half the factor of a page filling the window
    korini();
    EXPECT_DOUBLE_EQ(s.device_scale, 0.5 * 681.0 / 2969.0);
    korfin();
    sclmod("FULL");
    korini();
    EXPECT_DOUBLE_EQ(s.device_scale, 481.0 / 2099.0);
    korfin();
    sclfac(4);  // a larger factor does not enlarge beyond the fit
    korini();
    EXPECT_DOUBLE_EQ(s.device_scale, 481.0 / 2099.0);
    korfin();

    // PORT turns the page: x from y, y from the page width less x.
    pagmod("PORT");
    korini();
    const double turned = 481.0 / 2969.0;
    EXPECT_DOUBLE_EQ(s.device_scale, turned);
    win::screen().record_polylines(true);
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    plot_vector(1000, 0, 2);
    sendbf();
    EXPECT_EQ(win::screen().recorded_polylines().at(0),
              (std::vector<Point>{{0, 481}, {pixel(2099 * turned), 0}, {0, pixel(1969 * turned)}}));
    int x = -1, y = -1, w = -1, h = -1;
    getwin(x, y, w, h);  // the computed place: lower right
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{1024 - 682 - 4, 768 - 482 - 4, 682, 482}));
    korfin();
    pagmod("LAND");

    winsiz(400, 300);
    korini();
    EXPECT_EQ(bitmap(1).width, 400);
    EXPECT_DOUBLE_EQ(s.device_scale, 399.0 / 2969.0);
    korfin();
    window(10, 30, 500, 200);
    take_output();
    getwin(x, y, w, h);  // before a plot: the settings, after the level warning
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in getwin!   (   0)\n");
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{10, 30, 500, 200}));
    korini();
    EXPECT_DOUBLE_EQ(s.device_scale, 199.0 / 2099.0);
    opnwin(3);  // further windows take the same settings
    getwin(x, y, w, h);
    EXPECT_EQ((std::vector<int>{x, y, w, h}), (std::vector<int>{10, 30, 500, 200}));
    korfin();
    EXPECT_EQ(take_output().find("<<<< Warning"), std::string::npos);
}

TEST_F(ScreenDeviceTest, FillsEraseAndPointsThatAreNoNumbers)
{
    metafl("XWIN");
    winsiz(800, 300);  // the page fills only the left part of the window
    korini();
    const PlotState& s = state();
    const double scale = s.device_scale;
    ASSERT_DOUBLE_EQ(scale, 299.0 / 2099.0);
    s.device->fill_rect(100, 200, 500, 300, 30);  // corners inclusive
    const int x0 = pixel(100 * scale), x1 = pixel(600 * scale), y0 = pixel(200 * scale), y1 = pixel(500 * scale);
    EXPECT_EQ(stored(1, x0, y0), true_colour(30));
    EXPECT_EQ(stored(1, x1, y1), true_colour(30));
    EXPECT_EQ(count_stored(1, true_colour(30)), (x1 - x0 + 1) * (y1 - y0 + 1));
    EXPECT_EQ(shown(1, x0, y0), s.colour_table[30]);

    // Beside the page: drawn, and ERASE clears the whole window; the pen keeps its colour.
    setclr(99);
    plot_vector(5500, 100, 3);
    plot_vector(5500, 1000, 2);
    sendbf();
    EXPECT_EQ(stored(1, pixel(5500 * scale), 50), true_colour(99));
    erase();
    EXPECT_EQ(count_stored(1, true_colour(0)), 800 * 300);

    win::screen().record_polylines(true);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    plot_vector(10, 10, 3);
    plot_vector(nan, 500, 2);  // not sent: the line goes on from (10, 10)
    plot_vector(500, nan, 2);
    plot_vector(1000, 10, 2);
    plot_vector(inf, -inf, 2);
    plot_vector(1e300, 1e300, 2);
    s.device->fill_rect(nan, 0, 10, 10, 3);
    s.device->fill_rect(-1e300, -1e300, 1e300, 2e300, 3);
    s.device->fill_rect(0, 0, -inf, inf, 3);
    sendbf();
    const auto& lines = win::screen().recorded_polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (std::vector<Point>{{1, 1}, {142, 1}, {1000000000, -1000000000}, {1000000000, 1000000000}}));
    EXPECT_EQ(stored(1, 50, 1), true_colour(99));
    EXPECT_EQ(stored(1, 0, 299), true_colour(3));  // the fills far off reach column 0
    EXPECT_EQ(stored(1, 1, 299), true_colour(0));
    korfin();
}

// --- Colours and palettes ----------------------------------------------------------

TEST_F(ScreenDeviceTest, EightBitPaletteFoldsPenIndicesThroughTheKernel)
{
    use_screen("8");
    metafl("XWIN");
    korini();
    win::Screen& screen = win::screen();
    const PlotState& s = state();
    ASSERT_EQ(screen.palette_mode(), 1);
    EXPECT_EQ(screen.table_kind(), win::TableKind::full);
    EXPECT_EQ(screen.pen_stored(), 128 + 10);  // foreground 255: (255 + 1) / 2
    setclr(0);
    EXPECT_EQ(screen.pen_stored(), 10);
    // A line in colour 200 is palette entry 100, which shows colour 199;
    // a new colour 199 shows at once.
    setclr(200);
    EXPECT_EQ(screen.pen_stored(), 100 + 10);
    EXPECT_EQ(screen.shown_rgb(110), s.colour_table[199]);
    plot_vector(0, 1000, 3);
    plot_vector(2000, 1000, 2);
    sendbf();
    const int y = pixel(1000 * s.device_scale);
    EXPECT_EQ(stored(1, 100, y), 110);
    setind(199, 0.0, 1.0, 0.0);
    EXPECT_EQ(shown(1, 100, y), 0x00FF00u);

    setvlt("SMAL");
    EXPECT_EQ(screen.table_kind(), win::TableKind::small);
    setclr(9);
    EXPECT_EQ(screen.pen_stored(), 1 + 10);
    setclr(8);
    EXPECT_EQ(screen.pen_stored(), 8 + 10);
    setvlt("VGA");
    EXPECT_EQ(screen.table_kind(), win::TableKind::vga);
    setclr(17);
    EXPECT_EQ(screen.pen_stored(), 1 + 10);
    korfin();

    // CLRMOD is handed over when the window opens.
    clrmod("FULL");
    korini();
    setclr(200);
    EXPECT_EQ(screen.reduction(), 1);
    EXPECT_EQ(screen.pen_stored(), 210);
    korfin();
    clrmod("cont");
    korini();
    setclr(200);
    EXPECT_EQ(screen.pen_stored(), 72 + 10);
    korfin();
    EXPECT_EQ(take_output().find("<<<< Warning"), std::string::npos);
}

TEST_F(ScreenDeviceTest, FourBitPaletteFoldsPenIndicesThroughTheKernel)
{
    use_screen("4");
    metafl("XWIN");
    korini();
    win::Screen& screen = win::screen();
    ASSERT_EQ(screen.palette_mode(), 2);
    EXPECT_EQ(screen.pen_stored(), 15);
    for (auto [index, entry] : {std::pair{0, 0}, {1, 1}, {128, 8}, {254, 14}}) {
        setclr(index);
        EXPECT_EQ(screen.pen_stored(), entry) << index;
    }
    // Entry 15 shows colour 255: a new colour 255 reloads the palette, and so does REVSCR.
    setind(255, 1.0, 0.0, 0.0);
    EXPECT_EQ(screen.shown_rgb(15), 0xFF0000u);
    revscr();
    EXPECT_EQ(screen.shown_rgb(0), 0xFF0000u);
    korfin();

    clrmod("FULL");
    korini();
    setclr(200);
    EXPECT_EQ(screen.pen_stored(), 200 % 16);
    korfin();
}

TEST_F(ScreenDeviceTest, TrueColourPenTakesTheNewColourOfItsIndex)
{
    metafl("XWIN");
    korini();
    setclr(50);
    plot_vector(0, 100, 3);
    plot_vector(2000, 100, 2);
    setind(50, 1.0, 1.0, 0.0);  // lines drawn before keep their colour
    plot_vector(0, 1000, 3);
    plot_vector(2000, 1000, 2);
    sendbf();
    const double scale = state().device_scale;
    EXPECT_EQ(shown(1, 100, pixel(100 * scale)), rainbow_colours()[50]);
    EXPECT_EQ(shown(1, 100, pixel(1000 * scale)), 0xFFFF00u);
    korfin();

    scrmod("REVERSE");  // white background, black foreground
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 0, 2);
    sendbf();
    EXPECT_EQ(shown(1, 5, 5), 0xFFFFFFu);
    EXPECT_EQ(shown(1, 100, 0), 0x000000u);
    korfin();
}

TEST_F(ScreenDeviceTest, ClrmodKeywordsAndLevel)
{
    clrmod("CONTINUOUS");
    EXPECT_EQ(state().colour_reduction, 2);
    clrmod("none");
    clrmod("half");
    EXPECT_EQ(state().colour_reduction, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in clrmod!   (half)\n");
    metafl("XWIN");
    korini();
    clrmod("FULL");
    EXPECT_EQ(state().colour_reduction, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in clrmod!   (   1)\n");
    korfin();
}

// --- Windows -------------------------------------------------------------------------

TEST_F(ScreenDeviceTest, OpnwinOpensAFurtherWindowOnceAndDrawsIntoIt)
{
    metafl("XWIN");
    korini();
    setclr(5);
    plot_vector(0, 0, 3);
    plot_vector(1000, 0, 2);  // pending in window 1 until OPNWIN
    opnwin(3);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(winid(), 3);
    EXPECT_EQ(win::screen().title(1), "KORVAN 1");
    EXPECT_EQ(win::screen().title(3), "KORVAN 3 / Working");
    EXPECT_EQ(stored(1, 100, 0), true_colour(5));
    // The colour is set again in the new window.
    plot_vector(0, 100, 3);
    plot_vector(1000, 100, 2);
    sendbf();
    const int in_window3 = count_stored(3, true_colour(5));
    EXPECT_EQ(in_window3, pixel(1000 * state().device_scale) + 1);

    // Opening it again is refused and keeps the drawing.
    opnwin(3);
    EXPECT_EQ(take_output(), " <<<< Warning 101: Window 3 is already open in opnwin!\n");
    EXPECT_EQ(count_stored(3, true_colour(5)), in_window3);
    korfin();
    // Each window leaves its picture; FULL releases every window.
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_win1.png") + version_line("korvan_win3.png")));
    EXPECT_FALSE(win::window_is_open(3));
}

TEST_F(ScreenDeviceTest, WindowThreeOpenedAgainIsReplaced)
{
    winmod("NONE");
    take_output();
    metafl("XWI3");
    const int foreground = true_colour(255);
    for (int plot = 0; plot < 2; ++plot) {
        korini();  // the second plot's window 3 replaces the one left open
        EXPECT_EQ(count_stored(3, foreground), 0) << plot;
        EXPECT_EQ(win::screen().title(3), "KORVAN 3 / Working");
        plot_vector(0, 0, 3);
        plot_vector(2969, 2099, 2);
        korfin();
        ASSERT_TRUE(win::window_is_open(3));
        EXPECT_GT(count_stored(3, foreground), 600);
    }
    // OPNWIN of a window left open by an earlier plot replaces it too.
    metafl("XWIN");
    korini();
    opnwin(3);
    EXPECT_EQ(count_stored(3, foreground), 0);
    EXPECT_EQ(winid(), 3);
    korfin();
    EXPECT_EQ(take_output().find("<<<< Warning"), std::string::npos);
}

TEST_F(ScreenDeviceTest, SelwinClswinAndTitles)
{
    metafl("XWIN");
    korini();
    opnwin(2);
    wintit("Second window");
    selwin(1);
    EXPECT_EQ(winid(), 1);
    EXPECT_EQ(win::screen().title(2), "Second window");  // user titles stay
    EXPECT_EQ(win::screen().title(1), "KORVAN 1 / Working");
    wintit(std::string(70, 'T'));
    EXPECT_EQ(win::screen().title(1), std::string(60, 'T'));
    selwin(2);
    EXPECT_EQ(win::screen().title(1), std::string(60, 'T'));
    setclr(77);
    plot_vector(0, 50, 3);
    plot_vector(2000, 50, 2);
    selwin(1);  // flushes the line into window 2
    EXPECT_GT(count_stored(2, true_colour(77)), 300);
    EXPECT_EQ(count_stored(1, true_colour(77)), 0);
    EXPECT_EQ(take_output(), "");

    opnwin(4);
    clswin(4);  // the plot's own window becomes current
    EXPECT_FALSE(win::window_is_open(4));
    EXPECT_EQ(winid(), 1);
    plot_vector(0, 50, 3);
    plot_vector(2000, 50, 2);
    sendbf();
    EXPECT_GT(count_stored(1, true_colour(77)), 300);
    clswin(2);
    selwin(2);
    clswin(2);
    selwin(6);
    clswin(1);
    EXPECT_EQ(take_output(), " <<<< Warning 103: Window 2 is not open in selwin!\n"
                             " <<<< Warning 103: Window 2 is not open in clswin!\n"
                             " <<<< Warning 103: Window 6 is not open in selwin!\n"
                             " <<<< Warning 102: Window 1 cannot be closed in clswin!\n");
    korfin();
}

TEST_F(ScreenDeviceTest, FurtherWindowsOfTheConsoleFormDrawThePageAtTheirOwnScale)
{
    metafl("CONS");
    korini();
    const double console_scale = state().device_scale;
    EXPECT_DOUBLE_EQ(console_scale, 717.0 / 2099.0);
    opnwin(2);
    EXPECT_DOUBLE_EQ(state().device_scale, 481.0 / 2099.0);
    win::screen().record_polylines(true);
    plot_vector(2969, 2099, 3);
    plot_vector(2969, 2099, 2);
    sendbf();
    EXPECT_EQ(win::screen().recorded_polylines().back(), (std::vector<Point>{{680, 481}}));
    selwin(1);
    EXPECT_DOUBLE_EQ(state().device_scale, console_scale);
    opnwin(5);
    clswin(5);
    EXPECT_DOUBLE_EQ(state().device_scale, console_scale);
    korfin();
}

// --- Waits and headless pictures -------------------------------------------------------

TEST_F(ScreenDeviceTest, WindowModesAndTheNextPageWait)
{
    int waits = 0;
    win::reset_screen();
    plat::set_graphics(std::make_unique<ClickingGraphics>(&waits));
    metafl("XWIN");
    winmod("NONE");
    take_output();
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);  // pending until NEWPAG
    newpag();  // waits, then clears the page
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(count_stored(1, true_colour(255)), 0);
    EXPECT_EQ(win::screen().title(1), "KORVAN 1");
    korfin();
    EXPECT_EQ(waits, 1);  // NONE ends without waiting; the window stays
    EXPECT_TRUE(win::window_is_open(1));
    EXPECT_EQ(win::screen().title(1), "KORVAN 1");
    EXPECT_EQ(take_output().find("Window picture"), std::string::npos);

    winmod("FULL");
    korini();
    korfin();
    EXPECT_EQ(waits, 2);  // the right button ended the wait and released the window
    EXPECT_FALSE(win::window_is_open(1));

    winmod("NOER");
    korini();
    wintit("Kept");
    korfin();
    EXPECT_EQ(waits, 3);
    EXPECT_TRUE(win::window_is_open(1));
    EXPECT_EQ(win::screen().title(1), "Kept");
}

bool load_png(const std::string& name, int& width, int& height, std::vector<std::uint8_t>& rgb)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, name.c_str()) == 0)
        return false;
    image.format = PNG_FORMAT_RGB;
    width = static_cast<int>(image.width);
    height = static_cast<int>(image.height);
    rgb.assign(PNG_IMAGE_SIZE(image), 0);
    bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

TEST_F(ScreenDeviceTest, HeadlessPagesLeavePicturesVersionedLikePlotFiles)
{
    write_file("korvan_1.png", "older");
    metafl("XWI2");
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    newpag();
    EXPECT_EQ(take_output(), version_line("korvan_win2.png"));
    EXPECT_EQ(count_stored(2, true_colour(255)), 0);  // cleared after the picture
    korfin();
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_2.png") + "\n <<"));
    EXPECT_EQ(read_file("korvan_1.png"), "older");
    // FILMOD DELETE replaces the picture of the same name.
    filmod("DELETE");
    korini();
    korfin();
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_win2.png") + "\n <<"));
    EXPECT_FALSE(exists("korvan_3.png"));
}

TEST_F(ScreenDeviceTest, PngWrittenAtKorfinIsTheBitmapPixelForPixel)
{
    metafl("XWIN");
    winmod("NOER");  // the window stays to compare with
    take_output();
    korini();
    pagera();
    setclr(60);
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    state().device->fill_rect(100, 1600, 600, 300, 120);
    korfin();
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_win1.png") + "\n <<<"));
    int width = 0, height = 0;
    std::vector<std::uint8_t> png;
    ASSERT_TRUE(load_png("korvan_win1.png", width, height, png));
    ASSERT_EQ(width, bitmap(1).width);
    ASSERT_EQ(height, bitmap(1).height);
    EXPECT_TRUE(png == bitmap(1).picture.rgb);
    // The page border in the foreground, the diagonal in colour 60, the rectangle in 120.
    const ColourTable& rainbow = rainbow_colours();
    for (auto [x, y] : {std::pair{300, 0}, {0, 300}, {300, 481}, {680, 300}})
        EXPECT_EQ(rgb_at(png, width, x, y), rainbow[255]) << x << " " << y;
    const int y = pixel(300 * 481.0 / 680.0);
    EXPECT_TRUE(rgb_at(png, width, 300, y) == rainbow[60] || rgb_at(png, width, 300, y - 1) == rainbow[60] ||
                rgb_at(png, width, 300, y + 1) == rainbow[60]);
    EXPECT_EQ(rgb_at(png, width, 500, 100), 0u);
    EXPECT_EQ(rgb_at(png, width, 100, 400), rainbow[120]);
}

}  // namespace
}  // namespace korvan::test
