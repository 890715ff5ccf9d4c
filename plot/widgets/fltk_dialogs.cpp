// Dialogs on a display: FLTK windows with a menu bar, built from the widget
// table when WGFIN shows them and kept in step with it while they run.
#include <FL/Fl.H>
#include <FL/Fl_Box.H>
#include <FL/Fl_Button.H>
#include <FL/Fl_Check_Button.H>
#include <FL/Fl_Double_Window.H>
#include <FL/Fl_File_Chooser.H>
#include <FL/Fl_Hold_Browser.H>
#include <FL/Fl_Input.H>
#include <FL/Fl_Menu_Bar.H>
#include <FL/Fl_Return_Button.H>
#include <FL/Fl_Round_Button.H>
#include <FL/fl_ask.H>
#include <FL/fl_draw.H>

#include <algorithm>
#include <map>
#include <memory>

#include "plat/graphics.hpp"
#include "plat/message_box_window.hpp"
#include "plat/paged_scrollbar.hpp"
#include "plot/widgets/events.hpp"
#include "plot/widgets/fltk_dialogs.hpp"
#include "plot/widgets/front_end.hpp"
#include "plot/widgets/widget_records.hpp"

namespace korvan::widgets {

namespace {

constexpr Fl_Font dialog_font = FL_HELVETICA;
constexpr int dialog_font_size = 14;

// Menu commands, as the dialog's menu bar numbers them.
constexpr long command_quit = 900;
constexpr long command_ok = 901;
constexpr long command_help = 999;
constexpr long command_popup_item = 1000;  // + record index
constexpr long command_file_entry = 2000;  // + record index

// A menu label taken as it is: "/" would start a submenu and "\" quote.
std::string menu_label(std::string_view text)
{
    std::string s;
    for (char c : text) {
        if (c == '/' || c == '\\' || c == '_')
            s += '\\';
        s += c;
    }
    return s;
}

void set_label(Fl_Widget* w, const std::string& text)
{
    w->copy_label(text.c_str());
    w->labelfont(dialog_font);
    w->labelsize(dialog_font_size);
}

// The window of a main widget knows the record it shows.
class MainWindow final : public Fl_Double_Window {
public:
    MainWindow(int x, int y, int w, int h, int main) : Fl_Double_Window(x, y, w, h), main_index(main) {}
    const int main_index;
};

// One shown dialog window and the controls of its records.
struct DialogWindow {
    int main = -1;
    bool closed = false;
    MainWindow* window = nullptr;
    Fl_Menu_Bar* menu = nullptr;
    int top = 0;  // height of the menu bar above the controls
    std::map<int, Fl_Widget*> controls;
    std::map<int, Fl_Box*> value_texts;  // scale index -> its value text
};

class FltkFrontEnd final : public DialogFrontEnd {
public:
    FontMetrics metrics() override
    {
        fl_open_display();
        fl_font(dialog_font, dialog_font_size);
        static const char alphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
        FontMetrics m;
        m.char_width = std::max(1, static_cast<int>(fl_width(alphabet) / 52.0 + 0.5));
        m.line_height = std::max(1, fl_height());
        const plat::ScreenInfo screen = plat::graphics().screen();
        m.frame_width = screen.frame_width;
        m.frame_height = screen.frame_height;
        m.caption_height = screen.caption_height;
        return m;
    }

    void run(int main_index) override
    {
        auto dialog = std::make_unique<DialogWindow>();
        DialogWindow& d = *dialog;
        windows_[main_index] = std::move(dialog);
        build(d, main_index);
        d.window->show();
        while (!d.closed && d.window->shown())
            Fl::wait(0.25);
        d.window->hide();
        Fl::delete_widget(d.window);
        Fl::check();
        windows_.erase(main_index);
    }

    void close(int main_index) override
    {
        auto it = windows_.find(main_index);
        if (it == windows_.end())
            return;
        it->second->closed = true;
        it->second->window->hide();
    }

    void refresh(int index) override
    {
        auto it = windows_.find(main_of(index));
        if (it == windows_.end())
            return;
        DialogWindow& d = *it->second;
        const Widget& w = record(index);
        if (w.type == WidgetType::popup || w.type == WidgetType::popup_item ||
            (w.type == WidgetType::file && d.controls.count(index) == 0)) {
            fill_menu(d);
        }
        if (d.controls.count(index) == 0) {
            d.window->begin();
            add_control(d, index);
            d.window->end();
            d.window->redraw();
            return;
        }
        show_state(d, index);
    }

    void message(std::string_view caption, std::string_view text) override
    {
        plat::show_message_box(caption, text);
    }

    bool choose_file(std::string_view title, std::string_view mask, std::string& name) override
    {
        const std::string pattern = chooser_pattern(mask);
        const std::string heading = title.empty() ? "Open" : std::string(title);
        const char* chosen = fl_file_chooser(heading.c_str(), pattern.c_str(), name.c_str(), 0);
        if (chosen == nullptr)
            return false;
        name = chosen;
        return true;
    }

    bool yes_no(std::string_view caption, std::string_view text, bool yes_default) override;
    int choose_item(std::string_view label, const std::vector<std::string>& items, int selected) override;
    std::string ask_text(std::string_view label, std::string_view text) override;

private:
    void build(DialogWindow& d, int main)
    {
        const Widget& m = record(main);
        const FontMetrics& fm = table().metrics;
        // The window stays on the screen and no larger than it: the display
        // refuses windows far beyond its size (the layout stays as computed,
        // so what lies beyond the screen is cut off).
        int sx = 0, sy = 0, sw = 0, sh = 0;
        Fl::screen_xywh(sx, sy, sw, sh);
        const int client_w = std::clamp(m.rect.w - 2 * fm.frame_width, 1, std::max(1, sw));
        const int client_h = std::clamp(m.rect.h - 2 * fm.frame_height - fm.caption_height, 1, std::max(1, sh));
        const int x = std::clamp(m.rect.x + fm.frame_width, sx, std::max(sx, sx + sw - client_w));
        const int y = std::clamp(m.rect.y + fm.frame_height + fm.caption_height, sy, std::max(sy, sy + sh - client_h));
        d.main = main;
        d.top = fm.caption_height;
        d.window = new MainWindow(x, y, client_w, client_h, main);
        d.window->copy_label(m.text.c_str());
        d.window->callback(on_close, this);
        d.menu = new Fl_Menu_Bar(0, 0, client_w, d.top);
        d.menu->textfont(dialog_font);
        d.menu->textsize(dialog_font_size);
        const WidgetTable& t = table();
        for (int i = main + 1; i < t.count; ++i) {
            if (record(i).type != WidgetType::unused && main_of(i) == main)
                add_control(d, i);
        }
        d.window->end();
        fill_menu(d);
    }

    // The menu bar: Exit with OK and Quit, Help, then the File menu of the
    // file fields and the popup menus in the order they were made.
    void fill_menu(DialogWindow& d)
    {
        const Widget& m = record(d.main);
        Fl_Menu_Bar* bar = d.menu;
        bar->clear();
        if (m.menu_ok)
            bar->add("&Exit/&OK", 0, on_menu, reinterpret_cast<void*>(command_ok));
        if (m.menu_quit)
            bar->add("&Exit/&Quit", 0, on_menu, reinterpret_cast<void*>(command_quit));
        if (m.menu_help)
            bar->add("&Help", 0, on_menu, reinterpret_cast<void*>(command_help));
        const WidgetTable& t = table();
        for (int i = d.main + 1; i < t.count; ++i) {
            const Widget& w = record(i);
            if (w.type == WidgetType::unused || main_of(i) != d.main)
                continue;
            if (w.type == WidgetType::file)
                bar->add(("File/" + menu_label(w.label)).c_str(), 0, on_menu,
                         reinterpret_cast<void*>(command_file_entry + i));
            else if (w.type == WidgetType::popup)
                bar->add(menu_label(w.text).c_str(), 0, nullptr, nullptr, FL_SUBMENU);
            else if (w.type == WidgetType::popup_item)
                bar->add((menu_label(record(w.parent).text) + "/" + menu_label(w.text)).c_str(), 0, on_menu,
                         reinterpret_cast<void*>(command_popup_item + i));
        }
        bar->redraw();
    }

    void add_control(DialogWindow& d, int index)
    {
        const Widget& w = record(index);
        const int x = w.rect.x;
        const int y = w.rect.y + d.top;
        const int cw = std::max(1, w.rect.w);
        const int ch = std::max(1, w.rect.h);
        void* data = reinterpret_cast<void*>(static_cast<long>(index));
        Fl_Widget* control = nullptr;
        switch (w.type) {
        case WidgetType::label: {
            auto* box = new Fl_Box(FL_NO_BOX, x, y, cw, ch, nullptr);
            box->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
            control = box;
            break;
        }
        case WidgetType::check:
            control = new Fl_Check_Button(x, y, cw, ch);
            break;
        case WidgetType::push:
        case WidgetType::command:
        case WidgetType::ok:
        case WidgetType::quit:
            control = new Fl_Button(x, y, cw, ch);
            break;
        case WidgetType::radio: {
            auto* button = new Fl_Round_Button(x, y, cw, ch);
            button->type(FL_TOGGLE_BUTTON);
            control = button;
            break;
        }
        case WidgetType::list: {
            auto* list = new Fl_Hold_Browser(x, y, cw, ch);
            list->format_char(0);
            list->textfont(dialog_font);
            list->textsize(dialog_font_size);
            list->has_scrollbar(w.scrolled ? Fl_Browser_::VERTICAL_ALWAYS : 0);
            for (const std::string& item : w.items)
                list->add(item.c_str());
            list->when(FL_WHEN_CHANGED);
            control = list;
            break;
        }
        case WidgetType::text:
        case WidgetType::file: {
            auto* input = new Fl_Input(x, y, cw, ch);
            input->box(FL_DOWN_BOX);
            input->textfont(dialog_font);
            input->textsize(dialog_font_size);
            input->when(FL_WHEN_CHANGED);
            control = input;
            break;
        }
        case WidgetType::scale:
            control = add_scale(d, index);
            break;
        default:
            return;
        }
        if (w.type != WidgetType::scale)
            set_label(control, w.type == WidgetType::list || w.type == WidgetType::text || w.type == WidgetType::file
                                   ? std::string()
                                   : w.text);
        if (w.type == WidgetType::push || w.type == WidgetType::command || w.type == WidgetType::ok ||
            w.type == WidgetType::quit || w.type == WidgetType::check)
            control->align(FL_ALIGN_INSIDE | FL_ALIGN_CLIP | (w.type == WidgetType::check ? FL_ALIGN_LEFT : 0));
        control->callback(on_control, data);
        d.controls[index] = control;
        show_state(d, index);
    }

    // A scale: its label line, the scroll bar (0..100) and its value text,
    // below the bar for a horizontal scale, right of it for a vertical one.
    Fl_Widget* add_scale(DialogWindow& d, int index)
    {
        const Widget& w = record(index);
        const int lh = table().metrics.line_height;
        int x = w.rect.x;
        int y = w.rect.y + d.top;
        int h = w.rect.h;
        if (!w.label.empty()) {
            auto* label = new Fl_Box(FL_NO_BOX, x, y, w.rect.w, lh, nullptr);
            label->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
            set_label(label, w.label);
            y += lh;
            h -= lh;
        }
        y += lh / 4;
        h -= lh / 4;
        plat::PagedScrollbar* bar = nullptr;
        Fl_Box* value = nullptr;
        if (w.vertical_scale) {
            const int bw = std::max(Fl::scrollbar_size(), lh);
            bar = new plat::PagedScrollbar(x, y, bw, std::max(1, h), 10);
            bar->type(FL_VERTICAL);
            value = new Fl_Box(FL_NO_BOX, x + bw + lh / 2, y + std::max(0, h - lh) / 2, std::max(1, w.rect.w - bw - lh / 2),
                               lh, nullptr);
            value->align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
        } else {
            bar = new plat::PagedScrollbar(x, y, std::max(1, w.rect.w), lh, 10);
            bar->type(FL_HORIZONTAL);
            value = new Fl_Box(FL_NO_BOX, x, y + lh, std::max(1, w.rect.w), lh, nullptr);
            value->align(FL_ALIGN_CENTER | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
        }
        bar->bounds(0, 100);
        bar->linesize(1);
        bar->slider_size(0.08);
        d.value_texts[index] = value;
        return bar;
    }

    // Shows a record's state in its control.
    void show_state(DialogWindow& d, int index)
    {
        Fl_Widget* control = d.controls[index];
        const Widget& w = record(index);
        switch (w.type) {
        case WidgetType::label:
            set_label(control, w.text);
            break;
        case WidgetType::check:
            static_cast<Fl_Check_Button*>(control)->value(w.state != 0);
            break;
        case WidgetType::radio: {
            const Widget& head = record(w.first_item);
            static_cast<Fl_Round_Button*>(control)->value(index - w.first_item + 1 == head.shown);
            break;
        }
        case WidgetType::list: {
            auto* list = static_cast<Fl_Hold_Browser*>(control);
            if (list->value() != w.shown)
                list->value(w.shown);
            break;
        }
        case WidgetType::text:
        case WidgetType::file: {
            auto* input = static_cast<Fl_Input*>(control);
            if (w.shown_text != input->value())
                input->value(w.shown_text.c_str());
            break;
        }
        case WidgetType::scale: {
            static_cast<Fl_Scrollbar*>(control)->value(w.position);
            set_label(d.value_texts[index], record(index + 1).text);
            break;
        }
        default:
            break;
        }
        control->redraw();
    }

    static int main_of_widget(Fl_Widget* w)
    {
        Fl_Window* window = w->as_window() != nullptr ? w->as_window() : w->window();
        auto* main_window = dynamic_cast<MainWindow*>(window);
        return main_window != nullptr ? main_window->main_index : -1;
    }

    static void on_control(Fl_Widget* control, void* data)
    {
        const int index = static_cast<int>(reinterpret_cast<long>(data));
        if (button_pressed(index, main_of_widget(control)))
            return;
        switch (record(index).type) {
        case WidgetType::check:
            check_clicked(index, static_cast<Fl_Check_Button*>(control)->value() != 0);
            break;
        case WidgetType::list: {
            const int line = static_cast<Fl_Hold_Browser*>(control)->value();
            // Against what the list shows: SWGLIS may have moved the
            // selection away from the stored item.
            if (line > 0 && line != record(index).shown)
                list_selected(index, line);
            break;
        }
        case WidgetType::text:
        case WidgetType::file:
            field_edited(index, static_cast<Fl_Input*>(control)->value());
            break;
        case WidgetType::scale:
            scale_scrolled(index, ScrollAction::thumb, static_cast<int>(static_cast<Fl_Scrollbar*>(control)->value()));
            break;
        default:
            break;
        }
    }

    static void on_menu(Fl_Widget* bar, void* data)
    {
        const long command = reinterpret_cast<long>(data);
        const int main = main_of_widget(bar);
        if (command == command_quit)
            quit_chosen();
        else if (command == command_ok)
            ok_chosen(main);
        else if (command == command_help)
            help_chosen(main);
        else if (command >= command_file_entry)
            file_entry_chosen(static_cast<int>(command - command_file_entry));
        else if (command >= command_popup_item)
            popup_item_chosen(static_cast<int>(command - command_popup_item));
    }

    // The close box: the window goes, the fields keep their buffers. The
    // toolkit also calls this for the Escape key, which is no close box.
    static void on_close(Fl_Widget* window, void* self)
    {
        if (Fl::event() == FL_SHORTCUT && Fl::event_key() == FL_Escape)
            return;
        auto* front = static_cast<FltkFrontEnd*>(self);
        front->close(main_of_widget(window));
    }

    std::map<int, std::unique_ptr<DialogWindow>> windows_;
};

// Runs a small modal window until `done` or until it is closed.
void run_modal(Fl_Double_Window& window, const bool& done)
{
    window.set_modal();
    window.show();
    while (!done && window.shown())
        Fl::wait(0.25);
    window.hide();
}

void set_done(Fl_Widget*, void* flag) { *static_cast<bool*>(flag) = true; }

// Font metrics of the standard dialogs.
int char_width() { return std::max(1, table().metrics_measured ? table().metrics.char_width : 8); }
int line_height() { return std::max(1, table().metrics_measured ? table().metrics.line_height : 18); }

void centre(Fl_Double_Window& window)
{
    int sx = 0, sy = 0, sw = 0, sh = 0;
    Fl::screen_xywh(sx, sy, sw, sh);
    window.position(sx + (sw - window.w()) / 2, sy + (sh - window.h()) / 2);
}

bool FltkFrontEnd::yes_no(std::string_view caption, std::string_view text, bool yes_default)
{
    const int cw = char_width();
    const int lh = line_height();
    fl_font(dialog_font, dialog_font_size);
    int tw = 0, th = 0;
    const std::string body(text);
    fl_measure(body.c_str(), tw, th);
    const int w = std::max(tw + 4 * cw, 24 * cw);
    const int h = th + 4 * lh;
    Fl_Double_Window window(w, h);
    window.copy_label(std::string(caption).c_str());
    Fl_Box box(FL_NO_BOX, 2 * cw, lh, w - 4 * cw, th, nullptr);
    box.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_WRAP);
    box.copy_label(body.c_str());
    bool done = false;
    bool answer = yes_default;
    Fl_Button* yes = nullptr;
    Fl_Button* no = nullptr;
    const int bw = 8 * cw;
    const int by = h - 2 * lh;
    if (yes_default) {
        yes = new Fl_Return_Button(w / 2 - bw - cw, by, bw, 3 * lh / 2, "Yes");
        no = new Fl_Button(w / 2 + cw, by, bw, 3 * lh / 2, "No");
    } else {
        yes = new Fl_Button(w / 2 - bw - cw, by, bw, 3 * lh / 2, "Yes");
        no = new Fl_Return_Button(w / 2 + cw, by, bw, 3 * lh / 2, "No");
    }
    struct Choice {
        bool* done;
        bool* answer;
        bool value;
    };
    Choice on_yes{&done, &answer, true};
    Choice on_no{&done, &answer, false};
    auto pick = [](Fl_Widget*, void* data) {
        auto* c = static_cast<Choice*>(data);
        *c->answer = c->value;
        *c->done = true;
    };
    yes->callback(pick, &on_yes);
    no->callback(pick, &on_no);
    window.end();
    centre(window);
    run_modal(window, done);
    return answer;
}

int FltkFrontEnd::choose_item(std::string_view label, const std::vector<std::string>& items, int selected)
{
    const int cw = char_width();
    const int lh = line_height();
    const int lines = std::min(static_cast<int>(items.size()) + 1, 12);
    const int w = 30 * cw;
    const int h = lh * (lines + 5);
    Fl_Double_Window window(w, h);
    window.copy_label(std::string(label).c_str());
    Fl_Box heading(FL_NO_BOX, cw, lh / 2, w - 2 * cw, lh, nullptr);
    heading.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    heading.copy_label(std::string(label).c_str());
    Fl_Hold_Browser list(cw, 2 * lh, w - 2 * cw, lines * lh);
    list.format_char(0);
    list.has_scrollbar(Fl_Browser_::VERTICAL_ALWAYS);
    for (const std::string& item : items)
        list.add(item.c_str());
    list.value(selected);
    bool done = false;
    Fl_Return_Button ok((w - 8 * cw) / 2, h - 2 * lh, 8 * cw, 3 * lh / 2, "OK");
    ok.callback(set_done, &done);
    window.end();
    centre(window);
    run_modal(window, done);
    return list.value() > 0 ? list.value() : selected;
}

std::string FltkFrontEnd::ask_text(std::string_view label, std::string_view text)
{
    const int cw = char_width();
    const int lh = line_height();
    const int w = 40 * cw;
    const int h = 6 * lh;
    Fl_Double_Window window(w, h);
    window.copy_label(std::string(label).c_str());
    Fl_Box heading(FL_NO_BOX, cw, lh / 2, w - 2 * cw, lh, nullptr);
    heading.align(FL_ALIGN_LEFT | FL_ALIGN_INSIDE | FL_ALIGN_CLIP);
    heading.copy_label(std::string(label).c_str());
    Fl_Input input(cw, 2 * lh, w - 2 * cw, 3 * lh / 2);
    input.value(std::string(text).c_str());
    bool done = false;
    Fl_Return_Button ok((w - 6 * cw) / 2, h - 2 * lh, 6 * cw, 3 * lh / 2, "OK");
    ok.callback(set_done, &done);
    window.end();
    centre(window);
    run_modal(window, done);
    return done ? std::string(input.value()) : std::string(text);
}

}  // namespace

std::unique_ptr<DialogFrontEnd> make_fltk_front_end()
{
    if (!plat::display_available())
        return nullptr;
    return std::make_unique<FltkFrontEnd>();
}

}  // namespace korvan::widgets
