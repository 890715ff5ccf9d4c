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

// A ring of a polygon with the range of its y values.
struct Ring {
    std::span<const FillPoint> points;
    double ymin;
    double ymax;
};

// The crossings of fill line y with the rings' edges, sorted, with pairs of
// equal neighbours removed; false when there are more than allowed (the count
// is returned in `count`).
bool crossings_at(std::span<const Ring> rings, double y, int max_crossings, std::vector<double>& xs, int& count)
{
    xs.clear();
    for (const Ring& ring : rings) {
        if (y < ring.ymin || y >= ring.ymax)
            continue;
        std::span<const FillPoint> p = ring.points;
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
    }
    count = static_cast<int>(xs.size());
    if (count > max_crossings)
        return false;
    std::sort(xs.begin(), xs.end());
    // Pairs of equal crossings cancel.
    std::size_t kept = 0;
    for (std::size_t i = 0; i < xs.size(); ++i) {
        if (kept > 0 && xs[kept - 1] == xs[i])
            --kept;
        else
            xs[kept++] = xs[i];
    }
    xs.resize(kept);
    return true;
}

bool fill_rings(std::span<const Ring> rings, double distance, int max_crossings, const FillSegment& segment)
{
    if (rings.empty() || !(distance > 0) || !std::isfinite(distance))
        return false;
    double ymin = rings[0].ymin;
    double ymax = rings[0].ymax;
    for (const Ring& r : rings) {
        ymin = std::min(ymin, r.ymin);
        ymax = std::max(ymax, r.ymax);
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
            if (!crossings_at(rings, y, max_crossings, xs, count)) {
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
        crossings_at(rings, y, max_crossings, xs, count);
        for (std::size_t at = 8; at + 1 < xs.size(); at += 2)
            segment(xs[at], xs[at + 1], y, j);
    }
    return true;
}

// The ring of a polygon; false when it has no usable points.
bool make_ring(std::span<const FillPoint> polygon, Ring& ring)
{
    if (polygon.size() < 3)
        return false;
    ring = {polygon, polygon[0].y, polygon[0].y};
    for (const FillPoint& p : polygon) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return false;
        ring.ymin = std::min(ring.ymin, p.y);
        ring.ymax = std::max(ring.ymax, p.y);
    }
    return true;
}

}  // namespace

bool scanline_fill(std::span<const FillPoint> polygon, double distance, int max_crossings,
                   const FillSegment& segment)
{
    Ring ring;
    if (!make_ring(polygon, ring))
        return false;
    return fill_rings({&ring, 1}, distance, max_crossings, segment);
}

bool scanline_fill_rings(std::span<const std::vector<FillPoint>> polygons, double distance, int max_crossings,
                         const FillSegment& segment)
{
    std::vector<Ring> rings;
    for (const std::vector<FillPoint>& polygon : polygons) {
        Ring ring;
        if (make_ring(polygon, ring))
            rings.push_back(ring);
    }
    return fill_rings(rings, distance, max_crossings, segment);
}

bool device_fills_rectangles()
{
    const PlotState& s = state();
    return s.device && (s.device_code <= 100 || (s.device_code >= 301 && s.device_code <= 400) ||
                        (s.device_code >= 501 && s.device_code <= 600) || is_paper_device(s.device_code));
}

void fill_device_area(std::span<const FillPoint> polygon)
{
    PlotState& s = state();
    if (!s.device)
        return;
    if (!page_transformed()) {
        s.device->fill_area(polygon);
        return;
    }
    std::vector<FillPoint> moved(polygon.begin(), polygon.end());
    for (FillPoint& p : moved)
        page_to_device(p.x, p.y);
    s.device->fill_area(moved);
}

void fill_rectangle(double x, double y, double w, double h)
{
    if (!std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h))
        return;
    // Each device fills in its own way: with an area element where the format
    // has one, otherwise with lines.
    PlotState& s = state();
    if (s.plane.active && s.device && s.device->has_area_fill()) {
        // On a plane of the 3-D box the rectangle is a quadrilateral.
        const FillPoint corners[4] = {{x, y}, {x + w, y}, {x + w, y + h}, {x, y + h}};
        fill_device_area(corners);
        return;
    }
    if (page_transformed()) {
        // The corners moved with the page; the area stays upright.
        double x1 = x + w;
        double y1 = y + h;
        page_to_device(x, y);
        page_to_device(x1, y1);
        w = std::fabs(x1 - x);
        h = std::fabs(y1 - y);
        x = std::min(x, x1);
        y = std::min(y, y1);
    }
    if (s.device)
        s.device->fill_rect(x, y, w, h, s.current_colour);
}

}  // namespace korvan
