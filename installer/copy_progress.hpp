// The copy's progress: the percentage shown before each file is copied.
#pragma once

#include <cstdint>
#include <vector>

namespace korvan::installer {

// For each file, 100 x (sizes up to and including it) / (all sizes),
// truncated and at most 100; the last file is always exactly 100, also when
// the sizes are all zero.
std::vector<int> progress_percentages(const std::vector<std::uint64_t>& sizes);

}  // namespace korvan::installer
