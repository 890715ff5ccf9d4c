// The child widgets: labels, buttons, lists, radio boxes, text and file
// fields, scales and popup menus.
#include <algorithm>
#include <cmath>

#include "plot/widgets/events.hpp"
#include "plot/widgets/layout.hpp"
#include "plot/widgets/widget_records.hpp"
#include "plot/widgets/widgets.hpp"

namespace korvan {

using namespace widgets;

namespace {

// A control of one record placed in its parent with the given height.
int simple_control(const char* routine, int parent, WidgetType type, std::string_view text, int height)
{
    int p = child_parent(routine, parent, 1);
    if (p < 0)
        return -1;
    const Rect r = place_child(p, height);
    int index = new_record(type, p);
    Widget& w = record(index);
    w.text = std::string(text);
    w.rect = r;
    refresh(index);
    return index + 1;
}

// A selection outside 1..count is shown as a message and replaced by 1.
int checked_selection(const char* routine, int selected, int count)
{
    if (selected >= 1 && selected <= count)
        return selected;
    show_error(routine, "<<<< Selected list element out of range");
    return 1;
}

// Text and file fields keep at most 132 characters.
int field(const char* routine, int parent, WidgetType type, std::string_view text)
{
    int p = child_parent(routine, parent, 1);
    if (p < 0)
        return -1;
    const Rect r = place_child(p, button_height());
    int index = new_record(type, p);
    Widget& w = record(index);
    w.text = clipped(text, text_limit);
    w.shown_text = w.text;
    w.rect = r;
    return index;
}

}  // namespace

int wglab(int parent, std::string_view text) { return simple_control("WGLAB", parent, WidgetType::label, text, line_height()); }

int wgbut(int parent, std::string_view text, int state)
{
    int id = simple_control("WGBUT", parent, WidgetType::check, text, line_height());
    if (id > 0) {
        record(id - 1).state = state != 0 ? 1 : 0;
        refresh(id - 1);
    }
    return id;
}

int wgpbut(int parent, std::string_view text)
{
    return simple_control("WGPBUT", parent, WidgetType::push, text, button_height());
}

int wgcmd(int parent, std::string_view text, std::string_view command)
{
    int id = simple_control("WGCMD", parent, WidgetType::command, text, button_height());
    if (id > 0)
        record(id - 1).command = clipped(command, text_limit);
    return id;
}

int wgok(int parent) { return simple_control("WGOK", parent, WidgetType::ok, "OK", button_height()); }

int wgquit(int parent) { return simple_control("WGQUIT", parent, WidgetType::quit, "Quit", button_height()); }

int wglis(int parent, std::string_view items, int selected)
{
    int p = child_parent("WGLIS", parent, 1);
    if (p < 0)
        return -1;
    std::vector<std::string> list = split_items(items, table().settings.separator);
    const int count = static_cast<int>(list.size());
    selected = checked_selection("WGLIS", selected, count);
    const bool scrolled = list_is_scrolled(table().settings.list_type, count);
    const Rect r = place_child(p, list_height(count, scrolled));
    int index = new_record(WidgetType::list, p);
    Widget& w = record(index);
    w.items = std::move(list);
    w.scrolled = scrolled;
    w.state = w.shown = selected;
    w.rect = r;
    refresh(index);
    return index + 1;
}

int wgbox(int parent, std::string_view items, int selected)
{
    std::vector<std::string> list = split_items(items, table().settings.separator);
    const int count = static_cast<int>(list.size());
    int p = child_parent("WGBOX", parent, count);
    if (p < 0)
        return -1;
    selected = checked_selection("WGBOX", selected, count);
    const int first = table().count;
    for (int k = 0; k < count; ++k) {
        const Rect r = place_child(p, line_height());
        int index = new_record(WidgetType::radio, p);
        Widget& w = record(index);
        w.text = std::move(list[static_cast<std::size_t>(k)]);
        w.first_item = first;
        w.rect = r;
    }
    Widget& head = record(first);
    head.item_count = count;
    head.state = head.shown = selected;
    for (int k = 0; k < count; ++k)
        refresh(first + k);
    return first + 1;
}

int wgtxt(int parent, std::string_view text)
{
    int index = field("WGTXT", parent, WidgetType::text, text);
    if (index < 0)
        return -1;
    refresh(index);
    return index + 1;
}

int wgltxt(int parent, std::string_view label, std::string_view text, int /*width: not used*/)
{
    int p = child_parent("WGLTXT", parent, 2);
    if (p < 0)
        return -1;
    // One line holds both: the label on the left, the field in the right 30 %.
    const Rect r = place_child(p, line_height());
    const int field_width = r.w * 3 / 10;
    int label_index = new_record(WidgetType::label, p);
    Widget& l = record(label_index);
    l.text = std::string(label);
    l.field_label = true;
    l.rect = {r.x, r.y, r.w - field_width, r.h};
    int index = new_record(WidgetType::text, p);
    Widget& w = record(index);
    w.text = clipped(text, text_limit);
    w.shown_text = w.text;
    w.label = l.text;
    w.rect = {r.x + r.w - field_width, r.y, field_width, r.h};
    refresh(label_index);
    refresh(index);
    return index + 1;
}

int wgfil(int parent, std::string_view label, std::string_view file, std::string_view mask)
{
    int index = field("WGFIL", parent, WidgetType::file, file);
    if (index < 0)
        return -1;
    Widget& w = record(index);
    w.label = std::string(label);
    w.mask = clipped(mask, mask_limit);
    refresh(index);
    return index + 1;
}

int wgscl(int parent, std::string_view label, double minimum, double maximum, double value, int digits)
{
    const float low = static_cast<float>(minimum);
    const float high = static_cast<float>(maximum);
    const float v = static_cast<float>(value);
    int p = child_parent("WGSCL", parent, 2);
    if (p < 0)
        return -1;
    if (!(v >= std::min(low, high) && v <= std::max(low, high))) {
        show_error("WGSCL", ">>>> Value is out of range!");
        return -1;
    }
    const bool vertical = table().settings.scale_vertical;
    const Rect r = place_child(p, scale_height(vertical, !label.empty()));
    int index = new_record(WidgetType::scale, p);
    Widget& w = record(index);
    w.label = std::string(label);
    w.vertical_scale = vertical;
    w.minimum = low;
    w.maximum = high;
    w.value = v;
    w.digits = digits;
    w.position = scale_position_of(index, v);
    w.rect = r;
    int value_label = new_record(WidgetType::scale_label, p);
    Widget& t = record(value_label);
    t.minimum = low;
    t.maximum = high;
    t.rect = w.rect;
    t.text = scale_value_text(index);
    refresh(index);
    return index + 1;
}

int wgpop(int parent, std::string_view label)
{
    int p = child_parent("WGPOP", parent, 1);
    if (p < 0)
        return -1;
    int index = new_record(WidgetType::popup, p);
    record(index).text = std::string(label);
    refresh(index);
    return index + 1;
}

int wgapp(int popup, std::string_view label)
{
    WidgetTable& t = table();
    if (t.state != 1) {
        show_error("WGAPP", ">>>> No call to WGINI before!");
        return -1;
    }
    Widget* p = widget_of_id(popup);
    if (p == nullptr || p->type != WidgetType::popup) {
        show_error("WGAPP", ">>>> Not allowed parent ID!");
        return -1;
    }
    if (t.count >= max_widgets) {
        show_error("WGAPP", ">>>> Too many widgets!");
        return -1;
    }
    int index = new_record(WidgetType::popup_item, popup - 1);
    record(index).text = std::string(label);
    refresh(index);
    return index + 1;
}

}  // namespace korvan
