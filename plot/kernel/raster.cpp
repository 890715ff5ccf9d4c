#include "plot/kernel/raster.hpp"

#include <algorithm>
#include <cstdlib>
#include <new>
#include <utility>

namespace korvan {

bool Raster::create(int width, int height)
{
    release();
    if (width <= 0 || height <= 0 || width > max_side || height > max_side)
        return false;
    const int row = row_length_of(width);
    const std::size_t size = static_cast<std::size_t>(row) * static_cast<std::size_t>(height);
    bytes_.reset(new (std::nothrow) std::uint8_t[size]());
    if (!bytes_)
        return false;
    size_ = size;
    width_ = width;
    height_ = height;
    row_length_ = row;
    return true;
}

void Raster::release()
{
    bytes_.reset();
    size_ = 0;
    width_ = 0;
    height_ = 0;
    row_length_ = 0;
}

void Raster::set(int x, int y, int index)
{
    if (inside(x, y))
        row(y)[x] = static_cast<std::uint8_t>(index);
}

int Raster::get(int x, int y) const
{
    return inside(x, y) ? row(y)[x] : -1;
}

// Bresenham's method along the longer axis, the error term starting at half the
// longer delta. The minor coordinate of step k is computed directly, so that
// only the steps whose major coordinate lies in the raster are visited: a line
// reaching far outside costs no more than one across the raster.
void Raster::line(int x0, int y0, int x1, int y1, int index)
{
    if (empty())
        return;
    const bool x_major = std::llabs(static_cast<long long>(x1) - x0) >= std::llabs(static_cast<long long>(y1) - y0);
    long long a0 = x_major ? x0 : y0;  // major axis
    long long a1 = x_major ? x1 : y1;
    long long b0 = x_major ? y0 : x0;  // minor axis
    long long b1 = x_major ? y1 : x1;
    const long long major_size = x_major ? width_ : height_;
    const long long da = std::llabs(a1 - a0);
    const long long db = std::llabs(b1 - b0);
    const long long sa = a1 >= a0 ? 1 : -1;
    const long long sb = b1 >= b0 ? 1 : -1;
    const long long e0 = da / 2;

    long long first = sa > 0 ? std::max(0LL, -a0) : std::max(0LL, a0 - (major_size - 1));
    long long last = sa > 0 ? std::min(da, major_size - 1 - a0) : std::min(da, a0);
    for (long long k = first; k <= last; ++k) {
        const long long steps = da == 0 ? 0 : (k * db - e0 + da - 1) / da;
        const long long a = a0 + sa * k;
        const long long b = b0 + sb * std::max(0LL, steps);
        if (x_major)
            set(static_cast<int>(a), static_cast<int>(std::clamp(b, -1LL, static_cast<long long>(height_))), index);
        else
            set(static_cast<int>(std::clamp(b, -1LL, static_cast<long long>(width_))), static_cast<int>(a), index);
    }
}

void Raster::fill(int x0, int y0, int x1, int y1, int index)
{
    if (empty())
        return;
    if (x1 < x0)
        std::swap(x0, x1);
    if (y1 < y0)
        std::swap(y0, y1);
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, width_ - 1);
    y1 = std::min(y1, height_ - 1);
    if (x0 > x1 || y0 > y1)
        return;
    for (int y = y0; y <= y1; ++y)
        std::fill(row(y) + x0, row(y) + x1 + 1, static_cast<std::uint8_t>(index));
}

}  // namespace korvan
