// The colours of shaded surfaces, by the surface shading of SHDMOD: "NONE"
// flat cells in the colour of their mean Z, "INTE" the colour of Z
// interpolated over each cell, "GOUR" that colour lit by a light at the
// viewpoint with the light's intensity interpolated from the grid points, and
// "PHON" with the surface normal interpolated and the light computed at every
// point. Lighting needs a device that draws colours outside the table; other
// devices show "GOUR" and "PHON" as "INTE".
#pragma once

#include <cstddef>
#include <vector>

#include "plot/routines/fill.hpp"
#include "plot/routines/projection.hpp"

namespace korvan {

// The grid points of a surface: nu by nv, point (u, v) at u * nv + v.
struct SurfaceGrid {
    std::size_t nu = 0;
    std::size_t nv = 0;
    std::vector<BoxPoint> box;     // box coordinates
    std::vector<FillPoint> plot;   // plot coordinates
    std::vector<double> z;         // Z in user units
    std::vector<bool> usable;      // all of them finite

    std::size_t at(std::size_t u, std::size_t v) const { return u * nv + v; }
};

enum class SurfaceShading { none, interpolated, gouraud, phong };

class SurfaceShader {
public:
    // The light of the current viewpoint; normals are averaged from the cells
    // around each grid point.
    SurfaceShader(const SurfaceGrid& grid, SurfaceShading shading);

    // Paints the cell between grid points (u, v) and (u + 1, v + 1).
    void paint(std::size_t u, std::size_t v) const;

private:
    const SurfaceGrid& grid_;
    SurfaceShading shading_;
    bool log_z_;
    std::vector<BoxPoint> normal_;
    std::vector<double> diffuse_;
    std::vector<double> specular_;
};

}  // namespace korvan
