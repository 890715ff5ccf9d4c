// The display back end: plot windows on the X11 display, built with FLTK.
// A window paints itself from the driver's picture and nothing else.
#include <FL/Fl.H>
#include <FL/Fl_Double_Window.H>
#include <FL/fl_draw.H>
#include <FL/x.H>

#include "plat/graphics.hpp"

namespace korvan::plat {

namespace {
class PlotWindow final : public Fl_Double_Window {
public:
    PlotWindow(const WindowPlacement& where, const Picture* picture, WindowEvents* events)
        : Fl_Double_Window(where.x, where.y, where.width, where.height),
          number_(where.number),
          picture_(picture),
          events_(events)
    {
        end();
        size_range(where.width, where.height, where.width, where.height);
        callback(on_close, this);
    }

    // Forgets the driver before the window is deleted later.
    void detach()
    {
        picture_ = nullptr;
        events_ = nullptr;
    }

    void draw() override
    {
        fl_color(FL_BLACK);
        fl_rectf(0, 0, w(), h());
        if (picture_ != nullptr && picture_->width > 0 && picture_->height > 0)
            fl_draw_image(picture_->rgb.data(), 0, 0, picture_->width, picture_->height, 3);
    }

    int handle(int event) override
    {
        if (event == FL_PUSH && Fl::event_button() == FL_RIGHT_MOUSE)
            return 1;
        if (event == FL_RELEASE && Fl::event_button() == FL_RIGHT_MOUSE) {
            if (events_ != nullptr)
                events_->right_button_released(number_);
            return 1;
        }
        return Fl_Double_Window::handle(event);
    }

private:
    static void on_close(Fl_Widget*, void* data)
    {
        auto* self = static_cast<PlotWindow*>(data);
        if (self->events_ != nullptr)
            self->events_->close_requested(self->number_);
    }

    int number_;
    const Picture* picture_;
    WindowEvents* events_;
};

class FltkWindow final : public ScreenWindow {
public:
    FltkWindow(const WindowPlacement& where, std::string_view title, const Picture* picture,
               WindowEvents* events)
        : window_(new PlotWindow(where, picture, events))
    {
        set_title(title);
        window_->show();
        Fl::check();
    }

    ~FltkWindow() override
    {
        // The window may be deleted from inside its own event handler.
        window_->detach();
        window_->hide();
        Fl::delete_widget(window_);
        Fl::check();
    }

    void set_title(std::string_view title) override
    {
        title_ = title;
        window_->copy_label(title_.c_str());
        Fl::check();
    }

    const std::string& title() const override { return title_; }

    void refresh() override
    {
        window_->redraw();
        Fl::check();
    }

    unsigned long native_id() const override { return window_->shown() ? fl_xid(window_) : 0; }

private:
    PlotWindow* window_;
    std::string title_;
};

class FltkGraphics final : public Graphics {
public:
    FltkGraphics()
    {
        Fl::visual(FL_RGB);
        fl_open_display();
        int x = 0;
        int y = 0;
        Fl::screen_xywh(x, y, screen_.width, screen_.height);
        int depth = fl_visual != nullptr ? fl_visual->depth : 24;
        screen_.bits_per_pixel = depth > 8 ? 24 : depth;
        screen_.frame_width = 4;
        screen_.frame_height = 4;
        screen_.caption_height = 20;
        screen_.scrollbar_width = Fl::scrollbar_size();
        apply_depth_override(screen_);
    }

    ScreenInfo screen() const override { return screen_; }
    bool headless() const override { return false; }
    long display_id() const override { return fl_display != nullptr ? ConnectionNumber(fl_display) : 0; }

    std::unique_ptr<ScreenWindow> open_window(const WindowPlacement& where, std::string_view title,
                                              const Picture* picture,
                                              WindowEvents* events) override
    {
        return std::make_unique<FltkWindow>(where, title, picture, events);
    }

    void wait_until(const std::function<bool()>& done) override
    {
        while (!done()) {
            // Nothing shown any more: nothing can end the wait.
            if (Fl::first_window() == nullptr)
                return;
            Fl::wait(0.25);
        }
    }

    void poll() override { Fl::check(); }

private:
    ScreenInfo screen_;
};
}  // namespace

std::unique_ptr<Graphics> make_display_graphics()
{
    if (!display_available())
        return nullptr;
    return std::make_unique<FltkGraphics>();
}

}  // namespace korvan::plat
