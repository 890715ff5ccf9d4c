// The output of contour lines: user points to plot coordinates through the
// axis system, clipped, in the line style and thickness of curves, with labels
// written into gaps of the lines.
#pragma once

#include <string>
#include <vector>

#include "plot/routines/contours.hpp"

namespace korvan {

// Draws the traced lines of one level (user coordinates).
void draw_contour_lines(const std::vector<ContourLine>& lines, double level);

// The label text of a level ("" when contour labels are off).
std::string contour_label_text(double level);

// Where labels go along a line of the given length (plot units): the label
// centres' distances from the line's start for a label of width w and the
// margin m on either side, `spacing` apart (infinite: one label in the
// middle). A line shorter than the spacing gets one label in its middle when
// it is at least `room` times as long as the label with its margins.
std::vector<double> label_positions(double length, double w, double m, double spacing, double room = 2);

}  // namespace korvan
