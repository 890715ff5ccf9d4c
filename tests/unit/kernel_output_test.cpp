// Device selection, file naming and versions, the record buffer and SYMFIL.
#include "tests/unit/kernel_test_support.hpp"

#include "plat/terminal_console.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/record_file.hpp"

namespace korvan::test {
namespace {

using DeviceTest = KernelTest;
using FileNameTest = KernelTest;
using RecordFileTest = KernelTest;
using SymfilTest = KernelTest;
using ScreenSettingTest = KernelTest;

TEST_F(DeviceTest, MetaflKeywords)
{
    struct Case {
        const char* keyword;
        int code;
    };
    const Case cases[] = {{"GKSV", 201}, {"CGM", 211},  {"KYOC", 301}, {"HPGL", 401}, {"HPA4", 402}, {"HPA3", 403},
                          {"HPA2", 404}, {"HPA1", 405}, {"CONS", 80},  {"TEKT", 151}, {"VT34", 103}, {"LN03", 161},
                          {"POST", 501}, {"PSCL", 502}, {"XWIN", 75},  {"XWI1", 75},  {"XWI2", 76},  {"XWI3", 77},
                          {"XWI4", 78},  {"XWI5", 79},  {"XWND", 80},  {"TIFF", 601}, {"IMAG", 602}, {"VIRT", 603},
                          {"met1", 80},  {"MET9", 80},  {"postscript", 501}};
    const PlotState& s = state();
    for (const Case& c : cases) {
        metafl(c.keyword);
        EXPECT_EQ(s.device_code, c.code) << c.keyword;
        EXPECT_EQ(std::string(s.file_format), keyword4(c.keyword));
        EXPECT_TRUE(s.device_chosen);
    }
    EXPECT_EQ(take_output(), "");
    metafl("MET5");
    EXPECT_EQ(getmfl(), "MET5");
    take_output();
    metafl("xyz");
    metafl("MET0");
    metafl("MET:");
    metafl("");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in metafl!   (xyz)\n"
                             " <<<< Warning   2: Incorrect parameter in metafl!   (MET0)\n"
                             " <<<< Warning   2: Incorrect parameter in metafl!   (MET:)\n"
                             " <<<< Warning   2: Incorrect parameter in metafl!   ()\n");
    EXPECT_EQ(s.device_code, 80);
    EXPECT_STREQ(s.file_format, "MET5");
    // SETPAG does not override a chosen device.
    setpag("DA3L");
    EXPECT_EQ(s.device_code, 80);
}

TEST_F(DeviceTest, MetaflSetsTheMessageUnit)
{
    unit(0);
    metafl("GKSV");
    EXPECT_EQ(state().message_unit, 6);
}

TEST_F(DeviceTest, DefaultExtensions)
{
    EXPECT_STREQ(default_extension(151), "tek");
    EXPECT_STREQ(default_extension(161), "ln3");
    EXPECT_STREQ(default_extension(201), "met");
    EXPECT_STREQ(default_extension(250), "met");
    EXPECT_STREQ(default_extension(211), "cgm");
    EXPECT_STREQ(default_extension(301), "kyo");
    EXPECT_STREQ(default_extension(350), "kyo");
    EXPECT_STREQ(default_extension(401), "hpg");
    EXPECT_STREQ(default_extension(500), "hpg");
    EXPECT_STREQ(default_extension(501), "psc");
    EXPECT_STREQ(default_extension(600), "psc");
    EXPECT_STREQ(default_extension(601), "tif");
    EXPECT_STREQ(default_extension(602), "img");
    EXPECT_STREQ(default_extension(603), "");
    EXPECT_STREQ(default_extension(103), "");
    EXPECT_STREQ(default_extension(80), "");
}

TEST_F(DeviceTest, FormatsWithoutWriterWriteNothing)
{
    for (const char* keyword : {"TEKT", "LN03"}) {
        metafl(keyword);
        korini();
        EXPECT_EQ(take_output(), " <<<< Warning 110: Output format " + keyword4(keyword) +
                                     " is not available in this version in korini!\n");
        pagera();
        korfin();
        take_output();
    }
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

// A device that records the calls the kernel makes.
class RecordingDevice : public Device {
public:
    explicit RecordingDevice(std::vector<std::string>* log) : log_(log) {}
    void open() override { log_->push_back("open"); }
    void point(double x, double y, bool draw) override
    {
        log_->push_back(std::string(draw ? "draw " : "move ") + std::to_string(static_cast<int>(x)) + " " +
                        std::to_string(static_cast<int>(y)));
    }
    void colour(int index) override { log_->push_back("colour " + std::to_string(index)); }
    void fill_rect(double x, double y, double w, double h, int index) override
    {
        log_->push_back("fill " + std::to_string(static_cast<int>(x)) + " " + std::to_string(static_cast<int>(y)) +
                        " " + std::to_string(static_cast<int>(w)) + " " + std::to_string(static_cast<int>(h)) +
                        " " + std::to_string(index));
    }
    void new_page() override { log_->push_back("new page"); }
    void flush() override { log_->push_back("flush"); }
    void close() override { log_->push_back("close"); }

private:
    std::vector<std::string>* log_;
};

TEST_F(DeviceTest, KernelReachesTheDeviceThroughItsInterface)
{
    std::vector<std::string> log;
    metafl("XWIN");
    korini();
    take_output();
    PlotState& s = state();
    s.device = std::make_unique<RecordingDevice>(&log);
    plot_vector(1, 2, 3);
    plot_vector(4, 5, 2);
    plot_vector(6, 7, 0);
    plot_vector(8, 9, 7);
    select_colour(5);
    erase();
    sendbf();
    newpag();
    korfin();
    std::vector<std::string> expected = {"move 1 2", "draw 4 5", "draw 6 7", "move 8 9", "colour 5", "flush",
                                         "fill 0 0 2970 2100 0", "flush", "flush", "new page", "flush", "close"};
    EXPECT_EQ(log, expected);
    EXPECT_EQ(s.vector_count, 4);
    EXPECT_EQ(s.current_colour, 5);
    EXPECT_FALSE(s.device);
    // Terminal emulations 101-150 erase on a new page; the metafile ignores ERASE.
    log.clear();
    metafl("VT34");
    korini();
    take_output();
    s.device = std::make_unique<RecordingDevice>(&log);
    newpag();
    korfin();
    metafl("GKSV");
    korini();
    s.device = std::make_unique<RecordingDevice>(&log);
    erase();
    korfin();
    expected = {"flush", "fill 0 0 2970 2100 0", "flush", "close", "flush", "flush", "close"};
    EXPECT_EQ(log, expected);
    // The metafile, CGM, Kyocera, HPGL, PostScript, the screen windows and the
    // image devices have a writer in this build.
    for (int code : {201, 250, 211, 301, 350, 401, 402, 403, 404, 405, 501, 502, 601, 602, 603})
        EXPECT_TRUE(make_device(code)) << code;
    for (int code = 75; code <= 80; ++code)
        EXPECT_TRUE(make_device(code)) << code;
    for (int code : {74, 81, 103, 151, 406, 604})
        EXPECT_FALSE(make_device(code)) << code;
}

// --- File names and versions -----------------------------------------------------

TEST_F(FileNameTest, VersionsOfTheDefaultName)
{
    korini();
    korfin();
    korini();
    EXPECT_EQ(getfil(), path("korvan_1.met"));
    korfin();
    korini();
    korfin();
    EXPECT_TRUE(exists("korvan.met"));
    EXPECT_TRUE(exists("korvan_1.met"));
    EXPECT_TRUE(exists("korvan_2.met"));
    EXPECT_NE(take_output().find("Metafile: " + path("korvan_2.met")), std::string::npos);
}

TEST_F(FileNameTest, BaseIsCutFromVersionTen)
{
    write_file("korvan.met", "x");
    for (int n = 1; n <= 9; ++n)
        write_file("korvan_" + std::to_string(n) + ".met", "x");
    EXPECT_EQ(file_version("korvan.met", 0, "t"), "korva_10.met");
    write_file("korva_10.met", "x");
    EXPECT_EQ(file_version("korvan.met", 0, "t"), "korva_11.met");
    EXPECT_EQ(file_version("absent.met", 0, "t"), "absent.met");
    write_file("ab", "x");
    EXPECT_EQ(file_version("ab", 0, "t"), "ab_1");
    write_file("longername.data.txt", "x");
    EXPECT_EQ(file_version("longername.data.txt", 0, "t"), "longer_1.data.txt");
    // A directory with a dot: the base is that of the last component.
    std::filesystem::create_directory("sub.dir");
    write_file("sub.dir/plot", "x");
    EXPECT_EQ(file_version("sub.dir/plot", 0, "t"), "sub.dir/plot_1");
    EXPECT_EQ(file_version(path("sub.dir/plot"), 0, "t"), path("sub.dir/plot_1"));
}

TEST_F(FileNameTest, SetfilNameIsKeptAndVersioned)
{
    setfil("mine.met");
    EXPECT_EQ(state().setfil_state, 1);
    korini();
    korfin();
    EXPECT_EQ(state().setfil_state, 2);
    korini();
    korfin();
    EXPECT_EQ(getfil(), path("mine_1.met"));
    EXPECT_TRUE(exists("mine.met"));
    EXPECT_TRUE(exists("mine_1.met"));
    // A screen plot neither uses nor changes the file name.
    setfil("other.met");
    metafl("XWIN");
    korini();
    korfin();
    EXPECT_EQ(state().setfil_state, 1);
    metafl("GKSV");
    korini();
    korfin();
    EXPECT_EQ(getfil(), path("other.met"));
    setfil(std::string(70, 'a'));  // taken whole: a cut name would be another file
    EXPECT_EQ(state().output_file, std::string(70, 'a'));
}

TEST_F(FileNameTest, FilmodDeleteReplaces)
{
    write_file("korvan.met", "old contents");
    filmod("DELE");
    EXPECT_EQ(state().file_mode, 1);
    korini();
    korfin();
    EXPECT_EQ(read_file("korvan.met").substr(0, 21), "      29.7      21.0\n");
    EXPECT_FALSE(exists("korvan_1.met"));
    filmod("count");
    EXPECT_EQ(state().file_mode, 0);
    take_output();
    filmod("keep");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in filmod!   (keep)\n");
    EXPECT_EQ(state().file_mode, 0);
}

TEST_F(FileNameTest, FilmodBreakStops)
{
    write_file("korvan.met", "x");
    filmod("BREAK");
    EXPECT_EXIT(
        {
            plat::set_console(std::make_unique<plat::TerminalConsole>(stdin, stderr));
            korini();
        },
        ::testing::ExitedWithCode(1), "korini: File korvan.met does exist");
    EXPECT_EQ(read_file("korvan.met"), "x");
}

TEST_F(FileNameTest, MoreThan999VersionsStops)
{
    write_file("k", "x");
    for (int n = 1; n <= 999; ++n)
        write_file("k_" + std::to_string(n), "x");
    EXPECT_EXIT(
        {
            plat::set_console(std::make_unique<plat::TerminalConsole>(stdin, stderr));
            (void)file_version("k", 0, "logon");
        },
        ::testing::ExitedWithCode(1), "logon: More than 999 file versions!");
}

TEST_F(FileNameTest, MakeAbsolute)
{
    EXPECT_EQ(make_absolute("a.met"), path("a.met"));
    EXPECT_EQ(make_absolute("sub/a.met"), "sub/a.met");
    EXPECT_EQ(make_absolute("/x/a.met"), "/x/a.met");
    std::string long_name(200, 'n');
    EXPECT_EQ(make_absolute(long_name), path(long_name));
}

TEST_F(FileNameTest, PlotFileThatCannotBeCreated)
{
    setfil("no/such/dir/plot.met");
    korini();
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in korini!   (no/such/dir/plot.met: No such file or directory)\n");
    EXPECT_EQ(state().level, 1);
    pagera();
    korfin();
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
    EXPECT_EQ(state().level, 0);
}

// --- The record buffer -------------------------------------------------------------

TEST_F(RecordFileTest, TextItemsAreNeverSplit)
{
    RecordFile out;
    ASSERT_TRUE(out.open("t.txt", false));
    out.write_raw("HEADER\n");
    for (int i = 0; i < 9; ++i)
        out.append("abcdefghi");  // 9 characters: 8 fit a line of 80
    out.append(std::string(100, 'z'));
    out.append("end");
    out.flush_close();
    std::string line8;
    for (int i = 0; i < 8; ++i)
        line8 += "abcdefghi";
    EXPECT_EQ(read_file("t.txt"), "HEADER\n" + line8 + "\nabcdefghi\n" + std::string(80, 'z') + "\n" +
                                      std::string(20, 'z') + "end\n");
}

TEST_F(RecordFileTest, ExactlyFullLine)
{
    RecordFile out;
    ASSERT_TRUE(out.open("t.txt", false));
    for (int i = 0; i < 8; ++i)
        out.append("0123456789");
    out.flush_close();
    EXPECT_EQ(read_file("t.txt"), "01234567890123456789012345678901234567890123456789012345678901234567890123456789\n");
    RecordFile empty;
    ASSERT_TRUE(empty.open("e.txt", false));
    empty.flush_close();
    EXPECT_EQ(read_file("e.txt"), "");
}

TEST_F(RecordFileTest, WordAppend)
{
    RecordFile out;
    ASSERT_TRUE(out.open("p.txt", false));
    out.append_words("moveto  lineto ");
    out.append_words("stroke");        // no final blank: lost
    out.append_words("   ");           // blanks only
    out.append_words("a b c ");
    for (int i = 0; i < 20; ++i)
        out.append_words("word ");     // 5 characters each
    out.flush_close();
    std::string expected = "moveto lineto a b c ";
    std::string rest;
    for (int i = 0; i < 20; ++i)
        rest += "word ";
    // The first line takes 60 more characters (12 words), the rest go on.
    expected += rest.substr(0, 60) + "\n" + rest.substr(60) + "\n";
    EXPECT_EQ(read_file("p.txt"), expected);
}

TEST_F(RecordFileTest, BinaryBlocks)
{
    RecordFile out;
    ASSERT_TRUE(out.open("c.bin", true));
    std::string item(70, 'a');
    out.append(item);
    out.append(std::string(30, 'b'));   // 10 fill the block, 20 go on
    out.append(std::string(200, 'c'));  // crosses two more blocks
    out.flush_close();
    std::string file = read_file("c.bin");
    ASSERT_EQ(file.size(), 320u);  // 300 bytes padded to 4 blocks
    EXPECT_EQ(file.substr(0, 80), std::string(70, 'a') + std::string(10, 'b'));
    EXPECT_EQ(file.substr(80, 20), std::string(20, 'b'));
    EXPECT_EQ(file.substr(100, 200), std::string(200, 'c'));
    EXPECT_EQ(file.substr(300), std::string(20, ' '));
    EXPECT_EQ(file.find('\n'), std::string::npos);
}

TEST_F(RecordFileTest, ClosedFileIgnoresWrites)
{
    RecordFile out;
    out.append("x");
    out.append_words("a b ");
    out.write_raw("y");
    out.flush_close();
    EXPECT_FALSE(out.is_open());
    EXPECT_FALSE(out.open("no/dir/x", false));
    out.append("x");
    out.flush_close();
    EXPECT_TRUE(std::filesystem::is_empty(dir_));
}

// --- SYMFIL -----------------------------------------------------------------------

TEST_F(SymfilTest, Warnings)
{
    symfil("CONS", "KEEP");  // no device chosen yet: no metafile
    metafl("XWIN");
    symfil("CONS", "KEEP");
    metafl("GKSV");
    symfil("CONS", "KEEP");  // before any KORFIN
    EXPECT_EQ(take_output(), " <<<< Warning  20: No metafile in symfil!\n"
                             " <<<< Warning  20: No metafile in symfil!\n"
                             " <<<< Warning  21: The routine must be called after korfin in symfil!\n");
    korini();
    take_output();
    symfil("CONS", "KEEP");
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in symfil!   (   1)\n");
    korfin();
    take_output();
    symfil("NONE", "DELETE");
    EXPECT_FALSE(exists("korvan.met"));
    EXPECT_EQ(state().closed_flag, -1);
    symfil("CONS", "KEEP");
    EXPECT_EQ(take_output(), " <<<< Warning  22: The metafile is deleted before in symfil!\n");
}

TEST_F(SymfilTest, CommandLineAndStatus)
{
    metafl("PSCL");
    korini();
    korfin();
    metafl("GKSV");
    korini();
    korfin();
    take_output();
    EXPECT_EQ(symfil_command("KYOC", "KEEP"), "korconv " + path("korvan.met") + " KYO1 KEEP rain");
    EXPECT_EQ(symfil_command("CONS", "DELE"), "korconv " + path("korvan.met") + " CONS DELE rain");
    symfil("NONE", "KEEP");
    EXPECT_EQ(state().closed_flag, 1);
    EXPECT_TRUE(exists("korvan.met"));
    symfil("CONS", "maybe");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in symfil!   (maybe)\n");
    EXPECT_EQ(state().closed_flag, 1);
    symfil("CONS", "NODELETE");
    EXPECT_EQ(state().closed_flag, 1);
    symfil("CONS", "DELETE");
    EXPECT_EQ(state().closed_flag, -1);
    EXPECT_TRUE(exists("korvan.met"));  // the output program would delete it
    EXPECT_EQ(take_output(), "");
}

// --- Screen settings -------------------------------------------------------------

TEST_F(ScreenSettingTest, WindowWinsizAndModes)
{
    const PlotState& s = state();
    window(10, 20, 300, 200);
    EXPECT_EQ(s.window_flag, 1);
    int x = 0, y = 0, w = 0, h = 0;
    take_output();
    getwin(x, y, w, h);
    EXPECT_EQ(x, 10);
    EXPECT_EQ(y, 20);
    EXPECT_EQ(w, 300);
    EXPECT_EQ(h, 200);
    winsiz(640, 480);
    EXPECT_EQ(s.window_flag, 2);
    EXPECT_EQ(s.window_w, 640);
    window(-5, -7, 1, 1);
    window(0, 0, 0, -3);
    winsiz(0, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in getwin!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in window!   (  -7)\n"
                             " <<<< Warning   2: Incorrect parameter in window!   (  -3)\n"
                             " <<<< Warning   2: Incorrect parameter in winsiz!   (   0)\n");
    EXPECT_EQ(s.window_w, 640);
    scrmod("REVERS");
    EXPECT_EQ(s.screen_mode, 2);
    scrmod("noerase");
    EXPECT_EQ(s.screen_mode, 1);
    x11mod("NOSTORE");
    EXPECT_EQ(s.backing_store, 1);
    take_output();
    winmod("NONE");
    EXPECT_EQ(s.window_mode, 2);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in winmod!   (   0)\n");
    scrmod("x");
    x11mod("y");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in scrmod!   (x)\n"
                             " <<<< Warning   2: Incorrect parameter in x11mod!   (y)\n");
    korini();
    take_output();
    winmod("FULL");
    window(1, 1, 10, 10);
    EXPECT_EQ(take_output(), "");
    scrmod("ERAS");
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in scrmod!   (   1)\n");
    korfin();
}

}  // namespace
}  // namespace korvan::test
