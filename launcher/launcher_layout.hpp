// Where the launcher window's controls go: a grid of the font's average
// character width and height below the menu bar. The window is 500 by 400
// pixels, or larger where the font needs more room, so that no control is cut.
#pragma once

namespace korvan::launcher {

struct Box {
    int x = 0;
    int y = 0;
    int w = 0;
    int h = 0;
    int right() const { return x + w; }
    int bottom() const { return y + h; }
};

struct LauncherLayout {
    int width = 0;   // the window
    int height = 0;
    Box menu;
    Box script_label, data_label, script, data;
    Box device_label, include_label, devices, include;
    Box arguments_label, arguments;
    Box output_window;
    Box quit, ok;
};

// The layout for a font of average character width w and height h (pixels)
// under a menu bar menu_height pixels high.
LauncherLayout launcher_layout(int w, int h, int menu_height);

}  // namespace korvan::launcher
