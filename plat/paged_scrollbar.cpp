#include "plat/paged_scrollbar.hpp"

#include <FL/Fl.H>

#include "plat/scroll_steps.hpp"

namespace korvan::plat {

namespace {
constexpr double first_repeat = 0.5;  // seconds, as the toolkit's trough
constexpr double next_repeat = 0.05;
}  // namespace

PagedScrollbar::PagedScrollbar(int x, int y, int w, int h, int page_step)
    : Fl_Scrollbar(x, y, w, h), page_step_(page_step)
{
}

PagedScrollbar::~PagedScrollbar() { Fl::remove_timeout(repeat, this); }

int PagedScrollbar::handle(int event)
{
    switch (event) {
    case FL_PUSH: {
        if (Fl::event_button() != FL_LEFT_MOUSE)
            break;
        const bool across = horizontal() != 0;
        const int pos = across ? Fl::event_x() - x() : Fl::event_y() - y();
        const double range = maximum() - minimum();
        const double fraction = range != 0 ? (value() - minimum()) / range : 0.5;
        const ScrollbarPart part =
            scrollbar_part(pos, across ? w() : h(), across ? h() : w(), slider_size(), fraction);
        if (part != ScrollbarPart::back_page && part != ScrollbarPart::forward_page)
            break;
        direction_ = part == ScrollbarPart::back_page ? -1 : 1;
        step_page();
        Fl::add_timeout(first_repeat, repeat, this);
        return 1;
    }
    case FL_DRAG:
        if (direction_ != 0)
            return 1;
        break;
    case FL_RELEASE:
        if (direction_ != 0) {
            direction_ = 0;
            Fl::remove_timeout(repeat, this);
            return 1;
        }
        break;
    default:
        break;
    }
    return Fl_Scrollbar::handle(event);
}

void PagedScrollbar::repeat(void* data)
{
    auto* self = static_cast<PagedScrollbar*>(data);
    if (self->direction_ == 0)
        return;
    self->step_page();
    Fl::repeat_timeout(next_repeat, repeat, data);
}

void PagedScrollbar::step_page()
{
    const int next = stepped_value(static_cast<int>(value()), direction_ * page_step_,
                                   static_cast<int>(minimum()), static_cast<int>(maximum()));
    if (value(next) != 0)
        do_callback();
}

}  // namespace korvan::plat
