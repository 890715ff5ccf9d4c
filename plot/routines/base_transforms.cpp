// TRFSHF, TRFSCL, TRFROT and TRFRES: the base transformation of the page.
#include "plot/routines/base_transforms.hpp"

#include <cmath>
#include <numbers>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

void add_step(const BaseTransform& step)
{
    flush_pending();  // what is drawn so far keeps the old transformation
    state().base_transform.then(step);
}

}  // namespace

void trfshf(int nx, int ny)
{
    soft_level_check("trfshf");
    BaseTransform step;
    step.dx = nx;
    step.dy = ny;
    add_step(step);
}

void trfscl(double xscl, double yscl)
{
    soft_level_check("trfscl");
    if (!std::isfinite(xscl) || !std::isfinite(yscl) || xscl == 0 || yscl == 0) {
        warning(2);
        return;
    }
    BaseTransform step;
    step.xx = xscl;
    step.yy = yscl;
    add_step(step);
}

void trfrot(double angle, int nx, int ny)
{
    soft_level_check("trfrot");
    if (!std::isfinite(angle)) {
        warning(2);
        return;
    }
    // Counter-clockwise on the page, whose y axis points down.
    double r = angle * std::numbers::pi / 180;
    double c = std::cos(r);
    double s = std::sin(r);
    BaseTransform step;
    step.xx = c;
    step.xy = s;
    step.yx = -s;
    step.yy = c;
    step.dx = nx - c * nx - s * ny;
    step.dy = ny + s * nx - c * ny;
    add_step(step);
}

void trfres()
{
    soft_level_check("trfres");
    flush_pending();
    state().base_transform = BaseTransform{};
}

}  // namespace korvan
