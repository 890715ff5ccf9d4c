// Axes drawn on their own, anywhere on the page, and lines through the origin
// of the open axis system.
#pragma once

#include <string_view>

namespace korvan {

// A linear X axis from a to b (first label or, label step step) nl plot units
// long, starting at (nx, ny) and running to the right, named cstr; it = 0
// puts ticks, labels and name below the axis line, 1 above it. The label
// settings of the X axis apply (LABELS, DIGITS, TICKS ...).
void xaxis(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny);
// The same with a logarithmic scale; a, b, orig and step are exponents.
void xaxlg(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny);
// A Y axis from (nx, ny) upwards; it = 0 labels on the left, 1 on the right.
void yaxis(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny);
void yaxlg(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int nx, int ny);
// A Z axis (the Z settings apply): ndir = 0 upwards like a Y axis, 1 to the
// right like an X axis.
void zaxis(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int ndir, int nx,
           int ny);
void zaxlg(double a, double b, double orig, double step, int nl, std::string_view cstr, int it, int ndir, int nx,
           int ny);

// Lines through the origin of the axis system: AXGIT both, XAXGIT the line
// Y = 0, YAXGIT the line X = 0; CROSS, XCROSS and YCROSS the same lines with
// the axes' ticks.
void axgit();
void xaxgit();
void yaxgit();
void cross();
void xcross();
void ycross();

}  // namespace korvan
