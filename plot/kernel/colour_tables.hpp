// Colour tables, pen maps, HSV/RGB conversion and the mapping of values to colours.
//
// Pure computations without plot state: the colour routines of the kernel keep the
// current table, pen map and colour range and call these.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace korvan {

// 256 entries, each 0xRRGGBB.
using ColourTable = std::array<std::uint32_t, 256>;

// Named colour tables, numbered as GETVLT reports them.
enum class ColourTableName : std::uint8_t { smal, rain, spec, grey, rrai, rspe, rgre, vga };
inline constexpr int colour_table_name_count = 8;

// Colour indices for the colour names WHIT, RED, GREE, YELL, BLUE, ORAN, CYAN, MAGE, BLAC.
using PenMap = std::array<int, 9>;

inline constexpr std::uint32_t pack_rgb(int red, int green, int blue) {
    return (static_cast<std::uint32_t>(red) << 16) | (static_cast<std::uint32_t>(green) << 8) |
           static_cast<std::uint32_t>(blue);
}
inline constexpr int red_of(std::uint32_t rgb) { return static_cast<int>((rgb >> 16) & 0xFF); }
inline constexpr int green_of(std::uint32_t rgb) { return static_cast<int>((rgb >> 8) & 0xFF); }
inline constexpr int blue_of(std::uint32_t rgb) { return static_cast<int>(rgb & 0xFF); }

// The built-in tables: SMAL's 9 and VGA's 16 entries, and the 256-entry rainbow,
// spectrum and grey ramps.
std::span<const std::uint32_t> small_colours();
std::span<const std::uint32_t> vga_colours();
const ColourTable& rainbow_colours();
const ColourTable& spectrum_colours();
const ColourTable& grey_colours();

// The name GETVLT returns ("SMALL", "RAIN", ..., "RGREY", "VGA").
std::string_view colour_table_title(ColourTableName name);

bool is_reversed_table(ColourTableName name);

// Loads a named table into a colour table as SETVLT does: SMAL and VGA overwrite
// their first 9 and 16 entries and leave the rest; the ramps overwrite all entries;
// the reversed tables (RRAI, RSPE, RGRE) are then turned end for end.
void load_colour_table(ColourTableName name, ColourTable& table);

// Entry i exchanged with entry 255 - i.
void reverse_colour_table(ColourTable& table);

// The table a device actually gets: the Kyocera printers (codes 301..400) know only SMAL.
ColourTableName table_for_device(ColourTableName name, int device_code);

// Loads a table for a device: as load_colour_table, and on the black-and-white
// PostScript device (code 501) SMAL's black and white change places so that entry
// 0 is the white paper and entry 1 the black ink.
void load_colour_table_for_device(ColourTableName name, int device_code, ColourTable& table);

// The pen map of a table; the reversed tables use their base table's map with the
// seven colours from RED to MAGE mirrored to 255 minus the index.
PenMap pen_map(ColourTableName name);

// Automatic curve colour j (1..30): the pen map's WHIT..MAGE repeated.
int colour_cycle_entry(const PenMap& pens, int j);

// Slot that holds the foreground colour: 1 for SMAL, 15 for VGA, 255 otherwise.
int foreground_slot(ColourTableName name);

// Foreground colour index: as the slot, except 0 for RAIN, SPEC and GREY on the
// black-and-white PostScript device (code 501), whose entry 0 is then white paper.
int foreground_index(ColourTableName name, int device_code);

// Highest colour index: 9 for SMAL, 15 for VGA, 255 otherwise.
int highest_colour_index(ColourTableName name);

// Entry 0 exchanged with the foreground slot (reverse screen).
void exchange_background(ColourTable& table, ColourTableName name);

// A colour from fractions 0..1 (each channel times 255, rounded half away from
// zero); nothing when a fraction lies outside [-1e-35, 1 + 1e-35].
std::optional<std::uint32_t> rgb_from_fractions(double red, double green, double blue);

struct Rgb {
    double red;
    double green;
    double blue;
};
struct Hsv {
    double hue;  // degrees, 0 <= hue < 360
    double saturation;
    double value;
};

// Hexcone conversions. Out-of-range inputs (hue outside [-0.0001, 360.0001],
// fractions outside [-0.0001, 1.0001]) give nothing.
std::optional<Rgb> hsv_to_rgb(double hue, double saturation, double value);
std::optional<Hsv> rgb_to_hsv(double red, double green, double blue);

// The colour selection as the metafile records it, in 10-character fields: index 0
// counts as 256; one "99.0000000" field for each full 89 (one fewer when nothing
// is left over), then the rest (89 when nothing is left) plus 9 as "%10.7f".
std::string metafile_colour_fields(int index);

// The HPGL pen selection for a colour index ("SP3;").
std::string hpgl_pen_select(int index);

// How values map onto a colour range along the colour axis.
struct ColourScaling {
    double axis_start = 0;  // in axis units: exponents on a logarithmic axis
    double axis_end = 1;
    double low = 0;  // data limits, low <= high
    double high = 1;
    double factor = 1;  // colour indices per axis unit
    bool logarithmic = false;
    int first = 1;  // colour range
    int last = 254;
};

struct ColourIndexLimits {
    int lowest = 0;
    int highest = 255;
};

ColourScaling colour_scaling(double axis_start, double axis_end, bool logarithmic, int first, int last);

// The colour index of a value. Values beyond the axis start get the lowest index,
// values beyond its end the highest (so on a reversed axis, below the data range
// is the highest index); inside, the range runs from first at the axis start to
// last at its end.
int value_to_colour(double value, const ColourScaling& scaling, ColourIndexLimits limits);

// value_to_colour for each value (COLRAY); maps min(values, colours) entries.
void values_to_colours(std::span<const float> values, std::span<int> colours, const ColourScaling& scaling,
                       ColourIndexLimits limits);

}  // namespace korvan
