// Where a press on a scroll bar lands and where the bar moves to, apart from
// any toolkit: the output window's horizontal bar pages by a fixed number of
// characters instead of by the visible width.
#pragma once

namespace korvan::plat {

// The horizontal bar of the output window moves by this many characters when
// the trough beside the thumb is pressed (its arrows move by one).
inline constexpr int horizontal_page_columns = 8;

enum class ScrollbarPart { back_arrow, forward_arrow, back_page, forward_page, thumb };

// The part hit by a press at offset pos along a bar of the given length and
// thickness (arrows are square boxes at both ends when the bar is at least
// three thicknesses long); slider_size is the thumb's share of the track and
// fraction the value's position in the range (0 at the minimum, 1 at the
// maximum).
ScrollbarPart scrollbar_part(int pos, int length, int thickness, double slider_size, double fraction);

// The value after a step of delta from value, kept within [minimum, maximum].
int stepped_value(int value, int delta, int minimum, int maximum);

}  // namespace korvan::plat
