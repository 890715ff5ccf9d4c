// Axis systems: GRAF and ENDGRF, the user-to-plot transformation, automatic
// scaling, the per-axis and axis-system settings, titles and the getters.
#pragma once

#include <span>
#include <string>
#include <string_view>

#include "plot/kernel/attributes.hpp"

namespace korvan {

// The axis system.
void graf(double xa, double xe, double xor_, double xstep, double ya, double ye, double yor, double ystep);
void endgrf();
void title();
void setscl(std::span<const float> values, int n, std::string_view axes);

// The transformation (level 2 and 3).
int nxposn(double x);
int nyposn(double y);
double xposn(double x);
double yposn(double y);
double xinvrs(int nx);
double yinvrs(int ny);

// Per-axis settings.
void scale(std::string_view option, std::string_view axes);
void digits(int ndig, std::string_view axes);
void intax();
void ticks(int n, std::string_view axes);
void labels(std::string_view option, std::string_view axes);
void ticpos(std::string_view option, std::string_view axes);
void name(std::string_view text, std::string_view axes);
void namdis(int n, std::string_view axes);
void labdis(int n, std::string_view axes);
void namjus(std::string_view option, std::string_view axes);
void labtyp(std::string_view option, std::string_view axes);
void labpos(std::string_view option, std::string_view axes);
// The justification of labels in their column: "AUTO" by side, "CENT", "LEFT", "RIGH".
void labjus(std::string_view option, std::string_view axes);
// Right-justified labels on all axes.
void rgtlab();
void axends(std::string_view option, std::string_view axes);
void logtic(std::string_view option);
void axclrs(int colour, std::string_view option, std::string_view axes);
// LABCLR: the colour of the labels (-1 the current colour), as AXCLRS(n, "LABELS", axes).
void labclr(int colour, std::string_view axes);
// NOLINE: the axis lines of the named axes are left out; ticks, labels and
// names stay. RESET("NOLINE") brings them back.
void noline(std::string_view axes);
// RVYNAM: the names of Y axes are turned by 180 degrees and read downwards.
void rvynam();
// EXPZLB: how the label of the value 0 is written on axes with "EXP" and
// "FEXP" labels: "EXPO" like the other labels (the default), "ZERO" as "0".
void expzlb(std::string_view option);
void mylab(std::string_view text, int n, std::string_view axes);

// Axis-system settings.
void axspos(int nxa, int nya);
void axslen(int nxl, int nyl);
// X, Y and Z axis lengths; the Z length is that of the colour bar's axis.
void ax3len(int nxl, int nyl, int nzl);
// The Z axis length in force: AX3LEN's, otherwise the Y axis length.
int z_axis_length();
// Time labels without the ":" between hours, minutes and seconds.
void timopt();
void ticlen(int major, int minor);
// The major and minor tick lengths.
void gettcl(int& major, int& minor);
void setgrf(std::string_view bottom, std::string_view left, std::string_view top, std::string_view right);
void ax2grf();
void nograf();
void frame(int thickness);
void hname(int n);
void titlin(std::string_view text, int n);
void htitle(int n);
void titjus(std::string_view option);
// The axis systems that follow stand in the middle of the page.
void center();
// Left-justified title lines.
void lfttit();
void titpos(std::string_view option);
void vkytit(int n);
void axstyp(std::string_view option);
void axsorg(int nx, int ny);

// Getters.
// The pie chart label style and digits for the pie chart routines.
PieLabelSettings pie_label_settings();
void getscl(int& nx, int& ny, int& nz);
void getgrf(double& a, double& e, double& first, double& step, std::string_view axis);
void getlen(int& nx, int& ny, int& nz);
void getpos(int& nx, int& ny);
void getdig(int& nx, int& ny, int& nz);
void gettic(int& nx, int& ny, int& nz);
void getlab(std::string& cx, std::string& cy, std::string& cz);
// GETSP1: the distances between axes and labels (LABDIS) of the X, Y and Z axes.
void getsp1(int& nx, int& ny, int& nz);
// GETSP2: the distances between labels and names (NAMDIS) of the X, Y and Z axes.
void getsp2(int& nx, int& ny, int& nz);
// GETVK: the shifts of VKYTIT, VKXBAR and VKYBAR.
void getvk(int& nytit, int& nxbar, int& nybar);

}  // namespace korvan
