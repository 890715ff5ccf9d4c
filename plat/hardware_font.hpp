// The screen's own font for hardware text: a scalable font file rasterised
// into one-bit glyph images (no smoothing, so that every pixel is either ink
// or untouched and the palette screens keep exact colour indices). The same
// file gives the same pixels on a display and without one.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace korvan::plat {

// A glyph's ink: one byte per pixel (1 ink, 0 none), rows from the top. Its
// upper left pixel is (left, top) pixels from the pen's pixel, y downward.
struct GlyphImage {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> ink;

    bool inked(int x, int y) const { return ink[static_cast<std::size_t>(y) * width + x] != 0; }
};

// A point of a glyph outline in capital heights from the pen, y upward.
struct OutlinePoint {
    double x = 0;
    double y = 0;
};
using OutlineRing = std::vector<OutlinePoint>;

class HardwareFont {
public:
    // nullptr when the file cannot be read as a scalable font.
    static std::unique_ptr<HardwareFont> open(const std::string& path);
    ~HardwareFont();
    HardwareFont(const HardwareFont&) = delete;
    HardwareFont& operator=(const HardwareFont&) = delete;

    // True when the font has a glyph for character c (Unicode).
    bool has(char32_t c) const;

    // The advance of character c in units of the height of the capital
    // letters; 0 without a glyph.
    double advance(char32_t c) const;

    // The ink of character c with capital letters cap_pixels tall, turned by
    // angle degrees counter-clockwise about the pen, which stands at the
    // fraction (fx, fy) of a pixel right of and below its pixel's corner.
    // Returns false (and an empty image) when nothing can be drawn.
    bool render(char32_t c, double cap_pixels, double angle, double fx, double fy, GlyphImage& out) const;

    // The outline of character c as closed rings (curves cut into short
    // lines); the rings fill the glyph by the even-odd rule. False (and no
    // rings) when the font has no such glyph.
    bool outline(unsigned char c, std::vector<OutlineRing>& rings) const;

    // Capital letters larger than this are not rasterised.
    static constexpr double cap_pixel_limit = 4000;

private:
    struct Face;
    explicit HardwareFont(std::unique_ptr<Face> face);
    std::unique_ptr<Face> face_;
};

// The installed font (a Times-like roman); nullptr when it is missing.
const HardwareFont* hardware_font();

// Uses another font file from now on (tests); an empty path restores the
// installed one.
void set_hardware_font_path(const std::string& path);

}  // namespace korvan::plat
