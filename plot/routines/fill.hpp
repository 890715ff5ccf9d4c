// The scan-line filler: the library's one polygon filler, for filled symbols,
// shaded areas, figures and contours.
#pragma once

#include <functional>
#include <span>
#include <vector>

#include "plot/kernel/device.hpp"

namespace korvan {

using FillPoint = AreaPoint;

// One fill segment on fill line `line` (0 at the first line) at height y,
// to be drawn from x_from to x_to.
using FillSegment = std::function<void(double x_from, double x_to, double y, int line)>;

// Fills the polygon with horizontal lines `distance` apart lying on whole
// multiples of it, at most max_crossings crossings a line. The segments come
// in passes: the k-th segment of every line for k = 1..4, zig-zag (even lines
// left to right, odd ones right to left), then the remaining ones line by line.
// More crossings on a line than allowed: warning 26 with the count, and the
// filling stops there; returns false then (and for unusable input).
bool scanline_fill(std::span<const FillPoint> polygon, double distance, int max_crossings,
                   const FillSegment& segment);

// The same for several rings filled together by the even-odd rule: a ring
// within another leaves a hole. Rings with fewer than three points or points
// that are not numbers are left out.
bool scanline_fill_rings(std::span<const std::vector<FillPoint>> rings, double distance, int max_crossings,
                         const FillSegment& segment);

// Whether the output device fills rectangles itself (screen, Kyocera, PostScript).
bool device_fills_rectangles();

// A polygon filled in the current colour by the device's own area element
// (the caller knows the device has one), its corners moved as the page is.
void fill_device_area(std::span<const FillPoint> polygon);

// A rectangle filled in the current colour by the device: with its own area
// element where it has one, otherwise with lines one unit apart.
void fill_rectangle(double x, double y, double w, double h);

}  // namespace korvan
