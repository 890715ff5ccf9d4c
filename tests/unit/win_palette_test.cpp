#include <gtest/gtest.h>

#include <cstdlib>

#include "plat/graphics.hpp"
#include "plot/win/palette.hpp"
#include "plot/win/screen.hpp"

namespace korvan::win {
namespace {

// A colour table whose entry k is easy to recognise: R = k, G = 255 - k, B = 7.
std::array<std::uint32_t, 256> ramp()
{
    std::array<std::uint32_t, 256> t{};
    for (std::uint32_t k = 0; k < 256; ++k)
        t[k] = (k << 16) | ((255 - k) << 8) | 7;
    return t;
}

std::uint32_t pixel_rgb(const Bitmap& b, int x, int y)
{
    std::size_t at = (static_cast<std::size_t>(y) * b.width + x) * 3;
    return (std::uint32_t{b.picture.rgb[at]} << 16) | (std::uint32_t{b.picture.rgb[at + 1]} << 8) |
           b.picture.rgb[at + 2];
}

// A screen of the depth that KORVAN_SCREEN_BPP names, with window 1 open.
class DepthScreen {
public:
    DepthScreen(const char* bpp, int reduction, TableKind kind)
    {
        setenv("KORVAN_SCREEN_BPP", bpp, 1);
        setenv("KORVAN_SCREEN", "640x480", 1);
        graphics_ = plat::make_offscreen_graphics(plat::screen_from_environment());
        unsetenv("KORVAN_SCREEN_BPP");
        unsetenv("KORVAN_SCREEN");
        screen = std::make_unique<Screen>(*graphics_);
        OpenRequest r;
        r.device_code = 75;
        r.reduction = reduction;
        screen->open_window(r);
        screen->load_colour_table(kind, ramp());
    }
    int pen(int index)
    {
        screen->set_colour(index);
        return screen->pen_stored();
    }
    // Writes an index through pixel access and reads it back.
    int round_trip(int index)
    {
        EXPECT_TRUE(screen->begin_pixels());
        screen->write_pixel(3, 4, index);
        int v = screen->read_pixel(3, 4);
        screen->end_pixels();
        return v;
    }
    std::unique_ptr<Screen> screen;

private:
    std::unique_ptr<plat::Graphics> graphics_;
};

TEST(PaletteFolding, DepthsGivePaletteModes)
{
    EXPECT_EQ(palette_mode_for_depth(4), 2);
    EXPECT_EQ(palette_mode_for_depth(8), 1);
    EXPECT_EQ(palette_mode_for_depth(24), 3);
    EXPECT_EQ(palette_mode_for_depth(1), 0);
    DepthScreen four("4", 0, TableKind::full);
    EXPECT_EQ(four.screen->palette_mode(), 2);
    EXPECT_EQ(four.screen->screen_info().bits_per_pixel, 4);
    DepthScreen eight("8", 0, TableKind::full);
    EXPECT_EQ(eight.screen->palette_mode(), 1);
    DepthScreen odd("13", 0, TableKind::full);
    EXPECT_EQ(odd.screen->palette_mode(), 3);  // an unknown depth keeps true colour
}

TEST(PaletteFolding, FourBitPens)
{
    DepthScreen s("4", 0, TableKind::full);
    EXPECT_EQ(s.pen(0), 0);
    EXPECT_EQ(s.pen(255), 15);
    EXPECT_EQ(s.pen(1), 1);
    EXPECT_EQ(s.pen(128), 8);
    EXPECT_EQ(s.pen(254), 14);
    EXPECT_EQ(s.pen(256 + 128), 8);
    // Palette entry i shows colour-table entry int((i - 1) * 19.46 + 1.5).
    EXPECT_EQ(s.screen->shown_rgb(7), ramp()[118]);
    EXPECT_EQ(s.screen->shown_rgb(15), ramp()[255]);
    EXPECT_EQ(s.screen->shown_rgb(0), ramp()[0]);
    // Drawing in colour 128 shows palette entry 8.
    s.screen->move_to(0, 0);
    s.screen->set_colour(128);
    s.screen->draw_to(5, 0);
    s.screen->flush();
    EXPECT_EQ(pixel_rgb(*s.screen->bitmap(1), 2, 0), ramp()[137]);

    DepthScreen cont("4", 2, TableKind::full);
    EXPECT_EQ(cont.pen(17), 1);
    EXPECT_EQ(cont.screen->shown_rgb(7), ramp()[7]);
    DepthScreen small("4", 0, TableKind::small);
    EXPECT_EQ(small.pen(0), 0);
    EXPECT_EQ(small.pen(8), 8);
    EXPECT_EQ(small.pen(9), 1);
    EXPECT_EQ(small.pen(16), 8);
    DepthScreen vga("4", 0, TableKind::vga);
    EXPECT_EQ(vga.pen(17), 1);
    EXPECT_EQ(vga.pen(15), 15);
}

TEST(PaletteFolding, EightBitPens)
{
    DepthScreen s("8", 0, TableKind::full);
    EXPECT_EQ(s.pen(0), 10);
    EXPECT_EQ(s.pen(1), 11);
    EXPECT_EQ(s.pen(255), 138);
    EXPECT_EQ(s.pen(100), 60);
    // Palette entry i shows colour 2i - 1.
    EXPECT_EQ(s.screen->shown_rgb(10 + 2), ramp()[3]);
    EXPECT_EQ(s.screen->shown_rgb(10 + 128), ramp()[255]);
    EXPECT_EQ(s.screen->shown_rgb(10), ramp()[0]);
    s.screen->fill_rect(0, 0, 2, 2, 3);
    EXPECT_EQ(pixel_rgb(*s.screen->bitmap(1), 1, 1), ramp()[3]);
    EXPECT_EQ(s.screen->bitmap(1)->plane[0], 12);

    DepthScreen full("8", 1, TableKind::full);
    EXPECT_EQ(full.pen(200), 210);
    EXPECT_EQ(full.screen->shown_rgb(10 + 5), ramp()[5]);
    DepthScreen cont("8", 2, TableKind::full);
    EXPECT_EQ(cont.pen(200), 72 + 10);
    DepthScreen small("8", 0, TableKind::small);
    EXPECT_EQ(small.pen(9), 11);
    EXPECT_EQ(small.pen(0), 10);
    EXPECT_EQ(small.screen->shown_rgb(10 + 8), ramp()[8]);
    // Only the small table's nine entries are set.
    EXPECT_EQ(small.screen->shown_rgb(10 + 9), 0u);
    DepthScreen vga("8", 0, TableKind::vga);
    EXPECT_EQ(vga.pen(17), 11);
}

TEST(PaletteFolding, LoadingATableRecoloursPaletteScreensButNotTrueColour)
{
    DepthScreen eight("8", 0, TableKind::full);
    eight.screen->fill_rect(0, 0, 4, 4, 5);
    std::array<std::uint32_t, 256> other{};
    other.fill(0x123456);
    eight.screen->load_colour_table(TableKind::full, other);
    EXPECT_EQ(pixel_rgb(*eight.screen->bitmap(1), 0, 0), 0x123456u);

    DepthScreen truecolour("24", 0, TableKind::full);
    truecolour.screen->fill_rect(0, 0, 4, 4, 5);
    EXPECT_EQ(pixel_rgb(*truecolour.screen->bitmap(1), 0, 0), ramp()[5]);
    truecolour.screen->load_colour_table(TableKind::full, other);
    EXPECT_EQ(pixel_rgb(*truecolour.screen->bitmap(1), 0, 0), ramp()[5]);
    truecolour.screen->fill_rect(0, 0, 4, 4, 5);
    EXPECT_EQ(pixel_rgb(*truecolour.screen->bitmap(1), 0, 0), 0x123456u);
}

TEST(PixelReads, FourBitScreensFoldAndUnfold)
{
    DepthScreen s("4", 0, TableKind::full);
    EXPECT_EQ(s.round_trip(0), 0);
    EXPECT_EQ(s.round_trip(255), 255);
    EXPECT_EQ(s.round_trip(128), 137);  // stored 8 reads as int(7 * 19.46 + 1.5)
    EXPECT_EQ(s.round_trip(1), 1);
    DepthScreen full("4", 1, TableKind::full);
    EXPECT_EQ(full.round_trip(200), 8);
    DepthScreen vga("4", 0, TableKind::vga);
    EXPECT_EQ(vga.round_trip(5), 5);
    DepthScreen small("4", 0, TableKind::small);
    EXPECT_EQ(small.round_trip(9), 1);
    // A pixel drawn with a pen reads back as the pen's palette colour.
    vga.screen->fill_rect(0, 0, 1, 1, 12);
    ASSERT_TRUE(vga.screen->begin_pixels());
    EXPECT_EQ(vga.screen->read_pixel(0, 0), 12);
    vga.screen->end_pixels();
}

TEST(PixelReads, EightBitScreensHalveAndDouble)
{
    DepthScreen s("8", 0, TableKind::full);
    EXPECT_EQ(s.round_trip(0), 0);
    EXPECT_EQ(s.round_trip(1), 1);
    EXPECT_EQ(s.round_trip(100), 99);
    EXPECT_EQ(s.round_trip(255), 255);
    ASSERT_TRUE(s.screen->begin_pixels());
    s.screen->write_pixel(0, 0, 100);
    s.screen->end_pixels();
    EXPECT_EQ(s.screen->bitmap(1)->plane[0], 60);
    DepthScreen cont("8", 2, TableKind::full);
    EXPECT_EQ(cont.round_trip(200), 72);
    DepthScreen full("8", 1, TableKind::full);
    EXPECT_EQ(full.round_trip(200), 200);
    DepthScreen vga("8", 0, TableKind::vga);
    EXPECT_EQ(vga.round_trip(5), 5);
    EXPECT_EQ(vga.round_trip(250), 250);
    vga.screen->fill_rect(0, 0, 1, 1, 7);
    ASSERT_TRUE(vga.screen->begin_pixels());
    EXPECT_EQ(vga.screen->read_pixel(0, 0), 7);
    vga.screen->end_pixels();
}

TEST(PixelReads, TrueColourIsExactForEveryIndex)
{
    for (int reduction = 0; reduction <= 2; ++reduction) {
        DepthScreen s("24", reduction, TableKind::full);
        ASSERT_TRUE(s.screen->begin_pixels());
        for (int i = 0; i < 256; ++i) {
            s.screen->write_pixel(i % 640, i / 640, i);
            EXPECT_EQ(s.screen->read_pixel(i % 640, i / 640), i);
        }
        s.screen->end_pixels();
        // The written pixels show their colours.
        EXPECT_EQ(pixel_rgb(*s.screen->bitmap(1), 200, 0), ramp()[200]);
    }
}

TEST(PixelAccess, OutsideAndWithoutBegin)
{
    DepthScreen s("8", 0, TableKind::full);
    const int w = s.screen->bitmap(1)->width;
    const int h = s.screen->bitmap(1)->height;
    EXPECT_FALSE(s.screen->write_pixel(1, 1, 5));
    EXPECT_EQ(s.screen->read_pixel(1, 1), -1);
    ASSERT_TRUE(s.screen->begin_pixels());
    EXPECT_FALSE(s.screen->begin_pixels());
    EXPECT_FALSE(s.screen->write_pixel(w, 0, 5));
    EXPECT_FALSE(s.screen->write_pixel(-1, 0, 5));
    EXPECT_EQ(s.screen->read_pixel(0, h), -1);
    // Blocks and rows are clipped; values outside are left as they were.
    std::uint8_t block[4 * 3];
    for (int i = 0; i < 12; ++i)
        block[i] = static_cast<std::uint8_t>(2 * i + 1);
    s.screen->write_pixels(block, w - 2, h - 2, 4, 3);
    std::uint8_t back[4 * 3];
    std::fill(back, back + 12, 77);
    s.screen->read_pixels(back, w - 2, h - 2, 4, 3);
    EXPECT_EQ(back[0], 1);
    EXPECT_EQ(back[1], 3);
    EXPECT_EQ(back[2], 77);
    EXPECT_EQ(back[4], 9);
    EXPECT_EQ(back[8], 77);
    std::uint8_t row[5] = {1, 3, 5, 7, 9};
    s.screen->write_row(row, -2, 10, 5);
    std::uint8_t got[5] = {0, 0, 0, 0, 0};
    s.screen->read_row(got, -2, 10, 5);
    EXPECT_EQ(got[0], 0);
    EXPECT_EQ(got[2], 5);
    EXPECT_EQ(got[4], 9);
    // Nothing reaches the bitmap before the end of pixel access.
    const std::size_t at = static_cast<std::size_t>(10) * w;
    EXPECT_EQ(s.screen->bitmap(1)->plane[at], 10);
    s.screen->end_pixels();
    EXPECT_EQ(s.screen->bitmap(1)->plane[at], (5 + 1) / 2 + 10);
}

}  // namespace
}  // namespace korvan::win
