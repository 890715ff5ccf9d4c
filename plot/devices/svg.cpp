// The SVG format: every page a file of its own with the plot as paths,
// rectangles, pictures and real text elements, so that the text of a page can
// be selected and searched. (cairo's SVG surface would turn text into glyph
// outlines; the elements are therefore written here.)
#include <cairo.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdio>

#include "plat/written_file.hpp"
#include "plot/devices/cairo_drawing.hpp"
#include "plot/devices/paper_canvas.hpp"
#include "plot/devices/paper_device.hpp"
#include "plot/devices/paper_fonts.hpp"
#include "plot/kernel/device.hpp"

namespace korvan {

namespace {

std::string colour_text(PaperColour c)
{
    char text[8];
    std::snprintf(text, sizeof text, "#%02x%02x%02x", c.r, c.g, c.b);
    return text;
}

// A number with at most two decimals and without trailing zeros.
std::string number(double v)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2f", std::isfinite(v) ? v : 0.0);
    std::string s = text;
    while (!s.empty() && s.back() == '0')
        s.pop_back();
    if (!s.empty() && s.back() == '.')
        s.pop_back();
    if (s == "-0")
        s = "0";
    return s;
}

std::string escaped(std::string_view text)
{
    std::string out;
    for (char c : text) {
        switch (c) {
        case '&': out += "&amp;"; break;
        case '<': out += "&lt;"; break;
        case '>': out += "&gt;"; break;
        case '"': out += "&quot;"; break;
        default:
            // Control characters are not allowed in XML.
            if (static_cast<unsigned char>(c) >= 0x20 || c == '\t')
                out += c;
        }
    }
    return out;
}

// Path data of a polyline: "M" the first point, "L" the others.
std::string path_data(std::span<const PaperPoint> path)
{
    std::string d = "M" + number(path[0].x) + " " + number(path[0].y);
    for (std::size_t i = 1; i < path.size(); ++i) {
        d += i == 1 ? "L" : " ";
        d += number(path[i].x);
        d += ' ';
        d += number(path[i].y);
    }
    return d;
}

std::string base64(const std::string& bytes)
{
    static constexpr char digits[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string out;
    std::size_t i = 0;
    for (; i + 2 < bytes.size(); i += 3) {
        unsigned v = (static_cast<unsigned char>(bytes[i]) << 16) | (static_cast<unsigned char>(bytes[i + 1]) << 8) |
                     static_cast<unsigned char>(bytes[i + 2]);
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += digits[(v >> 6) & 63];
        out += digits[v & 63];
    }
    if (i < bytes.size()) {
        unsigned v = static_cast<unsigned char>(bytes[i]) << 16;
        if (i + 1 < bytes.size())
            v |= static_cast<unsigned char>(bytes[i + 1]) << 8;
        out += digits[v >> 18];
        out += digits[(v >> 12) & 63];
        out += i + 1 < bytes.size() ? digits[(v >> 6) & 63] : '=';
        out += '=';
    }
    return out;
}

cairo_status_t append_bytes(void* closure, const unsigned char* data, unsigned int length)
{
    static_cast<std::string*>(closure)->append(reinterpret_cast<const char*>(data), length);
    return CAIRO_STATUS_SUCCESS;
}

// The picture as PNG bytes, masked pixels transparent.
std::string png_bytes(const PaperImage& image)
{
    std::string bytes;
    if (cairo_surface_t* pixels = cairo_image_surface_of(image)) {
        cairo_surface_write_to_png_stream(pixels, append_bytes, &bytes);
        cairo_surface_destroy(pixels);
    }
    return bytes;
}

class SvgCanvas final : public PaperCanvas {
public:
    bool one_file() const override { return false; }
    bool begin_page(const std::string& file, double width, double height, double unit) override
    {
        if (!file_.create(file, "w")) {
            errno = file_.error();
            return false;
        }
        cover_ = " stroke-width=\"" + number(seam_cover / unit) + "\" stroke-linejoin=\"miter\"";
        std::string w = number(width);
        std::string h = number(height);
        std::fprintf(file_.stream(),
                     "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                     "<svg xmlns=\"http://www.w3.org/2000/svg\" version=\"1.1\" width=\"%spt\" height=\"%spt\" "
                     "viewBox=\"0 0 %s %s\">\n"
                     "<rect width=\"%s\" height=\"%s\" fill=\"#ffffff\"/>\n"
                     "<g fill=\"none\" stroke-linecap=\"square\" stroke-linejoin=\"bevel\">\n",
                     number(width * unit).c_str(), number(height * unit).c_str(), w.c_str(), h.c_str(), w.c_str(),
                     h.c_str());
        return true;
    }
    // The page's group draws square ends and truncated corners; another
    // shape is given with the path.
    void stroke(std::span<const PaperPoint> path, PaperColour colour, double width, const LineShape& shape) override
    {
        static constexpr const char* caps[] = {" stroke-linecap=\"butt\"", " stroke-linecap=\"round\"", ""};
        static constexpr const char* joins[] = {" stroke-linejoin=\"miter\"", " stroke-linejoin=\"round\"", ""};
        std::string miter = shape.join == 0 ? " stroke-miterlimit=\"" + number(shape.miter_limit) + "\"" : "";
        std::fprintf(file_.stream(), "<path stroke=\"%s\" stroke-width=\"%s\"%s%s%s d=\"%s\"/>\n",
                     colour_text(colour).c_str(), number(width).c_str(), caps[std::clamp(shape.cap, 0, 2)],
                     joins[std::clamp(shape.join, 0, 2)], miter.c_str(), path_data(path).c_str());
    }
    // Filled areas carry an outline in their colour, so that neighbouring
    // areas meet without a seam in smoothing readers.
    void fill_rect(double x, double y, double w, double h, PaperColour colour) override
    {
        std::string c = colour_text(colour);
        std::fprintf(file_.stream(), "<rect x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" fill=\"%s\" stroke=\"%s\"%s/>\n",
                     number(x).c_str(), number(y).c_str(), number(w).c_str(), number(h).c_str(), c.c_str(), c.c_str(),
                     cover_.c_str());
    }
    void fill_polygon(std::span<const PaperPoint> corners, PaperColour colour) override
    {
        std::string c = colour_text(colour);
        std::fprintf(file_.stream(), "<path fill=\"%s\" stroke=\"%s\"%s d=\"%sZ\"/>\n", c.c_str(), c.c_str(), cover_.c_str(),
                     path_data(corners).c_str());
    }
    void text(const PaperText& t) override
    {
        if (t.font == nullptr || t.utf8.empty())
            return;
        std::string turn;
        if (t.angle != 0)
            turn = " transform=\"rotate(" + number(-t.angle) + " " + number(t.x) + " " + number(t.y) + ")\"";
        std::fprintf(file_.stream(),
                     "<text x=\"%s\" y=\"%s\" font-family=\"%s\" font-size=\"%s\" font-weight=\"%d\" "
                     "font-style=\"%s\" fill=\"%s\" stroke=\"none\" xml:space=\"preserve\"%s>%s</text>\n",
                     number(t.x).c_str(), number(t.y).c_str(), t.font->family, number(t.size).c_str(), t.font->weight,
                     t.font->italic ? "italic" : "normal", colour_text(t.colour).c_str(), turn.c_str(),
                     escaped(t.utf8).c_str());
    }
    void image(const PaperImage& image) override
    {
        if (image.width <= 0 || image.height <= 0)
            return;
        std::fprintf(file_.stream(),
                     "<image x=\"%s\" y=\"%s\" width=\"%s\" height=\"%s\" preserveAspectRatio=\"none\" "
                     "style=\"image-rendering:pixelated\" href=\"data:image/png;base64,%s\"/>\n",
                     number(image.x).c_str(), number(image.y).c_str(), number(image.w).c_str(),
                     number(image.h).c_str(), base64(png_bytes(image)).c_str());
    }
    bool end_page() override
    {
        if (!file_.is_open())
            return false;
        file_.write("</g>\n</svg>\n");
        errno = file_.close();
        return errno == 0;
    }
    bool finish() override { return true; }

private:
    plat::WrittenFile file_;
    // The attributes of the outline of filled areas.
    std::string cover_;
};

}  // namespace

std::unique_ptr<PaperCanvas> make_svg_canvas() { return std::make_unique<SvgCanvas>(); }

std::unique_ptr<Device> make_svg_device() { return make_paper_device(make_svg_canvas()); }

}  // namespace korvan
