#include "plot/widgets/front_end.hpp"

#include "plat/graphics.hpp"
#include "plot/widgets/fltk_dialogs.hpp"

namespace korvan::widgets {

namespace {

std::unique_ptr<DialogFrontEnd>& installed()
{
    static std::unique_ptr<DialogFrontEnd> instance;
    return instance;
}

}  // namespace

DialogFrontEnd& front_end()
{
    if (installed())
        return *installed();
    if (table().settings.mode != mode_text && plat::display_available()) {
        static std::unique_ptr<DialogFrontEnd> windows = make_fltk_front_end();
        if (windows)
            return *windows;
    }
    static std::unique_ptr<DialogFrontEnd> text_form = make_text_form();
    return *text_form;
}

void set_front_end(std::unique_ptr<DialogFrontEnd> next) { installed() = std::move(next); }

}  // namespace korvan::widgets
