// Geometric figures anywhere on the page: lines, areas, rectangles, filled
// rectangles and points, circles, ellipses, arcs, sectors, pie slices, rounded
// rectangles and arrows. Each has a form in plot coordinates and one with the
// prefix RL in user coordinates of the open axis system.
#pragma once

#include <span>

namespace korvan {

void line(int nx1, int ny1, int nx2, int ny2);
void strtpt(double x, double y);
void connpt(double x, double y);
// The same pen under other names.
void xmove(double x, double y);
void xdraw(double x, double y);
void rline(double x1, double y1, double x2, double y2);

void areaf(std::span<const int> nx, std::span<const int> ny, int n);
void rlarea(std::span<const float> x, std::span<const float> y, int n);

void rectan(int nx, int ny, int nw, int nh);
void rlrec(double x, double y, double w, double h);
void recfll(int nx, int ny, int nw, int nh, int ncol);
void point(int nx, int ny, int nb, int nh, int ncol);
void rlpoin(double x, double y, int nb, int nh, int ncol);

void circle(int nx, int ny, int nr);
void ellips(int nx, int ny, int na, int nb);
void arcell(int nx, int ny, int na, int nb, double alpha, double beta, double theta);
void rlcirc(double xm, double ym, double r);
void rlell(double xm, double ym, double a, double b);
void rlarc(double xm, double ym, double a, double b, double alpha, double beta, double theta);

// Annular sector between radii nr1 and nr2 from alpha to beta degrees, filled
// in colour ncol (-1: not filled).
void sector(int nx, int ny, int nr1, int nr2, double alpha, double beta, int ncol);
void rlsec(double xm, double ym, double r1, double r2, double alpha, double beta, int ncol);
// Pie slice of radius nr from alpha to beta degrees: always closed through the
// centre, filled with the current shading pattern.
void pie(int nx, int ny, int nr, double alpha, double beta);
// Rectangle with corners rounded by a radius of iopt plot units.
void rndrec(int nx, int ny, int nw, int nh, int iopt);
void rlrnd(double x, double y, double w, double h, int iopt);
// Arrow from the first to the second point; ivec is the arrow-head code:
// ivec % 10 where the heads stand (0 none, 1 at the end, 2 at both ends, 3 at
// the start), ivec / 10 % 10 their form (0 open, 1 filled, 2 outlined
// triangle), ivec / 100 their length in plot units (0: 40).
void vector(int nx1, int ny1, int nx2, int ny2, int ivec);
// Whether ivec is an arrow-head code of VECTOR.
bool arrow_code_valid(int ivec);
// The arrow of VECTOR between two page points, without level check and origin.
void draw_arrow(int nx1, int ny1, int nx2, int ny2, int ivec);
void rlvec(double x1, double y1, double x2, double y2, int ivec);

// The slice of PIE around the page point (cx, cy), without level check and
// origin, in the current colour and shading pattern (for pie charts).
void draw_pie_slice(double cx, double cy, int nr, double alpha, double beta);

void circsp(int n);
void noarln();

}  // namespace korvan
