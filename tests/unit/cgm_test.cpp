// The CGM writer: header, empty plot, polylines, VDC, colours, pages and the
// block padding, checked byte by byte.
#include "tests/unit/kernel_test_support.hpp"

#include <cmath>
#include <cstdint>
#include <vector>

#include "plot/kernel/cgm.hpp"

namespace korvan::test {
namespace {

// Bytes from a hex text ("00 21 ...").
std::string bytes(const std::string& hex)
{
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size();) {
        if (hex[i] == ' ') {
            ++i;
            continue;
        }
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
        i += 2;
    }
    return out;
}

const std::string header_hex =
    "00 21 00 00 "
    "10 22 00 01 "
    "10 5F 00 28 27 43 47 4D 20 42 49 4E 41 52 59 20 45 4E 43 4F 44 49 4E 47 20 56 52 54 41 20 31 2E 30 20 30 "
    "20 20 20 20 20 20 20 20 20 "
    "11 6E 00 03 FF FF 00 00 00 01 00 0C 00 02 00 01 "
    "11 8A 20 C8 80 01 80 01 7F FF 7F FF "
    "00 61 00 00 "
    "20 C8 80 01 80 01 7F FF 7F FF "
    "20 26 00 01 3D 4C CC C8 "
    "00 80";

const std::string colour_255 = bytes("50 81 FF 00");
const std::string end_elements = bytes("00 A0 00 40");

// One element of a file, decoded independently of the library's reader.
struct Element {
    int element_class;
    int id;
    std::string parameters;
};

std::vector<Element> elements(const std::string& file)
{
    std::vector<Element> out;
    std::size_t at = 0;
    auto word = [&](std::size_t i) {
        return (static_cast<unsigned char>(file[i]) << 8) | static_cast<unsigned char>(file[i + 1]);
    };
    while (at + 2 <= file.size()) {
        int head = word(at);
        at += 2;
        std::size_t length = head & 31;
        if (length == 31) {
            length = static_cast<std::size_t>(word(at));
            at += 2;
        }
        Element e{head >> 12, (head >> 5) & 127, file.substr(at, length)};
        at += length + (length & 1);
        out.push_back(e);
        if (e.element_class == 0 && e.id == 2)
            break;
    }
    return out;
}

std::vector<std::pair<int, int>> points(const Element& e)
{
    std::vector<std::pair<int, int>> out;
    auto value = [&](std::size_t i) {
        return static_cast<int>(static_cast<std::int16_t>(
            (static_cast<unsigned char>(e.parameters[i]) << 8) | static_cast<unsigned char>(e.parameters[i + 1])));
    };
    for (std::size_t i = 0; i + 4 <= e.parameters.size(); i += 4)
        out.emplace_back(value(i), value(i + 2));
    return out;
}

// The elements of the picture body (after the 104 header bytes).
std::vector<Element> body(const std::string& file)
{
    std::vector<Element> all = elements(file);
    EXPECT_GE(all.size(), 9u);
    return std::vector<Element>(all.begin() + 9, all.end());
}

bool is_polyline(const Element& e) { return e.element_class == 4 && e.id == 1; }

using CgmTest = KernelTest;

TEST_F(CgmTest, HeaderIsTheFixedDescriptorAndPicture)
{
    EXPECT_EQ(cgm_header(), bytes(header_hex));
    EXPECT_EQ(cgm_header().size(), 104u);
}

TEST_F(CgmTest, EmptyPlotIsHeaderForegroundEndAndBlankPadding)
{
    metafl("CGM");
    korini();
    EXPECT_EQ(getfil(), path("korvan.cgm"));
    korfin();
    std::string expected = bytes(header_hex) + colour_255 + end_elements;
    expected += std::string(160 - expected.size(), ' ');
    EXPECT_EQ(read_file("korvan.cgm"), expected);
    EXPECT_NE(take_output().find("Fileformat: CGM "), std::string::npos);
}

TEST_F(CgmTest, PageCornersInVdc)
{
    metafl("CGM");
    korini();
    EXPECT_DOUBLE_EQ(state().device_scale, 2.0);
    plot_vector(0, 0, 3);
    plot_vector(0, 2099, 2);
    plot_vector(2969, 2099, 2);
    korfin();
    std::string file = read_file("korvan.cgm");
    // (0, 0) is (-32767, -28569), (0, 2099) is (-32767, -32767), (2969, 2099) is (-26829, -32767).
    EXPECT_EQ(file.substr(108, 16), bytes("40 3F 00 0C 80 01 90 67 80 01 80 01 97 33 80 01"));
    EXPECT_EQ(file.substr(124, 4), end_elements);
}

TEST_F(CgmTest, LongPolylineIsSplitIntoElementsOf50Points)
{
    metafl("CGM");
    korini();
    for (int i = 0; i < 120; ++i)
        plot_vector(10 + i, 100 + (i % 7), i == 0 ? 3 : 2);
    korfin();
    std::vector<Element> els = body(read_file("korvan.cgm"));
    ASSERT_EQ(els.size(), 6u);  // colour, three polylines, end picture, end metafile
    std::vector<std::vector<std::pair<int, int>>> lines;
    for (const Element& e : els) {
        if (is_polyline(e))
            lines.push_back(points(e));
    }
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(lines[0].size(), 50u);
    EXPECT_EQ(lines[1].size(), 50u);
    EXPECT_EQ(lines[2].size(), 22u);
    EXPECT_EQ(lines[1].front(), lines[0].back());
    EXPECT_EQ(lines[2].front(), lines[1].back());
    EXPECT_EQ(lines[0].front(), std::make_pair(2 * 10 - 32767, 2 * (2099 - 100) - 32767));
    EXPECT_EQ(lines[2].back(), std::make_pair(2 * 129 - 32767, 2 * (2099 - 100 - 119 % 7) - 32767));
}

TEST_F(CgmTest, ColourOnlyOnChangeAfterThePendingLine)
{
    metafl("CGM");
    korini();
    plot_vector(0, 0, 3);
    plot_vector(10, 0, 2);
    select_colour(255);  // unchanged: nothing
    select_colour(3);
    plot_vector(20, 0, 2);
    select_colour(3);
    korfin();
    std::vector<Element> els = body(read_file("korvan.cgm"));
    ASSERT_EQ(els.size(), 6u);
    EXPECT_EQ(els[0].element_class, 5);
    EXPECT_EQ(els[0].parameters, std::string("\xFF", 1));
    EXPECT_TRUE(is_polyline(els[1]));
    EXPECT_EQ(points(els[1]).size(), 2u);
    EXPECT_EQ(els[2].element_class, 5);
    EXPECT_EQ(els[2].id, 4);
    EXPECT_EQ(els[2].parameters, std::string("\x03", 1));
    // The draw after the colour goes on from the previous line's last point.
    ASSERT_TRUE(is_polyline(els[3]));
    EXPECT_EQ(points(els[3]), (std::vector<std::pair<int, int>>{{-32767 + 20, -28569}, {-32767 + 40, -28569}}));
}

TEST_F(CgmTest, LonePointsDrawNothing)
{
    metafl("CGM");
    korini();
    plot_vector(5, 5, 3);
    plot_vector(6, 6, 3);
    korfin();
    std::string expected = bytes(header_hex) + colour_255 + end_elements;
    EXPECT_EQ(read_file("korvan.cgm").substr(0, expected.size()), expected);
}

TEST_F(CgmTest, FileIsWrittenInBlocksOf80PaddedWithBlanks)
{
    metafl("CGM");
    korini();
    for (int i = 0; i < 37; ++i)
        plot_vector(i * 3, i * 2, i % 5 == 0 ? 3 : 2);
    korfin();
    std::string file = read_file("korvan.cgm");
    EXPECT_EQ(file.size() % 80, 0u);
    std::size_t end = file.rfind(end_elements);
    ASSERT_NE(end, std::string::npos);
    EXPECT_EQ(file.substr(end + 4), std::string(file.size() - end - 4, ' '));
    EXPECT_LT(file.size() - end - 4, 80u);
}

TEST_F(CgmTest, PagesLieSideBySideUntilTheVdcSpaceIsFull)
{
    metafl("CGM");
    korini();
    newpag();
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 3069.0f);
    plot_vector(0, 0, 3);
    plot_vector(100, 0, 2);
    // Page 10 ends at 9 x 3069 + 2969 = 30590 plot units, 61180 VDC units
    // from the left edge; page 11 would reach beyond the VDC space.
    for (int i = 0; i < 8; ++i)
        newpag();
    EXPECT_EQ(take_output(), "");
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 9 * 3069.0f);
    newpag();
    EXPECT_EQ(take_output(), " <<<< Warning  39: Too many pages for CGM file (max. length 327 cm) in newpag!\n");
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 9 * 3069.0f);
    plot_vector(2969, 2099, 3);
    plot_vector(2969, 0, 2);
    korfin();
    std::vector<Element> lines;
    for (const Element& e : body(read_file("korvan.cgm"))) {
        if (is_polyline(e))
            lines.push_back(e);
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(points(lines[0]).front(), std::make_pair(2 * 3069 - 32767, -28569));
    // The right edge of the last page stays inside the VDC space.
    EXPECT_EQ(points(lines[1]).front(), std::make_pair(2 * (9 * 3069 + 2969) - 32767, -32767));
    // The next plot starts on its first page again.
    korini();
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 0.0f);
    korfin();
}

TEST_F(CgmTest, PortraitPageModeTurnsThePointsAndStepsByTheHeight)
{
    pagmod("PORT");
    metafl("CGM");
    korini();
    plot_vector(100, 200, 3);
    plot_vector(300, 400, 2);
    newpag();
    EXPECT_FLOAT_EQ(state().cgm_page_offset, 2199.0f);
    plot_vector(0, 0, 3);
    plot_vector(1, 1, 2);
    korfin();
    std::vector<std::vector<std::pair<int, int>>> lines;
    for (const Element& e : body(read_file("korvan.cgm"))) {
        if (is_polyline(e))
            lines.push_back(points(e));
    }
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0], (std::vector<std::pair<int, int>>{{400 - 32767, 200 - 32767}, {800 - 32767, 600 - 32767}}));
    EXPECT_EQ(lines[1].front(), std::make_pair(2 * 2199 - 32767, -32767));
}

TEST_F(CgmTest, ScalingFactorSetsTheVdcPerPlotUnitAndFarPointsStayInside)
{
    sclfac(0.5);
    metafl("CGM");
    korini();
    EXPECT_DOUBLE_EQ(state().device_scale, 1.0);
    plot_vector(0, 0, 3);
    plot_vector(1000, 0, 2);
    plot_vector(1e9, -1e9, 2);  // off the VDC space: on its edge, not wrapped round
    korfin();
    std::vector<Element> els = body(read_file("korvan.cgm"));
    ASSERT_TRUE(is_polyline(els[1]));
    EXPECT_EQ(points(els[1]), (std::vector<std::pair<int, int>>{
                                  {-32767, 2099 - 32767}, {1000 - 32767, 2099 - 32767}, {32767, 32767}}));
    EXPECT_EQ(cgm_vdc(std::nan("")), -32767);
    EXPECT_EQ(cgm_vdc(-5), -32767);
    EXPECT_EQ(cgm_vdc(65534.4), 32767);
    EXPECT_EQ(cgm_vdc(1.5), -32765);
}

}  // namespace
}  // namespace korvan::test
