#include "plat/window_console.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Scrollbar.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "plat/exit_status.hpp"
#include "plat/graphics.hpp"
#include "plat/line_history.hpp"
#include "plat/message_box_window.hpp"
#include "plat/paged_scrollbar.hpp"
#include "plat/scroll_steps.hpp"

namespace korvan::plat {

namespace {
constexpr Fl_Font text_font = FL_COURIER;
constexpr int text_size = 14;

void (*close_hook)() = nullptr;

// The text area: draws the ring from the scroll positions.
class TextView final : public Fl_Widget {
public:
    TextView(TextRing& ring, int x, int y, int w, int h) : Fl_Widget(x, y, w, h), ring_(ring) {}

    int first_line = 0;
    int first_column = 0;
    int char_width = 8;
    int line_height = 16;

    int visible_lines() const { return std::max(1, h() / line_height); }
    int visible_columns() const { return std::max(1, (w() - char_width / 2) / char_width); }

    void draw() override
    {
        // Anything but our own appends repaints from the buffers.
        if ((damage() & ~FL_DAMAGE_USER1) != 0)
            ring_.repaint();
        fl_push_clip(x(), y(), w(), h());
        fl_color(FL_WHITE);
        fl_rectf(x(), y(), w(), h());
        fl_font(text_font, text_size);
        fl_color(FL_BLACK);
        const int rows = visible_lines() + 1;
        for (int r = 0; r < rows; ++r) {
            int index = first_line + r;
            if (index >= ring_.lines_in_use())
                break;
            std::string line = ring_.shown_line(index);
            if (static_cast<int>(line.size()) <= first_column)
                continue;
            std::string_view part = std::string_view(line).substr(static_cast<std::size_t>(first_column));
            fl_draw(part.data(), static_cast<int>(part.size()), x() + char_width / 2,
                    y() + r * line_height + line_height - fl_descent());
        }
        fl_pop_clip();
    }

private:
    TextRing& ring_;
};
}  // namespace

// The input line: Up and Down walk through the prompt's history.
class HistoryInput final : public Fl_Input {
public:
    HistoryInput(int x, int y, int w, int h) : Fl_Input(x, y, w, h) {}

    int handle(int event) override
    {
        if (event == FL_KEYBOARD && !readonly() && (Fl::event_key() == FL_Up || Fl::event_key() == FL_Down)) {
            LineHistory& history = prompt_history();
            const std::string text = Fl::event_key() == FL_Up ? history.older(value()) : history.newer(value());
            value(text.c_str());
            position(size());
            return 1;
        }
        return Fl_Input::handle(event);
    }
};

class OutputWindow final : public Fl_Double_Window {
public:
    OutputWindow(int w, int h, const ConsoleStyle& style)
        : Fl_Double_Window(0, 0, w, h, style.title), style_(style)
    {
        fl_font(text_font, text_size);
        char_width_ = std::max(1, static_cast<int>(fl_width('M') + 0.5));
        line_height_ = std::max(1, fl_height());
        sb_ = Fl::scrollbar_size();

        color(fl_rgb_color(192, 192, 192));
        view = new TextView(ring, 0, 0, 10, 10);
        view->char_width = char_width_;
        view->line_height = line_height_;
        vbar = new Fl_Scrollbar(0, 0, 10, 10);
        vbar->type(FL_VERTICAL);
        vbar->linesize(1);
        vbar->callback(on_scroll, this);
        // One character per arrow click, 8 characters per page.
        hbar = new PagedScrollbar(0, 0, 10, 10, horizontal_page_columns);
        hbar->type(FL_HORIZONTAL);
        hbar->linesize(1);
        hbar->callback(on_scroll, this);
        label = new Fl_Box(0, 0, 10, 10, style.label);
        label->labelfont(text_font);
        label->labelsize(text_size);
        label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
        input = new HistoryInput(0, 0, 10, 10);
        input->textfont(text_font);
        input->textsize(text_size);
        input->maximum_size(static_cast<int>(input_line_limit));
        input->readonly(1);
        input->when(FL_WHEN_ENTER_KEY_ALWAYS);
        input->callback(on_enter, this);
        end();
        resizable(this);
        size_range(20 * char_width_, 6 * line_height_);
        callback(on_close, this);
        layout();
    }

    void resize(int x, int y, int w, int h) override
    {
        Fl_Double_Window::resize(x, y, w, h);
        layout();
        ring.repaint();
        view->redraw();
    }

    // Text area on top, the label and the input line in the three lines below.
    void layout()
    {
        const int text_h = std::max(line_height_ + sb_, h() - 3 * line_height_);
        view->resize(0, 0, std::max(1, w() - sb_), std::max(1, text_h - sb_));
        vbar->resize(w() - sb_, 0, sb_, std::max(1, text_h - sb_));
        hbar->resize(0, text_h - sb_, std::max(1, w() - sb_), sb_);
        label->resize(char_width_, text_h, 5 * char_width_, 2 * line_height_);
        const int input_x = style_.input_after_label ? 7 * char_width_ : 2 * sb_;
        input->resize(input_x, text_h + line_height_ / 2,
                      std::max(char_width_, w() - input_x - char_width_ - sb_), 2 * line_height_);
        update_scrollbars(false);
    }

    // Scroll ranges from the lines in use; to_end moves to the last line.
    void update_scrollbars(bool to_end)
    {
        const int visible = view->visible_lines();
        const int range = TextRing::scroll_range(ring.lines_in_use(), visible);
        if (to_end)
            view->first_line = range - 1;
        view->first_line = std::clamp(view->first_line, 0, range - 1);
        vbar->value(view->first_line, visible, 0, std::max(ring.lines_in_use(), visible));
        const int columns = view->visible_columns();
        const int total = static_cast<int>(TextRing::line_length) + 1;
        view->first_column = std::clamp(view->first_column, 0, std::max(0, total - columns));
        hbar->value(view->first_column, columns, 0, std::max(total, columns));
    }

    void append(std::string_view text)
    {
        ring.append(text);
        update_scrollbars(true);
        view->damage(FL_DAMAGE_USER1);
    }

    TextRing ring;
    TextView* view;
    Fl_Scrollbar* vbar;
    Fl_Scrollbar* hbar;
    Fl_Box* label;
    Fl_Input* input;
    bool entered = false;

private:
    static void on_scroll(Fl_Widget*, void* data)
    {
        auto* self = static_cast<OutputWindow*>(data);
        self->view->first_line = self->vbar->value();
        self->view->first_column = self->hbar->value();
        self->update_scrollbars(false);
        self->view->redraw();
    }

    static void on_enter(Fl_Widget*, void* data)
    {
        auto* self = static_cast<OutputWindow*>(data);
        if (!self->input->readonly())
            self->entered = true;
    }

    static void on_close(Fl_Widget*, void* data)
    {
        // Escape is not a close request.
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
            return;
        auto* self = static_cast<OutputWindow*>(data);
        if (!self->style_.close_ends_process) {
            self->hide();
            return;
        }
        if (close_hook != nullptr)
            close_hook();
        self->hide();
        end_process();
    }

    ConsoleStyle style_;
    int char_width_ = 8;
    int line_height_ = 16;
    int sb_ = 16;
};

WindowConsole::WindowConsole(const ConsoleStyle& style) : style_(style)
{
    Fl::visual(FL_RGB);
    fl_open_display();
    int sx = 0;
    int sy = 0;
    int sw = 0;
    int sh = 0;
    Fl::screen_xywh(sx, sy, sw, sh);
    const int width = style_.wide ? sw * 3 / 4 : sw * 2 / 3;
    window_ = std::make_unique<OutputWindow>(std::max(200, width), std::max(150, sh * 2 / 3), style_);
    window_->position(sx, sy);
}

void WindowConsole::show_output_window()
{
    if (!window_->shown()) {
        window_->show();
        Fl::check();
    }
}

void WindowConsole::hide_output_window()
{
    window_->hide();
    Fl::check();
}

bool WindowConsole::output_window_shown() const { return window_->shown() != 0; }

WindowConsole::~WindowConsole()
{
    if (window_)
        window_->hide();
}

void WindowConsole::write_output(std::string_view text)
{
    show_output_window();
    window_->append(text);
    Fl::check();
}

void WindowConsole::message_box(std::string_view caption, std::string_view text)
{
    show_message_box(caption, text);
}

bool WindowConsole::ok_cancel_box(std::string_view caption, std::string_view text)
{
    std::string title(caption);
    std::string body(text);
    fl_message_title(title.c_str());
    // Buttons are given right to left; the second is the default button.
    // Escape and closing the dialog answer 0, as Cancel does.
    return fl_choice("%s", "Cancel", "OK", nullptr, body.c_str()) == 1;
}

bool WindowConsole::read_input_line(std::string& line)
{
    show_output_window();
    OutputWindow& w = *window_;
    w.entered = false;
    w.input->readonly(0);
    w.input->take_focus();
    while (!w.entered) {
        if (!w.shown())
            return false;
        Fl::wait(0.25);
    }
    std::string text = w.input->value();
    if (auto end = text.find_first_of("\r\n"); end != std::string::npos)
        text.erase(end);
    if (text.size() > input_line_limit)
        text.resize(input_line_limit);
    prompt_history().add(text);
    w.input->value("");
    w.input->readonly(1);
    w.view->take_focus();
    if (style_.echo_prompt)
        write_output("KFL> " + text + "\n");
    else
        write_output(text);
    line = text;
    return true;
}

void WindowConsole::wait_until_closed()
{
    while (window_->shown())
        Fl::wait(0.25);
}

const TextRing& WindowConsole::ring() const { return window_->ring; }

int WindowConsole::first_visible_line() const { return window_->view->first_line; }

int WindowConsole::visible_lines() const { return window_->view->visible_lines(); }

int WindowConsole::first_visible_column() const { return window_->view->first_column; }

void WindowConsole::horizontal_scrollbar_area(int& x, int& y, int& w, int& h) const
{
    x = window_->hbar->x();
    y = window_->hbar->y();
    w = window_->hbar->w();
    h = window_->hbar->h();
}

namespace {
WindowConsole* installed_window_console = nullptr;
}

WindowConsole* active_window_console()
{
    if (installed_window_console != nullptr && &console() == installed_window_console)
        return installed_window_console;
    return nullptr;
}

void set_output_window_close_hook(void (*hook)()) { close_hook = hook; }

void select_backends(const ConsoleStyle& style)
{
    const char* choice = std::getenv("KORVAN_CONSOLE");
    if (choice != nullptr && std::strcmp(choice, "terminal") == 0)
        return;
    const bool forced = choice != nullptr && std::strcmp(choice, "window") == 0;
    const bool terminal = isatty(STDIN_FILENO) != 0 || isatty(STDOUT_FILENO) != 0;
    if ((forced || !terminal) && display_available()) {
        auto next = std::make_unique<WindowConsole>(style);
        installed_window_console = next.get();
        set_console(std::move(next));
    }
}

}  // namespace korvan::plat
