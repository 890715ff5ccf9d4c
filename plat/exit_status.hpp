// The exit status of a program: 0, or 1 once the run noted a failure (a file
// that could not be opened, read or written, a refused command line). Every
// way the process ends returns it: main, the output window closed, EXIT, a
// fatal stop.
#pragma once

namespace korvan::plat {

inline constexpr int failure_exit_status = 1;

// Records that the run failed; the program goes on as before and ends with 1.
void note_failure();

// 0, or failure_exit_status after note_failure.
int exit_status();

// Writes out every open stream and ends the process with exit_status().
[[noreturn]] void end_process();

}  // namespace korvan::plat
