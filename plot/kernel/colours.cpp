// The colour routines on the plot state's colour table.
#include "plot/kernel/colours.hpp"

#include <algorithm>
#include <cmath>

#include "plot/devices/paper_device.hpp"
#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

constexpr const char table_keywords[] = "SMAL+RAIN+SPEC+GREY+RRAI+RSPE+RGRE+VGA ";
constexpr const char colour_keywords[] = "WHIT+RED +GREE+YELL+BLUE+ORAN+CYAN+MAGE+BLAC+FORE";

ColourTableName current_table(const PlotState& s)
{
    return static_cast<ColourTableName>(std::clamp(s.colour_table_index, 0, colour_table_name_count - 1));
}

// The screen palette follows the table on screen devices.
void table_changed(PlotState& s)
{
    if (s.device_code <= 100 && s.device)
        s.device->colour_table_changed();
}

bool reversing_device(int code) { return code < 101 || code == 502 || code > 600; }

}  // namespace

void load_named_colour_table(ColourTableName requested)
{
    PlotState& s = state();
    ColourTableName name = table_for_device(requested, s.device_code);
    ColourAttributes& c = s.colours;
    c.pens = pen_map(name);
    if (c.user_table_pending)
        c.user_table_pending = false;
    else
        load_colour_table_for_device(name, s.device_code, s.colour_table);
    for (int j = 1; j <= 30; ++j)
        c.cycle[static_cast<std::size_t>(j)] = colour_cycle_entry(c.pens, j);
    if (colour_table_reversed())
        exchange_background(s.colour_table, name);
    s.colour_table_index = static_cast<int>(name);
    c.lowest = 0;
    c.highest = highest_colour_index(name);
    s.foreground = foreground_index(name, s.device_code);
    c.range_first = 1;
    c.range_last = c.highest - 1;
    table_changed(s);
    select_colour(s.foreground);
}

bool colour_table_reversed()
{
    const PlotState& s = state();
    // Paper is white: the paper formats always draw as reversed.
    return (s.screen_mode == 2 && reversing_device(s.device_code)) || is_paper_device(s.device_code);
}

void setvlt(std::string_view name)
{
    if (level_check(1, 3, "setvlt"))
        return;
    int n = keyword_lookup(table_keywords, colour_table_name_count, name);
    if (n == 0)
        return;
    load_named_colour_table(static_cast<ColourTableName>(n - 1));
}

void myvlt(std::span<const float> red, std::span<const float> green, std::span<const float> blue, int n)
{
    if (level_check(0, 3, "myvlt"))
        return;
    if (n < 1 || n > 256) {
        warning_int(2, n);
        return;
    }
    auto count = static_cast<std::size_t>(n);
    if (red.size() < count || green.size() < count || blue.size() < count) {
        // Fewer values than entries asked for: nothing is read beyond them.
        warning_int(2, n);
        return;
    }
    ColourTable entries = {};
    for (std::size_t k = 0; k < count; ++k) {
        std::optional<std::uint32_t> rgb = rgb_from_fractions(red[k], green[k], blue[k]);
        if (!rgb) {
            warning(2);
            return;
        }
        entries[k] = *rgb;
    }
    PlotState& s = state();
    std::copy_n(entries.begin(), count, s.colour_table.begin());
    if (s.level >= 1)
        table_changed(s);
    else
        s.colours.user_table_pending = true;
}

void setind(int index, double red, double green, double blue)
{
    soft_level_check("setind");
    if (range_check(index, 0, 255))
        return;
    std::optional<std::uint32_t> rgb = rgb_from_fractions(red, green, blue);
    if (!rgb) {
        warning(2);
        return;
    }
    PlotState& s = state();
    s.colour_table[static_cast<std::size_t>(index)] = *rgb;
    table_changed(s);
}

void getind(int index, double& red, double& green, double& blue)
{
    soft_level_check("getind");
    if (range_check(index, 0, 255))
        return;
    std::uint32_t rgb = state().colour_table[static_cast<std::size_t>(index)];
    red = red_of(rgb) / 255.0;
    green = green_of(rgb) / 255.0;
    blue = blue_of(rgb) / 255.0;
}

std::string getvlt()
{
    soft_level_check("getvlt");
    return std::string(colour_table_title(current_table(state())));
}

void setclr(int index)
{
    if (level_check(1, 3, "setclr"))
        return;
    if (range_check(index, 0, 255))
        return;
    select_colour(index);
}

void color(std::string_view name)
{
    if (level_check(1, 3, "color"))
        return;
    int n = keyword_lookup(colour_keywords, 10, name);
    if (n == 0)
        return;
    const PlotState& s = state();
    select_colour(n == 10 ? s.foreground : s.colours.pens[static_cast<std::size_t>(n - 1)]);
}

int getclr()
{
    soft_level_check("getclr");
    return state().current_colour;
}

void revscr()
{
    soft_level_check("revscr");
    PlotState& s = state();
    exchange_background(s.colour_table, current_table(s));
    if (s.device_code <= 500 || s.device_code > 600) {
        table_changed(s);
    } else if (s.device) {
        // PostScript writes the colour's RGB: the current index shows its new colour.
        s.device->colour(s.current_colour);
    }
}

void colran(int first, int last)
{
    soft_level_check("colran");
    PlotState& s = state();
    if (range_check(first, s.colours.lowest, s.colours.highest))
        return;
    if (range_check(last, first, s.colours.highest))
        return;
    s.colours.range_first = first;
    s.colours.range_last = last;
}

void getran(int& first, int& last)
{
    soft_level_check("getran");
    first = state().colours.range_first;
    last = state().colours.range_last;
}

void clrcyc(int index, int colour)
{
    soft_level_check("clrcyc");
    if (range_check(index, 1, 30) || range_check(colour, 0, 255))
        return;
    state().colours.cycle[static_cast<std::size_t>(index)] = colour;
}

void set_colour_scaling(double axis_start, double axis_end, bool logarithmic)
{
    ColourAttributes& c = state().colours;
    c.scaling = colour_scaling(axis_start, axis_end, logarithmic, c.range_first, c.range_last);
}

int colour_of_value(double value)
{
    const ColourAttributes& c = state().colours;
    return value_to_colour(value, c.scaling, {c.lowest, c.highest});
}

int cycle_colour(int j)
{
    if (j < 1 || j > 30)
        j = (j - 1) % 30 + 1;
    if (j < 1)
        j += 30;
    return state().colours.cycle[static_cast<std::size_t>(j)];
}

void colray(std::span<const float> values, std::span<int> colours, int n)
{
    if (level_check(3, 3, "colray"))
        return;
    if (n <= 0)
        return;
    auto count = std::min({static_cast<std::size_t>(n), values.size(), colours.size()});
    const ColourAttributes& c = state().colours;
    values_to_colours(values.first(count), colours.first(count), c.scaling, {c.lowest, c.highest});
}

void hsvrgb(double h, double s, double v, double& r, double& g, double& b)
{
    if (level_check(0, 3, "hsvrgb"))
        return;
    std::optional<Rgb> rgb = hsv_to_rgb(h, s, v);
    if (!rgb) {
        warning(2);
        return;
    }
    r = rgb->red;
    g = rgb->green;
    b = rgb->blue;
}

void rgbhsv(double r, double g, double b, double& h, double& s, double& v)
{
    if (level_check(0, 3, "rgbhsv"))
        return;
    std::optional<Hsv> hsv = rgb_to_hsv(r, g, b);
    if (!hsv) {
        warning(2);
        return;
    }
    h = hsv->hue;
    s = hsv->saturation;
    v = hsv->value;
}

}  // namespace korvan
