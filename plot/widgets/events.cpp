#include "plot/widgets/events.hpp"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "plat/exit_status.hpp"
#include "plat/program_start.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/widgets/front_end.hpp"
#include "plot/widgets/widget_records.hpp"

namespace korvan::widgets {

namespace {

[[noreturn]] void default_quit() { plat::end_process(); }

void (*quit_handler)() = &default_quit;

}  // namespace

void set_quit_handler(void (*handler)()) { quit_handler = handler != nullptr ? handler : &default_quit; }

void check_clicked(int index, bool checked)
{
    record(index).state = checked ? 1 : 0;
    refresh(index);
    fire_callback(index);
}

void list_selected(int index, int item)
{
    Widget& w = record(index);
    w.state = w.shown = item;
    refresh(index);
    fire_callback(index);
}

void radio_clicked(int index)
{
    const int first = record(index).first_item;
    Widget& head = record(first);
    head.state = head.shown = index - first + 1;
    for (int k = 0; k < head.item_count; ++k)
        refresh(first + k);
    fire_callback(index);
}

void push_pressed(int index) { fire_callback(index); }

void command_pressed(int index)
{
    const std::string command = record(index).command;
    if (plat::start_program(command) < 32)
        show_error("WGCMD", "Command '" + command + "' failed!");
    fire_callback(index);
}

void popup_item_chosen(int index) { fire_callback(index); }

void field_edited(int index, std::string_view text) { record(index).shown_text = std::string(text); }

void file_entry_chosen(int index)
{
    std::string name = record(index).shown_text;
    const std::string label = record(index).label;
    const std::string mask = record(index).mask;
    if (front_end().choose_file(label, mask, name)) {
        record(index).shown_text = clipped(name, text_limit);
        refresh(index);
    }
}

void scale_scrolled(int index, ScrollAction action, int thumb)
{
    Widget& w = record(index);
    int position = w.position;
    switch (action) {
    case ScrollAction::line_up:
        position -= 1;
        break;
    case ScrollAction::line_down:
        position += 1;
        break;
    case ScrollAction::page_up:
        position -= 10;
        break;
    case ScrollAction::page_down:
        position += 10;
        break;
    case ScrollAction::thumb:
        position = thumb;
        break;
    case ScrollAction::top:
        position = w.vertical_scale ? 0 : 100;
        break;
    case ScrollAction::bottom:
        position = w.vertical_scale ? 100 : 0;
        break;
    }
    w.position = std::clamp(position, 0, 100);
    w.value = scale_value_of(index, w.position);
    record(index + 1).text = scale_value_text(index);
    refresh(index);
}

void scale_set(int index, double value)
{
    Widget& w = record(index);
    const float low = std::min(w.minimum, w.maximum);
    const float high = std::max(w.minimum, w.maximum);
    float v = static_cast<float>(value);
    v = std::isnan(v) ? w.value : std::clamp(v, low, high);
    w.value = v;
    w.position = scale_position_of(index, v);
    record(index + 1).text = scale_value_text(index);
    refresh(index);
}

bool button_pressed(int index, int main_index)
{
    switch (record(index).type) {
    case WidgetType::push:
        push_pressed(index);
        return true;
    case WidgetType::command:
        command_pressed(index);
        return true;
    case WidgetType::ok:
        ok_chosen(main_index);
        return true;
    case WidgetType::quit:
        quit_chosen();
    case WidgetType::radio:
        radio_clicked(index);
        return true;
    case WidgetType::popup_item:
        popup_item_chosen(index);
        return true;
    default:
        return false;
    }
}

void ok_chosen(int main_index)
{
    WidgetTable& t = table();
    for (int i = main_index + 1; i < t.count; ++i) {
        Widget& w = record(i);
        if ((w.type == WidgetType::text || w.type == WidgetType::file) && main_of(i) == main_index)
            w.text = clipped(w.shown_text, text_limit);
    }
    front_end().close(main_index);
}

void quit_chosen()
{
    quit_handler();
    default_quit();
}

void help_chosen(int main_index)
{
    // The caption is the title of the window whose menu was used: a nested
    // dialog may have been given another title than the one set now.
    const Settings& s = table().settings;
    if (s.has_help)
        front_end().message(record(main_index).text, s.help);
}

std::string scale_value_text(int scale_index)
{
    const Widget& w = record(scale_index);
    // Digits beyond what a float holds add nothing but length.
    return plain_number(static_cast<double>(w.value), std::clamp(w.digits, -1, 12));
}

int scale_position_of(int scale_index, float value)
{
    const Widget& w = record(scale_index);
    const double span = static_cast<double>(w.maximum) - static_cast<double>(w.minimum);
    if (span == 0.0 || !std::isfinite(span))
        return 0;
    double p = 100.0 * (static_cast<double>(value) - w.minimum) / span;
    if (w.vertical_scale)
        p = 100.0 - p;
    return std::clamp(static_cast<int>(std::lround(p)), 0, 100);
}

float scale_value_of(int scale_index, int position)
{
    const Widget& w = record(scale_index);
    const double low = w.minimum;
    const double high = w.maximum;
    if (w.vertical_scale)
        return static_cast<float>(high + (low - high) * position / 100.0);
    return static_cast<float>(low + (high - low) * position / 100.0);
}

std::string file_filter(std::string_view mask)
{
    std::string filter = "Mask (" + std::string(mask) + ")+" + std::string(mask) + "+All Files (*.*)+*.*";
    std::replace(filter.begin(), filter.end(), '+', '\0');
    return filter;
}

std::string chooser_pattern(std::string_view mask)
{
    std::vector<std::string> masks;
    std::size_t start = 0;
    while (start <= mask.size()) {
        std::size_t end = std::min(mask.find(';', start), mask.size());
        std::string one(mask.substr(start, end - start));
        if (one == "*.*")
            one = "*";
        if (!one.empty())
            masks.push_back(one);
        start = end + 1;
    }
    std::string pattern;
    if (masks.size() == 1) {
        pattern = masks.front();
    } else if (!masks.empty()) {
        pattern = "{";
        for (std::size_t i = 0; i < masks.size(); ++i)
            pattern += (i > 0 ? "," : "") + masks[i];
        pattern += "}";
    }
    if (pattern.empty())
        return "All Files (*)";
    return "Mask (" + pattern + ")\tAll Files (*)";
}

}  // namespace korvan::widgets
