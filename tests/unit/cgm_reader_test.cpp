// Reading CGM back: the extent pass, playback, long forms, partitions and
// padding, broken and truncated files, and INCFIL of a CGM file.
#include "tests/unit/kernel_test_support.hpp"

#include "plat/terminal_console.hpp"

#include <algorithm>
#include <cstdint>
#include <random>
#include <vector>

#include "plot/kernel/cgm.hpp"
#include "plot/kernel/cgm_reader.hpp"
#include "plot/kernel/gksvan_reader.hpp"

namespace korvan::test {
namespace {

std::string word(int v)
{
    auto w = static_cast<std::uint16_t>(v);
    return {static_cast<char>(w >> 8), static_cast<char>(w & 0xFF)};
}

std::string head(int element_class, int id, int length) { return word((element_class << 12) | (id << 5) | length); }

const std::string begin_metafile = head(0, 1, 1) + std::string(2, '\0');
const std::string end_metafile = head(0, 2, 0);

std::string polyline(const std::vector<std::pair<int, int>>& pts)
{
    std::string e = head(4, 1, 31) + word(static_cast<int>(pts.size()) * 4);
    for (auto [x, y] : pts)
        e += word(x) + word(y);
    return e;
}

std::string line_colour(int index) { return head(5, 4, 1) + static_cast<char>(index) + '\0'; }

struct Event {
    double x;
    double y;
    bool draw;
    int colour;  // -1 for a point
    bool operator==(const Event&) const = default;
};

class Recorder final : public CgmReader::Sink {
public:
    void point(double x, double y, bool draw) override { events.push_back({x, y, draw, -1}); }
    void colour(int index) override { events.push_back({0, 0, false, index}); }
    std::vector<Event> events;
};

struct Reading {
    CgmReader::Result scanned;
    CgmReader::Extent extent;
    CgmReader::Result played;
    std::vector<Event> events;
};

Reading read_cgm(const std::string& name)
{
    Reading r{};
    std::FILE* f = std::fopen(name.c_str(), "rb");
    EXPECT_NE(f, nullptr);
    if (f == nullptr)
        return r;
    CgmReader reader(f);
    r.scanned = reader.scan(r.extent);
    Recorder sink;
    r.played = reader.play(r.extent.max_y, sink);
    r.events = sink.events;
    std::fclose(f);
    return r;
}

using CgmReaderTest = KernelTest;

TEST_F(CgmReaderTest, ReadsTheLibrarysPolylinesAndColours)
{
    metafl("CGM");
    setfil("lines.cgm");
    korini();
    pagera();
    select_colour(4);
    plot_vector(100, 200, 3);
    plot_vector(300.5, 400, 2);
    korfin();
    Reading r = read_cgm("lines.cgm");
    EXPECT_EQ(r.scanned, CgmReader::Result::complete);
    EXPECT_EQ(r.played, CgmReader::Result::complete);
    EXPECT_DOUBLE_EQ(r.extent.max_x, 2969);
    EXPECT_DOUBLE_EQ(r.extent.max_y, 2099);
    EXPECT_DOUBLE_EQ(r.extent.page_width(), 2970);
    EXPECT_DOUBLE_EQ(r.extent.page_height(), 2100);
    const std::vector<Event> expected = {
        {0, 0, false, 255},   {0, 0, false, -1},    {0, 2099, true, -1}, {2969, 2099, true, -1},
        {2969, 0, true, -1},  {0, 0, true, -1},     {0, 0, false, 4},    {100, 200, false, -1},
        {300.5, 400, true, -1},
    };
    EXPECT_EQ(r.events, expected);
}

TEST_F(CgmReaderTest, YIsFlippedAgainstTheLargestYAndLongFilesSpanManyBlocks)
{
    metafl("CGM");
    setfil("many.cgm");
    korini();
    for (int i = 0; i < 500; ++i)
        plot_vector(i, 1000 + (i % 3), i == 0 ? 3 : 2);
    korfin();
    Reading r = read_cgm("many.cgm");
    EXPECT_EQ(r.played, CgmReader::Result::complete);
    // The highest point on the page (y = 1000) has the largest VDC y.
    EXPECT_DOUBLE_EQ(r.extent.max_y, 2099 - 1000);
    EXPECT_DOUBLE_EQ(r.extent.max_x, 499);
    std::vector<Event> points;
    for (const Event& e : r.events) {
        if (e.colour < 0)
            points.push_back(e);
    }
    // 11 elements; each further element repeats the previous one's last point as a move.
    ASSERT_EQ(points.size(), 500u + 10u);
    EXPECT_EQ(points[0], (Event{0, 0, false, -1}));
    EXPECT_EQ(points[50], (Event{49, 1, false, -1}));
    EXPECT_EQ(points.back(), (Event{499, 499 % 3, true, -1}));
}

TEST_F(CgmReaderTest, SkipsOtherElementsOddPaddingAndReadsPartitions)
{
    std::string file = begin_metafile;
    // A text-like element of odd length 3 (padded), an unknown class 7 element
    // in long form, then a polyline in two partitions.
    file += head(4, 4, 3) + "abc" + '\0';
    file += head(7, 9, 31) + word(5) + "12345" + '\0';
    file += head(4, 1, 31) + word(0x8000 | 4) + word(-32767) + word(-32767);
    file += word(8) + word(-32765) + word(-32763) + word(-32767 + 10) + word(-32767 + 8);
    file += line_colour(200);
    file += end_metafile + "trailing garbage is never read";
    write_file("parts.cgm", file);
    Reading r = read_cgm("parts.cgm");
    EXPECT_EQ(r.scanned, CgmReader::Result::complete);
    EXPECT_EQ(r.played, CgmReader::Result::complete);
    EXPECT_DOUBLE_EQ(r.extent.max_x, 5);
    EXPECT_DOUBLE_EQ(r.extent.max_y, 4);
    const std::vector<Event> expected = {
        {0, 4, false, -1}, {1, 2, true, -1}, {5, 0, true, -1}, {0, 0, false, 200}};
    EXPECT_EQ(r.events, expected);
}

TEST_F(CgmReaderTest, WordsAreBigEndianAndColourBytesUnsigned)
{
    // VDC 0 is the middle of the space; 32767 its far edge.
    std::string file = begin_metafile + line_colour(255) + polyline({{0, 32767}, {-1, 1}}) + line_colour(128) +
                       end_metafile;
    write_file("hand.cgm", file);
    Reading r = read_cgm("hand.cgm");
    EXPECT_EQ(r.played, CgmReader::Result::complete);
    EXPECT_DOUBLE_EQ(r.extent.max_x, 16383.5);
    EXPECT_DOUBLE_EQ(r.extent.max_y, 32767);
    const std::vector<Event> expected = {
        {0, 0, false, 255}, {16383.5, 0, false, -1}, {16383, 32767 - 16384, true, -1}, {0, 0, false, 128}};
    EXPECT_EQ(r.events, expected);
}

TEST_F(CgmReaderTest, EveryTruncationIsReportedAndNeverReadsPastTheFile)
{
    metafl("CGM");
    setfil("whole.cgm");
    korini();
    pagera();
    select_colour(7);
    for (int i = 0; i < 60; ++i)
        plot_vector(10 * i, 5 * i, i == 0 ? 3 : 2);
    korfin();
    std::string whole = read_file("whole.cgm");
    std::size_t end = whole.rfind(std::string("\x00\x40", 2));
    ASSERT_NE(end, std::string::npos);
    for (std::size_t n = 0; n < end + 2; ++n) {
        write_file("cut.cgm", whole.substr(0, n));
        Reading r = read_cgm("cut.cgm");
        ASSERT_EQ(r.scanned, CgmReader::Result::truncated) << n;
        ASSERT_EQ(r.played, CgmReader::Result::truncated) << n;
    }
    write_file("cut.cgm", whole.substr(0, end + 2));
    EXPECT_EQ(read_cgm("cut.cgm").played, CgmReader::Result::complete);
}

TEST_F(CgmReaderTest, RandomBytesNeverCrashOrHang)
{
    std::mt19937 random(4711);
    std::uniform_int_distribution<int> byte(0, 255);
    for (int round = 0; round < 300; ++round) {
        std::string file = begin_metafile;
        int n = 1 + round * 7;
        for (int i = 0; i < n; ++i)
            file += static_cast<char>(byte(random));
        write_file("noise.cgm", file);
        Reading r = read_cgm("noise.cgm");
        for (const Event& e : r.events) {
            ASSERT_GE(e.x, 0);
            ASSERT_LE(e.x, 32767);
            ASSERT_GE(e.y, 0);
            ASSERT_LE(e.colour, 255);
        }
    }
}

// --- INCFIL ----------------------------------------------------------------

// The lines every inclusion test draws: the page border, a colour and a zigzag.
void draw_sample()
{
    pagera();
    select_colour(30);
    for (int i = 0; i < 75; ++i)
        plot_vector(100 + 20 * i, 500 + (i % 2) * 40, i == 0 ? 3 : 2);
    select_colour(255);
    plot_vector(1000, 1500, 3);
    plot_vector(1200, 1700, 2);
}

// The drawn segments of a metafile with their colours: what a viewer shows.
class SegmentRecorder final : public GksvanReader::Sink {
public:
    void point(double x, double y, bool draw) override
    {
        if (draw)
            segments.push_back({x0_, y0_, x, y, colour_});
        x0_ = x;
        y0_ = y;
    }
    void colour(int index) override { colour_ = index; }

    struct Segment {
        double x0, y0, x1, y1;
        int colour;
        bool operator==(const Segment&) const = default;
    };
    std::vector<Segment> segments;

private:
    double x0_ = 0;
    double y0_ = 0;
    int colour_ = -1;
};

std::vector<SegmentRecorder::Segment> metafile_segments(const std::string& name)
{
    std::FILE* f = std::fopen(name.c_str(), "rb");
    EXPECT_NE(f, nullptr);
    SegmentRecorder sink;
    if (f == nullptr)
        return sink.segments;
    GksvanReader reader(f);
    double w = 0;
    double h = 0;
    EXPECT_TRUE(reader.read_header(w, h));
    EXPECT_EQ(reader.play(sink), GksvanReader::Result::complete);
    std::fclose(f);
    return sink.segments;
}

TEST_F(CgmReaderTest, IncludedCgmDrawsTheSameLinesAsDrawingDirectly)
{
    metafl("CGM");
    setfil("sample.cgm");
    korini();
    draw_sample();
    korfin();

    metafl("GKSV");
    setfil("direct.met");
    korini();
    draw_sample();
    korfin();

    setfil("included.met");
    korini();
    incfil("sample.cgm");
    korfin();
    take_output();
    std::vector<SegmentRecorder::Segment> direct = metafile_segments("direct.met");
    EXPECT_EQ(direct.size(), 4u + 74u + 1u);
    EXPECT_EQ(metafile_segments("included.met"), direct);
}

TEST_F(CgmReaderTest, IncludedCgmIsScaledIntoTheFileBoxAndFilclrNoneKeepsColours)
{
    metafl("CGM");
    setfil("box.cgm");
    korini();
    pagera();
    select_colour(30);
    plot_vector(0, 0, 3);
    plot_vector(2969, 2099, 2);
    korfin();

    metafl("GKSV");
    setfil("boxed.met");
    korini();
    filbox(100, 200, 1485, 1050);
    filclr("NONE");
    long before = state().vector_count;
    incfil("box.cgm");
    EXPECT_EQ(state().current_colour, 255);
    // Five border points and the diagonal.
    EXPECT_EQ(state().vector_count, before + 7);
    korfin();
    take_output();
    std::string met = read_file("boxed.met");
    // The page's lower right corner lands at (100 + 0.5 x 2969, 200 + 0.5 x 2099) of the
    // 2969 x 2099 metafile page: x 1584.5 / 2969, y (2099 - 1249.5) / 2969.
    char corner[32];
    std::snprintf(corner, sizeof corner, "%10.7f%10.7f", 1584.5 / 2969, (2099 - 1249.5) / 2969);
    EXPECT_NE(met.find(corner), std::string::npos) << met;
    // Colour 30 (field 39) is never written.
    EXPECT_EQ(met.find("39.0000000"), std::string::npos);
}

TEST_F(CgmReaderTest, TruncatedCgmStopsTheProgramAfterFinishingThePlot)
{
    metafl("CGM");
    setfil("full.cgm");
    korini();
    draw_sample();
    korfin();
    std::string whole = read_file("full.cgm");
    write_file("cut.cgm", whole.substr(0, 200));
    metafl("GKSV");
    setfil("after.met");
    korini();
    plot_vector(1, 1, 3);
    plot_vector(2, 2, 2);
    take_output();
    EXPECT_EXIT(
        {
            plat::set_console(std::make_unique<plat::TerminalConsole>(stdin, stderr));
            incfil("cut.cgm");
        },
        ::testing::ExitedWithCode(1), "incfil: >>>> Unexpected end of CGM file!");
    // The plot file is complete: the line drawn before, the elements read
    // before the cut (the border) and the end field.
    std::string met = read_file("after.met");
    ASSERT_GE(met.size(), 11u);
    EXPECT_EQ(met.substr(met.size() - 11), " 9.0000000\n");
    EXPECT_GT(std::count(met.begin(), met.end(), '.'), 14);
    korfin();

    // A file of the BEGIN METAFILE word alone.
    write_file("stub.cgm", std::string("\x00\x21", 2));
    setfil("stub.met");
    korini();
    take_output();
    EXPECT_EXIT(
        {
            plat::set_console(std::make_unique<plat::TerminalConsole>(stdin, stderr));
            incfil("stub.cgm");
        },
        ::testing::ExitedWithCode(1), "incfil: >>>> Unexpected end of CGM file!");
    korfin();
}

}  // namespace
}  // namespace korvan::test
