// The converter's pieces: command line, targets, input detection, PostScript
// rewriting, the printer port and user colour tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "conv/colour_table_file.hpp"
#include "conv/input_kind.hpp"
#include "conv/playback.hpp"
#include "conv/port_copy.hpp"
#include "conv/postscript_rewrite.hpp"
#include "conv/settings.hpp"
#include "conv/targets.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/driver.hpp"

namespace korvan::conv {
namespace {

class ConvTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/conv_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        old_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        reset_state_for_tests();
    }
    void TearDown() override
    {
        std::filesystem::current_path(old_);
        std::filesystem::remove_all(dir_);
    }
    static void write(const std::string& name, const std::string& text)
    {
        std::ofstream(name, std::ios::binary) << text;
    }
    static std::string read(const std::string& name)
    {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
    std::filesystem::path dir_;
    std::filesystem::path old_;
};

Settings parsed(const std::vector<std::string>& words, std::string* message = nullptr)
{
    Settings s;
    std::string m;
    bool ok = parse_command_line(words, s, m);
    if (message != nullptr)
        *message = ok ? "" : m;
    return s;
}

TEST(ConvCommandLine, WordsAndTheirSettings)
{
    Settings s = parsed({"plot", "psc1", "DELETE", "rot", "FULL", "rev", "S=0.5", "P=2.4", "N=3", "grey",
                         "F=Out.PS", "D=/dev/null", "WS=640.4,480.6", "-v"});
    EXPECT_EQ(s.input, "plot.met");
    EXPECT_EQ(s.device, "PSC1");
    EXPECT_TRUE(s.delete_input);
    EXPECT_EQ(s.rotation, 1);
    EXPECT_TRUE(s.full_scaling);
    EXPECT_TRUE(s.reverse);
    EXPECT_DOUBLE_EQ(s.scaling, 0.5);
    EXPECT_EQ(s.first_page, 2);
    EXPECT_EQ(s.page_count, 3);
    EXPECT_EQ(s.table, 3);
    EXPECT_EQ(s.output, "Out.PS");
    EXPECT_TRUE(s.output_given);
    EXPECT_EQ(s.port, "/dev/null");
    EXPECT_EQ(s.window_width, 640);
    EXPECT_EQ(s.window_height, 481);

    Settings defaults = parsed({"dir.v2/plot"});
    EXPECT_EQ(defaults.input, "dir.v2/plot.met");  // the dot of a directory does not count
    EXPECT_EQ(defaults.device, "CONS");
    EXPECT_EQ(defaults.output, "kor00000.tmp");
    EXPECT_FALSE(defaults.table.has_value());
    EXPECT_EQ(parsed({"a.cgm", "keep", "NOROT"}).rotation, 2);
    EXPECT_EQ(parsed({"a.cgm", "V=my.tab"}).table, -1);

    std::string message;
    parsed({"a", "S=0"}, &message);
    EXPECT_EQ(message, " <<<< Not allowed scaling factor 0.000000\n");
    parsed({"a", "P=-1"}, &message);
    EXPECT_EQ(message, " <<<< Not allowed starting page -1.000000\n");
    parsed({"a", "N=-0.5"}, &message);
    EXPECT_EQ(message, " <<<< Not allowed number of pages -0.500000\n");
    parsed({"a", "WS=640"}, &message);
    EXPECT_EQ(message, " <<<< Syntax error in WS=640!\n");
    parsed({"a", "POST", "extra"}, &message);
    EXPECT_EQ(message, " <<<< extra is not defined in KORCONV!\n");
}

TEST(ConvTargets, DevicesPrintersAndOutputNames)
{
    Target t;
    std::string message;
    ASSERT_TRUE(resolve_target("POST", t, message));
    EXPECT_EQ(t.code, 501);
    EXPECT_TRUE(t.file);
    EXPECT_FALSE(t.printer);
    ASSERT_TRUE(resolve_target("CONS", t, message));
    EXPECT_FALSE(t.file);
    ASSERT_TRUE(resolve_target("HLP1", t, message));
    EXPECT_EQ(t.format, "HPA4");
    EXPECT_EQ(t.code, 402);
    EXPECT_TRUE(t.printer);
    EXPECT_FALSE(resolve_target("XYZ", t, message));
    EXPECT_EQ(message, " <<<< The device XYZ is not defined!\n");

    EXPECT_EQ(output_name_for("/data/run.1.met", 501), "run.psc");
    EXPECT_EQ(output_name_for("plot.met", 211), "plot.cgm");
    EXPECT_EQ(output_name_for("plot.met", 404), "plot.hpg");
    EXPECT_EQ(output_name_for("plot.cgm", 601), "plot.tif");
    EXPECT_EQ(output_name_for("plot.cgm", 602), "plot.img");
    EXPECT_EQ(output_name_for("plot.cgm", 301), "plot.kyo");
    EXPECT_EQ(output_name_for("plot.cgm", 201), "plot.met");

    // The paper formats are file targets with their own extensions.
    ASSERT_TRUE(resolve_target("PDF", t, message));
    EXPECT_EQ(t.code, 801);
    EXPECT_TRUE(t.file);
    ASSERT_TRUE(resolve_target("PNG", t, message));
    EXPECT_EQ(t.format, "PNG");
    EXPECT_EQ(output_name_for("plot.met", 801), "plot.pdf");
    EXPECT_EQ(output_name_for("plot.met", 802), "plot.svg");
    EXPECT_EQ(output_name_for("plot.met", 803), "plot.png");
}

TEST_F(ConvTest, InputKinds)
{
    write("a.cgm", std::string("\0!\0\0", 4));
    write("a.kyo", "!R! UNIT C;\n");
    write("a.hpg", " SP1;\nPU0,0;\n");
    write("a.met", "      29.7      21.0\n");
    write("empty", "");
    write("image.psc", "%!PS-Adobe-2.0\n%%BoundingBox: 0 0 10 10\n0 0 translate 640.4 480 scale [\n"
                       "false 3 colorimage\n");
    EXPECT_EQ(detect_input("a.cgm").kind, InputKind::cgm);
    EXPECT_EQ(detect_input("a.kyo").kind, InputKind::kyocera);
    EXPECT_EQ(detect_input("a.hpg").kind, InputKind::hpgl);
    EXPECT_EQ(detect_input("a.met").kind, InputKind::gksvan);
    EXPECT_EQ(detect_input("empty").kind, InputKind::unknown);
    EXPECT_EQ(detect_input("absent").kind, InputKind::missing);
    InputFile image = detect_input("image.psc");
    EXPECT_EQ(image.kind, InputKind::postscript);
    EXPECT_TRUE(image.image);
    EXPECT_TRUE(image.colour_image);
    EXPECT_EQ(image.image_width, 640);
    EXPECT_EQ(image.image_height, 480);
}

// A three-page file of the library's form: P=2 N=1 keeps the prolog and page
// 2 only, ended by "showpage"; a scale writes a new bounding box and placement.
TEST_F(ConvTest, PostScriptRewrite)
{
    std::string head = "%!PS-Adobe-2.0\n%%BoundingBox:      21.34      28.45     576.17     813.25\n"
                       "%%Creator: KORVAN  6.3 L\n%%CreationDate: 01.01.26 , 00:00:00\n%%EndComments\n"
                       "/p  { stroke } def\n"
                       "  150 cm   200 cm translate 5 cm setlinewidth  1.000476  1.000476 scale\n";
    write("three.psc", head + "   10    10 u    20    20 d p \n"
                              "copypage erasepage    30    30 u    40    40 d p copypage \n"
                              "erasepage    50    50 u \n   60    60 d p showpage \n");
    std::string out = "two.psc";
    std::string message;
    ASSERT_TRUE(rewrite_postscript("three.psc", out, {1.0, 2, 1}, message)) << message;
    std::string text = read("two.psc");
    EXPECT_NE(text.find("/p  { stroke } def\n"), std::string::npos);
    EXPECT_EQ(text.find("   10    10 u"), std::string::npos);
    EXPECT_NE(text.find("erasepage 30 30 u 40 40 d p showpage \n"), std::string::npos);
    EXPECT_EQ(text.find("50 u"), std::string::npos);
    EXPECT_NE(text.find("  150 cm   200 cm translate"), std::string::npos);  // copied unchanged

    out = "half.psc";
    ASSERT_TRUE(rewrite_postscript("three.psc", out, {0.5, 1, 0}, message));
    text = read("half.psc");
    EXPECT_NE(text.find("  150 cm   200 cm translate 5 cm setlinewidth  0.500238  0.500238 scale\n"),
              std::string::npos);
    EXPECT_NE(text.find("%%BoundingBox:      21.34      28.45 "), std::string::npos);
    EXPECT_NE(text.find("   60    60 d p showpage \n"), std::string::npos);

    write("other.ps", "%!PS-Adobe-2.0\n%%BoundingBox: 0 0 1 1\n%%Creator: someone\n");
    out = "x.psc";
    EXPECT_FALSE(rewrite_postscript("other.ps", out, {1.0, 2, 0}, message));
    EXPECT_EQ(message, " <<<< The PostScript file is not created by KORVAN!\n");
    EXPECT_FALSE(std::filesystem::exists("x.psc"));
}

TEST_F(ConvTest, PrinterPortAndColourTables)
{
    std::string binary("\0\x01\xff line\n", 9);
    write("plot.cgm", binary);
    std::string message;
    ASSERT_TRUE(copy_to_port("plot.cgm", "LPT1", false, message));
    EXPECT_EQ(read("LPT1"), binary);
    EXPECT_TRUE(std::filesystem::exists("plot.cgm"));
    ASSERT_TRUE(copy_to_port("plot.cgm", "LPT2", true, message));
    EXPECT_FALSE(std::filesystem::exists("plot.cgm"));
    EXPECT_FALSE(copy_to_port("gone", "LPT1", false, message));
    EXPECT_EQ(message, " <<<< Open error in file gone\n");

    std::string rows;
    for (int i = 0; i < 256; ++i)
        rows += "0.5 0.25 1\n";
    write("full.tab", rows);
    std::vector<std::array<double, 3>> table;
    ASSERT_TRUE(read_colour_table("full.tab", table, message));
    EXPECT_EQ(table.size(), 256u);
    EXPECT_DOUBLE_EQ(table[255][1], 0.25);
    write("over.tab", rows + "1 1 1\n");
    EXPECT_FALSE(read_colour_table("over.tab", table, message));
    EXPECT_EQ(message, " <<<< Too many records in over.tab!\n");
    EXPECT_FALSE(read_colour_table("none.tab", table, message));
    EXPECT_EQ(message, " <<<< Open error in none.tab!\n");
}

// --- PostScript playback ---------------------------------------------------------

// A file of the library's form: header, placement line, then the body.
std::string postscript_file(const std::string& body)
{
    return "%!PS-Adobe-2.0\n%%BoundingBox:      21.34      28.45     576.17     813.25\n"
           "%%Creator: KORVAN  1.0 L\n%%CreationDate: 10.12.26 , 10:00:00\n%%EndComments\n"
           "2 setlinecap 2 setlinejoin\n"
           "  150 cm   200 cm translate 5 cm setlinewidth  1.000476  1.000476 scale\n" +
           body + "\n";
}

// Plays a PostScript file onto a target; the number of coordinate fields of
// the metafile written (GKSV), or the message of a failed playback.
struct Played {
    bool ok = false;
    std::string message;
    long coordinates = 0;
};

Played play(const std::string& name, const std::string& device, const std::vector<std::string>& options = {})
{
    std::vector<std::string> words = {name, device};
    words.insert(words.end(), options.begin(), options.end());
    Settings s = parsed(words);
    Target target;
    std::string message;
    EXPECT_TRUE(resolve_target(s.device, target, message));
    std::string output = output_name_for(name, target.code) + ".out";
    Played result;
    ::setenv("KORVAN_DISPLAY", "none", 1);
    win::start(false);
    result.ok = play_back(s, detect_input(s.input), target, output, result.message);
    win::end(false);
    if (device == "GKSV") {
        std::ifstream in(output);
        std::string field;
        std::getline(in, field);  // the header
        std::string line;
        while (std::getline(in, line))
            for (std::size_t at = 0; at + 10 <= line.size(); at += 10)
                result.coordinates += line[at] == ' ' && line[at + 1] == '0' ? 1 : 0;
    }
    reset_state_for_tests();
    return result;
}

// Each operator the library writes draws on a target without such elements:
// rectangles and ring sectors are filled with lines, texts and characters are
// drawn in the stroke font, paths are drawn; the black page of a colour file
// is the page's background and draws nothing.
TEST_F(ConvTest, PostScriptPlaybackDrawsEveryOperator)
{
    const std::string base = "0 0 3900 5514 0 0 0 e 255 255 255 f ";
    write("base.psc", postscript_file(base + "showpage"));
    Played empty = play("base.psc", "GKSV");
    ASSERT_TRUE(empty.ok) << empty.message;
    EXPECT_EQ(empty.coordinates, 0);

    struct Case {
        const char* name;
        const char* body;
        long at_least;  // coordinate fields
    };
    const Case cases[] = {
        {"path", "100 100 u 500 100 d 500 500 d p", 6},
        {"rectangle", "100 100 300 300 255 0 0 e", 2 * 2 * 90},
        {"sector", "1000 1000 0 200 0.00 90.00 0 255 0 sec", 2 * 2 * 90},
        {"ring sector", "1000 1000 100 200 -45.00 45.00 0 0 255 sec", 2 * 2 * 50},
        {"text", "(Times-Roman-German) 40 font <414243> 300 300 90 0 text", 20},
        {"character", "(Times-Roman-German) 40 font 65 600 600 45 c", 6},
    };
    for (const Case& c : cases) {
        write("case.psc", postscript_file(base + c.body + " showpage"));
        Played p = play("case.psc", "GKSV");
        EXPECT_TRUE(p.ok) << c.name << ": " << p.message;
        EXPECT_GE(p.coordinates, c.at_least) << c.name;
    }
    // A sector and a text drawn twice as large give more lines.
    write("small.psc", postscript_file(base + "1000 1000 0 100 0.00 90.00 0 255 0 sec showpage"));
    write("large.psc", postscript_file(base + "1000 1000 0 200 0.00 90.00 0 255 0 sec showpage"));
    EXPECT_GT(play("large.psc", "GKSV").coordinates, play("small.psc", "GKSV").coordinates * 3 / 2);
}

// Pages: copypage ends a page; P= and N= choose the pages that are drawn.
TEST_F(ConvTest, PostScriptPlaybackSelectsPages)
{
    std::string body;
    for (int page = 1; page <= 3; ++page) {
        for (int i = 0; i < page; ++i)
            body += std::to_string(100 + 50 * i) + " 100 u " + std::to_string(100 + 50 * i) + " 900 d p ";
        body += page < 3 ? "copypage erasepage 255 255 255 f " : "showpage";
    }
    write("pages.psc", postscript_file(body));
    EXPECT_EQ(play("pages.psc", "GKSV").coordinates, 2 * 2 * (1 + 2 + 3));
    EXPECT_EQ(play("pages.psc", "GKSV", {"P=2", "N=1"}).coordinates, 2 * 2 * 2);
    EXPECT_EQ(play("pages.psc", "GKSV", {"P=2"}).coordinates, 2 * 2 * (2 + 3));
    EXPECT_EQ(play("pages.psc", "GKSV", {"P=3", "N=5"}).coordinates, 2 * 2 * 3);
    EXPECT_EQ(play("pages.psc", "GKSV", {"P=4"}).coordinates, 0);
}

// Random words of the library's vocabulary, strange numbers and bytes, and
// cuts at any place end cleanly on every kind of target.
TEST_F(ConvTest, PostScriptPlaybackOfDamagedFilesEndsCleanly)
{
    const char* words[] = {"u", "d", "p", "f", "e", "sec", "c", "text", "font", "copypage", "erasepage",
                           "showpage", "image", "colorimage", "(a\\101)", "<41", "(", ")", "<>", "1e308",
                           "-1e308", "nan", "inf", "0", "1", "-5", "4000", "90.5", "360", "255", "\x01\xff"};
    std::mt19937 random(1234);
    std::uniform_int_distribution<std::size_t> pick(0, std::size(words) - 1);
    for (int round = 0; round < 12; ++round) {
        // Lines of paths first, so that the input is no picture for most rounds.
        std::string body;
        for (int i = 0; i < 12; ++i)
            body += "100 100 u 200 200 d p\n";
        for (int i = 0; i < 400; ++i) {
            body += words[pick(random)];
            body += random() % 7 == 0 ? "\n" : " ";
        }
        std::string file = postscript_file(body);
        file.resize(file.size() - random() % 200);
        write("random.psc", file);
        for (const char* device : {"GKSV", "TIFF", "HPGL", "CGM"}) {
            Played p = play("random.psc", device);
            EXPECT_TRUE(p.ok) << device << ": " << p.message;
        }
    }
    // A sector whose end angle lies below its start by less than the step
    // between numbers of that size: a turn added to it changes nothing.
    write("turns.psc", postscript_file("1000 1000 0 200 100000000000000000000 99999999999999983616 0 255 0 sec "
                                       "1000 1000 0 200 -400.00 -770.00 0 255 0 sec showpage"));
    Played turns = play("turns.psc", "GKSV");
    EXPECT_TRUE(turns.ok) << turns.message;
    EXPECT_GE(turns.coordinates, 2 * 2 * 90);
    // Numbers beyond what a count or a character code holds: a disk larger
    // than the page is filled whole, a character code is taken as the largest.
    write("disk.psc", postscript_file("1000 1000 0 10000000000 0.00 360.00 0 255 0 sec showpage"));
    Played disk = play("disk.psc", "GKSV");
    EXPECT_TRUE(disk.ok) << disk.message;
    EXPECT_GE(disk.coordinates, 2 * 2 * 1000);
    const std::string font = "(Times-Roman-German) 40 font ";
    write("code.psc", postscript_file(font + "10000000000 600 600 45 c showpage"));
    write("code255.psc", postscript_file(font + "255 600 600 45 c showpage"));
    Played code = play("code.psc", "GKSV");
    EXPECT_TRUE(code.ok) << code.message;
    EXPECT_GT(code.coordinates, 0);
    EXPECT_EQ(code.coordinates, play("code255.psc", "GKSV").coordinates);
    // A picture file whose size is far too large or whose data are cut.
    write("picture.psc", "%!PS-Adobe-2.0\n%%BoundingBox: 0 0 40 30\n%%Creator: KORVAN  1.0 P\n"
                         "%%CreationDate: x\n%%EndComments\n0 0 translate 99999 99999 scale [\n"
                         "false 3 colorimage\nff00ff00");
    Played p = play("picture.psc", "TIFF");
    EXPECT_TRUE(p.ok) << p.message;
}

}  // namespace
}  // namespace korvan::conv
