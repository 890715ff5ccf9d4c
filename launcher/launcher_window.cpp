#include "launcher/launcher_window.hpp"

#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Window.H>
#include <FL/fl_ask.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/fl_draw.H>

#include <string>

#include "launcher/launch_request.hpp"
#include "plat/console.hpp"
#include "plat/host.hpp"
#include "plat/program_start.hpp"

namespace korvan::launcher {

namespace {

enum Command { quit_command = 900, ok_command = 901, script_command = 902, data_command = 903,
               include_command = 904, help_command = 999 };

constexpr const char* help_text = "This program can be used to execute\n"
                                  "a KFL script file.\n"
                                  "For additional information, see the Help\n"
                                  "Utility 'KFLMAN'.";

class LauncherWindow {
public:
    LauncherWindow();
    void show() { window_->show(); }
    void command(int id);

private:
    static void on_menu(Fl_Widget*, void* data) { launcher().command(static_cast<int>(reinterpret_cast<long>(data))); }
    static void on_quit(Fl_Widget*, void*) { launcher().command(quit_command); }
    static void on_ok(Fl_Widget*, void*) { launcher().command(ok_command); }
    // Enter in a field, the list or the box asks for the script's file.
    static void on_enter(Fl_Widget*, void*)
    {
        if (Fl::event_key() == FL_Enter || Fl::event_key() == FL_KP_Enter)
            launcher().command(script_command);
    }
    static LauncherWindow& launcher() { return *current_; }

    void choose_file(Fl_Input* field, const char* title, const char* pattern);
    void launch();

    static LauncherWindow* current_;
    Fl_Window* window_;
    Fl_Input* script_;
    Fl_Input* data_;
    Fl_Input* include_;
    Fl_Input* arguments_;
    Fl_Hold_Browser* devices_;
    Fl_Check_Button* output_window_;
};

LauncherWindow* LauncherWindow::current_ = nullptr;

LauncherWindow::LauncherWindow()
{
    current_ = this;
    window_ = new Fl_Window(0, 0, 500, 400, "KFL 2.2");
    window_->color(FL_LIGHT2);
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    int w = static_cast<int>(fl_width("x") + 0.5);
    int h = fl_height();
    int field_h = h * 3 / 2;
    int left = 2 * w;
    int right = 38 * w;
    int column = 30 * w;
    auto label = [&](int x, int y, const char* text) {
        auto* b = new Fl_Box(x, y, static_cast<int>(1.5 * std::string(text).size() * w), field_h, text);
        b->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    };
    auto* menu = new Fl_Menu_Bar(0, 0, 500, h + 8);
    menu->add("&Exit/&Quit", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(quit_command)));
    menu->add("&File/&KFL File", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(script_command)));
    menu->add("&File/&Data File", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(data_command)));
    menu->add("&File/&Include File", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(include_command)));
    menu->add("&Help", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(help_command)));
    int top = menu->h();
    int y = top + h;
    label(left, y, "KFL File:");
    label(right, y, "Data File:");
    y += field_h;
    script_ = new Fl_Input(left, y, column, field_h);
    data_ = new Fl_Input(right, y, column, field_h);
    y += 3 * h;
    label(left, y, "Device:");
    label(right, y, "Include File:");
    y += field_h;
    devices_ = new Fl_Hold_Browser(left, y, column, 9 * h);
    for (const char* name : device_names)
        devices_->add(name);
    devices_->select(1);
    include_ = new Fl_Input(right, y, column, field_h);
    y += 3 * h;
    label(right, y, "Arguments:");
    y += field_h;
    arguments_ = new Fl_Input(right, y, column, field_h);
    y += 3 * h;
    output_window_ = new Fl_Check_Button(right, y, column, h, "  Output Window");
    y += 3 * h;
    auto* quit = new Fl_Button(left, y, column, field_h, "Quit");
    quit->callback(on_quit);
    auto* ok = new Fl_Return_Button(right, y, column, field_h, "OK");
    ok->callback(on_ok);
    for (Fl_Input* field : {script_, data_, include_, arguments_}) {
        field->when(FL_WHEN_ENTER_KEY_ALWAYS);
        field->callback(on_enter);
    }
    window_->end();
}

void LauncherWindow::command(int id)
{
    switch (id) {
    case quit_command:
        window_->hide();
        break;
    case ok_command:
        launch();
        break;
    case script_command:
        choose_file(script_, "KFL File", "KFL Files  (*.kfl)\t*.kfl\tAll Files  (*.*)\t*");
        break;
    case data_command:
        choose_file(data_, "Data File", "Data Files  (*.kdf)\t*.kdf\tAll Files  (*.*)\t*");
        break;
    case include_command:
        choose_file(include_, "Include File", "Include Files  (*.kfl)\t*.kfl\tAll Files  (*.*)\t*");
        break;
    case help_command:
        plat::console().message_box("KFL", help_text);
        break;
    default:
        break;
    }
}

// A cancelled dialog leaves the field as it was.
void LauncherWindow::choose_file(Fl_Input* field, const char* title, const char* pattern)
{
    const char* chosen = fl_file_chooser(title, pattern, field->value());
    if (chosen != nullptr)
        field->value(chosen);
}

void LauncherWindow::launch()
{
    LaunchRequest r;
    r.script = script_->value();
    r.data_file = data_->value();
    r.include_file = include_->value();
    r.arguments = arguments_->value();
    r.device = devices_->value() > 0 ? devices_->value() - 1 : 0;
    r.output_window = output_window_->value() != 0;
    const std::string dir = plat::installation_dir();
    int result = plat::start_program(
        launch_command(r, dir, kflrun_program(dir, plat::program_directory().value_or(""))));
    if (result < 32)
        plat::console().message_box("KFL", start_failure_message(result));
}

}  // namespace

int run_launcher_window()
{
    LauncherWindow window;
    window.show();
    return Fl::run();
}

}  // namespace korvan::launcher
