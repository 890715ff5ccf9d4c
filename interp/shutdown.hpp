// Ending the run: EXIT and the end of console input.
#pragma once

namespace korvan::kfl {

// Finishes a plot left open, closes the log file, the data file and the script's open files, then ends the process.
[[noreturn]] void terminate_run(int exit_code);

}  // namespace korvan::kfl
