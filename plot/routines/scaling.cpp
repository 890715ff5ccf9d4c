// Automatic scaling of axes and SETSCL.
#include <algorithm>
#include <cctype>
#include <cmath>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes_internal.hpp"

namespace korvan {

AxisSet axis_letters(std::string_view axes)
{
    AxisSet set;
    for (std::size_t i = 0; i < 3 && i < axes.size(); ++i) {
        char c = static_cast<char>(std::toupper(static_cast<unsigned char>(axes[i])));
        if (c >= 'X' && c <= 'Z')
            set.axis[c - 'X'] = true;
    }
    return set;
}

namespace {

// Steps of a time axis in seconds.
double time_step(double range)
{
    double m = std::trunc(range);
    if (m < 120) {
        constexpr double limits[] = {8, 15, 30, 60, 120};
        constexpr double steps[] = {1, 2, 5, 10, 20};
        for (int i = 0; i < 5; ++i)
            if (m < limits[i])
                return steps[i];
    }
    double mm = std::trunc(range / 60);
    constexpr double limits[] = {8, 15, 30, 60, 120, 240};
    constexpr double steps[] = {1, 2, 5, 10, 15, 30};
    for (int i = 0; i < 6; ++i)
        if (mm < limits[i])
            return steps[i] * 60;
    double power = 1;
    while (mm / power >= 10)
        power *= 10;
    int lead = static_cast<int>(std::trunc(mm / power));
    double step = power;
    if (lead == 1)
        step *= 0.2;
    else if (lead == 2 || lead == 3)
        step *= 0.4;
    else if (lead >= 8)
        step *= 2;
    if (step > 300)
        step *= 1.2;
    return step * 60;
}

}  // namespace

AutoScale automatic_scale(double minimum, double maximum, bool log, bool time, int length, int spacing)
{
    AutoScale r;
    double a = minimum;
    double e = maximum;
    if (log) {
        if (a <= 0) {
            r.min_warning = true;
            a = -1;
        } else {
            a = std::log10(a);
        }
        if (e <= 0) {
            r.max_warning = true;
            e = 0;
        } else {
            e = std::log10(e);
        }
        // A maximum below the replaced minimum (data from -1 to 0.05) would
        // leave no range: one decade is taken.
        if (!(e > a))
            e = a + 1;
    }
    r.start = a;
    r.end = e;
    double range = e - a;
    if (!(range > 0) || !std::isfinite(range)) {
        r.first = a;
        r.step = 1;
        r.digits = 1;
        return r;
    }
    if (time && !log) {
        r.step = time_step(range);
        r.first = std::round(std::ceil(a / r.step - 1e-9) * r.step);
        if (r.first < a)
            r.first += r.step;
        r.digits = -1;
        return r;
    }
    int k = static_cast<int>(std::floor(std::log10(range)));
    auto lead = [&](int power) { return std::trunc(range * std::pow(10.0, -power)); };
    for (int guard = 0; guard < 8 && lead(k) > 9; ++guard)
        ++k;
    for (int guard = 0; guard < 8 && lead(k) < 1; ++guard)
        --k;
    int d = static_cast<int>(lead(k));
    double step = k >= 0 ? std::pow(10.0, k) : 1.0 / std::pow(10.0, -k);
    int digits = k < 0 ? -k : -1;
    double L = length;
    double s = spacing;
    bool finer = false;
    if (d == 1 && L / 2 >= s) {
        step *= L / 5 >= s ? 0.2 : 0.5;
        finer = true;
    } else if ((d == 2 || d == 3) && !log && L / (2.0 * d) >= s) {
        step *= 0.5;
        finer = true;
    } else if (d >= 5 && L / d < s) {
        step *= 2;
    }
    if (finer) {
        if (k < 0)
            ++digits;
        else if (k == 0)
            digits = 1;
    }
    r.step = step;
    r.digits = digits;
    double q = a / step;
    if (std::fabs(q - std::trunc(q)) < 1e-15)
        r.first = a;
    else if (a < 0)
        r.first = step * std::trunc(q);
    else
        r.first = (std::trunc(q) + 1) * step;
    return r;
}

void setscl(std::span<const float> values, int n, std::string_view axes)
{
    if (level_check(1, 1, "setscl"))
        return;
    std::string cax(axes.substr(0, std::min<std::size_t>(3, axes.size())));
    for (char& c : cax)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    AxisAttributes& a = state().axes;
    if (cax == "XRE" || cax == "YRE" || cax == "ZRE") {
        a.axis[static_cast<std::size_t>(cax[0] - 'X')].auto_scale = false;
        return;
    }
    if (cax == "RES") {
        for (AxisSettings& x : a.axis)
            x.auto_scale = false;
        return;
    }
    std::size_t count = std::min(values.size(), static_cast<std::size_t>(std::max(n, 0)));
    double low = 0;
    double high = 0;
    bool found = false;
    for (std::size_t i = 0; i < count; ++i) {
        double v = values[i];
        if (std::isnan(v))
            continue;
        low = found ? std::min(low, v) : v;
        high = found ? std::max(high, v) : v;
        found = true;
    }
    if (!found) {
        warning_int(2, n);
        return;
    }
    if (high - low < 1e-35) {
        warning(25);
        low -= 1;
        high += 1;
    }
    AxisSet set;
    if (cax == "XAX" || cax == "YAX" || cax == "ZAX")
        set.axis[cax[0] - 'X'] = true;
    else
        set = axis_letters(cax);
    for (int i = 0; i < 3; ++i) {
        if (!set.axis[i])
            continue;
        AxisSettings& x = a.axis[static_cast<std::size_t>(i)];
        x.auto_scale = true;
        x.auto_min = low;
        x.auto_max = high;
    }
}

}  // namespace korvan
