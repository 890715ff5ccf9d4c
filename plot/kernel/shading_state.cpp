// The attribute reset of the colour-axis, contour, shading, bar, 3-D box and
// surface attributes.
#include "plot/kernel/shading_state.hpp"

#include "plot/kernel/state.hpp"

namespace korvan {

void reset_shading_attributes(PlotState& s, std::string_view key)
{
    ShadingAttributes& a = s.shading;
    const ShadingAttributes d;
    bool all = key == "ALL ";
    if (all || key == "NOFI")
        a.no_fill = d.no_fill;
    if (all || key == "SHDP") {
        a.pattern = d.pattern;
        a.pattern_code = d.pattern_code;
        a.hatch_angle = d.hatch_angle;
        a.hatch_type = d.hatch_type;
        a.hatch_density = d.hatch_density;
        a.hatch_cross = d.hatch_cross;
    }
    if (all) {
        a.contour_mode = d.contour_mode;
        a.surface_mode = d.surface_mode;
        a.contour_text = d.contour_text;
        a.contour_count = d.contour_count;
        a.bar_in_group = d.bar_in_group;
        a.system = d.system;
    }
    if (all || key == "ZSCA")
        a.zscale_on = false;
    if (all || key == "LABE") {
        a.contour_labels = d.contour_labels;
        a.bar_labels = d.bar_labels;
    }
    if (all || key == "DIGI") {
        a.contour_digits = d.contour_digits;
        a.bar_digits = d.bar_digits;
    }
    if (all || key == "LABD")
        a.contour_spacing = d.contour_spacing;
    if (all || key == "CONG")
        a.contour_gap = d.contour_gap;
    if (all || key == "CONM") {
        a.contour_frequency = d.contour_frequency;
        a.contour_room = d.contour_room;
    }
    if (all || key == "MDFM") {
        a.matrix_iterations = d.matrix_iterations;
        a.matrix_step = d.matrix_step;
        a.matrix_weight = d.matrix_weight;
    }
    if (all || key == "BART")
        a.bar_type = d.bar_type;
    if (all || key == "BARP")
        a.bar_position = d.bar_position;
    if (all || key == "BARG") {
        a.bar_group = d.bar_group;
        a.bar_gap = d.bar_gap;
        a.bar_in_group = d.bar_in_group;
    }
    if (all || key == "NOBA")
        a.colour_bar = d.colour_bar;
    if (all || key == "VKXB")
        a.bar_shift_x = d.bar_shift_x;
    if (all || key == "VKYB")
        a.bar_shift_y = d.bar_shift_y;
    if (all || key == "WIDB")
        a.bar_width = d.bar_width;
    if (all || key == "AXIS")
        a.box = d.box;
    if (all || key == "VIEW") {
        a.view_mode = d.view_mode;
        a.view = d.view;
    }
    if (all || key == "FLAB")
        a.corner_labels = d.corner_labels;
    if (all || key == "NOHI")
        a.hidden_lines = d.hidden_lines;
    if (all || key == "SURV")
        a.surface_visibility = d.surface_visibility;
    if (all || key == "SURC") {
        a.surface_colours = d.surface_colours;
        a.surface_top = d.surface_top;
        a.surface_bottom = d.surface_bottom;
    }
    if (all || key == "SETR" || key == "AUTR") {
        a.point_size_mode = d.point_size_mode;
        a.point_x = d.point_x;
        a.point_y = d.point_y;
    }
    if (all || key == "SURS") {
        a.surface_size = d.surface_size;
        a.surface_range = d.surface_range;
    }
}

}  // namespace korvan
