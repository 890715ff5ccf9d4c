// Legends: LEGINI, LEGLIN, LEGTIT, LEGPOS, LEGOPT, LEGCLR, LEGPAT, LEGEND and
// the box size NXLEGN, NYLEGN.
#include "plot/routines/legends.hpp"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "plot/kernel/characters.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"
#include "plot/routines/fill.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/symbols.hpp"
#include "plot/routines/text.hpp"

namespace korvan {

namespace {

bool legend_ready()
{
    if (!state().legend.initialised) {
        warning(15);
        return false;
    }
    return true;
}

// The buffer holds NLIN lines of NMAXLN characters; a character of a UTF-8
// text takes several bytes, so lines are found by counting characters.
bool buffer_holds(std::string_view buffer)
{
    const LegendAttributes& l = state().legend;
    return character_count(buffer) >= static_cast<std::size_t>(l.lines) * static_cast<std::size_t>(l.length);
}


// Line i (1-based) of the buffer; undefined when never given (starts with 0).
struct LegendLine {
    bool defined = false;
    std::vector<std::string> texts;  // the text lines of the entry
};

TextRequest legend_text_request()
{
    TextRequest r;
    r.justification = 0;
    r.force_control = state().text.legend_control;
    return r;
}

LegendLine legend_line(std::string_view buffer, int i)
{
    LegendLine line;
    auto [from, to] = legend_line_bytes(buffer, i);
    if (from >= buffer.size() || buffer[from] == '\0') {
        line.texts.emplace_back();
        return line;
    }
    line.defined = true;
    std::string_view text = buffer.substr(from, to - from);
    text = text.substr(0, std::min(text.find('\0'), text.size()));
    const TextAttributes& t = state().text;
    std::string piece;
    // The break is a control character: it is looked for where a character
    // starts, as the text engine looks for its control characters.
    for (std::size_t k = 0; k < text.size();) {
        std::size_t start = k;
        next_character(text, k);
        if (t.legend_control && text[start] == t.legend_break) {
            line.texts.push_back(piece);
            piece.clear();
        } else {
            piece.append(text.substr(start, k - start));
        }
    }
    line.texts.push_back(piece);
    for (std::string& s : line.texts) {
        std::size_t end = s.find_last_not_of(' ');
        s.erase(end == std::string::npos ? 0 : end + 1);
    }
    return line;
}

struct Layout {
    double h = 0;        // character height
    double spacing = 0;  // line spacing
    double width = 0;
    double height = 0;
    double pattern = 0;  // room of the pattern before the texts
    double texts = 0;    // widest text line
    double title = 0;    // title width
    std::vector<LegendLine> lines;
};

Layout measure(std::string_view buffer)
{
    const PlotState& s = state();
    const LegendAttributes& l = s.legend;
    Layout m;
    m.h = s.text.height;
    m.spacing = m.h * s.text.line_spacing;
    TextRequest request = legend_text_request();
    int entry_lines = 0;
    for (int i = 1; i <= l.lines; ++i) {
        m.lines.push_back(legend_line(buffer, i));
        for (const std::string& text : m.lines.back().texts)
            m.texts = std::max(m.texts, text_length(text, request));
        entry_lines += static_cast<int>(m.lines.back().texts.size()) - 1;
    }
    m.texts = std::max(m.texts, static_cast<double>(l.widest));
    if (l.pattern_length > 0.001)
        m.pattern = (l.pattern_length + 1) * m.h;
    TextRequest plain;
    plain.justification = 0;
    if (!l.title.empty())
        m.title = text_length(l.title, plain);
    double margins = 2 * l.margin * m.spacing;
    m.width = margins + std::max(m.pattern + m.texts, m.title);
    m.height = margins + m.h + (l.lines - 1) * m.spacing + entry_lines * l.entry_spacing * m.spacing;
    if (!l.title.empty())
        m.height += 1.5 * m.spacing;
    if (s.axes.frame > 0) {
        m.width += 2 * s.axes.frame;
        m.height += 2 * s.axes.frame;
    }
    return m;
}

void draw_frame(double x, double y, double w, double h, int thickness)
{
    LinePen pen(false);
    for (int k = 0; k < std::abs(thickness); ++k) {
        double o = thickness > 0 ? k : -(k + 1);
        double x0 = x + o;
        double y0 = y + o;
        double x1 = x + w - 1 - o;
        double y1 = y + h - 1 - o;
        pen.move(x0, y0);
        pen.draw(x1, y0);
        pen.draw(x1, y1);
        pen.draw(x0, y1);
        pen.draw(x0, y0);
    }
}

// The pattern of one entry: a short line with the symbol in its middle, or a
// filled rectangle for a shaded curve.
void draw_pattern(const CurveRecord& r, double x, double y_mid, double length, double h)
{
    CurveAttributes& c = state().curves;
    if (r.pattern >= 0) {
        // The solid pattern goes to the device where it fills rectangles.
        if (r.pattern == 16 && device_fills_rectangles()) {
            fill_rectangle(x, y_mid - h / 2, length, h);
            return;
        }
        // Otherwise the rectangle is hatched with the curve's pattern.
        ShadingAttributes& a = state().shading;
        const ShadingAttributes saved = a;
        int code = pattern_code(r.pattern);
        a.pattern = r.pattern;
        a.pattern_code = code;
        a.hatch_angle = code / 1000;
        a.hatch_type = (code % 1000) / 100;
        a.hatch_density = (code % 100) / 10;
        a.hatch_cross = code % 2;
        if (a.hatch_angle <= 179 && a.hatch_type <= 5) {
            const FillPoint box[] = {{x, y_mid - h / 2}, {x + length, y_mid - h / 2}, {x + length, y_mid + h / 2},
                                     {x, y_mid + h / 2}};
            fill_area(box, nullptr);
        }
        a = saved;
        return;
    }
    if (r.line_style >= 0) {
        set_dash_pattern(c, r.line_style, r.dash);
        for (int pass = 0; pass < r.thickness; ++pass) {
            int offset = (pass + 1) / 2 * (pass % 2 == 1 ? 1 : -1);
            set_dash_pattern(c, r.line_style, r.dash);
            LinePen pen(true);
            pen.move(x, y_mid + offset);
            pen.draw(x + length, y_mid + offset);
        }
    }
    if (r.symbol >= 0)
        draw_symbol(r.symbol, x + length / 2, y_mid, 0.8 * h, nullptr);
}

}  // namespace

std::pair<std::size_t, std::size_t> legend_line_bytes(std::string_view buffer, int i)
{
    const std::size_t n = static_cast<std::size_t>(state().legend.length);
    std::size_t from = character_offset(buffer, static_cast<std::size_t>(i - 1) * n);
    return {from, from + character_offset(buffer.substr(from), n)};
}

void legini(std::span<char> buffer, int nlin, int nmaxln)
{
    soft_level_check("legini");
    if (range_check(nlin, 1, legend_line_limit) || range_check(nmaxln, 1, legend_length_limit))
        return;
    if (buffer.size() < static_cast<std::size_t>(nlin) * static_cast<std::size_t>(nmaxln)) {
        warning(17);
        return;
    }
    buffer[0] = '\0';
    LegendAttributes& l = state().legend;
    l = LegendAttributes{};
    l.lines = nlin;
    l.length = nmaxln;
    l.initialised = true;
}

void leglin(std::string& buffer, std::string_view text, int ilin)
{
    soft_level_check("leglin");
    if (!legend_ready())
        return;
    LegendAttributes& l = state().legend;
    if (range_check(ilin, 1, l.lines))
        return;
    const std::size_t length = static_cast<std::size_t>(l.length);
    const std::size_t characters = character_count(text);
    if (characters > length) {
        warning_text(16, text);
        return;
    }
    if (!buffer_holds(buffer)) {
        warning(17);
        return;
    }
    std::string line(text);
    // A full line that ends in a lone Latin-1 byte able to start a UTF-8
    // sequence would join the next line's first bytes when read back: that
    // character is stored in UTF-8.
    const std::size_t last = characters == length ? character_offset(text, characters - 1) : text.size();
    if (last + 1 == text.size()) {
        const unsigned char b = static_cast<unsigned char>(text[last]);
        if (b >= 0xC2 && b <= 0xF4) {
            line.resize(last);
            append_utf8(line, b);
        }
    }
    line.append(length - characters, ' ');
    // A text starting with a zero byte would read as undefined: it stays a blank.
    if (text.empty() || text[0] == '\0')
        line[0] = ' ';
    auto [from, to] = legend_line_bytes(buffer, ilin);
    buffer.replace(from, to - from, line);
    TextRequest request = legend_text_request();
    l.widest = std::max(l.widest, static_cast<int>(std::lround(text_length(text, request))));
}

void legtit(std::string_view title)
{
    soft_level_check("legtit");
    if (!legend_ready())
        return;
    std::string_view t = title.substr(0, character_offset(title, legend_title_limit));
    std::size_t end = t.find_last_not_of(' ');
    state().legend.title.assign(end == std::string_view::npos ? std::string_view() : t.substr(0, end + 1));
}

void legpos(int nx, int ny)
{
    soft_level_check("legpos");
    if (!legend_ready())
        return;
    LegendAttributes& l = state().legend;
    l.position = 1;
    l.pos_x = nx;
    l.pos_y = ny;
}

void legopt(double xf1, double xf2, double xf3)
{
    soft_level_check("legopt");
    if (!legend_ready())
        return;
    // Infinite factors would make a box of no size at all.
    if (!(xf1 >= 0) || !(xf2 > 0) || !(xf3 > 0) || !std::isfinite(xf1) || !std::isfinite(xf2) ||
        !std::isfinite(xf3)) {
        warning(2);
        return;
    }
    LegendAttributes& l = state().legend;
    l.pattern_length = xf1;
    l.margin = xf2;
    l.entry_spacing = xf3;
}

void legclr()
{
    soft_level_check("legclr");
    state().legend.curve_colours = true;
}

void legpat(int ityp, int ithk, int isym, int iclr, int ipat, int ilin)
{
    soft_level_check("legpat");
    if (!legend_ready())
        return;
    if (range_check(ityp, -1, 7) || range_check(ithk, 1, 10000) || range_check(isym, -1, symbol_count - 1) ||
        range_check(iclr, -1, 255) || range_check(ipat, -1, -2) || range_check(ilin, 1, state().legend.lines))
        return;
    CurveRecord& r = state().legend.chosen[static_cast<std::size_t>(ilin)];
    r.defined = true;
    r.line_style = ityp;
    if (ityp >= 0)
        r.dash = line_type_pattern(ityp);
    r.thickness = ithk;
    r.symbol = isym;
    r.colour = iclr >= 0 ? iclr : state().current_colour;
    r.pattern = ipat;
}

int nxlegn(std::string_view buffer)
{
    soft_level_check("nxlegn");
    if (!legend_ready())
        return 0;
    return static_cast<int>(std::lround(measure(buffer).width));
}

int nylegn(std::string_view buffer)
{
    soft_level_check("nylegn");
    if (!legend_ready())
        return 0;
    return static_cast<int>(std::lround(measure(buffer).height));
}

void legend(std::span<const char> buffer, int ncor)
{
    if (level_check(2, 3, "legend"))
        return;
    if (!legend_ready())
        return;
    PlotState& s = state();
    const LegendAttributes& l = s.legend;
    std::string_view text(buffer.data(), buffer.size());
    if (!buffer_holds(text)) {
        warning(17);
        return;
    }
    if (s.axes.curve_count < l.lines)
        warning_int(42, l.lines - s.axes.curve_count);
    if (l.position == 0 && range_check(ncor, 1, 8))
        return;

    Layout m = measure(text);
    double w = std::round(m.width);
    double h = std::round(m.height);
    double margin = std::round(l.margin * m.h);
    double bx = l.pos_x;
    double by = l.pos_y;
    if (l.position == 0) {
        const AxisAttributes& a = s.axes;
        bool page = ncor <= 4;
        double left = page ? 0 : a.nxa;
        double right = page ? s.page_width : a.nxa + a.nxl - 1;
        double top = page ? 0 : a.nya - a.nyl + 1;
        double bottom = page ? s.page_height : a.nya;
        int corner = (ncor - 1) % 4;  // 0 lower left, 1 lower right, 2 upper right, 3 upper left
        bx = corner == 0 || corner == 3 ? left + margin : right - margin - w + 1;
        by = corner == 2 || corner == 3 ? top + margin : bottom - margin - h + 1;
    }

    // What the legend changes and gives back.
    CurveAttributes& c = s.curves;
    int colour = s.current_colour;
    int style = c.line_style;
    DashPattern dash = c.dash;
    int dash_index = c.dash_index;
    double dash_left = c.dash_left;
    bool dash_drawn = c.dash_drawn;

    int frame = s.axes.frame;
    if (frame != 0)
        draw_frame(bx, by, w, h, frame);
    double inner = std::max(frame, 0);
    double x0 = bx + inner + l.margin * m.spacing;
    double y = by + inner + l.margin * m.spacing;
    TextRequest plain;
    plain.justification = 0;
    if (!l.title.empty()) {
        draw_text(l.title, bx + (w - m.title) / 2, y, plain);
        y += 1.5 * m.spacing;
    }
    double content = m.pattern + m.texts;
    if (m.title > content)
        x0 += (m.title - content) / 2;
    TextRequest request = legend_text_request();
    for (int i = 1; i <= l.lines; ++i) {
        const LegendLine& line = m.lines[static_cast<std::size_t>(i - 1)];
        const CurveRecord& chosen = l.chosen[static_cast<std::size_t>(i)];
        const CurveRecord* record = chosen.defined ? &chosen : nullptr;
        if (record == nullptr && i <= cycle_entries && c.record[static_cast<std::size_t>(i)].defined)
            record = &c.record[static_cast<std::size_t>(i)];
        if (!line.defined) {
            // Only a line the script selected (LEGPAT) must have a text; others stay empty.
            if (chosen.defined) {
                set_warning_text("Undefined legend line");
                warning_int(warning_undefined_legend_line, i);
            }
        } else {
            if (record != nullptr && l.pattern_length > 0.001) {
                if (s.current_colour != record->colour)
                    select_colour(record->colour);
                draw_pattern(*record, x0, y + m.h / 2, l.pattern_length * m.h, m.h);
            }
            int text_colour = l.curve_colours && record != nullptr ? record->colour : colour;
            if (s.current_colour != text_colour)
                select_colour(text_colour);
            double ty = y;
            for (std::size_t k = 0; k < line.texts.size(); ++k) {
                if (k > 0)
                    ty += l.entry_spacing * m.spacing;
                draw_text(line.texts[k], x0 + m.pattern, ty, request);
            }
        }
        y += (static_cast<double>(line.texts.size()) - 1) * l.entry_spacing * m.spacing + m.spacing;
    }

    if (s.current_colour != colour)
        select_colour(colour);
    c.line_style = style;
    c.dash = dash;
    c.dash_index = dash_index;
    c.dash_left = dash_left;
    c.dash_drawn = dash_drawn;
    // The box shields what is drawn later, not the legend itself.
    add_automatic_shield(shield_legends, shield_rectangle(bx, by, w, h, 0));
}

}  // namespace korvan
