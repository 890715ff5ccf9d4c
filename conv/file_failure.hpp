// The converter's message for a file it could not create or write.
#pragma once

#include <string>
#include <string_view>

namespace korvan::conv {

// " <<<< <what> error in file <name>: <the system's reason>\n" for an error
// number (0 when the system gave none); what is "Open" or "Write".
std::string file_failure_message(std::string_view what, std::string_view name, int error);

}  // namespace korvan::conv
