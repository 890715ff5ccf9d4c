// The colours of shaded surfaces, by the surface shading of SHDMOD: "NONE"
// flat cells in the colour of their mean Z, "INTE" the colour of Z
// interpolated over each cell, "GOUR" that colour lit by a light at the
// viewpoint with the light's intensity interpolated from the grid points, and
// "PHON" with the surface normal interpolated and the light computed at every
// point. Lighting needs a device that draws colours outside the table; other
// devices show "GOUR" and "PHON" as "INTE".
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

#include "plot/routines/fill.hpp"
#include "plot/routines/projection.hpp"

namespace korvan {

// The grid points of a surface: nu by nv, point (u, v) at u * nv + v. Their
// box and plot coordinates are worked out when asked for, from the box
// coordinates of the grid lines and the Z values, so that a grid of millions
// of points needs no tables of its own.
class SurfaceGrid {
public:
    // Point (u, v) stands at x[rows[u]], y[columns[v]] with Z
    // z[rows[u] * row_length + columns[v]].
    SurfaceGrid(std::span<const double> x, std::span<const double> y, std::span<const float> z,
                std::size_t row_length, std::vector<std::size_t> rows, std::vector<std::size_t> columns);

    std::size_t nu() const { return rows_.size(); }
    std::size_t nv() const { return columns_.size(); }
    std::size_t size() const { return nu() * nv(); }
    std::size_t at(std::size_t u, std::size_t v) const { return u * nv() + v; }

    // Z of point (u, v) in user units.
    double z(std::size_t u, std::size_t v) const { return z_[rows_[u] * row_length_ + columns_[v]]; }
    // Box coordinates of point (u, v) into p, Z held inside the box; true
    // when the point is usable: they and Z all finite.
    bool box(std::size_t u, std::size_t v, BoxPoint& p) const;
    BoxPoint box(std::size_t u, std::size_t v) const
    {
        BoxPoint p;
        box(u, v, p);
        return p;
    }
    bool usable(std::size_t u, std::size_t v) const
    {
        BoxPoint p;
        return box(u, v, p);
    }
    // Plot coordinates of a usable point.
    FillPoint plot(std::size_t u, std::size_t v) const;

private:
    const ShadingAttributes& shading_;
    std::span<const float> z_;
    std::size_t row_length_;
    std::vector<std::size_t> rows_;
    std::vector<std::size_t> columns_;
    std::vector<double> box_x_;  // of each row
    std::vector<double> box_y_;  // of each column
};

// The usable cells of the grid, numbered u * (nv - 1) + v for the cell between
// points (u, v) and (u + 1, v + 1), in the order they are painted: from the
// farthest from the eye to the nearest, by the middles of the cells, cells of
// equal distance in grid order.
std::vector<std::uint32_t> painting_order(const SurfaceGrid& grid);

enum class SurfaceShading { none, interpolated, gouraud, phong };

class SurfaceShader {
public:
    // The light of the current viewpoint; normals are averaged from the cells
    // around each grid point.
    SurfaceShader(const SurfaceGrid& grid, SurfaceShading shading);

    // Paints the cell between grid points (u, v) and (u + 1, v + 1), whose
    // corners (u, v), (u + 1, v), (u + 1, v + 1), (u, v + 1) stand at `corner`
    // on the page.
    void paint(std::size_t u, std::size_t v, std::span<const FillPoint, 4> corner) const;

private:
    const SurfaceGrid& grid_;
    SurfaceShading shading_;
    bool log_z_;
    std::vector<BoxPoint> normal_;
    std::vector<double> diffuse_;
    std::vector<double> specular_;
};

}  // namespace korvan
