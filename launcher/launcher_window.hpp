// The launcher's window: fields for the script, data file, include file and
// arguments, the device list, the output-window box, Quit and OK.
#pragma once

namespace korvan::launcher {

// Shows the window and runs until it is closed; returns the exit code.
int run_launcher_window();

}  // namespace korvan::launcher
