// Polygons whose colour varies over them: values given at the corners are
// interpolated linearly along the edges and then across each scan line
// (Gouraud's method), and a colour function turns the values at a point into
// its colour. Runs of one colour are drawn as lines one plot unit apart.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <span>

namespace korvan {

inline constexpr std::size_t smooth_value_count = 7;
using SmoothValues = std::array<double, smooth_value_count>;

struct SmoothPoint {
    double x;
    double y;
    SmoothValues v;
};

// A colour table index, or an RGB colour 0xRRGGBB for devices that draw one.
struct PaintColour {
    int index = 0;
    std::uint32_t rgb = 0;
    bool direct = false;
    bool operator==(const PaintColour&) const = default;
};

using SmoothColour = std::function<PaintColour(const SmoothValues&)>;

// Fills the polygon (plot coordinates) with scan lines on whole plot units,
// each cut into runs of one colour sampled once a plot unit. The current
// colour index afterwards is that of the last run; the caller restores its own.
void fill_smooth(std::span<const SmoothPoint> polygon, const SmoothColour& colour);

}  // namespace korvan
