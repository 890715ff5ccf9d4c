// The screen window driver: the output window and the print operation through
// which all text of the interpreter and the library goes. The graphics windows
// are in plot/win/screen.hpp.
#pragma once

#include <string>
#include <string_view>

namespace korvan::win {

// Starts the driver once; the output window exists when it is wanted.
void start(bool want_output_window);
bool started();
bool has_output_window();

// All printed text: into the output window when it exists, otherwise a message box.
void print(std::string_view text);

// Waits for one line typed into the output window's input line.
// Returns false when there is no output window or the input has ended.
bool read_input_line(std::string& line);

// Ends the driver; in its waiting form the output window stays until the user closes it.
void end(bool wait);

// Back to the state before start (for tests).
void reset_for_tests();

// The plotting library's hook, told whether the driver is started and whether
// the output window exists (no output window: library messages go to its error
// file); called at once with the current state when installed.
void set_start_hook(void (*hook)(bool started, bool output_window));

}  // namespace korvan::win
