// The GKSVAN metafile: writer, field format, reader and INCFIL.
#include "tests/unit/kernel_test_support.hpp"

#include "plat/terminal_console.hpp"

#include <cmath>
#include <random>
#include <vector>

#include "plot/kernel/gksvan.hpp"
#include "plot/kernel/gksvan_reader.hpp"

namespace korvan::test {
namespace {

const std::string colour_255 = "99.000000099.000000086.0000000";
const std::string end_field = " 9.0000000";

std::string field(double v)
{
    char text[64];
    std::snprintf(text, sizeof text, "%10.7f", v);
    return text;
}

// Splits a metafile body into its fields (lines joined).
std::vector<std::string> body_fields(const std::string& file)
{
    std::vector<std::string> fields;
    std::size_t at = file.find('\n') + 1;
    while (at < file.size()) {
        std::size_t end = file.find('\n', at);
        std::string line = file.substr(at, end - at);
        for (std::size_t i = 0; i + 10 <= line.size(); i += 10)
            fields.push_back(line.substr(i, 10));
        at = end + 1;
    }
    return fields;
}

using GksvanTest = KernelTest;

TEST(GksvanField, MatchesPrintfEverywhere)
{
    std::mt19937_64 random(12345);
    std::uniform_real_distribution<double> unit(0.0, 1.0);
    char fast[gksvan_field_room];
    char slow[gksvan_field_room];
    std::vector<double> values = {0.0, 1.0, 0.5, 2.0, 3.0, 9.0, 10.0, 86.0, 98.0, 99.0, 2099.0 / 2969.0,
                                  0.00000005, 0.00000015, 0.99999995, 99.99999, 99.999999, 100.0, 123456.5,
                                  -0.0, -0.5, -1e-9, 1e300, std::nan(""), std::numeric_limits<double>::infinity()};
    for (int i = 0; i < 200000; ++i)
        values.push_back(unit(random));
    for (int i = 0; i < 2000; ++i)
        values.push_back(std::round(unit(random) * 1e7) / 1e7 + 0.5e-7);  // near ties
    for (int i = 0; i <= 2969; ++i)
        values.push_back(i / 2969.0);
    for (double v : values) {
        std::size_t n = gksvan_field(v, fast);
        std::snprintf(slow, sizeof slow, "%10.7f", v);
        ASSERT_EQ(std::string(fast, n), std::string(slow)) << v;
    }
}

TEST_F(GksvanTest, PlotWithoutDrawingHasHeaderColourAndEnd)
{
    korini();
    korfin();
    EXPECT_EQ(read_file("korvan.met"), "      29.7      21.0\n" + colour_255 + end_field + "\n");
}

TEST_F(GksvanTest, PageCornersAndPenCodesOnlyOnChange)
{
    korini();
    const PlotState& s = state();
    plot_vector(0, s.page_height, 3);      // lower left
    plot_vector(s.page_width, 0, 2);       // upper right
    plot_vector(s.page_width, 0, 2);       // draw again: no pen code
    plot_vector(0, 0, 3);
    plot_vector(0, 0, 3);                  // move again: no pen code
    plot_vector(0, s.page_height, 2);
    korfin();
    std::vector<std::string> fields = body_fields(read_file("korvan.met"));
    std::vector<std::string> expected = {"99.0000000", "99.0000000", "86.0000000",
                                         " 0.0000000", " 0.0000000", " 3.0000000",
                                         " 1.0000000", " 0.7069720", " 2.0000000",
                                         " 1.0000000", " 0.7069720",
                                         " 0.0000000", " 0.7069720", " 3.0000000",
                                         " 0.0000000", " 0.7069720",
                                         " 0.0000000", " 0.0000000", " 2.0000000",
                                         end_field};
    EXPECT_EQ(fields, expected);
    EXPECT_EQ(s.vector_count, 6);  // counted since KORINI, kept after KORFIN
}

TEST_F(GksvanTest, LinesHoldEightFieldsAndBreakBetweenFields)
{
    korini();
    for (int i = 0; i < 10; ++i)
        plot_vector(i * 100, 1000, 2);
    korfin();
    std::string file = read_file("korvan.met");
    std::istringstream lines(file);
    std::string line;
    std::getline(lines, line);
    EXPECT_EQ(line, "      29.7      21.0");
    std::vector<std::string> body;
    while (std::getline(lines, line))
        body.push_back(line);
    // 3 colour fields, 10 points of 2 fields, 1 pen code, the end field: 25 fields.
    ASSERT_EQ(body.size(), 4u);
    EXPECT_EQ(body[0].size(), 80u);
    EXPECT_EQ(body[1].size(), 80u);
    EXPECT_EQ(body[2].size(), 80u);
    EXPECT_EQ(body[3], end_field);
    EXPECT_EQ(file.back(), '\n');
}

TEST_F(GksvanTest, ColourEncoding)
{
    korini();
    select_colour(0);     // after 255: 99 99 87
    select_colour(0);     // unchanged: nothing
    select_colour(1);     // 10
    select_colour(89);    // 98
    select_colour(90);    // 99 10
    select_colour(178);   // 99 98
    select_colour(179);   // 99 99 10
    korfin();
    std::vector<std::string> fields = body_fields(read_file("korvan.met"));
    std::vector<std::string> expected = {"99.0000000", "99.0000000", "86.0000000", "99.0000000", "99.0000000",
                                         "87.0000000", "10.0000000", "98.0000000", "99.0000000", "10.0000000",
                                         "99.0000000", "98.0000000", "99.0000000", "99.0000000", "10.0000000",
                                         end_field};
    EXPECT_EQ(fields, expected);

    // A colour record crossing a line end is broken between its fields.
    korini();
    for (int c : {1, 2, 3, 4, 0})
        select_colour(c);
    korfin();
    EXPECT_EQ(read_file("korvan_1.met"), "      29.7      21.0\n"
                                        "99.000000099.000000086.000000010.000000011.000000012.000000013.000000099.0000000\n"
                                        "99.000000087.0000000 9.0000000\n");
}

TEST_F(GksvanTest, ScaledAndPortraitHeaders)
{
    sclfac(0.5);
    korini();
    korfin();
    EXPECT_EQ(read_file("korvan.met").substr(0, 21), "      14.8      10.5\n");

    sclfac(1.0);
    setpag("da4p");
    korini();
    korfin();
    EXPECT_EQ(read_file("korvan_1.met").substr(0, 21), "      21.0      29.7\n");

    // Page mode portrait turns a landscape page: header swapped, x from y.
    setpag("DA4L");
    pagmod("PORT");
    korini();
    plot_vector(2969, 0, 2);
    korfin();
    std::vector<std::string> fields = body_fields(read_file("korvan_2.met"));
    EXPECT_EQ(read_file("korvan_2.met").substr(0, 21), "      21.0      29.7\n");
    ASSERT_GE(fields.size(), 6u);
    EXPECT_EQ(fields[3], " 0.0000000");
    EXPECT_EQ(fields[4], " 1.0000000");
}

TEST_F(GksvanTest, PageraDrawsTheClosedBorder)
{
    korini();
    pagera();
    korfin();
    std::vector<std::string> fields = body_fields(read_file("korvan.met"));
    std::vector<std::string> expected = {"99.0000000", "99.0000000", "86.0000000", " 0.0000000", " 0.7069720",
                                         " 3.0000000", " 0.0000000", " 0.0000000", " 2.0000000", " 1.0000000",
                                         " 0.0000000", " 1.0000000", " 0.7069720", " 0.0000000", " 0.7069720",
                                         end_field};
    EXPECT_EQ(fields, expected);
}

// --- Reader ------------------------------------------------------------------

struct Recorder : GksvanReader::Sink {
    void point(double x, double y, bool draw) override
    {
        char text[64];
        std::snprintf(text, sizeof text, "%c(%.7f,%.7f)", draw ? 'D' : 'M', x, y);
        events.push_back(text);
    }
    void colour(int index) override { events.push_back("C" + std::to_string(index)); }
    std::vector<std::string> events;
};

struct Played {
    bool header = false;
    double width = 0;
    double height = 0;
    GksvanReader::Result result = GksvanReader::Result::incomplete;
    std::vector<std::string> events;
};

Played play_text(const std::string& text)
{
    Played played;
    std::FILE* f = std::tmpfile();
    std::fwrite(text.data(), 1, text.size(), f);
    std::rewind(f);
    GksvanReader reader(f);
    played.header = reader.read_header(played.width, played.height);
    if (played.header) {
        Recorder recorder;
        played.result = reader.play(recorder);
        played.events = recorder.events;
    }
    std::fclose(f);
    return played;
}

TEST(GksvanReader, ClassifiesFields)
{
    EXPECT_EQ(GksvanReader::field_kind(" 0.5000000"), 0);
    EXPECT_EQ(GksvanReader::field_kind(" 1.0000000"), 1);
    EXPECT_EQ(GksvanReader::field_kind(" 2.0000000"), 2);
    EXPECT_EQ(GksvanReader::field_kind(" 9.0000000"), 9);
    EXPECT_EQ(GksvanReader::field_kind("99.0000000"), 99);
    EXPECT_EQ(GksvanReader::field_kind("87.0000000"), 87);
    EXPECT_EQ(GksvanReader::field_kind("   .000000"), 0);
    EXPECT_EQ(GksvanReader::field_kind("xy.0000000"), -1);
    EXPECT_EQ(GksvanReader::field_kind(" -.0000000"), -1);
    double v = 0;
    EXPECT_TRUE(GksvanReader::coordinate_value(" 0.7069720", 0, v));
    EXPECT_DOUBLE_EQ(v, 0.706972);
    EXPECT_FALSE(GksvanReader::coordinate_value(" 0.70x9720", 0, v));
}

TEST(GksvanReader, PlaysPointsPenCodesAndColours)
{
    Played p = play_text("      29.7      21.0\n"
                         "99.000000099.000000086.0000000 0.0000000 0.0000000 3.0000000 1.0000000 0.7069720\n"
                         " 2.0000000 0.5000000 0.5000000" "99.000000099.000000087.0000000" " 9.0000000\n");
    ASSERT_TRUE(p.header);
    EXPECT_DOUBLE_EQ(p.width, 2970.0);
    EXPECT_DOUBLE_EQ(p.height, 2100.0);
    EXPECT_EQ(p.result, GksvanReader::Result::complete);
    std::vector<std::string> expected = {"C255", "M(0.0000000,0.0000000)", "D(1.0000000,0.7069720)",
                                         "D(0.5000000,0.5000000)", "C0"};
    EXPECT_EQ(p.events, expected);
}

TEST(GksvanReader, BadAndTruncatedFiles)
{
    EXPECT_FALSE(play_text("").header);
    EXPECT_FALSE(play_text("garbage\n").header);
    EXPECT_FALSE(play_text("      29.7\n").header);
    EXPECT_FALSE(play_text("       0.0       0.0\n 9.0000000\n").header);
    EXPECT_FALSE(play_text("       nan       inf\n").header);
    // Finite as read, endless in plot coordinates (times 100).
    EXPECT_FALSE(play_text("5 008E307\n").header);
    EXPECT_FALSE(play_text("1.8E307 21.0\n").header);
    Played largest = play_text("1E306 1E306\n");
    ASSERT_TRUE(largest.header);
    EXPECT_DOUBLE_EQ(largest.width, 1E308);

    Played cut = play_text("      29.7      21.0\n 0.1000000 0.2000000 2.0000000 0.3000");
    ASSERT_TRUE(cut.header);
    EXPECT_EQ(cut.result, GksvanReader::Result::incomplete);
    EXPECT_EQ(cut.events, std::vector<std::string>{"D(0.1000000,0.2000000)"});

    // Garbage fields are skipped; endless colour prefixes neither overflow nor select a colour.
    std::string body = "#$%^&*()!!";
    for (int i = 0; i < 1000; ++i)
        body += (i % 8 == 7) ? "99.0000000\n" : "99.0000000";
    Played junk = play_text("      29.7      21.0\n" + body + "50.0000000 9.0000000\n");
    ASSERT_TRUE(junk.header);
    EXPECT_EQ(junk.result, GksvanReader::Result::complete);
    EXPECT_TRUE(junk.events.empty());

    // Binary noise with over-long lines.
    std::string noise = "      10.0      10.0\n";
    std::mt19937 random(7);
    for (int i = 0; i < 20000; ++i)
        noise += static_cast<char>(random() & 0xFF);
    Played noisy = play_text(noise);
    EXPECT_TRUE(noisy.header);
}

// --- INCFIL ------------------------------------------------------------------

TEST_F(GksvanTest, IncfilOfA3MetafileIntoA4Page)
{
    setpag("DA3L");
    setfil("a3.met");
    korini();
    pagera();
    korfin();
    ASSERT_EQ(read_file(path("a3.met")).substr(0, 21), "      42.0      29.7\n");

    setpag("DA4L");
    setfil("a4.met");
    korini();
    incfil("a3.met");
    korfin();
    // t = min(2970 / 4200, 2100 / 2970): the A3 page fills the A4 height.
    double t = std::min(2970.0 / 4200.0, 2100.0 / 2970.0);
    double a3_top = std::stod(field(2969.0 / 4199.0));
    std::vector<std::string> fields = body_fields(read_file("a4.met"));
    // The included colour 255 is current already: nothing written for it.
    std::vector<std::string> expected = {"99.0000000", "99.0000000", "86.0000000"};
    auto xy = [&](double x, double y) {
        double px = std::clamp(t * 4200.0 * x, 0.0, 2969.0);
        double py = std::clamp(t * 2970.0 - t * 4200.0 * y, 0.0, 2099.0);
        expected.push_back(field(px / 2969.0));
        expected.push_back(field((2099.0 - py) / 2969.0));
    };
    xy(0.0, a3_top);
    expected.push_back(" 3.0000000");
    xy(0.0, 0.0);
    expected.push_back(" 2.0000000");
    xy(1.0, 0.0);
    xy(1.0, a3_top);
    xy(0.0, a3_top);
    expected.push_back(end_field);
    EXPECT_EQ(fields, expected);
    // Every coordinate stays on the page.
    for (std::size_t i = 3; i + 1 < fields.size(); ++i)
        EXPECT_NE(fields[i][1], '-') << fields[i];
    EXPECT_EQ(fields[7], " 0.0000000");   // the lower page edge
    EXPECT_EQ(fields[9], " 1.0000000");   // the right page edge
}

TEST_F(GksvanTest, IncfilFailures)
{
    korini();
    take_output();
    incfil("missing.met");
    EXPECT_EQ(take_output(), " <<<< Warning  36: File error in incfil!\n");

    write_file("ps.met", "%!PS-Adobe-2.0\n");
    incfil("ps.met");
    write_file("hp.met", " SP1;PU0,0;\n");
    incfil("hp.met");
    write_file("kyo.met", "!R! RES;\n");
    incfil("kyo.met");
    EXPECT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in incfil!\n"
                                 " <<<< Warning  56: Incorrect file format in incfil!\n"
                                 " <<<< Warning  56: Incorrect file format in incfil!\n");

    write_file("empty.met", "");
    incfil("empty.met");
    write_file("bad.met", "not a metafile at all\n");
    incfil("bad.met");
    write_file("huge.met", "      29.7 8.0E307\n 0.1000000 0.2000000 2.0000000 0.3000000 0.4000000 9.0000000\n");
    incfil("huge.met");
    EXPECT_EQ(take_output(), " <<<< Warning  56: Incorrect file format in incfil!\n"
                             " <<<< Warning  56: Incorrect file format in incfil!\n"
                             " <<<< Warning  56: Incorrect file format in incfil!\n");

    write_file("cut.met", "      29.7      21.0\n 0.1000000 0.2000000 3.0000000 0.3000000 0.40");
    long before = state().vector_count;
    incfil("cut.met");
    EXPECT_EQ(take_output(), " <<<< The GKSVAN file is not complete!\n");
    EXPECT_EQ(state().vector_count, before + 1);

    // A CGM file is told by its first word and read as CGM: this one ends
    // early, which stops the program.
    std::string cgm("\x00\x22\x04test", 7);
    write_file("pic.cgm", cgm);
    EXPECT_EXIT(
        {
            plat::set_console(std::make_unique<plat::TerminalConsole>(stdin, stderr));
            incfil("pic.cgm");
        },
        ::testing::ExitedWithCode(1), "incfil: >>>> Unexpected end of CGM file!");
    korfin();
    EXPECT_EQ(state().level, 0);
}

TEST_F(GksvanTest, FilboxAndFilclr)
{
    filbox(-1, 5, 10, 10);
    filbox(0, 0, 0, 10);
    filbox(2000, 0, 1000, 10);
    std::string out = take_output();
    EXPECT_EQ(out, " <<<< Warning   3: Incorrect level in filbox!   (   0)\n"
                   " <<<< Warning   1: Negative parameter in filbox!   (  -1)\n"
                   " <<<< Warning   3: Incorrect level in filbox!   (   0)\n"
                   " <<<< Warning   2: Incorrect parameter in filbox!   (   0)\n"
                   " <<<< Warning   3: Incorrect level in filbox!   (   0)\n"
                   " <<<< Warning   2: Incorrect parameter in filbox!\n");

    // A metafile of a 1000 x 1000 page with a colour and one line.
    write_file("sq.met", "      10.0      10.0\n10.0000000 0.0000000 0.0000000 3.0000000 1.0000000 1.0000000 2.0000000"
                         " 9.0000000\n");
    page(2000, 1000);
    korini();
    filbox(1000, 0, 500, 1000);
    filclr("NONE");
    incfil("sq.met");
    filclr("all");
    incfil("sq.met");
    korfin();
    std::vector<std::string> fields = body_fields(read_file("korvan.met"));
    std::vector<std::string> expected = {"99.0000000", "99.0000000", "86.0000000",
                                         // box (1000, 0, 500, 1000): t = 0.5
                                         field(1000.0 / 1999.0), field(499.0 / 1999.0), " 3.0000000",
                                         field(1500.0 / 1999.0), field(999.0 / 1999.0),
                                         " 2.0000000",
                                         "10.0000000",
                                         field(1000.0 / 1999.0), field(499.0 / 1999.0), " 3.0000000",
                                         field(1500.0 / 1999.0), field(999.0 / 1999.0),
                                         " 2.0000000", end_field};
    EXPECT_EQ(fields, expected);
}

}  // namespace
}  // namespace korvan::test
