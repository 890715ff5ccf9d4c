// Error bars of data points in the open axis system.
#pragma once

#include <span>

namespace korvan {

// For each of the n points (x, y): a bar from y - e1 to y + e2 with caps as
// wide as the symbol height, and the current symbol at the point.
void errbar(std::span<const float> x, std::span<const float> y, std::span<const float> e1,
            std::span<const float> e2, int n);

}  // namespace korvan
