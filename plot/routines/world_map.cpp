// WORLD, SHDMAP and SHDEUR: coastlines, shaded continents and shaded
// countries of Europe from the map data files.
//
// Regions and files: 1 Antarctica, 2 Africa, 3 Eurasia, 4 Australia and
// Oceania, 5 Europe (again, as a part of Eurasia), 6 North America, 7 South
// America. "ALL" is every continent but Europe's extra copy; "LAKE" the lake
// shores of those files. A continent's lakes leave holes in its shading.
// File 8 holds the borders of the countries of Europe, each country under its
// ISO 3166-1 numeric code (Kosovo 900, Northern Cyprus 901).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/map_areas.hpp"
#include "plot/routines/map_data.hpp"
#include "plot/routines/map_lines.hpp"
#include "plot/routines/map_points.hpp"
#include "plot/routines/maps.hpp"
#include "plot/routines/patterns.hpp"

namespace korvan {

namespace {

constexpr const char region_keys[] = "ALL +ANTA+AFRI+EURA+AUST+EURO+NORT+SOUT+LAKE";
constexpr int world_files[] = {1, 2, 3, 4, 6, 7};
constexpr int country_file = 8;
// Fill lines may cross the coastlines of a whole world many times.
constexpr int map_crossing_limit = 1000000;

using Ring = std::vector<FillPoint>;

// The copies of the outlines that the axis ranges show: shifted by 360
// degrees where longitudes reach beyond 180 (cylindrical maps that are not
// turned: a turned one shows the whole globe once), mirrored where latitudes
// reach beyond the poles.
struct Copy {
    double shift;
    int mirror;  // 0 none, 1 about the north pole, -1 about the south pole
};

std::vector<Copy> copies_shown()
{
    const PlotState& s = state();
    const AxisAttributes& a = s.axes;
    double xa = std::min(a.graf_x[0], a.graf_x[1]);
    double xe = std::max(a.graf_x[0], a.graf_x[1]);
    double ya = std::min(a.graf_y[0], a.graf_y[1]);
    double ye = std::max(a.graf_y[0], a.graf_y[1]);
    std::vector<double> shifts{0};
    if (map_class(s.maps.projection) == MapClass::cylindrical && !map_has_frame()) {
        if (xa < -180)
            shifts.push_back(-360);
        if (xe > 180)
            shifts.push_back(360);
    }
    std::vector<Copy> copies;
    for (double shift : shifts) {
        copies.push_back({shift, 0});
        if (ye > 90)
            copies.push_back({shift, 1});
        if (ya < -90)
            copies.push_back({shift, -1});
    }
    return copies;
}

FillPoint copied(FillPoint p, const Copy& c)
{
    p.x += c.shift;
    if (c.mirror != 0)
        p.y = c.mirror * 180 - p.y;
    return p;
}

// Whether the edge from a to b runs along the edge of the globe (the back
// meridian or a pole): polygons are closed there, but it is no coastline.
bool along_globe_edge(const FillPoint& a, const FillPoint& b)
{
    return (std::fabs(a.x) == 180 && a.x == b.x) || (std::fabs(a.y) == 90 && a.y == b.y);
}

// Draws the outlines of rings along the projection.
void outline_rings(const std::vector<Ring>& rings)
{
    MapLine line(state().maps.line_mode);
    for (const Copy& c : copies_shown()) {
        for (const Ring& ring : rings) {
            line.lift();
            for (std::size_t i = 0; i < ring.size(); ++i) {
                if (i > 0 && along_globe_edge(ring[i - 1], ring[i]))
                    line.lift();
                FillPoint q = copied(ring[i], c);
                line.draw(q.x, q.y);
            }
        }
    }
    ClipRect clip = axis_clip_rect();
    draw_paths(line.take(), 1, &clip);
}

// Fills rings together (even-odd) with the current pattern, or solidly where
// the pattern fills nothing.
void fill_map_rings(const std::vector<Ring>& rings)
{
    std::vector<Ring> polygons;
    std::vector<ValuePoint> area;
    for (const Copy& c : copies_shown()) {
        for (const Ring& ring : rings) {
            area.clear();
            for (const FillPoint& p : ring) {
                FillPoint q = copied(p, c);
                area.push_back({q.x, q.y, 0});
            }
            for (const std::vector<ValuePoint>& piece : map_area_pieces(area, true)) {
                Ring& polygon = polygons.emplace_back();
                for (const ValuePoint& p : piece)
                    polygon.push_back({p.x, p.y});
            }
        }
    }
    const ShadingAttributes& sh = state().shading;
    KeptPattern kept;
    if (hatch_lines(sh.hatch_type, sh.hatch_density).distance <= 0)
        select_pattern(16);
    ClipRect clip = axis_clip_rect();
    fill_rings(polygons, &clip, map_crossing_limit);
}

// Draws or fills the outlines of one region.
void draw_region(int region, bool fill)
{
    std::vector<int> files;
    if (region == 1 || region == 9)
        files.assign(std::begin(world_files), std::end(world_files));
    else
        files.push_back(region - 1);
    bool lakes_only = region == 9;
    std::vector<Ring> rings;
    for (int number : files) {
        std::vector<MapRing> data;
        std::string name;
        if (const int error = read_map_file(number, data, name); error != 0) {
            named_file_error(name, error);
            continue;
        }
        for (MapRing& r : data)
            if (!lakes_only || r.form == MapForm::lake)
                rings.push_back(std::move(r.points));
    }
    if (fill)
        fill_map_rings(rings);
    else
        outline_rings(rings);
}

}  // namespace

void world()
{
    if (level_check(2, 3, "world"))
        return;
    draw_region(1, false);
    flush_pending();
}

void shdmap(std::string_view region)
{
    if (level_check(2, 3, "shdmap"))
        return;
    int n = keyword_lookup(region_keys, 9, region);
    if (n == 0)
        return;
    draw_region(n, true);
    flush_pending();
}

void shdeur(std::span<const int> inray, std::span<int> ipray, std::span<const int> icray, int n)
{
    if (level_check(2, 3, "shdeur"))
        return;
    auto count = static_cast<std::size_t>(std::max(n, 0));
    if (n <= 0 || count > inray.size() || count > ipray.size() || count > icray.size()) {
        warning_int(2, n);
        return;
    }
    std::vector<MapRing> data;
    std::string name;
    if (const int error = read_map_file(country_file, data, name); error != 0) {
        named_file_error(name, error);
        return;
    }
    // Every entry is checked before anything is drawn.
    for (std::size_t i = 0; i < count; ++i) {
        int country = inray[i];
        if (country <= 0 ||
            std::none_of(data.begin(), data.end(), [&](const MapRing& r) { return r.country == country; })) {
            warning_int(2, country);
            return;
        }
        if (!pattern_fits(ipray[i]) || range_check(icray[i], 0, 255))
            return;
    }
    PlotState& s = state();
    KeptPattern kept;
    int colour = s.current_colour;
    for (std::size_t i = 0; i < count; ++i) {
        std::vector<Ring> rings;
        for (const MapRing& r : data)
            if (r.country == inray[i])
                rings.push_back(r.points);
        if (icray[i] != s.current_colour)
            select_colour(icray[i]);
        // Pattern 0 leaves the country empty: its border shows it.
        if (ipray[i] != 0) {
            select_pattern(ipray[i]);
            fill_map_rings(rings);
        }
        if (!s.shading.no_fill)
            outline_rings(rings);
    }
    if (s.current_colour != colour)
        select_colour(colour);
    flush_pending();
}

}  // namespace korvan
