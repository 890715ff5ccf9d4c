// The paper device: the plot in PostScript's device units (rounded as
// PostScript rounds them), drawn through the canvas of its format in them.
#include "plot/devices/paper_device.hpp"

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "plat/paths.hpp"
#include "plot/devices/paper_canvas.hpp"
#include "plot/devices/paper_fonts.hpp"
#include "plot/devices/paper_text.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/page_picture.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

class PaperDevice final : public Device {
public:
    explicit PaperDevice(std::unique_ptr<PaperCanvas> canvas) : canvas_(std::move(canvas)) {}

    void open() override;
    void point(double x, double y, bool draw) override;
    void colour(int index) override
    {
        stroke_path();
        index_ = std::clamp(index, 0, 255);
        direct_ = false;
    }
    bool has_direct_colour() const override { return true; }
    void direct_colour(std::uint32_t rgb) override
    {
        stroke_path();
        rgb_ = rgb;
        direct_ = true;
    }
    void fill_rect(double x, double y, double w, double h, int index) override;
    bool has_area_fill() const override { return true; }
    void fill_area(std::span<const AreaPoint> corners) override;
    void line_shape(const LineShape& shape, unsigned /*changed*/) override
    {
        stroke_path();
        shape_ = shape;
    }
    void new_page() override;
    void flush() override
    {
        write_path();
        lay_picture();
    }
    bool has_hardware_font() const override { return true; }
    void hardware_text(double x, double y, std::string_view text, double height, double angle) override;
    double hardware_text_length(std::string_view text, double height) const override;
    PagePicture* page_picture() override;
    void close() override;

private:
    // Plot coordinates to device units on the page (PostScript's, rounded as
    // there, counted from the upper left corner).
    PaperPoint page_point(double x, double y) const
    {
        double ux = std::round(scale_ * x);
        double uy = std::round(scale_ * (page_height_ - y));
        return {ux, page_h_ - uy};
    }
    PaperColour colour_of(int index) const { return rgb_colour(state().colour_table[static_cast<std::size_t>(index)]); }
    static PaperColour rgb_colour(std::uint32_t rgb)
    {
        return {static_cast<std::uint8_t>(rgb >> 16), static_cast<std::uint8_t>(rgb >> 8), static_cast<std::uint8_t>(rgb)};
    }
    PaperColour current() const { return direct_ ? rgb_colour(rgb_) : colour_of(index_); }
    // PostScript's font size (points of its scaled page) in device units.
    double font_size(double height) const
    {
        return std::max(1.0, std::trunc(height * scale_ * 0.25)) * factor_ / unit_;
    }
    // Writes what is pending: the rectangle, then the line.
    void write_path();
    // Writes the line, after the rectangle when there is one; a rectangle
    // alone stays pending (colour changes keep it).
    void stroke_path();
    void write_rect();
    void start_page();
    void end_page();
    // Lays the pixels written into the picture since the last time over the page.
    void lay_picture();

    std::unique_ptr<PaperCanvas> canvas_;
    bool failed_ = false;   // the file could not be made: nothing more is drawn
    bool page_open_ = false;
    std::string first_file_;
    int page_ = 0;
    double scale_ = postscript_fixed_scale;
    double factor_ = 1.0;
    double unit_ = postscript_points_per_unit;  // points of one device unit
    double page_height_ = 0;        // plot units
    double page_w_ = 0;             // device units
    double page_h_ = 0;
    int index_ = 1;
    LineShape shape_;
    std::uint32_t rgb_ = 0;
    bool direct_ = false;
    std::vector<PaperPoint> path_;
    // Filled rectangles of one colour that share a whole edge are written as
    // one (the cells of a shaded plot): the one being gathered.
    struct PendingRect {
        double x0 = 0, y0 = 0, x1 = 0, y1 = 0;
        PaperColour colour;
        bool open = false;
    } rect_;
    PaperPoint last_{};
    bool has_last_ = false;
    PagePicture picture_;
};

void PaperDevice::open()
{
    PlotState& s = state();
    // The fit to the paper as PostScript computes it; the page is not turned.
    const PostScriptPlacement placement = postscript_placement(s);
    scale_ = placement.scale;
    factor_ = placement.factor;
    s.device_scale = scale_;
    unit_ = postscript_points_per_unit * factor_;
    page_height_ = s.page_height;
    page_w_ = scale_ * s.page_width;
    page_h_ = scale_ * s.page_height;

    first_file_ = file_version(s.output_file);
    s.output_file = make_absolute(first_file_);
    page_ = 1;
    start_page();
}

void PaperDevice::start_page()
{
    std::string file = page_ == 1 ? first_file_ : file_version(page_file_name(first_file_, page_));
    errno = 0;
    if (canvas_->begin_page(file, page_w_, page_h_, unit_)) {
        page_open_ = true;
        return;
    }
    failed_ = true;
    plot_file_error(file, errno);
}

void PaperDevice::end_page()
{
    write_path();
    lay_picture();
    if (!page_open_)
        return;
    page_open_ = false;
    errno = 0;
    if (!canvas_->end_page() && !failed_) {
        failed_ = true;
        plot_file_error(state().output_file, errno);
    }
}

void PaperDevice::write_path()
{
    write_rect();
    stroke_path();
}

void PaperDevice::write_rect()
{
    if (rect_.open && page_open_)
        canvas_->fill_rect(rect_.x0, rect_.y0, rect_.x1 - rect_.x0, rect_.y1 - rect_.y0, rect_.colour);
    rect_.open = false;
}

void PaperDevice::stroke_path()
{
    if (path_.size() >= 2 && page_open_) {
        write_rect();
        canvas_->stroke(path_, current(), state().postscript.line_width, shape_);
    }
    // A lone point draws nothing; it stays the start of a following draw.
    path_.clear();
}

void PaperDevice::point(double x, double y, bool draw)
{
    if (!std::isfinite(x) || !std::isfinite(y))
        return;
    PaperPoint p = page_point(std::clamp(x, -1e7, 1e7), std::clamp(y, -1e7, 1e7));
    if (!draw) {
        write_path();
        path_.push_back(p);
    } else {
        if (path_.empty() && has_last_)
            path_.push_back(last_);
        // Points that round to the same device unit add nothing to the line.
        if (path_.empty() || path_.back().x != p.x || path_.back().y != p.y)
            path_.push_back(p);
    }
    last_ = p;
    has_last_ = true;
}

void PaperDevice::fill_rect(double x, double y, double w, double h, int index)
{
    stroke_path();
    if (!page_open_ || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(w) || !std::isfinite(h))
        return;
    PaperPoint a = page_point(std::clamp(x, -1e7, 1e7), std::clamp(y, -1e7, 1e7));
    PaperPoint b = page_point(std::clamp(x + w, -1e7, 1e7), std::clamp(y + h, -1e7, 1e7));
    PendingRect r{std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y),
                  colour_of(std::clamp(index, 0, 255)), true};
    PendingRect& p = rect_;
    const bool same_colour = p.open && p.colour.r == r.colour.r && p.colour.g == r.colour.g && p.colour.b == r.colour.b;
    if (same_colour && p.y0 == r.y0 && p.y1 == r.y1 && (p.x1 == r.x0 || p.x0 == r.x1)) {
        p.x0 = std::min(p.x0, r.x0);
        p.x1 = std::max(p.x1, r.x1);
        return;
    }
    if (same_colour && p.x0 == r.x0 && p.x1 == r.x1 && (p.y1 == r.y0 || p.y0 == r.y1)) {
        p.y0 = std::min(p.y0, r.y0);
        p.y1 = std::max(p.y1, r.y1);
        return;
    }
    write_rect();
    rect_ = r;
}

void PaperDevice::fill_area(std::span<const AreaPoint> corners)
{
    write_path();
    if (!page_open_ || corners.size() < 3)
        return;
    std::vector<PaperPoint> points;
    points.reserve(corners.size());
    for (const AreaPoint& c : corners) {
        if (!std::isfinite(c.x) || !std::isfinite(c.y))
            return;
        points.push_back(page_point(std::clamp(c.x, -1e7, 1e7), std::clamp(c.y, -1e7, 1e7)));
    }
    canvas_->fill_polygon(points, current());
}

void PaperDevice::hardware_text(double x, double y, std::string_view text, double height, double angle)
{
    write_path();
    if (!page_open_ || !std::isfinite(x) || !std::isfinite(y) || !std::isfinite(angle))
        return;
    const PaperFont& font = paper_font(state().postscript.font);
    PaperText t;
    PaperPoint at = page_point(std::clamp(x, -1e7, 1e7), std::clamp(y, -1e7, 1e7));
    t.x = at.x;
    t.y = at.y;
    t.utf8 = paper_text_in_font(font, text);
    t.font = &font;
    t.size = font_size(height);
    t.angle = std::round(angle);
    t.colour = current();
    canvas_->text(t);
}

double PaperDevice::hardware_text_length(std::string_view text, double height) const
{
    const PaperFont& font = paper_font(state().postscript.font);
    double units = paper_text_advance(font, paper_text_in_font(font, text, false)) * font_size(height);
    return units / scale_;
}

PagePicture* PaperDevice::page_picture()
{
    if (picture_.empty() && !picture_.create(state()))
        return nullptr;
    return &picture_;
}

void PaperDevice::lay_picture()
{
    if (!picture_.pending())
        return;
    if (!page_open_) {
        picture_.laid();
        return;
    }
    const Raster& r = picture_.pixels();
    const bool turned = picture_.turned();
    // The picture upright on the page: its columns along the page's x.
    const int columns = turned ? r.height() : r.width();
    const int rows = turned ? r.width() : r.height();
    auto raster_x = [&](int u, int v) { return turned ? v : u; };
    auto raster_y = [&](int u, int v) { return turned ? r.height() - 1 - u : v; };
    // Only the box of the written pixels is laid.
    int u0 = columns, v0 = rows, u1 = -1, v1 = -1;
    for (int v = 0; v < rows; ++v)
        for (int u = 0; u < columns; ++u)
            if (picture_.written(raster_x(u, v), raster_y(u, v))) {
                u0 = std::min(u0, u);
                u1 = std::max(u1, u);
                v0 = std::min(v0, v);
                v1 = std::max(v1, v);
            }
    if (u1 >= 0) {
        PaperImage image;
        image.width = u1 - u0 + 1;
        image.height = v1 - v0 + 1;
        image.rgb.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height) * 3);
        image.mask.reserve(static_cast<std::size_t>(image.width) * static_cast<std::size_t>(image.height));
        const auto& table = state().colour_table;
        for (int v = v0; v <= v1; ++v)
            for (int u = u0; u <= u1; ++u) {
                const int x = raster_x(u, v);
                const int y = raster_y(u, v);
                const PaperColour c = rgb_colour(table[static_cast<std::size_t>(r.get(x, y) & 0xFF)]);
                image.rgb.insert(image.rgb.end(), {c.r, c.g, c.b});
                image.mask.push_back(picture_.written(x, y) ? 255 : 0);
            }
        // Pixel (u, v) of the upright picture is the plot point (left + u / s, v / s).
        const double s = picture_.scale();
        const double left = turned ? state().page_width - (columns - 1) / s : 0.0;
        image.x = scale_ * (left + (u0 - 0.5) / s);
        image.y = page_h_ - scale_ * (page_height_ - (v0 - 0.5) / s);
        image.w = scale_ * image.width / s;
        image.h = scale_ * image.height / s;
        canvas_->image(image);
    }
    picture_.laid();
}

void PaperDevice::new_page()
{
    if (failed_)
        return;
    end_page();
    if (canvas_->one_file()) {
        start_page();
        return;
    }
    ++page_;
    start_page();
}

void PaperDevice::close()
{
    end_page();
    errno = 0;
    if (!canvas_->finish() && !failed_)
        plot_file_error(state().output_file, errno);
}

}  // namespace

std::unique_ptr<Device> make_paper_device(std::unique_ptr<PaperCanvas> canvas)
{
    return std::make_unique<PaperDevice>(std::move(canvas));
}

std::string page_file_name(const std::string& first, int n)
{
    std::size_t dir = plat::directory_part_length(first);
    std::size_t dot = first.rfind('.');
    std::string number = "-" + std::to_string(n);
    if (dot == std::string::npos || dot < dir)
        return first + number;
    return first.substr(0, dot) + number + first.substr(dot);
}

double png_dots_per_inch()
{
    const char* text = std::getenv("KORVAN_PNG_DPI");
    if (text == nullptr)
        return 150.0;
    char* end = nullptr;
    double dpi = std::strtod(text, &end);
    if (end == text || !(dpi >= 10.0 && dpi <= 2400.0))
        return 150.0;
    return dpi;
}

}  // namespace korvan
