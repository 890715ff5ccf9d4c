#include "plot/kernel/colour_tables.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <utility>

namespace korvan {

namespace {

constexpr std::uint32_t small_table[9] = {0x000000, 0xFFFFFF, 0xFF0000, 0x00FF00, 0x0000FF,
                                          0xFFFF00, 0xFF5500, 0x00FFFF, 0xFF00FF};

constexpr std::uint32_t vga_table[16] = {0x000000, 0x0000AA, 0x00AA00, 0x00AAAA, 0xAA0000, 0xAA00AA,
                                         0xAA5500, 0xAAAAAA, 0x555555, 0x5555FF, 0x55FF55, 0x55FFFF,
                                         0xFF5555, 0xFF55FF, 0xFFFF55, 0xFFFFFF};

// Rows of the rainbow through which the ramp runs; between them every channel
// is interpolated linearly.
struct RainbowRow {
    int index;
    int red;
    int green;
    int blue;
};
constexpr RainbowRow rainbow_rows[] = {
    {1, 34, 0, 68},     {2, 38, 0, 77},     {16, 41, 0, 190},   {32, 0, 8, 255},    {48, 0, 68, 255},
    {64, 0, 132, 255},  {80, 0, 192, 255},  {96, 0, 255, 255},  {112, 0, 255, 191}, {128, 0, 255, 82},
    {144, 51, 255, 0},  {160, 123, 255, 0}, {176, 191, 255, 0}, {192, 255, 255, 0}, {208, 255, 187, 0},
    {224, 255, 123, 0}, {240, 255, 58, 0},  {253, 255, 4, 0},   {254, 255, 0, 0}};

ColourTable make_rainbow() {
    ColourTable t{};
    t[0] = 0x000000;
    t[255] = 0xFFFFFF;
    for (std::size_t r = 0; r + 1 < std::size(rainbow_rows); ++r) {
        const RainbowRow& a = rainbow_rows[r];
        const RainbowRow& b = rainbow_rows[r + 1];
        const int span = b.index - a.index;
        for (int i = a.index; i <= b.index; ++i) {
            const double f = static_cast<double>(i - a.index) / span;
            auto mix = [f](int x, int y) { return static_cast<int>(std::lround(x + (y - x) * f)); };
            t[static_cast<std::size_t>(i)] = pack_rgb(mix(a.red, b.red), mix(a.green, b.green), mix(a.blue, b.blue));
        }
    }
    return t;
}

// Magenta at 1 through blue, cyan, green and yellow to red at 254, in five parts.
ColourTable make_spectrum() {
    ColourTable t{};
    t[0] = 0x000000;
    t[255] = 0xFFFFFF;
    for (int i = 1; i <= 254; ++i) {
        const double u = (i - 1) * 1275.0 / 253.0;
        const int s = std::min(4, static_cast<int>(std::floor(u / 255.0)));
        const int f = static_cast<int>(std::lround(u - 255.0 * s));
        std::uint32_t c = 0;
        switch (s) {
            case 0: c = pack_rgb(255 - f, 0, 255); break;
            case 1: c = pack_rgb(0, f, 255); break;
            case 2: c = pack_rgb(0, 255, 255 - f); break;
            case 3: c = pack_rgb(f, 255, 0); break;
            default: c = pack_rgb(255, 255 - f, 0); break;
        }
        t[static_cast<std::size_t>(i)] = c;
    }
    // The part boundaries fall between entries, so rounding leaves the corner
    // entries a few units off the pure colours; they are meant to be exact.
    t[52] = 0x0000FF;
    t[102] = 0x00FFFF;
    t[153] = 0x00FF00;
    t[204] = 0xFFFF00;
    return t;
}

ColourTable make_grey() {
    ColourTable t{};
    for (int i = 0; i < 256; ++i) {
        t[static_cast<std::size_t>(i)] = pack_rgb(i, i, i);
    }
    return t;
}

constexpr PenMap small_pens = {1, 2, 3, 5, 4, 6, 7, 8, 1};
constexpr PenMap rainbow_pens = {255, 254, 138, 192, 30, 223, 96, 13, 0};
constexpr PenMap spectrum_pens = {255, 254, 154, 205, 53, 235, 103, 1, 0};
constexpr PenMap grey_pens = {255, 230, 185, 150, 95, 215, 175, 110, 255};
constexpr PenMap vga_pens = {15, 4, 2, 14, 1, 12, 3, 5, 0};

// Channel fraction to 0..255, rounded half away from zero.
int channel(double fraction) {
    const double x = fraction * 255.0;
    const double r = x < 0 ? -std::floor(-x + 0.5) : std::floor(x + 0.5);
    return std::clamp(static_cast<int>(r), 0, 255);
}

bool within(double x, double low, double high) { return x >= low && x <= high; }

}  // namespace

std::span<const std::uint32_t> small_colours() { return small_table; }
std::span<const std::uint32_t> vga_colours() { return vga_table; }

const ColourTable& rainbow_colours() {
    static const ColourTable t = make_rainbow();
    return t;
}

const ColourTable& spectrum_colours() {
    static const ColourTable t = make_spectrum();
    return t;
}

const ColourTable& grey_colours() {
    static const ColourTable t = make_grey();
    return t;
}

std::string_view colour_table_title(ColourTableName name) {
    switch (name) {
        case ColourTableName::smal: return "SMALL";
        case ColourTableName::rain: return "RAIN";
        case ColourTableName::spec: return "SPEC";
        case ColourTableName::grey: return "GREY";
        case ColourTableName::rrai: return "RRAIN";
        case ColourTableName::rspe: return "RSPEC";
        case ColourTableName::rgre: return "RGREY";
        case ColourTableName::vga: return "VGA";
    }
    return "";
}

bool is_reversed_table(ColourTableName name) {
    return name == ColourTableName::rrai || name == ColourTableName::rspe || name == ColourTableName::rgre;
}

void reverse_colour_table(ColourTable& table) {
    for (std::size_t i = 0; i < 128; ++i) {
        std::swap(table[i], table[255 - i]);
    }
}

void load_colour_table(ColourTableName name, ColourTable& table) {
    switch (name) {
        case ColourTableName::smal: std::copy(std::begin(small_table), std::end(small_table), table.begin()); break;
        case ColourTableName::vga: std::copy(std::begin(vga_table), std::end(vga_table), table.begin()); break;
        case ColourTableName::rain:
        case ColourTableName::rrai: table = rainbow_colours(); break;
        case ColourTableName::spec:
        case ColourTableName::rspe: table = spectrum_colours(); break;
        case ColourTableName::grey:
        case ColourTableName::rgre: table = grey_colours(); break;
    }
    if (is_reversed_table(name)) {
        reverse_colour_table(table);
    }
}

ColourTableName table_for_device(ColourTableName name, int device_code) {
    return device_code / 100 == 3 ? ColourTableName::smal : name;
}

void load_colour_table_for_device(ColourTableName name, int device_code, ColourTable& table) {
    load_colour_table(name, table);
    if (name == ColourTableName::smal && device_code == 501) {
        std::swap(table[0], table[1]);
    }
}

PenMap pen_map(ColourTableName name) {
    PenMap pens{};
    switch (name) {
        case ColourTableName::smal: return small_pens;
        case ColourTableName::vga: return vga_pens;
        case ColourTableName::rain:
        case ColourTableName::rrai: pens = rainbow_pens; break;
        case ColourTableName::spec:
        case ColourTableName::rspe: pens = spectrum_pens; break;
        case ColourTableName::grey:
        case ColourTableName::rgre: pens = grey_pens; break;
    }
    if (is_reversed_table(name)) {
        for (std::size_t i = 1; i <= 7; ++i) {
            pens[i] = 255 - pens[i];
        }
    }
    return pens;
}

int colour_cycle_entry(const PenMap& pens, int j) {
    return pens[static_cast<std::size_t>(((j - 1) % 8 + 8) % 8)];
}

int foreground_slot(ColourTableName name) {
    switch (name) {
        case ColourTableName::smal: return 1;
        case ColourTableName::vga: return 15;
        default: return 255;
    }
}

int foreground_index(ColourTableName name, int device_code) {
    if (device_code == 501 &&
        (name == ColourTableName::rain || name == ColourTableName::spec || name == ColourTableName::grey)) {
        return 0;
    }
    return foreground_slot(name);
}

int highest_colour_index(ColourTableName name) {
    switch (name) {
        case ColourTableName::smal: return 9;
        case ColourTableName::vga: return 15;
        default: return 255;
    }
}

void exchange_background(ColourTable& table, ColourTableName name) {
    std::swap(table[0], table[static_cast<std::size_t>(foreground_slot(name))]);
}

std::optional<std::uint32_t> rgb_from_fractions(double red, double green, double blue) {
    constexpr double low = -1e-35;
    constexpr double high = 1 + 1e-35;
    if (!within(red, low, high) || !within(green, low, high) || !within(blue, low, high)) {
        return std::nullopt;
    }
    return pack_rgb(channel(red), channel(green), channel(blue));
}

std::optional<Rgb> hsv_to_rgb(double hue, double saturation, double value) {
    if (!within(hue, -0.0001, 360.0001) || !within(saturation, -0.0001, 1.0001) || !within(value, -0.0001, 1.0001)) {
        return std::nullopt;
    }
    // The tolerances admit values a hair outside the ranges; they are taken as the
    // range limits so that no channel comes out negative or above one.
    const double s = std::clamp(saturation, 0.0, 1.0);
    const double v = std::clamp(value, 0.0, 1.0);
    double h = std::max(hue, 0.0);
    if (h >= 360.0) {
        h = 0.0;
    }
    const double sector_position = h / 60.0;
    const int sector = std::min(5, static_cast<int>(sector_position));
    const double f = sector_position - sector;
    const double p = v * (1 - s);
    const double q = v * (1 - s * f);
    const double t = v * (1 - s * (1 - f));
    switch (sector) {
        case 0: return Rgb{v, t, p};
        case 1: return Rgb{q, v, p};
        case 2: return Rgb{p, v, t};
        case 3: return Rgb{p, q, v};
        case 4: return Rgb{t, p, v};
        default: return Rgb{v, p, q};
    }
}

std::optional<Hsv> rgb_to_hsv(double red, double green, double blue) {
    if (!within(red, -0.0001, 1.0001) || !within(green, -0.0001, 1.0001) || !within(blue, -0.0001, 1.0001)) {
        return std::nullopt;
    }
    const double max = std::max({red, green, blue});
    const double min = std::min({red, green, blue});
    Hsv out{0.0, max > 0 ? (max - min) / max : 0.0, max};
    if (out.saturation == 0) {
        return out;
    }
    const double rc = (max - red) / (max - min);
    const double gc = (max - green) / (max - min);
    const double bc = (max - blue) / (max - min);
    double h = 0;
    if (red == max) {
        h = green == min ? 5 + bc : 1 - gc;
    } else if (green == max) {
        h = blue == min ? 1 + rc : 3 - bc;
    } else {
        h = red == min ? 3 + gc : 5 - rc;
    }
    out.hue = 60.0 * h;
    // Pure red comes out as 360 degrees; hues are kept below a full turn.
    if (out.hue >= 360.0) {
        out.hue -= 360.0;
    }
    return out;
}

std::string metafile_colour_fields(int index) {
    const int value = index == 0 ? 256 : index;
    const int q = value / 89;
    const int r = value % 89;
    std::string out;
    for (int i = 0; i < (r == 0 ? q - 1 : q); ++i) {
        out += "99.0000000";
    }
    char field[32];
    std::snprintf(field, sizeof field, "%10.7f", static_cast<double>((r == 0 ? 89 : r) + 9));
    return out + field;
}

std::string hpgl_pen_select(int index) { return "SP" + std::to_string(index) + ";"; }

ColourScaling colour_scaling(double axis_start, double axis_end, bool logarithmic, int first, int last) {
    ColourScaling s;
    s.axis_start = axis_start;
    s.axis_end = axis_end;
    s.logarithmic = logarithmic;
    s.first = first;
    s.last = last;
    // An axis of no length maps its one value to the first colour.
    s.factor = axis_end != axis_start ? (last - first + 1) / (axis_end - axis_start) : 0.0;
    s.low = logarithmic ? std::pow(10.0, axis_start) : axis_start;
    s.high = logarithmic ? std::pow(10.0, axis_end) : axis_end;
    if (s.high < s.low) {
        std::swap(s.low, s.high);
    }
    return s;
}

int value_to_colour(double value, const ColourScaling& scaling, ColourIndexLimits limits) {
    const bool rising = scaling.axis_start < scaling.axis_end;
    if (value < scaling.low) {
        return rising ? limits.lowest : limits.highest;
    }
    if (value > scaling.high) {
        return rising ? limits.highest : limits.lowest;
    }
    if (std::isnan(value)) {
        return limits.lowest;
    }
    const double c = scaling.logarithmic ? std::log10(value) : value;
    double k = std::trunc((c - scaling.axis_start) * scaling.factor + scaling.first);
    // The end of the data range lands one past the colour range, and rounding of
    // the logarithm may put the start one before it.
    if (k == scaling.first - 1) {
        k = scaling.first;
    } else if (k == scaling.last + 1) {
        k = scaling.last;
    }
    // Anything further out cannot come from a value in range; keep it in range.
    const double lo = std::min(scaling.first, scaling.last);
    const double hi = std::max(scaling.first, scaling.last);
    return static_cast<int>(std::clamp(k, lo, hi));
}

void values_to_colours(std::span<const float> values, std::span<int> colours, const ColourScaling& scaling,
                       ColourIndexLimits limits) {
    const std::size_t n = std::min(values.size(), colours.size());
    for (std::size_t i = 0; i < n; ++i) {
        colours[i] = value_to_colour(values[i], scaling, limits);
    }
}

}  // namespace korvan
