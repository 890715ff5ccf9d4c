// The state of the image routines: pixel access between IMGINI and IMGFIN,
// and where WTIFF puts a TIFF image (TIFORG) and which part of it (TIFWIN).
#pragma once

#include <string_view>

namespace korvan {

struct PlotState;

struct ImageSettings {
    bool pixel_access = false;  // IMGINI called, IMGFIN not yet
    int origin_x = 0;           // TIFORG: pixel of the image's upper left corner
    int origin_y = 0;
    bool window = false;        // TIFWIN given: only that part of the image is loaded
    int window_x = 0;
    int window_y = 0;
    int window_w = 0;
    int window_h = 0;
};

// Resets the TIFF position and window for RESET key "ALL ".
void reset_image_settings(PlotState& s, std::string_view key);

}  // namespace korvan
