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
#include "launcher/launcher_layout.hpp"
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
    // The grid of the window's font; the window grows where the font needs more room.
    fl_font(FL_HELVETICA, FL_NORMAL_SIZE);
    const int w = static_cast<int>(fl_width("x") + 0.5);
    const int h = fl_height();
    const LauncherLayout l = launcher_layout(w, h, h + 8);
    window_ = new Fl_Window(0, 0, l.width, l.height, "KFL 2.2");
    window_->color(FL_LIGHT2);
    auto label = [](const Box& b, const char* text) {
        auto* box = new Fl_Box(b.x, b.y, b.w, b.h, text);
        box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE);
    };
    auto* menu = new Fl_Menu_Bar(l.menu.x, l.menu.y, l.menu.w, l.menu.h);
    menu->add("&Exit/&Quit", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(quit_command)));
    menu->add("&File/&KFL File", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(script_command)));
    menu->add("&File/&Data File", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(data_command)));
    menu->add("&File/&Include File", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(include_command)));
    menu->add("&Help", 0, on_menu, reinterpret_cast<void*>(static_cast<long>(help_command)));
    auto input = [](const Box& b) { return new Fl_Input(b.x, b.y, b.w, b.h); };
    label(l.script_label, "KFL File:");
    label(l.data_label, "Data File:");
    script_ = input(l.script);
    data_ = input(l.data);
    label(l.device_label, "Device:");
    label(l.include_label, "Include File:");
    devices_ = new Fl_Hold_Browser(l.devices.x, l.devices.y, l.devices.w, l.devices.h);
    for (const char* name : device_names)
        devices_->add(name);
    devices_->select(1);
    include_ = input(l.include);
    label(l.arguments_label, "Arguments:");
    arguments_ = input(l.arguments);
    output_window_ = new Fl_Check_Button(l.output_window.x, l.output_window.y, l.output_window.w, l.output_window.h,
                                         "  Output Window");
    auto* quit = new Fl_Button(l.quit.x, l.quit.y, l.quit.w, l.quit.h, "Quit");
    quit->callback(on_quit);
    auto* ok = new Fl_Return_Button(l.ok.x, l.ok.y, l.ok.w, l.ok.h, "OK");
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
