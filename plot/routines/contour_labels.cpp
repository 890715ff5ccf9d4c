// Contour line output and contour labels.
#include "plot/routines/contour_labels.hpp"

#include <algorithm>
#include <cmath>
#include <limits>

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/owned_settings.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

constexpr double pi = 3.14159265358979323846;

struct Gap {
    double from;
    double to;
};

// Draws a polyline with its points shifted `offset` units across each segment,
// leaving out the arc-length intervals of the gaps.
void draw_line(const std::vector<ContourPoint>& p, double offset, const std::vector<Gap>& gaps, LinePen& pen)
{
    double at = 0;
    bool down = false;
    for (std::size_t i = 1; i < p.size(); ++i) {
        double dx = p[i].x - p[i - 1].x;
        double dy = p[i].y - p[i - 1].y;
        double length = std::hypot(dx, dy);
        if (!std::isfinite(length)) {
            down = false;
            continue;
        }
        if (length <= 0)
            continue;
        double ox = -dy / length * offset;
        double oy = dx / length * offset;
        // The pieces of this segment outside every gap.
        double from = 0;
        auto emit = [&](double a, double b) {
            if (b <= a)
                return;
            double ax = p[i - 1].x + dx * a / length + ox;
            double ay = p[i - 1].y + dy * a / length + oy;
            if (!down || a > 0)
                pen.move(ax, ay);
            pen.draw(p[i - 1].x + dx * b / length + ox, p[i - 1].y + dy * b / length + oy);
            down = b >= length;
        };
        for (const Gap& g : gaps) {
            double a = g.from - at;
            double b = g.to - at;
            if (b <= from || a >= length)
                continue;
            emit(from, std::max(a, from));
            from = std::min(std::max(b, from), length);
            down = false;
        }
        emit(from, length);
        at += length;
    }
}

}  // namespace

std::string contour_label_text(double level)
{
    const ShadingAttributes& a = state().shading;
    if (a.contour_labels == 2)
        return a.contour_text;
    if (a.contour_labels == 1)
        return number_text(level, a.contour_digits, number_style());
    return {};
}

std::vector<double> label_positions(double length, double w, double m, double spacing, double room)
{
    std::vector<double> at;
    double half = w / 2 + m;
    if (!(length >= 2 * half) || !(spacing > 0))
        return at;
    if (length < spacing) {
        if (length >= room * 2 * half)
            at.push_back(length / 2);
        return at;
    }
    for (double p = spacing / 2; p + half <= length && at.size() < 100000; p += spacing)
        if (p - half >= 0)
            at.push_back(p);
    return at;
}

void draw_contour_lines(const std::vector<ContourLine>& lines, double level)
{
    PlotState& s = state();
    ShadingAttributes& sh = s.shading;
    CurveAttributes& c = s.curves;
    const AxisTransform& tx = s.axes.transform[0];
    const AxisTransform& ty = s.axes.transform[1];

    if (sh.contour_labels != 2) {
        int number = std::clamp(sh.contour_count + 1, 1, cycle_entries);
        CurveRecord& r = c.record[static_cast<std::size_t>(number)];
        r.defined = true;
        r.line_style = c.line_style;
        r.dash = c.dash;
        r.symbol = -1;
        r.thickness = c.thickness;
        r.colour = s.current_colour;
        r.pattern = -1;
        s.axes.curve_count = std::max(s.axes.curve_count, number);
    }
    ++sh.contour_count;

    std::vector<ContourLine> plot(lines.size());
    for (std::size_t k = 0; k < lines.size(); ++k) {
        plot[k].reserve(lines[k].size());
        for (const ContourPoint& p : lines[k])
            plot[k].push_back({user_to_plot(tx, p.x, 1), user_to_plot(ty, p.y, -1)});
    }
    ClipRect clip = axis_clip_rect();
    std::string text = contour_label_text(level);
    bool labelled = !text.empty();
    int passes = labelled ? 1 : c.thickness;
    TextRequest request;
    request.justification = 0;
    double h = s.text.height;
    double w = labelled ? text_length(text, request) : 0;
    double m = sh.contour_gap * h;
    double spacing = sh.contour_frequency > 0 ? sh.contour_spacing / sh.contour_frequency
                                              : std::numeric_limits<double>::infinity();
    if (sh.contour_spacing <= 0)
        spacing = 0;

    for (int pass = 0; pass < passes; ++pass) {
        double offset = (pass + 1) / 2 * (pass % 2 == 1 ? 1 : -1);
        LinePen pen(true, &clip);
        for (const ContourLine& line : plot) {
            std::vector<Gap> gaps;
            std::vector<double> centres;
            if (labelled) {
                double length = 0;
                for (std::size_t i = 1; i < line.size(); ++i) {
                    double d = std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
                    if (std::isfinite(d))
                        length += d;
                }
                centres = label_positions(length, w, m, spacing, sh.contour_room);
                for (double p : centres)
                    gaps.push_back({p - w / 2 - m, p + w / 2 + m});
            }
            draw_line(line, offset, gaps, pen);
            if (centres.empty())
                continue;
            // The labels, turned along the line through their ends.
            auto point_at = [&](double arc, double& x, double& y) {
                double at = 0;
                x = line.front().x;
                y = line.front().y;
                for (std::size_t i = 1; i < line.size(); ++i) {
                    double d = std::hypot(line[i].x - line[i - 1].x, line[i].y - line[i - 1].y);
                    if (!std::isfinite(d))
                        continue;
                    if (at + d >= arc && d > 0) {
                        double t = (arc - at) / d;
                        x = line[i - 1].x + t * (line[i].x - line[i - 1].x);
                        y = line[i - 1].y + t * (line[i].y - line[i - 1].y);
                        return;
                    }
                    at += d;
                    x = line[i].x;
                    y = line[i].y;
                }
            };
            for (double p : centres) {
                double x0 = 0, y0 = 0, x1 = 0, y1 = 0, cx = 0, cy = 0;
                point_at(p - w / 2, x0, y0);
                point_at(p + w / 2, x1, y1);
                point_at(p, cx, cy);
                if (!(cx >= clip.x0 && cx <= clip.x1 && cy >= clip.y0 && cy <= clip.y1))
                    continue;
                double angle = std::atan2(-(y1 - y0), x1 - x0) * 180 / pi;
                if (angle > 90)
                    angle -= 180;
                else if (angle <= -90)
                    angle += 180;
                if (!std::isfinite(angle))
                    angle = 0;
                double r = angle * pi / 180;
                double ux = std::cos(r), uy = -std::sin(r);  // along the base line
                double dx = std::sin(r), dy = std::cos(r);   // downwards in the text
                TextRequest turned = request;
                turned.angle = angle;
                draw_text(text, cx - ux * w / 2 - dx * h / 2, cy - uy * w / 2 - dy * h / 2, turned);
            }
        }
    }
    if (labelled) {
        s.text.angle = 0;
        s.text.sin_angle = 0;
        s.text.cos_angle = 1;
    }
}

void conlab(std::string_view text)
{
    soft_level_check("conlab");
    state().shading.contour_text.assign(text.substr(0, std::min<std::size_t>(text.size(), conlab_limit)));
}

void congap(double factor)
{
    soft_level_check("congap");
    if (!(factor >= 0) || !std::isfinite(factor)) {
        warning(2);
        return;
    }
    state().shading.contour_gap = factor;
}

void conmod(double frequency, double room)
{
    soft_level_check("conmod");
    if (!(frequency >= 0) || !std::isfinite(frequency) || !(room >= 1) || !std::isfinite(room)) {
        warning(2);
        return;
    }
    ShadingAttributes& a = state().shading;
    a.contour_frequency = frequency;
    a.contour_room = room;
}

bool owned_label_setting(std::string_view option, std::string_view axes)
{
    std::string kw = keyword4(axes).substr(0, 3);
    ShadingAttributes& a = state().shading;
    if (kw == "CON") {
        int n = keyword_lookup("NONE+FLOA+CONL", 3, option);
        if (n > 0)
            a.contour_labels = n - 1;
        return true;
    }
    if (kw == "BAR") {
        int n = keyword_lookup("NONE+SECO+FIRS+MAXI+MINI+DELT+POSI", 7, option);
        if (n > 0)
            a.bar_labels = n - 1;
        return true;
    }
    return false;
}

bool owned_digits_setting(int ndig, std::string_view axes)
{
    std::string kw = keyword4(axes).substr(0, 3);
    if (kw != "CON" && kw != "BAR")
        return false;
    if (range_check(ndig, -1, 100))
        return true;
    if (kw == "CON")
        state().shading.contour_digits = ndig;
    else
        state().shading.bar_digits = ndig;
    return true;
}

bool owned_distance_setting(int n, std::string_view axes)
{
    if (keyword4(axes).substr(0, 3) != "CON")
        return false;
    state().shading.contour_spacing = n;
    return true;
}

}  // namespace korvan
