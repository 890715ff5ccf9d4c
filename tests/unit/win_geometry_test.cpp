#include <gtest/gtest.h>

#include <cerrno>

#include "plat/graphics.hpp"
#include "plot/win/geometry.hpp"
#include "plot/win/screen.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::win {
namespace {

plat::ScreenInfo screen_of(int w, int h)
{
    plat::ScreenInfo s;
    s.width = w;
    s.height = h;
    s.frame_width = 4;
    s.frame_height = 4;
    s.caption_height = 20;
    return s;
}

OpenRequest landscape(int code)
{
    OpenRequest r;
    r.device_code = code;
    r.page_width = 2970;
    r.page_height = 2100;
    return r;
}

TEST(WindowGeometry, LandscapePageTakesTwoThirdsOfTheScreenWidth)
{
    WindowGeometry g = window_geometry(screen_of(1024, 768), landscape(75));
    EXPECT_EQ(g.number, 1);
    EXPECT_EQ(g.width, 682);
    EXPECT_EQ(g.height, 482);
    // Window 1 sits at the lower right.
    EXPECT_EQ(g.x, 1024 - 682 - 4);
    EXPECT_EQ(g.y, 768 - 482 - 4);

    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    DrawingSize size = screen.open_window(landscape(75));
    EXPECT_EQ(size.width, 681);
    EXPECT_EQ(size.height, 481);
    ASSERT_NE(screen.bitmap(1), nullptr);
    EXPECT_EQ(screen.bitmap(1)->width, 682);
    EXPECT_EQ(screen.bitmap(1)->height, 482);
}

TEST(WindowGeometry, PortraitPageTakesTwoThirdsOfTheScreenHeight)
{
    OpenRequest r = landscape(75);
    r.page_width = 2100;
    r.page_height = 2970;
    WindowGeometry g = window_geometry(screen_of(1024, 768), r);
    EXPECT_EQ(g.height, 512);
    EXPECT_EQ(g.width, static_cast<int>(512 * 2100.0 / 2970.0 + 0.5));
    // A square page is not landscape either.
    r.page_width = r.page_height = 1000;
    g = window_geometry(screen_of(1024, 768), r);
    EXPECT_EQ(g.height, 512);
    EXPECT_EQ(g.width, 512);
}

TEST(WindowGeometry, FiveCornersAndTheCentre)
{
    const plat::ScreenInfo s = screen_of(1280, 1024);
    const int top = s.frame_height + s.caption_height - 1;
    WindowGeometry w1 = window_geometry(s, landscape(75));
    WindowGeometry w2 = window_geometry(s, landscape(76));
    WindowGeometry w3 = window_geometry(s, landscape(77));
    WindowGeometry w4 = window_geometry(s, landscape(78));
    WindowGeometry w5 = window_geometry(s, landscape(79));
    const int right = 1280 - w1.width - 4;
    const int bottom = 1024 - w1.height - 4;
    EXPECT_EQ(w1.x, right);
    EXPECT_EQ(w1.y, bottom);
    EXPECT_EQ(w2.x, right);
    EXPECT_EQ(w2.y, top);
    EXPECT_EQ(w3.x, 4);
    EXPECT_EQ(w3.y, top);
    EXPECT_EQ(w4.x, 4);
    EXPECT_EQ(w4.y, bottom);
    EXPECT_EQ(w5.x, (1280 - w5.width) / 2);
    EXPECT_EQ(w5.y, (1024 - w5.height) / 2 + 10);
    EXPECT_EQ(w5.number, 5);
}

TEST(WindowGeometry, ConsoleFormFillsTheScreenLessItsFrames)
{
    const plat::ScreenInfo s = screen_of(1024, 768);
    WindowGeometry g = window_geometry(s, landscape(80));
    EXPECT_TRUE(g.console_form);
    EXPECT_EQ(g.number, 1);
    EXPECT_EQ(g.width, 1024 - 8);
    EXPECT_EQ(g.height, static_cast<int>(1016 / (2970.0 / 2100.0) + 0.5));
    OpenRequest r = landscape(80);
    r.page_width = 2100;
    r.page_height = 2970;
    g = window_geometry(s, r);
    EXPECT_EQ(g.height, 768 - 8 - 20 + 1);
    // Never above the caption or left of the frame.
    EXPECT_GE(g.x, 4);
    EXPECT_GE(g.y, 4 + 20 - 1);
}

TEST(WindowGeometry, WindowAndWinsizGiveTheSize)
{
    const plat::ScreenInfo s = screen_of(1024, 768);
    OpenRequest r = landscape(76);
    r.window_flag = 1;
    r.x = 10;
    r.y = 0;
    r.width = 300;
    r.height = 200;
    WindowGeometry g = window_geometry(s, r);
    EXPECT_EQ(g.x, 10);
    EXPECT_EQ(g.y, 0);
    EXPECT_EQ(g.width, 300);
    EXPECT_EQ(g.height, 200);
    r.window_flag = 2;
    g = window_geometry(s, r);
    EXPECT_EQ(g.width, 300);
    EXPECT_EQ(g.height, 200);
    EXPECT_EQ(g.x, 1024 - 300 - 4);   // window 2: upper right
    EXPECT_EQ(g.y, 4 + 20 - 1);
    // Nonsense page sizes still give a window.
    r = landscape(75);
    r.page_width = 0;
    r.page_height = -5;
    g = window_geometry(s, r);
    EXPECT_GE(g.width, 1);
    EXPECT_GE(g.height, 1);
}

TEST(WindowGeometry, DeviceCodesToWindowNumbers)
{
    EXPECT_EQ(window_number(75), 1);
    EXPECT_EQ(window_number(76), 2);
    EXPECT_EQ(window_number(79), 5);
    EXPECT_EQ(window_number(80), 1);
    EXPECT_EQ(window_number(90), 1);
}

TEST(WindowSlots, OpeningWindowThreeTwiceReplacesIt)
{
    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    screen.open_window(landscape(75));
    OpenRequest three = landscape(77);
    three.further = true;
    screen.open_window(three);
    EXPECT_EQ(screen.current_window(), 3);
    EXPECT_EQ(screen.title(1), "KORVAN 1");
    EXPECT_EQ(screen.title(3), "KORVAN 3 / Working");
    screen.set_colour(1);
    screen.fill_rect(0, 0, 10, 10, 5);
    const std::uint8_t drawn = screen.bitmap(3)->plane[0];
    screen.set_title("Mine");
    EXPECT_EQ(screen.title(3), "Mine");

    screen.open_window(three);
    EXPECT_TRUE(screen.is_open(3));
    EXPECT_EQ(screen.current_window(), 3);
    // The old contents and the user title are gone.
    EXPECT_NE(screen.bitmap(3)->plane[0], drawn);
    EXPECT_EQ(screen.title(3), "KORVAN 3 / Working");
}

TEST(WindowSlots, SelectCloseAndTitles)
{
    test::TempDir dir;
    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    screen.open_window(landscape(76));
    OpenRequest four = landscape(78);
    four.further = true;
    screen.open_window(four);
    EXPECT_FALSE(screen.select_window(3));
    EXPECT_TRUE(screen.select_window(2));
    EXPECT_EQ(screen.title(2), "KORVAN 2 / Working");
    EXPECT_EQ(screen.title(4), "KORVAN 4");
    screen.set_title(std::string(70, 'T'));
    EXPECT_EQ(screen.title(2), std::string(60, 'T'));
    EXPECT_TRUE(screen.select_window(4));
    // A user title stays when the window loses the focus.
    EXPECT_EQ(screen.title(2), std::string(60, 'T'));
    EXPECT_TRUE(screen.close_window(4));
    EXPECT_FALSE(screen.is_open(4));
    EXPECT_EQ(screen.current_window(), 2);
    EXPECT_FALSE(screen.close_window(4));
    screen.end_of_plot_wait(2);
    EXPECT_EQ(screen.title(2), std::string(60, 'T'));
}

TEST(WindowSlots, HugeWindowsGetNoBitmapAndDrawingIsHarmless)
{
    auto graphics = plat::make_offscreen_graphics(screen_of(1024, 768));
    Screen screen(*graphics);
    OpenRequest r = landscape(75);
    r.window_flag = 2;
    r.width = 100000;
    r.height = 100000;
    DrawingSize size = screen.open_window(r);
    EXPECT_EQ(size.width, 99999);
    ASSERT_NE(screen.bitmap(1), nullptr);
    EXPECT_TRUE(screen.bitmap(1)->empty());
    screen.move_to(0, 0);
    screen.draw_to(50, 50);
    screen.fill_rect(0, 0, 10, 10, 3);
    screen.erase();
    EXPECT_FALSE(screen.begin_pixels());
    EXPECT_EQ(screen.save_bitmap("unused.dmp"), ENOMEM);
    screen.end_of_plot_wait(0);
}

}  // namespace
}  // namespace korvan::win
