#include "plot/routines/surface_shading.hpp"

#include <algorithm>
#include <cmath>

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
    normal_.assign(grid.box.size(), BoxPoint{0, 0, 0});
    for (std::size_t u = 0; u + 1 < grid.nu; ++u) {
        for (std::size_t v = 0; v + 1 < grid.nv; ++v) {
            std::size_t c[4] = {grid.at(u, v), grid.at(u + 1, v), grid.at(u + 1, v + 1), grid.at(u, v + 1)};
            if (!grid.usable[c[0]] || !grid.usable[c[1]] || !grid.usable[c[2]] || !grid.usable[c[3]])
                continue;
            BoxPoint n = cross(minus(grid.box[c[2]], grid.box[c[0]]), minus(grid.box[c[3]], grid.box[c[1]]));
            for (std::size_t k : c)
                for (std::size_t m = 0; m < 3; ++m)
                    normal_[k][m] += n[m];
        }
    }
    if (shading_ != SurfaceShading::gouraud)
        return;
    const BoxPoint& eye = state().shading.eye;
    diffuse_.resize(grid.box.size());
    specular_.resize(grid.box.size());
    for (std::size_t i = 0; i < grid.box.size(); ++i) {
        double cosine = facing(normal_[i], grid.box[i], eye);
        diffuse_[i] = cosine;
        specular_[i] = highlight(cosine);
    }
}

void SurfaceShader::paint(std::size_t u, std::size_t v) const
{
    std::size_t corner[4] = {grid_.at(u, v), grid_.at(u + 1, v), grid_.at(u + 1, v + 1), grid_.at(u, v + 1)};
    SmoothPoint polygon[4];
    double mean = 0;
    for (int k = 0; k < 4; ++k) {
        std::size_t i = corner[k];
        double z = grid_.z[i];
        mean += z / 4;
        SmoothPoint& p = polygon[k];
        p.x = grid_.plot[i].x;
        p.y = grid_.plot[i].y;
        p.v = {log_z_ ? std::log10(z) : z, 0, 0, 0, 0, 0, 0};
        if (shading_ == SurfaceShading::gouraud) {
            p.v[1] = diffuse_[i];
            p.v[2] = specular_[i];
        } else if (shading_ == SurfaceShading::phong) {
            for (std::size_t m = 0; m < 3; ++m) {
                p.v[1 + m] = normal_[i][m];
                p.v[4 + m] = grid_.box[i][m];
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
