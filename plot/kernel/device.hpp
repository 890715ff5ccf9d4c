// The output device interface: every output format implements it, and the
// kernel reaches the format only through it. make_device chooses the format
// by device code.
#pragma once

#include <cstdint>
#include <memory>
#include <span>
#include <string_view>

namespace korvan {

class PagePicture;

// The shape of thick lines (LNCAP, LNJOIN, LNMLT): their ends (0 cut at the
// end point, 1 round, 2 long: a square half the width beyond it), their
// corners (0 sharp, 1 round, 2 truncated) and the miter limit, the longest
// sharp corner in line widths (longer ones are truncated).
struct LineShape {
    int cap = 2;
    int join = 2;
    double miter_limit = 10.0;
};

// The parts of a line shape that a change names.
enum LineShapePart : unsigned { line_cap_part = 1, line_join_part = 2, miter_limit_part = 4 };

// A corner of a filled area in plot coordinates.
struct AreaPoint {
    double x;
    double y;
};

class Device {
public:
    virtual ~Device() = default;

    // Called at KORINI after the plot file is open: writes the header and
    // computes the device scale.
    virtual void open() = 0;
    // A point in plot coordinates, reached with a line (draw) or without.
    virtual void point(double x, double y, bool draw) = 0;
    // The current colour changed to index (0..255).
    virtual void colour(int index) = 0;
    // Colours outside the table (lit surfaces): devices that draw in RGB say
    // so and take a colour 0xRRGGBB as the current one until the next colour.
    virtual bool has_direct_colour() const { return false; }
    virtual void direct_colour(std::uint32_t /*rgb*/) {}
    // A filled rectangle in plot coordinates in colour index, filled the way
    // the format fills: with its area element, or with lines where it has none
    // (fill_rect_with_lines). The library and the converter both fill through it.
    virtual void fill_rect(double x, double y, double w, double h, int index) = 0;
    // Solid areas: devices that fill polygons themselves say so and take a
    // closed polygon (at least three corners) in the current colour; the
    // others get fill lines.
    virtual bool has_area_fill() const { return false; }
    virtual void fill_area(std::span<const AreaPoint> /*corners*/) {}
    // The parts `changed` of the line shape changed to those of `shape`:
    // devices that draw thick lines with caps and joins draw the lines so far
    // as they were and the next ones in the new shape.
    virtual void line_shape(const LineShape& /*shape*/, unsigned /*changed*/) {}
    // NEWPAG.
    virtual void new_page() = 0;
    // Makes everything drawn so far visible (screen devices).
    virtual void flush() {}
    // The colour table of the plot state changed (SETVLT, MYVLT, SETIND,
    // REVSCR): screen devices load it into their palette.
    virtual void colour_table_changed() {}
    // Text in the device's own font (HWFONT): devices that have one say so and
    // draw a string with its base line starting at (x, y), height in plot units,
    // angle in degrees counter-clockwise; others get stroke text.
    virtual bool has_hardware_font() const { return false; }
    virtual void hardware_text(double /*x*/, double /*y*/, std::string_view /*text*/, double /*height*/,
                               double /*angle*/)
    {
    }
    // The length in plot units of a string in the device font.
    virtual double hardware_text_length(std::string_view /*text*/, double /*height*/) const { return 0.0; }
    // The picture of the pixel routines on devices that lay one over their
    // page (made on first use; nullptr on the others or without memory). Its
    // written pixels are laid over the page at the next flush.
    virtual PagePicture* page_picture() { return nullptr; }
    // KORFIN: writes the closing records; the kernel then closes the file.
    virtual void close() = 0;
};

// The device of a device code, or nullptr when that output format is not
// available in this build.
std::unique_ptr<Device> make_device(int device_code);

// One file per format.
std::unique_ptr<Device> make_gksvan_device();

}  // namespace korvan
