// The drawing surface of the paper formats (PDF, SVG, PNG): pages measured in
// page units of a size in points that the page gives (PostScript's device
// units, so that most coordinates are whole numbers), origin at the upper left
// corner, y downward. The paper device turns plot coordinates into these;
// each format supplies one canvas.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "plot/kernel/device.hpp"

namespace korvan {

struct PaperFont;

struct PaperColour {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
};

struct PaperPoint {
    double x = 0;
    double y = 0;
};

// A string in a real font, its base line starting at (x, y), turned by angle
// degrees counter-clockwise.
struct PaperText {
    double x = 0;
    double y = 0;
    std::string utf8;
    const PaperFont* font = nullptr;
    double size = 0;  // font size in units
    double angle = 0;
    PaperColour colour;
};

// Pixels laid over the page: RGB rows from the top, each with a mask byte
// (0 leaves the page as it is); covers the rectangle (x, y, w, h) in units.
struct PaperImage {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;   // 3 bytes a pixel
    std::vector<std::uint8_t> mask;  // 1 byte a pixel
    double x = 0;
    double y = 0;
    double w = 0;
    double h = 0;
};

// The width in points of the outline in the fill colour that vector pages
// draw around filled areas: smoothing readers leave a light seam between
// neighbouring areas without it.
inline constexpr double seam_cover = 0.7;

class PaperCanvas {
public:
    virtual ~PaperCanvas() = default;
    // Canvases that write one file for all pages (PDF) say so; the others get
    // a file name for every page.
    virtual bool one_file() const = 0;
    // Starts a page of width x height units of unit points; false when its
    // file cannot be made. Failures here and below leave the reason in errno.
    virtual bool begin_page(const std::string& file, double width, double height, double unit) = 0;
    // A polyline of at least two points, width in units, its ends and
    // corners in the line shape.
    virtual void stroke(std::span<const PaperPoint> path, PaperColour colour, double width,
                        const LineShape& shape) = 0;
    // Filled areas meet their neighbours without a seam, also where a reader
    // smooths their edges.
    virtual void fill_rect(double x, double y, double w, double h, PaperColour colour) = 0;
    // A closed polygon of at least three corners.
    virtual void fill_polygon(std::span<const PaperPoint> corners, PaperColour colour) = 0;
    virtual void text(const PaperText& text) = 0;
    virtual void image(const PaperImage& image) = 0;
    // Ends the page; false when its file could not be written.
    virtual bool end_page() = 0;
    // Ends the document after the last page; false when it could not be written.
    virtual bool finish() = 0;
};

std::unique_ptr<PaperCanvas> make_pdf_canvas();
std::unique_ptr<PaperCanvas> make_svg_canvas();
std::unique_ptr<PaperCanvas> make_png_canvas(double dots_per_inch);

}  // namespace korvan
