// What kind of plot file the converter is given.
#pragma once

#include <string>

namespace korvan::conv {

enum class InputKind { missing, unknown, gksvan, cgm, kyocera, hpgl, postscript };

struct InputFile {
    InputKind kind = InputKind::missing;
    // PostScript only: a raster image in the file, its colour kind and size.
    bool image = false;
    bool colour_image = false;
    int image_width = 0;
    int image_height = 0;
    // A line at the start too long to be read: what was refused.
    std::string refusal;
};

// The device code of an input kind's format (0 for none).
int input_code(InputKind kind);

// Looks at the start of the file.
InputFile detect_input(const std::string& name);

}  // namespace korvan::conv
