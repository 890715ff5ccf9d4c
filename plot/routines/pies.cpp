#include "plot/routines/pies.hpp"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <string>
#include <vector>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/axes_internal.hpp"
#include "plot/routines/legends.hpp"
#include "plot/routines/figures.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

constexpr double degree = std::numbers::pi / 180;
constexpr int solid_pattern = 16;
constexpr double label_gap = 1.12;      // labels stand this far out, in radii
// With vectors (radii): a straight one ends this far out, its label a little
// further; a broken one bends here and runs this far sideways.
constexpr double vector_end = 1.3;
constexpr double vector_label_gap = 0.05;
constexpr double vector_bend = 1.15;
constexpr double vector_leg = 0.2;
constexpr double exploded_shift = 0.08;  // segments pulled out by this much, in radii

// The text lines of segment i in the legend-buffer layout.
std::vector<std::string> segment_lines(std::string_view cbuf, int nlin, int i)
{
    std::vector<std::string> lines;
    int length = state().legend.length;
    if (nlin <= 0 || length <= 0)
        return lines;
    for (int k = 0; k < nlin; ++k) {
        auto [from, to] = legend_line_bytes(cbuf, i * nlin + k + 1);
        if (from >= cbuf.size())
            break;
        std::string line(cbuf.substr(from, to - from));
        line = line.substr(0, line.find('\0'));
        std::size_t end = line.find_last_not_of(' ');
        lines.push_back(end == std::string::npos ? "" : line.substr(0, end + 1));
    }
    return lines;
}

// The number line of a segment: its percentage, value or both.
std::string number_line(double value, double percent)
{
    const PieLabelSettings& p = state().axes.pie;
    NumberStyle style = number_style();
    std::string data = number_text(value, p.data_digits, style);
    std::string share = number_text(percent, p.percent_digits, style) + "%";
    std::string text;
    switch (p.style) {
    case 1: text = share; break;
    case 2: text = data; break;
    case 3: text = data + " (" + share + ")"; break;
    default: return "";
    }
    return p.before + text + p.after;
}

// The lines beside the segment whose middle is at angle m: starting at the
// anchor on the right half, ending there on the left half, centred in height.
void draw_label(const std::vector<std::string>& lines, double x, double y, double m)
{
    double h = state().text.height;
    double spacing = 1.5 * h;
    double top = y - (spacing * (static_cast<double>(lines.size()) - 1) + h) / 2;
    TextRequest request;
    request.justification = 0;
    request.angle = 0;
    bool right_half = std::cos(m) >= -1e-9;
    for (std::size_t k = 0; k < lines.size(); ++k) {
        double w = text_length(lines[k], request);
        draw_text(lines[k], right_half ? x : x - w, top + k * spacing, request);
    }
}

// The label anchor of the segment whose middle is at angle m, drawing the
// vector from the anchor's side to the segment's edge when PIEVEC asks for one.
void label_anchor(double cx, double cy, int radius, double m, double& x, double& y)
{
    const PieLabelSettings& p = state().axes.pie;
    double c = std::cos(m);
    double s = -std::sin(m);
    double side = c >= -1e-9 ? 1 : -1;
    double edge_x = cx + radius * c;
    double edge_y = cy + radius * s;
    auto at = [](double v) { return static_cast<int>(std::lround(v)); };
    int code = p.vector_code;
    int where = code % 10;
    int rest = code - where;
    switch (p.vector_kind) {
    case 1: {
        double ex = cx + vector_end * radius * c;
        double ey = cy + vector_end * radius * s;
        draw_arrow(at(ex), at(ey), at(edge_x), at(edge_y), code);
        x = ex + side * vector_label_gap * radius;
        y = ey;
        return;
    }
    case 2: {
        double bx = cx + vector_bend * radius * c;
        double by = cy + vector_bend * radius * s;
        double ex = bx + side * vector_leg * radius;
        // Heads at the label end go on the horizontal leg, at the segment end
        // on the radial one.
        int label_heads = where == 2 || where == 3 ? 3 : 0;
        int segment_heads = where == 1 || where == 2 ? 1 : 0;
        draw_arrow(at(ex), at(by), at(bx), at(by), rest + label_heads);
        draw_arrow(at(bx), at(by), at(edge_x), at(edge_y), rest + segment_heads);
        x = ex + side * vector_label_gap * radius;
        y = by;
        return;
    }
    default:
        x = cx + label_gap * radius * c;
        y = cy + label_gap * radius * s;
    }
}

}  // namespace

void piegrf(std::string_view cbuf, int nlin, std::span<const float> xray, int nseg)
{
    if (level_check(1, 3, "piegrf"))
        return;
    if (nseg < 1 || static_cast<std::size_t>(nseg) > xray.size()) {
        warning_int(2, nseg);
        return;
    }
    if (nlin < 0) {
        warning_int(2, nlin);
        return;
    }
    double sum = 0;
    for (int i = 0; i < nseg; ++i) {
        float v = xray[static_cast<std::size_t>(i)];
        if (!(v >= 0)) {
            warning(2);
            return;
        }
        sum += v;
    }
    if (!(sum > 0) || !std::isfinite(sum)) {
        warning(2);
        return;
    }
    PlotState& s = state();
    AxisRectangle r = next_axis_rectangle(s);
    double cx = r.nxa + r.nxl / 2.0;
    double cy = r.nya - r.nyl / 2.0;
    int radius = std::max(1, static_cast<int>(0.4 * std::min(r.nxl, r.nyl)));
    const PieLabelSettings& p = s.axes.pie;
    const CurveAttributes& c = s.curves;
    int colour = s.current_colour;
    ShadingAttributes kept = s.shading;
    double start = 0;
    for (int i = 0; i < nseg; ++i) {
        double value = xray[static_cast<std::size_t>(i)];
        double span = 360 * value / sum;
        double m = (start + span / 2) * degree;
        double ox = p.exploded ? exploded_shift * radius * std::cos(m) : 0;
        double oy = p.exploded ? -exploded_shift * radius * std::sin(m) : 0;
        std::size_t entry = static_cast<std::size_t>(i % cycle_entries + 1);
        if (p.change == 1 || p.change == 3)
            select_colour(cycle_colour(static_cast<int>(entry)));
        if (p.change == 1)
            select_pattern(solid_pattern);
        else if (p.change >= 2)
            select_pattern(c.pattern_cycle[entry]);
        if (span > 0) {
            draw_pie_slice(cx + ox, cy + oy, radius, start, start + span);
            add_automatic_shield(shield_pies, shield_sector(cx + ox, cy + oy, radius, start, start + span));
        }
        s.shading = kept;
        if (s.current_colour != colour)
            select_colour(colour);
        std::vector<std::string> lines = segment_lines(cbuf, nlin, i);
        std::string numbers = number_line(value, 100 * value / sum);
        if (!numbers.empty())
            lines.push_back(numbers);
        if (!lines.empty()) {
            double lx = 0, ly = 0;
            label_anchor(cx + ox, cy + oy, radius, m, lx, ly);
            draw_label(lines, lx, ly, m);
        }
        start += span;
    }
}

void chnpie(std::string_view option)
{
    soft_level_check("chnpie");
    int n = keyword_lookup("NONE+COLO+PATT+BOTH", 4, option);
    if (n > 0)
        state().axes.pie.change = n - 1;
}

void pieexp()
{
    soft_level_check("pieexp");
    state().axes.pie.exploded = true;
}

void pievec(int ivec, std::string_view option)
{
    soft_level_check("pievec");
    if (!arrow_code_valid(ivec)) {
        warning_int(2, ivec);
        return;
    }
    int n = keyword_lookup("NONE+STRA+BROK", 3, option);
    if (n == 0)
        return;
    PieLabelSettings& p = state().axes.pie;
    p.vector_code = ivec;
    p.vector_kind = n - 1;
}

void pielab(std::string_view text, std::string_view where)
{
    soft_level_check("pielab");
    int n = keyword_lookup("LEFT+RIGH", 2, where);
    if (n == 1)
        state().axes.pie.before.assign(text);
    else if (n == 2)
        state().axes.pie.after.assign(text);
}

}  // namespace korvan
