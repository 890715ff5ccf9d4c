// CONTUR: contour lines traced edge by edge through a grid, with the cell
// centre deciding saddle cells.
#include "plot/routines/contours.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <memory>
#include <new>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/contour_labels.hpp"
#include "plot/routines/line_styles.hpp"

namespace korvan {

namespace {

struct Corner {
    int i;
    int j;
};

class Tracer {
public:
    Tracer(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z, double z0,
           std::uint8_t* marks)
        : x_(x), y_(y), z_(z), nx_(nx), ny_(ny), z0_(z0), marks_(marks)
    {
    }

    void run(std::vector<ContourLine>& lines)
    {
        int nx = nx_;
        int ny = ny_;
        // Lines that start on the boundary, walked once around.
        for (int i = 1; i <= nx - 1; ++i)
            if (high({i, 0}) && !high({i - 1, 0}))
                follow({i, 0}, {i - 1, 0}, lines);
        for (int j = 1; j <= ny - 1; ++j)
            if (high({nx - 1, j}) && !high({nx - 1, j - 1}))
                follow({nx - 1, j}, {nx - 1, j - 1}, lines);
        for (int i = nx - 2; i >= 0; --i)
            if (high({i, ny - 1}) && !high({i + 1, ny - 1}))
                follow({i, ny - 1}, {i + 1, ny - 1}, lines);
        for (int j = ny - 2; j >= 0; --j)
            if (high({0, j}) && !high({0, j + 1}))
                follow({0, j}, {0, j + 1}, lines);
        // Closed lines.
        for (int j = 1; j <= ny - 2; ++j)
            for (int i = 1; i <= nx - 1; ++i)
                if (high({i, j}) && !high({i - 1, j}) && !marked({i - 1, j}))
                    follow({i, j}, {i - 1, j}, lines);
    }

private:
    double zv(Corner c) const { return z_[static_cast<std::size_t>(c.i) * static_cast<std::size_t>(ny_) + c.j]; }
    bool high(Corner c) const { return zv(c) > z0_; }
    bool inside(Corner c) const { return c.i >= 0 && c.i < nx_ && c.j >= 0 && c.j < ny_; }
    std::size_t bit(Corner c) const { return static_cast<std::size_t>(c.i) * static_cast<std::size_t>(ny_) + c.j; }
    bool marked(Corner c) const { return (marks_[bit(c) / 8] >> (bit(c) % 8)) & 1; }
    void mark(Corner c) { marks_[bit(c) / 8] = static_cast<std::uint8_t>(marks_[bit(c) / 8] | (1u << (bit(c) % 8))); }

    // The crossing between a high point and a low point.
    ContourPoint crossing(double hx, double hy, double hz, double lx, double ly, double lz) const
    {
        double t = (hz - z0_) / (hz - lz);
        return {hx - t * (hx - lx), hy - t * (hy - ly)};
    }
    ContourPoint crossing(Corner h, Corner l) const
    {
        return crossing(x_[h.i], y_[h.j], zv(h), x_[l.i], y_[l.j], zv(l));
    }

    void follow(Corner h, Corner l, std::vector<ContourLine>& lines)
    {
        ContourLine line;
        // Every edge is crossed at most twice; anything longer is a fault.
        long guard = 4L * nx_ * ny_ + 16;
        while (guard-- > 0) {
            line.push_back(crossing(h, l));
            int di = h.i - l.i;
            int dj = h.j - l.j;
            // The cell on the left of the direction from L to H.
            Corner p{l.i - dj, l.j + di};
            Corner a{h.i - dj, h.j + di};
            if (!inside(p))
                break;
            if (di == 1 && dj == 0) {
                if (marked(l))
                    break;
                mark(l);
            }
            // Halfway between the x values and the y values of the cell's corners.
            double cx = (std::min({x_[l.i], x_[p.i], x_[h.i], x_[a.i]}) + std::max({x_[l.i], x_[p.i], x_[h.i], x_[a.i]})) / 2;
            double cy = (std::min({y_[l.j], y_[p.j], y_[h.j], y_[a.j]}) + std::max({y_[l.j], y_[p.j], y_[h.j], y_[a.j]})) / 2;
            double cz = (zv(h) + zv(l) + zv(p) + zv(a)) / 4;
            bool centre_high = cz > z0_;
            auto with_centre = [&](Corner k, bool centre_is_high) {
                if (centre_is_high)
                    return crossing(cx, cy, cz, x_[k.i], y_[k.j], zv(k));
                return crossing(x_[k.i], y_[k.j], zv(k), cx, cy, cz);
            };
            if (centre_high) {
                line.push_back(with_centre(l, true));
                if (high(p)) {
                    h = p;
                } else {
                    line.push_back(with_centre(p, true));
                    if (high(a)) {
                        h = a;
                        l = p;
                    } else {
                        line.push_back(with_centre(a, true));
                        l = a;
                    }
                }
            } else {
                line.push_back(with_centre(h, false));
                if (!high(a)) {
                    l = a;
                } else {
                    line.push_back(with_centre(a, false));
                    if (high(p)) {
                        line.push_back(with_centre(p, false));
                        h = p;
                    } else {
                        h = a;
                        l = p;
                    }
                }
            }
        }
        if (!line.empty())
            lines.push_back(std::move(line));
    }

    std::span<const float> x_;
    std::span<const float> y_;
    std::span<const float> z_;
    int nx_;
    int ny_;
    double z0_;
    std::uint8_t* marks_;
};

}  // namespace

bool trace_contour(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
                   double z0, std::vector<ContourLine>& lines)
{
    if (nx < 1 || ny < 1)
        return true;
    std::size_t count = static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny);
    std::unique_ptr<std::uint8_t[]> marks(new (std::nothrow) std::uint8_t[count / 8 + 1]());
    if (!marks)
        return false;
    Tracer(x, nx, y, ny, z, z0, marks.get()).run(lines);
    return true;
}

double user_to_plot(const AxisTransform& t, double v, double sign)
{
    double s = t.log ? (v > 0 ? std::log10(v) : std::nan("")) : v;
    return t.origin + sign * t.factor * (s - t.start);
}

bool grid_fits_log_axes(std::span<const float> x, int nx, std::span<const float> y, int ny)
{
    const PlotState& s = state();
    auto not_positive = [](float v) { return !(v > 0); };
    bool ok = true;
    if (s.axes.transform[1].log && std::any_of(y.begin(), y.begin() + ny, not_positive)) {
        warning(27);
        ok = false;
    }
    if (s.axes.transform[0].log && std::any_of(x.begin(), x.begin() + nx, not_positive)) {
        warning(27);
        ok = false;
    }
    return ok;
}

bool grid_points_fit(long long nx, long long ny)
{
    long long points = nx * ny;
    if (nx < 1 || ny < 1 || points > contour_point_limit) {
        warning_int(30, static_cast<int>(std::clamp<long long>(points, -2147483647LL, 2147483647LL)));
        return false;
    }
    return true;
}

void contour_of_grid(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
                     double zlev)
{
    if (!grid_points_fit(nx, ny))
        return;
    if (static_cast<std::size_t>(nx) > x.size() || static_cast<std::size_t>(ny) > y.size() ||
        static_cast<std::size_t>(nx) * static_cast<std::size_t>(ny) > z.size()) {
        warning(2);
        return;
    }
    if (!grid_fits_log_axes(x, nx, y, ny))
        return;
    std::vector<ContourLine> lines;
    if (!trace_contour(x, nx, y, ny, z, zlev, lines)) {
        warning(53);
        return;
    }
    draw_contour_lines(lines, zlev);
    flush_pending();
}

void contur(std::span<const float> x, int nx, std::span<const float> y, int ny, std::span<const float> z,
            double zlev)
{
    if (level_check(2, 3, "contur"))
        return;
    contour_of_grid(x, nx, y, ny, z, zlev);
}

void concrv(std::span<const float> x, std::span<const float> y, int n, double zlev)
{
    if (level_check(2, 3, "concrv"))
        return;
    if (range_check(n, 1, 0))
        return;
    if (static_cast<std::size_t>(n) > x.size() || static_cast<std::size_t>(n) > y.size()) {
        warning_int(2, n);
        return;
    }
    if (!grid_fits_log_axes(x, n, y, n))
        return;
    ContourLine line;
    line.reserve(static_cast<std::size_t>(n));
    for (std::size_t i = 0; i < static_cast<std::size_t>(n); ++i)
        line.push_back({x[i], y[i]});
    draw_contour_lines({line}, zlev);
    flush_pending();
}

}  // namespace korvan
