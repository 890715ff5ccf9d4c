// The PostScript writer ("POST" black and white, "PSCL" colour) and the
// routines that only PostScript honours: LINWID, PENWID, PSFONT, HWORIG.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "plot/kernel/device.hpp"

namespace korvan {

class Device;
struct PlotState;

// The PostScript settings of the plot state.
struct PostScriptSettings {
    // HWORIG: lower left corner of the plot on the paper, plot coordinates;
    // a page setting kept from plot to plot.
    bool hw_origin = false;
    int hw_origin_x = 0;
    int hw_origin_y = 0;
    // Line width in device units as written by LINWID and PENWID.
    double line_width = 5.0;
    // PSFONT: the font name as used ("" before any PSFONT) and the standard
    // font whose character widths apply (0 for a font outside the table).
    std::string font;
    int font_index = 0;
    // LNCAP, LNJOIN, LNMLT: the shape of thick lines, which the devices
    // that draw it hear of (PostScript writes it as operators).
    LineShape line_shape;
    int linwid = 1;  // the last LINWID value, for GETLIN
    // NOBGD: a colour page is not painted black.
    bool no_background = false;
};

inline constexpr int postscript_standard_font_count = 35;
inline constexpr std::size_t postscript_font_name_limit = 30;

// The name of standard font i (0..34) as the table spells it.
std::string_view postscript_standard_font(int i);
// The index of a standard font name, compared without case; -1 when absent.
int find_postscript_standard_font(std::string_view name);

// The attribute reset of the PostScript settings (line width, font).
void reset_postscript_attributes(PlotState& s, std::string_view key);

std::unique_ptr<Device> make_postscript_device(int device_code);

// Points of one PostScript device unit.
inline constexpr double postscript_points_per_unit = 0.14226378;
// The device scale without HWPAGE (3900 / 2100).
inline constexpr double postscript_fixed_scale = 1.8571428;

// How the plot's page lies on the paper: turned or upright, the device scale
// (device units of a plot unit) and the factor of the placement line that
// fits the scaled page to the paper.
struct PostScriptPlacement {
    bool turned = false;
    double scale = postscript_fixed_scale;
    double factor = 1.0;
};
PostScriptPlacement postscript_placement(const PlotState& s);

// Operations of the drawing routines on the open PostScript plot; each does
// nothing when the device of the plot is not PostScript.
bool postscript_active();
// A filled ring sector: centre and radii in plot coordinates, angles in
// degrees counter-clockwise on the page, colour index.
void postscript_fill_sector(double x, double y, double r1, double r2, double a1, double a2, int index);
// One character of the PostScript font centred at (x, y), angle in degrees.
void postscript_char(int code, double x, double y, double angle);
// Selects a PostScript font for hardware text (the body of PSFONT, also used
// by HWFONT with "Times-Roman"): standard names take the table's spelling,
// others warn and are used as given.
void select_postscript_font(std::string_view name);

// The text (UTF-8) of a string of codes of the re-encoded PostScript font, or
// of the Symbol font, as the hardware text and character operators carry it;
// codes outside the font's characters become "?".
std::string postscript_font_text(std::string_view codes, bool symbol = false);

// Library routines.
void linwid(int n);
// GETLIN: the value of the last LINWID call (1 after the attribute reset).
int getlin();
void penwid(double x);
void psfont(std::string_view name);
void hworig(int nx, int ny);
void lncap(std::string_view option);
void lnjoin(std::string_view option);
void lnmlt(double x);
void nobgd();

}  // namespace korvan
