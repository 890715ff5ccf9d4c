// The text engine and the text attribute routines.
#include "plot/routines/text.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>
#include <numbers>

#include "plot/devices/paper_device.hpp"
#include "plot/kernel/characters.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/state.hpp"
#include "plat/hardware_font.hpp"
#include "plot/routines/fonts.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text_internal.hpp"
#include "plot/routines/user_points.hpp"

namespace korvan {

namespace {

constexpr std::size_t text_limit = 132;

// The attributes one string is drawn with.
struct Style {
    StrokeFont font = StrokeFont::koralf;
    Alphabet base = Alphabet::standard;
    double height = 36;
    double sin_a = 0;
    double cos_a = 1;
    double angle = 0;
    double slant = 0;
    double spacing = 0;
    double width = 1;
    double fixed = 0;
    bool control = false;
    char raise = '[';
    char lower = ']';
    char reset = '$';
    const TextAttributes* attributes = nullptr;
    bool hardware = false;
    bool shaded = false;
};

Style style_for(const TextRequest& request)
{
    const TextAttributes& t = state().text;
    Style st;
    st.font = static_cast<StrokeFont>(std::clamp(t.font, 0, stroke_font_count - 1));
    st.base = static_cast<Alphabet>(std::clamp(t.base_alphabet, 0, alphabet_count - 1));
    st.height = request.height > 0 ? request.height : t.height;
    if (request.angle > -999) {
        st.angle = request.angle;
        double radians = request.angle * std::numbers::pi / 180.0;
        st.sin_a = std::sin(radians);
        st.cos_a = std::cos(radians);
    } else {
        st.angle = t.angle;
        st.sin_a = t.sin_angle;
        st.cos_a = t.cos_angle;
    }
    st.slant = t.slant;
    st.spacing = t.spacing;
    st.width = t.width;
    st.fixed = request.fixed >= 0 ? request.fixed : t.fixed;
    st.control = t.control_on || request.force_control;
    st.raise = t.raise;
    st.lower = t.lower;
    st.reset = t.reset;
    st.attributes = &t;
    st.hardware = t.hardware_font;
    st.shaded = t.shaded_characters;
    return st;
}

// The first 132 characters without trailing blanks.
std::string_view trimmed(std::string_view text)
{
    text = text.substr(0, character_offset(text, text_limit));
    std::size_t end = text.find_last_not_of(' ');
    return end == std::string_view::npos ? std::string_view() : text.substr(0, end + 1);
}

// Walks the characters of a string: calls visit(glyph, u, v, scale) for every
// glyph with its left edge u along the text direction and its base line v
// above the string's base line (plot units); returns the largest distance
// reached along the text direction.
template <class Visit>
double walk(std::string_view text, const Style& st, bool report, Visit&& visit)
{
    const TextAttributes& t = *st.attributes;
    std::array<double, alphabet_count> scales{};
    for (int a = 0; a < alphabet_count; ++a) {
        int cap = alphabet_metrics(st.font, static_cast<Alphabet>(a)).cap_height;
        scales[static_cast<std::size_t>(a)] = cap > 0 ? 1.0 / cap : 0.0;
    }
    double u = 0;
    double v = 0;
    double h = st.height;
    double reach = 0;
    Alphabet alphabet = st.base;
    int slot = -1;
    int missing = 0;
    std::size_t i = 0;
    while (i < text.size()) {
        char c = text[i];
        if (st.control) {
            if (c == st.raise) {
                v += t.script_shift * h;
                h *= t.script_height;
                ++i;
                continue;
            }
            if (c == st.lower) {
                h *= t.script_height;
                v -= t.script_shift * h;
                ++i;
                continue;
            }
            if (c == st.reset) {
                h = st.height;
                v = 0;
                ++i;
                continue;
            }
            if (slot >= 0 && c == t.mix[static_cast<std::size_t>(slot)].leave) {
                alphabet = st.base;
                slot = -1;
                ++i;
                continue;
            }
            bool entered = false;
            for (int k = 0; k < mix_slot_count; ++k) {
                const MixSlot& m = t.mix[static_cast<std::size_t>(k)];
                if (m.alphabet >= 0 && m.enter != 0 && c == m.enter) {
                    alphabet = m.alphabet >= alphabet_count ? Alphabet::standard : static_cast<Alphabet>(m.alphabet);
                    slot = k;
                    entered = true;
                    break;
                }
            }
            if (entered) {
                ++i;
                continue;
            }
        }
        char32_t code = 0;
        int national = -1;
        if (c != 0) {
            for (int k = 0; k < national_shift_count; ++k)
                if (t.national[static_cast<std::size_t>(k)] == c)
                    national = k;
        }
        if (national >= 0 && i + 1 < text.size()) {
            char32_t letter = static_cast<unsigned char>(text[i + 1]);
            code = national_character(static_cast<NationalSet>(national), letter);
            if (code == 0) {
                if (report)
                    warning(18);
                ++i;
                continue;
            }
            i += 2;
        } else {
            code = next_character(text, i);
        }
        Alphabet found_in = alphabet;
        const Glyph* found = find_glyph(st.font, alphabet, code, &found_in);
        if (found == nullptr) {
            // Control codes are blanks; any other character no alphabet of the
            // font has is shown as the white square and counted.
            if (is_printable(code)) {
                ++missing;
                found = find_glyph(st.font, alphabet, replacement_character, &found_in);
            }
            if (found == nullptr)
                found = &glyph(st.font, alphabet, U' ');
        }
        const Glyph& g = *found;
        double scale = h * scales[static_cast<std::size_t>(found_in)];
        double left = u;
        double advance = 0;
        if (st.fixed > 0) {
            GlyphPlacement p;
            p.scale = scale;
            p.width_factor = st.width;
            double cell = st.fixed * h;
            left = u + fixed_cell_inset(p, g, cell);
            advance = cell;
        } else {
            advance = g.advance() * scale * st.width;
        }
        visit(g, left, v, scale);
        u += advance + st.spacing * h;
        reach = std::max(reach, u);
    }
    if (report && missing > 0)
        warn_missing_characters(missing, text);
    return reach;
}

bool has_control(std::string_view text, const Style& st)
{
    if (!st.control)
        return false;
    for (char c : text)
        if (c == st.raise || c == st.lower || c == st.reset)
            return true;
    return false;
}

Device* hardware_device(std::string_view text, const Style& st)
{
    PlotState& s = state();
    // On a plane of the 3-D box texts are slanted and foreshortened, and a
    // base transformation may stretch them, which only the stroke fonts can
    // follow; a shifted, turned or evenly scaled page keeps the device font.
    if (!st.hardware || !s.device || !s.device->has_hardware_font() || has_control(text, st) || s.plane.active ||
        (s.base_transform.active && !s.base_transform.keeps_shapes()))
        return nullptr;
    return s.device.get();
}

// The hardware font whose character outlines stand for HWFONT text under
// SHDCHA on a device without a font of its own; nullptr otherwise.
const plat::HardwareFont* outline_font(std::string_view text, const Style& st)
{
    const PlotState& s = state();
    if (!st.hardware || !st.shaded || has_control(text, st) || (s.device && s.device->has_hardware_font()))
        return nullptr;
    return plat::hardware_font();
}

// The characters of a text as ISO 8859-1 codes (others as "?") with their
// distances from the start of the base line in plot units.
template <typename Visit>
double walk_outline_text(const plat::HardwareFont& font, std::string_view text, const Style& st, Visit visit)
{
    double u = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t code = next_character(text, i);
        auto c = static_cast<unsigned char>(code <= 0xFF ? code : U'?');
        visit(c, u);
        u += font.advance(c) * st.height;
    }
    return u;
}

// Draws the characters as their outlines filled with the current pattern
// (solid under pattern 0); returns the length drawn.
double draw_outline_text(const plat::HardwareFont& font, std::string_view text, double bx, double by,
                         const Style& st)
{
    PlotState& s = state();
    ShadingAttributes shading = s.shading;
    CurveAttributes curves = s.curves;
    if (s.shading.pattern == 0)
        select_pattern(16);
    std::vector<plat::OutlineRing> rings;
    double h = st.height;
    double reach = walk_outline_text(font, text, st, [&](unsigned char c, double u) {
        if (!font.outline(c, rings))
            return;
        std::vector<std::vector<FillPoint>> placed(rings.size());
        for (std::size_t k = 0; k < rings.size(); ++k)
            for (const plat::OutlinePoint& p : rings[k]) {
                double along = u + p.x * h;
                double up = p.y * h;
                placed[k].push_back({bx + along * st.cos_a - up * st.sin_a, by - along * st.sin_a - up * st.cos_a});
            }
        fill_rings(placed, nullptr, 100);
        for (const std::vector<FillPoint>& ring : placed) {
            plot_vector(ring.front().x, ring.front().y, 3);
            for (std::size_t i = 1; i <= ring.size(); ++i)
                plot_vector(ring[i % ring.size()].x, ring[i % ring.size()].y, 2);
        }
    });
    s.shading = shading;
    s.curves = curves;
    return reach;
}

double measure(std::string_view text, const Style& st)
{
    if (Device* d = hardware_device(text, st))
        return d->hardware_text_length(text, st.height);
    if (const plat::HardwareFont* font = outline_font(text, st))
        return walk_outline_text(*font, text, st, [](unsigned char, double) {});
    return walk(text, st, false, [](const Glyph&, double, double, double) {});
}

// Draws from the start of the base line; returns the length drawn and keeps the end point.
double draw_on_base_line(std::string_view text, double bx, double by, const Style& st)
{
    double reach = 0;
    if (Device* d = hardware_device(text, st)) {
        // The text where the base transformation puts it.
        double x = bx;
        double y = by;
        double height = st.height;
        double angle = st.angle;
        if (const BaseTransform& b = state().base_transform; b.active) {
            b.apply(x, y);
            height *= b.scale();
            angle += b.turn_degrees();
        }
        d->hardware_text(x, y, text, height, angle);
        reach = d->hardware_text_length(text, st.height);
    } else if (const plat::HardwareFont* font = outline_font(text, st)) {
        reach = draw_outline_text(*font, text, bx, by, st);
    } else {
        reach = walk(text, st, true, [&](const Glyph& g, double u, double v, double scale) {
            if (g.blank())
                return;
            GlyphPlacement p;
            p.x = bx + u * st.cos_a - v * st.sin_a;
            p.y = by - u * st.sin_a - v * st.cos_a;
            p.scale = scale;
            p.width_factor = st.width;
            p.shear = st.slant;
            p.cos_angle = st.cos_a;
            p.sin_angle = st.sin_a;
            for (const GlyphStroke& stroke : g.strokes) {
                int pen = 3;
                for (const GlyphPoint& point : stroke) {
                    PlotPoint at = place_glyph_point(p, g, point);
                    plot_vector(at.x, at.y, pen);
                    pen = 2;
                }
            }
        });
    }
    TextAttributes& t = state().text;
    t.end_x = bx + reach * st.cos_a;
    t.end_y = by - reach * st.sin_a;
    return reach;
}

int justification_of(const TextRequest& request)
{
    return request.justification >= 0 ? request.justification : state().text.justification;
}

// The start of the base line for a string whose upper left corner is (x, y).
void base_line_start(std::string_view text, double& x, double& y, const Style& st, int justification)
{
    if (justification == 1 || justification == 2) {
        double length = measure(text, st);
        double back = justification == 1 ? length / 2 : length;
        x -= back * st.cos_a;
        y += back * st.sin_a;
    }
    x += (st.height - 1) * st.sin_a;
    y += (st.height - 1) * st.cos_a;
}

// FRMESS: |n| rectangles around a text, a quarter of the character height
// away from its box (character height by length), each one unit further out.
void frame_text(double base_x, double base_y, double length, const Style& st, int n)
{
    double h = st.height;
    double margin = std::round(h / 4);
    // The upper left corner of the text's box, and its two directions.
    double top_x = base_x - (h - 1) * st.sin_a;
    double top_y = base_y - (h - 1) * st.cos_a;
    double ax = st.cos_a;  // along the text
    double ay = -st.sin_a;
    double dx = st.sin_a;  // down from the top
    double dy = st.cos_a;
    int count = std::min(std::abs(n), 100);
    for (int k = 0; k < count; ++k) {
        double u0 = -margin - k;
        double u1 = length + margin + k;
        double v0 = -margin - k;
        double v1 = h - 1 + margin + k;
        double us[] = {u0, u1, u1, u0, u0};
        double vs[] = {v0, v0, v1, v1, v0};
        for (int i = 0; i < 5; ++i)
            plot_vector(top_x + us[i] * ax + vs[i] * dx, top_y + us[i] * ay + vs[i] * dy, i == 0 ? 3 : 2);
    }
}

bool off_page(double x, double y)
{
    const PlotState& s = state();
    return x < 0 || y < 0 || x > s.page_width || y > s.page_height;
}

void report_off_page(const char* which, double x, double y, const char* routine, std::string_view text)
{
    PlotState& s = state();
    ++s.warning_count;
    if (s.message_unit == 0)
        return;
    char line[160];
    std::string first(text.substr(0, 8));
    std::snprintf(line, sizeof line, " <<<< Warning: %s (%5d/%5d) in %s out of page - (%s).\n", which,
                  static_cast<int>(std::lround(x)), static_cast<int>(std::lround(y)), routine, first.c_str());
    message_print(line);
}

}  // namespace

double draw_text(std::string_view text, double x, double y, const TextRequest& request)
{
    std::string_view shown = trimmed(text);
    if (shown.empty())
        return 0;
    Style st = style_for(request);
    base_line_start(shown, x, y, st, justification_of(request));
    return draw_on_base_line(shown, x, y, st);
}

double text_length(std::string_view text, const TextRequest& request)
{
    std::string_view shown = trimmed(text);
    if (shown.empty())
        return 0;
    return measure(shown, style_for(request));
}

void draw_message(std::string_view text, int nx, int ny, const TextRequest& request, const char* report_name)
{
    std::string_view shown = trimmed(text);
    if (shown.empty())
        return;
    PlotState& s = state();
    Style st = style_for(request);
    double x = 0;
    double y = 0;
    if (nx == 999 && ny == 999) {
        x = s.text.end_x;
        y = s.text.end_y;
    } else {
        x = nx + s.origin_x;
        y = ny + s.origin_y;
        base_line_start(shown, x, y, st, justification_of(request));
    }
    if (off_page(x, y))
        report_off_page("Startpoint", x, y, report_name, shown);
    int colour = s.current_colour;
    double start_x = x;
    double start_y = y;
    draw_on_base_line(shown, x, y, st);
    if (s.text.frame != 0)
        frame_text(start_x, start_y, measure(shown, st), st, s.text.frame);
    if ((s.shields.automatic & shield_texts) != 0) {
        // The text's rectangle, turned with it about its upper left corner.
        double h = st.height;
        double angle = std::atan2(st.sin_a, st.cos_a) * 180 / std::numbers::pi;
        add_automatic_shield(shield_texts, shield_rectangle(start_x - (h - 1) * st.sin_a, start_y - (h - 1) * st.cos_a,
                                                            measure(shown, st), h, angle));
    }
    if (off_page(s.text.end_x, s.text.end_y))
        report_off_page("Endpoint  ", s.text.end_x, s.text.end_y, report_name, shown);
    if (s.current_colour != colour)
        select_colour(colour);
}

// --- Routines ----------------------------------------------------------------

void messag(std::string_view text, int nx, int ny)
{
    if (level_check(1, 3, "messag"))
        return;
    draw_message(text, nx, ny, TextRequest{}, "MESSAG");
}

void rlmess(std::string_view text, double x, double y)
{
    if (level_check(2, 3, "rlmess"))
        return;
    int nx = 0;
    int ny = 0;
    if (user_point_for_plot_routine(x, y, nx, ny))
        draw_message(text, nx, ny, TextRequest{}, "RLMESS");
}

int nlmess(std::string_view text)
{
    soft_level_check("nlmess");
    return static_cast<int>(std::lround(text_length(text, TextRequest{})));
}

void height(int n)
{
    soft_level_check("height");
    if (range_check(n, 1, 10000))
        return;
    state().text.height = n;
}

void angle(int n)
{
    soft_level_check("angle");
    TextAttributes& t = state().text;
    t.angle = n;
    // Whole quarter turns exactly, so that turned text stays on its pixels.
    int quarter = ((n % 360) + 360) % 360;
    if (quarter % 90 == 0) {
        constexpr double sines[] = {0, 1, 0, -1};
        constexpr double cosines[] = {1, 0, -1, 0};
        t.sin_angle = sines[quarter / 90];
        t.cos_angle = cosines[quarter / 90];
    } else {
        double radians = n * std::numbers::pi / 180.0;
        t.sin_angle = std::sin(radians);
        t.cos_angle = std::cos(radians);
    }
}

void frmess(int n)
{
    soft_level_check("frmess");
    if (range_check(n, 0, 100))
        return;
    state().text.frame = n;
}

void txtjus(std::string_view option)
{
    soft_level_check("txtjus");
    int n = keyword_lookup("LEFT+CENT+RIGH", 3, option);
    if (n > 0)
        state().text.justification = n - 1;
}

void chaang(double degrees)
{
    soft_level_check("chaang");
    if (!(degrees >= -60 && degrees <= 60)) {
        warning(2);
        return;
    }
    state().text.slant = 1.0 / std::tan((90.0 - degrees) * std::numbers::pi / 180.0);
}

void chaspc(double factor)
{
    soft_level_check("chaspc");
    if (!std::isfinite(factor)) {
        warning(2);
        return;
    }
    state().text.spacing = factor;
}

void chawth(double factor)
{
    soft_level_check("chawth");
    if (!(factor > 0 && factor < 2)) {
        warning(2);
        return;
    }
    state().text.width = factor;
}

void fixspc(double factor)
{
    soft_level_check("fixspc");
    if (!(factor > 0) || !std::isfinite(factor)) {
        warning(2);
        return;
    }
    state().text.fixed = factor;
}

void linesp(double factor)
{
    soft_level_check("linesp");
    if (!std::isfinite(factor)) {
        warning(2);
        return;
    }
    state().text.line_spacing = factor;
}

void mixalf()
{
    soft_level_check("mixalf");
    state().text.control_on = true;
}

void setmix(std::string_view character, std::string_view option)
{
    soft_level_check("setmix");
    int n = keyword_lookup("EXP +IND +RES +LEG ", 4, option);
    if (n == 0)
        return;
    if (character.empty()) {
        warning_text(2, character);
        return;
    }
    TextAttributes& t = state().text;
    char* targets[] = {&t.raise, &t.lower, &t.reset, &t.legend_break};
    *targets[n - 1] = character[0];
}

void newmix()
{
    soft_level_check("newmix");
    TextAttributes& t = state().text;
    t.raise = '^';
    t.lower = '_';
    t.reset = '%';
}

// SETBAS: how far raised and lowered text moves from the base line, as a
// factor of its height (default 0.6); SETEXP: its height as a factor of the
// text height before it (default 0.8). Both 0 to 2, otherwise warning 2.
void setbas(double factor)
{
    soft_level_check("setbas");
    if (!(factor >= 0 && factor <= 2)) {
        warning(2);
        return;
    }
    state().text.script_shift = factor;
}

void setexp(double factor)
{
    soft_level_check("setexp");
    if (!(factor > 0 && factor <= 2)) {
        warning(2);
        return;
    }
    state().text.script_height = factor;
}

void mixleg()
{
    soft_level_check("mixleg");
    state().text.legend_control = true;
}

void basalf(std::string_view alphabet)
{
    soft_level_check("basalf");
    int n = keyword_lookup("STAN+GREE+MATH+ITAL+SCRI+RUSS", 6, alphabet);
    if (n > 0)
        state().text.base_alphabet = n - 1;
}

void smxalf(std::string_view alphabet, std::string_view enter, std::string_view leave, int n)
{
    soft_level_check("smxalf");
    int a = keyword_lookup("STAN+GREE+MATH+ITAL+SCRI+RUSS+INST", 7, alphabet);
    if (a == 0)
        return;
    if (range_check(n, 1, mix_slot_count))
        return;
    TextAttributes& t = state().text;
    int chosen = a - 1;
    // "INST" is the font's standard alphabet, for Latin text within another base alphabet.
    int drawn = chosen == alphabet_count ? 0 : chosen;
    if (drawn == t.base_alphabet) {
        warning(19);
        return;
    }
    if (enter.empty() || leave.empty()) {
        warning(2);
        return;
    }
    MixSlot& slot = t.mix[static_cast<std::size_t>(n - 1)];
    slot.alphabet = chosen;
    slot.enter = enter[0];
    slot.leave = leave[0];
}

void eushft(std::string_view national, std::string_view character)
{
    soft_level_check("eushft");
    int n = keyword_lookup("GERM+DANI+SPAN+FREN+ACUT+GRAV+CIRC", national_shift_count, national);
    if (n == 0)
        return;
    if (character.empty()) {
        warning_text(2, character);
        return;
    }
    TextAttributes& t = state().text;
    char c = character[0];
    for (int k = 0; k < national_shift_count; ++k) {
        if (k != n - 1 && t.national[static_cast<std::size_t>(k)] == c) {
            warning(57);
            return;
        }
    }
    t.national[static_cast<std::size_t>(n - 1)] = c;
}

namespace {
void select_font(const char* routine, StrokeFont font, bool hardware)
{
    soft_level_check(routine);
    TextAttributes& t = state().text;
    t.font = static_cast<int>(font);
    t.hardware_font = hardware;
}
}  // namespace

void koralf() { select_font("koralf", StrokeFont::koralf, false); }
void simplx() { select_font("simplx", StrokeFont::simplx, false); }
void duplx() { select_font("duplx", StrokeFont::duplx, false); }
void triplx() { select_font("triplx", StrokeFont::triplx, false); }
void complx() { select_font("complx", StrokeFont::complx, false); }
void serif() { select_font("serif", StrokeFont::serif, false); }
void helve() { select_font("helve", StrokeFont::helve, false); }
void helves() { select_font("helves", StrokeFont::helves, false); }
void gothic() { select_font("gothic", StrokeFont::gothic, false); }
// The device's own font where it has one (Times-Roman on PostScript); stroke
// text in COMPLX elsewhere.
void hwfont()
{
    select_font("hwfont", StrokeFont::complx, true);
    const PlotState& s = state();
    if (s.level >= 1 && ((s.device_code >= 501 && s.device_code <= 600) || is_paper_device(s.device_code)))
        select_postscript_font("Times-Roman");
}

void shdcha()
{
    soft_level_check("shdcha");
    state().text.shaded_characters = true;
}

int gethgt()
{
    soft_level_check("gethgt");
    return state().text.height;
}

int getang()
{
    soft_level_check("getang");
    return state().text.angle;
}

}  // namespace korvan
