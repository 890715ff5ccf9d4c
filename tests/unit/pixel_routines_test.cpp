// Pixel access: IMGINI, IMGFIN and the pixel, block and row routines on the
// raster of an image device and on a screen window's bitmap, with their warnings.
#include "tests/unit/kernel_test_support.hpp"

#include <cstdint>
#include <vector>

#include "plot/kernel/images.hpp"
#include "plot/kernel/raster.hpp"
#include "plot/kernel/raster_device.hpp"
#include "plot/kernel/tiff.hpp"
#include "plot/win/screen.hpp"

namespace korvan::test {
namespace {

using PixelRoutineTest = KernelTest;

TEST_F(PixelRoutineTest, WarningsOfThePixelRoutines)
{
    std::uint8_t values[4] = {};
    int value = -7;
    wpixel(0, 0, 1);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in wpixel!   (   0)\n"
                             " <<<< Warning  55: No call to imgini in wpixel!\n");
    metafl("VIRT");
    korini();
    wpixel(0, 0, 1);
    rpixel(0, 0, value);
    wpixls(values, 0, 0, 2, 2);
    rpixls(values, 0, 0, 2, 2);
    wpxrow(values, 0, 0, 4);
    rpxrow(values, 0, 0, 4);
    imgfin();
    EXPECT_EQ(take_output(), " <<<< Warning  55: No call to imgini in wpixel!\n"
                             " <<<< Warning  55: No call to imgini in rpixel!\n"
                             " <<<< Warning  55: No call to imgini in wpixls!\n"
                             " <<<< Warning  55: No call to imgini in rpixls!\n"
                             " <<<< Warning  55: No call to imgini in wpxrow!\n"
                             " <<<< Warning  55: No call to imgini in rpxrow!\n"
                             " <<<< Warning  55: No call to imgini in imgfin!\n");
    EXPECT_EQ(value, -7);
    imgini();
    imgini();
    EXPECT_EQ(take_output(), " <<<< Warning  54: No call to imgfin in imgini!\n");
    rpixel(853, 0, value);
    rpixel(0, -1, value);
    EXPECT_EQ(take_output(), " <<<< Warning  58: Array is out of screen in rpixel!\n"
                             " <<<< Warning  58: Array is out of screen in rpixel!\n");
    EXPECT_EQ(value, -7);
    wpixel(0, 0, 256);
    wpixel(0, 0, -1);
    wpixls(values, 0, 0, -2, 2);
    wpixls(values, 0, 0, 3, 2);   // more than the array holds
    rpxrow(values, 0, 0, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in wpixel!   ( 256)\n"
                             " <<<< Warning   2: Incorrect parameter in wpixel!   (  -1)\n"
                             " <<<< Warning   2: Incorrect parameter in wpixls!   (  -2)\n"
                             " <<<< Warning   2: Incorrect parameter in wpixls!\n"
                             " <<<< Warning   2: Incorrect parameter in rpxrow!\n");
    imgfin();
    EXPECT_EQ(take_output(), "");
    korfin();
    take_output();

    metafl("POST");
    korini();
    imgini();
    EXPECT_EQ(take_output(), " <<<< Warning  40: File format and output device are incompatible in imgini!\n");
    korfin();
}

TEST_F(PixelRoutineTest, PixelsBlocksAndRowsOnTheRaster)
{
    metafl("VIRT");
    winsiz(20, 10);
    korini();
    const Raster& r = *plot_raster();
    imgini();
    wpixel(3, 4, 200);
    wpixel(-1, 4, 9);   // outside: nothing
    wpixel(20, 0, 9);
    int value = 0;
    rpixel(3, 4, value);
    EXPECT_EQ(value, 200);

    const std::uint8_t block[6] = {1, 2, 3, 4, 5, 6};  // 3 x 2
    wpixls(block, 18, 8, 3, 2);                        // clipped at the right
    EXPECT_EQ(r.get(18, 8), 1);
    EXPECT_EQ(r.get(19, 8), 2);
    EXPECT_EQ(r.get(18, 9), 4);
    EXPECT_EQ(r.get(19, 9), 5);
    wpixls(block, -1, -1, 3, 2);  // clipped at the upper left
    EXPECT_EQ(r.get(0, 0), 5);
    EXPECT_EQ(r.get(1, 0), 6);

    std::uint8_t read[6] = {9, 9, 9, 9, 9, 9};
    rpixls(read, 18, 8, 3, 2);  // pixels outside leave their values
    EXPECT_EQ(std::vector<int>(read, read + 6), (std::vector<int>{1, 2, 9, 4, 5, 9}));

    const std::uint8_t row[4] = {11, 12, 13, 14};
    wpxrow(row, 5, 2, 4);
    std::uint8_t back[5] = {0, 0, 0, 0, 0};
    rpxrow(back, 4, 2, 5);
    EXPECT_EQ(std::vector<int>(back, back + 5), (std::vector<int>{0, 11, 12, 13, 14}));
    wpxrow(row, 0, 10, 4);  // below the raster
    wpxrow(row, 0, 0, 0);
    imgfin();
    EXPECT_EQ(take_output(), "");

    // KORFIN ends pixel access: the next plot begins it afresh.
    imgini();
    korfin();
    EXPECT_FALSE(state().image.pixel_access);
    korini();
    imgini();
    EXPECT_EQ(take_output().find("<<<< Warning"), std::string::npos);
    korfin();
}

// On a screen window the pixels are those of the window's bitmap.
TEST_F(PixelRoutineTest, ScreenWindowPixelsAndImageFiles)
{
    metafl("XWIN");
    korini();
    winmod("NONE");
    const win::Bitmap* b = win::screen().bitmap(1);
    ASSERT_NE(b, nullptr);
    const int w = b->width;
    const int h = b->height;
    imgini();
    wpixel(2, 3, 77);
    wpixel(w, 0, 5);
    int value = 0;
    rpixel(2, 3, value);
    EXPECT_EQ(value, 77);
    rpixel(w, 0, value);
    EXPECT_EQ(take_output(), " <<<< Warning  58: Array is out of screen in rpixel!\n");
    const std::uint8_t row[3] = {10, 20, 30};
    wpxrow(row, w - 2, h - 1, 3);
    std::uint8_t back[2] = {};
    rpxrow(back, w - 2, h - 1, 2);
    EXPECT_EQ(back[0], 10);
    EXPECT_EQ(back[1], 20);
    imgfin();

    // RTIFF reads the window through pixel access of its own.
    rtiff("win.tif");
    const std::string file = read_file("win.tif");
    ASSERT_EQ(file.size(), 146u + 6u * h + 1536u + static_cast<std::size_t>(w) * h);
    const std::size_t rows = 146u + 6u * h + 1536u;
    EXPECT_EQ(static_cast<unsigned char>(file[rows + 3 * w + 2]), 77);
    EXPECT_EQ(static_cast<unsigned char>(file[rows + (h - 1) * w + w - 1]), 20);

    // WTIFF loads it back into the erased window; RIMAGE and WIMAGE round trip.
    erase();
    wtiff("win.tif");
    imgini();
    rpixel(2, 3, value);
    EXPECT_EQ(value, 77);
    imgfin();
    rimage("win.dmp");
    EXPECT_EQ(read_file("win.dmp").substr(0, 20), "!Bitmap KORVAN WIN  ");
    erase();
    wimage("win.dmp");
    imgini();
    rpixel(2, 3, value);
    EXPECT_EQ(value, 77);
    imgfin();
    EXPECT_EQ(take_output(), "");
    korfin();
}

}  // namespace
}  // namespace korvan::test
