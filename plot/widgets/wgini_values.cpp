// Reading and setting widgets: the GWG and SWG routines, SWGCB and MSGBOX.
#include <algorithm>

#include "plot/widgets/events.hpp"
#include "plot/widgets/front_end.hpp"
#include "plot/widgets/widget_records.hpp"
#include "plot/widgets/widgets.hpp"

namespace korvan {

using namespace widgets;

namespace {

// The record of a getter's ID: the widgets must have been made, and the ID
// must name a widget of the type; nullptr after the message.
Widget* getter_widget(const char* routine, int id, WidgetType type)
{
    if (table().state == 0) {
        show_error(routine, ">>>> No call to WGFIN before!");
        return nullptr;
    }
    Widget* w = widget_of_id(id);
    if (w == nullptr || w->type != type) {
        show_error(routine, "<<<< Not allowed ID");
        return nullptr;
    }
    return w;
}

// The record of a setter's ID: only between WGINI and WGFIN.
Widget* setter_widget(const char* routine, int id, WidgetType type)
{
    if (table().state != 1) {
        show_error(routine, ">>>> " + std::string(routine) + " must be used between WGINI and WGFIN");
        return nullptr;
    }
    Widget* w = widget_of_id(id);
    if (w == nullptr || w->type != type) {
        show_error(routine, ">>>> Not allowed ID");
        return nullptr;
    }
    return w;
}

// A text or file field: while its window runs, the buffer first takes what
// the field shows.
std::string field_text(const char* routine, int id, WidgetType type)
{
    Widget* w = getter_widget(routine, id, type);
    if (w == nullptr)
        return "";
    if (table().state == 1 && window_running(id - 1))
        w->text = clipped(w->shown_text, text_limit);
    return w->text;
}

void set_field_text(const char* routine, int id, WidgetType type, std::string_view text)
{
    Widget* w = setter_widget(routine, id, type);
    if (w == nullptr)
        return;
    w->text = clipped(text, text_limit);
    w->shown_text = w->text;
    refresh(id - 1);
}

}  // namespace

int gwgbut(int id)
{
    Widget* w = getter_widget("GWGBUT", id, WidgetType::check);
    return w != nullptr ? w->state : -1;
}

int gwglis(int id)
{
    Widget* w = getter_widget("GWGLIS", id, WidgetType::list);
    return w != nullptr ? w->state : -1;
}

int gwgbox(int id)
{
    Widget* w = getter_widget("GWGBOX", id, WidgetType::radio);
    return w != nullptr ? record(w->first_item).state : -1;
}

double gwgscl(int id)
{
    Widget* w = getter_widget("GWGSCL", id, WidgetType::scale);
    return w != nullptr ? static_cast<double>(w->value) : -1.0;
}

std::string gwgtxt(int id) { return field_text("GWGTXT", id, WidgetType::text); }

std::string gwgfil(int id) { return field_text("GWGFIL", id, WidgetType::file); }

void swgbut(int id, int state)
{
    Widget* w = setter_widget("SWGBUT", id, WidgetType::check);
    if (w == nullptr)
        return;
    w->state = state != 0 ? 1 : 0;
    refresh(id - 1);
}

void swglis(int id, int item)
{
    Widget* w = setter_widget("SWGLIS", id, WidgetType::list);
    if (w == nullptr)
        return;
    if (item < 1 || item > static_cast<int>(w->items.size())) {
        show_error("SWGLIS", "<<<< Selected list element out of range");
        return;
    }
    w->shown = item;
    refresh(id - 1);
}

void swgbox(int id, int item)
{
    Widget* w = setter_widget("SWGBOX", id, WidgetType::radio);
    if (w == nullptr)
        return;
    Widget& head = record(w->first_item);
    if (item < 1 || item > head.item_count) {
        show_error("SWGBOX", "<<<< Selected list element out of range");
        return;
    }
    head.shown = item;
    for (int k = 0; k < head.item_count; ++k)
        refresh(w->first_item + k);
}

void swgscl(int id, double value)
{
    Widget* w = setter_widget("SWGSCL", id, WidgetType::scale);
    if (w == nullptr)
        return;
    const float v = static_cast<float>(value);
    if (!(v >= std::min(w->minimum, w->maximum) && v <= std::max(w->minimum, w->maximum))) {
        show_error("SWGSCL", ">>>> Value is out of range!");
        return;
    }
    w->value = v;
    w->position = scale_position_of(id - 1, v);
    record(id).text = scale_value_text(id - 1);
    refresh(id - 1);
}

void swgtxt(int id, std::string_view text) { set_field_text("SWGTXT", id, WidgetType::text, text); }

void swgfil(int id, std::string_view file) { set_field_text("SWGFIL", id, WidgetType::file, file); }

void swgcb(int id, WidgetCallback callback)
{
    if (table().state != 1) {
        show_error("SWGCB", ">>>> No call to WGINI!");
        return;
    }
    Widget* w = widget_of_id(id);
    if (w == nullptr) {
        show_error("SWGCB", ">>>> Not allowed ID!");
        return;
    }
    switch (w->type) {
    case WidgetType::main:
    case WidgetType::base:
        show_error("SWGCB", ">>>> Callbacks cannot be defined for Parent widgets!");
        return;
    case WidgetType::label:
    case WidgetType::scale_label:
        show_error("SWGCB", ">>>> Callbacks cannot be defined for Label widgets!");
        return;
    case WidgetType::scale:
        show_error("SWGCB", ">>>> Callbacks cannot be defined for Scale widgets!");
        return;
    default:
        w->callback = callback;
    }
}

void msgbox(std::string_view text)
{
    if (table().state != 1) {
        show_error("MSGBOX", ">>>> MSGBOX must be used between WGINI and WGFIN");
        return;
    }
    front_end().message(table().settings.title, text);
}

}  // namespace korvan
