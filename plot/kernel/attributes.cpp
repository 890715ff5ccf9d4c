// The attribute reset of the colour, text and axis attributes.
#include "plot/kernel/attributes.hpp"

#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

namespace {

void reset_text(TextAttributes& t, std::string_view key)
{
    const TextAttributes d;
    bool all = key == "ALL ";
    if (all || key == "HEIG")
        t.height = d.height;
    if (all || key == "ANGL") {
        t.angle = d.angle;
        t.sin_angle = d.sin_angle;
        t.cos_angle = d.cos_angle;
    }
    if (all)
        t.justification = d.justification;
    if (all || key == "CHAA")
        t.slant = d.slant;
    if (all || key == "CHAS")
        t.spacing = d.spacing;
    if (all || key == "CHAW")
        t.width = d.width;
    if (all || key == "FIXS")
        t.fixed = d.fixed;
    if (all || key == "LINS")
        t.line_spacing = d.line_spacing;
    if (all || key == "SETE")
        t.script_height = d.script_height;
    if (all || key == "SETB")
        t.script_shift = d.script_shift;
    if (all || key == "MIXA")
        t.control_on = d.control_on;
    if (all || key == "SETM" || key == "NEWM") {
        t.raise = d.raise;
        t.lower = d.lower;
        t.reset = d.reset;
        t.legend_break = d.legend_break;
    }
    if (all || key == "FRME")
        t.frame = d.frame;
    if (all || key == "MIXL")
        t.legend_control = d.legend_control;
    if (all || key == "NUMF")
        t.number_format = d.number_format;
    if (all || key == "NUMO") {
        t.decimal = d.decimal;
        t.group = d.group;
        t.sign = d.sign;
        t.equal_widths = d.equal_widths;
    }
    if (all) {
        t.font = d.font;
        t.hardware_font = d.hardware_font;
        t.end_x = d.end_x;
        t.end_y = d.end_y;
    }
    if (all || key == "SHDC")
        t.shaded_characters = d.shaded_characters;
    if (all || key == "BASA")
        t.base_alphabet = d.base_alphabet;
    if (all || key == "SMXA")
        t.mix = d.mix;
    if (all || key == "EUSH")
        t.national = d.national;
}

void reset_axes(AxisAttributes& a, std::string_view key)
{
    const AxisAttributes d;
    const AxisSettings ds;
    bool all = key == "ALL ";
    for (AxisSettings& x : a.axis) {
        if (all || key == "SCAL")
            x.scaling = ds.scaling;
        if (all || key == "DIGI" || key == "INTA")
            x.digits = ds.digits;
        if (all || key == "TICK")
            x.ticks = ds.ticks;
        if (all || key == "LABE")
            x.label_type = ds.label_type;
        if (all || key == "TICP")
            x.tick_position = ds.tick_position;
        if (all || key == "SETS") {
            x.auto_scale = ds.auto_scale;
            x.auto_min = ds.auto_min;
            x.auto_max = ds.auto_max;
        }
        if (all || key == "NAME")
            x.name.clear();
        if (all || key == "NAMD")
            x.name_distance = ds.name_distance;
        if (all || key == "LABD")
            x.label_distance = ds.label_distance;
        if (all)
            x.name_justification = ds.name_justification;
        if (all || key == "LABT") {
            x.vertical_labels = ds.vertical_labels;
            x.label_turn = ds.label_turn;
        }
        if (all || key == "LABT" || key == "LABJ" || key == "RGTL")
            x.label_justification = ds.label_justification;
        if (all || key == "LABP") {
            x.label_position = ds.label_position;
            x.label_side = ds.label_side;
            x.label_extent = ds.label_extent;
        }
        if (all || key == "AXEN")
            x.label_ends = ds.label_ends;
        if (all || key == "LOGT")
            x.full_log_ticks = ds.full_log_ticks;
        if (all || key == "MYLA") {
            x.mylab = ds.mylab;
            x.mylab_count = 0;
        }
        if (all || key == "AXCL")
            x.colours = ds.colours;
        if (key == "LABC")
            x.colours[2] = ds.colours[2];
        if (all || key == "NOLI")
            x.no_line = ds.no_line;
    }
    if (all || key == "TICL") {
        a.major_tick = d.major_tick;
        a.minor_tick = d.minor_tick;
    }
    if (all || key == "SETG")
        a.sides = d.sides;
    if (all) {
        a.two_sides = d.two_sides;
        a.axis_type = d.axis_type;
        a.origin_given = d.origin_given;
    }
    if (all || key == "NOGR")
        a.no_graf = d.no_graf;
    if (all || key == "CLPW" || key == "CLPB") {
        a.clip_set = d.clip_set;
        a.clip = d.clip;
    }
    if (all)
        a.clip_saved = d.clip_saved;
    if (all || key == "NOCL")
        a.clip_suspended = d.clip_suspended;
    if (all || key == "LABE")
        a.pie.style = d.pie.style;
    if (all || key == "DIGI") {
        a.pie.data_digits = d.pie.data_digits;
        a.pie.percent_digits = d.pie.percent_digits;
    }
    if (all || key == "CHNP")
        a.pie.change = d.pie.change;
    if (all || key == "PIEE")
        a.pie.exploded = d.pie.exploded;
    if (all || key == "PIEV") {
        a.pie.vector_kind = d.pie.vector_kind;
        a.pie.vector_code = d.pie.vector_code;
    }
    if (all || key == "PIEL") {
        a.pie.before.clear();
        a.pie.after.clear();
    }
    if (all || key == "AX3L")
        a.z_length = d.z_length;
    if (all || key == "TIMO")
        a.time_separator = d.time_separator;
    if (all || key == "FRAM")
        a.frame = d.frame;
    if (all || key == "HNAM")
        a.name_height = d.name_height;
    if (all || key == "TITL") {
        a.title = d.title;
        a.underline = d.underline;
        a.title_justification = d.title_justification;
        a.title_below = d.title_below;
    }
    if (all || key == "CENT")
        a.centred = d.centred;
    if (key == "LFTT")
        a.title_justification = d.title_justification;
    if (all || key == "HTIT")
        a.title_height = d.title_height;
    if (all || key == "VKYT")
        a.title_shift = d.title_shift;
    if (all || key == "RVYN")
        a.reversed_y_name = d.reversed_y_name;
    if (all || key == "GRAC")
        a.grace = d.grace;
    if (all || key == "EXPZ")
        a.plain_zero_label = d.plain_zero_label;
}

void reset_colours(PlotState& s, std::string_view key)
{
    ColourAttributes& c = s.colours;
    if (key == "COLR") {
        c.range_first = 1;
        c.range_last = c.highest - 1;
    }
    if (key == "COLO" || key == "SETC") {
        // COLOR and SETCLR: back to the foreground colour of the table.
        if (s.current_colour != s.foreground)
            select_colour(s.foreground);
    }
    if (key == "CLRC") {
        for (int j = 1; j <= 30; ++j)
            c.cycle[static_cast<std::size_t>(j)] = colour_cycle_entry(c.pens, j);
    }
}

}  // namespace

void reset_drawing_attributes(PlotState& s, std::string_view key)
{
    reset_text(s.text, key);
    reset_axes(s.axes, key);
    reset_colours(s, key);
    reset_curve_attributes(s, key);
    reset_shading_attributes(s, key);
    reset_figure_attributes(s, key);
    reset_map_attributes(s, key);
    reset_shield_attributes(s, key);
    reset_image_settings(s, key);
}

}  // namespace korvan
