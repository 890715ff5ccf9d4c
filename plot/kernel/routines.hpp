// The library routines of the plotting kernel.
#pragma once

#include <string>
#include <string_view>

namespace korvan {

// Opening and closing a plot.
void korini();
void korfin();
// Closes a plot the run leaves open (a quick plot, a script without KORFIN)
// as KORFIN does, without the end protocol.
void close_open_plot();

// Page.
void setpag(std::string_view name);
void page(int nx, int ny);
void pagmod(std::string_view keyword);
void sclfac(double factor);
void sclmod(std::string_view keyword);
void hwpage(int nx, int ny);
void origin(int nx, int ny);
// The origin of ORIGIN.
void getor(int& nx, int& ny);
void unit(int n);
void newpag();
void erase();
void sendbf();
void pagera();
void reset(std::string_view name);
// RESATT: every setting back to its default, as RESET("ALL").
void resatt();

// The library's level (0 closed, 1 open, 2 and 3 in an axis system), the
// message unit of UNIT and the version number.
int getlev();
int getuni();
double getver();

// Screen windows.
void opnwin(int n);
void selwin(int n);
void clswin(int n);
void wintit(std::string_view text);
int winid();
// GETDSP: "XWIN" when plots can be shown in windows on a display, "NONE" when
// screen plots are drawn offscreen.
std::string getdsp();
// GETXID("WINDOW"): the window system's identifier of the current graphics
// window (0 without a display or when the device is no screen window);
// GETXID("DISPLAY"): that of the display connection (0 without one).
int getxid(std::string_view option);
void getwin(int& x, int& y, int& w, int& h);

// Output device and file.
void metafl(std::string_view keyword);
void setfil(std::string_view name);
void filmod(std::string_view keyword);
void symfil(std::string_view device, std::string_view status);
void scrmod(std::string_view keyword);
void winmod(std::string_view keyword);
void window(int nx, int ny, int nw, int nh);
void winsiz(int nw, int nh);
void x11mod(std::string_view keyword);
void clrmod(std::string_view keyword);
std::string getfil();
std::string getmfl();
void getpag(int& nx, int& ny);

// Plot file inclusion.
void incfil(std::string_view file);
void filbox(int nx, int ny, int nw, int nh);
void filclr(std::string_view keyword);

}  // namespace korvan
