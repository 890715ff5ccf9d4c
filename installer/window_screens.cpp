#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Output.H>
#include <FL/Fl_Progress.H>
#include <FL/Fl_Return_Button.H>
#include <FL/fl_draw.H>

#include <algorithm>

#include "installer/setup_screens.hpp"

namespace korvan::installer {

namespace {
const Fl_Color light_grey = fl_rgb_color(192, 192, 192);

// The dialogs' unit: the average character width and the line height of the
// standard font.
struct Cell {
    int w = 8;
    int h = 16;

    static Cell measure()
    {
        fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
        const char* sample = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        Cell cell;
        cell.w = std::max(1, static_cast<int>(fl_width(sample) / 52 + 0.5));
        cell.h = std::max(1, fl_height());
        return cell;
    }
};

void centre_on_screen(Fl_Window& window)
{
    int sx = 0;
    int sy = 0;
    int sw = 0;
    int sh = 0;
    Fl::screen_xywh(sx, sy, sw, sh);
    window.position(sx + (sw - window.w()) / 2, sy + (sh - window.h()) / 2);
}

class DirectoryDialog {
public:
    explicit DirectoryDialog(const std::string& preset)
        : cell_(Cell::measure()),
          // 300 x 200 pixels, made larger where the font's cells need it for
          // the buttons to stand side by side.
          window_(std::max(300, 43 * cell_.w), std::max(200, 25 * cell_.h / 2), "KFL Setup")
    {
        window_.color(light_grey);
        const int field_w = window_.w() - 6 * cell_.w;
        auto* label = new Fl_Box(3 * cell_.w, 2 * cell_.h, field_w, cell_.h, "Installation directory:");
        label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        input_ = new Fl_Input(3 * cell_.w, 3 * cell_.h + cell_.h / 2, field_w, cell_.h * 3 / 2);
        // Longer than any accepted name, so that an over-long one is reported, not cut.
        input_->maximum_size(4096);
        input_->value(preset.c_str());
        input_->when(FL_WHEN_ENTER_KEY_ALWAYS);
        input_->callback(on_ok, this);
        const int button_y = 6 * cell_.h + cell_.h / 2;
        auto* ok = new Fl_Return_Button(10 * cell_.w, button_y, 10 * cell_.w, cell_.h * 7 / 4, "OK");
        ok->callback(on_ok, this);
        auto* cancel = new Fl_Button(window_.w() - 20 * cell_.w, button_y, 10 * cell_.w, cell_.h * 7 / 4, "Cancel");
        cancel->callback(on_cancel, this);
        window_.end();
        window_.callback(on_cancel, this);
        centre_on_screen(window_);
    }

    std::optional<std::string> run()
    {
        window_.show();
        while (!decided_ && window_.shown())
            Fl::wait(0.25);
        window_.hide();
        Fl::check();
        return answer_;
    }

private:
    static void on_ok(Fl_Widget*, void* data)
    {
        auto* self = static_cast<DirectoryDialog*>(data);
        self->answer_ = std::string(self->input_->value());
        self->decided_ = true;
    }

    static void on_cancel(Fl_Widget*, void* data)
    {
        static_cast<DirectoryDialog*>(data)->decided_ = true;
    }

    Cell cell_;
    Fl_Double_Window window_;
    Fl_Input* input_ = nullptr;
    bool decided_ = false;
    std::optional<std::string> answer_;
};

class WindowCopyDisplay final : public CopyDisplay {
public:
    WindowCopyDisplay() : cell_(Cell::measure()), window_(50 * cell_.w, 15 * cell_.h, "KORVAN Setup")
    {
        window_.color(light_grey);
        const int label_w = 6 * cell_.w;
        const int field_x = 3 * cell_.w + label_w;
        const int field_w = window_.w() - field_x - 3 * cell_.w;
        auto* copy = new Fl_Box(3 * cell_.w, cell_.h, label_w, cell_.h, "Copy");
        copy->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        auto* from = new Fl_Box(3 * cell_.w, 3 * cell_.h, label_w, cell_.h * 3 / 2, "From:");
        from->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        from_ = new Fl_Output(field_x, 3 * cell_.h, field_w, cell_.h * 3 / 2);
        auto* to = new Fl_Box(3 * cell_.w, 5 * cell_.h, label_w, cell_.h * 3 / 2, "To:");
        to->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        to_ = new Fl_Output(field_x, 5 * cell_.h, field_w, cell_.h * 3 / 2);
        bar_ = new Fl_Progress(3 * cell_.w, 8 * cell_.h, window_.w() - 12 * cell_.w, cell_.h * 3 / 2);
        bar_->minimum(0);
        bar_->maximum(100);
        bar_->selection_color(FL_BLUE);
        percent_ = new Fl_Box(window_.w() - 8 * cell_.w, 8 * cell_.h, 5 * cell_.w, cell_.h * 3 / 2);
        percent_->align(FL_ALIGN_RIGHT | FL_ALIGN_INSIDE);
        percent_->copy_label("0");
        window_.end();
        // The copy runs to its end; closing the window does not stop it.
        window_.callback([](Fl_Widget*, void*) {});
        centre_on_screen(window_);
        window_.show();
        Fl::check();
    }

    void show(int percent, const std::string& from, const std::string& to) override
    {
        bar_->value(static_cast<float>(percent));
        percent_->copy_label(std::to_string(percent).c_str());
        from_->value(from.c_str());
        to_->value(to.c_str());
        Fl::check();
    }

    void finish() override
    {
        window_.hide();
        Fl::check();
    }

private:
    Cell cell_;
    Fl_Double_Window window_;
    Fl_Output* from_ = nullptr;
    Fl_Output* to_ = nullptr;
    Fl_Progress* bar_ = nullptr;
    Fl_Box* percent_ = nullptr;
};

class WindowScreens final : public SetupScreens {
public:
    std::optional<std::string> ask_directory(const std::string& preset) override
    {
        DirectoryDialog dialog(preset);
        return dialog.run();
    }

    std::unique_ptr<CopyDisplay> open_copy_display() override { return std::make_unique<WindowCopyDisplay>(); }
};
}  // namespace

std::unique_ptr<SetupScreens> make_window_screens() { return std::make_unique<WindowScreens>(); }

}  // namespace korvan::installer
