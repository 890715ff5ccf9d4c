#include "plot/kernel/figure_state.hpp"

#include "plot/kernel/state.hpp"

namespace korvan {

void reset_figure_attributes(PlotState& s, std::string_view key)
{
    const FigureAttributes d;
    bool all = key == "ALL ";
    if (all || key == "NOAR")
        s.figures.outline = d.outline;
    if (all || key == "CIRC")
        s.figures.arc_spacing = d.arc_spacing;
    // A new plot (KORINI) has no open polyline to continue.
    if (all)
        s.figure_pen.device_known = false;
}

}  // namespace korvan
