// The forward formulas of the map projections.
#include "plot/routines/map_projection.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvan {

namespace {

constexpr double pi = std::numbers::pi;
constexpr double quarter = pi / 4;
// Latitudes nearer the poles than this are taken there by the Mercator
// projections, whose poles lie at infinity.
constexpr double mercator_limit = 89.99 * pi / 180;

double clamp1(double v) { return std::clamp(v, -1.0, 1.0); }

double mercator_y(double phi) { return std::log(std::tan(quarter + std::clamp(phi, -mercator_limit, mercator_limit) / 2)); }

// Newton's method for the auxiliary angle of Mollweide (f(t) = 2t + sin 2t)
// and Eckert IV (f(t) = t + sin t cos t + 2 sin t) with f(t) = k sin phi.
double auxiliary_angle(int code, double phi)
{
    if (std::fabs(phi) >= pi / 2 - 1e-12)
        return std::copysign(pi / 2, phi);
    double t = phi;
    if (code == map_moll) {
        double target = pi * std::sin(phi);
        double u = 2 * t;
        for (int i = 0; i < 50; ++i) {
            double d = (u + std::sin(u) - target) / (1 + std::cos(u));
            u -= d;
            if (std::fabs(d) < 1e-13)
                break;
        }
        return u / 2;
    }
    double target = (2 + pi / 2) * std::sin(phi);
    t = phi / 2;
    for (int i = 0; i < 50; ++i) {
        double f = t + std::sin(t) * std::cos(t) + 2 * std::sin(t) - target;
        double df = 2 * std::cos(t) * (1 + std::cos(t));
        if (df < 1e-15)
            break;
        double d = f / df;
        t -= d;
        if (std::fabs(d) < 1e-13)
            break;
    }
    return t;
}

}  // namespace

MapClass map_class(int code)
{
    if (code < 10)
        return MapClass::cylindrical;
    if (code < 20)
        return MapClass::pseudo_cylindrical;
    if (code < 30)
        return MapClass::conical;
    return MapClass::azimuthal;
}

MapAngles oblique_aspect(double lam, double phi, double phi0)
{
    double x = std::cos(phi) * std::cos(lam);
    double y = std::cos(phi) * std::sin(lam);
    double z = std::sin(phi);
    double xr = x * std::cos(phi0) + z * std::sin(phi0);
    double zr = -x * std::sin(phi0) + z * std::cos(phi0);
    return {std::atan2(y, xr), std::asin(clamp1(zr))};
}

MapAngles transverse_aspect(double lam, double phi)
{
    return {std::atan2(std::sin(phi), std::cos(phi) * std::cos(lam)), std::asin(clamp1(std::cos(phi) * std::sin(lam)))};
}

MapXY aspect_mercator(int code, MapAngles a)
{
    if (code == map_utm) {
        // The poles of the aspect lie at infinity: taken just short of them.
        double b = std::clamp(std::sin(a.phi), -1 + 1e-12, 1 - 1e-12);
        return {std::atanh(b), a.lam};
    }
    return {a.lam, mercator_y(a.phi)};
}

MapXY cylindrical_projection(int code, double lam, double phi, double phi0)
{
    switch (code) {
    case map_merc:
        return {lam, mercator_y(phi)};
    case map_exac:
        return {lam, phi};
    case map_corr:
        // Miller's cylindrical projection.
        return {lam, 1.25 * std::log(std::tan(quarter + 0.4 * phi))};
    case map_utm:
        // Transverse Mercator around the centre meridian.
        return aspect_mercator(code, transverse_aspect(lam, phi));
    case map_obli:
        return aspect_mercator(code, oblique_aspect(lam, phi, phi0));
    case map_equa:
        return {lam, std::sin(phi)};
    default:
        return {lam, phi};
    }
}

MapXY pseudo_cylindrical_projection(int code, double lam, double phi)
{
    switch (code) {
    case map_aito:
    case map_hamm:
    case map_wink: {
        double c = std::acos(clamp1(std::cos(phi) * std::cos(lam / 2)));
        double alpha = 0;
        if (std::sin(c) > 1e-15) {
            // The angle whose cosine is sin(phi) / sin(c): the textbook
            // direction of the point from the map centre.
            alpha = std::acos(clamp1(std::sin(phi) / std::sin(c)));
            if (lam < 0)
                alpha = -alpha;
        }
        if (code == map_aito)
            return {2 * c * std::sin(alpha), c * std::cos(alpha)};
        if (code == map_hamm) {
            double s = std::sin(c / 2);
            return {4 * s * std::sin(alpha), 2 * s * std::cos(alpha)};
        }
        // Winkel's projection with the standard parallel at 40 degrees.
        return {(2 * c * std::sin(alpha) + lam * 0.7660444) / 2, (phi + c * std::cos(alpha)) / 2};
    }
    case map_sans:
        return {lam * std::cos(phi), phi};
    case map_moll: {
        double t = auxiliary_angle(code, phi);
        return {2 * std::numbers::sqrt2 / pi * lam * std::cos(t), std::numbers::sqrt2 * std::sin(t)};
    }
    case map_elli: {
        // Eckert IV: elliptical meridians, equal areas.
        double t = auxiliary_angle(code, phi);
        return {2 / std::sqrt(pi * (4 + pi)) * lam * (1 + std::cos(t)), 2 * std::sqrt(pi / (4 + pi)) * std::sin(t)};
    }
    default:
        return {lam, phi};
    }
}

bool make_cone(int code, double phi1, double phi2, MapCone& cone)
{
    cone.code = code;
    bool one = phi1 == phi2;
    double n = 0;
    double c = 0;
    auto t = [](double phi) { return std::tan(quarter + phi / 2); };
    switch (code) {
    case map_conf:
        n = one ? std::sin(phi1)
                : std::log(std::cos(phi1) / std::cos(phi2)) / std::log(t(phi2) / t(phi1));
        c = std::cos(phi1) * std::pow(t(phi1), n) / n;
        break;
    case map_albe:
        n = one ? std::sin(phi1) : (std::sin(phi1) + std::sin(phi2)) / 2;
        c = std::cos(phi1) * std::cos(phi1) + 2 * n * std::sin(phi1);
        break;
    case map_coni:
        n = one ? std::sin(phi1) : (std::cos(phi1) - std::cos(phi2)) / (phi2 - phi1);
        c = std::cos(phi1) / n + phi1;
        break;
    default:  // polyconic: no cone, only its origin
        cone.n = 1;
        cone.c = 0;
        cone.origin_latitude = phi1;
        return std::isfinite(phi1);
    }
    if (!std::isfinite(n) || !std::isfinite(c) || std::fabs(n) < 1e-9)
        return false;
    cone.n = n;
    cone.c = c;
    return true;
}

double cone_radius(const MapCone& cone, double phi)
{
    switch (cone.code) {
    case map_conf: {
        // Colatitudes are capped at 179.99 degrees.
        double p = std::max(phi, -89.99 * pi / 180);
        return cone.c / std::pow(std::tan(quarter + p / 2), cone.n);
    }
    case map_albe:
        return std::sqrt(std::max(0.0, cone.c - 2 * cone.n * std::sin(phi))) / cone.n;
    case map_coni:
        return cone.c - phi;
    default:
        return 0;
    }
}

MapXY conical_projection(const MapCone& cone, double rho0, double lam, double phi)
{
    if (cone.code == map_poly) {
        if (std::fabs(phi) < 1e-12)
            return {lam, -cone.origin_latitude};
        double e = lam * std::sin(phi);
        double cot = 1 / std::tan(phi);
        return {cot * std::sin(e), phi - cone.origin_latitude + cot * (1 - std::cos(e))};
    }
    double rho = cone_radius(cone, phi);
    double angle = cone.n * lam;
    return {rho * std::sin(angle), rho0 - rho * std::cos(angle)};
}

MapAzimuth azimuthal_frame(double lam, double phi, double lam0, double phi0)
{
    if (std::fabs(phi0 - pi / 2) < 1e-9)
        return {pi / 2 - phi, lam - lam0 - pi / 2};
    if (std::fabs(phi0 + pi / 2) < 1e-9)
        return {phi + pi / 2, -(lam - lam0 - pi / 2)};
    double d = std::remainder(lam - lam0, 2 * pi);
    double c = std::acos(clamp1(std::sin(phi) * std::sin(phi0) + std::cos(phi) * std::cos(phi0) * std::cos(std::fabs(d))));
    if (std::sin(c) < 1e-15)
        return {c, lam - pi / 2};
    double a = std::acos(clamp1((std::sin(phi) - std::sin(phi0) * std::cos(c)) / (std::cos(phi0) * std::sin(c))));
    return {c, d > 0 ? pi / 2 - a : pi / 2 + a};
}

double azimuthal_radius(int code, double c)
{
    switch (code) {
    case map_gnom:
        return c < pi / 2 ? std::tan(c) : HUGE_VAL;
    case map_orth:
        return std::sin(c);
    case map_ster:
        return 2 * std::tan(c / 2);
    case map_azim:
        return c;
    default:  // LAMB
        return 2 * std::sin(c / 2);
    }
}

}  // namespace korvan
