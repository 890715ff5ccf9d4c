// The installer's closing message: ready, and how to make the installation
// known to the programs when it is not the default directory.
#pragma once

#include <string>

namespace korvan::installer {

// The directory as a shell word: in single quotes when it needs them.
std::string shell_word(const std::string& text);

// "The installation of KFL is ready.\n \n", followed, when dir is not the
// programs' default directory, by the line that sets KORVAN in ~/.profile.
std::string final_message(const std::string& dir, const std::string& default_dir);

}  // namespace korvan::installer
