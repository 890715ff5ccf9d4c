// Shared between the text routines: a string drawn like MESSAG.
#pragma once

#include <string_view>

#include "plot/routines/text.hpp"

namespace korvan {

// MESSAG's drawing after its level check: trailing blanks ignored, 999/999
// continues the previous text, the origin is added and a start or end point off
// the page is reported under the routine's name; the colour is restored.
void draw_message(std::string_view text, int nx, int ny, const TextRequest& request, const char* report_name);

}  // namespace korvan
