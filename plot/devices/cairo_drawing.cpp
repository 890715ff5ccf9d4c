#include "plot/devices/cairo_drawing.hpp"

#include <cairo-ft.h>
#include <cairo.h>

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

void cairo_stroke_path(cairo_t* cr, std::span<const PaperPoint> path, PaperColour colour, double width)
{
    cairo_new_path(cr);
    cairo_move_to(cr, path[0].x, path[0].y);
    for (std::size_t i = 1; i < path.size(); ++i)
        cairo_line_to(cr, path[i].x, path[i].y);
    set_colour(cr, colour);
    cairo_set_line_width(cr, width);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_SQUARE);
    cairo_set_line_join(cr, CAIRO_LINE_JOIN_BEVEL);
    cairo_stroke(cr);
}

void cairo_fill_rect(cairo_t* cr, double x, double y, double w, double h, PaperColour colour, bool sharp_edges)
{
    cairo_save(cr);
    if (sharp_edges)
        cairo_set_antialias(cr, CAIRO_ANTIALIAS_NONE);
    cairo_new_path(cr);
    cairo_rectangle(cr, x, y, w, h);
    set_colour(cr, colour);
    cairo_fill(cr);
    cairo_restore(cr);
}

void cairo_draw_text(cairo_t* cr, const PaperText& text)
{
    cairo_font_face_t* face = text.font != nullptr ? font_face(*text.font) : nullptr;
    if (face == nullptr || text.utf8.empty())
        return;
    cairo_save(cr);
    cairo_set_font_face(cr, face);
    cairo_set_font_size(cr, text.size);
    set_colour(cr, text.colour);
    cairo_translate(cr, text.x, text.y);
    cairo_rotate(cr, -text.angle * std::numbers::pi / 180.0);
    cairo_move_to(cr, 0, 0);
    cairo_show_text(cr, text.utf8.c_str());
    cairo_restore(cr);
}

void cairo_draw_image(cairo_t* cr, const PaperImage& image)
{
    if (image.width <= 0 || image.height <= 0)
        return;
    cairo_surface_t* pixels = cairo_image_surface_create(CAIRO_FORMAT_ARGB32, image.width, image.height);
    if (cairo_surface_status(pixels) != CAIRO_STATUS_SUCCESS) {
        cairo_surface_destroy(pixels);
        return;
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
    cairo_save(cr);
    cairo_translate(cr, image.x, image.y);
    cairo_scale(cr, image.w / image.width, image.h / image.height);
    cairo_set_source_surface(cr, pixels, 0, 0);
    cairo_pattern_set_filter(cairo_get_source(cr), CAIRO_FILTER_NEAREST);
    cairo_paint(cr);
    cairo_restore(cr);
    cairo_surface_destroy(pixels);
}

}  // namespace korvan
