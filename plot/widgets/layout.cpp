#include "plot/widgets/layout.hpp"

#include <algorithm>

namespace korvan::widgets {

namespace {

const FontMetrics& m() { return table().metrics; }

Widget& record(int index) { return table().records[static_cast<std::size_t>(index)]; }

// The current extent of the window that holds the record.
Extent& extent_of(int index) { return table().extent_of_level[static_cast<std::size_t>(record(index).level)]; }

bool is_container(const Widget& w) { return w.type == WidgetType::main || w.type == WidgetType::base; }

// The container placed last among the parent's children before the record
// `before`, if the newest such child is one.
int last_child_container(int parent, int before)
{
    const WidgetTable& t = table();
    for (int i = before - 1; i > parent; --i) {
        const Widget& w = t.records[static_cast<std::size_t>(i)];
        if (w.type == WidgetType::unused || w.parent != parent)
            continue;
        return is_container(w) ? i : -1;
    }
    return -1;
}

// A container placed at the cursor does not move it when made; the next
// child of the same parent first moves the cursor past the space the
// container's children took (at least the container's own width).
void move_past_container(int parent, int before)
{
    int last = last_child_container(parent, before);
    if (last < 0)
        return;
    Widget& p = record(parent);
    const Widget& c = record(last);
    if (p.arrangement == vertical)
        p.next_y += m().vertical_gap() + std::max(c.rect.h, c.covered_h);
    else if (p.arrangement == horizontal)
        p.next_x += m().horizontal_gap() + std::max(c.rect.w, c.covered_w);
}

// The bases holding a child record the area they cover, so that their
// sibling after them starts below or beside what they hold. Their own width,
// which their children take, stays as it was made.
void grow_bases(int parent, int right, int bottom)
{
    for (int guard = 0; parent >= 0 && guard <= max_widgets; ++guard) {
        Widget& b = record(parent);
        if (b.type != WidgetType::base)
            return;
        if (!b.fixed_size) {
            b.covered_w = std::max(b.covered_w, right - b.rect.x);
            b.covered_h = std::max(b.covered_h, bottom - b.rect.y);
        }
        parent = b.parent;
    }
}

}  // namespace

int line_height() { return m().line_height; }

int button_height() { return m().line_height * 3 / 2; }

int list_height(int items, bool scrolled) { return scrolled ? 9 * m().line_height : (items + 1) * m().line_height; }

int scale_height(bool vertical, bool with_label)
{
    if (vertical)
        return default_width_pixels() * 2 / 3 + m().line_height * 5 / 4;
    return with_label ? m().line_height * 7 / 2 : m().line_height * 9 / 4;
}

bool list_is_scrolled(int list_type, int items)
{
    return list_type == list_scrolled || (list_type == list_auto && items > 8);
}

int default_width_pixels() { return table().settings.default_width * m().char_width; }

void place_main(int index, int parent_main)
{
    WidgetTable& t = table();
    const Settings& s = t.settings;
    Widget& w = record(index);
    if (s.position_given) {
        w.rect.x = s.x;
        w.rect.y = s.y;
    } else if (parent_main >= 0) {
        const Widget& p = record(parent_main);
        const Extent& e = t.extent_of_level[static_cast<std::size_t>(t.level - 1)];
        w.rect.x = p.rect.x + e.right * 3 / 4;
        w.rect.y = p.rect.y + e.bottom * 2 / 3;
    } else {
        w.rect.x = 0;
        w.rect.y = 0;
    }
    if (s.size_given) {
        w.rect.w = s.width;
        w.rect.h = s.height;
        w.fixed_size = true;
    } else {
        w.rect.w = default_width_pixels();
        w.rect.h = m().line_height;
    }
    if (w.arrangement == form) {
        w.next_x = 0;
        w.next_y = 0;
    } else {
        w.next_x = m().left_pad();
        w.next_y = m().vertical_gap();
    }
}

Rect place_child(int parent, int height)
{
    const Settings& s = table().settings;
    Widget& p = record(parent);
    Rect r;
    if (p.arrangement == form) {
        r.x = s.position_given ? s.x : 0;
        r.y = s.position_given ? s.y : 0;
        r.w = s.size_given ? s.width : default_width_pixels();
        r.h = s.size_given ? s.height : height;
    } else {
        move_past_container(parent, table().count);
        r = {p.next_x, p.next_y, p.rect.w, height};
        if (p.arrangement == vertical)
            p.next_y += m().vertical_gap() + height + s.margin_top + s.margin_bottom;
        else
            p.next_x += m().horizontal_gap() + r.w + s.margin_left + s.margin_right;
    }
    r.x += s.margin_left;
    r.y += s.margin_top;
    const int right = r.x + r.w + s.margin_right;
    const int bottom = r.y + r.h + s.margin_bottom;
    Extent& e = extent_of(parent);
    e.right = std::max(e.right, right);
    e.bottom = std::max(e.bottom, bottom);
    grow_bases(parent, right, bottom);
    return r;
}

void place_base(int index, int parent)
{
    const Settings& s = table().settings;
    Widget& p = record(parent);
    Widget& b = record(index);
    if (p.arrangement == form) {
        b.rect = {s.position_given ? s.x : 0, s.position_given ? s.y : 0,
                  s.size_given ? s.width : default_width_pixels(), s.size_given ? s.height : 0};
        b.fixed_size = true;
        Extent& e = extent_of(parent);
        e.right = std::max(e.right, b.rect.x + b.rect.w);
        e.bottom = std::max(e.bottom, b.rect.y + b.rect.h);
    } else {
        move_past_container(parent, index);
        b.rect = {p.next_x, p.next_y, default_width_pixels(), 0};
    }
    if (b.arrangement == form) {
        b.next_x = 0;
        b.next_y = 0;
    } else {
        b.next_x = b.rect.x;
        b.next_y = b.rect.y;
    }
}

Rect window_rect(int main_index)
{
    const Widget& w = record(main_index);
    if (w.fixed_size)
        return w.rect;
    const Extent& e = table().extent_of_level[static_cast<std::size_t>(w.level)];
    Rect r = w.rect;
    r.w = e.right + m().left_pad() + 2 * m().frame_width;
    r.h = e.bottom + m().line_height / 2 + 2 * (m().frame_height + m().caption_height);
    return r;
}

}  // namespace korvan::widgets
