// SHDPAT, MYPAT and area filling with hatch lines.
#include "plot/routines/patterns.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

namespace {

constexpr int pattern_codes[18] = {0,     45150, 150450, 135150, 45450, 45151, 135210, 45451, 30140,
                                   45211, 151,   45310,  70470,  45311, 451,   45210,  100,    550};

constexpr double pi = 3.14159265358979323846;

// Whether every part of a code is in range (the range warning when not).
bool code_fits(int code)
{
    return !(range_check(code / 1000, 0, 179) || range_check((code % 1000) / 100, 0, 5) ||
             range_check((code % 100) / 10, 0, 9) || range_check(code % 2, 0, 1));
}

// Sets the hatch parameters of a code; false (with the range warning) when a
// part is out of range.
bool set_pattern_code(int code, int number)
{
    if (!code_fits(code))
        return false;
    ShadingAttributes& a = state().shading;
    a.pattern = number;
    a.pattern_code = code;
    a.hatch_angle = code / 1000;
    a.hatch_type = (code % 1000) / 100;
    a.hatch_density = (code % 100) / 10;
    a.hatch_cross = code % 2;
    return true;
}

// One direction of hatch lines over the rings (even-odd).
bool hatch(std::span<const std::vector<FillPoint>> rings, int angle, const HatchLines& lines, int max_crossings,
           LinePen& pen)
{
    double r = angle * pi / 180.0;
    double c = std::cos(r);
    double s = std::sin(r);
    // Turned so that the hatch lines become horizontal.
    std::vector<std::vector<FillPoint>> turned(rings.size());
    for (std::size_t k = 0; k < rings.size(); ++k) {
        turned[k].resize(rings[k].size());
        for (std::size_t i = 0; i < rings[k].size(); ++i)
            turned[k][i] = {rings[k][i].x * c - rings[k][i].y * s, rings[k][i].x * s + rings[k][i].y * c};
    }
    int previous = -1;
    int position = -1;
    int cycle = lines.drawn + lines.skipped;
    return scanline_fill_rings(turned, lines.distance, max_crossings, [&](double from, double to, double y, int line) {
        if (line != previous) {
            previous = line;
            position = (position + 1) % cycle;
        }
        if (position >= lines.drawn)
            return;
        // Turned back by the same angle.
        pen.move(from * c + y * s, -from * s + y * c);
        pen.draw(to * c + y * s, -to * s + y * c);
    });
}

// The part of a polygon inside the clipping rectangle (Sutherland-Hodgman), so
// that the filler never walks lines far off the page.
std::vector<FillPoint> clipped(std::span<const FillPoint> polygon, const ClipRect& r)
{
    std::vector<FillPoint> in(polygon.begin(), polygon.end());
    std::vector<FillPoint> out;
    for (int edge = 0; edge < 4 && !in.empty(); ++edge) {
        auto inside = [&](const FillPoint& p) {
            switch (edge) {
            case 0: return p.x >= r.x0;
            case 1: return p.x <= r.x1;
            case 2: return p.y >= r.y0;
            default: return p.y <= r.y1;
            }
        };
        auto cut = [&](const FillPoint& a, const FillPoint& b) {
            double t = 0;
            switch (edge) {
            case 0: t = (r.x0 - a.x) / (b.x - a.x); break;
            case 1: t = (r.x1 - a.x) / (b.x - a.x); break;
            case 2: t = (r.y0 - a.y) / (b.y - a.y); break;
            default: t = (r.y1 - a.y) / (b.y - a.y); break;
            }
            return FillPoint{a.x + t * (b.x - a.x), a.y + t * (b.y - a.y)};
        };
        out.clear();
        for (std::size_t i = 0; i < in.size(); ++i) {
            const FillPoint& a = in[i];
            const FillPoint& b = in[(i + 1) % in.size()];
            bool a_in = inside(a);
            bool b_in = inside(b);
            if (a_in)
                out.push_back(a);
            if (a_in != b_in)
                out.push_back(cut(a, b));
        }
        in.swap(out);
    }
    return in;
}

// The page, with room to spare, for fills without a clipping rectangle.
ClipRect page_rect()
{
    const PlotState& s = state();
    double margin = std::max(s.page_width, s.page_height);
    return {-margin, -margin, s.page_width + margin, s.page_height + margin};
}

// The device that fills polygons itself, or null.
Device* area_device()
{
    PlotState& s = state();
    return s.device && s.device->has_area_fill() ? s.device.get() : nullptr;
}

}  // namespace

bool device_fills_areas() { return area_device() != nullptr; }

int pattern_code(int n)
{
    if (n >= 0 && n <= 17)
        return pattern_codes[n];
    return n;
}

bool pattern_fits(int n)
{
    if (n < 0) {
        warning_int(2, n);
        return false;
    }
    return code_fits(pattern_code(n));
}

KeptPattern::KeptPattern() : number_(state().shading.pattern), code_(state().shading.pattern_code) {}

KeptPattern::~KeptPattern() { set_pattern_code(code_, number_); }

HatchLines hatch_lines(int type, int density)
{
    switch (type) {
    case 1:
    case 5:
        return {5.0 * density + 2, 1, 0};
    case 2:
        return {20, 2, density + 1};
    case 3:
        return {15, 3, density + 1};
    case 4:
        return {1, 8, 5 * density + 5};
    default:
        return {0, 1, 0};
    }
}

void shdpat(int n)
{
    soft_level_check("shdpat");
    if (n < 0) {
        warning_int(2, n);
        return;
    }
    select_pattern(n);
}

void select_pattern(int n) { set_pattern_code(pattern_code(n), n); }

void mypat(int iang, int itype, int idens, int icross)
{
    soft_level_check("mypat");
    if (range_check(iang, 0, 179) || range_check(itype, 0, 5) || range_check(idens, 0, 9) ||
        range_check(icross, 0, 1))
        return;
    int code = iang * 1000 + itype * 100 + idens * 10 + icross;
    set_pattern_code(code, code);
}

int getpat()
{
    soft_level_check("getpat");
    return state().shading.pattern;
}

void nofill()
{
    soft_level_check("nofill");
    state().shading.no_fill = true;
}

bool outline_instead_of_fill(std::span<const FillPoint> polygon, const ClipRect* clip)
{
    if (!state().shading.no_fill)
        return false;
    if (polygon.size() < 2)
        return true;
    LinePen pen(false, clip);
    pen.move(polygon[0].x, polygon[0].y);
    for (std::size_t i = 1; i <= polygon.size(); ++i)
        pen.draw(polygon[i % polygon.size()].x, polygon[i % polygon.size()].y);
    return true;
}

bool fill_area(std::span<const FillPoint> polygon, const ClipRect* clip)
{
    std::vector<FillPoint> ring(polygon.begin(), polygon.end());
    return fill_rings({&ring, 1}, clip, 100);
}

bool fill_rings(std::span<const std::vector<FillPoint>> rings, const ClipRect* clip, int max_crossings)
{
    if (state().shading.no_fill) {
        for (const std::vector<FillPoint>& ring : rings)
            outline_instead_of_fill(ring, clip);
        return true;
    }
    PlotState& s = state();
    const ShadingAttributes& a = s.shading;
    HatchLines lines = hatch_lines(a.hatch_type, a.hatch_density);
    if (lines.distance <= 0)
        return true;
    std::vector<std::vector<FillPoint>> parts;
    for (const std::vector<FillPoint>& ring : rings) {
        if (ring.size() < 3)
            continue;
        std::vector<FillPoint> part = clipped(ring, clip != nullptr ? *clip : page_rect());
        if (part.size() >= 3)
            parts.push_back(std::move(part));
    }
    if (parts.empty())
        return true;
    // The solid pattern on one ring: lines so close that they touch, or the
    // device's own fill.
    if (a.hatch_type == 1 && a.hatch_density == 0 && a.hatch_cross == 0 && parts.size() == 1) {
        if (device_fills_areas()) {
            fill_device_area(parts[0]);
            return true;
        }
    }
    CurveAttributes& c = s.curves;
    set_dash_pattern(c, a.hatch_type == 5 ? 6 : 0, line_type_pattern(a.hatch_type == 5 ? 6 : 0));
    bool ok;
    {
        LinePen pen(true, clip);
        ok = hatch(parts, a.hatch_angle, lines, max_crossings, pen);
        if (ok && a.hatch_cross == 1)
            ok = hatch(parts, a.hatch_angle < 90 ? a.hatch_angle + 90 : a.hatch_angle - 90, lines, max_crossings,
                       pen);
    }
    set_dash_pattern(c, 0, line_type_pattern(0));
    return ok;
}

bool fill_area_keeping_line_style(std::span<const FillPoint> polygon, const ClipRect* clip)
{
    CurveAttributes& c = state().curves;
    CurveAttributes kept = c;
    bool ok = fill_area(polygon, clip);
    c.line_style = kept.line_style;
    c.dash = kept.dash;
    c.dash_index = kept.dash_index;
    c.dash_left = kept.dash_left;
    c.dash_drawn = kept.dash_drawn;
    return ok;
}

bool fill_solid(std::span<const FillPoint> polygon, const ClipRect* clip, double distance)
{
    if (outline_instead_of_fill(polygon, clip))
        return true;
    if (polygon.size() < 3)
        return true;
    std::vector<FillPoint> part = clipped(polygon, clip != nullptr ? *clip : page_rect());
    if (part.size() < 3)
        return true;
    polygon = part;
    if (device_fills_areas()) {
        fill_device_area(polygon);
        return true;
    }
    LinePen pen(false, clip);
    return scanline_fill(polygon, distance, 100, [&](double from, double to, double y, int) {
        pen.move(from, y);
        pen.draw(to, y);
    });
}

}  // namespace korvan
