// Message boxes on a display: the caption is the window's title as given
// (an empty caption gives an empty title) and the one button is "OK", the
// default button; the call returns when the box is confirmed or closed.
#pragma once

#include <string_view>

namespace korvan::plat {

void show_message_box(std::string_view caption, std::string_view text);

// The text of the button of message boxes.
inline constexpr const char* message_box_button = "OK";

}  // namespace korvan::plat
