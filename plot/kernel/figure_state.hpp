// The attributes of geometric figures (outlines of areas, arc spacing) and the
// current point of STRTPT and CONNPT. Defaults are those of the attribute reset.
#pragma once

#include <string_view>

namespace korvan {

struct PlotState;

struct FigureAttributes {
    bool outline = true;  // NOARLN clears: areas, rectangles, circles without outline
    int arc_spacing = 10;  // CIRCSP: plot units of arc length per segment
};

// Where STRTPT left the pen; CONNPT draws on from it.
struct FigurePen {
    bool placed = false;
    double x = 0;
    double y = 0;
    // Where the last CONNPT left the device pen, and the vector count then: when
    // nothing was drawn since, the next CONNPT continues the same polyline.
    bool device_known = false;
    double device_x = 0;
    double device_y = 0;
    long vectors = -1;
};

// Resets the figure attributes for RESET key "ALL ", "NOAR" or "CIRC".
void reset_figure_attributes(PlotState& s, std::string_view key);

}  // namespace korvan
