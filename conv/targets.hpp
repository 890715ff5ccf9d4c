// The converter's targets: screens, plot file formats and printers, with the
// device codes of the plotting kernel.
#pragma once

#include <string>
#include <string_view>

namespace korvan::conv {

struct Target {
    std::string format;   // the keyword METAFL gets (a printer's emulation)
    int code = 0;         // its device code
    bool printer = false; // output copied to the printer port
    bool file = false;    // a plot file format (code above 150)
};

// The target of a device name; false with the message to show for an unknown one.
bool resolve_target(std::string_view device, Target& target, std::string& message);

// The output name made from the input's name: without directory, cut at its
// first ".", with the format's default extension.
std::string output_name_for(std::string_view input, int code);

}  // namespace korvan::conv
