#include "plot/win/driver.hpp"

#include "plat/console.hpp"

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

void end(bool)
{
    // The terminal console has nothing to wait for; windows are released here.
    state() = DriverState{};
    tell_library();
}

void reset_for_tests()
{
    state() = DriverState{};
    tell_library();
}

}  // namespace korvan::win
