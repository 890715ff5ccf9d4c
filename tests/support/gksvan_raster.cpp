#include "tests/support/gksvan_raster.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>

#include "plot/kernel/gksvan_reader.hpp"

namespace korvan::test {

namespace {

class RasterSink final : public GksvanReader::Sink {
public:
    RasterSink(plat::Picture& picture, const RasterOptions& options, double page_w, double page_h)
        : picture_(picture), options_(options), page_h_(page_h)
    {
        longer_ = std::max(page_w, page_h);
        // The page's right edge is the last pixel column, not one beyond it.
        scale_ = (picture.width - 1) / page_w;
        colour(255);
    }

    void point(double x, double y, bool draw) override
    {
        ++points;
        double px = x * longer_ * scale_;
        double py = (page_h_ - y * longer_) * scale_;
        if (draw && have_last_)
            line(last_x_, last_y_, px, py);
        last_x_ = px;
        last_y_ = py;
        have_last_ = true;
    }

    void colour(int index) override
    {
        ++colour_changes;
        std::uint32_t rgb = options_.table[static_cast<std::size_t>(index & 255)];
        if (options_.paper && rgb == 0xFFFFFF)
            rgb = 0x000000;
        ink_ = rgb;
    }

    long points = 0;
    long colour_changes = -1;  // the first colour is the default

private:
    void plot(int x, int y)
    {
        if (x < 0 || y < 0 || x >= picture_.width || y >= picture_.height)
            return;
        std::uint8_t* p = picture_.rgb.data() + (static_cast<std::size_t>(y) * picture_.width + x) * 3;
        p[0] = static_cast<std::uint8_t>(ink_ >> 16);
        p[1] = static_cast<std::uint8_t>(ink_ >> 8);
        p[2] = static_cast<std::uint8_t>(ink_);
    }

    void line(double x0, double y0, double x1, double y1)
    {
        int ax = static_cast<int>(std::lround(x0));
        int ay = static_cast<int>(std::lround(y0));
        int bx = static_cast<int>(std::lround(x1));
        int by = static_cast<int>(std::lround(y1));
        int dx = std::abs(bx - ax);
        int dy = -std::abs(by - ay);
        int sx = ax < bx ? 1 : -1;
        int sy = ay < by ? 1 : -1;
        int err = dx + dy;
        for (;;) {
            plot(ax, ay);
            if (ax == bx && ay == by)
                break;
            int e2 = 2 * err;
            if (e2 >= dy) {
                err += dy;
                ax += sx;
            }
            if (e2 <= dx) {
                err += dx;
                ay += sy;
            }
        }
    }

    plat::Picture& picture_;
    const RasterOptions& options_;
    double page_h_;
    double longer_ = 1;
    double scale_ = 1;
    std::uint32_t ink_ = 0;
    double last_x_ = 0;
    double last_y_ = 0;
    bool have_last_ = false;
};

}  // namespace

RasterResult render_gksvan(const std::string& file, plat::Picture& picture, const RasterOptions& options)
{
    RasterResult result;
    std::FILE* in = std::fopen(file.c_str(), "r");
    if (in == nullptr)
        return result;
    GksvanReader reader(in);
    double w = 0;
    double h = 0;
    if (!reader.read_header(w, h) || options.width <= 0) {
        std::fclose(in);
        return result;
    }
    result.ok = true;
    int height_px = std::max(1, static_cast<int>(std::lround(options.width * h / w)));
    picture.resize(options.width, height_px);
    std::uint32_t background = options.paper ? 0xFFFFFF : options.table[0];
    for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        picture.rgb[i] = static_cast<std::uint8_t>(background >> 16);
        picture.rgb[i + 1] = static_cast<std::uint8_t>(background >> 8);
        picture.rgb[i + 2] = static_cast<std::uint8_t>(background);
    }
    RasterSink sink(picture, options, w, h);
    result.complete = reader.play(sink) == GksvanReader::Result::complete;
    result.points = sink.points;
    result.colour_changes = sink.colour_changes;
    std::fclose(in);
    return result;
}

long ink_pixels(const plat::Picture& picture, int x0, int y0, int x1, int y1, std::uint32_t background)
{
    x0 = std::max(x0, 0);
    y0 = std::max(y0, 0);
    x1 = std::min(x1, picture.width);
    y1 = std::min(y1, picture.height);
    long n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint8_t* p = picture.rgb.data() + (static_cast<std::size_t>(y) * picture.width + x) * 3;
            std::uint32_t rgb = (static_cast<std::uint32_t>(p[0]) << 16) | (p[1] << 8) | p[2];
            if (rgb != background)
                ++n;
        }
    return n;
}

long colour_pixels(const plat::Picture& picture, std::uint32_t rgb)
{
    long n = 0;
    for (std::size_t i = 0; i + 2 < picture.rgb.size(); i += 3) {
        std::uint32_t c = (static_cast<std::uint32_t>(picture.rgb[i]) << 16) | (picture.rgb[i + 1] << 8) |
                          picture.rgb[i + 2];
        if (c == rgb)
            ++n;
    }
    return n;
}

}  // namespace korvan::test
