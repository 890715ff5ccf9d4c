#include "installer/final_message.hpp"

namespace korvan::installer {

std::string shell_word(const std::string& text)
{
    const char* plain = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789/._+-:@%,=";
    if (!text.empty() && text.find_first_not_of(plain) == std::string::npos)
        return text;
    std::string quoted = "'";
    for (char c : text) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string final_message(const std::string& dir, const std::string& default_dir)
{
    std::string text = "The installation of KFL is ready.\n \n";
    // Directory names are case-sensitive here: only the default itself is
    // found without KORVAN.
    if (dir != default_dir)
        text += "Add the command export KORVAN=" + shell_word(dir) + "\n to the file ~/.profile\n \n";
    return text;
}

}  // namespace korvan::installer
