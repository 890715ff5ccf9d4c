#include "plot/widgets/front_end.hpp"

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
    static std::unique_ptr<DialogFrontEnd> text_form = make_text_form();
    return *text_form;
}

void set_front_end(std::unique_ptr<DialogFrontEnd> next) { installed() = std::move(next); }

}  // namespace korvan::widgets
