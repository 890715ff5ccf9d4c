// Contour lines: CONTUR with the edge-following tracer, and the contour label
// settings.
#pragma once

#include <span>
#include <string_view>
#include <vector>

namespace korvan {

void contur(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
            double zlev);
// CONCRV: the curve of n points drawn and labelled as a contour line of
// level zlev (legend entry, thickness passes and label gaps as CONTUR's).
void concrv(std::span<const float> x, std::span<const float> y, int n, double zlev);
void conlab(std::string_view text);
// The gap between a contour label and its line in character heights
// (default 0.5).
void congap(double factor);
// The label frequency and the room a label needs: labels stand LABDIS /
// frequency plot units apart along a line (frequency 0: one label in the
// middle of each line), and a line shorter than that distance is labelled once
// when it is at least `room` times as long as the label with its gaps
// (defaults 1 and 2).
void conmod(double frequency, double room);

// The most grid points of one contour map.
inline constexpr long contour_point_limit = 128000;

struct ContourPoint {
    double x;
    double y;
};
using ContourLine = std::vector<ContourPoint>;

// False after warning 30 with the product: too few or too many grid points.
bool grid_points_fit(long long nx, long long ny);

// CONTUR after its level check: the checks of the grid and the lines of one
// level drawn.
void contour_of_grid(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
                     double zlev);

// The lines of level z0 through the nx by ny matrix z (z[i * ny + j] belongs
// to x[i], y[j]) in user coordinates: boundary lines first, then closed lines.
// False when the edge marks cannot be had.
bool trace_contour(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
                   double z0, std::vector<ContourLine>& lines);

struct AxisTransform;

// The plot coordinate of a user value along an axis of the axis system:
// sign 1 for X, -1 for Y (plot y grows downwards); not a number for
// non-positive values on a log axis.
double user_to_plot(const AxisTransform& t, double v, double sign);

// The checks of a grid's coordinates on the axis system: warning 27 for
// non-positive coordinates on a log axis (Y first, then X); false when refused.
bool grid_fits_log_axes(std::span<const float> x, int nx, std::span<const float> y, int ny);

}  // namespace korvan
