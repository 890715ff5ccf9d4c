#include "interp/block_numbers.hpp"

#include <algorithm>

namespace korvan::kfl {

void BlockNumbers::copy(std::int64_t first, std::int64_t step, std::int64_t count, float* out) const
{
    auto at = static_cast<std::size_t>(first);
    auto stride = static_cast<std::size_t>(step);
    auto left = static_cast<std::size_t>(count);
    // A chunk at a time: the numbers of the run that fall into it.
    while (left > 0) {
        const float* chunk = chunks_[at / chunk_size].get();
        std::size_t offset = at % chunk_size;
        std::size_t n = std::min(left, (chunk_size - offset + stride - 1) / stride);
        for (std::size_t k = 0; k < n; ++k)
            out[k] = chunk[offset + k * stride];
        out += n;
        at += n * stride;
        left -= n;
    }
}

}  // namespace korvan::kfl
