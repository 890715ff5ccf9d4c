#include "plot/win/screen_text.hpp"

#include <algorithm>
#include <cmath>

#include "plat/hardware_font.hpp"
#include "plot/win/screen.hpp"

namespace korvan::win {

bool screen_font_available() { return plat::hardware_font() != nullptr; }

void draw_text(double x, double y, std::u32string_view text, double cap_pixels, double angle)
{
    const plat::HardwareFont* font = plat::hardware_font();
    const Bitmap* window = screen().bitmap(screen().current_window());
    if (font == nullptr || window == nullptr || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(angle))
        return;
    // Glyphs whose pen is farther off the window than a glyph reaches are not rasterised.
    const double reach = 3 * cap_pixels;
    const double radians = angle * 3.14159265358979323846 / 180.0;
    const double c = std::cos(radians);
    const double s = std::sin(radians);
    // Pixel centres are at whole coordinates, as for lines: a pixel's upper
    // left corner is half a pixel up and left of its position.
    const double corner_x = std::clamp(x, -1e9, 1e9) + 0.5;
    const double corner_y = std::clamp(y, -1e9, 1e9) + 0.5;
    double along = 0;  // pixels along the base line
    plat::GlyphImage glyph;
    for (const char32_t code : text) {
        const double pen_x = corner_x + along * c;
        const double pen_y = corner_y - along * s;
        const double px = std::floor(pen_x);
        const double py = std::floor(pen_y);
        const bool near = px > -reach && py > -reach && px < window->width + reach && py < window->height + reach;
        if (near && font->render(code, cap_pixels, angle, pen_x - px, pen_y - py, glyph))
            screen().draw_ink(static_cast<int>(px) + glyph.left, static_cast<int>(py) + glyph.top, glyph.width,
                              glyph.height, glyph.ink.data());
        along += font->advance(code) * cap_pixels;
    }
}

double text_advance(std::u32string_view text)
{
    const plat::HardwareFont* font = plat::hardware_font();
    if (font == nullptr)
        return 0.0;
    double sum = 0;
    for (const char32_t c : text)
        sum += font->advance(c);
    return sum;
}

bool screen_font_has(char32_t c)
{
    const plat::HardwareFont* font = plat::hardware_font();
    return font != nullptr && font->has(c);
}

}  // namespace korvan::win
