// The curve and legend attributes of the plot state: curve mode, symbols,
// thickness, line styles, attribute cycling with the per-curve record, spline
// settings and the legend. Defaults are those of the attribute reset.
#pragma once

#include <array>
#include <string>
#include <string_view>

namespace korvan {

struct PlotState;

inline constexpr int cycle_entries = 30;   // attribute cycle tables and curve records
inline constexpr int dash_limit = 10;      // elements of a dash pattern
inline constexpr int legend_line_limit = 30;
inline constexpr int legend_length_limit = 80;
inline constexpr int legend_title_limit = 20;

// A dash pattern: lengths in plot units, drawn and skipped alternately.
struct DashPattern {
    std::array<double, dash_limit> length{1};
    int count = 1;
};

// What the legend shows for one curve.
struct CurveRecord {
    bool defined = false;
    int line_style = -1;  // LINTYP number, 8 for a pattern of MYLINE; -1 no line
    DashPattern dash;
    int symbol = -1;  // -1 no symbols
    int thickness = 1;
    int colour = 0;
    int pattern = -1;  // shading pattern; -1 not a shaded curve
};

struct CurveAttributes {
    int mode = 0;              // POLCRV: 0 LINE, 1 STEP, 2 BARS, 3 SPLI, 4 PSPL
    int marker_step = 0;       // INCMRK
    int symbol = 0;            // MARKER
    int symbol_height = 36;    // HSYMBL
    int thickness = 1;         // THKCRV
    double neglog = 0.0;       // NEGLOG: values not above 0 on log axes become this; 0 refuses them
    bool gap_on = false;       // GAPCRV
    double gap = 0.0;
    double bar_width = 0.75;   // BARWTH
    double symbol_angle = 0.0; // SYMROT, degrees
    bool range_check = true;   // NOCHEK switches it off

    // Line style: the LINTYP number (8 for MYLINE) and its pattern, with the
    // phase that carries on from one line to the next.
    int line_style = 0;
    DashPattern dash;
    int dash_index = 0;
    double dash_left = 1.0;
    bool dash_drawn = true;

    // Attribute cycling.
    int change = 0;            // CHNCRV: 0 NONE, 1 COLO, 2 LINE, 3 BOTH
    int curves_per_set = 1;    // INCCRV
    std::array<int, cycle_entries + 1> line_cycle{};     // entries 1..30
    std::array<int, cycle_entries + 1> pattern_cycle{};  // entries 1..30

    // Splines.
    int spline_degree = 3;     // SPLMOD
    int spline_points = 200;

    // Bookkeeping of the axis system (reset by ENDGRF).
    int attribute_index = 1;
    int curve_number = 1;
    int set_count = 0;         // curves drawn in the current attribute set
    std::array<CurveRecord, cycle_entries + 1> record{};  // by curve number 1..30

    CurveAttributes();
};

struct LegendAttributes {
    bool initialised = false;  // LEGINI was called
    int lines = 0;             // NLIN
    int length = 0;            // NMAXLN
    std::string title = "Legende";
    int position = 0;          // 0 by corner, 1 fixed by LEGPOS
    int pos_x = 0;
    int pos_y = 0;
    double pattern_length = 4.0;  // XF1, character heights
    double margin = 0.5;          // XF2, line spacings
    double entry_spacing = 1.0;   // XF3, line spacings between the text lines of one entry
    int widest = 0;               // widest text given so far, plot units
    bool curve_colours = false;   // LEGCLR
    // LEGPAT: patterns given for single legend lines, used instead of the curves'.
    std::array<CurveRecord, legend_line_limit + 1> chosen{};
};

// The pattern of LINTYP n (0..7).
DashPattern line_type_pattern(int n);

// Sets a pattern as the current line style and restarts it.
void set_dash_pattern(CurveAttributes& c, int style, const DashPattern& pattern);

// Clears the bookkeeping of the axis system: attribute index, curve number,
// the per-curve record and the current symbol.
void reset_curve_bookkeeping(CurveAttributes& c);

// The attribute reset of the curve and legend attributes ("ALL " or a RESET key).
void reset_curve_attributes(PlotState& s, std::string_view key);

}  // namespace korvan
