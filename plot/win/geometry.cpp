#include "plot/win/geometry.hpp"

#include <algorithm>

namespace korvan::win {

int window_number(int device_code)
{
    if (device_code >= 76 && device_code <= 79)
        return device_code - 74;
    return 1;
}

WindowGeometry window_geometry(const plat::ScreenInfo& screen, const OpenRequest& request)
{
    WindowGeometry g;
    g.number = window_number(request.device_code);
    g.console_form = request.device_code == 80;

    const bool size_given = (request.window_flag == 1 || request.window_flag == 2) &&
                            request.width > 0 && request.height > 0;
    if (size_given) {
        g.width = request.width;
        g.height = request.height;
    } else {
        const double pw = request.page_width > 0 ? request.page_width : 1;
        const double ph = request.page_height > 0 ? request.page_height : 1;
        const double ratio = pw / ph;
        if (pw > ph) {
            g.width = g.console_form ? screen.width - 2 * screen.frame_width
                                     : screen.width * 2 / 3;
            g.height = static_cast<int>(g.width / ratio + 0.5);
        } else {
            g.height = g.console_form ? screen.height - 2 * screen.frame_height -
                                            screen.caption_height + 1
                                      : screen.height * 2 / 3;
            g.width = static_cast<int>(g.height * ratio + 0.5);
        }
        g.width = std::max(g.width, 1);
        g.height = std::max(g.height, 1);
    }

    if (request.window_flag == 1 && size_given) {
        g.x = request.x;
        g.y = request.y;
        return g;
    }
    const int right = screen.width - g.width - screen.frame_width;
    const int bottom = screen.height - g.height - screen.frame_height;
    const int top = screen.frame_height + screen.caption_height - 1;
    if (g.console_form) {
        g.x = right;
        g.y = bottom;
    } else {
        switch (g.number) {
        case 1: g.x = right; g.y = bottom; break;
        case 2: g.x = right; g.y = top; break;
        case 3: g.x = screen.frame_width; g.y = top; break;
        case 4: g.x = screen.frame_width; g.y = bottom; break;
        default:
            g.x = (screen.width - g.width) / 2;
            g.y = (screen.height - g.height) / 2 + screen.caption_height / 2;
            break;
        }
    }
    g.x = std::max(g.x, screen.frame_width);
    g.y = std::max(g.y, top);
    return g;
}

}  // namespace korvan::win
