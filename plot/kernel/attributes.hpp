// The drawing attributes of the plot state: colours beyond the table, text and
// numbers, and the axis system. Every field has its default from the attribute
// reset (reset_drawing_attributes), which KORINI and RESET run.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "plot/kernel/colour_tables.hpp"

namespace korvan {

struct PlotState;

struct ColourAttributes {
    PenMap pens{};
    std::array<int, 31> cycle{};  // automatic curve colours, entries 1..30
    int lowest = 0;
    int highest = 255;
    int range_first = 1;  // colour range of the value mapping
    int range_last = 254;
    bool user_table_pending = false;  // MYVLT before KORINI: the next table load keeps it
    ColourScaling scaling{};          // set by the axis system of the colour axis
};

// Number formats and the options of NUMODE.
enum class NumberFormat : int { floa, exp, fexp, log };

struct MixSlot {
    int alphabet = -1;  // -1 unused; 0..5 the alphabets, 6 "INST"
    char enter = 0;
    char leave = 0;
};

inline constexpr int mix_slot_count = 6;
inline constexpr int national_shift_count = 7;

struct TextAttributes {
    int height = 36;
    int angle = 0;  // degrees, counter-clockwise
    double sin_angle = 0.0;
    double cos_angle = 1.0;
    int justification = 0;  // 0 LEFT, 1 CENT, 2 RIGH
    int frame = 0;          // FRMESS: lines of the frame around texts
    double slant = 0.0;     // shear factor 1 / tan(90 - angle)
    double spacing = 0.0;   // extra spacing, times the character height
    double width = 1.0;     // width factor
    double fixed = 0.0;     // fixed spacing factor; 0 proportional
    double line_spacing = 1.5;
    bool control_on = false;  // MIXALF
    char raise = '[';
    char lower = ']';
    char reset = '$';
    char legend_break = '/';
    double script_shift = 0.6;   // SETBAS: how far raised and lowered text moves, times its height
    double script_height = 0.8;  // SETEXP: the height of raised and lowered text, times the height
    bool legend_control = false;  // MIXLEG
    NumberFormat number_format = NumberFormat::floa;
    char decimal = '.';
    char group = 0;  // 0 no grouping, otherwise the grouping character
    char sign = 0;   // 0 none, otherwise the sign character of positive numbers
    bool equal_widths = false;
    int font = 0;  // StrokeFont
    bool hardware_font = false;
    bool shaded_characters = false;  // SHDCHA: hardware characters as filled outlines
    int base_alphabet = 0;  // Alphabet
    std::array<MixSlot, mix_slot_count> mix{};
    std::array<char, national_shift_count> national{};  // shift character per national set, 0 none
    // Where the last text ended, for continuation at 999/999.
    double end_x = 0.0;
    double end_y = 0.0;
};

// Label types of LABELS, by code.
enum class LabelType : int { none, floa, exp, log, clog, elog, map, dmap, lmap, time, hour, seco, myla, fexp };

inline constexpr int axis_name_limit = 60;
inline constexpr int title_line_limit = 60;
inline constexpr int mylab_limit = 50;  // user labels per axis
inline constexpr int mylab_length = 32;

struct AxisSettings {
    int scaling = 0;  // 0 linear, 1 logarithmic
    int digits = 1;   // -1 whole numbers
    int ticks = 2;
    LabelType label_type = LabelType::floa;
    int tick_position = 0;  // 0 LABE, 1 REVE, 2 CENT
    bool auto_scale = false;
    double auto_min = 0.0;
    double auto_max = 0.0;
    std::string name;
    int name_distance = 30;
    int label_distance = 24;
    int name_justification = 0;  // 0 CENT, 1 LEFT, 2 RIGH
    bool vertical_labels = false;     // LABTYP "VERT"
    int label_turn = 0;               // LABTYP: 0 HORI/VERT, 1 OUTW, 2 INWA (turned, read away from or towards the axis)
    int label_justification = 0;      // LABTYP: 0 TYPS (by side), 1 CENT, 2 LEFT, 3 RIGH
    int label_side = 0;               // LABPOS: 0 AUTO/OUTS, 1 INSI, 2 LEFT, 3 ABOV, 4 RIGH, 5 BELO
    int label_position = 0;           // LABPOS: 0 on the tick, 1 centred between ticks, 2 ends shifted inside
    int label_extent = 0;             // LABPOS: 0 EXTE (may reach beyond the axis ends), 1 INTE (kept inside), 2 ALIG (end labels flush)
    int label_ends = 0;               // AXENDS: 0 NONE .. 6 LAST
    bool full_log_ticks = false;      // LOGTIC "FULL"
    std::array<std::string, mylab_limit> mylab{};
    int mylab_count = 0;
    // AXCLRS: colour of the line, ticks, labels and name; -1 the current colour.
    std::array<int, 4> colours{-1, -1, -1, -1};
    bool no_line = false;  // NOLINE: the axis line is left out (ticks, labels and name stay)
};

// One axis of the open axis system.
struct AxisTransform {
    double start = 0.0;  // scaling units: exponents on a log axis
    double end = 1.0;
    double first_label = 0.0;
    double step = 1.0;
    double factor = 1.0;  // plot units per scaling unit
    double origin = 0.0;  // plot coordinate of the start
    bool log = false;
    double clip_low = 0.0;  // user units
    double clip_high = 1.0;
};

// The labels of pie charts, set by LABELS and DIGITS with "PIE", "DAT", "PER".
struct PieLabelSettings {
    int style = 1;  // 0 NONE, 1 PERC, 2 DATA, 3 BOTH
    int data_digits = 1;
    int percent_digits = 1;
    int change = 1;          // CHNPIE: how segments differ: 0 NONE, 1 COLO, 2 PATT, 3 BOTH
    bool exploded = false;   // PIEEXP: segments pulled out from the centre
    int vector_kind = 0;     // PIEVEC: vector to the label: 0 NONE, 1 STRA, 2 BROK
    int vector_code = 1;     // PIEVEC: its arrow-head code (as VECTOR's)
    std::string before;      // PIELAB: text before and after the numbers
    std::string after;
};

struct AxisAttributes {
    std::array<AxisSettings, 3> axis{};  // X, Y, Z
    int major_tick = 24;
    int minor_tick = 16;
    std::array<int, 4> sides{4, 4, 2, 2};  // bottom, left, top, right
    bool two_sides = false;                // AX2GRF
    bool centred = false;                  // CENTER: the next axis systems in the middle of the page
    bool no_graf = false;                  // NOGRAF
    int frame = 1;
    int name_height = 36;
    std::array<std::string, 4> title{};
    std::array<bool, 4> underline{};
    int title_height = 0;
    int title_justification = 0;  // 0 CENT, 1 LEFT, 2 RIGH
    bool title_below = false;
    int title_shift = 0;
    int axis_type = 0;  // 0 RECT, 1 CROS
    bool reversed_y_name = false;  // RVYNAM: Y axis names read downwards
    int grace = 0;                 // GRACE: curves are clipped this far outside the axis system
    bool plain_zero_label = false;  // EXPZLB("ZERO"): 0 is written "0" on exponent axes
    PieLabelSettings pie{};
    int z_length = 0;   // AX3LEN: length of the Z axis; 0 follows the Y axis length
    bool time_separator = true;  // TIMOPT switches the ":" of time labels off
    bool origin_given = false;
    int origin_x = 0;
    int origin_y = 0;
    // The open axis system (valid at level 2).
    std::array<AxisTransform, 2> transform{};
    std::array<double, 4> graf_x{};  // the GRAF values after automatic scaling
    std::array<double, 4> graf_y{};
    std::array<double, 4> graf_z{};  // the Z values of GRAF3 and GRAF3D
    int nxa = 0;
    int nya = 0;
    int nxl = 0;
    int nyl = 0;
    int cross_x = 0;
    int cross_y = 0;
    int curve_count = 0;
    // The clipping window (CLPWIN, CLPBOR): corner, width and height; the one
    // in force before GRAF, restored by ENDGRF; NOCLIP suspends clipping.
    bool clip_set = false;
    std::array<int, 4> clip{};
    bool saved_clip_set = false;
    std::array<int, 4> saved_clip{};
    bool clip_saved = false;
    bool clip_suspended = false;
};

// The attribute reset of these attributes: "ALL " every one, another RESET key
// only those of the routine it names. The colour table itself is loaded by the
// kernel's reset.
void reset_drawing_attributes(PlotState& s, std::string_view key);

}  // namespace korvan
