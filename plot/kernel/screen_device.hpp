// The screen device (codes 75-80): a plot drawn into the graphics windows of
// the window driver, and the window work of OPNWIN, SELWIN, CLSWIN, WINTIT,
// WINID and GETWIN on it.
#pragma once

#include <memory>
#include <string_view>

#include "plot/kernel/device.hpp"

namespace korvan {

std::unique_ptr<Device> make_screen_device(int device_code);

// The device scale of a drawing area of w x h pixels (drawing size, that is
// the area's size minus one) for the page, page mode and scaling of the plot state.
double screen_device_scale(int draw_width, int draw_height);

// The pixel of a plot point on a pixel device (screen window, raster) of
// device scale `scale`: a turned page (page mode 1) lies turned on it. False
// for a point that is no number; far-away points stay far away (the device
// clips them) without overflowing.
bool pixel_of_point(double x, double y, double scale, bool turned, double page_width, int& px, int& py);

// Window work on the open plot's screen device. The window routines check
// their level and the device first; without a screen device these do nothing.
// A window counts as open when this plot opened it and it is still there.
bool screen_window_open(int n);
// Opens window n (1..5) with the window settings and makes it current.
void open_screen_window(int n);
// Makes window n current; false when it is not open.
bool select_screen_window(int n);
// Closes window n; the plot's own window becomes current again.
bool close_screen_window(int n);
void set_screen_window_title(std::string_view text);
// The current window's number, 0 when there is none.
int current_screen_window();
// Where the current window is on the screen (client area); false without one.
bool current_screen_window_placement(int& x, int& y, int& w, int& h);

}  // namespace korvan
