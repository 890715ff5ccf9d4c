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
        const win::Bitmap* b = win::screen().bitmap(n);
        EXPECT_NE(b, nullptr) << "window " << n;
        static const win::Bitmap none;
        return b != nullptr ? *b : none;
    }
    static int stored(int n, int x, int y)
    {
        const win::Bitmap& b = bitmap(n);
        if (x < 0 || y < 0 || x >= b.width || y >= b.height)
            return -1;
        return b.plane[static_cast<std::size_t>(y) * b.width + x];
    }
    static std::uint32_t shown(int n, int x, int y)
    {
        const win::Bitmap& b = bitmap(n);
        std::size_t at = (static_cast<std::size_t>(y) * b.picture.width + x) * 3;
        return (std::uint32_t{b.picture.rgb[at]} << 16) | (std::uint32_t{b.picture.rgb[at + 1]} << 8) |
               b.picture.rgb[at + 2];
    }
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
        plat::ScreenInfo info;
        info.width = 1024;
        info.height = 768;
        return info;
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

// --- Opening and drawing ---------------------------------------------------------

TEST_F(ScreenDeviceTest, KoriniOnXwinOpensWindowOneAndDrawsInRoundedPixels)
{
    metafl("XWIN");
    korini();
    EXPECT_EQ(take_output(), "");
    ASSERT_TRUE(win::window_is_open(1));
    EXPECT_EQ(win::current_window(), 1);
    EXPECT_EQ(win::screen().title(1), "KORVAN 1 / Working");
    EXPECT_EQ(bitmap(1).width, 682);
    EXPECT_EQ(bitmap(1).height, 482);

    win::screen().record_polylines(true);
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    plot_vector(2969, 0, 2);
    plot_vector(1000, 1000, 3);  // a move alone draws nothing
    plot_vector(1001.9, 1000.1, 3);
    plot_vector(1003, 1002, 2);  // 229.6.. -> 230, 229.16.. -> 229
    sendbf();
    const auto& lines = win::screen().recorded_polylines();
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (std::vector<Point>{{0, 0}, {680, 481}, {680, 0}}));
    EXPECT_EQ(lines[1], (std::vector<Point>{{230, 229}, {230, 230}}));
    // In the foreground of the rainbow table, on black.
    const PlotState& s = state();
    EXPECT_EQ(shown(1, 680, 200), s.colour_table[255]);
    EXPECT_EQ(shown(1, 0, 0), s.colour_table[255]);
    EXPECT_EQ(shown(1, 600, 20), 0u);
    EXPECT_EQ(s.vector_count, 6);

    setclr(40);
    plot_vector(100, 1500, 3);
    plot_vector(2000, 1500, 2);
    sendbf();
    int y = static_cast<int>(std::lround(1500 * s.device_scale));
    EXPECT_EQ(shown(1, 300, y), s.colour_table[40]);
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

TEST_F(ScreenDeviceTest, DeviceScaleFitsThePageIntoTheDrawingArea)
{
    PlotState& s = state();
    metafl("XWIN");
    korini();
    // A landscape page on 1024 x 768: drawing area 682 x 482.
    EXPECT_DOUBLE_EQ(s.device_scale, 481.0 / 2099.0);
    korfin();

    setpag("DA4P");  // 362 x 512
    korini();
    EXPECT_EQ(bitmap(1).width, 362);
    EXPECT_EQ(bitmap(1).height, 512);
    EXPECT_DOUBLE_EQ(s.device_scale, 361.0 / 2099.0);
    korfin();

    setpag("DA4L");
    sclfac(0.5);  // scaling mode DOWN limits to half the nominal factor
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

    winsiz(400, 300);
    korini();
    EXPECT_EQ(bitmap(1).width, 400);
    EXPECT_DOUBLE_EQ(s.device_scale, 399.0 / 2969.0);
    korfin();
    EXPECT_EQ(take_output().find("<<<< Warning"), std::string::npos);
}

TEST_F(ScreenDeviceTest, PageModePortraitTurnsThePage)
{
    metafl("XWIN");
    pagmod("PORT");
    korini();
    const double scale = 481.0 / 2969.0;
    EXPECT_DOUBLE_EQ(state().device_scale, scale);
    win::screen().record_polylines(true);
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    plot_vector(1000, 0, 2);
    sendbf();
    const auto& lines = win::screen().recorded_polylines();
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0], (std::vector<Point>{{0, 481}, {static_cast<int>(std::lround(2099 * scale)), 0},
                                            {0, static_cast<int>(std::lround(1969 * scale))}}));
    korfin();
}

TEST_F(ScreenDeviceTest, WindowAndGetwinPlacement)
{
    int x = -1, y = -1, w = -1, h = -1;
    metafl("XWIN");
    korini();
    getwin(x, y, w, h);  // computed: lower right corner
    EXPECT_EQ(x, 1024 - 682 - 4);
    EXPECT_EQ(y, 768 - 482 - 4);
    EXPECT_EQ(w, 682);
    EXPECT_EQ(h, 482);
    korfin();
    take_output();

    window(10, 30, 500, 200);
    getwin(x, y, w, h);  // before a plot: the settings
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in getwin!   (   0)\n");
    EXPECT_EQ(x, 10);
    EXPECT_EQ(w, 500);
    korini();
    getwin(x, y, w, h);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 30);
    EXPECT_EQ(w, 500);
    EXPECT_EQ(h, 200);
    EXPECT_EQ(bitmap(1).width, 500);
    EXPECT_DOUBLE_EQ(state().device_scale, 199.0 / 2099.0);
    opnwin(3);  // the same settings
    getwin(x, y, w, h);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(h, 200);
    korfin();
}

TEST_F(ScreenDeviceTest, FilledRectanglesAndErase)
{
    metafl("XWIN");
    winsiz(800, 300);  // the page fills only the left part of the window
    korini();
    const PlotState& s = state();
    const double scale = s.device_scale;
    ASSERT_DOUBLE_EQ(scale, 299.0 / 2099.0);
    s.device->fill_rect(100, 200, 500, 300, 30);  // corners inclusive
    const int x0 = static_cast<int>(std::lround(100 * scale)), x1 = static_cast<int>(std::lround(600 * scale));
    const int y0 = static_cast<int>(std::lround(200 * scale)), y1 = static_cast<int>(std::lround(500 * scale));
    const int colour30 = win::pixel_store(3, win::TableKind::full, 0, false, 30);
    EXPECT_EQ(stored(1, x0, y0), colour30);
    EXPECT_EQ(stored(1, x1, y1), colour30);
    EXPECT_NE(stored(1, x1 + 1, y1), colour30);
    EXPECT_NE(stored(1, x0, y0 - 1), colour30);
    EXPECT_EQ(count_stored(1, colour30), (x1 - x0 + 1) * (y1 - y0 + 1));
    EXPECT_EQ(shown(1, x0, y0), s.colour_table[30]);

    // Beside the page: drawn, and ERASE clears the whole window.
    setclr(99);
    plot_vector(5500, 100, 3);
    plot_vector(5500, 1000, 2);
    sendbf();
    const int colour99 = win::pixel_store(3, win::TableKind::full, 0, false, 99);
    EXPECT_EQ(stored(1, static_cast<int>(std::lround(5500 * scale)), 50), colour99);
    erase();
    const int background = win::pixel_store(3, win::TableKind::full, 0, false, 0);
    EXPECT_EQ(count_stored(1, background), 800 * 300);
    // The pen keeps its colour.
    plot_vector(0, 0, 3);
    plot_vector(100, 0, 2);
    sendbf();
    EXPECT_EQ(stored(1, 5, 0), colour99);
    EXPECT_EQ(getclr(), 99);
    korfin();
}

TEST_F(ScreenDeviceTest, PointsThatAreNoNumbersOrFarAwayNeverCrash)
{
    metafl("XWIN");
    korini();
    win::screen().record_polylines(true);
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    plot_vector(10, 10, 3);
    plot_vector(nan, 500, 2);  // not sent: the line goes on from (10, 10)
    plot_vector(500, nan, 2);
    plot_vector(1000, 10, 2);
    plot_vector(inf, -inf, 2);
    plot_vector(1e300, 1e300, 2);
    PlotState& s = state();
    s.device->fill_rect(nan, 0, 10, 10, 3);
    s.device->fill_rect(-1e300, -1e300, 1e300, 2e300, 3);
    s.device->fill_rect(0, 0, -inf, inf, 3);
    sendbf();
    const auto& lines = win::screen().recorded_polylines();
    ASSERT_EQ(lines.size(), 1u);
    ASSERT_EQ(lines[0].size(), 4u);
    EXPECT_EQ(lines[0][0], (Point{2, 2}));
    EXPECT_EQ(lines[0][1], (Point{229, 2}));
    EXPECT_EQ(lines[0][2], (Point{1000000000, -1000000000}));
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
    setclr(200);
    EXPECT_EQ(screen.pen_stored(), 100 + 10);
    // Palette entry 100 shows colour 199 of the table.
    EXPECT_EQ(screen.shown_rgb(110), s.colour_table[199]);
    setclr(0);
    EXPECT_EQ(screen.pen_stored(), 10);

    // A line in colour 200, then a new colour 199: the palette screen shows it at once.
    setclr(200);
    plot_vector(0, 1000, 3);
    plot_vector(2000, 1000, 2);
    sendbf();
    const int y = static_cast<int>(std::lround(1000 * s.device_scale));
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
    setclr(0);
    EXPECT_EQ(screen.pen_stored(), 0);
    setclr(128);  // 1..254 spread over 1..14
    EXPECT_EQ(screen.pen_stored(), 8);
    setclr(1);
    EXPECT_EQ(screen.pen_stored(), 1);
    setclr(254);
    EXPECT_EQ(screen.pen_stored(), 14);
    // Entry 15 shows colour 255: a new colour 255 reloads the palette.
    setind(255, 1.0, 0.0, 0.0);
    EXPECT_EQ(screen.shown_rgb(15), 0xFF0000u);
    revscr();  // colour 0 and the foreground change places
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
    EXPECT_EQ(shown(1, 100, static_cast<int>(std::lround(100 * scale))), rainbow_colours()[50]);
    EXPECT_EQ(shown(1, 100, static_cast<int>(std::lround(1000 * scale))), 0xFFFF00u);
    korfin();
}

TEST_F(ScreenDeviceTest, ReverseScreenStartsOnWhite)
{
    metafl("XWIN");
    scrmod("REVERSE");
    korini();
    EXPECT_EQ(shown(1, 5, 5), 0xFFFFFFu);
    plot_vector(0, 0, 3);
    plot_vector(2969, 0, 2);
    sendbf();
    EXPECT_EQ(shown(1, 100, 0), 0x000000u);  // foreground 255 is black now
    korfin();
}

TEST_F(ScreenDeviceTest, ClrmodKeywordsAndLevel)
{
    clrmod("full");
    EXPECT_EQ(state().colour_reduction, 1);
    clrmod("CONTINUOUS");
    EXPECT_EQ(state().colour_reduction, 2);
    clrmod("none");
    EXPECT_EQ(state().colour_reduction, 0);
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
    EXPECT_TRUE(win::window_is_open(3));
    EXPECT_EQ(winid(), 3);
    EXPECT_EQ(win::screen().title(1), "KORVAN 1");
    EXPECT_EQ(win::screen().title(3), "KORVAN 3 / Working");
    const int colour5 = win::pixel_store(3, win::TableKind::full, 0, false, 5);
    EXPECT_EQ(stored(1, 100, 0), colour5);
    EXPECT_EQ(count_stored(3, colour5), 0);
    // The colour is set again in the new window.
    plot_vector(0, 100, 3);
    plot_vector(1000, 100, 2);
    sendbf();
    const int in_window3 = count_stored(3, colour5);
    EXPECT_GT(in_window3, 200);

    // Opening it again is refused and keeps the drawing.
    opnwin(3);
    EXPECT_EQ(take_output(), " <<<< Warning 101: Window 3 is already open in opnwin!\n");
    EXPECT_EQ(count_stored(3, colour5), in_window3);
    korfin();
    // Each window leaves its picture.
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_win1.png") + version_line("korvan_win3.png")));
    EXPECT_FALSE(win::window_is_open(3));  // FULL releases every window
}

TEST_F(ScreenDeviceTest, WindowThreeOpenedAgainIsReplaced)
{
    winmod("NONE");
    take_output();
    metafl("XWI3");
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    korfin();
    const int foreground = win::pixel_store(3, win::TableKind::full, 0, false, 255);
    ASSERT_TRUE(win::window_is_open(3));
    EXPECT_GT(count_stored(3, foreground), 400);

    // The next plot's window 3 replaces the one left open.
    korini();
    EXPECT_EQ(count_stored(3, foreground), 0);
    EXPECT_EQ(win::screen().title(3), "KORVAN 3 / Working");
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    korfin();
    EXPECT_GT(count_stored(3, foreground), 400);

    // OPNWIN of a window left open by an earlier plot replaces it too.
    metafl("XWIN");
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 0, 2);
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
    EXPECT_EQ(winid(), 2);
    setclr(77);
    plot_vector(0, 50, 3);
    plot_vector(2000, 50, 2);
    selwin(1);  // flushes the line into window 2
    const int colour77 = win::pixel_store(3, win::TableKind::full, 0, false, 77);
    EXPECT_GT(count_stored(2, colour77), 300);
    EXPECT_EQ(count_stored(1, colour77), 0);
    EXPECT_EQ(take_output(), "");

    opnwin(4);
    clswin(4);  // the plot's own window becomes current
    EXPECT_FALSE(win::window_is_open(4));
    EXPECT_EQ(winid(), 1);
    plot_vector(0, 50, 3);
    plot_vector(2000, 50, 2);
    sendbf();
    EXPECT_GT(count_stored(1, colour77), 300);
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
    EXPECT_DOUBLE_EQ(console_scale, std::min(1015.0 / 2969.0, 717.0 / 2099.0));
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

// --- Waits ---------------------------------------------------------------------------

TEST_F(ScreenDeviceTest, WindowModesAtTheEndOfThePlot)
{
    int waits = 0;
    win::reset_screen();
    plat::set_graphics(std::make_unique<ClickingGraphics>(&waits));
    metafl("XWIN");

    winmod("NONE");
    take_output();
    korini();
    korfin();
    EXPECT_EQ(waits, 0);  // ends without waiting; the window stays
    EXPECT_TRUE(win::window_is_open(1));
    EXPECT_EQ(win::screen().title(1), "KORVAN 1");
    EXPECT_EQ(take_output().find("Window picture"), std::string::npos);

    winmod("FULL");
    korini();
    korfin();
    EXPECT_EQ(waits, 1);  // the right button ended the wait and released the window
    EXPECT_FALSE(win::window_is_open(1));

    winmod("NOER");
    korini();
    wintit("Kept");
    korfin();
    EXPECT_EQ(waits, 2);
    EXPECT_TRUE(win::window_is_open(1));
    EXPECT_EQ(win::screen().title(1), "Kept");
    EXPECT_EQ(state().level, 0);
}

TEST_F(ScreenDeviceTest, NewpagWaitsForTheNextPageAndClearsIt)
{
    int waits = 0;
    win::reset_screen();
    plat::set_graphics(std::make_unique<ClickingGraphics>(&waits));
    metafl("XWI2");
    winmod("NONE");
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);  // pending until NEWPAG
    const int foreground = win::pixel_store(3, win::TableKind::full, 0, false, 255);
    newpag();
    EXPECT_EQ(waits, 1);
    EXPECT_EQ(count_stored(2, foreground), 0);
    EXPECT_EQ(win::screen().title(2), "KORVAN 2");
    korfin();
}

TEST_F(ScreenDeviceTest, HeadlessPagesEachLeaveAVersionedPicture)
{
    write_file("korvan_1.png", "older");
    metafl("XWI2");
    korini();
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    newpag();
    EXPECT_EQ(take_output(), version_line("korvan_win2.png"));
    const int foreground = win::pixel_store(3, win::TableKind::full, 0, false, 255);
    EXPECT_EQ(count_stored(2, foreground), 0);  // cleared after the picture
    plot_vector(0, 2099, 3);
    plot_vector(2969, 0, 2);
    korfin();
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_2.png") + "\n <<"));
    EXPECT_EQ(read_file("korvan_1.png"), "older");
    EXPECT_TRUE(exists("korvan_2.png"));

    // FILMOD DELETE replaces the picture of the same name.
    filmod("DELETE");
    korini();
    korfin();
    EXPECT_TRUE(take_output().starts_with(version_line("korvan_win2.png") + "\n <<"));
    EXPECT_FALSE(exists("korvan_3.png"));
}

// --- The PNG of a headless plot ------------------------------------------------------

struct Png {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

bool load_png(const std::string& name, Png& png)
{
    png_image image{};
    image.version = PNG_IMAGE_VERSION;
    if (png_image_begin_read_from_file(&image, name.c_str()) == 0)
        return false;
    image.format = PNG_FORMAT_RGB;
    png.width = static_cast<int>(image.width);
    png.height = static_cast<int>(image.height);
    png.rgb.assign(PNG_IMAGE_SIZE(image), 0);
    bool ok = png_image_finish_read(&image, nullptr, png.rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
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
    Png png;
    ASSERT_TRUE(load_png("korvan_win1.png", png));
    const win::Bitmap& b = bitmap(1);
    ASSERT_EQ(png.width, b.width);
    ASSERT_EQ(png.height, b.height);
    EXPECT_TRUE(png.rgb == b.picture.rgb);
    // The lines are in it: the page border in the foreground, the diagonal in colour 60.
    const ColourTable& rainbow = rainbow_colours();
    auto at = [&](int x, int y) {
        std::size_t i = (static_cast<std::size_t>(y) * png.width + x) * 3;
        return (std::uint32_t{png.rgb[i]} << 16) | (std::uint32_t{png.rgb[i + 1]} << 8) | png.rgb[i + 2];
    };
    EXPECT_EQ(at(300, 0), rainbow[255]);
    EXPECT_EQ(at(0, 300), rainbow[255]);
    EXPECT_EQ(at(300, 481), rainbow[255]);
    EXPECT_EQ(at(680, 300), rainbow[255]);
    const int y = static_cast<int>(std::lround(300 / (680.0 / 481.0)));
    bool diagonal = false;
    for (int dy = -1; dy <= 1; ++dy)
        diagonal = diagonal || at(300, y + dy) == rainbow[60];
    EXPECT_TRUE(diagonal);
    EXPECT_EQ(at(500, 100), 0u);
    EXPECT_EQ(at(100, 400), rainbow[120]);  // the filled rectangle
}

}  // namespace
}  // namespace korvan::test
