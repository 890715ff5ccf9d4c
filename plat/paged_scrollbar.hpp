// An FLTK scroll bar whose trough (beside the thumb) moves it by a fixed step
// instead of by the visible amount; arrows, thumb and wheel work as usual.
// A held press keeps stepping, as the toolkit's own trough does.
#pragma once

#include <FL/Fl_Scrollbar.H>

namespace korvan::plat {

class PagedScrollbar final : public Fl_Scrollbar {
public:
    PagedScrollbar(int x, int y, int w, int h, int page_step);
    ~PagedScrollbar() override;

    int handle(int event) override;

private:
    static void repeat(void* data);
    void step_page();

    int page_step_;
    int direction_ = 0;  // -1 or +1 while the trough is held
};

}  // namespace korvan::plat
