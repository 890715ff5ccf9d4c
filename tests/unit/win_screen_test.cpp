#include <gtest/gtest.h>
#include <png.h>

#include <cerrno>
#include <csetjmp>
#include <cstdio>
#include <deque>
#include <fstream>
#include <iterator>

#include "plat/console.hpp"
#include "plat/graphics.hpp"
#include "plot/win/driver.hpp"
#include "plot/win/screen.hpp"
#include "tests/support/capture_console.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::win {
namespace {

plat::ScreenInfo screen_of(int w, int h, int bpp = 24)
{
    plat::ScreenInfo s;
    s.width = w;
    s.height = h;
    s.bits_per_pixel = bpp;
    return s;
}

std::array<std::uint32_t, 256> ramp()
{
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t k = 0; k < 256; ++k)
        t[k] = (k << 16) | ((255 - k) << 8) | (k * 7 % 256);
    return t;
}

// A display back end whose user acts from a script: each step of a wait
// delivers the next queued right-button release.
class ScriptedGraphics final : public plat::Graphics {
public:
    struct Window final : plat::ScreenWindow {
        ScriptedGraphics* owner = nullptr;
        std::string name;
        int refreshes = 0;
        void set_title(std::string_view t) override { name = t; }
        const std::string& title() const override { return name; }
        // Showing the picture processes the events that are already there.
        void refresh() override
        {
            ++refreshes;
            for (; !owner->early_clicks.empty(); owner->early_clicks.pop_front())
                owner->events->right_button_released(owner->early_clicks.front());
        }
    };

    std::deque<int> clicks;      // window numbers that get a right-button release
    std::deque<int> early_clicks;  // releases that arrive while a window is repainted
    int waits = 0;
    bool stalled = false;        // a wait had nothing left that could end it
    plat::WindowEvents* events = nullptr;

    plat::ScreenInfo screen() const override { return screen_of(1024, 768); }
    bool headless() const override { return false; }
    std::unique_ptr<plat::ScreenWindow> open_window(const plat::WindowPlacement&, std::string_view title,
                                                    const plat::Picture*, plat::WindowEvents* e) override
    {
        events = e;
        auto w = std::make_unique<Window>();
        w->owner = this;
        w->name = title;
        return w;
    }
    void wait_until(const std::function<bool()>& done) override
    {
        ++waits;
        while (!done()) {
            if (clicks.empty()) {
                stalled = true;
                return;
            }
            int n = clicks.front();
            clicks.pop_front();
            events->right_button_released(n);
        }
    }
    void poll() override {}
};

OpenRequest request(int code = 75)
{
    OpenRequest r;
    r.device_code = code;
    return r;
}

TEST(Polylines, BatchesOfFiftyPointsJoinedAtTheirEnds)
{
    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    screen.open_window(request());
    screen.load_colour_table(TableKind::full, ramp());
    screen.set_colour(200);
    screen.record_polylines(true);
    screen.move_to(0, 0);
    for (int i = 1; i < 120; ++i)
        screen.draw_to(i * 5, (i % 2) * 40);
    screen.flush();
    const auto& lines = screen.recorded_polylines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 50u);
    EXPECT_EQ(lines[1].size(), 50u);
    EXPECT_EQ(lines[2].size(), 22u);
    EXPECT_EQ(lines[1].front(), lines[0].back());
    EXPECT_EQ(lines[2].front(), lines[1].back());
    EXPECT_EQ(lines[2].back(), (Point{119 * 5, 40}));
    // Every corner and the joints are drawn.
    const Bitmap& b = *screen.bitmap(1);
    const std::uint8_t pen = static_cast<std::uint8_t>(screen.pen_stored());
    for (int i = 0; i < 120; ++i)
        EXPECT_EQ(b.plane[static_cast<std::size_t>((i % 2) * 40) * b.width + i * 5], pen) << i;
    EXPECT_EQ(b.plane[static_cast<std::size_t>(20) * b.width + 49 * 5 + 2], pen);  // inside the joint segment
}

TEST(Polylines, RepeatedPointsSinglePixelsAndMoves)
{
    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    screen.open_window(request());
    screen.load_colour_table(TableKind::full, ramp());
    screen.set_colour(9);
    screen.record_polylines(true);
    screen.move_to(10, 10);
    screen.draw_to(10, 10);  // equal to the last point: not added
    screen.move_to(30, 30);  // draws the single point as a pixel
    screen.move_to(40, 40);  // a move alone draws nothing
    screen.draw_to(45, 40);
    screen.draw_to(45, 40);
    screen.set_colour(10);   // a colour change flushes
    screen.draw_to(45, 45);
    screen.update();
    const auto& lines = screen.recorded_polylines();
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0], (std::vector<Point>{{10, 10}}));
    EXPECT_EQ(lines[1], (std::vector<Point>{{40, 40}, {45, 40}}));
    EXPECT_EQ(lines[2], (std::vector<Point>{{45, 40}, {45, 45}}));
    const Bitmap& b = *screen.bitmap(1);
    EXPECT_EQ(b.plane[10 * b.width + 10], pixel_store(3, TableKind::full, 0, false, 9));
    EXPECT_EQ(b.plane[30 * b.width + 30], pixel_store(3, TableKind::full, 0, false, 0));
    EXPECT_EQ(b.plane[45 * b.width + 45], pixel_store(3, TableKind::full, 0, false, 10));
}

TEST(Polylines, FarAwayCoordinatesAreClippedQuickly)
{
    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    screen.open_window(request());
    screen.set_colour(1);
    screen.move_to(-2000000000, 100);
    screen.draw_to(2000000000, 100);
    screen.draw_to(2000000000, -2000000000);
    screen.move_to(-50, -50);
    screen.draw_to(-10, -900);  // wholly outside
    screen.flush();
    const Bitmap& b = *screen.bitmap(1);
    for (int x = 0; x < b.width; x += 37)
        EXPECT_EQ(b.plane[100 * b.width + x], screen.pen_stored()) << x;
    screen.fill_rect(-100, -100, 2000000000, 2000000000, 3);
    EXPECT_EQ(b.plane[0], pixel_store(3, TableKind::full, 0, false, 3));
}

TEST(EndOfPlotWait, FullWaitsForTheRightButtonAndReleasesTheWindows)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request());
    EXPECT_TRUE(screen.plotting());
    // Clicks while plotting are ignored.
    screen.right_button_released(1);
    graphics.clicks = {2, 1};
    screen.end_of_plot_wait(0);
    EXPECT_EQ(graphics.waits, 1);
    EXPECT_FALSE(graphics.stalled);
    EXPECT_TRUE(graphics.clicks.empty());
    EXPECT_FALSE(screen.is_open(1));
    EXPECT_EQ(screen.current_window(), 0);
}

TEST(EndOfPlotWait, AClickWhileTheTitleAsksForItIsNotLost)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request());
    graphics.early_clicks = {1};
    screen.end_of_plot_wait(0);
    EXPECT_FALSE(graphics.stalled);
    EXPECT_FALSE(screen.is_open(1));
    // The same for the page wait: the click that came with the repaint ends it.
    screen.open_window(request());
    graphics.early_clicks = {1};
    screen.next_page_wait();
    EXPECT_FALSE(graphics.stalled);
    EXPECT_EQ(screen.title(1), "KORVAN 1");
}

TEST(EndOfPlotWait, NoneEndsWithoutWaiting)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request());
    screen.end_of_plot_wait(2);
    EXPECT_EQ(graphics.waits, 0);
    EXPECT_TRUE(screen.is_open(1));
    EXPECT_EQ(screen.title(1), "KORVAN 1");
    EXPECT_FALSE(screen.plotting());
}

TEST(EndOfPlotWait, NoerWithoutOutputWindowEndsOnTheClickAndKeepsThePicture)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request());
    graphics.clicks = {1};
    screen.end_of_plot_wait(1);
    EXPECT_EQ(screen.title(1), "KORVAN 1 / Click MB2 to continue ...");
    EXPECT_FALSE(graphics.stalled);
    EXPECT_TRUE(screen.is_open(1));
}

TEST(EndOfPlotWait, UserTitlesStayAndANewPlotOpensNewWindows)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request(77));
    screen.set_title("Temperatures");
    graphics.clicks = {3};
    screen.end_of_plot_wait(0);
    EXPECT_FALSE(screen.is_open(3));
    screen.open_window(request(77));
    EXPECT_EQ(screen.title(3), "KORVAN 3 / Working");
    EXPECT_TRUE(screen.plotting());
}

TEST(NextPageWait, WaitsThenErasesAndRestoresTheTitle)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request());
    screen.load_colour_table(TableKind::full, ramp());
    screen.fill_rect(0, 0, 5, 5, 7);
    graphics.clicks = {1};
    screen.next_page_wait();
    EXPECT_EQ(graphics.waits, 1);
    EXPECT_FALSE(graphics.stalled);
    EXPECT_EQ(screen.title(1), "KORVAN 1");
    EXPECT_EQ(screen.bitmap(1)->plane[0], pixel_store(3, TableKind::full, 0, false, 0));
    EXPECT_TRUE(screen.is_open(1));
    screen.set_title("Mine");
    graphics.clicks = {1};
    screen.next_page_wait();
    EXPECT_EQ(screen.title(1), "Mine");
}

TEST(NoPalette, PenStaysWhiteAndFillsAreBlackOrWhite)
{
    auto graphics = plat::make_offscreen_graphics(screen_of(640, 480, 1));
    Screen screen(*graphics);
    screen.open_window(request());
    EXPECT_EQ(screen.palette_mode(), 0);
    screen.load_colour_table(TableKind::full, ramp());
    screen.set_colour(0);
    screen.move_to(0, 0);
    screen.draw_to(3, 0);
    screen.fill_rect(0, 1, 2, 1, 0);
    screen.fill_rect(0, 2, 2, 1, 200);
    screen.flush();
    const Bitmap& b = *screen.bitmap(1);
    EXPECT_EQ(b.picture.rgb[0], 255);                    // white pen
    EXPECT_EQ(b.picture.rgb[b.width * 3], 0);           // colour 0: black
    EXPECT_EQ(b.picture.rgb[2 * b.width * 3 + 1], 255);  // any other: white
}

TEST(ReverseScreen, EachPlotStartsOnItsOwnBackground)
{
    test::TempDir dir;
    auto graphics = plat::make_offscreen_graphics(screen_of(640, 480));
    Screen screen(*graphics);
    screen.open_window(request());
    EXPECT_EQ(screen.bitmap(1)->picture.rgb[0], 0);
    std::array<std::uint32_t, 256> dark{};
    screen.load_colour_table(TableKind::full, dark);
    screen.end_of_plot_wait(0);
    OpenRequest reverse = request();
    reverse.screen_mode = 2;
    screen.open_window(reverse);
    EXPECT_EQ(screen.bitmap(1)->picture.rgb[0], 255);
    EXPECT_EQ(screen.bitmap(1)->picture.rgb[1], 255);
    screen.end_of_plot_wait(0);
    screen.open_window(request());
    EXPECT_EQ(screen.bitmap(1)->picture.rgb[0], 0);
}

TEST(CloseBox, IgnoredByTheInterpreterEndsTheConverter)
{
    ScriptedGraphics graphics;
    Screen screen(graphics);
    screen.open_window(request());
    screen.close_requested(1);
    EXPECT_TRUE(screen.is_open(1));
    EXPECT_EXIT(
        {
            set_converter_rules(true);
            screen.close_requested(1);
        },
        ::testing::ExitedWithCode(0), "");
    EXPECT_TRUE(screen.is_open(1));
}

class DriverTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        old_console_ = plat::set_console(std::make_unique<test::CaptureConsole>());
        console_ = static_cast<test::CaptureConsole*>(&plat::console());
        old_graphics_ = plat::set_graphics(plat::make_offscreen_graphics(screen_of(1024, 768)));
        reset_for_tests();
    }
    void TearDown() override
    {
        reset_for_tests();
        plat::set_graphics(std::move(old_graphics_));
        plat::set_console(std::move(old_console_));
    }
    test::CaptureConsole* console_ = nullptr;

private:
    std::unique_ptr<plat::Console> old_console_;
    std::unique_ptr<plat::Graphics> old_graphics_;
};

struct PngImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;
};

bool read_png(const std::string& path, PngImage& image)
{
    std::FILE* f = std::fopen(path.c_str(), "rb");
    if (f == nullptr)
        return false;
    png_structp png = png_create_read_struct(PNG_LIBPNG_VER_STRING, nullptr, nullptr, nullptr);
    png_infop info = png_create_info_struct(png);
    if (setjmp(png_jmpbuf(png))) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    png_init_io(png, f);
    png_read_info(png, info);
    if (png_get_color_type(png, info) != PNG_COLOR_TYPE_RGB || png_get_bit_depth(png, info) != 8) {
        png_destroy_read_struct(&png, &info, nullptr);
        std::fclose(f);
        return false;
    }
    image.width = static_cast<int>(png_get_image_width(png, info));
    image.height = static_cast<int>(png_get_image_height(png, info));
    image.rgb.assign(static_cast<std::size_t>(image.width) * image.height * 3, 0);
    for (int y = 0; y < image.height; ++y)
        png_read_row(png, image.rgb.data() + static_cast<std::size_t>(y) * image.width * 3, nullptr);
    png_read_end(png, nullptr);
    png_destroy_read_struct(&png, &info, nullptr);
    std::fclose(f);
    return true;
}

TEST_F(DriverTest, HeadlessPlotWritesItsPictureAsPng)
{
    test::TempDir dir;
    OpenRequest r = request();
    r.page_width = 2970;
    r.page_height = 2100;
    DrawingSize size = open_window(r);
    EXPECT_EQ(size.width, 681);
    load_colour_table(TableKind::full, ramp());
    set_colour(255);
    move_to(10, 10);
    draw_to(600, 400);
    draw_to(10, 400);
    fill_rect(100, 50, 80, 60, 77);
    end_of_plot_wait(2);
    EXPECT_EQ(console_->output, " Window picture: korvan_win1.png\n");
    PngImage image;
    ASSERT_TRUE(read_png("korvan_win1.png", image));
    const Bitmap& b = *screen().bitmap(1);
    ASSERT_EQ(image.width, b.width);
    ASSERT_EQ(image.height, b.height);
    EXPECT_TRUE(image.rgb == b.picture.rgb);
    // The picture shows the drawing: the line and the filled rectangle.
    auto at = [&](int x, int y) {
        std::size_t i = (static_cast<std::size_t>(y) * image.width + x) * 3;
        return (std::uint32_t{image.rgb[i]} << 16) | (std::uint32_t{image.rgb[i + 1]} << 8) |
               image.rgb[i + 2];
    };
    EXPECT_EQ(at(300, 400), ramp()[255]);
    EXPECT_EQ(at(120, 70), ramp()[77]);
    // True colour keeps the black it was cleared with before the table came.
    EXPECT_EQ(at(650, 20), 0u);

    // A second plot gets the next version; FULL releases the windows.
    console_->output.clear();
    end_of_plot_wait(0);
    EXPECT_EQ(console_->output, " Window picture: korvan_win1_1.png\n");
    EXPECT_FALSE(window_is_open(1));
}

TEST_F(DriverTest, HeadlessPagesEachLeaveAPicture)
{
    test::TempDir dir;
    open_window(request(76));
    load_colour_table(TableKind::full, ramp());
    fill_rect(0, 0, 10, 10, 9);
    next_page_wait();
    // The page was saved before it was cleared.
    PngImage page;
    ASSERT_TRUE(read_png("korvan_win2.png", page));
    EXPECT_EQ(page.rgb[0], ramp()[9] >> 16);
    EXPECT_EQ(screen().title(2), "KORVAN 2");
    EXPECT_EQ(screen().bitmap(2)->plane[0], pixel_store(3, TableKind::full, 0, false, 0));
    end_of_plot_wait(1);
    EXPECT_EQ(console_->output, " Window picture: korvan_win2.png\n Window picture: korvan_win2_1.png\n");
    // NOER keeps the window.
    EXPECT_TRUE(window_is_open(2));
}

TEST_F(DriverTest, PictureNameVersions)
{
    test::TempDir dir;
    dir.write("korvan_win2.png", "x");
    dir.write("korvan_win2_1.png", "x");
    EXPECT_EQ(picture_file_name(2), "korvan_win2_2.png");
    EXPECT_EQ(picture_file_name(3), "korvan_win3.png");
    set_picture_namer([](const std::string& name) { return "own_" + name; });
    EXPECT_EQ(picture_file_name(3), "own_korvan_win3.png");
    set_picture_namer(nullptr);
}

TEST_F(DriverTest, UnwritablePictureIsReported)
{
    test::TempDir dir;
    set_picture_namer([](const std::string&) { return std::string("no/such/dir/pic.png"); });
    open_window(request());
    end_of_plot_wait(2);
    set_picture_namer(nullptr);
    // The system's reason follows the name.
    EXPECT_EQ(console_->output, " Cannot write window picture no/such/dir/pic.png: No such file or directory\n");
}

TEST_F(DriverTest, EndReleasesTheWindowsAndStartTellsTheLibrary)
{
    static int calls = 0;
    static bool last_output = true;
    set_start_hook([](bool started, bool output) {
        if (started) {
            ++calls;
            last_output = output;
        }
    });
    start(false);
    start(true);  // runs once
    EXPECT_EQ(calls, 1);
    EXPECT_FALSE(last_output);
    open_window(request(79));
    EXPECT_EQ(current_window(), 5);
    end(true);
    EXPECT_FALSE(window_is_open(5));
    EXPECT_FALSE(started());
    set_start_hook(nullptr);
}

// The bitmap dump.

class DumpTest : public ::testing::Test {
protected:
    DumpTest() : graphics_(plat::make_offscreen_graphics(screen_of(960, 720, 8))), screen(*graphics_)
    {
        OpenRequest r = request();
        r.window_flag = 2;
        r.width = 640;
        r.height = 480;
        screen.open_window(r);
        screen.load_colour_table(TableKind::full, ramp());
    }
    std::string read(const std::string& name)
    {
        std::ifstream in(name, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    void write(const std::string& name, const std::string& bytes)
    {
        std::ofstream out(name, std::ios::binary);
        out << bytes;
    }
    static std::string header(int w, int h, int row, int bits, int mapped, int offset)
    {
        char numbers[80];
        std::snprintf(numbers, sizeof numbers, "%5d %5d %5d %5d %5d %5d %5d %5d %5d", w, h, 8, row, bits, 32,
                      0, mapped, offset);
        std::string s = std::string("!Bitmap KORVAN WIN  ") + numbers;
        s.resize(80, ' ');
        return s;
    }

    test::TempDir dir;
    std::unique_ptr<plat::Graphics> graphics_;
    Screen screen;
};

TEST_F(DumpTest, EightBitWindowDumpsAndLoadsBack)
{
    screen.fill_rect(10, 20, 30, 40, 100);
    screen.set_colour(255);
    screen.move_to(0, 479);
    screen.draw_to(639, 0);
    screen.flush();
    ASSERT_EQ(screen.save_bitmap("win.dmp"), dump_ok);
    const std::string bytes = read("win.dmp");
    ASSERT_EQ(bytes.size(), 80u + 307200u);
    EXPECT_EQ(bytes.substr(0, 80), header(640, 480, 640, 8, 0, 10));
    EXPECT_EQ(static_cast<unsigned char>(bytes[80 + 20 * 640 + 10]), (100 + 1) / 2 + 10);

    const std::vector<std::uint8_t> saved = screen.bitmap(1)->plane;
    const std::vector<std::uint8_t> picture = screen.bitmap(1)->picture.rgb;
    screen.erase();
    EXPECT_NE(screen.bitmap(1)->plane, saved);
    ASSERT_EQ(screen.load_bitmap("win.dmp"), dump_ok);
    EXPECT_EQ(screen.bitmap(1)->plane, saved);
    EXPECT_EQ(screen.bitmap(1)->picture.rgb, picture);
}

TEST_F(DumpTest, OddWidthsArePaddedToEvenRows)
{
    OpenRequest r = request(76);
    r.window_flag = 2;
    r.width = 5;
    r.height = 3;
    screen.open_window(r);
    ASSERT_EQ(screen.save_bitmap("odd.dmp"), dump_ok);
    EXPECT_EQ(read("odd.dmp").size(), 80u + 6u * 3u);
    EXPECT_EQ(screen.load_bitmap("odd.dmp"), dump_ok);
}

TEST_F(DumpTest, ResultCodes)
{
    EXPECT_EQ(screen.load_bitmap("missing.dmp"), dump_cannot_open);
    EXPECT_EQ(screen.save_bitmap("no/such/dir/x.dmp"), ENOENT);
    write("text.dmp", "Hello, this is not a bitmap at all");
    EXPECT_EQ(screen.load_bitmap("text.dmp"), dump_not_bitmap);
    write("virt.dmp", std::string("!Bitmap KORVAN VIRT ") + std::string(60, ' '));
    EXPECT_EQ(screen.load_bitmap("virt.dmp"), dump_not_bitmap);  // no numbers
    write("deep.dmp", header(4, 4, 4, 24, 0, 10) + std::string(16, '\x0b'));
    EXPECT_EQ(screen.load_bitmap("deep.dmp"), dump_other_depth);
    write("short.dmp", "!Bitmap KORVAN");
    EXPECT_EQ(screen.load_bitmap("short.dmp"), dump_not_bitmap);
}

TEST_F(DumpTest, HostileHeadersNeverOverrunAndTruncatedFilesChangeNothing)
{
    screen.fill_rect(0, 0, 640, 480, 33);
    const std::vector<std::uint8_t> before = screen.bitmap(1)->plane;
    write("neg.dmp", header(-5, 10, 10, 8, 0, 10) + std::string(100, 'a'));
    EXPECT_EQ(screen.load_bitmap("neg.dmp"), dump_not_bitmap);
    write("zero.dmp", header(10, 10, 0, 8, 0, 10) + std::string(100, 'a'));
    EXPECT_EQ(screen.load_bitmap("zero.dmp"), dump_not_bitmap);
    write("huge.dmp", header(99999, 99999, 99999, 8, 0, 10) + std::string(1000, 'a'));
    EXPECT_EQ(screen.load_bitmap("huge.dmp"), dump_not_bitmap);
    write("trunc.dmp", header(640, 480, 640, 8, 0, 10) + std::string(640 * 3 + 7, 'a'));
    EXPECT_EQ(screen.load_bitmap("trunc.dmp"), dump_not_bitmap);
    EXPECT_EQ(screen.bitmap(1)->plane, before);
    std::string overflow = "!Bitmap KORVAN WIN  99999999999999999999 1 1 1 8 32 0 0 10";
    overflow.resize(80, ' ');
    write("big.dmp", overflow + "abc");
    EXPECT_EQ(screen.load_bitmap("big.dmp"), dump_not_bitmap);
    EXPECT_EQ(screen.bitmap(1)->plane, before);
}

TEST_F(DumpTest, SmallerAndWiderFilesCopyTheCommonPart)
{
    // 3 rows of 4 pixels, rows 6 bytes long: only the first 4 bytes count.
    std::string data;
    for (int y = 0; y < 3; ++y)
        data += std::string{char(20 + y), char(21 + y), char(22 + y), char(23 + y), 'x', 'y'};
    write("small.dmp", header(4, 3, 6, 8, 0, 10) + data);
    ASSERT_EQ(screen.load_bitmap("small.dmp"), dump_ok);
    const Bitmap& b = *screen.bitmap(1);
    EXPECT_EQ(b.plane[0], 20);
    EXPECT_EQ(b.plane[3], 23);
    EXPECT_EQ(b.plane[4], 10);  // the rest keeps its contents (colour 0)
    EXPECT_EQ(b.plane[2 * 640 + 1], 23);
    EXPECT_EQ(b.plane[3 * 640], 10);

    // A file wider and taller than the window is cut.
    std::string wide(800 * 500, '\x0c');
    write("wide.dmp", header(800, 500, 800, 8, 0, 10) + wide);
    ASSERT_EQ(screen.load_bitmap("wide.dmp"), dump_ok);
    EXPECT_EQ(b.plane[479 * 640 + 639], 12);
}

TEST_F(DumpTest, MappedFilesAndOtherOffsets)
{
    // Mapping flag 1: every byte is a colour index written as by pixel access.
    write("mapped.dmp", header(2, 1, 2, 8, 1, 0) + std::string{char(100), char(255)});
    ASSERT_EQ(screen.load_bitmap("mapped.dmp"), dump_ok);
    EXPECT_EQ(screen.bitmap(1)->plane[0], (100 + 1) / 2 + 10);
    EXPECT_EQ(screen.bitmap(1)->plane[1], 138);
    // Offset 16: bytes shift by 10 - 16.
    write("offset.dmp", header(2, 1, 2, 8, 0, 16) + std::string{char(16), char(20)});
    ASSERT_EQ(screen.load_bitmap("offset.dmp"), dump_ok);
    EXPECT_EQ(screen.bitmap(1)->plane[0], 10);
    EXPECT_EQ(screen.bitmap(1)->plane[1], 14);
}

TEST_F(DumpTest, DumpDuringPixelAccessSeesTheWrittenPixels)
{
    ASSERT_TRUE(screen.begin_pixels());
    screen.write_pixel(0, 0, 255);
    ASSERT_EQ(screen.save_bitmap("pix.dmp"), dump_ok);
    EXPECT_EQ(static_cast<unsigned char>(read("pix.dmp")[80]), 138);
    write("load.dmp", header(1, 1, 2, 8, 0, 10) + std::string{char(30), char(0)});
    ASSERT_EQ(screen.load_bitmap("load.dmp"), dump_ok);
    EXPECT_EQ(screen.read_pixel(0, 0), 2 * 20 - 1);
    screen.end_pixels();
    EXPECT_EQ(screen.bitmap(1)->plane[0], 30);
}

}  // namespace
}  // namespace korvan::win
