#include "plot/routines/coordinate_conversions.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/curves.hpp"

namespace korvan {

namespace {

constexpr double degree = std::numbers::pi / 180;

bool count_fits(int n, std::size_t size)
{
    if (n >= 0 && static_cast<std::size_t>(n) <= size)
        return true;
    warning_int(2, n);
    return false;
}

// The 1-based index of the keyword, or 0 after warning 2.
int system_of(std::string_view keyword, const char* list, int count) { return keyword_lookup(list, count, keyword); }

struct Space {
    double x, y, z;
};

Space to_rect(int system, double a, double b, double c)
{
    switch (system) {
    case 2: {  // spherical
        double lon = a * degree, lat = b * degree;
        return {c * std::cos(lat) * std::cos(lon), c * std::cos(lat) * std::sin(lon), c * std::sin(lat)};
    }
    case 3:  // cylindrical
        return {b * std::cos(a * degree), b * std::sin(a * degree), c};
    default:
        return {a, b, c};
    }
}

Space from_rect(int system, const Space& p)
{
    switch (system) {
    case 2: {
        double r = std::sqrt(p.x * p.x + p.y * p.y + p.z * p.z);
        double lat = r > 0 ? std::asin(std::clamp(p.z / r, -1.0, 1.0)) : 0;
        return {std::atan2(p.y, p.x) / degree, lat / degree, r};
    }
    case 3:
        return {std::atan2(p.y, p.x) / degree, std::hypot(p.x, p.y), p.z};
    default:
        return p;
    }
}

}  // namespace

void trfco1(std::span<float> x, int n, std::string_view from, std::string_view to)
{
    level_check(0, 3, "trfco1");
    int f = system_of(from, "DEGR+RADI", 2);
    int t = f > 0 ? system_of(to, "DEGR+RADI", 2) : 0;
    if (f == 0 || t == 0 || !count_fits(n, x.size()) || f == t)
        return;
    double factor = f == 1 ? degree : 1 / degree;
    for (int i = 0; i < n; ++i)
        x[static_cast<std::size_t>(i)] = static_cast<float>(x[static_cast<std::size_t>(i)] * factor);
}

void trfco2(std::span<float> x, std::span<float> y, int n, std::string_view from, std::string_view to)
{
    level_check(0, 3, "trfco2");
    int f = system_of(from, "RECT+POLA", 2);
    int t = f > 0 ? system_of(to, "RECT+POLA", 2) : 0;
    if (f == 0 || t == 0 || !count_fits(n, std::min(x.size(), y.size())) || f == t)
        return;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        double a = x[i], b = y[i];
        if (f == 2) {
            x[i] = static_cast<float>(b * std::cos(a * degree));
            y[i] = static_cast<float>(b * std::sin(a * degree));
        } else {
            x[i] = static_cast<float>(std::atan2(b, a) / degree);
            y[i] = static_cast<float>(std::hypot(a, b));
        }
    }
}

void trfco3(std::span<float> x, std::span<float> y, std::span<float> z, int n, std::string_view from,
            std::string_view to)
{
    level_check(0, 3, "trfco3");
    int f = system_of(from, "RECT+SPHE+CYLI", 3);
    int t = f > 0 ? system_of(to, "RECT+SPHE+CYLI", 3) : 0;
    if (f == 0 || t == 0 || !count_fits(n, std::min({x.size(), y.size(), z.size()})) || f == t)
        return;
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        Space p = from_rect(t, to_rect(f, x[i], y[i], z[i]));
        x[i] = static_cast<float>(p.x);
        y[i] = static_cast<float>(p.y);
        z[i] = static_cast<float>(p.z);
    }
}

void trfrel(std::span<float> x, std::span<float> y, int n)
{
    if (level_check(2, 3, "trfrel"))
        return;
    if (!count_fits(n, std::min(x.size(), y.size())))
        return;
    const AxisTransform& tx = state().axes.transform[0];
    const AxisTransform& ty = state().axes.transform[1];
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i) {
        x[i] = static_cast<float>(plot_x(tx, x[i]));
        y[i] = static_cast<float>(plot_y(ty, y[i]));
    }
}

}  // namespace korvan
