// An in-memory raster of 8-bit colour indices: rows padded to a multiple of
// four bytes, row 0 at the top. The image devices draw into it.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>

namespace korvan {

class Raster {
public:
    // The longest side a raster can have (the limit of a TIFF image side).
    static constexpr int max_side = 65535;

    // Allocates a cleared raster of width x height pixels; false (and an empty
    // raster) for a side outside 1..max_side or when the memory cannot be had.
    bool create(int width, int height);
    void release();

    bool empty() const { return !bytes_; }
    int width() const { return width_; }
    int height() const { return height_; }
    // Bytes of one row: the width rounded up to a multiple of 4.
    int row_length() const { return row_length_; }
    static int row_length_of(int width) { return (width + 3) / 4 * 4; }

    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < width_ && y < height_; }
    // Pixels outside the raster are not written; reading one gives -1.
    void set(int x, int y, int index);
    int get(int x, int y) const;

    std::uint8_t* row(int y) { return bytes_.get() + static_cast<std::size_t>(y) * row_length_; }
    const std::uint8_t* row(int y) const { return bytes_.get() + static_cast<std::size_t>(y) * row_length_; }
    // All rows, row length x height bytes.
    std::span<const std::uint8_t> bytes() const { return {bytes_.get(), size_}; }

    // The line from one pixel to another, both ends included, in colour index.
    void line(int x0, int y0, int x1, int y1, int index);
    // Every pixel of the rectangle with these corners (inclusive, any order).
    void fill(int x0, int y0, int x1, int y1, int index);
    void clear() { fill(0, 0, width_ - 1, height_ - 1, 0); }

private:
    int width_ = 0;
    int height_ = 0;
    int row_length_ = 0;
    std::size_t size_ = 0;
    std::unique_ptr<std::uint8_t[]> bytes_;
};

}  // namespace korvan
