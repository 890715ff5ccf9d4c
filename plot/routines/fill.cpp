// The scan-line filler.
#include "plot/routines/fill.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/devices/paper_device.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

namespace {

// More fill lines than this is no area on any page.
constexpr double fill_line_limit = 1e6;

// The crossings of fill line y with the polygon's edges, sorted, with pairs
// of equal neighbours removed; false when there are more than allowed (the
// count is returned in `count`).
bool crossings_at(std::span<const FillPoint> p, double y, int max_crossings, std::vector<double>& xs, int& count)
{
    xs.clear();
    std::size_t n = p.size();
    for (std::size_t i = 0; i < n; ++i) {
        const FillPoint& a = p[i];
        const FillPoint& b = p[(i + 1) % n];
        if (a.y == b.y)
            continue;
        const FillPoint& low = a.y < b.y ? a : b;
        const FillPoint& high = a.y < b.y ? b : a;
        if (low.y <= y && high.y > y)
            xs.push_back(low.x + (y - low.y) * (high.x - low.x) / (high.y - low.y));
    }
    count = static_cast<int>(xs.size());
    if (count > max_crossings)
        return false;
    std::sort(xs.begin(), xs.end());
    bool removed = true;
    while (removed) {
        removed = false;
        for (std::size_t i = 0; i + 1 < xs.size(); ++i) {
            if (xs[i] == xs[i + 1]) {
                xs.erase(xs.begin() + static_cast<std::ptrdiff_t>(i), xs.begin() + static_cast<std::ptrdiff_t>(i) + 2);
                removed = true;
                break;
            }
        }
    }
    return true;
}

}  // namespace

bool scanline_fill(std::span<const FillPoint> polygon, double distance, int max_crossings,
                   const FillSegment& segment)
{
    if (polygon.size() < 3 || !(distance > 0) || !std::isfinite(distance))
        return false;
    double ymin = polygon[0].y;
    double ymax = polygon[0].y;
    for (const FillPoint& p : polygon) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
        ymin = std::min(ymin, p.y);
        ymax = std::max(ymax, p.y);
    }
    double y0 = std::trunc(ymin / distance - 0.5) * distance;
    double span = (ymax + distance / 2 - y0) / distance;
    if (!(span < fill_line_limit))
        return false;
    int lines = static_cast<int>(std::floor(span)) + 1;
    auto line_y = [&](int j) { return y0 + j * distance; };

    std::vector<double> xs;
    int count = 0;
    // Passes 1 to 4: the k-th segment of every line, in zig-zag.
    for (int k = 1; k <= 4; ++k) {
        for (int j = 0; j < lines; ++j) {
            double y = line_y(j);
            if (y > ymax + distance / 2)
                break;
            if (!crossings_at(polygon, y, max_crossings, xs, count)) {
                warning_int(26, count);
                return false;
            }
            std::size_t at = static_cast<std::size_t>(2 * (k - 1));
            if (at + 1 >= xs.size())
                continue;
            if (j % 2 == 0)
                segment(xs[at], xs[at + 1], y, j);
            else
                segment(xs[at + 1], xs[at], y, j);
        }
    }
    // Pass 5: the remaining segments, line by line, left to right.
    for (int j = 0; j < lines; ++j) {
        double y = line_y(j);
        if (y > ymax + distance / 2)
            break;
        crossings_at(polygon, y, max_crossings, xs, count);
        for (std::size_t at = 8; at + 1 < xs.size(); at += 2)
            segment(xs[at], xs[at + 1], y, j);
    }
    return true;
}

bool device_fills_rectangles()
{
    const PlotState& s = state();
    return s.device && (s.device_code <= 100 || (s.device_code >= 301 && s.device_code <= 400) ||
                        (s.device_code >= 501 && s.device_code <= 600) || is_paper_device(s.device_code));
}

void fill_rectangle(double x, double y, double w, double h)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h))
        return;
    // Each device fills in its own way: with an area element where the format
    // has one, otherwise with lines.
    PlotState& s = state();
    if (s.device)
        s.device->fill_rect(x, y, w, h, s.current_colour);
}

}  // namespace korvan
