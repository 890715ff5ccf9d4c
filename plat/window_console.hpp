// The window console: the output window "KFL" with its text area, the
// "KFL> " label and the input line, and message boxes as dialogs.
// Needs an open display.
#pragma once

#include <memory>
#include <string>
#include <string_view>

#include "plat/console.hpp"
#include "plat/text_ring.hpp"

namespace korvan::plat {

class OutputWindow;

// How the output window looks and behaves: the interpreter's form, or the
// converter's ("korvan.out", wider, no label, echo without prompt, and
// closing it does not end the process).
struct ConsoleStyle {
    const char* title = "KFL";
    bool wide = false;              // 3/4 of the screen wide instead of 2/3
    const char* label = "KFL> ";
    bool input_after_label = true;  // else 2 scroll-bar widths from the left
    bool echo_prompt = true;        // echo "KFL> " + line + line end, else the line as typed
    bool close_ends_process = true;

    static ConsoleStyle converter()
    {
        ConsoleStyle s;
        s.title = "korvan.out";
        s.wide = true;
        s.label = "";
        s.input_after_label = false;
        s.echo_prompt = false;
        s.close_ends_process = false;
        return s;
    }
};

class WindowConsole final : public Console {
public:
    explicit WindowConsole(const ConsoleStyle& style = ConsoleStyle{});
    ~WindowConsole() override;

    void write_output(std::string_view text) override;
    void message_box(std::string_view caption, std::string_view text) override;
    bool read_input_line(std::string& line) override;
    // A dialog with the buttons OK (the default) and Cancel.
    bool ok_cancel_box(std::string_view caption, std::string_view text) override;

    // The output window is made at once but shown only when wanted (or when
    // text is written to it or a line is read).
    void show_output_window();
    void hide_output_window();
    bool output_window_shown() const;

    // Processes events until the user closes the output window (which ends the
    // process); returns at once when the window is not shown.
    void wait_until_closed();

    const TextRing& ring() const;
    // The first line shown and the number of lines the text area shows.
    int first_visible_line() const;
    int visible_lines() const;
    // The first character column shown, and where the horizontal scroll bar
    // is in the output window.
    int first_visible_column() const;
    void horizontal_scrollbar_area(int& x, int& y, int& w, int& h) const;

private:
    ConsoleStyle style_;
    std::unique_ptr<OutputWindow> window_;
};

// The console in use when it is the window console, otherwise nullptr.
WindowConsole* active_window_console();

// Called when the user closes the output window, before the process ends
// (the window driver releases its graphics windows there); with a style whose
// closing does not end the process, only the window goes.
void set_output_window_close_hook(void (*hook)());

// Chooses the console and the graphics back end at program start:
// the terminal console when standard input or output is a terminal, when no
// display is available or with KORVAN_CONSOLE=terminal; the window console
// when a display is available and neither is a terminal, or with
// KORVAN_CONSOLE=window (and a display).
void select_backends(const ConsoleStyle& style = ConsoleStyle{});

}  // namespace korvan::plat
