// HWFONT text on screen devices: the screen's own font drawn into the window
// bitmap (and so into the headless picture), at the character height and
// angle, measured as drawn; stroke text where the font is missing.
#include <png.h>

#include <cmath>
#include <cstdlib>

#include "plat/graphics.hpp"
#include "plat/hardware_font.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/routines/text.hpp"
#include "plot/win/screen.hpp"
#include "plot/win/screen_text.hpp"
#include "tests/unit/kernel_test_support.hpp"

namespace korvan::test {
namespace {

// The box of all pixels that differ from black, right and bottom exclusive.
struct InkBox {
    int left = 1 << 30, top = 1 << 30, right = -1, bottom = -1;
    long count = 0;
};

InkBox ink_box(const std::vector<std::uint8_t>& rgb, int width, int height)
{
    InkBox box;
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x) {
            const std::size_t at = (static_cast<std::size_t>(y) * width + x) * 3;
            if (rgb[at] == 0 && rgb[at + 1] == 0 && rgb[at + 2] == 0)
                continue;
            box.left = std::min(box.left, x);
            box.right = std::max(box.right, x + 1);
            box.top = std::min(box.top, y);
            box.bottom = std::max(box.bottom, y + 1);
            ++box.count;
        }
    return box;
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
    const bool ok = png_image_finish_read(&image, nullptr, rgb.data(), 0, nullptr) != 0;
    png_image_free(&image);
    return ok;
}

class HardwareTextTest : public KernelTest {
protected:
    void SetUp() override
    {
        KernelTest::SetUp();
        plat::set_hardware_font_path("");
        ASSERT_NE(plat::hardware_font(), nullptr) << "the hardware font file is missing (fonts-urw-base35)";
    }
    void TearDown() override
    {
        plat::set_hardware_font_path("");
        KernelTest::TearDown();
    }

    // A screen plot whose window stays after KORFIN; black page, white text.
    void open_screen()
    {
        metafl("XWIN");
        winmod("NOER");
        korini();
        scale_ = state().device_scale;
    }
    const win::Bitmap& window() const { return *win::screen().bitmap(1); }
    InkBox ink() const { return ink_box(window().picture.rgb, window().width, window().height); }
    double px(double plot_units) const { return plot_units * scale_; }

    double scale_ = 0;
};

TEST_F(HardwareTextTest, CapitalsHaveTheCharacterHeightAndTheTextIsAsLongAsNlmessSays)
{
    open_screen();
    hwfont();
    height(100);
    const int length = nlmess("HHHH");
    EXPECT_EQ(length, std::lround(win::text_advance(U"HHHH") * 100));
    messag("HHHH", 200, 300);
    const InkBox box = ink();
    const double cap = px(100);
    // The upper left corner of the text is (200, 300); capitals end on the base line 99 units lower.
    EXPECT_NEAR(box.top, px(300), 1.5);
    EXPECT_NEAR(box.bottom, px(399) + 1, 1.5);
    EXPECT_GE(box.left, px(200) - 1);
    EXPECT_LE(box.left, px(200) + 0.1 * cap);
    EXPECT_LE(box.right, px(200 + length) + 1);
    EXPECT_GE(box.right, px(200 + length) - 0.1 * cap);
    // Filled letters, not strokes.
    EXPECT_GT(box.count, static_cast<long>(4 * 0.2 * cap * cap));
    // The next text continues where this one ended.
    EXPECT_NEAR(state().text.end_x, 200 + length, 1.0);
}

TEST_F(HardwareTextTest, RightAndCentredTextEndAndCentreAtThePoint)
{
    open_screen();
    hwfont();
    height(100);
    txtjus("RIGH");
    messag("Wide text", 2000, 300);
    InkBox box = ink();
    EXPECT_LE(box.right, px(2000) + 1);
    EXPECT_GE(box.right, px(2000) - 0.1 * px(100));
    korfin();
    open_screen();
    hwfont();
    height(100);
    txtjus("CENT");
    messag("Wide text", 1500, 300);
    box = ink();
    EXPECT_NEAR((box.left + box.right) / 2.0, px(1500), 0.1 * px(100));
}

TEST_F(HardwareTextTest, AnglesTurnTheTextAboutItsUpperLeftCorner)
{
    for (int a : {0, 90, 180, 270, 30}) {
        open_screen();
        hwfont();
        height(100);
        angle(a);
        const double x = 1500, y = 1000, h = 100;
        const double length = nlmess("HHHH");
        messag("HHHH", 1500, 1000);
        // The ink lies between the base line (from its start, along the text)
        // and the capitals' tops, h - 1 units up from it.
        const double r = a * 3.14159265358979323846 / 180.0;
        const double s = std::sin(r), c = std::cos(r);
        const double bx = x + (h - 1) * s, by = y + (h - 1) * c;
        const double xs[4] = {bx, bx + length * c, bx - (h - 1) * s, bx + length * c - (h - 1) * s};
        const double ys[4] = {by, by - length * s, by - (h - 1) * c, by - length * s - (h - 1) * c};
        const InkBox box = ink();
        const double slack = 0.12 * px(h) + 2;
        EXPECT_NEAR(box.left, px(*std::min_element(xs, xs + 4)), slack) << a;
        EXPECT_NEAR(box.right, px(*std::max_element(xs, xs + 4)), slack) << a;
        EXPECT_NEAR(box.top, px(*std::min_element(ys, ys + 4)), slack) << a;
        EXPECT_NEAR(box.bottom, px(*std::max_element(ys, ys + 4)), slack) << a;
        korfin();
    }
}

TEST_F(HardwareTextTest, ATurnedPageTurnsTheTextWithIt)
{
    pagmod("PORT");  // the landscape page stands upright on the screen
    open_screen();
    hwfont();
    height(100);
    const double length = nlmess("HHHH");
    messag("HHHH", 1500, 1000);
    // Plot (x, y) is the pixel (y, page width - x): the text runs up the window
    // and the capitals' tops point left, to the page's top.
    const double w = state().page_width;
    const InkBox box = ink();
    const double slack = 0.12 * px(100) + 2;
    EXPECT_NEAR(box.left, px(1000), slack);
    EXPECT_NEAR(box.right, px(1099), slack);
    EXPECT_NEAR(box.top, px(w - 1500 - length), slack);
    EXPECT_NEAR(box.bottom, px(w - 1500), slack);
}

TEST_F(HardwareTextTest, HeadlessPictureShowsTheTextAndIsTheSameEveryRun)
{
    std::string first;
    for (int run = 0; run < 2; ++run) {
        metafl("XWIN");
        filmod("DELETE");
        korini();
        const double scale = state().device_scale;
        hwfont();
        height(80);
        messag("Hardware text", 400, 600);
        korfin();
        int width = 0, height_px = 0;
        std::vector<std::uint8_t> rgb;
        ASSERT_TRUE(load_png("korvan_win1.png", width, height_px, rgb));
        const InkBox box = ink_box(rgb, width, height_px);
        EXPECT_NEAR(box.top, 600 * scale, 1.5);
        EXPECT_NEAR(box.bottom, 679 * scale + 1, 1.5);
        EXPECT_NEAR(box.left, 400 * scale, 0.1 * 80 * scale + 1);
        const std::string bytes = read_file("korvan_win1.png");
        if (run == 0)
            first = bytes;
        else
            EXPECT_TRUE(bytes == first);
    }
}

// UTF-8 and the Latin-1 bytes of older scripts draw the same letters; Greek
// letters and signs come from the font; a character it lacks is a square,
// counted in one warning.
TEST_F(HardwareTextTest, TextsInUtf8AndLatin1)
{
    open_screen();
    hwfont();
    height(100);
    take_output();
    EXPECT_EQ(nlmess("Temp\xC3\xA9rature \xC2\xB0"), nlmess("Temp\xE9rature \xB0"));
    messag("Temp\xC3\xA9rature", 200, 300);
    const std::vector<std::uint8_t> utf8 = window().picture.rgb;
    erase();
    messag("Temp\xE9rature", 200, 300);
    EXPECT_TRUE(window().picture.rgb == utf8);
    EXPECT_EQ(take_output(), "");
    // Delta and <= are as wide as the font has them, not two or three Latin-1 characters.
    EXPECT_EQ(nlmess("\xCE\x94\xE2\x89\xA4"), std::lround((plat::hardware_font()->advance(0x394) +
                                                              plat::hardware_font()->advance(0x2264)) * 100));
    erase();
    messag("\xF0\x9F\x98\x80!", 200, 300);  // an emoji: the square
    EXPECT_GT(ink().count, 0);
    EXPECT_EQ(take_output(), " <<<< Warning: 1 character not in the font in MESSAG - (\xF0\x9F\x98\x80!).\n");
}

TEST_F(HardwareTextTest, WithoutTheFontFileHwfontDrawsTheStrokeFontComplx)
{
    open_screen();
    complx();
    height(100);
    const int stroke_length = nlmess("Fallback");
    messag("Fallback", 200, 300);
    const std::vector<std::uint8_t> stroke = window().picture.rgb;
    korfin();

    plat::set_hardware_font_path("/nonexistent/font.otf");
    open_screen();
    hwfont();
    height(100);
    EXPECT_EQ(nlmess("Fallback"), stroke_length);
    messag("Fallback", 200, 300);
    EXPECT_TRUE(window().picture.rgb == stroke);
    korfin();

    plat::set_hardware_font_path("");
    open_screen();
    hwfont();
    height(100);
    EXPECT_NE(nlmess("Fallback"), stroke_length);
    messag("Fallback", 200, 300);
    EXPECT_GT(ink().count, 0);
    EXPECT_FALSE(window().picture.rgb == stroke);
}

TEST_F(HardwareTextTest, OtherDevicesKeepTheirOwnHwfont)
{
    // The metafile has no font of its own: HWFONT measures as COMPLX there.
    metafl("GKSV");
    korini();
    complx();
    height(100);
    const int stroke_length = nlmess("Metafile");
    hwfont();
    EXPECT_EQ(nlmess("Metafile"), stroke_length);
    korfin();
}

TEST_F(HardwareTextTest, PaletteScreensGetTheExactPenIndex)
{
    plat::ScreenInfo info;
    info.bits_per_pixel = 8;
    plat::set_graphics(plat::make_offscreen_graphics(info));
    win::reset_screen();
    open_screen();
    hwfont();
    height(120);
    setclr(100);
    messag("Palette", 300, 300);
    win::screen().flush();
    const win::Bitmap& b = window();
    const int background = b.plane[0];
    const int pen = win::screen().pen_stored();
    long inked = 0;
    for (std::uint8_t v : b.plane) {
        if (v == background)
            continue;
        EXPECT_EQ(v, pen);
        ++inked;
        if (v != pen)
            break;
    }
    EXPECT_GT(inked, 1000);
}

TEST_F(HardwareTextTest, TextAcrossTheWindowEdgeShowsItsVisiblePart)
{
    open_screen();
    hwfont();
    height(100);
    const int length = nlmess("HHHHHH");
    // The window's left edge cuts the third letter in the middle.
    const int start = -length * 5 / 12;
    messag("HHHHHH", start, 500);
    const InkBox box = ink();
    EXPECT_EQ(box.left, 0);
    EXPECT_NEAR(box.right, px(start + length), 0.1 * px(100) + 1);
    EXPECT_GT(box.count, static_cast<long>(3 * 0.2 * px(100) * px(100)));
}

TEST_F(HardwareTextTest, HugeOddAndFarAwayTextsDoNotHurt)
{
    open_screen();
    hwfont();
    height(10000);
    messag("HUGE", 0, 0);
    height(50);
    angle(45);
    messag(std::string("\x01\x7f\xff\xe4 odd", 9), 1000, 1000);
    messag("far away", -100000, 500000);
    angle(0);
    EXPECT_GT(ink().count, 0);
    korfin();
}

}  // namespace
}  // namespace korvan::test
