// The perspective projection of the 3-D box.
#include "plot/routines/projection.hpp"

#include <cmath>

#include "plot/kernel/shading_state.hpp"

namespace korvan {

void set_projection(ShadingAttributes& a, const BoxPoint& eye, double cx, double cy, double scale)
{
    a.eye = eye;
    double d = std::hypot(eye[0], eye[1]);
    double r = std::sqrt(d * d + eye[2] * eye[2]);
    // The viewing direction in the X-Y plane; straight from above or below it
    // is taken as looking along +Y.
    double hx = 0;
    double hy = -1;
    if (d >= 1e-5) {
        hx = eye[0] / d;
        hy = eye[1] / d;
    }
    a.right = {-hy, hx, 0};
    if (d >= 1e-5)
        a.up = {-eye[2] * hx / r, -eye[2] * hy / r, d / r};
    else
        a.up = {0, eye[2] >= 0 ? 1.0 : -1.0, 0};
    a.eye_distance = r > 0 ? r : 1;
    a.centre_x = cx;
    a.centre_y = cy;
    a.scale = scale;
}

double user_to_box(const ShadingAttributes& a, int k, double v)
{
    const AxisTransform& t = a.box_axis[static_cast<std::size_t>(k)];
    double s = t.log ? (v > 0 ? std::log10(v) : std::nan("")) : v;
    double length = a.box[static_cast<std::size_t>(k)];
    return (s - t.start) / (t.end - t.start) * length - length / 2;
}

bool box_to_plot(const ShadingAttributes& a, const BoxPoint& p, double& x, double& y)
{
    double r = a.eye_distance;
    // Depth along the viewing direction, from the eye.
    double depth = r - (p[0] * a.eye[0] + p[1] * a.eye[1] + p[2] * a.eye[2]) / r;
    bool in_front = depth > 1e-3 * r;
    if (!in_front)
        depth = 1e-3 * r;
    double u = (p[0] * a.right[0] + p[1] * a.right[1] + p[2] * a.right[2]) * r / depth;
    double v = (p[0] * a.up[0] + p[1] * a.up[1] + p[2] * a.up[2]) * r / depth;
    x = a.centre_x + u * a.scale;
    y = a.centre_y - v * a.scale;
    return in_front;
}

std::array<std::array<double, 3>, 3> plane_projection(const ShadingAttributes& a, const BoxPoint& origin,
                                                      const BoxPoint& u, const BoxPoint& v)
{
    // A linear function f of the box point, f(origin + s u + t v), as a row.
    auto row = [&](const std::array<double, 3>& f, double constant) {
        auto dot = [&](const BoxPoint& p) { return f[0] * p[0] + f[1] * p[1] + f[2] * p[2]; };
        return std::array<double, 3>{dot(u), dot(v), dot(origin) + constant};
    };
    // w = depth / r as box_to_plot measures it; x w = cx w + scale (p . right).
    double r2 = a.eye_distance * a.eye_distance;
    std::array<double, 3> w = row({-a.eye[0] / r2, -a.eye[1] / r2, -a.eye[2] / r2}, 1);
    std::array<double, 3> right = row(a.right, 0);
    std::array<double, 3> up = row(a.up, 0);
    std::array<std::array<double, 3>, 3> m{};
    for (std::size_t k = 0; k < 3; ++k) {
        m[0][k] = a.centre_x * w[k] + a.scale * right[k];
        m[1][k] = a.centre_y * w[k] - a.scale * up[k];
        m[2][k] = w[k];
    }
    return m;
}

double eye_distance(const ShadingAttributes& a, const BoxPoint& p)
{
    return std::sqrt((p[0] - a.eye[0]) * (p[0] - a.eye[0]) + (p[1] - a.eye[1]) * (p[1] - a.eye[1]) +
                     (p[2] - a.eye[2]) * (p[2] - a.eye[2]));
}

}  // namespace korvan
