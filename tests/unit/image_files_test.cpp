// Image files: the bitmap dump (RIMAGE, WIMAGE, IMAG at KORFIN) and TIFF
// (RTIFF, WTIFF, TIFF at KORFIN) byte by byte, round trips, placement by
// TIFORG and TIFWIN, and files that are cut short or are not what they claim.
#include "tests/unit/kernel_test_support.hpp"

#include <cstdint>
#include <random>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/images.hpp"
#include "plot/kernel/raster.hpp"
#include "plot/kernel/raster_device.hpp"
#include "plot/kernel/raster_dump.hpp"
#include "plot/kernel/tiff.hpp"

namespace korvan::test {
namespace {

std::string bytes_of(std::initializer_list<int> values)
{
    std::string s;
    for (int v : values)
        s += static_cast<char>(v);
    return s;
}

int u16(const std::string& s, std::size_t at)
{
    return static_cast<unsigned char>(s[at]) | (static_cast<unsigned char>(s[at + 1]) << 8);
}

long u32(const std::string& s, std::size_t at) { return u16(s, at) | (static_cast<long>(u16(s, at + 2)) << 16); }

class ImageFileTest : public KernelTest {
protected:
    // A VIRT plot of w x h pixels with a pattern: pixel (x, y) = (x + 3 y) % 256.
    void open_pattern(int w, int h)
    {
        metafl("VIRT");
        winsiz(w, h);
        korini();
        Raster& r = *plot_raster();
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                r.set(x, y, (x + 3 * y) % 256);
    }
    Raster& raster() { return *plot_raster(); }
    std::vector<std::uint8_t> snapshot() { return {raster().bytes().begin(), raster().bytes().end()}; }
};

// --- Bitmap dumps ------------------------------------------------------------

TEST_F(ImageFileTest, DumpHeaderAndRowsAsWritten)
{
    EXPECT_EQ(raster_dump_header(853, 603, 856),
              "!Bitmap KORVAN VIRT   853   603     8   856     8    32     0     1     0       ");
    open_pattern(13, 11);
    rimage("pic.img");
    const std::string file = read_file("pic.img");
    ASSERT_EQ(file.size(), 80u + 16u * 11u);
    EXPECT_EQ(file.substr(0, 80),
              "!Bitmap KORVAN VIRT    13    11     8    16     8    32     0     1     0       ");
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(static_cast<unsigned char>(file[80 + y * 16 + x]), (x + 3 * y) % 256);
    EXPECT_EQ(file[80 + 13], '\0');  // padding of the row
    // The file version rule applies to the name.
    rimage("pic.img");
    EXPECT_TRUE(exists("pic_1.img"));
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(ImageFileTest, DumpRoundTripAndOtherSizes)
{
    open_pattern(13, 11);
    const auto before = snapshot();
    rimage("pic.img");
    erase();
    wimage("pic.img");
    EXPECT_EQ(snapshot(), before);
    korfin();
    take_output();

    // Into a larger raster: the common rows and bytes; the rest stays.
    open_pattern(20, 15);
    raster().fill(0, 0, 19, 14, 99);
    wimage("pic.img");
    EXPECT_EQ(raster().get(12, 10), (12 + 30) % 256);
    EXPECT_EQ(raster().get(16, 0), 99);   // beyond the file's row length of 16
    EXPECT_EQ(raster().get(0, 11), 99);   // beyond the file's rows
    korfin();
    take_output();

    // Into a smaller one: the first row length of each file row.
    open_pattern(10, 10);
    erase();
    wimage("pic.img");
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(raster().get(9, 9), (9 + 27) % 256);
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(ImageFileTest, ScreenDumpValuesBecomeColourIndices)
{
    // Eighth number 0 and ninth 16: v = 16 gives 0, otherwise 2 (v - 16) - 1.
    std::string header = "!Bitmap KORVAN WIN  "
                         "    4     1     8     4    24    32     0     0    16";
    header.resize(80, ' ');
    write_file("win.dmp", header + bytes_of({16, 17, 20, 200}));
    open_pattern(10, 10);
    wimage("win.dmp");
    EXPECT_EQ(raster().get(0, 0), 0);
    EXPECT_EQ(raster().get(1, 0), 1);
    EXPECT_EQ(raster().get(2, 0), 7);
    EXPECT_EQ(raster().get(3, 0), 255);  // beyond the colours: the last one
    EXPECT_EQ(raster().get(4, 0), 4);    // not in the file
    EXPECT_EQ(raster().get(0, 1), 3);
    EXPECT_EQ(dump_stored_to_index(5, 10), 0);
    EXPECT_EQ(dump_stored_to_index(10, 10), 0);
    EXPECT_EQ(dump_stored_to_index(11, 10), 1);
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(ImageFileTest, BrokenDumpsAreRefusedWithoutChange)
{
    open_pattern(13, 11);
    rimage("good.img");
    const std::string good = read_file("good.img");
    std::string not_bitmap = good;
    not_bitmap[0] = '?';
    std::string twelve_bits = good;
    twelve_bits.replace(20 + 12, 5, "   12");
    std::string huge_rows = good;
    huge_rows.replace(20 + 18, 5, "99999");
    std::string few_numbers = good.substr(0, 40) + std::string(40, ' ') + good.substr(80);
    std::string negative = good;
    negative.replace(20, 5, "   -3");
    erase();
    const auto cleared = snapshot();
    for (const std::string& content : {not_bitmap, twelve_bits, huge_rows, few_numbers, negative}) {
        write_file("bad.img", content);
        wimage("bad.img");
        EXPECT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in wimage!\n");
        EXPECT_EQ(snapshot(), cleared);
    }
    // Every cut of a good dump.
    for (std::size_t n = 0; n < good.size(); n += (n < 100 ? 1 : 37)) {
        write_file("cut.img", good.substr(0, n));
        wimage("cut.img");
        ASSERT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in wimage!\n") << n;
        ASSERT_EQ(snapshot(), cleared) << n;
    }
    // A file that does not open: its name and the system's reason.
    wimage("missing.img");
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in wimage!   (missing.img: No such file or directory)\n");
    rimage("no/such/dir/x.img");
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in rimage!   (no/such/dir/x.img: No such file or directory)\n");
    korfin();
}

// --- TIFF --------------------------------------------------------------------

TEST_F(ImageFileTest, TiffHeaderAndDirectoryAsWritten)
{
    ColourTable colours{};
    colours[0] = 0x0102FF;
    colours[255] = 0x800040;
    const std::vector<std::uint8_t> head = tiff_head(5, 3, colours);
    const std::string expected = bytes_of({
        'I', 'I', 42, 0, 8, 0, 0, 0,                    // header
        11, 0,                                          // entries
        0xFE, 0, 4, 0, 1, 0, 0, 0, 0, 0, 0, 0,          // NewSubfileType
        0, 1, 3, 0, 1, 0, 0, 0, 5, 0, 0, 0,             // ImageWidth
        1, 1, 3, 0, 1, 0, 0, 0, 3, 0, 0, 0,             // ImageLength
        2, 1, 3, 0, 1, 0, 0, 0, 8, 0, 0, 0,             // BitsPerSample
        3, 1, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0,             // Compression
        6, 1, 3, 0, 1, 0, 0, 0, 3, 0, 0, 0,             // Photometric: palette
        0x11, 1, 4, 0, 3, 0, 0, 0, 146, 0, 0, 0,        // StripOffsets at 146
        0x15, 1, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0,          // SamplesPerPixel
        0x16, 1, 3, 0, 1, 0, 0, 0, 1, 0, 0, 0,          // RowsPerStrip
        0x17, 1, 3, 0, 3, 0, 0, 0, 158, 0, 0, 0,        // StripByteCounts at 146 + 4h
        0x40, 1, 3, 0, 0, 3, 0, 0, 164, 0, 0, 0,        // ColorMap at 146 + 6h
        0, 0, 0, 0,                                     // no next IFD
        0xA4, 6, 0, 0, 0xA9, 6, 0, 0, 0xAE, 6, 0, 0,    // rows at 1700, 1705, 1710
        5, 0, 5, 0, 5, 0,                               // 5 bytes each
    });
    ASSERT_EQ(head.size(), 146u + 18u + 1536u);
    EXPECT_EQ(std::string(head.begin(), head.begin() + 164), expected);
    const std::string map(head.begin() + 164, head.end());
    EXPECT_EQ(u16(map, 0), 0x01 * 257);          // red of 0
    EXPECT_EQ(u16(map, 512), 0x02 * 257);        // green of 0
    EXPECT_EQ(u16(map, 1024), 0xFF * 257);       // blue of 0
    EXPECT_EQ(u16(map, 510), 0x80 * 257);        // red of 255
    EXPECT_EQ(u16(map, 1534), 0x40 * 257);       // blue of 255
}

TEST_F(ImageFileTest, OneOrTwoRowsKeepTheirStripTablesInTheEntries)
{
    const ColourTable colours{};
    const std::vector<std::uint8_t> one = tiff_head(7, 1, colours);
    const std::string a(one.begin(), one.end());
    EXPECT_EQ(u32(a, 10 + 6 * 12 + 8), 146 + 6 + 1536);  // the strip's own offset
    EXPECT_EQ(u16(a, 10 + 9 * 12 + 8), 7);                // its byte count
    const std::vector<std::uint8_t> two = tiff_head(7, 2, colours);
    const std::string b(two.begin(), two.end());
    EXPECT_EQ(u32(b, 10 + 6 * 12 + 8), 146);
    EXPECT_EQ(u16(b, 10 + 9 * 12 + 8), 7);
    EXPECT_EQ(u16(b, 10 + 9 * 12 + 10), 7);
    EXPECT_EQ(u32(b, 10 + 10 * 12 + 8), 146 + 12);
}

TEST_F(ImageFileTest, RtiffWritesRowsAndTheColourTable)
{
    open_pattern(13, 11);
    rtiff("pic.tif");
    EXPECT_EQ(take_output(), "");
    const std::string file = read_file("pic.tif");
    ASSERT_EQ(file.size(), 146u + 66u + 1536u + 13u * 11u);
    const std::vector<std::uint8_t> head = tiff_head(13, 11, state().colour_table);
    EXPECT_EQ(file.substr(0, head.size()), std::string(head.begin(), head.end()));
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x)
            ASSERT_EQ(static_cast<unsigned char>(file[head.size() + y * 13 + x]), (x + 3 * y) % 256);
    rtiff("pic.tif");
    EXPECT_TRUE(exists("pic_1.tif"));
    rtiff("no/such/dir/x.tif");
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in rtiff!   (no/such/dir/x.tif: No such file or directory)\n");
    korfin();
}

TEST_F(ImageFileTest, TiffRoundTripRestoresPixelsAndColours)
{
    open_pattern(13, 11);
    const auto before = snapshot();
    const auto table = state().colour_table;
    rtiff("pic.tif");
    erase();
    setvlt("GREY");
    ASSERT_NE(state().colour_table, table);
    wtiff("pic.tif");
    EXPECT_EQ(snapshot(), before);
    EXPECT_EQ(state().colour_table, table);
    EXPECT_EQ(take_output(), "");
    korfin();
}

TEST_F(ImageFileTest, TiforgPlacesAndTifwinCutsTheImage)
{
    open_pattern(13, 11);
    rtiff("pic.tif");
    erase();
    tiforg(5, 3);
    tifwin(2, 1, 4, 3);
    wtiff("pic.tif");
    for (int y = 0; y < 11; ++y)
        for (int x = 0; x < 13; ++x) {
            const bool in = x >= 5 && x < 9 && y >= 3 && y < 6;
            ASSERT_EQ(raster().get(x, y), in ? (x - 3 + 3 * (y - 2)) % 256 : 0) << x << "," << y;
        }
    // Placed partly off the raster, a window beyond the image: clipped.
    erase();
    tiforg(-10, 9);
    tifwin(8, 0, 100, 100);
    wtiff("pic.tif");
    EXPECT_EQ(raster().get(0, 9), 0);
    EXPECT_EQ(raster().get(0, 10), 0);
    tiforg(-3, -1);
    wtiff("pic.tif");
    EXPECT_EQ(raster().get(0, 0), 11 + 3);  // image column 11 of row 1
    EXPECT_EQ(raster().get(1, 0), 12 + 3);
    EXPECT_EQ(raster().get(2, 0), 0);
    EXPECT_EQ(take_output(), "");
    tifwin(-1, 0, 4, 4);
    tifwin(0, 0, 0, 4);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in tifwin!   (  -1)\n"
                             " <<<< Warning   2: Incorrect parameter in tifwin!   (   0)\n");
    korfin();
    // The next plot places images at 0, 0 again.
    EXPECT_EQ(state().image.origin_x, -3);
    korini();
    EXPECT_EQ(state().image.origin_x, 0);
    EXPECT_FALSE(state().image.window);
    korfin();
}

TEST_F(ImageFileTest, BrokenTiffsAreRefusedWithoutChange)
{
    open_pattern(13, 11);
    rtiff("good.tif");
    const std::string good = read_file("good.tif");
    erase();
    const auto cleared = snapshot();
    const auto table = state().colour_table;

    std::string big_endian = good;
    big_endian[0] = big_endian[1] = 'M';
    std::string twelve = good;
    twelve[8] = 12;
    std::string next_ifd = good;
    next_ifd[8 + 2 + 132] = 1;
    std::string sixteen_bits = good;
    sixteen_bits[10 + 3 * 12 + 8] = 16;
    std::string far_strip = good;
    far_strip[146 + 43] = 0x7F;  // a strip offset beyond the file
    std::string huge = good;
    huge[10 + 12 + 8] = static_cast<char>(0xFF);
    huge[10 + 12 + 9] = static_cast<char>(0xFF);
    for (const std::string& content : {big_endian, twelve, next_ifd, sixteen_bits, far_strip, huge}) {
        write_file("bad.tif", content);
        wtiff("bad.tif");
        EXPECT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in wtiff!\n");
        EXPECT_EQ(snapshot(), cleared);
        EXPECT_EQ(state().colour_table, table);
    }
    for (std::size_t n = 0; n < good.size(); n += (n < 200 ? 1 : 29)) {
        write_file("cut.tif", good.substr(0, n));
        wtiff("cut.tif");
        ASSERT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in wtiff!\n") << n;
        ASSERT_EQ(snapshot(), cleared) << n;
    }
    wtiff("missing.tif");
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in wtiff!   (missing.tif: No such file or directory)\n");
    // Random bytes in the header, directory and tables: read or refused.
    std::mt19937 random(7);
    for (int i = 0; i < 400; ++i) {
        std::string content = good;
        for (int k = 0; k < 3; ++k)
            content[random() % 200] = static_cast<char>(random());
        write_file("noise.tif", content);
        wtiff("noise.tif");
        const std::string out = take_output();
        ASSERT_TRUE(out.empty() || out == " <<<< Warning  56: Incorrect file format in wtiff!\n") << out;
    }
    korfin();
}

TEST_F(ImageFileTest, ImageFileRoutinesNeedAnOpenPlotOnAPixelDevice)
{
    rimage("a.img");
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in rimage!   (   0)\n");
    metafl("POST");
    korini();
    unit(6);
    rimage("a.img");
    wimage("a.img");
    rtiff("a.tif");
    wtiff("a.tif");
    EXPECT_EQ(take_output(), " <<<< Warning  40: File format and output device are incompatible in rimage!\n"
                             " <<<< Warning  40: File format and output device are incompatible in wimage!\n"
                             " <<<< Warning  40: File format and output device are incompatible in rtiff!\n"
                             " <<<< Warning  40: File format and output device are incompatible in wtiff!\n");
    korfin();
    EXPECT_FALSE(exists("a.img"));
    EXPECT_FALSE(exists("a.tif"));
}

// --- KORFIN ------------------------------------------------------------------

TEST_F(ImageFileTest, KorfinWritesTiffAndDumpFilesByTheNamingRules)
{
    metafl("TIFF");
    winsiz(20, 10);
    korini();
    pagera();
    korfin();
    ASSERT_TRUE(exists("korvan.tif"));
    EXPECT_EQ(read_file("korvan.tif").size(), 146u + 60u + 1536u + 200u);
    EXPECT_NE(mask_clock(take_output()).find("Metafile: " + path("korvan.tif")), std::string::npos);
    EXPECT_EQ(getfil(), path("korvan.tif"));
    korini();
    korfin();
    EXPECT_TRUE(exists("korvan_1.tif"));
    EXPECT_EQ(getfil(), path("korvan_1.tif"));

    metafl("IMAG");
    korini();
    korfin();
    EXPECT_EQ(read_file("korvan.img").substr(0, 43), "!Bitmap KORVAN VIRT    20    10     8    20");
    setfil("mine.img");
    korini();
    korfin();
    EXPECT_TRUE(exists("mine.img"));

    metafl("VIRT");
    korini();
    korfin();
    const std::string protocol = take_output();
    EXPECT_NE(protocol.find("Fileformat: VIRT"), std::string::npos);
    EXPECT_NE(protocol.find("\n <<  Metafile: " + std::string(48, ' ') + "  <<"), std::string::npos);
    int files = 0;
    for ([[maybe_unused]] const auto& entry : std::filesystem::directory_iterator(dir_))
        ++files;
    EXPECT_EQ(files, 4);
}

}  // namespace
}  // namespace korvan::test
