#include "launcher/launcher_layout.hpp"

#include <algorithm>
#include <cstring>

namespace korvan::launcher {

namespace {

constexpr int least_width = 500;
constexpr int least_height = 400;

}  // namespace

LauncherLayout launcher_layout(int w, int h, int menu_height)
{
    w = std::max(w, 1);
    h = std::max(h, 1);
    LauncherLayout l;
    const int field_h = h * 3 / 2;
    const int left = 2 * w;
    const int right = 38 * w;
    const int column = 30 * w;
    auto label = [&](int x, int y, const char* text) {
        return Box{x, y, static_cast<int>(1.5 * static_cast<double>(std::strlen(text)) * w), field_h};
    };
    int y = menu_height + h;
    l.script_label = label(left, y, "KFL File:");
    l.data_label = label(right, y, "Data File:");
    y += field_h;
    l.script = {left, y, column, field_h};
    l.data = {right, y, column, field_h};
    y += 3 * h;
    l.device_label = label(left, y, "Device:");
    l.include_label = label(right, y, "Include File:");
    y += field_h;
    l.devices = {left, y, column, 9 * h};
    l.include = {right, y, column, field_h};
    y += 3 * h;
    l.arguments_label = label(right, y, "Arguments:");
    y += field_h;
    l.arguments = {right, y, column, field_h};
    y += 3 * h;
    l.output_window = {right, y, column, h};
    y += 3 * h;
    l.quit = {left, y, column, field_h};
    l.ok = {right, y, column, field_h};
    // The right margin as wide as the left one, and a character height below the buttons.
    l.width = std::max(least_width, l.ok.right() + left);
    l.height = std::max({least_height, l.ok.bottom() + h, l.devices.bottom() + h});
    l.menu = {0, 0, l.width, menu_height};
    return l;
}

}  // namespace korvan::launcher
