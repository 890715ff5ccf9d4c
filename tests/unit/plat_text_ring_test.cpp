#include <gtest/gtest.h>

#include <string>

#include "plat/text_ring.hpp"

namespace korvan::plat {
namespace {

TEST(TextRing, LinesAreKeptUpToEightyCharacters)
{
    TextRing ring;
    EXPECT_EQ(ring.lines_in_use(), 1);
    const std::string long_line = std::string(80, 'a') + "0123456789";
    ring.append(long_line + "\nnext");
    EXPECT_EQ(ring.lines_in_use(), 2);
    EXPECT_EQ(ring.stored_line(0), std::string(80, 'a'));
    // Shown in full until the text is repainted from its buffers.
    EXPECT_EQ(ring.shown_line(0), long_line);
    ring.repaint();
    EXPECT_EQ(ring.shown_line(0), std::string(80, 'a'));
    EXPECT_EQ(ring.shown_line(1), "next");
}

TEST(TextRing, OpenLinesContinueAndCarriageReturnsAreDropped)
{
    TextRing ring;
    ring.append("KFL");
    ring.append("> A = 1\r\n");
    ring.append("");
    EXPECT_EQ(ring.stored_line(0), "KFL> A = 1");
    EXPECT_EQ(ring.lines_in_use(), 2);
    EXPECT_EQ(ring.stored_line(1), "");
    EXPECT_EQ(ring.stored_line(7), "");
    EXPECT_EQ(ring.stored_line(-1), "");
}

TEST(TextRing, AfterAHundredLinesTheOldestIsDropped)
{
    TextRing ring;
    for (int i = 1; i <= 99; ++i)
        ring.append("line " + std::to_string(i) + "\n");
    EXPECT_EQ(ring.lines_in_use(), 100);
    EXPECT_EQ(ring.stored_line(0), "line 1");
    ring.append("line 100\n");
    EXPECT_EQ(ring.lines_in_use(), 100);
    EXPECT_EQ(ring.stored_line(0), "line 2");
    EXPECT_EQ(ring.stored_line(98), "line 100");
    EXPECT_EQ(ring.stored_line(99), "");
    for (int i = 101; i <= 250; ++i)
        ring.append("line " + std::to_string(i) + "\n");
    EXPECT_EQ(ring.stored_line(0), "line 152");
    EXPECT_EQ(ring.stored_line(98), "line 250");
}

TEST(TextRing, ScrollRange)
{
    EXPECT_EQ(TextRing::scroll_range(1, 30), 1);
    EXPECT_EQ(TextRing::scroll_range(30, 30), 1);
    EXPECT_EQ(TextRing::scroll_range(100, 30), 71);
}

TEST(TextRing, EndlessLinesStayBounded)
{
    TextRing ring(10);
    std::string chunk(255, 'x');
    for (int i = 0; i < 1000; ++i)
        ring.append(chunk);
    EXPECT_EQ(ring.stored_line(0).size(), TextRing::line_length);
    EXPECT_LE(ring.shown_line(0).size(), 80u + 1024u);
    EXPECT_EQ(ring.capacity(), 10);
}

}  // namespace
}  // namespace korvan::plat
