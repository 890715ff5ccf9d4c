// The converter's pieces: command line, targets, input detection, PostScript
// rewriting, the printer port and user colour tables.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "conv/colour_table_file.hpp"
#include "conv/input_kind.hpp"
#include "conv/port_copy.hpp"
#include "conv/postscript_rewrite.hpp"
#include "conv/settings.hpp"
#include "conv/targets.hpp"
#include "plot/kernel/state.hpp"

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

}  // namespace
}  // namespace korvan::conv
