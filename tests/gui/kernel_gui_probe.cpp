// Draws a plot through the plotting kernel on a real display for the GUI tests:
// METAFL("XWIN"), the page border in the foreground and both diagonals in red
// (colour 100), then KORFIN waits in the window for the right mouse button.
// Progress goes to standard output.
#include <cstdio>
#include <string>

#include "plat/graphics.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/driver.hpp"
#include "plot/win/screen.hpp"

namespace {
void say(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}
}  // namespace

int main()
{
    using namespace korvan;
    if (plat::graphics().headless()) {
        say("no display\n");
        return 3;
    }
    state();  // the library hears of the driver's start
    win::start(false);
    metafl("XWIN");
    korini();
    pagera();
    setind(100, 1.0, 0.0, 0.0);
    setclr(100);
    const PlotState& s = state();
    plot_vector(0, 0, 3);
    plot_vector(s.page_width, s.page_height, 2);
    plot_vector(0, s.page_height, 3);
    plot_vector(s.page_width, 0, 2);
    sendbf();
    say("waiting\n");
    korfin();
    say(win::window_is_open(1) ? "still open\n" : "wait ended\n");
    win::end(false);
    return 0;
}
