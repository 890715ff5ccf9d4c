// B-spline interpolation through data points: knots, the banded collocation
// system solved without pivoting, and evaluation by de Boor's algorithm.
#include "plot/routines/splines.hpp"

#include <algorithm>
#include <cmath>
#include <new>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr int band_store_limit = 1000;  // reals of the band matrix
constexpr double end_knot_offset = 1e-7;

struct Spline {
    int n = 0;
    int k = 0;
    std::vector<double> t;  // n + k knots
    std::vector<double> band;  // n rows of 2k - 1, the LU factors
    int width = 0;

    double& at(int row, int col) { return band[static_cast<std::size_t>(row * width + col - row + k - 1)]; }
};

void make_knots(Spline& sp, const std::vector<double>& u)
{
    int n = sp.n;
    int k = sp.k;
    sp.t.assign(static_cast<std::size_t>(n + k), 0.0);
    for (int i = 0; i < k; ++i) {
        sp.t[static_cast<std::size_t>(i)] = u[0];
        sp.t[static_cast<std::size_t>(n + i)] = u[static_cast<std::size_t>(n - 1)] + end_knot_offset;
    }
    for (int m = 0; m < n - k; ++m) {
        double v;
        if (k % 2 == 0)
            v = u[static_cast<std::size_t>(k / 2 + m)];
        else
            v = (u[static_cast<std::size_t>((k + 1) / 2 - 1 + m)] + u[static_cast<std::size_t>((k + 1) / 2 + m)]) / 2;
        sp.t[static_cast<std::size_t>(k + m)] = v;
    }
}

// The k B-splines of order k not zero at tau in knot interval left.
void bspline_values(const Spline& sp, int left, double tau, double* values)
{
    double right_d[16];
    double left_d[16];
    values[0] = 1.0;
    for (int j = 0; j < sp.k - 1; ++j) {
        right_d[j] = sp.t[static_cast<std::size_t>(left + j + 1)] - tau;
        left_d[j] = tau - sp.t[static_cast<std::size_t>(left - j)];
        double saved = 0.0;
        for (int i = 0; i <= j; ++i) {
            double denominator = right_d[i] + left_d[j - i];
            double term = denominator != 0.0 ? values[i] / denominator : 0.0;
            values[i] = saved + right_d[i] * term;
            saved = left_d[j - i] * term;
        }
        values[j + 1] = saved;
    }
}

// Builds and factorises the collocation matrix; false when it is singular.
bool factorise(Spline& sp, const std::vector<double>& u)
{
    int n = sp.n;
    int k = sp.k;
    sp.width = 2 * k - 1;
    sp.band.assign(static_cast<std::size_t>(n * sp.width), 0.0);
    int left = k - 1;
    double values[16];
    for (int i = 0; i < n; ++i) {
        double tau = u[static_cast<std::size_t>(i)];
        int limit = std::min(i + k, n);
        left = std::max(left, i);
        if (tau < sp.t[static_cast<std::size_t>(left)])
            return false;
        while (tau >= sp.t[static_cast<std::size_t>(left + 1)]) {
            ++left;
            if (left < limit)
                continue;
            --left;
            if (tau > sp.t[static_cast<std::size_t>(left + 1)])
                return false;
            break;
        }
        bspline_values(sp, left, tau, values);
        for (int m = 0; m < k; ++m)
            sp.at(i, left - k + 1 + m) = values[m];
    }
    for (int p = 0; p < n; ++p) {
        double pivot = sp.at(p, p);
        if (pivot == 0.0 || !std::isfinite(pivot))
            return false;
        int last = std::min(p + k - 1, n - 1);
        for (int r = p + 1; r <= last; ++r) {
            double factor = sp.at(r, p) / pivot;
            sp.at(r, p) = factor;
            if (factor == 0.0)
                continue;
            for (int c = p + 1; c <= last; ++c)
                sp.at(r, c) -= factor * sp.at(p, c);
        }
    }
    return true;
}

// The coefficients for data values b (solved in place).
void solve(Spline& sp, std::vector<double>& b)
{
    int n = sp.n;
    int k = sp.k;
    for (int r = 1; r < n; ++r) {
        for (int p = std::max(0, r - k + 1); p < r; ++p)
            b[static_cast<std::size_t>(r)] -= sp.at(r, p) * b[static_cast<std::size_t>(p)];
    }
    for (int p = n - 1; p >= 0; --p) {
        double v = b[static_cast<std::size_t>(p)];
        for (int c = p + 1; c <= std::min(p + k - 1, n - 1); ++c)
            v -= sp.at(p, c) * b[static_cast<std::size_t>(c)];
        b[static_cast<std::size_t>(p)] = v / sp.at(p, p);
    }
}

double evaluate(const Spline& sp, const std::vector<double>& coef, double u)
{
    int n = sp.n;
    int k = sp.k;
    int left = k - 1;
    while (left < n - 1 && u >= sp.t[static_cast<std::size_t>(left + 1)])
        ++left;
    double d[16];
    for (int m = 0; m < k; ++m)
        d[m] = coef[static_cast<std::size_t>(left - k + 1 + m)];
    for (int r = 1; r < k; ++r) {
        for (int m = k - 1; m >= r; --m) {
            int j = left - k + 1 + m;
            double denominator = sp.t[static_cast<std::size_t>(j + k - r)] - sp.t[static_cast<std::size_t>(j)];
            double alpha = denominator != 0.0 ? (u - sp.t[static_cast<std::size_t>(j)]) / denominator : 0.0;
            d[m] = (1.0 - alpha) * d[m - 1] + alpha * d[m];
        }
    }
    return d[k - 1];
}

}  // namespace

bool spline_points(std::span<const double> x, std::span<const double> y, bool parametric, bool log_x,
                   std::vector<double>& xs, std::vector<double>& ys)
{
    xs.clear();
    ys.clear();
    const CurveAttributes& c = state().curves;
    int degree = c.spline_degree;
    int k = degree + 1;
    long n = static_cast<long>(std::min(x.size(), y.size()));
    if (n < k || n * (2L * degree + 1) > band_store_limit) {
        warning_int(31, static_cast<int>(n));
        return false;
    }
    int points = c.spline_points;
    Spline sp;
    sp.n = static_cast<int>(n);
    sp.k = k;
    std::vector<double> u(static_cast<std::size_t>(n));
    if (parametric) {
        u[0] = 0.0;
        for (std::size_t i = 1; i < u.size(); ++i)
            u[i] = u[i - 1] + std::hypot(x[i] - x[i - 1], y[i] - y[i - 1]);
        if (!std::isfinite(u.back())) {
            warning(38);
            return false;
        }
    } else {
        for (std::size_t i = 0; i < u.size(); ++i) {
            u[i] = x[i];
            if (i > 0 && !(u[i] > u[i - 1])) {
                warning(32);
                return false;
            }
        }
        if (!std::isfinite(u.front()) || !std::isfinite(u.back())) {
            warning(32);
            return false;
        }
    }
    make_knots(sp, u);
    if (!factorise(sp, u)) {
        warning(38);
        return false;
    }
    std::vector<double> cy(y.begin(), y.end());
    solve(sp, cy);
    std::vector<double> cx;
    if (parametric) {
        cx.assign(x.begin(), x.end());
        solve(sp, cx);
    }
    xs.resize(static_cast<std::size_t>(points) + 1);
    ys.resize(static_cast<std::size_t>(points) + 1);
    xs.front() = x.front();
    ys.front() = y.front();
    xs.back() = x.back();
    ys.back() = y.back();
    double u0 = u.front();
    double u1 = u.back();
    bool log_spacing = log_x && !parametric && u0 > 0 && u1 > 0;
    double l0 = log_spacing ? std::log10(u0) : 0.0;
    double l1 = log_spacing ? std::log10(u1) : 0.0;
    for (int j = 1; j < points; ++j) {
        auto at = static_cast<std::size_t>(j);
        double v = log_spacing ? std::pow(10.0, l0 + j * (l1 - l0) / points) : u0 + j * (u1 - u0) / points;
        ys[at] = evaluate(sp, cy, v);
        xs[at] = parametric ? evaluate(sp, cx, v) : v;
    }
    return true;
}

void spline(std::span<const float> x, std::span<const float> y, int n, std::span<float> xs, std::span<float> ys,
            int& nspl)
{
    nspl = 0;
    if (level_check(1, 3, "spline"))
        return;
    PlotState& s = state();
    int k = s.curves.spline_degree + 1;
    if (n < k || static_cast<long>(n) * (2L * s.curves.spline_degree + 1) > band_store_limit) {
        warning_int(31, n);
        return;
    }
    auto count = static_cast<std::size_t>(n);
    if (count > x.size() || count > y.size()) {
        warning_int(2, n);
        return;
    }
    auto wanted = static_cast<std::size_t>(s.curves.spline_points) + 1;
    if (wanted > xs.size() || wanted > ys.size()) {
        warning_int(2, s.curves.spline_points);
        return;
    }
    std::vector<double> dx(x.begin(), x.begin() + n);
    std::vector<double> dy(y.begin(), y.begin() + n);
    std::vector<double> ox;
    std::vector<double> oy;
    bool log_x = s.level >= 2 && s.axes.transform[0].log;
    if (!spline_points(dx, dy, s.curves.mode == 4, log_x, ox, oy))
        return;
    for (std::size_t i = 0; i < ox.size(); ++i) {
        xs[i] = static_cast<float>(ox[i]);
        ys[i] = static_cast<float>(oy[i]);
    }
    nspl = static_cast<int>(ox.size());
}

void splmod(int ngrad, int npts)
{
    if (level_check(0, 3, "splmod"))
        return;
    if (range_check(ngrad, 2, 10) || range_check(npts, 5, 30000))
        return;
    state().curves.spline_degree = ngrad;
    state().curves.spline_points = npts;
}

}  // namespace korvan
