// The area between two curves, shaded.
#pragma once

#include <span>

namespace korvan {

// Fills the area between the curve (x1, y1) of n1 points and the curve
// (x2, y2) of n2 points with the current shading pattern, or, when none is
// selected, with the pattern of the curve's entry in the pattern cycle. The
// area counts as a curve: the legend shows it as a filled box.
void shdcrv(std::span<const float> x1, std::span<const float> y1, int n1, std::span<const float> x2,
            std::span<const float> y2, int n2);

}  // namespace korvan
