// The data file (".kdf") a script reads with DATFIL and friends.
#pragma once

#include <string>
#include <string_view>

namespace korvan::kfl {

// Opens the data file named on the command line as DATFIL does; the script's
// first DATFIL is then passed over. Reports the reason and returns false when
// it cannot be opened.
bool open_startup_data_file(std::string_view name);

// Closes the open data file, if any.
void close_data_file();

// Back to the start-up state: no file, block 1 (for tests).
void reset_data_file();

}  // namespace korvan::kfl
