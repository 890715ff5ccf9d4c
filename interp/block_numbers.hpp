// The numbers of a data block, kept in chunks: a block of millions of numbers
// grows without being copied and takes little more room than its numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <vector>

namespace korvan::kfl {

class BlockNumbers {
public:
    void push_back(float v)
    {
        if (used_ == chunk_size) {
            chunks_.push_back(std::make_unique_for_overwrite<float[]>(chunk_size));
            used_ = 0;
        }
        chunks_.back()[used_++] = v;
    }

    std::int64_t size() const
    {
        return chunks_.empty() ? 0 : static_cast<std::int64_t>((chunks_.size() - 1) * chunk_size + used_);
    }

    // count numbers from index first on, each step (at least 1) apart, into out.
    void copy(std::int64_t first, std::int64_t step, std::int64_t count, float* out) const;

private:
    static constexpr std::size_t chunk_size = std::size_t{1} << 16;

    std::vector<std::unique_ptr<float[]>> chunks_;
    std::size_t used_ = chunk_size;  // numbers in the last chunk
};

}  // namespace korvan::kfl
