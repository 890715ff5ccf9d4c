// The GKSVAN metafile writer.
#include "plot/kernel/gksvan.hpp"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>

#include "plot/kernel/colour_tables.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/line_fill.hpp"

namespace korvan {

std::size_t gksvan_field(double value, char* out)
{
    // Fast path for the values a metafile holds (0 <= value < 100); near a
    // rounding tie, and for anything else, the C library decides.
    if (!std::signbit(value) && value < 99.99999) {
        double scaled = value * 1e7;
        double whole = std::floor(scaled);
        double frac = scaled - whole;
        if (std::fabs(frac - 0.5) > 1e-5) {
            auto n = static_cast<std::uint64_t>(whole) + (frac > 0.5 ? 1 : 0);
            auto int_part = static_cast<unsigned>(n / 10000000);
            auto dec = static_cast<unsigned>(n % 10000000);
            if (int_part < 100) {
                out[0] = int_part >= 10 ? static_cast<char>('0' + int_part / 10) : ' ';
                out[1] = static_cast<char>('0' + int_part % 10);
                out[2] = '.';
                for (int i = 9; i >= 3; --i) {
                    out[i] = static_cast<char>('0' + dec % 10);
                    dec /= 10;
                }
                return 10;
            }
        }
    }
    int n = std::snprintf(out, gksvan_field_room, "%10.7f", value);
    if (n < 0)
        return 0;
    return std::min<std::size_t>(static_cast<std::size_t>(n), gksvan_field_room - 1);
}

namespace {

double unit_range(double v)
{
    if (v >= 0.0 && v <= 1.0)
        return v;
    return v > 1.0 ? 1.0 : 0.0;  // NaN too goes to 0
}

class GksvanDevice final : public Device {
public:
    void open() override
    {
        PlotState& s = state();
        double width = static_cast<float>(s.page_width) * s.scaling_factor * 0.01;
        double height = static_cast<float>(s.page_height) * s.scaling_factor * 0.01;
        if (s.page_mode == 1)
            std::swap(width, height);
        char header[64];
        int n = std::snprintf(header, sizeof header, "%10.1f%10.1f\n", width, height);
        if (n > 0)
            s.out.write_raw(std::string_view(header, std::min<std::size_t>(static_cast<std::size_t>(n), 63)));
        portrait_ = s.page_mode == 1;
        height_ = s.page_height;
        double longer = std::max(s.page_width, s.page_height);
        inverse_ = longer > 0 ? 1.0 / longer : 1.0;
        s.device_scale = inverse_;
        last_pen_ = 0;
    }

    void point(double x, double y, bool draw) override
    {
        double fx = portrait_ ? y * inverse_ : x * inverse_;
        double fy = portrait_ ? x * inverse_ : (height_ - y) * inverse_;
        // The format has no room for values outside 0..1 (a reader takes a
        // negative field for garbage): points off the page are put on its edge.
        field(unit_range(fx));
        field(unit_range(fy));
        int pen = draw ? 2 : 3;
        if (pen != last_pen_) {
            field(draw ? gksvan_draw : gksvan_move);
            last_pen_ = pen;
        }
    }

    void colour(int index) override
    {
        if (index == state().current_colour)
            return;
        // Each field is an item of its own: lines break only between fields.
        std::string fields = metafile_colour_fields(index);
        for (std::size_t at = 0; at + 10 <= fields.size(); at += 10)
            state().out.append(fields.data() + at, 10);
    }

    // The metafile has no area element: rectangles are filled with lines.
    void fill_rect(double x, double y, double w, double h, int index) override
    {
        fill_rect_with_lines(x, y, w, h, index);
    }

    // A metafile holds one page.
    void new_page() override {}

    void close() override
    {
        field(gksvan_end);
        last_pen_ = 0;
    }

private:
    void field(double value)
    {
        char text[gksvan_field_room];
        std::size_t n = gksvan_field(value, text);
        state().out.append(text, n);
    }

    bool portrait_ = false;
    double height_ = 0;
    double inverse_ = 1.0;
    int last_pen_ = 0;
};

}  // namespace

std::unique_ptr<Device> make_gksvan_device() { return std::make_unique<GksvanDevice>(); }

}  // namespace korvan
