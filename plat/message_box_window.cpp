#include "plat/message_box_window.hpp"

#include <FL/fl_ask.H>

#include <string>

namespace korvan::plat {

void show_message_box(std::string_view caption, std::string_view text)
{
    const std::string title(caption);
    const std::string body(text);
    fl_message_title(title.c_str());
    // The second button is the default button that Enter presses; the
    // others stay hidden.
    fl_choice("%s", nullptr, message_box_button, nullptr, body.c_str());
}

}  // namespace korvan::plat
