// The attribute reset of the colour-axis, contour, shading, bar, 3-D box and
// surface attributes.
#include "plot/kernel/shading_state.hpp"

#include "plot/kernel/member_copy.hpp"
#include "plot/kernel/state.hpp"

namespace korvan {

void reset_shading_attributes(PlotState& s, std::string_view key)
{
    using A = ShadingAttributes;
    AttributeReset<A>(s.shading, key)
        .on("NOFI", &A::no_fill)
        .on("SHDP", &A::pattern, &A::pattern_code, &A::hatch_angle, &A::hatch_type, &A::hatch_density,
            &A::hatch_cross)
        .on("ALL ", &A::contour_mode, &A::surface_mode, &A::contour_text, &A::contour_count, &A::bar_in_group,
            &A::system)
        .on("ZSCA", &A::zscale_on)
        .on("LABE", &A::contour_labels, &A::bar_labels)
        .on("DIGI", &A::contour_digits, &A::bar_digits)
        .on("LABD", &A::contour_spacing)
        .on("CONG", &A::contour_gap)
        .on("CONM", &A::contour_frequency, &A::contour_room)
        .on("MDFM", &A::matrix_iterations, &A::matrix_step, &A::matrix_weight)
        .on("BART", &A::bar_type)
        .on("BARP", &A::bar_position)
        .on("BARG", &A::bar_group, &A::bar_gap, &A::bar_in_group)
        .on("NOBA", &A::colour_bar)
        .on("VKXB", &A::bar_shift_x)
        .on("VKYB", &A::bar_shift_y)
        .on("WIDB", &A::bar_width)
        .on("AXIS", &A::box)
        .on("VIEW", &A::view_mode, &A::view)
        .on("FLAB", &A::corner_labels)
        .on("NOHI", &A::hidden_lines)
        .on("SURV", &A::surface_visibility)
        .on("SURC", &A::surface_colours, &A::surface_top, &A::surface_bottom)
        .on("SETR", &A::point_size_mode, &A::point_x, &A::point_y)
        .on("AUTR", &A::point_size_mode, &A::point_x, &A::point_y)
        .on("SURS", &A::surface_size, &A::surface_range);
}

}  // namespace korvan
