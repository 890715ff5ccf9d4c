// Drives the window driver on a real display for the GUI tests.
//
//   win_gui_probe plot      draws into window 1 and waits at the end of the plot
//   win_gui_probe console   shows the output window, reads a typed line, then
//                           waits until the output window is closed
//   win_gui_probe message   shows a message box until it is confirmed
//   win_gui_probe message-form [caption]
//                           shows a message box, prints its title and buttons
//                           as the user sees them, and confirms it
//   win_gui_probe converter the converter's output window
//   win_gui_probe scroll    the output window's horizontal scroll bar
// Progress goes to standard output.
#include <cstdio>
#include <cstring>
#include <string>

#include <unistd.h>

#include <FL/Fl.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Window.H>

#include "plat/graphics.hpp"
#include "plat/window_console.hpp"
#include "plot/win/driver.hpp"
#include "plot/win/screen.hpp"

namespace {

void say(const std::string& text)
{
    std::fputs(text.c_str(), stdout);
    std::fflush(stdout);
}

int plot()
{
    using namespace korvan;
    if (plat::graphics().headless()) {
        say("no display\n");
        return 3;
    }
    win::start(false);
    win::OpenRequest request;
    request.device_code = 75;
    request.page_width = 2970;
    request.page_height = 2100;
    const win::DrawingSize size = win::open_window(request);
    std::array<std::uint32_t, 256> table{};
    table.fill(0xFFFFFF);
    table[0] = 0x000000;
    table[1] = 0xFF0000;
    table[2] = 0x0000FF;
    win::load_colour_table(win::TableKind::full, table);
    win::fill_rect(100, 100, 200, 100, 1);
    win::set_colour(2);
    win::move_to(0, 0);
    win::draw_to(size.width, size.height);
    win::move_to(0, size.height);
    win::draw_to(size.width, 0);
    win::update();
    say("size " + std::to_string(size.width + 1) + " " + std::to_string(size.height + 1) + "\n");
    say("waiting\n");
    win::end_of_plot_wait(0);
    say(win::window_is_open(1) ? "still open\n" : "wait ended\n");
    win::end(false);
    return 0;
}

int console()
{
    using namespace korvan;
    plat::select_backends();
    plat::WindowConsole* window = plat::active_window_console();
    if (window == nullptr) {
        say("no window console\n");
        return 3;
    }
    win::start(true);
    win::print("Hello from KORVAN\n");
    win::print(std::string(80, 'L') + "TAIL\n");
    say("visible " + std::to_string(window->visible_lines()) + "\n");
    say("ready\n");
    std::string line;
    if (!win::read_input_line(line))
        return 4;
    say("got [" + line + "]\n");
    say("visible " + std::to_string(window->visible_lines()) + "\n");
    // The second line is the first one again, taken from the history with Up.
    if (!win::read_input_line(line))
        return 4;
    say("got again [" + line + "]\n");
    for (int i = 0; i < window->ring().lines_in_use(); ++i)
        say("ring [" + window->ring().stored_line(i) + "]\n");
    say("waiting for close\n");
    win::end(true);
    say("end returned\n");
    return 5;
}

// The output window's horizontal scroll bar: reports where it is, then the
// first character column shown whenever it changes, until the window is closed.
int scroll()
{
    using namespace korvan;
    plat::select_backends();
    plat::WindowConsole* window = plat::active_window_console();
    if (window == nullptr) {
        say("no window console\n");
        return 3;
    }
    win::start(true);
    for (int i = 0; i < 3; ++i)
        win::print(std::string(80, static_cast<char>('A' + i)) + "\n");
    say("ready\n");
    int shown_width = -1;
    int column = -1;
    while (window->output_window_shown()) {
        int x = 0, y = 0, w = 0, h = 0;
        window->horizontal_scrollbar_area(x, y, w, h);
        if (w != shown_width) {
            shown_width = w;
            say("bar " + std::to_string(x) + " " + std::to_string(y) + " " + std::to_string(w) + " " +
                std::to_string(h) + "\n");
        }
        if (window->first_visible_column() != column) {
            column = window->first_visible_column();
            say("column " + std::to_string(column) + "\n");
        }
        plat::graphics().poll();
        usleep(20000);
    }
    return 0;
}

// The converter's output window: echo without prompt, closing only hides it.
int converter()
{
    using namespace korvan;
    plat::select_backends(plat::ConsoleStyle::converter());
    plat::WindowConsole* window = plat::active_window_console();
    if (window == nullptr) {
        say("no window console\n");
        return 3;
    }
    win::start(true);
    win::print("converting\n");
    say("ready\n");
    std::string line;
    if (!win::read_input_line(line))
        return 4;
    for (int i = 0; i < window->ring().lines_in_use(); ++i)
        say("ring [" + window->ring().stored_line(i) + "]\n");
    say("waiting for close\n");
    window->wait_until_closed();
    say("still running\n");
    return 0;
}

// A message box as a dialog: shown until the user confirms it.
int message()
{
    using namespace korvan;
    plat::select_backends();
    if (plat::active_window_console() == nullptr) {
        say("no window console\n");
        return 3;
    }
    say("showing\n");
    plat::console().message_box("korini", "Cannot create Bitmap");
    say("box closed\n");
    return 0;
}

// Prints the title and the shown buttons of the open message box and
// confirms it; looks again until the box is there.
void report_message_box(void*)
{
    for (Fl_Window* w = Fl::first_window(); w != nullptr; w = Fl::next_window(w)) {
        if (!w->modal() || !w->shown())
            continue;
        say("title [" + std::string(w->label() != nullptr ? w->label() : "") + "]\n");
        for (int i = 0; i < w->children(); ++i) {
            auto* b = dynamic_cast<Fl_Button*>(w->child(i));
            if (b != nullptr && b->visible())
                say("button [" + std::string(b->label() != nullptr ? b->label() : "") + "]\n");
        }
        w->hide();
        return;
    }
    Fl::repeat_timeout(0.2, report_message_box);
}

int message_form(const char* caption)
{
    using namespace korvan;
    plat::select_backends();
    if (plat::active_window_console() == nullptr) {
        say("no window console\n");
        return 3;
    }
    Fl::add_timeout(0.2, report_message_box);
    plat::console().message_box(caption, "Cannot create Bitmap");
    say("box closed\n");
    return 0;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc >= 2 && std::strcmp(argv[1], "message-form") == 0)
        return message_form(argc > 2 ? argv[2] : "");
    if (argc == 2 && std::strcmp(argv[1], "plot") == 0)
        return plot();
    if (argc == 2 && std::strcmp(argv[1], "console") == 0)
        return console();
    if (argc == 2 && std::strcmp(argv[1], "message") == 0)
        return message();
    if (argc == 2 && std::strcmp(argv[1], "converter") == 0)
        return converter();
    if (argc == 2 && std::strcmp(argv[1], "scroll") == 0)
        return scroll();
    std::fputs("usage: win_gui_probe plot|console|message|message-form|converter|scroll\n", stderr);
    return 2;
}
