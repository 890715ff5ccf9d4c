// kflwin: a window that starts kflrun with a script, files, a device and arguments.
#include <cstdio>
#include <cstdlib>

#include "launcher/launcher_window.hpp"
#include "plat/host.hpp"
#include "plat/window_console.hpp"

int main()
{
    if (!korvan::plat::get_env("DISPLAY") || korvan::plat::get_env("DISPLAY")->empty()) {
        std::fputs("kflwin: the launcher is a window and needs an X display (DISPLAY is not set)\n", stderr);
        return 1;
    }
    // Message boxes are dialogs, and the kflrun runs started from here talk
    // through windows too, unless the user chose otherwise.
    setenv("KORVAN_CONSOLE", "window", 0);
    korvan::plat::select_backends();
    return korvan::launcher::run_launcher_window();
}
