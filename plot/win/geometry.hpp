// Where a graphics window goes and how large its drawing area is.
#pragma once

#include "plat/graphics.hpp"

namespace korvan::win {

// What the library hands over when it opens a screen window.
struct OpenRequest {
    int device_code = 75;  // 75..79 windows 1..5, 80 window 1 in its console form
    double page_width = 2970;
    double page_height = 2100;
    int window_flag = 0;   // 0 computed, 1 position and size given (WINDOW), 2 size given (WINSIZ)
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    int screen_mode = 0;   // 0 ERAS, 1 NOER, 2 REVE
    int reduction = 0;     // CLRMOD: 0 NONE, 1 FULL, 2 CONT
    bool further = false;  // a further window (OPNWIN), not the plot's own
};

struct WindowGeometry {
    int number = 1;
    bool console_form = false;
    int x = 0;  // client area on the screen
    int y = 0;
    int width = 1;
    int height = 1;
};

// The window number of a screen device code.
int window_number(int device_code);

WindowGeometry window_geometry(const plat::ScreenInfo& screen, const OpenRequest& request);

}  // namespace korvan::win
