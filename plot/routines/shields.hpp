// Shielded regions of the page that lines and curves do not enter.
//
// The script's regions are numbered 1, 2, 3 ... in the order they are made
// since KORINI; SHLVIS and SHLDEL take these numbers (0: every region).
// Coordinates are plot coordinates (ORIGIN applies), angles degrees counter-
// clockwise on the page. Every line drawn afterwards, on every device, is cut
// exactly at the outlines of the regions in force. KORINI starts without any.
#pragma once

#include <span>
#include <string_view>

namespace korvan {

// SHIELD(CAREA, CMODE): automatic shielding of the library's own drawings.
// CAREA: "MESSAG" (texts and numbers: the rectangle of each, turned with the
// text), "SYMBOL" (the square of each symbol of SYMBOL and RLSYMB), "BARS"
// (each bar of BARS), "PIE" (each segment of a pie chart), "LEGEND" (the
// legend box) or "ALL". CMODE: "ON" registers the regions of everything drawn
// from now on, "DEFINE" registers them out of force (SHLVIS(0, "ON") puts
// every region in force), "OFF" stops registering (the regions stay),
// "RESET" removes the regions registered so far. Automatic regions have no
// number of their own. Default: off; RESET("SHIELD") switches all off.
void shield(std::string_view area, std::string_view mode);
// A circle of radius nr around (nx, ny).
void shlcir(int nx, int ny, int nr);
// An ellipse around (nx, ny) with semi-axes na, nb, turned by theta.
void shlell(int nx, int ny, int na, int nb, double theta);
// A pie sector of radius nr around (nx, ny) from angle alpha to beta.
void shlpie(int nx, int ny, int nr, double alpha, double beta);
// A polygon of n points (even-odd rule for crossing outlines).
void shlpol(std::span<const int> nx, std::span<const int> ny, int n);
// A rectangle with upper left corner (nx, ny), nw wide and nh high, turned by
// theta about that corner (as a text at that angle turns).
void shlrct(int nx, int ny, int nw, int nh, double theta);
// The same rectangle without turning.
void shlrec(int nx, int ny, int nw, int nh);
// Every surface drawn from now on (SURFCE, SURMAT, SURSHD) shields the region
// inside the outline of its border on the page; RESET("SHLSUR") ends this.
void shlsur();
// CVIS "ON": region id is in force; "OFF": it lets lines through but is kept.
void shlvis(int id, std::string_view visibility);
// Deletes region id (0: every region, the automatic ones too).
void shldel(int id);

}  // namespace korvan
