// Levels, warnings, the page, KORINI/KORFIN with the end protocols, the error
// file, RESET and the window routines' checks.
#include "tests/unit/kernel_test_support.hpp"

#include "plat/terminal_console.hpp"

namespace korvan::test {
namespace {

using WarningTest = KernelTest;
using PageTest = KernelTest;
using EndProtocolTest = KernelTest;
using ErrorFileTest = KernelTest;
using WindowCheckTest = KernelTest;

std::string boxed(const std::string& vectors, const std::string& warnings, const std::string& page,
                  const std::string& format, const std::string& metafile)
{
    std::string frame = "\n " + std::string(66, '<');
    char line[200];
    std::string text = frame;
    text += "\n <<                END OF KORVAN / VERSION  6.3 B                <<";
    std::snprintf(line, sizeof line, "\n <<  Date    : DD.MM.YY   Time    : hh:mm:ss   Pageformat: %4s  <<", page.c_str());
    text += line;
    std::snprintf(line, sizeof line, "\n <<  Vectors : %-10s Warnings: %-8s   Fileformat: %4s  <<", vectors.c_str(),
                  warnings.c_str(), format.c_str());
    text += line;
    std::snprintf(line, sizeof line, "\n <<  %-58s  <<", ("Metafile: " + metafile).c_str());
    text += line;
    text += frame + "\n\n";
    return text;
}

TEST(WarningTable, HasItsFiftyEightTexts)
{
    EXPECT_STREQ(warning_table_text(0), " ");
    EXPECT_STREQ(warning_table_text(1), "Negative parameter");
    EXPECT_STREQ(warning_table_text(36), "File error");
    EXPECT_STREQ(warning_table_text(39), "Too many pages for CGM file (max. length 327 cm)");
    EXPECT_STREQ(warning_table_text(58), "Array is out of screen");
    EXPECT_STREQ(warning_table_text(59), " ");
    EXPECT_STREQ(warning_table_text(-3), " ");
}

TEST_F(WarningTest, PrintFormsAndBadNumbers)
{
    level_check(0, 3, "graf");
    warning(2);
    warning_text(2, "XYZ");
    warning_int(4, 12345);
    set_warning_text("Window 3 is already open");
    warning(101);
    warning(0);
    warning_int(77, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in graf!\n"
                             " <<<< Warning   2: Incorrect parameter in graf!   (XYZ)\n"
                             " <<<< Warning   4: X coordinate out of page in graf!   (12345)\n"
                             " <<<< Warning 101: Window 3 is already open in graf!\n"
                             "<<<< Incorrect parameter in errmes! (   0)\n"
                             " <<<< Warning   0:   in graf!\n"
                             "<<<< Incorrect parameter in errmes! (  77)\n"
                             " <<<< Warning  77:   in graf!   (   5)\n");
    EXPECT_EQ(state().warning_count, 6);
}

TEST_F(WarningTest, LongArgumentIsCutButKeepsItsLineEnd)
{
    level_check(0, 3, "setpag");
    warning_text(2, std::string(400, 'x'));
    std::string out = take_output();
    EXPECT_EQ(out.size(), 256u);
    EXPECT_EQ(out.back(), '\n');
    EXPECT_EQ(out.substr(0, 50), " <<<< Warning   2: Incorrect parameter in setpag! ");
}

TEST_F(WarningTest, LevelChecksHardAndSoft)
{
    unit(0);  // soft: warns at level 0, then acts
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in unit!   (   0)\n");
    EXPECT_EQ(state().message_unit, 0);
    korfin();  // hard check at level 0: the unit is forced back to 6 first
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in korfin!   (   0)\n");
    EXPECT_EQ(state().message_unit, 6);

    korini();
    take_output();
    korini();
    newpag();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in korini!   (   1)\n");
    state().level = 2;
    newpag();
    origin(5, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in newpag!   (   2)\n"
                             " <<<< Warning   3: Incorrect level in origin!   (   2)\n");
    state().level = 1;
    origin(5, 7);
    EXPECT_EQ(state().origin_x, 5);
    EXPECT_EQ(state().origin_y, 7);
}

TEST_F(WarningTest, UnitSilencesButCounts)
{
    korini();
    unit(-1);
    unit(15);
    unit(16);
    unit(1001);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in unit!   (  -1)\n"
                             " <<<< Warning   2: Incorrect parameter in unit!   (  15)\n"
                             " <<<< Warning   2: Incorrect parameter in unit!   (  16)\n"
                             " <<<< Warning   2: Incorrect parameter in unit!   (1001)\n");
    unit(0);
    pagmod("XXXX");  // level 0 routine at level 1: warning 3, silent
    warning(2);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().warning_count, 6);
    unit(1000);
    warning(1);
    EXPECT_EQ(take_output(), " <<<< Warning   1: Negative parameter in unit!\n");
    unit(0);
    korfin();  // the end protocol is not printed with the unit off
    EXPECT_EQ(take_output(), "");
}

TEST_F(WarningTest, KeywordLookupAndRangeCheck)
{
    level_check(0, 3, "test");
    EXPECT_EQ(keyword4("ab"), "AB  ");
    EXPECT_EQ(keyword4("portrait"), "PORT");
    EXPECT_EQ(keyword_lookup("LIN +LOG ", 2, "log"), 2);
    EXPECT_EQ(keyword_lookup("LIN +LOG ", 2, "lin"), 1);
    EXPECT_EQ(keyword_lookup("SMAL+RAIN+SPEC+GREY+RRAI+RSPE+RGRE+VGA", 8, "vga"), 8);
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(keyword_lookup("LIN +LOG ", 2, "LINEAR"), 0);  // four letters compared
    EXPECT_EQ(keyword_lookup("LIN +LOG ", 2, "li"), 0);
    EXPECT_EQ(keyword_lookup("LIN +LOG ", 2, ""), 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in test!   (LINEAR)\n"
                             " <<<< Warning   2: Incorrect parameter in test!   (li)\n"
                             " <<<< Warning   2: Incorrect parameter in test!   ()\n");
    EXPECT_EQ(range_check(5, 1, 10), 0);
    EXPECT_EQ(range_check(1, 1, 10), 0);
    EXPECT_EQ(range_check(10, 1, 10), 0);
    EXPECT_EQ(range_check(100000, 1, 0), 0);  // no upper bound
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(range_check(11, 1, 10), 1);
    EXPECT_EQ(range_check(0, 1, 0), 1);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in test!   (  11)\n"
                             " <<<< Warning   2: Incorrect parameter in test!   (   0)\n");
}

// --- The page ----------------------------------------------------------------

TEST_F(PageTest, FirstUseDefaults)
{
    int nx = 0;
    int ny = 0;
    getpag(nx, ny);
    EXPECT_EQ(nx, 2970);
    EXPECT_EQ(ny, 2100);
    const PlotState& s = state();
    EXPECT_STREQ(s.page_format, "DA4L");
    EXPECT_EQ(s.message_unit, 6);
    EXPECT_FLOAT_EQ(s.scaling_factor, 1.0f);
    EXPECT_EQ(s.device_code, 0);
    korini();
    EXPECT_EQ(s.device_code, 201);
    EXPECT_STREQ(s.file_format, "GKSV");
    EXPECT_EQ(s.axis_length_x, 1980);
    EXPECT_EQ(s.axis_length_y, 1400);
    EXPECT_EQ(s.axis_pos_x, 494);
    EXPECT_EQ(s.axis_pos_y, 1799);
    EXPECT_EQ(s.current_colour, 255);
}

TEST_F(PageTest, DefaultColourTables)
{
    const PlotState& s = state();
    korini();
    EXPECT_EQ(s.colour_table_index, 1);  // RAIN
    EXPECT_EQ(s.colour_table[0], 0x000000u);
    EXPECT_EQ(s.colour_table[1], 0x220044u);
    EXPECT_EQ(s.colour_table[255], 0xFFFFFFu);
    EXPECT_EQ(s.current_colour, 255);
    korfin();

    metafl("POST");  // black and white PostScript: the reversed grey ramp
    korini();
    EXPECT_EQ(s.colour_table_index, 6);
    EXPECT_EQ(s.colour_table[0], 0xFFFFFFu);
    EXPECT_EQ(s.colour_table[255], 0x000000u);
    EXPECT_EQ(s.foreground, 255);
    korfin();

    metafl("XWIN");  // reverse screen mode swaps background and foreground
    scrmod("REVERS");
    korini();
    EXPECT_EQ(s.colour_table[0], 0xFFFFFFu);
    EXPECT_EQ(s.colour_table[255], 0x000000u);
    korfin();

    metafl("GKSV");  // not a reversing device
    korini();
    EXPECT_EQ(s.colour_table[0], 0x000000u);
    korfin();
}

TEST_F(PageTest, SetpagFormats)
{
    struct Case {
        const char* name;
        int width;
        int height;
    };
    const Case cases[] = {{"DA4L", 2970, 2100}, {"DA3L", 4200, 2970}, {"DA2L", 5940, 4200}, {"DA1L", 8400, 5940},
                          {"KY4L", 2870, 2000}, {"HP4L", 2717, 1900}, {"HP3L", 3990, 2717}, {"HP2L", 5340, 3360},
                          {"HP1L", 7570, 5340}, {"PS4L", 2800, 1950}};
    const PlotState& s = state();
    for (const Case& c : cases) {
        setpag(c.name);
        EXPECT_EQ(s.page_width, c.width - 1) << c.name;
        EXPECT_EQ(s.page_height, c.height - 1) << c.name;
        EXPECT_STREQ(s.page_format, c.name);
        std::string portrait = c.name;
        portrait[3] = 'p';
        setpag(portrait);
        EXPECT_EQ(s.page_width, c.height - 1) << portrait;
        EXPECT_EQ(s.page_height, c.width - 1) << portrait;
        portrait[3] = 'P';
        EXPECT_EQ(std::string(s.page_format), portrait);
    }
    EXPECT_EQ(take_output(), "");
    setpag("da4p");
    EXPECT_EQ(s.page_width, 2099);
    EXPECT_EQ(s.page_height, 2969);
    EXPECT_STREQ(s.page_format, "DA4P");
    EXPECT_EQ(s.device_code, 201);  // chosen by SETPAG when METAFL was not called
    setpag("A4");
    setpag("DA4X");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in setpag!   (A4)\n"
                             " <<<< Warning   2: Incorrect parameter in setpag!   (DA4X)\n");
    EXPECT_STREQ(s.page_format, "DA4P");
}

TEST_F(PageTest, PageAndScaling)
{
    const PlotState& s = state();
    page(1000, 500);
    EXPECT_EQ(s.page_width, 999);
    EXPECT_EQ(s.page_height, 499);
    EXPECT_STREQ(s.page_format, "PAGE");
    page(0, 500);
    page(1000, -1);
    sclfac(0);
    sclfac(-2);
    hwpage(0, 5);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in page!\n"
                             " <<<< Warning   2: Incorrect parameter in page!\n"
                             " <<<< Warning   2: Incorrect parameter in sclfac!\n"
                             " <<<< Warning   2: Incorrect parameter in sclfac!\n"
                             " <<<< Warning   2: Incorrect parameter in hwpage!\n");
    EXPECT_EQ(s.page_width, 999);
    sclmod("FULL");
    EXPECT_EQ(s.scaling_mode, 1);
    sclfac(0.5);
    EXPECT_FLOAT_EQ(s.scaling_factor, 0.5f);
    EXPECT_EQ(s.scaling_mode, 0);
    sclmod("none");
    EXPECT_EQ(s.scaling_mode, 2);
    sclmod("half");
    EXPECT_EQ(s.scaling_mode, 2);
    hwpage(2000, 2800);
    EXPECT_TRUE(s.hw_page);
    EXPECT_EQ(s.hw_width, 2000);
    pagmod("MOVI");
    EXPECT_EQ(s.page_mode, 1);
    pagmod("COMI");
    EXPECT_EQ(s.page_mode, 0);
    pagmod("NONE");
    EXPECT_EQ(s.page_mode, 2);
    pagmod("LAND");
    EXPECT_EQ(s.page_mode, 0);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in sclmod!   (half)\n");

    korini();
    int nx = 0;
    int ny = 0;
    getpag(nx, ny);
    EXPECT_EQ(nx, 1000);
    EXPECT_EQ(ny, 500);
    EXPECT_EQ(s.axis_length_x, 667);
    EXPECT_EQ(s.axis_length_y, 333);
    EXPECT_EQ(s.axis_pos_x, 166);
    EXPECT_EQ(s.axis_pos_y, 199);
    korfin();
    EXPECT_EQ(read_file("korvan.met").substr(0, 21), "       5.0       2.5\n");
}

TEST_F(PageTest, NewpagEraseSendbfOnTheMetafile)
{
    korini();
    plot_vector(100, 100, 3);
    newpag();
    erase();
    sendbf();
    plot_vector(200, 100, 2);
    korfin();
    EXPECT_EQ(read_file("korvan.met"), "      29.7      21.0\n"
                                      "99.000000099.000000086.0000000 0.0336814 0.6732907 3.0000000 0.0673627 0.6732907\n"
                                      " 2.0000000 9.0000000\n");
}

TEST_F(PageTest, CgmPageOffsetLimit)
{
    metafl("CGM");
    korini();
    take_output();
    // Ten pages fit into the 65534 VDC units: the tenth ends at 2 x (9 x 3069 + 2969).
    for (int i = 0; i < 9; ++i)
        newpag();
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 9 * 3069.0f);
    newpag();
    EXPECT_EQ(take_output(), " <<<< Warning  39: Too many pages for CGM file (max. length 327 cm) in newpag!\n");
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 9 * 3069.0f);
    korfin();
}

TEST_F(PageTest, ResetKeysAndTheAttributeReset)
{
    korini();
    origin(10, 20);
    PlotState& s = state();
    s.axis_pos_x = 1;
    s.axis_length_x = 2;
    filbox(10, 10, 100, 100);
    filclr("NONE");
    reset("orig");
    EXPECT_EQ(s.origin_x, 0);
    EXPECT_EQ(s.origin_y, 0);
    EXPECT_EQ(s.axis_pos_x, 1);
    reset("AXSLEN");
    EXPECT_EQ(s.axis_length_x, 1980);
    EXPECT_EQ(s.axis_pos_x, 1);
    reset("AXSPOS");
    EXPECT_EQ(s.axis_pos_x, 494);
    reset("FILBOX");
    EXPECT_EQ(s.filbox_w, 0);
    EXPECT_TRUE(s.filclr_none);
    reset("TICKS");  // a key whose settings have no kernel part
    EXPECT_EQ(take_output(), "");
    reset("XXXX");
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in reset!   (XXXX)\n");
    origin(3, 3);
    unit(0);
    reset("ALL");
    EXPECT_EQ(s.origin_x, 0);
    EXPECT_FALSE(s.filclr_none);
    EXPECT_EQ(s.message_unit, 6);
    EXPECT_EQ(s.current_colour, 255);
    for (const char* key : {"ZSCA", "ANGL", "WINS", "ALL", "SETC", "UNIT"}) {
        reset(key);
        EXPECT_EQ(take_output(), "") << key;
    }
    korfin();
}

// --- KORINI, KORFIN and the end protocol ---------------------------------------

TEST_F(EndProtocolTest, BoxedForm)
{
    korini();
    plot_vector(0, 0, 3);
    plot_vector(10, 0, 2);
    warning(2);
    take_output();
    korfin();
    EXPECT_EQ(mask_clock(take_output()), boxed("2", "1", "DA4L", "GKSV", path("korvan.met")));
    EXPECT_EQ(state().level, 0);
    EXPECT_EQ(state().closed_flag, 1);
    EXPECT_EQ(getfil(), path("korvan.met"));
}

TEST_F(EndProtocolTest, LongFileNameIsCutInTheBox)
{
    std::string name = std::string(44, 'n') + ".met";
    setfil(name);
    korini();
    korfin();
    std::string out = take_output();
    EXPECT_EQ(state().output_file, path(name));  // the whole name, made absolute
    EXPECT_EQ(mask_clock(out), boxed("0", "0", "DA4L", "GKSV", path(name).substr(0, 48)));
    std::size_t at = out.find(" <<  Metafile");
    ASSERT_NE(at, std::string::npos);
    EXPECT_EQ(out.find('\n', at) - at, 67u);
}

TEST_F(EndProtocolTest, ScreenDeviceNamesNoFile)
{
    metafl("MET5");
    korini();
    EXPECT_EQ(take_output(), "");
    EXPECT_EQ(state().level, 1);
    plot_vector(1, 1, 2);
    korfin();
    EXPECT_EQ(mask_clock(take_output()), " Window picture: korvan_win1.png\n" + boxed("1", "0", "DA4L", "MET5", ""));
    EXPECT_FALSE(exists("korvan."));
}

TEST_F(EndProtocolTest, WarningThreeBeforeKoriniWithUnitZero)
{
    korini();
    unit(0);
    korfin();
    EXPECT_EQ(take_output(), "");
    unit(0);  // at level 0: warns (unit still 6), then sets 0
    take_output();
    newpag();
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in newpag!   (   0)\n");
    unit(0);
    take_output();
    korini();  // KORINI sets the unit back to 6
    EXPECT_EQ(state().message_unit, 6);
    korfin();
    EXPECT_NE(take_output().find("END OF KORVAN"), std::string::npos);
}

TEST_F(EndProtocolTest, KoriniWithoutWindowDriverStops)
{
    win::reset_for_tests();
    EXPECT_FALSE(state().window_ready);
    EXPECT_EXIT(
        {
            plat::set_console(std::make_unique<plat::TerminalConsole>(stdin, stderr));
            korini();
        },
        ::testing::ExitedWithCode(1), "korini:  winini is missing before");
    win::start(true);
    EXPECT_TRUE(state().window_ready);
    EXPECT_FALSE(state().error_file_flag);
}

// --- The error file ------------------------------------------------------------

TEST_F(ErrorFileTest, DeletedWhenNothingWasWritten)
{
    win::reset_for_tests();
    win::start(false);
    ASSERT_TRUE(state().error_file_flag);
    korini();
    EXPECT_EQ(state().message_unit, 15);
    EXPECT_TRUE(exists("korvan.err"));
    korfin();
    EXPECT_FALSE(exists("korvan.err"));
    EXPECT_EQ(mask_clock(take_output()), "[box:]           END OF KORVAN / VERSION  6.3 B\n "
                                         "\n Date          : DD.MM.YY"
                                         "\n Time          : hh:mm:ss"
                                         "\n Pageformat: DA4L"
                                         "\n Vectors      : 0"
                                         "\n Warnings  : 0"
                                         "\n Fileformat  : GKSV"
                                         "\n Metafile     : " + path("korvan.met"));
    EXPECT_EQ(state().message_unit, 6);
    EXPECT_EQ(state().message_stream, nullptr);
}

TEST_F(ErrorFileTest, KeptWhenItReceivedText)
{
    win::reset_for_tests();
    win::start(false);
    korini();
    setpag("DA4L");  // wrong level: into the error file
    unit(0);
    warning(2);
    unit(6);
    warning(1);
    EXPECT_EQ(take_output(), "");
    korfin();
    EXPECT_EQ(read_file("korvan.err"), " <<<< Warning   3: Incorrect level in setpag!   (   1)\n"
                                       " <<<< Warning   1: Negative parameter in unit!\n");
    EXPECT_EQ(mask_clock(take_output()), "[box:]           END OF KORVAN / VERSION  6.3 B\n "
                                         "\n Date          : DD.MM.YY"
                                         "\n Time          : hh:mm:ss"
                                         "\n Pageformat: DA4L"
                                         "\n Vectors      : 0"
                                         "\n Warnings  : 3"
                                         "\n Fileformat  : GKSV"
                                         "\n Metafile     : " + path("korvan.met") +
                                         "\n Error file    : korvan.err");

    // The next plot keeps the old error file and writes a new version.
    korini();
    EXPECT_EQ(state().error_file_name, "korvan_1.err");
    warning(1);
    korfin();
    EXPECT_TRUE(exists("korvan.err"));
    EXPECT_EQ(read_file("korvan_1.err"), " <<<< Warning   1: Negative parameter in korini!\n");
}

TEST_F(ErrorFileTest, NothingCanBeCreated)
{
    // A current directory that no longer exists: no file can be created in it.
    std::filesystem::create_directory("gone");
    std::filesystem::current_path("gone");
    std::filesystem::remove(path("gone"));
    win::reset_for_tests();
    win::start(false);
    korini();
    EXPECT_EQ(take_output(), "[box:] <<<< Warning  36: File error in korini!   (korvan.err: No such file or directory)\n"
                             "[box:] <<<< Warning  36: File error in korini!   (korvan.met: No such file or directory)\n");
    EXPECT_EQ(state().message_unit, 6);
    EXPECT_EQ(state().level, 1);
    pagera();
    korfin();
    EXPECT_EQ(mask_clock(take_output()), "[box:]           END OF KORVAN / VERSION  6.3 B\n "
                                         "\n Date          : DD.MM.YY"
                                         "\n Time          : hh:mm:ss"
                                         "\n Pageformat: DA4L"
                                         "\n Vectors      : 5"
                                         "\n Warnings  : 2"
                                         "\n Fileformat  : GKSV");
    std::filesystem::current_path(dir_);
}

// --- Window routines: levels and devices -----------------------------------------

TEST_F(WindowCheckTest, LevelsAndDevices)
{
    opnwin(2);
    EXPECT_EQ(take_output(), " <<<< Warning   3: Incorrect level in opnwin!   (   0)\n");
    korini();
    take_output();
    opnwin(2);
    selwin(2);
    clswin(2);
    wintit("x");
    EXPECT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in opnwin!\n"
                             " <<<< Warning  56: Incorrect file format in selwin!\n"
                             " <<<< Warning  56: Incorrect file format in clswin!\n"
                             " <<<< Warning  56: Incorrect file format in wintit!\n");
    EXPECT_EQ(winid(), 0);
    korfin();

    metafl("XWI3");
    korini();
    take_output();
    EXPECT_EQ(winid(), 3);
    opnwin(0);
    opnwin(6);
    opnwin(3);
    selwin(2);
    clswin(3);
    clswin(4);
    wintit("title");
    selwin(3);
    EXPECT_EQ(take_output(), " <<<< Warning   2: Incorrect parameter in opnwin!   (   0)\n"
                             " <<<< Warning   2: Incorrect parameter in opnwin!   (   6)\n"
                             " <<<< Warning 101: Window 3 is already open in opnwin!\n"
                             " <<<< Warning 103: Window 2 is not open in selwin!\n"
                             " <<<< Warning 102: Window 3 cannot be closed in clswin!\n"
                             " <<<< Warning 103: Window 4 is not open in clswin!\n");
    korfin();
    metafl("CONS");
    korini();
    take_output();
    EXPECT_EQ(winid(), 1);
    opnwin(1);
    EXPECT_EQ(take_output(), " <<<< Warning 101: Window 1 is already open in opnwin!\n");
    korfin();
}

}  // namespace
}  // namespace korvan::test
