#include <gtest/gtest.h>

#include "plat/scroll_steps.hpp"

namespace korvan::plat {
namespace {

// A bar 400 pixels long and 16 thick: arrows at 0..15 and 384..399, the
// track 16..383 (368 pixels).
TEST(ScrollbarPart, ArrowsTroughAndThumbOfALongBar)
{
    // A quarter of the track is thumb (92 pixels), at the start.
    EXPECT_EQ(scrollbar_part(0, 400, 16, 0.25, 0.0), ScrollbarPart::back_arrow);
    EXPECT_EQ(scrollbar_part(15, 400, 16, 0.25, 0.0), ScrollbarPart::back_arrow);
    EXPECT_EQ(scrollbar_part(16, 400, 16, 0.25, 0.0), ScrollbarPart::thumb);
    EXPECT_EQ(scrollbar_part(16 + 91, 400, 16, 0.25, 0.0), ScrollbarPart::thumb);
    EXPECT_EQ(scrollbar_part(16 + 92, 400, 16, 0.25, 0.0), ScrollbarPart::forward_page);
    EXPECT_EQ(scrollbar_part(383, 400, 16, 0.25, 0.0), ScrollbarPart::forward_page);
    EXPECT_EQ(scrollbar_part(384, 400, 16, 0.25, 0.0), ScrollbarPart::forward_arrow);
    // In the middle the thumb starts at half of 368 - 92.
    EXPECT_EQ(scrollbar_part(16 + 137, 400, 16, 0.25, 0.5), ScrollbarPart::back_page);
    EXPECT_EQ(scrollbar_part(16 + 138, 400, 16, 0.25, 0.5), ScrollbarPart::thumb);
    EXPECT_EQ(scrollbar_part(16 + 229, 400, 16, 0.25, 0.5), ScrollbarPart::thumb);
    EXPECT_EQ(scrollbar_part(16 + 230, 400, 16, 0.25, 0.5), ScrollbarPart::forward_page);
    // At the end the thumb touches the forward arrow.
    EXPECT_EQ(scrollbar_part(16 + 275, 400, 16, 0.25, 1.0), ScrollbarPart::back_page);
    EXPECT_EQ(scrollbar_part(383, 400, 16, 0.25, 1.0), ScrollbarPart::thumb);
}

TEST(ScrollbarPart, ShortBarsHaveNoArrowsAndThumbsKeepAMinimumSize)
{
    // Shorter than three thicknesses: the whole bar is track.
    EXPECT_EQ(scrollbar_part(0, 40, 16, 0.5, 0.0), ScrollbarPart::thumb);
    EXPECT_EQ(scrollbar_part(39, 40, 16, 0.5, 0.0), ScrollbarPart::forward_page);
    // A tiny share still gives a thumb of 16 / 2 + 1 = 9 pixels.
    EXPECT_EQ(scrollbar_part(16 + 8, 400, 16, 0.001, 0.0), ScrollbarPart::thumb);
    EXPECT_EQ(scrollbar_part(16 + 9, 400, 16, 0.001, 0.0), ScrollbarPart::forward_page);
    // A thumb that fills the track leaves no trough.
    EXPECT_EQ(scrollbar_part(200, 400, 16, 1.0, 0.5), ScrollbarPart::thumb);
}

TEST(SteppedValue, PagesOfEightCharactersStopAtTheEnds)
{
    EXPECT_EQ(horizontal_page_columns, 8);
    EXPECT_EQ(stepped_value(5, horizontal_page_columns, 0, 33), 13);
    EXPECT_EQ(stepped_value(13, -horizontal_page_columns, 0, 33), 5);
    EXPECT_EQ(stepped_value(30, horizontal_page_columns, 0, 33), 33);
    EXPECT_EQ(stepped_value(3, -horizontal_page_columns, 0, 33), 0);
    // An empty range keeps the minimum; huge steps do not overflow.
    EXPECT_EQ(stepped_value(0, 8, 0, 0), 0);
    EXPECT_EQ(stepped_value(2147483600, 2147483600, 0, 100), 100);
}

}  // namespace
}  // namespace korvan::plat
