// Pie charts: a circle divided into segments in proportion to data values,
// each segment in its own colour or pattern, labelled with its percentage or
// value and with text lines of a legend buffer.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

// Draws the pie of nseg values in the rectangle of the next axis system.
// cbuf holds nlin text lines per segment in the layout of a legend buffer
// (LEGINI, LEGLIN); nlin = 0 gives no text lines.
void piegrf(std::string_view cbuf, int nlin, std::span<const float> xray, int nseg);
// How the segments differ: "NONE" (the current colour and pattern), "COLO"
// (solid, in the colours of the colour cycle), "PATT" (the patterns of the
// pattern cycle), "BOTH".
void chnpie(std::string_view option);
// The segments are pulled out from the centre.
void pieexp();
// The vector between a segment and its label: ivec is the arrow-head code of
// VECTOR (heads at the end point at the segment); copt "NONE" (the default:
// labels just outside the segments, no vectors), "STRA" (a straight vector
// along the segment's middle from its edge to the label, which stands further
// out) or "BROK" (a vector broken into a radial and a horizontal leg, the
// label at the horizontal one's end).
void pievec(int ivec, std::string_view option);
// Text before ("LEFT") or after ("RIGH") the numbers of the labels.
void pielab(std::string_view text, std::string_view where);

}  // namespace korvan
