// The installer's own dialogs: the directory dialog and the copy display,
// as windows in the window console or as prompts and lines on the terminal.
#pragma once

#include <cstdio>
#include <memory>
#include <optional>
#include <string>

#include "installer/copy_display.hpp"

namespace korvan::installer {

class SetupScreens {
public:
    virtual ~SetupScreens() = default;
    // The installation directory as typed (preset shown), nothing on Cancel.
    virtual std::optional<std::string> ask_directory(const std::string& preset) = 0;
    virtual std::unique_ptr<CopyDisplay> open_copy_display() = 0;
};

// Prompts on in/out; an empty answer takes the preset, the end of input cancels.
std::unique_ptr<SetupScreens> make_terminal_screens(std::FILE* in, std::FILE* out);

// FLTK windows; the display must be open (the window console opens it).
std::unique_ptr<SetupScreens> make_window_screens();

}  // namespace korvan::installer
