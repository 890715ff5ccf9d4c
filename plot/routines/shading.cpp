// CONSHD and SHDMOD.
#include "plot/routines/shading.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/map_areas.hpp"
#include "plot/routines/map_points.hpp"
#include "plot/routines/patterns.hpp"

namespace korvan {

namespace {

// A rectangle between two corners, cut to the clipping rectangle and filled
// in the current colour.
void fill_box(double x0, double y0, double x1, double y1, const ClipRect& clip)
{
    double l = std::max(std::min(x0, x1), clip.x0);
    double r = std::min(std::max(x0, x1), clip.x1);
    double t = std::max(std::min(y0, y1), clip.y0);
    double b = std::min(std::max(y0, y1), clip.y1);
    if (r > l && b > t)
        fill_rectangle(l, t, r - l, b - t);
}

// Whether the cells of a map are filled as the quadrilaterals of their
// projected corners: for projection codes 10 and up, and for the cylindrical
// projections whose meridians are not vertical lines (UTM, OBLI).
bool map_cells_are_quadrilaterals()
{
    int code = state().maps.projection;
    return code >= 10 || code == map_utm || code == map_obli;
}

class CellShader {
public:
    CellShader(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
               std::span<const float> levels)
        : z_(z), ny_(ny), levels_(levels), clip_(axis_clip_rect()), map_(map_projected()),
          quadrilaterals_(map_ && map_cells_are_quadrilaterals()), seam_(map_ && map_frame_has_seam())
    {
        if (map_) {
            // Longitudes and latitudes go through the projection corner by corner.
            lon_ = x.first(static_cast<std::size_t>(nx));
            lat_ = y.first(static_cast<std::size_t>(ny));
            return;
        }
        const PlotState& s = state();
        px_.resize(static_cast<std::size_t>(nx));
        py_.resize(static_cast<std::size_t>(ny));
        for (int i = 0; i < nx; ++i)
            px_[static_cast<std::size_t>(i)] = user_to_plot(s.axes.transform[0], x[static_cast<std::size_t>(i)], 1);
        for (int j = 0; j < ny; ++j)
            py_[static_cast<std::size_t>(j)] = user_to_plot(s.axes.transform[1], y[static_cast<std::size_t>(j)], -1);
    }

    double zv(int i, int j) const { return z_[static_cast<std::size_t>(i) * static_cast<std::size_t>(ny_) + j]; }

    bool corners(int i, int j, ValuePoint c[4]) const
    {
        if (map_)
            return map_corners(i, j, c);
        c[0] = {px_[static_cast<std::size_t>(i)], py_[static_cast<std::size_t>(j)], zv(i, j)};
        c[1] = {px_[static_cast<std::size_t>(i + 1)], py_[static_cast<std::size_t>(j)], zv(i + 1, j)};
        c[2] = {px_[static_cast<std::size_t>(i + 1)], py_[static_cast<std::size_t>(j + 1)], zv(i + 1, j + 1)};
        c[3] = {px_[static_cast<std::size_t>(i)], py_[static_cast<std::size_t>(j + 1)], zv(i, j + 1)};
        for (int k = 0; k < 4; ++k)
            if (!std::isfinite(c[k].x) || !std::isfinite(c[k].y) || !std::isfinite(c[k].v))
                return false;
        return true;
    }

    // The corners of a cell of a map; false when one is not on the map.
    bool map_corners(int i, int j, ValuePoint c[4]) const
    {
        const int di[4] = {0, 1, 1, 0};
        const int dj[4] = {0, 0, 1, 1};
        for (int k = 0; k < 4; ++k) {
            auto ii = static_cast<std::size_t>(i + di[k]);
            auto jj = static_cast<std::size_t>(j + dj[k]);
            FillPoint p{};
            if (!map_to_plot(lon_[ii], lat_[jj], p))
                return false;
            c[k] = {p.x, p.y, zv(i + di[k], j + dj[k])};
            if (!std::isfinite(c[k].v))
                return false;
        }
        return true;
    }

    // The point at (u, v) of a cell, interpolated bilinearly between its corners.
    static FillPoint cell_point(const ValuePoint c[4], double u, double v)
    {
        return {(1 - u) * (1 - v) * c[0].x + u * (1 - v) * c[1].x + u * v * c[2].x + (1 - u) * v * c[3].x,
                (1 - u) * (1 - v) * c[0].y + u * (1 - v) * c[1].y + u * v * c[2].y + (1 - u) * v * c[3].y};
    }

    // The part u0..u1, v0..v1 of a cell filled as a quadrilateral of rounded points.
    void fill_quadrilateral(const ValuePoint c[4], double u0, double v0, double u1, double v1)
    {
        FillPoint q[4] = {cell_point(c, u0, v0), cell_point(c, u1, v0), cell_point(c, u1, v1), cell_point(c, u0, v1)};
        for (FillPoint& p : q)
            p = {std::round(p.x), std::round(p.y)};
        fill_solid(q, &clip_, 2.0);
    }

    // A whole cell in the current colour.
    void fill_cell(const ValuePoint c[4])
    {
        if (quadrilaterals_)
            fill_quadrilateral(c, 0, 0, 1, 1);
        else
            fill_box(std::round(c[0].x), std::round(c[0].y), std::round(c[2].x), std::round(c[2].y), clip_);
    }

    void colour_of_band(int band) { select_colour(colour_of_value(levels_[static_cast<std::size_t>(band - 1)])); }

    // Fills the part of the cell above a level: the cell as four triangles
    // around its centre, whose value is the mean of the corners.
    //
    // The corners are rounded as the boxes of whole cells are, so that a part
    // reaches exactly the edge of the neighbouring box. Where the part is
    // filled with lines, its outline is drawn as well: lines spaced apart may
    // stop short of the part's upper and lower edges and leave a seam there.
    void fill_above(const ValuePoint corner[4], double level)
    {
        ValuePoint c[4];
        for (int k = 0; k < 4; ++k)
            c[k] = {std::round(corner[k].x), std::round(corner[k].y), corner[k].v};
        ValuePoint centre{(std::min({c[0].x, c[1].x}) + std::max({c[0].x, c[1].x})) / 2,
                          (std::min({c[0].y, c[3].y}) + std::max({c[0].y, c[3].y})) / 2,
                          (c[0].v + c[1].v + c[2].v + c[3].v) / 4};
        if (quadrilaterals_) {
            FillPoint middle = cell_point(c, 0.5, 0.5);
            centre.x = middle.x;
            centre.y = middle.y;
        }
        const bool outline = !device_fills_areas();
        for (int k = 0; k < 4; ++k) {
            std::vector<FillPoint> part = part_above(centre, c[k], c[(k + 1) % 4], level);
            if (part.size() < 3)
                continue;
            fill_solid(part, &clip_, 2.0);
            if (!outline)
                continue;
            LinePen pen(false, &clip_);
            pen.move(part.back().x, part.back().y);
            for (const FillPoint& p : part)
                pen.draw(p.x, p.y);
        }
    }

    // Fills the part of the cell above a level (or at or below it) as split
    // by the straight line through the level's crossings of the cell's edges;
    // in a saddle cell the part is one area when joined, else the two corners.
    void fill_cell_part(const ValuePoint corner[4], double level, bool above, bool joined)
    {
        ValuePoint c[4];
        bool in[4];
        for (int k = 0; k < 4; ++k) {
            c[k] = {std::round(corner[k].x), std::round(corner[k].y), corner[k].v};
            in[k] = (c[k].v > level) == above;
        }
        auto crossing = [&](int a, int b) {
            double t = (level - c[a].v) / (c[b].v - c[a].v);
            return FillPoint{c[a].x + t * (c[b].x - c[a].x), c[a].y + t * (c[b].y - c[a].y)};
        };
        const bool saddle = in[0] == in[2] && in[1] == in[3] && in[0] != in[1];
        if (saddle && !joined) {
            for (int k = 0; k < 4; ++k) {
                if (!in[k])
                    continue;
                const int before = (k + 3) % 4;
                const int after = (k + 1) % 4;
                const FillPoint corner_part[] = {crossing(before, k), {c[k].x, c[k].y}, crossing(k, after)};
                fill_solid(corner_part, &clip_, 2.0);
            }
            return;
        }
        std::vector<FillPoint> part;
        for (int k = 0; k < 4; ++k) {
            const int next = (k + 1) % 4;
            if (in[k])
                part.push_back({c[k].x, c[k].y});
            if (in[k] != in[next])
                part.push_back(crossing(k, next));
        }
        if (part.size() >= 3)
            fill_solid(part, &clip_, 2.0);
    }

    // Whether any of the cell lies inside the clipping rectangle.
    bool visible(const ValuePoint c[4]) const
    {
        double x0 = std::min({c[0].x, c[1].x, c[2].x, c[3].x}), x1 = std::max({c[0].x, c[1].x, c[2].x, c[3].x});
        double y0 = std::min({c[0].y, c[1].y, c[2].y, c[3].y}), y1 = std::max({c[0].y, c[1].y, c[2].y, c[3].y});
        return x1 >= clip_.x0 && x0 <= clip_.x1 && y1 >= clip_.y0 && y0 <= clip_.y1;
    }

    // The cell in longitude and latitude with its values when it crosses the
    // seam of the map; empty otherwise.
    std::vector<ValuePoint> torn_cell(int i, int j) const
    {
        if (!seam_)
            return {};
        auto lon = [&](int k) { return static_cast<double>(lon_[static_cast<std::size_t>(k)]); };
        auto lat = [&](int k) { return static_cast<double>(lat_[static_cast<std::size_t>(k)]); };
        std::vector<ValuePoint> area{{lon(i), lat(j), zv(i, j)},
                                     {lon(i + 1), lat(j), zv(i + 1, j)},
                                     {lon(i + 1), lat(j + 1), zv(i + 1, j + 1)},
                                     {lon(i), lat(j + 1), zv(i, j + 1)}};
        if (!map_area_crosses_seam(area))
            area.clear();
        return area;
    }

    // The pieces of a torn cell, one on each side of the seam, with their
    // points rounded as the corners of whole cells are.
    static std::vector<std::vector<ValuePoint>> torn_pieces(std::span<const ValuePoint> area)
    {
        std::vector<std::vector<ValuePoint>> pieces = map_area_pieces(area, false);
        for (std::vector<ValuePoint>& piece : pieces)
            for (ValuePoint& p : piece)
                p = {std::round(p.x), std::round(p.y), p.v};
        return pieces;
    }

    // A torn cell band by band: the parts between two levels.
    void fill_torn_cell(std::span<const ValuePoint> area)
    {
        for (const std::vector<ValuePoint>& piece : torn_pieces(area)) {
            for (std::size_t band = 1; band <= levels_.size(); ++band) {
                std::vector<ValuePoint> part = part_by_level(piece, levels_[band - 1], true);
                if (band < levels_.size())
                    part = part_by_level(part, levels_[band], false);
                if (part.size() < 3)
                    continue;
                colour_of_band(static_cast<int>(band));
                fill_solid(plot_polygon(part), &clip_, 2.0);
            }
        }
    }

    void cell(int i, int j)
    {
        ValuePoint c[4];
        if (!corners(i, j, c) || !visible(c))
            return;
        if (std::vector<ValuePoint> area = torn_cell(i, j); !area.empty()) {
            fill_torn_cell(area);
            return;
        }
        int low = static_cast<int>(levels_.size());
        int high = 0;
        for (const ValuePoint& p : c) {
            int b = level_band(p.v, levels_);
            low = std::min(low, b);
            high = std::max(high, b);
        }
        if (low == high) {
            if (low > 0) {
                colour_of_band(low);
                fill_cell(c);
            }
            return;
        }
        if (high == low + 1) {
            // Devices that fill areas themselves get the two parts side by
            // side: a part laid over the filled cell would let the cell show
            // through its smoothed edge.
            if (device_fills_areas()) {
                const double level = levels_[static_cast<std::size_t>(low)];
                // A saddle cell: the mean of the corners says which side is joined.
                const bool above_joined = (c[0].v + c[1].v + c[2].v + c[3].v) / 4 > level;
                if (low > 0) {
                    colour_of_band(low);
                    fill_cell_part(c, level, false, !above_joined);
                }
                colour_of_band(high);
                fill_cell_part(c, level, true, above_joined);
                return;
            }
            if (low > 0) {
                colour_of_band(low);
                fill_cell(c);
            }
            colour_of_band(high);
            fill_above(c, levels_[static_cast<std::size_t>(low)]);
            return;
        }
        // Spanning several bands: sub-cells about 5 plot units wide and high.
        double w = std::max(std::hypot(c[1].x - c[0].x, c[1].y - c[0].y), std::hypot(c[2].x - c[3].x, c[2].y - c[3].y));
        double h = std::max(std::hypot(c[3].x - c[0].x, c[3].y - c[0].y), std::hypot(c[2].x - c[1].x, c[2].y - c[1].y));
        // At most as many as fit the axis system, for cells larger than it.
        int columns = std::clamp(static_cast<int>(std::min(w, clip_.x1 - clip_.x0 + 1)) / 5, 1, 2000);
        int rows = std::clamp(static_cast<int>(std::min(h, clip_.y1 - clip_.y0 + 1)) / 5, 1, 2000);
        // Neighbouring sub-cells of one row in the same band are filled together.
        for (int row = 0; row < rows; ++row) {
            double y0 = c[0].y + (c[3].y - c[0].y) * row / rows;
            double y1 = c[0].y + (c[3].y - c[0].y) * (row + 1) / rows;
            int run_band = -1;
            int run_start = 0;
            for (int col = 0; col <= columns; ++col) {
                int band = -1;
                if (col < columns) {
                    double u = (col + 0.5) / columns;
                    double v = (row + 0.5) / rows;
                    double value =
                        (1 - u) * (1 - v) * c[0].v + u * (1 - v) * c[1].v + u * v * c[2].v + (1 - u) * v * c[3].v;
                    band = level_band(value, levels_);
                }
                if (band == run_band)
                    continue;
                if (run_band > 0 && quadrilaterals_) {
                    colour_of_band(run_band);
                    fill_quadrilateral(c, static_cast<double>(run_start) / columns, static_cast<double>(row) / rows,
                                       static_cast<double>(col) / columns, static_cast<double>(row + 1) / rows);
                } else if (run_band > 0) {
                    colour_of_band(run_band);
                    double x0 = c[0].x + (c[1].x - c[0].x) * run_start / columns;
                    double x1 = c[0].x + (c[1].x - c[0].x) * col / columns;
                    fill_box(std::round(x0), std::round(y0), std::round(x1), std::round(y1), clip_);
                }
                run_band = band;
                run_start = col;
            }
        }
    }

    // The region above one level, cell by cell.
    void above(int i, int j, double level)
    {
        ValuePoint c[4];
        if (!corners(i, j, c) || !visible(c))
            return;
        if (std::vector<ValuePoint> area = torn_cell(i, j); !area.empty()) {
            for (const std::vector<ValuePoint>& piece : torn_pieces(area)) {
                std::vector<ValuePoint> part = part_by_level(piece, level, true);
                if (part.size() >= 3)
                    fill_solid(plot_polygon(part), &clip_, 2.0);
            }
            return;
        }
        int count = 0;
        for (const ValuePoint& p : c)
            count += p.v > level ? 1 : 0;
        if (count == 4)
            fill_cell(c);
        else if (count > 0 || (c[0].v + c[1].v + c[2].v + c[3].v) / 4 > level)
            fill_above(c, level);
    }

private:
    std::span<const float> z_;
    int ny_;
    std::span<const float> levels_;
    ClipRect clip_;
    bool map_;             // the axis system is a projected map
    bool quadrilaterals_;  // its cells are filled as quadrilaterals
    bool seam_;            // its frame has a seam that cells may cross
    std::span<const float> lon_;
    std::span<const float> lat_;
    std::vector<double> px_;
    std::vector<double> py_;
};

}  // namespace

int level_band(double v, std::span<const float> levels)
{
    int band = 0;
    for (float level : levels) {
        if (!(v > level))
            break;
        ++band;
    }
    return band;
}

std::vector<ValuePoint> part_by_level(std::span<const ValuePoint> polygon, double level, bool above, PointPart by)
{
    auto measure = [by](const ValuePoint& p) { return by == PointPart::x ? p.x : by == PointPart::y ? p.y : p.v; };
    auto inside = [&](const ValuePoint& p) { return (measure(p) > level) == above; };
    std::vector<ValuePoint> out;
    for (std::size_t k = 0; k < polygon.size(); ++k) {
        const ValuePoint& s = polygon[k];
        const ValuePoint& e = polygon[(k + 1) % polygon.size()];
        if (inside(s))
            out.push_back(s);
        if (inside(s) != inside(e)) {
            double t = (measure(s) - level) / (measure(s) - measure(e));
            ValuePoint p{s.x + t * (e.x - s.x), s.y + t * (e.y - s.y), s.v + t * (e.v - s.v)};
            (by == PointPart::x ? p.x : by == PointPart::y ? p.y : p.v) = level;
            out.push_back(p);
        }
    }
    return out;
}

std::vector<FillPoint> part_above(const ValuePoint& a, const ValuePoint& b, const ValuePoint& c, double level)
{
    const ValuePoint triangle[3] = {a, b, c};
    return plot_polygon(part_by_level(triangle, level, true));
}

std::vector<FillPoint> plot_polygon(std::span<const ValuePoint> polygon)
{
    std::vector<FillPoint> out;
    out.reserve(polygon.size());
    for (const ValuePoint& p : polygon)
        out.push_back({p.x, p.y});
    return out;
}

void conshd(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
            std::span<const float> zlev, int nlev)
{
    if (level_check(2, 3, "conshd"))
        return;
    PlotState& s = state();
    ShadingAttributes& sh = s.shading;
    long long points = static_cast<long long>(nx) * ny;
    if (nx < 1 || ny < 1 || (sh.contour_mode == 1 && points > contour_point_limit)) {
        warning_int(30, static_cast<int>(std::clamp<long long>(points, -2147483647LL, 2147483647LL)));
        return;
    }
    if (nlev < 1 || static_cast<std::size_t>(nlev) > zlev.size()) {
        warning_int(2, nlev);
        return;
    }
    if (static_cast<std::size_t>(nx) > x.size() || static_cast<std::size_t>(ny) > y.size() ||
        static_cast<unsigned long long>(points) > z.size()) {
        warning(2);
        return;
    }
    if (!grid_fits_log_axes(x, nx, y, ny))
        return;
    std::span<const float> levels = zlev.first(static_cast<std::size_t>(nlev));
    if (std::any_of(levels.begin(), levels.end(), [](float v) { return !std::isfinite(v); })) {
        warning(2);
        return;
    }
    if (sh.contour_mode == 0) {
        for (std::size_t k = 1; k < levels.size(); ++k) {
            if (!(levels[k] > levels[k - 1])) {
                set_warning_text("Levels must be in increasing order");
                warning(warning_level_order);
                return;
            }
        }
    }

    // The colours run over the levels' range, or ZSCALE's.
    ColourScaling saved_scaling = s.colours.scaling;
    double lo = *std::min_element(levels.begin(), levels.end());
    double hi = *std::max_element(levels.begin(), levels.end());
    if (sh.zscale_on) {
        lo = sh.zscale_min;
        hi = sh.zscale_max;
    }
    if (!(hi != lo))
        hi = lo + 1;
    set_colour_scaling(lo, hi, false);

    int colour = s.current_colour;
    ShadingAttributes saved_pattern = sh;
    sh.pattern = 16;
    sh.pattern_code = 100;
    sh.hatch_angle = 0;
    sh.hatch_type = 1;
    sh.hatch_density = 0;
    sh.hatch_cross = 0;

    if (nx >= 2 && ny >= 2) {
        CellShader shader(x, nx, y, ny, z, levels);
        if (sh.contour_mode == 1) {
            for (float level : levels) {
                select_colour(colour_of_value(level));
                for (int i = 0; i + 1 < nx; ++i)
                    for (int j = 0; j + 1 < ny; ++j)
                        shader.above(i, j, level);
            }
        } else {
            for (int i = 0; i + 1 < nx; ++i)
                for (int j = 0; j + 1 < ny; ++j)
                    shader.cell(i, j);
        }
    }

    sh.pattern = saved_pattern.pattern;
    sh.pattern_code = saved_pattern.pattern_code;
    sh.hatch_angle = saved_pattern.hatch_angle;
    sh.hatch_type = saved_pattern.hatch_type;
    sh.hatch_density = saved_pattern.hatch_density;
    sh.hatch_cross = saved_pattern.hatch_cross;
    if (s.current_colour != colour)
        select_colour(colour);
    s.colours.scaling = saved_scaling;
    flush_pending();
}

void shdmod(std::string_view option, std::string_view object)
{
    soft_level_check("shdmod");
    std::string kw = keyword4(object);
    ShadingAttributes& a = state().shading;
    if (kw.substr(0, 3) == "CON") {
        int n = keyword_lookup("CELL+POLY", 2, option);
        if (n > 0)
            a.contour_mode = n - 1;
        return;
    }
    if (kw.substr(0, 3) == "SUR") {
        int n = keyword_lookup("NONE+INTE+GOUR+PHON", 4, option);
        if (n > 0)
            a.surface_mode = n - 1;
        return;
    }
    warning_text(2, object);
}

}  // namespace korvan
