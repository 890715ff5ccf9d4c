// Sending a file to the printer port (a file or device path here).
#pragma once

#include <string>

namespace korvan::conv {

// Copies the file to the port; false with the message when one cannot be
// opened. The file is removed afterwards when asked.
bool copy_to_port(const std::string& file, const std::string& port, bool remove_file, std::string& message);

}  // namespace korvan::conv
