// The Kyocera writer (device 301).
//
// The header chooses the paper orientation and margins; points are absolute
// moves and draws in dots, not turned (the orientation command turns them).
#include "plot/kernel/kyocera.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string_view>

#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

// Dots per plot unit at true size (300 dots per inch, 0.1 mm per unit).
constexpr double nominal_scale = 1.1811024;
// The printable area in dots (longer and shorter side).
constexpr double area_long = 3390.0;
constexpr double area_short = 2362.0;
// Coordinates are written with four digits.
constexpr double dot_low = -999.0;
constexpr double dot_high = 9999.0;

constexpr std::array<std::array<std::uint8_t, 8>, kyocera_pattern_count> patterns = {{
    {128, 0, 0, 0, 0, 0, 0, 0},
    {128, 0, 0, 0, 8, 0, 0, 0},
    {128, 0, 0, 32, 0, 0, 4, 0},
    {128, 8, 0, 0, 64, 4, 0, 0},
    {128, 16, 2, 0, 32, 0, 8, 1},
    {128, 16, 2, 64, 8, 1, 32, 4},
    {170, 0, 85, 0, 170, 0, 85, 0},
    {170, 85, 170, 85, 170, 85, 170, 85},
    {255, 255, 255, 255, 255, 255, 255, 255},
}};

int dots(double v)
{
    if (!(v == v))
        return 0;
    return static_cast<int>(std::lround(std::clamp(v, dot_low, dot_high)));
}

void item(const char* text, std::size_t n) { state().out.append(text, n); }
void item(std::string_view text) { state().out.append(text); }

// One formatted item of the record buffer.
template <typename... Args>
void formatted(const char* format, Args... args)
{
    char text[96];
    int n = std::snprintf(text, sizeof text, format, args...);
    if (n > 0)
        item(text, std::min<std::size_t>(static_cast<std::size_t>(n), sizeof text - 1));
}

class KyoceraDevice final : public Device {
public:
    void open() override
    {
        PlotState& s = state();
        if (s.page_height < s.page_width) {
            item("!R! UNIT C;SPO L;SLM 0;");
            item("SRM 28.7;STM 0;SBM 20;");
        } else {
            item("!R! UNIT C;SPO P;SLM 0;");
            item("SRM 20;STM 0;SBM 28.7;");
        }
        item("UNIT D;");
        scale_ = kyocera_device_scale(s.page_width, s.page_height, s.scaling_mode, s.scaling_factor);
        s.device_scale = scale_;
    }

    void point(double x, double y, bool draw) override
    {
        item(draw ? "DAP " : "MAP ");
        formatted("%4d,", dots(scale_ * x));
        formatted("%4d;", dots(scale_ * y));
    }

    // A monochrome printer: colours are not written.
    void colour(int) override {}

    void fill_rect(double x, double y, double w, double h, int index) override
    {
        const PlotState& s = state();
        int p = kyocera_fill_code(s.colour_table[static_cast<std::size_t>(std::clamp(index, 0, 255))]) % 10;
        if (p == 0)
            return;
        int left = dots(scale_ * std::min(x, x + w));
        int right = dots(scale_ * std::max(x, x + w));
        int top = dots(scale_ * std::min(y, y + h));
        int bottom = dots(scale_ * std::max(y, y + h));
        const std::array<std::uint8_t, 8>& rows = kyocera_pattern(p);
        formatted("MAP %4d,%4d; ", left, top);
        formatted("FPAT %3d,%3d,%3d,%3d,%3d,%3d,%3d,%3d; ", rows[0], rows[1], rows[2], rows[3], rows[4], rows[5],
                  rows[6], rows[7]);
        formatted("BLK %4d,%4d;", right - left + 1, bottom - top + 1);
    }

    void new_page() override { item("PAGE;"); }

    void close() override { item("RES;EXIT;"); }

private:
    double scale_ = nominal_scale;
};

}  // namespace

const std::array<std::uint8_t, 8>& kyocera_pattern(int p)
{
    return patterns[static_cast<std::size_t>(std::clamp(p, 1, kyocera_pattern_count) - 1)];
}

int kyocera_fill_code(std::uint32_t rgb)
{
    double r = (rgb >> 16) & 0xFF;
    double g = (rgb >> 8) & 0xFF;
    double b = rgb & 0xFF;
    double brightness = (0.299 * r + 0.587 * g + 0.114 * b) / 255.0;
    return static_cast<int>(std::lround(brightness * kyocera_pattern_count));
}

double kyocera_device_scale(int width, int height, int scaling_mode, double factor)
{
    double w = std::max(width, 1);
    double h = std::max(height, 1);
    double fit = height < width ? std::min(area_long / w, area_short / h) : std::min(area_short / w, area_long / h);
    if (scaling_mode == 0)
        fit = std::min(fit, nominal_scale * factor);
    return fit;
}

std::unique_ptr<Device> make_kyocera_device() { return std::make_unique<KyoceraDevice>(); }

}  // namespace korvan
