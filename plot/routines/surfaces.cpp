// Surfaces: the cells of the grid projected into the box, sorted from the
// farthest to the nearest and painted in that order, so that nearer cells
// cover what lies behind them; shaded cells take their colours from the
// surface shading.
#include "plot/routines/surfaces.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/projection.hpp"
#include "plot/routines/surface_shading.hpp"

namespace korvan {

namespace {

enum class SurfaceKind { mesh, shaded };

SurfaceShading surface_shading(int mode)
{
    switch (mode) {
    case 1: return SurfaceShading::interpolated;
    case 2: return SurfaceShading::gouraud;
    case 3: return SurfaceShading::phong;
    default: return SurfaceShading::none;
    }
}

// The region inside the surface's border on the page (SHLSUR): the grid's
// outer rows and columns walked round, leaving out points that are not usable.
ShieldRegion border_region(const SurfaceGrid& grid)
{
    std::vector<ShieldPoint> outline;
    auto take = [&](std::size_t u, std::size_t v) {
        if (grid.usable(u, v)) {
            FillPoint p = grid.plot(u, v);
            outline.push_back({p.x, p.y});
        }
    };
    for (std::size_t u = 0; u < grid.nu(); ++u)
        take(u, 0);
    for (std::size_t v = 1; v < grid.nv(); ++v)
        take(grid.nu() - 1, v);
    for (std::size_t u = grid.nu() - 1; u-- > 0;)
        take(u, grid.nv() - 1);
    for (std::size_t v = grid.nv() - 1; v-- > 1;)
        take(0, v);
    return shield_polygon(std::move(outline));
}

// The surface of the grid points (x[i], y[j], z[i * ny + j]) that lie inside
// the surface size.
void draw_surface(std::span<const double> x, std::span<const double> y, std::span<const float> z, SurfaceKind kind)
{
    PlotState& s = state();
    ShadingAttributes& a = s.shading;
    std::size_t nx = x.size();
    std::size_t ny = y.size();
    // The grid lines inside SURSZE's range.
    std::vector<std::size_t> ix;
    std::vector<std::size_t> iy;
    auto within = [&](double v, double lo, double hi) { return v >= std::min(lo, hi) && v <= std::max(lo, hi); };
    for (std::size_t i = 0; i < nx; ++i)
        if (!a.surface_size || within(x[i], a.surface_range[0], a.surface_range[1]))
            ix.push_back(i);
    for (std::size_t j = 0; j < ny; ++j)
        if (!a.surface_size || within(y[j], a.surface_range[2], a.surface_range[3]))
            iy.push_back(j);
    if (ix.size() < 2 || iy.size() < 2)
        return;
    long cells = static_cast<long>(ix.size() - 1) * static_cast<long>(iy.size() - 1);
    if (cells > surface_cell_limit) {
        warning(52);
        return;
    }
    SurfaceGrid grid(x, y, z, ny, std::move(ix), std::move(iy));
    std::vector<std::uint32_t> order = painting_order(grid);

    int colour = s.current_colour;
    int top = a.surface_colours && a.surface_top >= 0 ? a.surface_top : colour;
    int bottom = a.surface_colours && a.surface_bottom >= 0 ? a.surface_bottom : colour;
    SurfaceShader shader(grid, surface_shading(a.surface_mode));
    // The grid runs with rising X then rising Y; seen from above that is
    // counter-clockwise, which on the page (y downwards) is a negative area.
    bool x_rising = a.box_axis[0].end > a.box_axis[0].start;
    bool y_rising = a.box_axis[1].end > a.box_axis[1].start;
    bool flipped = x_rising != y_rising;
    for (std::uint32_t cell : order) {
        std::size_t u = cell / (grid.nv() - 1);
        std::size_t v = cell % (grid.nv() - 1);
        FillPoint corner[4] = {grid.plot(u, v), grid.plot(u + 1, v), grid.plot(u + 1, v + 1), grid.plot(u, v + 1)};
        double area = 0;
        for (int k = 0; k < 4; ++k) {
            const FillPoint& p = corner[k];
            const FillPoint& q = corner[(k + 1) % 4];
            area += p.x * q.y - q.x * p.y;
        }
        bool top_side = (area < 0) != flipped;
        bool shown = a.surface_visibility == 0 || (a.surface_visibility == 1) == top_side;
        if (kind == SurfaceKind::shaded) {
            if (shown)
                shader.paint(u, v, corner);
            continue;
        }
        // Covers what lies behind, then outlines the cell; after NOHIDE
        // nothing is covered and the lines behind show through.
        if (a.hidden_lines) {
            if (s.current_colour != 0)
                select_colour(0);
            fill_solid(corner, nullptr, 1.0);
        }
        if (!shown)
            continue;
        select_colour(top_side ? top : bottom);
        LinePen pen(true);
        pen.move(corner[0].x, corner[0].y);
        for (int k = 1; k <= 4; ++k)
            pen.draw(corner[k % 4].x, corner[k % 4].y);
    }
    // Shaded cells may leave the device in a colour outside the table.
    if (s.current_colour != colour || kind == SurfaceKind::shaded)
        select_colour(colour);
    if ((s.shields.automatic & shield_surfaces) != 0)
        add_automatic_shield(shield_surfaces, border_region(grid));
    flush_pending();
}

bool grid_counts(int nx, int ny, std::size_t x_size, std::size_t y_size, std::size_t z_size)
{
    if (range_check(nx, 2, 100000000) || range_check(ny, 2, 100000000))
        return false;
    if (static_cast<std::size_t>(nx) > x_size || static_cast<std::size_t>(ny) > y_size ||
        static_cast<unsigned long long>(nx) * static_cast<unsigned long long>(ny) > z_size) {
        warning(2);
        return false;
    }
    return true;
}

void surface_of_arrays(const char* routine, std::span<const float> x, int nx, std::span<const float> y, int ny,
                       std::span<const float> z, SurfaceKind kind)
{
    if (!box_system_ready(routine))
        return;
    if (!grid_counts(nx, ny, x.size(), y.size(), z.size()))
        return;
    std::vector<double> vx(x.begin(), x.begin() + nx);
    std::vector<double> vy(y.begin(), y.begin() + ny);
    draw_surface(vx, vy, z.first(static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny)), kind);
}

}  // namespace

void surfce(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z)
{
    surface_of_arrays("surfce", x, nx, y, ny, z, SurfaceKind::mesh);
}

void surshd(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z)
{
    surface_of_arrays("surshd", x, nx, y, ny, z, SurfaceKind::shaded);
}

void surmat(std::span<const float> z, int nx, int ny, int ixp, int iyp)
{
    if (!box_system_ready("surmat"))
        return;
    if (!grid_counts(nx, ny, static_cast<std::size_t>(std::max(nx, 0)), static_cast<std::size_t>(std::max(ny, 0)),
                     z.size()))
        return;
    if (range_check(ixp, 1, nx - 1) || range_check(iyp, 1, ny - 1))
        return;
    const ShadingAttributes& a = state().shading;
    // Every ixp-th row and iyp-th column, spread evenly over the axes.
    std::vector<std::size_t> rows;
    std::vector<std::size_t> columns;
    for (int i = 0; i < nx; i += ixp)
        rows.push_back(static_cast<std::size_t>(i));
    if (rows.back() != static_cast<std::size_t>(nx - 1))
        rows.push_back(static_cast<std::size_t>(nx - 1));
    for (int j = 0; j < ny; j += iyp)
        columns.push_back(static_cast<std::size_t>(j));
    if (columns.back() != static_cast<std::size_t>(ny - 1))
        columns.push_back(static_cast<std::size_t>(ny - 1));
    auto user = [&](int k, double f) {
        const AxisTransform& t = a.box_axis[static_cast<std::size_t>(k)];
        double v = t.start + f * (t.end - t.start);
        return t.log ? std::pow(10.0, v) : v;
    };
    std::vector<double> vx;
    std::vector<double> vy;
    for (std::size_t i : rows)
        vx.push_back(user(0, static_cast<double>(i) / (nx - 1)));
    for (std::size_t j : columns)
        vy.push_back(user(1, static_cast<double>(j) / (ny - 1)));
    std::vector<float> vz;
    vz.reserve(rows.size() * columns.size());
    for (std::size_t i : rows)
        for (std::size_t j : columns)
            vz.push_back(z[i * static_cast<std::size_t>(ny) + j]);
    draw_surface(vx, vy, vz, SurfaceKind::mesh);
}

void nohide()
{
    soft_level_check("nohide");
    state().shading.hidden_lines = false;
}

void survis(std::string_view option)
{
    soft_level_check("survis");
    int n = keyword_lookup("BOTH+TOP +BOTT", 3, option);
    if (n > 0)
        state().shading.surface_visibility = n - 1;
}

void surclr(int top, int bottom)
{
    soft_level_check("surclr");
    if (range_check(top, -1, 255) || range_check(bottom, -1, 255))
        return;
    ShadingAttributes& a = state().shading;
    a.surface_colours = true;
    a.surface_top = top;
    a.surface_bottom = bottom;
}

void sursze(double xa, double xe, double ya, double ye)
{
    soft_level_check("sursze");
    if (!(xa != xe) || !(ya != ye)) {
        warning(10);
        return;
    }
    ShadingAttributes& a = state().shading;
    a.surface_size = true;
    a.surface_range = {xa, xe, ya, ye};
}

}  // namespace korvan
