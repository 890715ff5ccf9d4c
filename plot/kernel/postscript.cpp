// The PostScript writer: a header with a small prolog of short procedures,
// then a body of procedure calls written through the word append of the
// record buffer, one page per NEWPAG and "showpage" at KORFIN.
//
// The body works in device units (the prolog's cm turns them into points).
// A plot point becomes (s x, s (H - y)) on an upright page and (s y, s x) on a
// turned one, s being the device scale; the fit to the paper is left to the
// scale operator of the placement line.
#include "plot/kernel/postscript.hpp"

#include <algorithm>
#include <array>
#include <initializer_list>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <cstring>
#include <numbers>
#include <string>
#include <vector>

#include "plot/devices/paper_device.hpp"
#include "plot/kernel/characters.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/postscript_widths.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr double points_per_unit = postscript_points_per_unit;
// The paper area in device units (short side, long side) and the default origin.
constexpr double paper_short = 3900.0;
constexpr double paper_long = 5600.0;
constexpr int default_origin_x = 150;
constexpr int default_origin_y = 200;
constexpr double fixed_device_scale = postscript_fixed_scale;
// Points of one path.
constexpr int path_limit = 50;
// Smallest scale factor of the placement line.
constexpr double min_factor = 0.000001;
// Line width of the placement line, device units.
constexpr double default_line_width = 5.0;

constexpr std::array<const char*, postscript_standard_font_count> standard_fonts = {
    "Times-Roman",
    "Times-Bold",
    "Times-Italic",
    "Times-BoldItalic",
    "Helvetica",
    "Helvetica-Bold",
    "Helvetica-Oblique",
    "Helvetica-BoldOblique",
    "Helvetica-Narrow",
    "Helvetica-Narrow-Bold",
    "Helvetica-Narrow-Oblique",
    "Helvetica-Narrow-BoldOblique",
    "NewCenturySchlbk-Roman",
    "NewCenturySchlbk-Italic",
    "NewCenturySchlbk-Bold",
    "NewCenturySchlbk-BoldItalic",
    "ZapfChancery-MediumItalic",
    "ZapfDingbats",
    "Courier",
    "Courier-Bold",
    "Courier-Oblique",
    "Courier-BoldOblique",
    "AvantGarde-Book",
    "AvantGarde-Demi",
    "AvantGarde-BookOblique",
    "AvantGarde-DemiOblique",
    "Bookman-Light",
    "Bookman-LightItalic",
    "Bookman-Demi",
    "Bookman-DemiItalic",
    "Palatino-Roman",
    "Palatino-Italic",
    "Palatino-Bold",
    "Palatino-BoldItalic",
    "Symbol",
};

// The re-encoding vector: octal code, glyph name and the ISO 8859-1 code of the glyph.
struct GermanGlyph {
    const char* code;
    const char* name;
    unsigned char latin1;
};

constexpr GermanGlyph german_vector[] = {
    {"177", "Adieresis", 0xC4},   {"200", "Odieresis", 0xD6},   {"201", "Udieresis", 0xDC},
    {"202", "adieresis", 0xE4},   {"203", "odieresis", 0xF6},   {"204", "udieresis", 0xFC},
    {"205", "germandbls", 0xDF},  {"206", "Aring", 0xC5},       {"207", "Oslash", 0xD8},
    {"210", "AE", 0xC6},          {"211", "aring", 0xE5},       {"212", "oslash", 0xF8},
    {"213", "ae", 0xE6},          {"214", "Ntilde", 0xD1},      {"215", "ntilde", 0xF1},
    {"216", "Ccedilla", 0xC7},    {"217", "ccedilla", 0xE7},    {"220", "Edieresis", 0xCB},
    {"221", "Idieresis", 0xCF},   {"222", "edieresis", 0xEB},   {"223", "idieresis", 0xEF},
    {"224", "Aacute", 0xC1},      {"225", "Eacute", 0xC9},      {"226", "Iacute", 0xCD},
    {"227", "Oacute", 0xD3},      {"230", "Uacute", 0xDA},      {"231", "aacute", 0xE1},
    {"232", "eacute", 0xE9},      {"233", "iacute", 0xED},      {"234", "oacute", 0xF3},
    {"235", "uacute", 0xFA},      {"236", "Agrave", 0xC0},      {"237", "Egrave", 0xC8},
    {"240", "Igrave", 0xCC},      {"241", "Ograve", 0xD2},      {"242", "Ugrave", 0xD9},
    {"243", "agrave", 0xE0},      {"244", "egrave", 0xE8},      {"245", "igrave", 0xEC},
    {"246", "ograve", 0xF2},      {"247", "ugrave", 0xF9},      {"250", "Acircumflex", 0xC2},
    {"251", "Ecircumflex", 0xCA}, {"252", "Icircumflex", 0xCE}, {"253", "Ocircumflex", 0xD4},
    {"254", "Ucircumflex", 0xDB}, {"255", "acircumflex", 0xE2}, {"256", "ecircumflex", 0xEA},
    {"257", "icircumflex", 0xEE}, {"260", "ocircumflex", 0xF4}, {"261", "ucircumflex", 0xFB},
};
constexpr int german_vector_size = sizeof german_vector / sizeof german_vector[0];

// The prolog up to the re-encoding vector.
constexpr const char* prolog[] = {
    "2 setlinecap 2 setlinejoin",
    "/cm {0.14226378 mul} def /rgb {255 div} def /lc 1 string def",
    "/u  { /y exch cm def /x exch cm def newpath  x y moveto } def",
    "/d  { /y exch cm def /x exch cm def x y lineto } def",
    "/p  { stroke } def",
    "/e { /b exch rgb def /g exch rgb def",
    " /r exch rgb def /v exch cm def /w exch cm def /y exch cm def",
    " /x exch cm def gsave r g b setrgbcolor newpath x y moveto",
    " w y lineto w v lineto x v lineto closepath fill grestore } def",
    "/f { /b exch rgb def /g exch rgb def",
    " /r exch rgb def r g b setrgbcolor } def",
    "/text { /c1 exch def /a exch def /y exch cm def /x exch cm def",
    " /Name exch def gsave x y moveto x y translate a rotate c1 0 gt",
    " { Name stringwidth 2 div neg exch 2 div neg exch rmoveto }",
    " {} ifelse Name show grestore } def /font { /h exch def",
    " /s exch def s findfont h scalefont setfont } def",
    "/c { /a exch def /y exch cm def /x exch cm def /i exch def",
    " gsave x y moveto x y translate a rotate lc 0 i put lc",
    " stringwidth 2 div neg exch 2 div neg exch rmoveto lc show",
    " grestore } def",
    "/sec { /b exch rgb def /g exch rgb def /r exch rgb def",
    " /a2 exch def /a exch def /r2 exch cm def /r1 exch cm def",
    " /y exch cm def /x exch cm def gsave r g b setrgbcolor newpath",
    " x y r1 a a2 arc x y r2 a2 a arcn closepath fill grestore } def",
    "/Reencsmalldict 12 dict def",
    "/ReEncodeSmall",
    "{ Reencsmalldict begin",
    "  /NewCodesAndNames exch def",
    "  /NewFontName exch def",
    "  /BaseFontName exch def",
    "  /BaseFontDict",
    "  BaseFontName findfont def",
    "  /NewFont BaseFontDict",
    "  maxlength dict def",
    "  BaseFontDict",
    "  { exch dup /FID ne",
    "    { dup /Encoding eq",
    "      { exch dup length array copy",
    "        NewFont 3 1 roll put",
    "      }",
    "      { exch NewFont 3 1 roll put",
    "      } ifelse",
    "      }",
    "      {pop pop} ifelse",
    "    } forall",
    "    NewFont",
    "    /FontName NewFontName put",
    "    NewCodesAndNames aload pop",
    "    NewCodesAndNames",
    "    length 2 idiv",
    "    { NewFont /Encoding get",
    "    3 1 roll put  } repeat",
    "    NewFontName NewFont",
    "    definefont pop end } def",
};

std::string german_vector_text()
{
    std::string text = " /GermanVec [ 8#";
    text += german_vector[0].code;
    text += " /";
    text += german_vector[0].name;
    text += '\n';
    for (int i = 1; i < german_vector_size; i += 3) {
        for (int j = i; j < i + 3 && j < german_vector_size; ++j) {
            text += " 8#";
            text += german_vector[j].code;
            text += " /";
            text += german_vector[j].name;
        }
        if (i + 3 >= german_vector_size)
            text += " ] def";
        text += '\n';
    }
    return text;
}

// The code of a character in the re-encoded font: ASCII as it is, the
// accented letters of ISO 8859-1 at their places in the vector; 0 for others.
unsigned char font_code(char32_t c)
{
    if (c >= 32 && c < 127)
        return static_cast<unsigned char>(c);
    for (int i = 0; i < german_vector_size; ++i) {
        if (german_vector[i].latin1 == c)
            return static_cast<unsigned char>(0177 + i);
    }
    return 0;
}

// The Symbol font's lozenge, shown for a character that neither font has.
constexpr unsigned char symbol_lozenge = 0340;

// A piece of a text in one font: the re-encoded font or the Symbol font.
struct FontRun {
    bool symbol = false;
    std::string codes;
    long width = 0;  // 1/1000 of the font size
};

// A text (UTF-8, Latin-1 bytes taken as such) as runs of codes: characters of
// the re-encoded font in it, Greek letters and signs that only the Symbol font
// has in that; a character that neither has becomes the lozenge and is
// counted in missing. Control codes become "?".
std::vector<FontRun> font_runs(std::string_view text, int font, int& missing)
{
    std::vector<FontRun> runs;
    missing = 0;
    for (std::size_t i = 0; i < text.size();) {
        char32_t c = next_character(text, i);
        unsigned char code = font_code(c);
        bool symbol = false;
        long width = 0;
        if (code == 0 && !is_printable(c)) {
            code = '?';
        } else if (code == 0) {
            const PostScriptSymbol* entry = find_postscript_symbol(c);
            if (entry == nullptr)
                ++missing;
            code = entry != nullptr ? entry->code : symbol_lozenge;
            width = entry != nullptr ? entry->width : 494;
            symbol = true;
        }
        if (!symbol)
            width = postscript_widths[font][code - postscript_width_first];
        if (runs.empty() || runs.back().symbol != symbol)
            runs.push_back(FontRun{symbol, {}, 0});
        runs.back().codes += static_cast<char>(code);
        runs.back().width += width;
    }
    return runs;
}

// The character of a Symbol font code: a Greek letter where the code stands
// for one (rather than the micro or ohm sign drawn with it), else its sign;
// the codes of ASCII signs are those signs.
char32_t symbol_character(unsigned char code)
{
    char32_t found = 0;
    for (const PostScriptSymbol& e : postscript_symbols) {
        if (e.code != code)
            continue;
        if (found == 0 || (e.unicode >= 0x370 && e.unicode < 0x400))
            found = e.unicode;
    }
    if (found != 0)
        return found;
    return code >= 32 && code < 127 ? code : U'?';
}

}  // namespace

std::string postscript_font_text(std::string_view codes, bool symbol)
{
    std::string text;
    for (char ch : codes) {
        auto c = static_cast<unsigned char>(ch);
        char32_t character = '?';
        if (symbol)
            character = symbol_character(c);
        else if (c >= 32 && c < 127)
            character = c;
        else if (c >= 0177 && c < 0177 + german_vector_size)
            character = german_vector[c - 0177].latin1;
        append_utf8(text, character);
    }
    return text;
}

const PostScriptSymbol* find_postscript_symbol(char32_t c)
{
    const PostScriptSymbol* end = postscript_symbols + postscript_symbol_count;
    const PostScriptSymbol* at =
        std::lower_bound(postscript_symbols, end, c, [](const PostScriptSymbol& e, char32_t u) { return e.unicode < u; });
    return at != end && at->unicode == c ? at : nullptr;
}

namespace {

// A PostScript string literal of a font name: blanks and the characters that
// end or escape a literal are written as octal escapes, so that the word
// append keeps the name in one piece.
std::string name_literal(std::string_view name)
{
    std::string text = "(";
    for (char ch : name) {
        auto c = static_cast<unsigned char>(ch);
        if (c <= ' ' || c >= 127 || c == '(' || c == ')' || c == '\\' || c == '%') {
            char esc[8];
            std::snprintf(esc, sizeof esc, "\\%03o", c);
            text += esc;
        } else {
            text += ch;
        }
    }
    return text;
}

// Device units as an integer that any PostScript interpreter reads; points far
// off the paper are held at a bound, a NaN goes to 0.
long device_int(double v)
{
    constexpr double bound = 1e8;
    if (!(v == v))
        return 0;
    return std::lround(std::clamp(v, -bound, bound));
}

// An angle for "%8.2f": NaN as 0, and bounded.
double printable_angle(double a)
{
    if (!(a == a))
        return 0.0;
    return std::clamp(a, -1e6, 1e6);
}

class PostScriptDevice final : public Device {
public:
    explicit PostScriptDevice(int code) : colour_device_(code == 502) {}

    void open() override;
    void point(double x, double y, bool draw) override;
    void colour(int index) override;
    bool has_direct_colour() const override { return true; }
    void direct_colour(std::uint32_t rgb) override;
    void fill_rect(double x, double y, double w, double h, int index) override;
    // The changed parts as operators, after the path so far.
    void line_shape(const LineShape& shape, unsigned changed) override;
    void new_page() override;
    void flush() override { write_path(); }
    bool has_hardware_font() const override { return true; }
    void hardware_text(double x, double y, std::string_view text, double height, double angle) override;
    double hardware_text_length(std::string_view text, double height) const override;
    int width_font() const;
    double run_length(const FontRun& run, double height) const;
    void close() override;

    void fill_sector(double x, double y, double r1, double r2, double a1, double a2, int index);
    void character(int code, double x, double y, double angle);
    void line_width(double units, const char* format);
    // Back to the width of the settings when the device draws another.
    void restore_line_width(double units)
    {
        if (units != width_units_)
            line_width(units, "%5.0f cm ");
    }
    void font(const std::string& name);

private:
    struct DevicePoint {
        long x;
        long y;
    };

    DevicePoint device_point(double x, double y) const
    {
        if (turned_)
            return {device_int(scale_ * y), device_int(scale_ * x)};
        return {device_int(scale_ * x), device_int(scale_ * (height_ - y))};
    }
    double device_angle(double angle) const { return turned_ ? angle + 90.0 : angle; }

    void word(std::string_view text) { state().out.append(text); }
    void word(long v)
    {
        char text[24];
        auto [end, ec] = std::to_chars(text, text + sizeof text - 1, v);
        (void)ec;
        *end++ = ' ';
        state().out.append(text, static_cast<std::size_t>(end - text));
    }
    // Numbers as words: the same words as a fragment of padded "%d " fields
    // gives, since a fragment's blank runs collapse, without the formatting.
    void words(std::initializer_list<long> values)
    {
        for (long v : values)
            word(v);
    }
    void fragment(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void rgb_words(int index);
    void write_path();
    void black_page();
    // "PSCL" paints its pages black as on the screen, unless REVE or NOBGD.
    bool paints_background() const
    {
        const PlotState& s = state();
        return colour_device_ && s.screen_mode != 2 && !s.postscript.no_background;
    }
    void write_font_size(double height);
    // The font size for a character height: a quarter of the height in device
    // units, cut to an integer, and at least 1, since a font of size 0 cannot be shown.
    long font_size(double height) const { return std::max(1L, device_int(std::trunc(height * scale_ * 0.25))); }

    bool colour_device_;
    bool turned_ = false;
    double scale_ = fixed_device_scale;
    double height_ = 0.0;
    float user_factor_ = 1.0f;
    double width_units_ = default_line_width;

    std::array<DevicePoint, path_limit> path_{};
    int count_ = 0;
    DevicePoint last_{0, 0};
    bool has_last_ = false;

    long font_size_ = -1;  // size of the font last selected, -1 none
};

void PostScriptDevice::fragment(const char* format, ...)
{
    char text[512];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        return;
    state().out.append_words(std::string_view(text, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof text - 1)));
}

}  // namespace

PostScriptPlacement postscript_placement(const PlotState& s)
{
    double w = std::max(s.page_width, 1);
    double h = std::max(s.page_height, 1);
    PostScriptPlacement p;
    p.turned = s.page_mode != 2 && s.page_height < s.page_width;
    double paper_a = s.hw_page ? 2.0 * s.hw_width : paper_short;
    double paper_b = s.hw_page ? 2.0 * s.hw_height : paper_long;
    double fit = p.turned ? std::min(paper_b / w, paper_a / h) : std::min(paper_a / w, paper_b / h);
    if (s.scaling_mode == 0)
        fit = std::min(fit, 2.0 * s.scaling_factor);
    p.scale = s.hw_page ? fit : fixed_device_scale;
    // The factor is printed with six decimals: one that would print as zero
    // would make the page singular, and no interpreter could draw text on it.
    p.factor = std::max(fit / p.scale, min_factor);
    return p;
}

namespace {

void PostScriptDevice::open()
{
    PlotState& s = state();
    const PostScriptPlacement placement = postscript_placement(s);
    turned_ = placement.turned;
    scale_ = placement.scale;
    const double factor = placement.factor;
    height_ = s.page_height;
    s.device_scale = scale_;
    // The plot sees the header factor as its scaling factor; the user's factor
    // comes back at KORFIN so that the next plot starts from the same setting.
    user_factor_ = s.scaling_factor;
    s.scaling_factor = static_cast<float>(factor);

    const PostScriptSettings& ps = s.postscript;
    long ox = ps.hw_origin ? 2L * ps.hw_origin_x : default_origin_x;
    long oy = ps.hw_origin ? 2L * ps.hw_origin_y : default_origin_y;
    double extent_x = turned_ ? s.page_height : s.page_width;
    double extent_y = turned_ ? s.page_width : s.page_height;

    char line[256];
    std::string header = "%!PS-Adobe-2.0\n";
    std::snprintf(line, sizeof line, "%%%%BoundingBox: %10.2f %10.2f %10.2f %10.2f\n",
                  static_cast<double>(ox) * points_per_unit, static_cast<double>(oy) * points_per_unit,
                  (static_cast<double>(ox) + scale_ * factor * extent_x) * points_per_unit,
                  (static_cast<double>(oy) + scale_ * factor * extent_y) * points_per_unit);
    header += line;
    std::snprintf(line, sizeof line, "%%%%Creator: KORVAN %4.1f %s\n", korvan_version, turned_ ? "L" : "P");
    header += line;
    header += "%%CreationDate: " + date_string() + " , " + time_string() + "\n";
    header += "%%EndComments\n";
    for (const char* text : prolog) {
        header += text;
        header += '\n';
    }
    header += german_vector_text();
    if (ps.hw_origin)
        std::snprintf(line, sizeof line, "%5ld cm %5ld cm translate 5 cm setlinewidth%10.6f%10.6f scale\n", ox, oy,
                      factor, factor);
    else
        std::snprintf(line, sizeof line, "  150 cm   200 cm translate 5 cm setlinewidth%10.6f%10.6f scale\n",
                      factor, factor);
    header += line;
    s.out.write_raw(header);

    width_units_ = default_line_width;
    count_ = 0;
    has_last_ = false;
    font_size_ = -1;
    if (paints_background())
        black_page();
}

void PostScriptDevice::black_page()
{
    const PlotState& s = state();
    long h = device_int(scale_ * s.page_height);
    long w = device_int(scale_ * s.page_width);
    if (turned_)
        fragment("0 0 %ld %ld 0 0 0 e ", h, w);
    else
        fragment("0 %ld %ld 0 0 0 0 e ", h, w);
}

void PostScriptDevice::write_path()
{
    if (count_ >= 2) {
        word(path_[0].x);
        word(path_[0].y);
        word("u ");
        for (int i = 1; i < count_; ++i) {
            word(path_[i].x);
            word(path_[i].y);
            word("d ");
        }
        word("p ");
    }
    // A lone point draws nothing; it stays the start of a following draw.
    count_ = 0;
}

void PostScriptDevice::point(double x, double y, bool draw)
{
    DevicePoint p = device_point(x, y);
    if (!draw) {
        write_path();
        path_[0] = p;
        count_ = 1;
    } else if (!has_last_) {
        // A draw before any point only starts the path.
        path_[0] = p;
        count_ = 1;
    } else {
        if (count_ == 0) {
            path_[0] = last_;
            count_ = 1;
        } else if (count_ == path_limit) {
            // A full path is written and continued from its last point.
            write_path();
            path_[0] = last_;
            count_ = 1;
        }
        path_[count_++] = p;
    }
    last_ = p;
    has_last_ = true;
}

void PostScriptDevice::rgb_words(int index)
{
    std::uint32_t rgb = state().colour_table[static_cast<std::size_t>(std::clamp(index, 0, 255))];
    words({(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF});
}

void PostScriptDevice::colour(int index)
{
    write_path();
    rgb_words(index);
    word("f ");
}

void PostScriptDevice::direct_colour(std::uint32_t rgb)
{
    write_path();
    words({(rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF});
    word("f ");
}

void PostScriptDevice::fill_rect(double x, double y, double w, double h, int index)
{
    write_path();
    DevicePoint a = device_point(x, y);
    DevicePoint b = device_point(x + w, y + h);
    words({a.x, a.y, b.x, b.y});
    rgb_words(index);
    word("e ");
}

void PostScriptDevice::fill_sector(double x, double y, double r1, double r2, double a1, double a2, int index)
{
    write_path();
    DevicePoint c = device_point(x, y);
    fragment("%5ld %5ld %5ld %5ld %8.2f %8.2f ", c.x, c.y, device_int(scale_ * r1), device_int(scale_ * r2),
             printable_angle(device_angle(a1)), printable_angle(device_angle(a2)));
    rgb_words(index);
    word("sec ");
}

void PostScriptDevice::character(int code, double x, double y, double angle)
{
    write_path();
    DevicePoint c = device_point(x, y);
    fragment("%5d %5ld %5ld %5ld c ", std::clamp(code, 0, 255), c.x, c.y, device_int(device_angle(angle)));
}

void PostScriptDevice::line_width(double units, const char* format)
{
    write_path();
    fragment(format, units);
    word("setlinewidth ");
    width_units_ = units;
}

void PostScriptDevice::write_font_size(double height)
{
    const PlotState& s = state();
    long size = font_size(height);
    fragment("%s-German) %5ld font ", name_literal(s.postscript.font).c_str(), size);
    font_size_ = size;
}

void PostScriptDevice::font(const std::string& name)
{
    write_path();
    std::string literal = name_literal(name);
    fragment("%s) %s-German) GermanVec ReEncodeSmall ", literal.c_str(), literal.c_str());
    write_font_size(state().text.height);
}

void PostScriptDevice::hardware_text(double x, double y, std::string_view text, double height, double angle)
{
    PlotState& s = state();
    if (!std::isfinite(angle))
        angle = 0.0;
    if (s.postscript.font.empty()) {
        // Hardware text without a PSFONT choice is HWFONT's: Times-Roman.
        select_postscript_font("Times-Roman");
    }
    write_path();
    if (font_size(height) != font_size_)
        write_font_size(height);
    int missing = 0;
    std::vector<FontRun> runs = font_runs(text, width_font(), missing);
    if (missing > 0)
        warn_missing_characters(missing, text);
    const double a = angle * std::numbers::pi / 180.0;
    if (runs.size() == 1 && runs[0].codes.size() == 1) {
        // One character is a hardware character: the character operator,
        // centred on the middle of its base line.
        double half = run_length(runs[0], height) / 2;
        if (runs[0].symbol)
            fragment("(Symbol) %5ld font ", font_size_);
        character(static_cast<unsigned char>(runs[0].codes[0]), x + half * std::cos(a), y - half * std::sin(a), angle);
        if (runs[0].symbol)
            write_font_size(height);
        return;
    }
    // Each run starts where the one before ends; the Symbol font is selected
    // for its runs only.
    double along = 0;
    for (const FontRun& run : runs) {
        if (run.symbol)
            fragment("(Symbol) %5ld font ", font_size_);
        // A hex string: any byte is safe in it and the blanks that the word
        // append puts between its pieces are ignored.
        static constexpr char hex[] = "0123456789ABCDEF";
        std::string piece = "<";
        for (char ch : run.codes) {
            auto c = static_cast<unsigned char>(ch);
            piece += hex[c >> 4];
            piece += hex[c & 15];
            if (piece.size() >= 64) {
                piece += ' ';
                word(piece);
                piece.clear();
            }
        }
        piece += "> ";
        word(piece);
        DevicePoint p = device_point(x + along * std::cos(a), y - along * std::sin(a));
        fragment("%5ld %5ld %5ld 0 text ", p.x, p.y, device_int(device_angle(angle)));
        if (run.symbol)
            write_font_size(height);
        along += run_length(run, height);
    }
}

int PostScriptDevice::width_font() const
{
    // The widths of the chosen standard font (Times-Roman, whose font HWFONT
    // takes, before any choice).
    const PlotState& s = state();
    return s.postscript.font.empty() ? 0 : std::clamp(s.postscript.font_index, 0, postscript_standard_font_count - 1);
}

double PostScriptDevice::run_length(const FontRun& run, double height) const
{
    // At the size the font operator is given.
    long size = font_size(height);
    return static_cast<double>(run.width) / 1000.0 * static_cast<double>(size) / points_per_unit / scale_;
}

double PostScriptDevice::hardware_text_length(std::string_view text, double height) const
{
    int missing = 0;
    double length = 0;
    for (const FontRun& run : font_runs(text, width_font(), missing))
        length += run_length(run, height);
    return length;
}

void PostScriptDevice::line_shape(const LineShape& shape, unsigned changed)
{
    write_path();
    char text[48];
    if (changed & line_cap_part) {
        std::snprintf(text, sizeof text, "%d setlinecap ", shape.cap);
        word(text);
    }
    if (changed & line_join_part) {
        std::snprintf(text, sizeof text, "%d setlinejoin ", shape.join);
        word(text);
    }
    if (changed & miter_limit_part) {
        std::snprintf(text, sizeof text, "%.2f setmiterlimit ", shape.miter_limit);
        word(text);
    }
}

void PostScriptDevice::new_page()
{
    PlotState& s = state();
    write_path();
    word("copypage ");
    if (paints_background())
        black_page();
    else
        word("erasepage ");
    colour(s.current_colour);
}

void PostScriptDevice::close()
{
    write_path();
    word("showpage ");
    state().scaling_factor = user_factor_;
}

PostScriptDevice* active_device()
{
    PlotState& s = state();
    if (s.device_code < 501 || s.device_code > 600 || !s.device)
        return nullptr;
    return dynamic_cast<PostScriptDevice*>(s.device.get());
}

// The line shape of the plot state, told to the device of the plot.
void set_line_shape(const LineShape& shape, unsigned changed)
{
    PlotState& s = state();
    s.postscript.line_shape = shape;
    if (s.device)
        s.device->line_shape(shape, changed);
}

void apply_line_width(const char* format)
{
    if (PostScriptDevice* device = active_device())
        device->line_width(state().postscript.line_width, format);
}

}  // namespace

std::string_view postscript_standard_font(int i)
{
    if (i < 0 || i >= postscript_standard_font_count)
        return {};
    return standard_fonts[static_cast<std::size_t>(i)];
}

int find_postscript_standard_font(std::string_view name)
{
    for (int i = 0; i < postscript_standard_font_count; ++i) {
        std::string_view entry = standard_fonts[static_cast<std::size_t>(i)];
        if (entry.size() != name.size())
            continue;
        bool same = true;
        for (std::size_t k = 0; k < entry.size() && same; ++k)
            same = std::toupper(static_cast<unsigned char>(entry[k])) == std::toupper(static_cast<unsigned char>(name[k]));
        if (same)
            return i;
    }
    return -1;
}

void reset_postscript_attributes(PlotState& s, std::string_view key)
{
    // NOBGD is a page setting like HWORIG: only its own key takes it back.
    if (key == "NOBG")
        s.postscript.no_background = false;
    if (key != "ALL ")
        return;
    PostScriptSettings& ps = s.postscript;
    ps.font.clear();
    ps.font_index = 0;
    ps.line_width = default_line_width;
    ps.linwid = PostScriptSettings{}.linwid;
    if (PostScriptDevice* device = active_device())
        device->restore_line_width(ps.line_width);
    // The prolog's caps and joins; when any part had changed, the whole
    // shape is given back to the device.
    const LineShape d;
    const LineShape& l = ps.line_shape;
    if (l.cap != d.cap || l.join != d.join || l.miter_limit != d.miter_limit)
        set_line_shape(d, line_cap_part | line_join_part | miter_limit_part);
}

std::unique_ptr<Device> make_postscript_device(int device_code)
{
    return std::make_unique<PostScriptDevice>(device_code);
}

bool postscript_active() { return active_device() != nullptr; }

void postscript_fill_sector(double x, double y, double r1, double r2, double a1, double a2, int index)
{
    if (PostScriptDevice* device = active_device())
        device->fill_sector(x, y, r1, r2, a1, a2, index);
}

void postscript_char(int code, double x, double y, double angle)
{
    if (PostScriptDevice* device = active_device())
        device->character(code, x, y, angle);
}

void select_postscript_font(std::string_view name)
{
    PlotState& s = state();
    std::string given(name.substr(0, postscript_font_name_limit));
    while (!given.empty() && given.back() == ' ')
        given.pop_back();
    if (given.empty()) {
        warning(2);
        return;
    }
    int index = find_postscript_standard_font(given);
    if (index >= 0) {
        s.postscript.font = standard_fonts[static_cast<std::size_t>(index)];
        s.postscript.font_index = index;
    } else {
        ++s.warning_count;
        if (s.message_unit != 0)
            message_print(" <<<< Warning: " + given + " is not a standard font!\n");
        s.postscript.font = given;
        s.postscript.font_index = 0;
    }
    if (PostScriptDevice* device = active_device())
        device->font(s.postscript.font);
}

// --- Library routines --------------------------------------------------------

void linwid(int n)
{
    soft_level_check("linwid");
    state().postscript.line_width = std::max(2.0 * n, default_line_width);
    state().postscript.linwid = n;
    apply_line_width("%5.0f cm ");
}

int getlin()
{
    soft_level_check("getlin");
    return state().postscript.linwid;
}

void penwid(double x)
{
    soft_level_check("penwid");
    if (!std::isfinite(x) || x < 0 || x > 1e6) {
        warning(2);
        return;
    }
    state().postscript.line_width = x <= 1 ? 5 * x : 2 * x;
    apply_line_width("%8.2f cm ");
}

// LNCAP, LNJOIN, LNMLT: the ends of lines, their corners and the miter limit
// of sharp corners, applied at once by the devices that draw thick lines with
// them (PostScript, PDF, SVG, PNG); the others keep their fixed lines.
void lncap(std::string_view option)
{
    soft_level_check("lncap");
    int n = keyword_lookup("CUT +ROUN+LONG", 3, option);
    if (n == 0)
        return;
    LineShape shape = state().postscript.line_shape;
    shape.cap = n - 1;
    set_line_shape(shape, line_cap_part);
}

void lnjoin(std::string_view option)
{
    soft_level_check("lnjoin");
    int n = keyword_lookup("SHAR+ROUN+TRUN", 3, option);
    if (n == 0)
        return;
    LineShape shape = state().postscript.line_shape;
    shape.join = n - 1;
    set_line_shape(shape, line_join_part);
}

void lnmlt(double x)
{
    soft_level_check("lnmlt");
    if (!(x >= 1 && x <= 1e6)) {
        warning(2);
        return;
    }
    LineShape shape = state().postscript.line_shape;
    shape.miter_limit = x;
    set_line_shape(shape, miter_limit_part);
}

// NOBGD: "PSCL" leaves its pages white (page setting, until RESET("NOBGD")).
void nobgd()
{
    if (level_check(0, 3, "nobgd"))
        return;
    state().postscript.no_background = true;
}

void psfont(std::string_view name)
{
    soft_level_check("psfont");
    PlotState& s = state();
    // The paper formats set their text in the same fonts.
    if ((s.device_code < 501 || s.device_code > 600) && !is_paper_device(s.device_code)) {
        warning(49);
        return;
    }
    select_postscript_font(name);
    // Text is now drawn in the PostScript font.
    if (!s.postscript.font.empty())
        s.text.hardware_font = true;
}

void hworig(int nx, int ny)
{
    if (level_check(0, 0, "hworig"))
        return;
    PostScriptSettings& ps = state().postscript;
    ps.hw_origin = true;
    ps.hw_origin_x = nx;
    ps.hw_origin_y = ny;
}

}  // namespace korvan
