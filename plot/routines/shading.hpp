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

// A point with a value.
struct ValuePoint {
    double x;
    double y;
    double v;
};
// The part of a polygon where one number of its points (by default the
// value), interpolated linearly along its edges, lies above `level` (above)
// or at or below it.
enum class PointPart { x, y, v };
std::vector<ValuePoint> part_by_level(std::span<const ValuePoint> polygon, double level, bool above,
                                      PointPart by = PointPart::v);
// The part of the triangle (a, b, c) where its values lie above `level`.
std::vector<FillPoint> part_above(const ValuePoint& a, const ValuePoint& b, const ValuePoint& c, double level);
// The points of a polygon without their values.
std::vector<FillPoint> plot_polygon(std::span<const ValuePoint> polygon);

}  // namespace korvan
