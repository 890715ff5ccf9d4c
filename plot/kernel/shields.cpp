// Shielded regions: their shapes, and the cutting of lines at their outlines.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/shield_state.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr double degree = std::numbers::pi / 180;
constexpr double two_pi = 2 * std::numbers::pi;

void bound_polygon(ShieldRegion& r)
{
    r.x0 = r.x1 = r.polygon.front().x;
    r.y0 = r.y1 = r.polygon.front().y;
    for (const ShieldPoint& p : r.polygon) {
        r.x0 = std::min(r.x0, p.x);
        r.x1 = std::max(r.x1, p.x);
        r.y0 = std::min(r.y0, p.y);
        r.y1 = std::max(r.y1, p.y);
    }
}

// Coordinates of a point in an ellipse's own frame: along its first axis and
// across it, upward on the page counting positive.
void ellipse_frame(const ShieldRegion& r, double x, double y, double& u, double& v)
{
    double dx = x - r.cx;
    double up = r.cy - y;
    u = dx * r.cos_t + up * r.sin_t;
    v = -dx * r.sin_t + up * r.cos_t;
}

// Parameters t of the line a + t (b - a) where it meets the ellipse's outline.
void ellipse_crossings(const ShieldRegion& r, double ax, double ay, double bx, double by, std::vector<double>& ts)
{
    double u0 = 0, v0 = 0, u1 = 0, v1 = 0;
    ellipse_frame(r, ax, ay, u0, v0);
    ellipse_frame(r, bx, by, u1, v1);
    double du = (u1 - u0) / r.a;
    double dv = (v1 - v0) / r.b;
    double pu = u0 / r.a;
    double pv = v0 / r.b;
    double qa = du * du + dv * dv;
    double qb = 2 * (pu * du + pv * dv);
    double qc = pu * pu + pv * pv - 1;
    if (!(qa > 0))
        return;
    double disc = qb * qb - 4 * qa * qc;
    if (disc < 0)
        return;
    double root = std::sqrt(disc);
    ts.push_back((-qb - root) / (2 * qa));
    ts.push_back((-qb + root) / (2 * qa));
}

// Parameter t of the line a-b where it crosses the segment p-q, if it does.
void segment_crossing(double ax, double ay, double bx, double by, const ShieldPoint& p, const ShieldPoint& q,
                      std::vector<double>& ts)
{
    double rx = bx - ax;
    double ry = by - ay;
    double sx = q.x - p.x;
    double sy = q.y - p.y;
    double denom = rx * sy - ry * sx;
    if (denom == 0)
        return;
    double t = ((p.x - ax) * sy - (p.y - ay) * sx) / denom;
    double u = ((p.x - ax) * ry - (p.y - ay) * rx) / denom;
    if (u >= 0 && u <= 1)
        ts.push_back(t);
}

// Every t where the line may pass the region's outline; extra ones do no harm,
// since the pieces between them are judged by their middle points.
void crossings(const ShieldRegion& r, double ax, double ay, double bx, double by, std::vector<double>& ts)
{
    switch (r.shape) {
    case ShieldShape::ellipse:
        ellipse_crossings(r, ax, ay, bx, by, ts);
        break;
    case ShieldShape::sector: {
        ellipse_crossings(r, ax, ay, bx, by, ts);
        ShieldPoint centre{r.cx, r.cy};
        for (double angle : {r.from, r.to}) {
            ShieldPoint rim{r.cx + r.a * std::cos(angle), r.cy - r.a * std::sin(angle)};
            segment_crossing(ax, ay, bx, by, centre, rim, ts);
        }
        break;
    }
    case ShieldShape::polygon:
        for (std::size_t i = 0; i < r.polygon.size(); ++i)
            segment_crossing(ax, ay, bx, by, r.polygon[i], r.polygon[(i + 1) % r.polygon.size()], ts);
        break;
    }
}

bool near_line(const ShieldRegion& r, double ax, double ay, double bx, double by)
{
    return std::max(ax, bx) >= r.x0 && std::min(ax, bx) <= r.x1 && std::max(ay, by) >= r.y0 &&
           std::min(ay, by) <= r.y1;
}

bool inside_any(const ShieldState& shields, double x, double y)
{
    for (const ShieldRegion& r : shields.regions)
        if (r.in_force && inside_shield(r, x, y))
            return true;
    return false;
}

}  // namespace

ShieldRegion shield_ellipse(double cx, double cy, double a, double b, double theta)
{
    ShieldRegion r;
    r.shape = ShieldShape::ellipse;
    r.cx = cx;
    r.cy = cy;
    r.a = std::fabs(a);
    r.b = std::fabs(b);
    r.cos_t = std::cos(theta * degree);
    r.sin_t = std::sin(theta * degree);
    double reach = std::max(r.a, r.b);
    r.x0 = cx - reach;
    r.x1 = cx + reach;
    r.y0 = cy - reach;
    r.y1 = cy + reach;
    return r;
}

ShieldRegion shield_sector(double cx, double cy, double radius, double alpha, double beta)
{
    ShieldRegion r = shield_ellipse(cx, cy, radius, radius, 0);
    r.shape = ShieldShape::sector;
    r.from = alpha * degree;
    r.to = beta * degree;
    return r;
}

ShieldRegion shield_polygon(std::vector<ShieldPoint> points)
{
    ShieldRegion r;
    r.shape = ShieldShape::polygon;
    r.polygon = std::move(points);
    if (r.polygon.empty())
        r.polygon.push_back({});
    bound_polygon(r);
    return r;
}

ShieldRegion shield_rectangle(double x, double y, double w, double h, double theta)
{
    double c = std::cos(theta * degree);
    double s = std::sin(theta * degree);
    // Along the upper side and down the left side, turned on the page (y downward).
    double ax = c, ay = -s;
    double dx = s, dy = c;
    return shield_polygon({{x, y}, {x + w * ax, y + w * ay}, {x + w * ax + h * dx, y + w * ay + h * dy},
                           {x + h * dx, y + h * dy}});
}

bool add_shield(PlotState& s, ShieldRegion region)
{
    ShieldState& shields = s.shields;
    if (shields.regions.size() >= shield_region_limit) {
        warning(47);
        return false;
    }
    if (region.area == 0)
        region.id = shields.next_id++;
    shields.regions.push_back(std::move(region));
    count_shields_in_force(shields);
    return true;
}

void add_automatic_shield(unsigned area, ShieldRegion region)
{
    PlotState& s = state();
    if ((s.shields.automatic & area) == 0)
        return;
    region.area = area;
    region.in_force = (s.shields.defined_only & area) == 0;
    add_shield(s, std::move(region));
}

void count_shields_in_force(ShieldState& shields)
{
    shields.in_force = static_cast<int>(
        std::count_if(shields.regions.begin(), shields.regions.end(), [](const ShieldRegion& r) { return r.in_force; }));
}

bool inside_shield(const ShieldRegion& r, double x, double y)
{
    if (x < r.x0 || x > r.x1 || y < r.y0 || y > r.y1)
        return false;
    switch (r.shape) {
    case ShieldShape::ellipse: {
        double u = 0, v = 0;
        ellipse_frame(r, x, y, u, v);
        return (u / r.a) * (u / r.a) + (v / r.b) * (v / r.b) < 1;
    }
    case ShieldShape::sector: {
        double dx = x - r.cx;
        double up = r.cy - y;
        if (dx * dx + up * up >= r.a * r.a)
            return false;
        double span = r.to - r.from;
        if (span >= two_pi)
            return true;
        if (span <= 0)
            return false;
        double angle = std::fmod(std::atan2(up, dx) - r.from, two_pi);
        if (angle < 0)
            angle += two_pi;
        return angle < span;
    }
    case ShieldShape::polygon: {
        // Even-odd rule: a ray to the right crosses the outline an odd number of times.
        bool in = false;
        const std::vector<ShieldPoint>& p = r.polygon;
        for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
            if ((p[i].y > y) != (p[j].y > y) && x < (p[j].x - p[i].x) * (y - p[i].y) / (p[j].y - p[i].y) + p[i].x)
                in = !in;
        }
        return in;
    }
    }
    return false;
}

void unshielded_pieces(const ShieldState& shields, double ax, double ay, double bx, double by,
                       std::vector<ShieldPiece>& pieces)
{
    pieces.clear();
    std::vector<double> ts{0.0, 1.0};
    bool near_any = false;
    for (const ShieldRegion& r : shields.regions) {
        if (!r.in_force || !near_line(r, ax, ay, bx, by))
            continue;
        near_any = true;
        crossings(r, ax, ay, bx, by, ts);
    }
    if (!near_any) {
        pieces.push_back({0.0, 1.0});
        return;
    }
    std::erase_if(ts, [](double t) { return !(t >= 0.0 && t <= 1.0); });
    std::sort(ts.begin(), ts.end());
    ts.erase(std::unique(ts.begin(), ts.end()), ts.end());
    double dx = bx - ax;
    double dy = by - ay;
    for (std::size_t i = 0; i + 1 < ts.size(); ++i) {
        double mid = (ts[i] + ts[i + 1]) / 2;
        if (inside_any(shields, ax + mid * dx, ay + mid * dy))
            continue;
        if (!pieces.empty() && pieces.back().t1 == ts[i])
            pieces.back().t1 = ts[i + 1];
        else
            pieces.push_back({ts[i], ts[i + 1]});
    }
}

void reset_shield_attributes(PlotState& s, std::string_view key)
{
    ShieldState& shields = s.shields;
    if (key == "ALL ") {
        shields.automatic = 0;
        shields.defined_only = 0;
    } else if (key == "SHIE") {
        shields.automatic &= shield_surfaces;
        shields.defined_only = 0;
    } else if (key == "SHLS") {
        shields.automatic &= ~static_cast<unsigned>(shield_surfaces);
    }
}

}  // namespace korvan
