#include "plot/routines/array_tools.hpp"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <numeric>
#include <vector>

#include "plot/kernel/kernel.hpp"

namespace korvan {

namespace {

// 1 ascending, -1 descending, 0 after warning 2 for another option.
int sort_direction(std::string_view option)
{
    char first = option.empty() ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(option[0])));
    if (first == 'A')
        return 1;
    if (first == 'D')
        return -1;
    warning_text(2, option);
    return 0;
}

// An order on floats in which values that are not numbers come last.
bool before(float a, float b, int direction)
{
    if (std::isnan(a) || std::isnan(b))
        return !std::isnan(a) && std::isnan(b);
    return direction > 0 ? a < b : a > b;
}

bool count_fits(int n, std::size_t size)
{
    if (n >= 0 && static_cast<std::size_t>(n) <= size)
        return true;
    warning_int(2, n);
    return false;
}

}  // namespace

void sortr1(std::span<float> x, int n, std::string_view option)
{
    level_check(0, 3, "sortr1");
    if (!count_fits(n, x.size()))
        return;
    int direction = sort_direction(option);
    if (direction != 0)
        std::sort(x.begin(), x.begin() + n, [&](float a, float b) { return before(a, b, direction); });
}

void sortr2(std::span<float> x, std::span<float> y, int n, std::string_view option)
{
    level_check(0, 3, "sortr2");
    if (!count_fits(n, std::min(x.size(), y.size())))
        return;
    int direction = sort_direction(option);
    if (direction == 0)
        return;
    std::vector<std::size_t> order(static_cast<std::size_t>(n));
    std::iota(order.begin(), order.end(), 0);
    std::stable_sort(order.begin(), order.end(),
                     [&](std::size_t a, std::size_t b) { return before(x[a], x[b], direction); });
    std::vector<float> xs(order.size());
    std::vector<float> ys(order.size());
    for (std::size_t i = 0; i < order.size(); ++i) {
        xs[i] = x[order[i]];
        ys[i] = y[order[i]];
    }
    std::copy(xs.begin(), xs.end(), x.begin());
    std::copy(ys.begin(), ys.end(), y.begin());
}

void histog(std::span<const float> x, int n, std::span<float> xh, std::span<float> yh, int& nh)
{
    level_check(0, 3, "histog");
    nh = 0;
    if (!count_fits(n, std::min({x.size(), xh.size(), yh.size()})))
        return;
    std::vector<float> values(x.begin(), x.begin() + n);
    std::sort(values.begin(), values.end(), [](float a, float b) { return before(a, b, 1); });
    for (std::size_t i = 0; i < values.size(); ++i) {
        // Values that are not numbers form no class.
        if (std::isnan(values[i]))
            break;
        if (nh > 0 && values[i] == xh[static_cast<std::size_t>(nh - 1)]) {
            yh[static_cast<std::size_t>(nh - 1)] += 1;
            continue;
        }
        xh[static_cast<std::size_t>(nh)] = values[i];
        yh[static_cast<std::size_t>(nh)] = 1;
        ++nh;
    }
    for (std::size_t i = static_cast<std::size_t>(nh); i < values.size(); ++i)
        xh[i] = yh[i] = 0;
}

void bezier(std::span<const float> x, std::span<const float> y, int n, std::span<float> xp, std::span<float> yp,
            int nout)
{
    level_check(0, 3, "bezier");
    if (n < 2 || static_cast<std::size_t>(n) > std::min(x.size(), y.size())) {
        warning_int(2, n);
        return;
    }
    if (nout < 2 || static_cast<std::size_t>(nout) > std::min(xp.size(), yp.size())) {
        warning_int(2, nout);
        return;
    }
    // Bernstein weights C(m, i) t^i (1 - t)^(m - i), taken through logarithms so
    // that many control points neither overflow nor lose the small weights.
    int m = n - 1;
    std::vector<double> log_binomial(static_cast<std::size_t>(n));
    for (int i = 0; i <= m; ++i)
        log_binomial[static_cast<std::size_t>(i)] = std::lgamma(m + 1.0) - std::lgamma(i + 1.0) - std::lgamma(m - i + 1.0);
    for (int k = 0; k < nout; ++k) {
        double t = static_cast<double>(k) / (nout - 1);
        double px = 0;
        double py = 0;
        if (k == 0 || k == nout - 1) {
            std::size_t end = k == 0 ? 0 : static_cast<std::size_t>(m);
            px = x[end];
            py = y[end];
        } else {
            double lt = std::log(t);
            double lu = std::log1p(-t);
            for (int i = 0; i <= m; ++i) {
                double w = std::exp(log_binomial[static_cast<std::size_t>(i)] + i * lt + (m - i) * lu);
                px += w * x[static_cast<std::size_t>(i)];
                py += w * y[static_cast<std::size_t>(i)];
            }
        }
        xp[static_cast<std::size_t>(k)] = static_cast<float>(px);
        yp[static_cast<std::size_t>(k)] = static_cast<float>(py);
    }
}

}  // namespace korvan
