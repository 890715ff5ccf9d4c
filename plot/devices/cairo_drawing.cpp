#include "plot/devices/cairo_drawing.hpp"

#include <cairo-ft.h>
#include <cairo.h>

#include <algorithm>
#include <cmath>
#include <map>
#include <numbers>

#include "plot/devices/paper_fonts.hpp"

namespace korvan {

namespace {

void set_colour(cairo_t* cr, PaperColour c)
{
    cairo_set_source_rgb(cr, c.r / 255.0, c.g / 255.0, c.b / 255.0);
}

// The cairo face of a paper font, made once and kept as long as the FreeType face.
cairo_font_face_t* font_face(const PaperFont& font)
{
    static std::map<const PaperFont*, cairo_font_face_t*> made;
    auto found = made.find(&font);
    if (found != made.end())
        return found->second;
    FT_Face face = paper_face(font);
    cairo_font_face_t* cairo_face = face != nullptr ? cairo_ft_font_face_create_for_ft_face(face, 0) : nullptr;
    made[&font] = cairo_face;
    return cairo_face;
}

}  // namespace

void cairo_stroke_path(cairo_t* cr, double unit, std::span<const PaperPoint> path, PaperColour colour, double width,
                       const LineShape& shape)
{
    static constexpr cairo_line_cap_t caps[] = {CAIRO_LINE_CAP_BUTT, CAIRO_LINE_CAP_ROUND, CAIRO_LINE_CAP_SQUARE};
    static constexpr cairo_line_join_t joins[] = {CAIRO_LINE_JOIN_MITER, CAIRO_LINE_JOIN_ROUND, CAIRO_LINE_JOIN_BEVEL};
    cairo_new_path(cr);
    cairo_move_to(cr, path[0].x * unit, path[0].y * unit);
    for (std::size_t i = 1; i < path.size(); ++i)
        cairo_line_to(cr, path[i].x * unit, path[i].y * unit);
    set_colour(cr, colour);
    cairo_set_line_width(cr, width * unit);
    cairo_set_line_cap(cr, caps[std::clamp(shape.cap, 0, 2)]);
    cairo_set_line_join(cr, joins[std::clamp(shape.join, 0, 2)]);
    cairo_set_miter_limit(cr, shape.miter_limit);
    cairo_stroke(cr);
}

namespace {

// Fills the current path. Pictures (cover 0) fill without smoothing, so that
// the pixels of neighbouring areas meet; vector pages are read by smoothing
// readers, and an outline cover wide in the fill colour covers the light seam
// that smoothing leaves between neighbouring areas.
void fill_path(cairo_t* cr, PaperColour colour, double cover)
{
    set_colour(cr, colour);
    if (cover <= 0) {
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
        cairo_fill(cr);
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_DEFAULT);
        return;
    }
    cairo_fill_preserve(cr);
    cairo_set_line_width(cr, cover);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_MITER);
    cairo_stroke(cr);
}

}  // namespace

void cairo_fill_rect(cairo_t* cr, double unit, double x, double y, double w, double h, PaperColour colour,
                     double cover)
{
    x *= unit;
    y *= unit;
    w *= unit;
    h *= unit;
    cover *= unit;
    cairo_new_path(cr);
    if (cover <= 0) {
        cairo_save(cr);
        // Edges on whole pixels: neighbouring rectangles share their edge
        // exactly, and no pixel centre falls between them.
        double x0 = x, y0 = y, x1 = x + w, y1 = y + h;
        cairo_user_to_device(cr, &x0, &y0);
        cairo_user_to_device(cr, &x1, &y1);
        cairo_identity_matrix(cr);
        x0 = std::round(x0);
        y0 = std::round(y0);
        x1 = std::round(x1);
        y1 = std::round(y1);
        cairo_rectangle(cr, std::min(x0, x1), std::min(y0, y1), std::abs(x1 - x0), std::abs(y1 - y0));
        fill_path(cr, colour, cover);
        cairo_restore(cr);
        return;
    }
    cairo_rectangle(cr, x, y, w, h);
    fill_path(cr, colour, cover);
}

void cairo_fill_polygon(cairo_t* cr, double unit, std::span<const PaperPoint> corners, PaperColour colour,
                        double cover)
{
    cairo_new_path(cr);
    cairo_move_to(cr, corners[0].x * unit, corners[0].y * unit);
    for (std::size_t i = 1; i < corners.size(); ++i)
        cairo_line_to(cr, corners[i].x * unit, corners[i].y * unit);
    // Back to the start with a line rather than a close, which a vector page
    // would write with a further move.
    cairo_line_to(cr, corners[0].x * unit, corners[0].y * unit);
    fill_path(cr, colour, cover * unit);
}

void cairo_draw_text(cairo_t* cr, double unit, const PaperText& text)
{
    cairo_font_face_t* face = text.font != nullptr ? font_face(*text.font) : nullptr;
    if (face == nullptr || text.utf8.empty())
        return;
    cairo_save(cr);
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, text.size * unit);
    set_colour(cr, text.colour);
    cairo_translate(cr, text.x * unit, text.y * unit);
    cairo_rotate(cr, -text.angle * std::numbers::pi / 180.0);
    cairo_move_to(cr, 0, 0);
    cairo_show_text(cr, text.utf8.c_str());
    cairo_restore(cr);
}

cairo_surface_t* cairo_image_surface_of(const PaperImage& image)
{
    cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, std::max(image.width, 1),
                                                         std::max(image.height, 1));
    if (cairo_surface_status(pixels) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pixels);
        return nullptr;
    }
    cairo_surface_flush(pixels);
    unsigned char* data = cairo_image_surface_get_data(pixels);
    int stride = cairo_image_surface_get_stride(pixels);
    for (int y = 0; y < image.height; ++y) {
        auto* row = reinterpret_cast<std::uint32_t*>(data + static_cast<std::ptrdiff_t>(y) * stride);
        for (int x = 0; x < image.width; ++x) {
            std::size_t at = static_cast<std::size_t>(y) * static_cast<std::size_t>(image.width) + static_cast<std::size_t>(x);
            // Premultiplied: a masked-out pixel is all zero.
            row[x] = image.mask[at] == 0 ? 0u
                                         : 0xFF000000u | (static_cast<std::uint32_t>(image.rgb[3 * at]) << 16) |
                                               (static_cast<std::uint32_t>(image.rgb[3 * at + 1]) << 8) |
                                               image.rgb[3 * at + 2];
        }
    }
    cairo_surface_mark_dirty(pixels);
    return pixels;
}

void cairo_draw_image(cairo_t* cr, double unit, const PaperImage& image)
{
    if (image.width <= 0 || image.height <= 0)
        return;
    cairo_surface_t* pixels = cairo_image_surface_of(image);
    if (pixels == nullptr)
        return;
    cairo_save(cr);
    cairo_translate(cr, image.x * unit, image.y * unit);
    cairo_scale(cr, image.w * unit / image.width, image.h * unit / image.height);
    cairo_set_source_surface(cr, pixels, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(pixels);
}

bool CairoCanvas::start(cairo_surface_t* surface)
{
    release();
    surface_ = surface;
    cr_ = cairo_create(surface_);
    if (cairo_status(cr_) != CAIRO_STATUS_SUCCESS) {
        release();
        return false;
    }
    return true;
}

void CairoCanvas::release()
{
    if (cr_ != nullptr)
        cairo_destroy(cr_);
    if (surface_ != nullptr)
        cairo_surface_destroy(surface_);
    cr_ = nullptr;
    surface_ = nullptr;
}

void CairoCanvas::stroke(std::span<const PaperPoint> path, PaperColour colour, double width, const LineShape& shape)
{
    cairo_stroke_path(cr_, unit_, path, colour, width, shape);
}

void CairoCanvas::fill_rect(double x, double y, double w, double h, PaperColour colour)
{
    cairo_fill_rect(cr_, unit_, x, y, w, h, colour, cover_);
}

void CairoCanvas::fill_polygon(std::span<const PaperPoint> corners, PaperColour colour)
{
    cairo_fill_polygon(cr_, unit_, corners, colour, cover_);
}

void CairoCanvas::text(const PaperText& text) { cairo_draw_text(cr_, unit_, text); }

void CairoCanvas::image(const PaperImage& image) { cairo_draw_image(cr_, unit_, image); }

}  // namespace korvan
