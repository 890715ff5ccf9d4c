#include "plat/hardware_font.hpp"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_OUTLINE_H

#include <array>
#include <cmath>

namespace korvan::plat {

struct HardwareFont::Face {
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    double em_units = 0;
    double cap_units = 0;                 // height of the capital H in font units
    std::array<double, 256> advances{};   // of the first 256 codes, in capital heights; 0 without a glyph

    double advance_of(char32_t c) const
    {
        if (FT_Get_Char_Index(face, c) == 0 || FT_Load_Char(face, c, FT_LOAD_NO_SCALE) != 0)
            return 0.0;
        return static_cast<double>(face->glyph->metrics.horiAdvance) / cap_units;
    }

    ~Face()
    {
        if (face != nullptr)
            FT_Done_Face(face);
        if (library != nullptr)
            FT_Done_FreeType(library);
    }
};

HardwareFont::HardwareFont(std::unique_ptr<Face> face) : face_(std::move(face)) {}

HardwareFont::~HardwareFont() = default;

std::unique_ptr<HardwareFont> HardwareFont::open(const std::string& path)
{
    auto face = std::make_unique<Face>();
    if (FT_Init_FreeType(&face->library) != 0)
        return nullptr;
    if (FT_New_Face(face->library, path.c_str(), 0, &face->face) != 0)
        return nullptr;
    FT_Face f = face->face;
    if (!FT_IS_SCALABLE(f) || f->units_per_EM == 0 || FT_Select_Charmap(f, FT_ENCODING_UNICODE) != 0)
        return nullptr;
    face->em_units = f->units_per_EM;
    face->cap_units = 0.7 * face->em_units;
    if (FT_Load_Char(f, 'H', FT_LOAD_NO_SCALE) == 0 && f->glyph->metrics.height > 0)
        face->cap_units = static_cast<double>(f->glyph->metrics.height);
    for (char32_t c = 0; c < 256; ++c)
        face->advances[c] = face->advance_of(c);
    return std::unique_ptr<HardwareFont>(new HardwareFont(std::move(face)));
}

bool HardwareFont::has(char32_t c) const { return FT_Get_Char_Index(face_->face, c) != 0; }

double HardwareFont::advance(char32_t c) const { return c < 256 ? face_->advances[c] : face_->advance_of(c); }

namespace {
// Sine and cosine with exact values at the quarter turns.
void turn(double angle, double& s, double& c)
{
    double a = std::fmod(angle, 360.0);
    if (a < 0)
        a += 360.0;
    if (a == 0 || a == 90 || a == 180 || a == 270) {
        const int q = static_cast<int>(a) / 90;
        static constexpr int sines[4] = {0, 1, 0, -1};
        s = sines[q];
        c = sines[(q + 1) % 4];
        return;
    }
    const double r = a * 3.14159265358979323846 / 180.0;
    s = std::sin(r);
    c = std::cos(r);
}

FT_Fixed fixed(double v) { return static_cast<FT_Fixed>(std::lround(v * 65536.0)); }
}  // namespace

bool HardwareFont::render(char32_t c, double cap_pixels, double angle, double fx, double fy,
                          GlyphImage& out) const
{
    out = GlyphImage{};
    FT_Face f = face_->face;
    const FT_UInt index = FT_Get_Char_Index(f, c);
    if (index == 0 || !(cap_pixels >= 0.5) || cap_pixels > cap_pixel_limit || !std::isfinite(angle) ||
        !std::isfinite(fx) || !std::isfinite(fy))
        return false;
    const double em_pixels = cap_pixels * face_->em_units / face_->cap_units;
    if (FT_Set_Char_Size(f, 0, static_cast<FT_F26Dot6>(std::lround(em_pixels * 64.0)), 72, 72) != 0)
        return false;
    // The font's y axis points up, the screen's down.
    double s = 0;
    double co = 1;
    turn(angle, s, co);
    FT_Matrix matrix{fixed(co), fixed(-s), fixed(s), fixed(co)};
    FT_Vector pen{static_cast<FT_Pos>(std::lround(fx * 64.0)), static_cast<FT_Pos>(std::lround(-fy * 64.0))};
    FT_Set_Transform(f, &matrix, &pen);
    const FT_Error error = FT_Load_Glyph(f, index, FT_LOAD_RENDER | FT_LOAD_MONOCHROME | FT_LOAD_TARGET_MONO);
    FT_Set_Transform(f, nullptr, nullptr);
    if (error != 0)
        return false;
    const FT_Bitmap& bitmap = f->glyph->bitmap;
    if (bitmap.pixel_mode != FT_PIXEL_MODE_MONO || bitmap.pitch < 0 || bitmap.width == 0 || bitmap.rows == 0)
        return false;
    out.left = f->glyph->bitmap_left;
    out.top = -f->glyph->bitmap_top;
    out.width = static_cast<int>(bitmap.width);
    out.height = static_cast<int>(bitmap.rows);
    out.ink.assign(static_cast<std::size_t>(out.width) * static_cast<std::size_t>(out.height), 0);
    for (int y = 0; y < out.height; ++y) {
        const unsigned char* row = bitmap.buffer + static_cast<std::ptrdiff_t>(y) * bitmap.pitch;
        for (int x = 0; x < out.width; ++x)
            out.ink[static_cast<std::size_t>(y) * out.width + x] = (row[x >> 3] >> (7 - (x & 7))) & 1;
    }
    return true;
}

namespace {

// Collects the rings of an outline in font units; curves are cut into
// curve_pieces lines each.
struct RingCollector {
    static constexpr int curve_pieces = 8;
    std::vector<OutlineRing> rings;
    OutlinePoint at;

    static RingCollector& of(void* user) { return *static_cast<RingCollector*>(user); }
    static OutlinePoint point(const FT_Vector* v)
    {
        return {static_cast<double>(v->x), static_cast<double>(v->y)};
    }
    void add(OutlinePoint p)
    {
        if (rings.empty())
            rings.emplace_back();
        rings.back().push_back(p);
        at = p;
    }
    static int move_to(const FT_Vector* to, void* user)
    {
        RingCollector& r = of(user);
        r.rings.emplace_back();
        r.add(point(to));
        return 0;
    }
    static int line_to(const FT_Vector* to, void* user)
    {
        of(user).add(point(to));
        return 0;
    }
    static int conic_to(const FT_Vector* control, const FT_Vector* to, void* user)
    {
        RingCollector& r = of(user);
        OutlinePoint a = r.at;
        OutlinePoint c = point(control);
        OutlinePoint b = point(to);
        for (int k = 1; k <= curve_pieces; ++k) {
            double t = static_cast<double>(k) / curve_pieces;
            double u = 1 - t;
            r.add({u * u * a.x + 2 * u * t * c.x + t * t * b.x, u * u * a.y + 2 * u * t * c.y + t * t * b.y});
        }
        return 0;
    }
    static int cubic_to(const FT_Vector* c1, const FT_Vector* c2, const FT_Vector* to, void* user)
    {
        RingCollector& r = of(user);
        OutlinePoint a = r.at;
        OutlinePoint p = point(c1);
        OutlinePoint q = point(c2);
        OutlinePoint b = point(to);
        for (int k = 1; k <= curve_pieces; ++k) {
            double t = static_cast<double>(k) / curve_pieces;
            double u = 1 - t;
            double wa = u * u * u, wp = 3 * u * u * t, wq = 3 * u * t * t, wb = t * t * t;
            r.add({wa * a.x + wp * p.x + wq * q.x + wb * b.x, wa * a.y + wp * p.y + wq * q.y + wb * b.y});
        }
        return 0;
    }
};

}  // namespace

bool HardwareFont::outline(unsigned char c, std::vector<OutlineRing>& rings) const
{
    rings.clear();
    FT_Face f = face_->face;
    const FT_UInt index = FT_Get_Char_Index(f, c);
    if (index == 0 || FT_Load_Glyph(f, index, FT_LOAD_NO_SCALE) != 0 || f->glyph->format != FT_GLYPH_FORMAT_OUTLINE)
        return false;
    RingCollector collector;
    FT_Outline_Funcs funcs{};
    funcs.move_to = &RingCollector::move_to;
    funcs.line_to = &RingCollector::line_to;
    funcs.conic_to = &RingCollector::conic_to;
    funcs.cubic_to = &RingCollector::cubic_to;
    if (FT_Outline_Decompose(&f->glyph->outline, &funcs, &collector) != 0)
        return false;
    for (OutlineRing& ring : collector.rings) {
        if (ring.size() < 3)
            continue;
        for (OutlinePoint& p : ring) {
            p.x /= face_->cap_units;
            p.y /= face_->cap_units;
        }
        rings.push_back(std::move(ring));
    }
    return !rings.empty();
}

namespace {
struct Installed {
    std::string path = KORVAN_HARDWARE_FONT_FILE;
    bool tried = false;
    std::unique_ptr<HardwareFont> font;
};

Installed& installed()
{
    static Installed state;
    return state;
}
}  // namespace

const HardwareFont* hardware_font()
{
    Installed& s = installed();
    if (!s.tried) {
        s.tried = true;
        s.font = HardwareFont::open(s.path);
    }
    return s.font.get();
}

void set_hardware_font_path(const std::string& path)
{
    Installed& s = installed();
    s.path = path.empty() ? KORVAN_HARDWARE_FONT_FILE : path;
    s.tried = false;
    s.font.reset();
}

}  // namespace korvan::plat
