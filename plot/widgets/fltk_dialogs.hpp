// The dialogs on a display, shown with FLTK.
#pragma once

#include <memory>

#include "plot/widgets/front_end.hpp"

namespace korvan::widgets {

// nullptr when no display can be opened.
std::unique_ptr<DialogFrontEnd> make_fltk_front_end();

}  // namespace korvan::widgets
