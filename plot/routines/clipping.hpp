// The clipping window: a rectangle of the page to which lines drawn without a
// rectangle of their own (symbols, fills, legends ...) are cut. GRAF keeps the
// window in force and ENDGRF brings it back.
#pragma once

#include <string_view>

#include "plot/kernel/clip.hpp"

namespace korvan {

// Upper left corner (nx, ny), width nw and height nh in plot coordinates.
void clpwin(int nx, int ny, int nw, int nh);
// "AXIS": the rectangle of the open axis system; "PAGE": the whole page.
void clpbor(std::string_view option);
// Suspends clipping to the window until RESET("NOCLIP").
void noclip();
// The window in force; the page when none was set.
void getclp(int& nx, int& ny, int& nw, int& nh);

// GRAF keeps the window, ENDGRF restores it.
void save_clipping_window();
void restore_clipping_window();

}  // namespace korvan
