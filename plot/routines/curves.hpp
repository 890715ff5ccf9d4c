// Curves: CURVE with its modes and the settings that shape a curve, attribute
// cycling from one curve to the next and the per-curve record of the legend.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/kernel/curve_state.hpp"

namespace korvan {

struct AxisTransform;

void curve(std::span<const float> x, std::span<const float> y, int n);

// Curve settings.
void polcrv(std::string_view mode);
void incmrk(int n);
void marker(int n);
void hsymbl(int n);
// The current symbol and its height.
void getsym(int& nsym, int& nh);
void thkcrv(int n);
void gapcrv(double x);
void barwth(double x);
void nochek();
// GRACE: CURVE draws up to n plot units beyond the axis system before its
// lines are cut (default 0; negative values cut inside it).
void grace(int n);
// NEGLOG: on logarithmic axes CURVE draws values not above 0 at eps instead
// of refusing the curve with warning 27; eps must be above 0 (warning 2).
void neglog(double eps);

// Attribute cycling.
void chncrv(std::string_view mode);
void inccrv(int n);
void chnatt();
void lincyc(int index, int style);
void patcyc(int index, int pattern);

// One curve's attributes: made before the curve is drawn, it selects the
// curve's colour and line style of the attribute cycle and records the curve
// for the legend; at its end it restores colour and line style and advances
// to the next attribute set.
class CurveScope {
public:
    CurveScope();
    ~CurveScope();
    CurveScope(const CurveScope&) = delete;
    CurveScope& operator=(const CurveScope&) = delete;

private:
    int colour_ = 0;
    int style_ = 0;
    DashPattern pattern_;
    int dash_index_ = 0;
    double dash_left_ = 0;
    bool dash_drawn_ = true;
};

// Internal: advance the attributes to the next set (attribute index, curve
// number, symbol when symbols are in use).
void advance_attributes();

// The out-of-axis report of one point, as the range check prints it.
std::string out_of_axis_line(double x, double y);

// The plot coordinate of a user value along an axis (reals, as XPOSN and
// YPOSN); not a number for a non-positive value on a logarithmic axis.
double plot_x(const AxisTransform& t, double v);
double plot_y(const AxisTransform& t, double v);
// Whether a user value lies outside the axis scaling (the range check).
bool outside_axis(double v, const AxisTransform& t);

}  // namespace korvan
