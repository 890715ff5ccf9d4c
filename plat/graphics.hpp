// Graphics back ends: the screen on which the plot windows live.
// The display back end shows real windows (FLTK on X11); the offscreen back end
// keeps a virtual screen in memory and never waits. The window driver keeps the
// pictures itself; a back end only shows them and reports mouse and close events.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

namespace korvan::plat {

// What the driver needs to know about the screen.
struct ScreenInfo {
    int width = 1280;
    int height = 1024;
    int bits_per_pixel = 24;
    int frame_width = 4;     // width of a window's side frame
    int frame_height = 4;    // height of a window's top and bottom frame
    int caption_height = 20;
    int scrollbar_width = 16;
};

// An RGB picture, three bytes per pixel, rows from top to bottom.
struct Picture {
    int width = 0;
    int height = 0;
    std::vector<std::uint8_t> rgb;

    void resize(int w, int h);
};

// The driver's side of a window: events the back end reports.
class WindowEvents {
public:
    virtual ~WindowEvents() = default;
    virtual void right_button_released(int window_number) = 0;
    virtual void close_requested(int window_number) = 0;
};

// A window on the screen showing a picture that the driver owns. The picture
// must outlive the window.
class ScreenWindow {
public:
    virtual ~ScreenWindow() = default;
    virtual void set_title(std::string_view title) = 0;
    virtual const std::string& title() const = 0;
    // Shows the picture again (after drawing into it).
    virtual void refresh() = 0;
    // The window system's identifier of the window; 0 where there is none.
    virtual unsigned long native_id() const { return 0; }
};

struct WindowPlacement {
    int number = 1;  // 1..5
    int x = 0;       // client area position and size in screen pixels
    int y = 0;
    int width = 1;
    int height = 1;
};

class Graphics {
public:
    virtual ~Graphics() = default;

    virtual ScreenInfo screen() const = 0;
    // True when nothing is shown: waits return at once and pictures go to files.
    virtual bool headless() const = 0;
    // The window system's identifier of the display connection; 0 without one.
    virtual long display_id() const { return 0; }

    virtual std::unique_ptr<ScreenWindow> open_window(const WindowPlacement& where,
                                                      std::string_view title,
                                                      const Picture* picture,
                                                      WindowEvents* events) = 0;

    // Processes events until done() is true (or nothing is left to wait for).
    virtual void wait_until(const std::function<bool()>& done) = 0;
    // Processes pending events without waiting.
    virtual void poll() = 0;
};

// The back end in use: chosen on first use (display when an X display can be
// opened and KORVAN_DISPLAY is not "none", otherwise offscreen).
Graphics& graphics();

// Installs a back end (tests); returns the old one.
std::unique_ptr<Graphics> set_graphics(std::unique_ptr<Graphics> next);

// The offscreen back end for a screen of the given size and depth.
std::unique_ptr<Graphics> make_offscreen_graphics(const ScreenInfo& screen);

// The display back end; nullptr when no display can be opened.
std::unique_ptr<Graphics> make_display_graphics();

// True when KORVAN_DISPLAY is not "none" and an X display can be opened.
bool display_available();

// The virtual screen from KORVAN_SCREEN ("WxH", default 1280 x 1024) and
// KORVAN_SCREEN_BPP (4, 8 or 24; default 24).
ScreenInfo screen_from_environment();

// Applies KORVAN_SCREEN_BPP to a screen's depth, when it is set and valid.
void apply_depth_override(ScreenInfo& screen);

// Writes an RGB picture as an 8-bit RGB PNG file: 0, or on a failure the
// system's error number of its reason (EINVAL for a picture without pixels).
// A file that was not written whole is removed.
int write_png(const std::string& path, const Picture& picture);

}  // namespace korvan::plat
