// Shaded contours: CONSHD cell by cell or as filled polygons per level, and
// SHDMOD.
#pragma once

#include <span>
#include <string_view>

#include "plot/routines/patterns.hpp"

namespace korvan {

void conshd(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
            std::span<const float> zlev, int nlev);
void shdmod(std::string_view option, std::string_view object);

// Warning number of "Levels must be in increasing order" (printed with its own text).
inline constexpr int warning_level_order = 107;

// The band of a value among increasing levels: 0 at or below the first level,
// k for level(k-1) < v <= level(k), nlev above the last.
int level_band(double v, std::span<const float> levels);

// The part of the triangle (a, b, c) with values (va, vb, vc) where the
// linear interpolation of the values lies above `level`.
struct ValuePoint {
    double x;
    double y;
    double v;
};
std::vector<FillPoint> part_above(const ValuePoint& a, const ValuePoint& b, const ValuePoint& c, double level);

}  // namespace korvan
