#include "plot/routines/surface_shading.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <utility>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/smooth_fill.hpp"

namespace korvan {

namespace {

// The light: some ambient light everywhere, the rest falling from the
// viewpoint, with a white highlight where the surface faces the viewer.
constexpr double ambient = 0.3;
constexpr double diffuse_weight = 0.7;
constexpr double specular_weight = 0.3;
constexpr double shininess = 24;

BoxPoint minus(const BoxPoint& a, const BoxPoint& b) { return {a[0] - b[0], a[1] - b[1], a[2] - b[2]}; }
BoxPoint cross(const BoxPoint& a, const BoxPoint& b)
{
    return {a[1] * b[2] - a[2] * b[1], a[2] * b[0] - a[0] * b[2], a[0] * b[1] - a[1] * b[0]};
}
double dot(const BoxPoint& a, const BoxPoint& b) { return a[0] * b[0] + a[1] * b[1] + a[2] * b[2]; }

// The cosine between the normal and the direction to the eye, either side of
// the surface lit alike.
double facing(const BoxPoint& normal, const BoxPoint& point, const BoxPoint& eye)
{
    BoxPoint to_eye = minus(eye, point);
    double length = std::sqrt(dot(normal, normal) * dot(to_eye, to_eye));
    if (!(length > 0))
        return 1;
    return std::min(std::fabs(dot(normal, to_eye)) / length, 1.0);
}

double highlight(double cosine) { return std::pow(cosine, shininess); }

// Light in steps of 1/light_steps: finer steps would not show, but would cut
// the runs of one colour into many more pieces.
constexpr double light_steps = 64;

double stepped(double light) { return std::round(light * light_steps) / light_steps; }

std::uint32_t lit(std::uint32_t rgb, double diffuse, double specular)
{
    double factor = stepped(ambient + diffuse_weight * diffuse);
    double white = 255 * stepped(specular_weight * specular);
    std::uint32_t out = 0;
    for (int shift = 16; shift >= 0; shift -= 8) {
        double channel = static_cast<double>((rgb >> shift) & 0xFF) * factor + white;
        out |= static_cast<std::uint32_t>(std::clamp(std::lround(channel), 0L, 255L)) << shift;
    }
    return out;
}

}  // namespace

SurfaceGrid::SurfaceGrid(std::span<const double> x, std::span<const double> y, std::span<const float> z,
                         std::size_t row_length, std::vector<std::size_t> rows, std::vector<std::size_t> columns)
    : shading_(state().shading), z_(z), row_length_(row_length), rows_(std::move(rows)), columns_(std::move(columns))
{
    for (std::size_t i : rows_)
        box_x_.push_back(user_to_box(shading_, 0, x[i]));
    for (std::size_t j : columns_)
        box_y_.push_back(user_to_box(shading_, 1, y[j]));
}

bool SurfaceGrid::box(std::size_t u, std::size_t v, BoxPoint& p) const
{
    double hz = shading_.box[2] / 2;
    double zv = z(u, v);
    p = {box_x_[u], box_y_[v], std::clamp(user_to_box(shading_, 2, zv), -hz, hz)};
    return std::isfinite(p[0]) && std::isfinite(p[1]) && std::isfinite(zv) && std::isfinite(p[2]);
}

FillPoint SurfaceGrid::plot(std::size_t u, std::size_t v) const
{
    FillPoint at{0, 0};
    BoxPoint p;
    if (box(u, v, p))
        box_to_plot(shading_, p, at.x, at.y);
    return at;
}

namespace {

// The eye's distance from the middle of a cell with these corners.
double middle_depth(const BoxPoint& a, const BoxPoint& b, const BoxPoint& c, const BoxPoint& d)
{
    BoxPoint mid{0, 0, 0};
    for (const BoxPoint* p : {&a, &b, &c, &d})
        for (std::size_t m = 0; m < 3; ++m)
            mid[m] += (*p)[m] / 4;
    return eye_distance(state().shading, mid);
}

// Calls visit(cell, depth) for each usable cell in grid order. The box
// points of two rows of the grid are kept, so that each point is worked out once.
template <class Visit>
void each_cell(const SurfaceGrid& grid, Visit&& visit)
{
    std::size_t nv = grid.nv();
    std::vector<BoxPoint> row(nv);
    std::vector<BoxPoint> next(nv);
    std::vector<char> row_ok(nv);
    std::vector<char> next_ok(nv);
    for (std::size_t v = 0; v < nv; ++v)
        row_ok[v] = grid.box(0, v, row[v]);
    for (std::size_t u = 0; u + 1 < grid.nu(); ++u) {
        for (std::size_t v = 0; v < nv; ++v)
            next_ok[v] = grid.box(u + 1, v, next[v]);
        for (std::size_t v = 0; v + 1 < nv; ++v) {
            if (row_ok[v] && next_ok[v] && next_ok[v + 1] && row_ok[v + 1])
                visit(static_cast<std::uint32_t>(u * (nv - 1) + v),
                      middle_depth(row[v], next[v], next[v + 1], row[v + 1]));
        }
        row.swap(next);
        row_ok.swap(next_ok);
    }
}

}  // namespace

// The order of a stable sort by depth. The cells are first dealt into buckets
// of depth ranges, far ones first, and each bucket is sorted on its own, so
// that only the cell numbers are held for the whole grid.
std::vector<std::uint32_t> painting_order(const SurfaceGrid& grid)
{
    std::size_t nv = grid.nv() - 1;
    std::size_t cells = 0;
    double nearest = std::numeric_limits<double>::infinity();
    double farthest = -nearest;
    each_cell(grid, [&](std::uint32_t, double depth) {
        ++cells;
        nearest = std::min(nearest, depth);
        farthest = std::max(farthest, depth);
    });
    // About eight cells a bucket; one bucket when the depths give no range.
    double range = farthest - nearest;
    std::size_t buckets = range > 0 && std::isfinite(range) ? std::max<std::size_t>(cells / 8, 1) : 1;
    double scale = buckets > 1 ? static_cast<double>(buckets) / range : 0.0;
    auto bucket = [&](double depth) {
        return std::min(buckets - 1, static_cast<std::size_t>((farthest - depth) * scale));
    };
    std::vector<std::uint32_t> start(buckets + 1, 0);
    each_cell(grid, [&](std::uint32_t, double depth) { ++start[bucket(depth) + 1]; });
    for (std::size_t b = 0; b < buckets; ++b)
        start[b + 1] += start[b];
    std::vector<std::uint32_t> order(cells);
    {
        std::vector<std::uint32_t> next(start.begin(), start.end() - 1);
        each_cell(grid, [&](std::uint32_t cell, double depth) { order[next[bucket(depth)]++] = cell; });
    }
    std::vector<std::pair<double, std::uint32_t>> in_bucket;
    for (std::size_t b = 0; b < buckets; ++b) {
        if (start[b + 1] - start[b] < 2)
            continue;
        in_bucket.clear();
        for (std::uint32_t i = start[b]; i < start[b + 1]; ++i) {
            std::size_t u = order[i] / nv;
            std::size_t v = order[i] % nv;
            in_bucket.emplace_back(middle_depth(grid.box(u, v), grid.box(u + 1, v), grid.box(u + 1, v + 1),
                                                grid.box(u, v + 1)),
                                   order[i]);
        }
        std::stable_sort(in_bucket.begin(), in_bucket.end(),
                         [](const auto& p, const auto& q) { return p.first > q.first; });
        for (std::size_t i = 0; i < in_bucket.size(); ++i)
            order[start[b] + i] = in_bucket[i].second;
    }
    return order;
}

SurfaceShader::SurfaceShader(const SurfaceGrid& grid, SurfaceShading shading)
    : grid_(grid), shading_(shading), log_z_(state().colours.scaling.logarithmic)
{
    bool lighting = shading == SurfaceShading::gouraud || shading == SurfaceShading::phong;
    if (lighting && !direct_colours_available())
        shading_ = SurfaceShading::interpolated;
    if (shading_ != SurfaceShading::gouraud && shading_ != SurfaceShading::phong)
        return;
    // Each cell's normal, from its diagonals and as long as the cell is large,
    // is added to its four corners.
    normal_.assign(grid.size(), BoxPoint{0, 0, 0});
    for (std::size_t u = 0; u + 1 < grid.nu(); ++u) {
        for (std::size_t v = 0; v + 1 < grid.nv(); ++v) {
            std::size_t c[4] = {grid.at(u, v), grid.at(u + 1, v), grid.at(u + 1, v + 1), grid.at(u, v + 1)};
            BoxPoint p[4];
            bool ok = grid.box(u, v, p[0]);
            ok = grid.box(u + 1, v, p[1]) && ok;
            ok = grid.box(u + 1, v + 1, p[2]) && ok;
            ok = grid.box(u, v + 1, p[3]) && ok;
            if (!ok)
                continue;
            BoxPoint n = cross(minus(p[2], p[0]), minus(p[3], p[1]));
            for (std::size_t k : c)
                for (std::size_t m = 0; m < 3; ++m)
                    normal_[k][m] += n[m];
        }
    }
    if (shading_ != SurfaceShading::gouraud)
        return;
    const BoxPoint& eye = state().shading.eye;
    diffuse_.resize(grid.size());
    specular_.resize(grid.size());
    for (std::size_t u = 0; u < grid.nu(); ++u) {
        for (std::size_t v = 0; v < grid.nv(); ++v) {
            std::size_t i = grid.at(u, v);
            double cosine = facing(normal_[i], grid.box(u, v), eye);
            diffuse_[i] = cosine;
            specular_[i] = highlight(cosine);
        }
    }
}

void SurfaceShader::paint(std::size_t u, std::size_t v, std::span<const FillPoint, 4> corner) const
{
    const std::size_t cu[4] = {u, u + 1, u + 1, u};
    const std::size_t cv[4] = {v, v, v + 1, v + 1};
    SmoothPoint polygon[4];
    double mean = 0;
    for (std::size_t k = 0; k < 4; ++k) {
        std::size_t i = grid_.at(cu[k], cv[k]);
        double z = grid_.z(cu[k], cv[k]);
        mean += z / 4;
        SmoothPoint& p = polygon[k];
        p.x = corner[k].x;
        p.y = corner[k].y;
        p.v = {log_z_ ? std::log10(z) : z, 0, 0, 0, 0, 0, 0};
        if (shading_ == SurfaceShading::gouraud) {
            p.v[1] = diffuse_[i];
            p.v[2] = specular_[i];
        } else if (shading_ == SurfaceShading::phong) {
            BoxPoint b = grid_.box(cu[k], cv[k]);
            for (std::size_t m = 0; m < 3; ++m) {
                p.v[1 + m] = normal_[i][m];
                p.v[4 + m] = b[m];
            }
        }
    }
    bool log_z = log_z_;
    auto colour_of = [log_z](double c) { return colour_of_value(log_z ? std::pow(10.0, c) : c); };
    const std::array<std::uint32_t, 256>& table = state().colour_table;
    switch (shading_) {
    case SurfaceShading::none: {
        PaintColour flat{colour_of_value(mean), 0, false};
        fill_smooth(polygon, [flat](const SmoothValues&) { return flat; });
        break;
    }
    case SurfaceShading::interpolated:
        fill_smooth(polygon, [&](const SmoothValues& w) { return PaintColour{colour_of(w[0]), 0, false}; });
        break;
    case SurfaceShading::gouraud:
        fill_smooth(polygon, [&](const SmoothValues& w) {
            int index = colour_of(w[0]);
            return PaintColour{index, lit(table[static_cast<std::size_t>(index)], w[1], w[2]), true};
        });
        break;
    case SurfaceShading::phong: {
        const BoxPoint& eye = state().shading.eye;
        fill_smooth(polygon, [&](const SmoothValues& w) {
            int index = colour_of(w[0]);
            double cosine = facing({w[1], w[2], w[3]}, {w[4], w[5], w[6]}, eye);
            return PaintColour{index, lit(table[static_cast<std::size_t>(index)], cosine, highlight(cosine)), true};
        });
        break;
    }
    }
}

}  // namespace korvan
