// The HPGL writer (devices 401-405).
//
// "HPGL" maps (x, y) to (s x, s (H - y)), in page mode 1 to (s y, s x). The
// paper devices draw a landscape page as (s x, s (H - y)) and turn a portrait
// one: (s (H - y), s (W - x)). Filled areas reach the file as lines.
#include "plot/kernel/hpgl.hpp"

#include <algorithm>
#include <cmath>
#include <cstdarg>
#include <cstdio>
#include <string>

#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/line_fill.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

// Plotter units per plot unit at true size (0.1 mm / 0.025 mm).
constexpr double nominal_scale = 4.0;
// Largest plotter coordinate written; "%8d" holds it.
constexpr double coordinate_limit = 99999999.0;

struct Paper {
    double longer;
    double shorter;
};

// Plotter paper of HPA4, HPA3, HPA2 and HPA1 in plotter units.
constexpr Paper papers[] = {{10870, 7600}, {15970, 10870}, {21360, 13440}, {30280, 21360}};

// HPA4 to HPA1.
bool fitted_device(int code) { return code >= 402 && code <= 405; }

long plotter_int(double v)
{
    if (!(v == v))
        return 0;
    return std::lround(std::clamp(v, -coordinate_limit, coordinate_limit));
}

// A command formatted and then stripped of every blank, as one item.
void command(const char* format, ...) __attribute__((format(printf, 1, 2)));
void command(const char* format, ...)
{
    char text[64];
    va_list args;
    va_start(args, format);
    int n = std::vsnprintf(text, sizeof text, format, args);
    va_end(args);
    if (n < 0)
        return;
    std::string compact;
    for (const char* c = text; *c != '\0'; ++c) {
        if (*c != ' ')
            compact += *c;
    }
    state().out.append(compact);
}

class HpglDevice final : public Device {
public:
    explicit HpglDevice(int code) : code_(code) {}

    void open() override
    {
        PlotState& s = state();
        s.out.write_raw(" SP1;\n");
        scale_ = hpgl_device_scale(code_, s.page_width, s.page_height, s.scaling_mode, s.scaling_factor);
        s.device_scale = scale_;
        width_ = s.page_width;
        height_ = s.page_height;
        fitted_ = fitted_device(code_);
        turned_ = fitted_ ? s.page_height >= s.page_width : s.page_mode == 1;
    }

    void point(double x, double y, bool draw) override
    {
        double px = scale_ * x;
        double py = scale_ * (height_ - y);
        if (turned_ && fitted_) {
            px = scale_ * (height_ - y);
            py = scale_ * (width_ - x);
        } else if (turned_) {
            px = scale_ * y;
            py = scale_ * x;
        }
        command("%s%8ld,%8ld;", draw ? "PD" : "PU", plotter_int(px), plotter_int(py));
    }

    void colour(int index) override
    {
        if (index != state().current_colour)
            command("SP%5d;", index);
    }

    // The plotter fills with its pen: lines one plot unit apart.
    void fill_rect(double x, double y, double w, double h, int index) override
    {
        fill_rect_with_lines(x, y, w, h, index);
    }

    // A plot file holds one sheet.
    void new_page() override {}

    void close() override { state().out.append("PU0,0;"); }

private:
    int code_;
    double scale_ = nominal_scale;
    double width_ = 0.0;
    double height_ = 0.0;
    bool fitted_ = false;
    bool turned_ = false;
};

}  // namespace

double hpgl_device_scale(int device_code, int width, int height, int scaling_mode, double factor)
{
    double limit = nominal_scale * factor;
    if (!fitted_device(device_code))
        return limit;
    const Paper& paper = papers[device_code - 402];
    double longer = std::max(std::max(width, height), 1);
    double shorter = std::max(std::min(width, height), 1);
    double fit = std::min(paper.longer / longer, paper.shorter / shorter);
    if (scaling_mode == 0)
        fit = std::min(fit, limit);
    return fit;
}

std::unique_ptr<Device> make_hpgl_device(int device_code) { return std::make_unique<HpglDevice>(device_code); }

}  // namespace korvan
