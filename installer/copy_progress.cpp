#include "installer/copy_progress.hpp"

#include <algorithm>

namespace korvan::installer {

std::vector<int> progress_percentages(const std::vector<std::uint64_t>& sizes)
{
    // Long double keeps 100 x sum exact for any realistic total without
    // overflowing 64 bits.
    long double total = 0;
    for (std::uint64_t size : sizes)
        total += static_cast<long double>(size);
    std::vector<int> percentages;
    percentages.reserve(sizes.size());
    long double done = 0;
    for (std::uint64_t size : sizes) {
        done += static_cast<long double>(size);
        const long double share = total > 0 ? 100.0L * done / total : 0.0L;
        percentages.push_back(std::min(100, static_cast<int>(share)));
    }
    if (!percentages.empty())
        percentages.back() = 100;
    return percentages;
}

}  // namespace korvan::installer
