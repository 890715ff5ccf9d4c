// Conversions of coordinate arrays in place: angle units, plane and space
// coordinate systems, and user to plot coordinates.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

// Angles between "DEGREES" and "RADIANS".
void trfco1(std::span<float> x, int n, std::string_view from, std::string_view to);
// Plane points between "RECT" (x, y) and "POLAR" (angle in degrees in x,
// radius in y).
void trfco2(std::span<float> x, std::span<float> y, int n, std::string_view from, std::string_view to);
// Space points between "RECT" (x, y, z), "SPHERICAL" (longitude and latitude
// in degrees, radius) and "CYLINDRICAL" (angle in degrees, radius, z).
void trfco3(std::span<float> x, std::span<float> y, std::span<float> z, int n, std::string_view from,
            std::string_view to);
// User coordinates of the open axis system to plot coordinates.
void trfrel(std::span<float> x, std::span<float> y, int n);

}  // namespace korvan
