// kflwin: a window that starts kflrun with a script, files, a device and arguments.
#include <cstdio>
#include <cstdlib>

#include "launcher/launcher_window.hpp"
#include "plat/host.hpp"
#include "plat/usage.hpp"
#include "plat/window_console.hpp"

namespace {
const char* const kflwin_usage =
    "Usage: kflwin\n"
    "\n"
    "A window in which to pick a KFL script, a data file, an include file, an output\n"
    "device and script arguments, and which then starts kflrun with them. kflrun is\n"
    "taken from the \"win\" directory of KORVAN, or from beside kflwin when that has none.\n"
    "\n"
    "Environment: KORVAN (installation directory), DISPLAY (the X display).\n"
    "  -h, --help    this text\n";
}  // namespace

int main(int argc, char** argv)
{
    if (argc > 1 && korvan::plat::is_help_word(argv[1])) {
        korvan::plat::print_usage(kflwin_usage, "kflwin");
        return 0;
    }
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
