// User coordinates of the open axis system on the page.
#pragma once

namespace korvan {

// The plot coordinates of a user point; false with warning 27 when a value is
// not above 0 on a logarithmic axis.
bool user_point(double x, double y, double& px, double& py);

// The same, rounded and taken back by the origin of ORIGIN, for routines that
// take a point in plot coordinates (MESSAG, NUMBER, SYMBOL).
bool user_point_for_plot_routine(double x, double y, int& nx, int& ny);

// The plot coordinates of a user point (X2DPOS, Y2DPOS); 0 after a warning.
double x2dpos(double x, double y);
double y2dpos(double x, double y);

}  // namespace korvan
