// Shielded regions: parts of the page that lines do not enter. The vector
// primitive cuts every line at the outlines of the regions in force, so all
// lines of every device are cut the same way. Regions are the script's own
// (SHLCIR, SHLREC ...) or registered by the library's texts, symbols, bars,
// pies, legends and surfaces while automatic shielding is on (SHIELD, SHLSUR).
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

namespace korvan {

struct PlotState;

struct ShieldPoint {
    double x = 0;
    double y = 0;
};

enum class ShieldShape : std::uint8_t { ellipse, sector, polygon };

// The library parts that register regions automatically (SHIELD keywords).
enum ShieldArea : unsigned {
    shield_texts = 1u << 0,     // MESSAG, NUMBER and their RL forms
    shield_symbols = 1u << 1,   // SYMBOL, RLSYMB and the symbols of curves
    shield_bars = 1u << 2,      // BARS
    shield_pies = 1u << 3,      // the segments of pie charts
    shield_legends = 1u << 4,   // the box of LEGEND
    shield_surfaces = 1u << 5,  // surfaces while SHLSUR is on
};

struct ShieldRegion {
    int id = 0;           // the number SHLVIS and SHLDEL take; 0 for automatic regions
    unsigned area = 0;    // the automatic area that registered it; 0 for the script's own
    bool in_force = true;  // SHLVIS "OFF" suspends a region without deleting it
    ShieldShape shape = ShieldShape::polygon;
    // Ellipse: centre, semi-axes and the rotation (counter-clockwise on the page).
    // Sector: centre, radius in a, angles from..to in radians counter-clockwise.
    double cx = 0;
    double cy = 0;
    double a = 0;
    double b = 0;
    double cos_t = 1;
    double sin_t = 0;
    double from = 0;
    double to = 0;
    std::vector<ShieldPoint> polygon;
    // Bounding box, for a quick test of lines far away.
    double x0 = 0;
    double y0 = 0;
    double x1 = 0;
    double y1 = 0;
};

// More regions than this give warning 47 ("Blanking buffer overflow").
inline constexpr std::size_t shield_region_limit = 2000;

struct ShieldState {
    std::vector<ShieldRegion> regions;
    int next_id = 1;         // the number of the next region of the script
    unsigned automatic = 0;  // ShieldArea bits switched on by SHIELD and SHLSUR
    unsigned defined_only = 0;  // areas whose new regions are kept out of force (SHIELD "DEFINE")
    int in_force = 0;        // regions in force: 0 lets lines through untouched

    // The vector primitive's pen: where the last point went (logical) and
    // whether the device pen stands there, since cut lines leave it elsewhere.
    double pen_x = 0;
    double pen_y = 0;
    bool device_at_pen = true;
};

// Region builders (plot coordinates, y downward; angles in degrees counter-clockwise).
ShieldRegion shield_ellipse(double cx, double cy, double a, double b, double theta);
ShieldRegion shield_sector(double cx, double cy, double r, double alpha, double beta);
ShieldRegion shield_polygon(std::vector<ShieldPoint> points);
// A rectangle of width w and height h whose upper left corner is (x, y), turned
// counter-clockwise by theta degrees about that corner.
ShieldRegion shield_rectangle(double x, double y, double w, double h, double theta);

// Adds a region; false with warning 47 when the buffer is full. A script
// region (area 0) gets the next number.
bool add_shield(PlotState& s, ShieldRegion region);
// Adds a region for an automatic area when that area is switched on.
void add_automatic_shield(unsigned area, ShieldRegion region);
// Recounts the regions in force after a change of their marks.
void count_shields_in_force(ShieldState& shields);

// Whether a point lies inside a region.
bool inside_shield(const ShieldRegion& r, double x, double y);
// The pieces of the line a-b outside every region in force, as parameter
// intervals [t0, t1] of 0..1, in order along the line.
struct ShieldPiece {
    double t0 = 0;
    double t1 = 0;
};
void unshielded_pieces(const ShieldState& shields, double ax, double ay, double bx, double by,
                       std::vector<ShieldPiece>& pieces);

// The attribute reset of the shield settings for RESET keys "ALL ", "SHIE" and "SHLS".
void reset_shield_attributes(PlotState& s, std::string_view key);

}  // namespace korvan
