// Files that cannot be created or written: every writer reports the system's
// reason, and a plot whose file failed is not announced as written. A full
// disk is /dev/full, or a file size limit for whole plots.
#include "tests/unit/kernel_test_support.hpp"

#include <sys/resource.h>

#include <cerrno>
#include <csignal>

#include "plat/written_file.hpp"
#include "plot/devices/paper_canvas.hpp"
#include "plot/kernel/raster.hpp"
#include "plot/kernel/raster_dump.hpp"
#include "plot/kernel/record_file.hpp"
#include "plot/kernel/tiff.hpp"

namespace korvan::test {
namespace {

using FileErrorTest = KernelTest;

TEST(WrittenFile, KeepsTheFirstReason)
{
    plat::WrittenFile missing;
    EXPECT_FALSE(missing.create("/nonexistent_dir/x"));
    EXPECT_EQ(missing.error(), ENOENT);
    EXPECT_FALSE(missing.write("x"));
    EXPECT_EQ(missing.close(), ENOENT);

    // Buffered writes to a full disk fail at the latest when the file is closed.
    plat::WrittenFile full;
    ASSERT_TRUE(full.create("/dev/full"));
    full.write("a few bytes");
    std::fprintf(full.stream(), "%s\n", "formatted");
    EXPECT_EQ(full.close(), ENOSPC);
    EXPECT_FALSE(full.write("more"));

    plat::WrittenFile null;
    ASSERT_TRUE(null.create("/dev/null"));
    EXPECT_TRUE(null.write(std::string(100000, 'x')));
    EXPECT_EQ(null.close(), 0);
}

TEST(FileWriters, FullDiskIsReported)
{
    RecordFile text;
    ASSERT_TRUE(text.open("/dev/full", false));
    for (int i = 0; i < 100; ++i)
        text.append(" 0.5000000");
    EXPECT_EQ(text.flush_close(), ENOSPC);
    RecordFile cgm;
    ASSERT_TRUE(cgm.open("/dev/full", true));
    cgm.append(std::string(200, 'c'));
    EXPECT_EQ(cgm.flush_close(), ENOSPC);
    RecordFile nowhere;
    EXPECT_FALSE(nowhere.open("/nonexistent_dir/x.met", false));
    EXPECT_EQ(nowhere.error(), ENOENT);

    ColourTable colours{};
    const auto row = [](int, std::uint8_t* r) { r[0] = 1; };
    EXPECT_EQ(write_tiff("/dev/full", 10, 10, colours, row), ENOSPC);
    EXPECT_EQ(write_tiff("/nonexistent_dir/x.tif", 10, 10, colours, row), ENOENT);
    EXPECT_EQ(write_tiff("/dev/null", 10, 10, colours, row), 0);
    Raster raster;
    ASSERT_TRUE(raster.create(20, 10));
    EXPECT_EQ(write_raster_dump("/dev/full", raster), ENOSPC);
    EXPECT_EQ(write_raster_dump("/dev/null", raster), 0);
}

TEST(FileWriters, PaperFormatsOnAFullDisk)
{
    struct Case {
        const char* name;
        std::unique_ptr<PaperCanvas> canvas;
    };
    Case cases[] = {{"PDF", make_pdf_canvas()}, {"SVG", make_svg_canvas()}, {"PNG", make_png_canvas(72)}};
    for (Case& c : cases) {
        // A page that cannot be made, or one whose file cannot be written, fails.
        bool ok = c.canvas->begin_page("/dev/full", 100, 100, 1) && c.canvas->end_page() && c.canvas->finish();
        EXPECT_FALSE(ok) << c.name;
        EXPECT_FALSE(c.canvas->begin_page("/nonexistent_dir/x", 100, 100, 1)) << c.name;
    }
}

// A plot file that stops growing at a size limit: a full disk in a test.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        old_handler_ = std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &old_);
        rlimit limit = old_;
        limit.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &old_);
        std::signal(SIGXFSZ, old_handler_);
    }

private:
    rlimit old_{};
    void (*old_handler_)(int) = nullptr;
};

// Draws enough lines to fill several file buffers.
void draw_many_lines()
{
    for (int i = 0; i < 20000; ++i)
        plot_vector(i % 2900, (i * 7) % 2000, i % 2 == 0 ? 3 : 2);
}

TEST_F(FileErrorTest, FullDiskPlotIsNotNamedAsWritten)
{
    for (const char* device : {"GKSV", "POST", "CGM", "HPGL", "TIFF", "SVG"}) {
        reset_state_for_tests();
        win::start(true);
        metafl(device);
        setfil(std::string("full.") + device);
        korini();
        draw_many_lines();
        take_output();
        {
            FileSizeLimit limit(4096);
            korfin();
        }
        const std::string out = take_output();
        EXPECT_TRUE(state().output_failed) << device;
        EXPECT_NE(out.find(" <<<< Warning  36: File error in korfin!   ("), std::string::npos) << device << out;
        EXPECT_NE(out.find(": File too large)\n"), std::string::npos) << device << out;
        EXPECT_NE(out.find(" <<  Metafile: " + std::string(48, ' ') + "  <<"), std::string::npos) << device << out;
    }
}

TEST_F(FileErrorTest, MissingDirectoryWithTheErrorFile)
{
    win::reset_for_tests();
    win::start(false);
    setfil("nodir/x.met");
    korini();
    const std::string line = " <<<< Warning  36: File error in korini!   (nodir/x.met: No such file or directory)\n";
    // Beside the error file also on the text output, where the user sees it.
    EXPECT_EQ(take_output(), "[box:]" + line);
    pagera();
    korfin();
    EXPECT_EQ(read_file("korvan.err"), line);
    EXPECT_EQ(mask_clock(take_output()), "[box:]           END OF KORVAN / VERSION  6.3 B\n "
                                         "\n Date          : DD.MM.YY"
                                         "\n Time          : hh:mm:ss"
                                         "\n Pageformat: DA4L"
                                         "\n Vectors      : 5"
                                         "\n Warnings  : 1"
                                         "\n Fileformat  : GKSV"
                                         "\n Error file    : korvan.err");
    // The name stays for the next plot, which writes it once the directory is there.
    std::filesystem::create_directory("nodir");
    korini();
    korfin();
    EXPECT_FALSE(state().output_failed);
    EXPECT_TRUE(exists("nodir/x.met"));
}

TEST_F(FileErrorTest, LongNamesAreTakenWhole)
{
    std::string dir;
    for (int i = 0; i < 12; ++i)
        dir += "directory" + std::to_string(i) + "/";
    std::filesystem::create_directories(dir);
    setfil(dir + "x.met");
    korini();
    korfin();
    EXPECT_EQ(state().output_file, dir + "x.met");
    EXPECT_TRUE(exists(dir + "x.met"));
    // A file name longer than the system allows is refused, not cut.
    const std::string too_long = std::string(300, 'a') + ".met";
    setfil(too_long);
    korini();
    korfin();
    EXPECT_NE(take_output().find("(" + too_long + ": File name too long)"), std::string::npos);
    EXPECT_TRUE(state().output_failed);
}

}  // namespace
}  // namespace korvan::test
