#include "plot/kernel/state.hpp"

#include <cstring>

#include "plot/kernel/device.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/win/driver.hpp"

namespace korvan {

PlotState::PlotState() = default;
PlotState::~PlotState()
{
    if (message_stream != nullptr)
        std::fclose(message_stream);
}
PlotState::PlotState(PlotState&&) noexcept = default;
PlotState& PlotState::operator=(PlotState&&) noexcept = default;

namespace {
PlotState& raw_state()
{
    static PlotState s;
    return s;
}

bool hook_installed = false;
}  // namespace

void host_window_state(bool started, bool output_window)
{
    PlotState& s = raw_state();
    s.window_ready = started;
    if (started)
        s.error_file_flag = !output_window;
}

PlotState& state()
{
    if (!hook_installed) {
        hook_installed = true;
        win::set_start_hook(&host_window_state);
    }
    return raw_state();
}

void reset_state_for_tests()
{
    PlotState& s = raw_state();
    if (s.message_stream != nullptr) {
        std::fclose(s.message_stream);
        s.message_stream = nullptr;
    }
    s = PlotState{};
    hook_installed = false;
    state();
}

void first_use_init()
{
    PlotState& s = state();
    if (s.initialised)
        return;
    s.initialised = true;
    s.level = 0;
    s.device_code = 0;
    s.setfil_state = 0;
    s.file_mode = 0;
    s.scaling_mode = 0;
    s.page_mode = 0;
    s.hw_page = false;
    s.message_unit = 6;
    s.message_stream = nullptr;
    std::memcpy(s.page_format, "DA4L", 5);
    s.page_width = 2969;
    s.page_height = 2099;
    s.scaling_factor = 1.0f;
}

}  // namespace korvan
