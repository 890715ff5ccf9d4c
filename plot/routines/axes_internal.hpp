// The computations behind the axis systems: automatic scaling and label texts.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "plot/kernel/attributes.hpp"
#include "plot/routines/numbers.hpp"

namespace korvan {

struct PlotState;

// The axis letters X, Y, Z among the first three characters of an axis string.
struct AxisSet {
    bool axis[3] = {false, false, false};
};
AxisSet axis_letters(std::string_view axes);

// Automatic scaling of one axis from a data minimum and maximum.
struct AutoScale {
    double start = 0;  // scaling units (exponents on a log axis)
    double end = 1;
    double first = 0;
    double step = 1;
    int digits = 1;
    bool min_warning = false;  // non-positive minimum on a log axis (set to 0.1)
    bool max_warning = false;  // non-positive maximum on a log axis (set to 1.0)
};
// length: the axis length in plot units; spacing: the least room per label.
AutoScale automatic_scale(double minimum, double maximum, bool log, bool time, int length, int spacing);

// The text of an axis label (with the raise and reset characters where the
// type raises a part); axis 0 X, 1 Y, 2 Z; n the label's number from 1 for
// user labels.
std::string label_text(double value, LabelType type, int digits, int axis, const NumberStyle& style,
                       const AxisSettings& settings, int n);

// The label values of an axis: first label + i * step for every i that lies on
// the axis (scaling units), in rising order.
std::vector<double> label_values(const AxisTransform& t);

// The rectangle of the next axis system: the lower left corner of AXSPOS (or
// the middle of the page after CENTER) and the lengths of AXSLEN.
struct AxisRectangle {
    int nxa;
    int nya;
    int nxl;
    int nyl;
};
AxisRectangle next_axis_rectangle(const PlotState& s);

// The parameter check of one axis (warnings 9, 10, 12, 50); false when the
// axis is rejected.
bool check_axis_values(double a, double e, double first, double step);
// The transformation of one axis from its four values, origin and length.
void set_axis_transform(AxisTransform& t, double a, double e, double first, double step, int origin, int length,
                        const AxisSettings& set);

// Draws one axis with the settings of axis `axis` (0 X, 1 Y, 2 Z) and the
// transformation t along side 0 bottom, 1 left, 2 top or 3 right, from (x, y)
// over `length` plot units, up to the side level `level`.
void draw_axis_side(int axis, const AxisTransform& t, int side, double x, double y, int length, int level);

// The axis name of axis `axis` beside side `side` (numbered as above) of an
// axis from (x, y) over `length` plot units, beyond labels reaching `reach`
// from the axis line.
void draw_axis_name(int axis, int side, double x, double y, int length, double reach);

// The frame of FRAME around the open axis system.
void draw_axis_frame();

// Label types that raise part of their text.
bool label_raises(LabelType type);

}  // namespace korvan
