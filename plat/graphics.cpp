#include "plat/graphics.hpp"

#include <FL/x.H>
#include <X11/Xlib.h>

#include <cstdlib>
#include <cstring>
#include <string>

namespace korvan::plat {

void Picture::resize(int w, int h)
{
    width = w > 0 ? w : 0;
    height = h > 0 ? h : 0;
    rgb.assign(static_cast<std::size_t>(width) * static_cast<std::size_t>(height) * 3, 0);
}

namespace {
std::unique_ptr<Graphics>& current()
{
    static std::unique_ptr<Graphics> instance;
    return instance;
}

// Parses a positive decimal number; 0 when the text is not one.
int parse_positive(const char* text, const char** end)
{
    long value = 0;
    const char* p = text;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + (*p - '0');
        if (value > 100000)
            return 0;
        ++p;
    }
    *end = p;
    return p == text ? 0 : static_cast<int>(value);
}
}  // namespace

Graphics& graphics()
{
    if (!current()) {
        if (display_available())
            current() = make_display_graphics();
        if (!current())
            current() = make_offscreen_graphics(screen_from_environment());
    }
    return *current();
}

std::unique_ptr<Graphics> set_graphics(std::unique_ptr<Graphics> next)
{
    std::unique_ptr<Graphics> old = std::move(current());
    current() = std::move(next);
    return old;
}

bool display_available()
{
    const char* choice = std::getenv("KORVAN_DISPLAY");
    if (choice != nullptr && std::strcmp(choice, "none") == 0)
        return false;
    const char* name = std::getenv("DISPLAY");
    if (name == nullptr || *name == '\0')
        return false;
    // The connection that answers the question is the one FLTK uses for the
    // whole run. Opening a second one after closing a probe would race with a
    // server that resets itself when its last client leaves (a bare Xvfb): the
    // second connection could be refused and end the program.
    static int known = -1;
    if (known < 0) {
        Display* display = XOpenDisplay(nullptr);
        known = display != nullptr ? 1 : 0;
        if (display != nullptr)
            fl_open_display(display);
    }
    return known == 1;
}

void apply_depth_override(ScreenInfo& screen)
{
    const char* bpp = std::getenv("KORVAN_SCREEN_BPP");
    if (bpp == nullptr)
        return;
    if (std::strcmp(bpp, "4") == 0)
        screen.bits_per_pixel = 4;
    else if (std::strcmp(bpp, "8") == 0)
        screen.bits_per_pixel = 8;
    else if (std::strcmp(bpp, "24") == 0)
        screen.bits_per_pixel = 24;
}

ScreenInfo screen_from_environment()
{
    ScreenInfo screen;
    if (const char* size = std::getenv("KORVAN_SCREEN"); size != nullptr) {
        const char* p = size;
        int w = parse_positive(p, &p);
        int h = 0;
        if (*p == 'x' || *p == 'X')
            h = parse_positive(p + 1, &p);
        // Nonsense sizes keep the default screen.
        if (*p == '\0' && w >= 64 && h >= 64 && w <= 16384 && h <= 16384) {
            screen.width = w;
            screen.height = h;
        }
    }
    apply_depth_override(screen);
    return screen;
}

}  // namespace korvan::plat
