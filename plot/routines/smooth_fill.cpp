#include "plot/routines/smooth_fill.hpp"

#include <algorithm>
#include <cmath>
#include <vector>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"

namespace korvan {

namespace {

struct Crossing {
    double x;
    SmoothValues v;
};

SmoothValues mix(const SmoothValues& a, const SmoothValues& b, double t)
{
    SmoothValues r;
    for (std::size_t k = 0; k < smooth_value_count; ++k)
        r[k] = a[k] + t * (b[k] - a[k]);
    return r;
}

// Draws the runs of one scan line and remembers the colour last selected.
class RunPainter {
public:
    // Runs are drawn between left and right only.
    RunPainter(const SmoothColour& colour, double left, double right) : colour_(colour), left_(left), right_(right)
    {
    }

    void span(double y, const Crossing& a, const Crossing& b)
    {
        double length = b.x - a.x;
        double from = std::max(a.x, left_);
        double to = std::min(b.x, right_);
        if (!(length > 0) || !(to > from))
            return;
        SmoothValues va = mix(a.v, b.v, (from - a.x) / length);
        SmoothValues vb = mix(a.v, b.v, (to - a.x) / length);
        int samples = static_cast<int>(std::ceil(to - from));
        double step = (to - from) / samples;
        double run_start = from;
        PaintColour run = colour_(mix(va, vb, 0.5 / samples));
        for (int k = 1; k < samples; ++k) {
            PaintColour c = colour_(mix(va, vb, (k + 0.5) / samples));
            if (c == run)
                continue;
            double end = from + k * step;
            line(run, run_start, end, y);
            run_start = end;
            run = c;
        }
        line(run, run_start, to, y);
    }

private:
    void line(const PaintColour& c, double x0, double x1, double y)
    {
        if (!selected_ || !(c == last_)) {
            if (c.direct)
                select_direct_colour(c.rgb);
            else
                select_colour(c.index);
            last_ = c;
            selected_ = true;
        }
        pen_.move(x0, y);
        pen_.draw(x1, y);
    }

    const SmoothColour& colour_;
    double left_;
    double right_;
    LinePen pen_{false};
    PaintColour last_{};
    bool selected_ = false;
};

}  // namespace

void fill_smooth(std::span<const SmoothPoint> polygon, const SmoothColour& colour)
{
    std::size_t n = polygon.size();
    if (n < 3)
        return;
    if (state().shading.no_fill) {
        std::vector<FillPoint> outline;
        for (const SmoothPoint& p : polygon)
            outline.push_back({p.x, p.y});
        outline_instead_of_fill(outline, nullptr);
        return;
    }
    double low = polygon[0].y;
    double high = polygon[0].y;
    for (const SmoothPoint& p : polygon) {
        if (!std::isfinite(p.x) || !std::isfinite(p.y))
            return;
        low = std::min(low, p.y);
        high = std::max(high, p.y);
    }
    // Nothing is drawn beyond the page and a small margin around it.
    const PlotState& s = state();
    double margin = 10;
    low = std::max(low, -margin);
    high = std::min(high, s.page_height + margin);
    RunPainter painter(colour, -margin, s.page_width + margin);
    std::vector<Crossing> crossings;
    for (double y = std::ceil(low); y <= high; y += 1) {
        crossings.clear();
        for (std::size_t i = 0; i < n; ++i) {
            const SmoothPoint& a = polygon[i];
            const SmoothPoint& b = polygon[(i + 1) % n];
            // Each edge counts from its lower end up to, not including, its upper end.
            if (a.y == b.y || y < std::min(a.y, b.y) || y >= std::max(a.y, b.y))
                continue;
            double t = (y - a.y) / (b.y - a.y);
            crossings.push_back({a.x + t * (b.x - a.x), mix(a.v, b.v, t)});
        }
        std::sort(crossings.begin(), crossings.end(), [](const Crossing& p, const Crossing& q) { return p.x < q.x; });
        for (std::size_t k = 0; k + 1 < crossings.size(); k += 2)
            painter.span(y, crossings[k], crossings[k + 1]);
    }
}

}  // namespace korvan
