#include "plot/win/driver.hpp"

#include "plat/console.hpp"
#include "plat/window_console.hpp"
#include "plot/win/screen.hpp"

namespace korvan::win {

namespace {
struct DriverState {
    bool started = false;
    bool output_window = false;
};

DriverState& state()
{
    static DriverState s;
    return s;
}

void (*start_hook)(bool, bool) = nullptr;

void tell_library()
{
    if (start_hook != nullptr)
        start_hook(state().started, state().output_window);
}

// Closing the output window ends the process; the graphics windows go first.
void release_graphics()
{
    if (screen_exists())
        screen().release_all();
}
}  // namespace

void set_start_hook(void (*hook)(bool started, bool output_window))
{
    start_hook = hook;
    tell_library();
}

void start(bool want_output_window)
{
    if (state().started)
        return;
    state().started = true;
    state().output_window = want_output_window;
    if (plat::WindowConsole* console = plat::active_window_console(); console != nullptr) {
        plat::set_output_window_close_hook(release_graphics);
        if (want_output_window)
            console->show_output_window();
    }
    tell_library();
}

bool started() { return state().started; }

bool has_output_window() { return state().output_window; }

void print(std::string_view text)
{
    if (state().output_window)
        plat::console().write_output(text);
    else
        plat::console().message_box("", text);
}

bool read_input_line(std::string& line)
{
    if (!state().output_window)
        return false;
    return plat::console().read_input_line(line);
}

void end(bool wait)
{
    const bool output_window = state().output_window;
    if (screen_exists())
        screen().save_unfinished_pictures();
    state() = DriverState{};
    tell_library();
    // The terminal console has nothing to wait for; the output window stays
    // until the user closes it, which ends the process.
    if (plat::WindowConsole* console = plat::active_window_console(); console != nullptr && output_window) {
        if (wait)
            console->wait_until_closed();
        else
            console->hide_output_window();
    }
    release_graphics();
}

void reset_for_tests()
{
    state() = DriverState{};
    reset_screen();
    tell_library();
}

}  // namespace korvan::win
