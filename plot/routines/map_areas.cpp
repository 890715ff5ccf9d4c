// Areas on the open map, cut at the seam of the projection's frame.
#include "plot/routines/map_areas.hpp"

#include <algorithm>
#include <cmath>

#include "plot/kernel/state.hpp"
#include "plot/routines/map_points.hpp"

namespace korvan {

namespace {

using Ring = std::vector<ValuePoint>;

// Edges are divided into steps of a degree, at most this many of them.
constexpr int step_limit = 1000;
// The most copies of the globe that one area is cut from.
constexpr int copy_limit = 8;

// Appends the edge from a towards b in steps of at most a degree (b itself
// not).
void add_steps(Ring& out, const ValuePoint& a, const ValuePoint& b)
{
    out.push_back(a);
    double length = std::hypot(b.x - a.x, b.y - a.y);
    int n = std::isfinite(length) ? static_cast<int>(std::min(length, static_cast<double>(step_limit))) : 0;
    for (int k = 1; k < n; ++k)
        out.push_back({a.x + (b.x - a.x) * k / n, a.y + (b.y - a.y) * k / n, a.v + (b.v - a.v) * k / n});
}

Ring in_steps(std::span<const ValuePoint> ring)
{
    Ring out;
    for (std::size_t i = 0; i < ring.size(); ++i)
        add_steps(out, ring[i], ring[(i + 1) % ring.size()]);
    return out;
}

// The ring in the frame of the map with continuous longitudes: each one
// taken within 180 degrees of the one before. Points without a frame
// longitude (at a pole of the frame) take their neighbour's. Empty when no
// point has a longitude.
Ring frame_ring(std::span<const ValuePoint> ring)
{
    const MapAttributes& m = state().maps;
    Ring out;
    out.reserve(ring.size());
    double previous = std::nan("");
    for (const ValuePoint& p : ring) {
        FramePoint f = map_frame_point(m, p.x, p.y);
        if (std::isnan(f.lon))
            f.lon = previous;
        else if (!std::isnan(previous))
            f.lon = previous + std::remainder(f.lon - previous, 360.0);
        previous = f.lon;
        out.push_back({f.lon, f.lat, p.v});
    }
    auto first = std::find_if(out.begin(), out.end(), [](const ValuePoint& p) { return !std::isnan(p.x); });
    if (first == out.end())
        return {};
    for (auto it = out.begin(); it != first; ++it)
        it->x = first->x;
    return out;
}

// A ring that winds around a pole of the frame ends a whole turn from where
// it began: it is closed along the pole on its own side (the side of its mean
// latitude).
void close_around_pole(Ring& ring)
{
    const ValuePoint first = ring.front();
    const ValuePoint last = ring.back();
    double turn = last.x + std::remainder(first.x - last.x, 360.0) - first.x;
    if (std::fabs(turn) < 180)
        return;
    double sum = 0;
    for (const ValuePoint& p : ring)
        sum += p.y;
    double pole = sum >= 0 ? 90 : -90;
    ring.push_back({last.x, pole, last.v});
    ring.push_back({first.x, pole, first.v});
}

// The pieces of a frame ring on each copy of the globe between the seams.
std::vector<Ring> cut_at_seam(const Ring& ring)
{
    auto [low, high] = std::minmax_element(ring.begin(), ring.end(), [](const ValuePoint& a, const ValuePoint& b) {
        return a.x < b.x;
    });
    if (low->x >= -180 && high->x <= 180)
        return {ring};
    double first = std::ceil((low->x - 180) / 360);
    double copies = std::min(std::floor((high->x + 180) / 360) - first + 1, static_cast<double>(copy_limit));
    std::vector<Ring> pieces;
    for (int k = 0; k < copies; ++k) {
        Ring moved = ring;
        for (ValuePoint& p : moved)
            p.x -= 360 * (first + k);
        Ring piece = part_by_level(part_by_level(moved, -180, true, PointPart::x), 180, false, PointPart::x);
        if (piece.size() >= 3)
            pieces.push_back(std::move(piece));
    }
    return pieces;
}

}  // namespace

bool map_area_crosses_seam(std::span<const ValuePoint> area)
{
    if (!map_frame_has_seam() || area.empty())
        return false;
    const MapAttributes& m = state().maps;
    FramePoint previous = map_frame_point(m, area.back().x, area.back().y);
    for (const ValuePoint& p : area) {
        FramePoint f = map_frame_point(m, p.x, p.y);
        if (std::fabs(f.lon - previous.lon) > 180)
            return true;
        previous = f;
    }
    return false;
}

std::vector<Ring> map_area_pieces(std::span<const ValuePoint> area, bool follow)
{
    Ring ring = follow ? in_steps(area) : Ring(area.begin(), area.end());
    std::vector<Ring> pieces;
    if (!map_has_frame()) {
        Ring polygon;
        for (const ValuePoint& p : ring) {
            FillPoint q{};
            if (map_to_plot(p.x, p.y, q))
                polygon.push_back({q.x, q.y, p.v});
        }
        if (polygon.size() >= 3)
            pieces.push_back(std::move(polygon));
        return pieces;
    }
    Ring frame = frame_ring(ring);
    if (frame.size() < 3)
        return pieces;
    close_around_pole(frame);
    std::vector<Ring> parts = map_frame_has_seam() ? cut_at_seam(frame) : std::vector<Ring>{frame};
    const MapAttributes& m = state().maps;
    for (Ring& part : parts) {
        if (map_class(m.projection) == MapClass::azimuthal)
            part = part_by_level(part, 90 - m.limit, true, PointPart::y);
        // Cut edges run along the seam or the edge of the map: they follow it too.
        if (follow)
            part = in_steps(part);
        Ring polygon;
        for (const ValuePoint& p : part) {
            FillPoint q{};
            if (frame_to_plot({p.x, p.y}, q))
                polygon.push_back({q.x, q.y, p.v});
        }
        if (polygon.size() >= 3)
            pieces.push_back(std::move(polygon));
    }
    return pieces;
}

}  // namespace korvan
