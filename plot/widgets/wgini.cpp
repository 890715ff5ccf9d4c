// WGINI, WGBAS and WGFIN: the main widget of a dialog and its bases, nesting
// of dialogs, and running the window.
#include <algorithm>

#include "plot/widgets/front_end.hpp"
#include "plot/widgets/layout.hpp"
#include "plot/widgets/widget_records.hpp"
#include "plot/widgets/widgets.hpp"

namespace korvan {

using namespace widgets;

namespace {

// "VERT+HORI+FORM" as arrangements; -1 after the message.
int arrangement_of(const char* routine, std::string_view keyword)
{
    switch (match_keyword("VERT+HORI+FORM", keyword)) {
    case 1:
        return vertical;
    case 2:
        return horizontal;
    case 3:
        return form;
    default:
        show_error(routine, ">>>> Not allowed parameter " + std::string(keyword));
        return -1;
    }
}

// The records of an earlier dialog of this depth are reused when nothing of
// a shallower dialog was made after them.
void reuse_records_of_depth(int depth)
{
    WidgetTable& t = table();
    int first = t.first_of_level[static_cast<std::size_t>(depth)];
    if (first < 0 || first >= t.count)
        return;
    for (int i = first; i < t.count; ++i) {
        const Widget& w = t.records[static_cast<std::size_t>(i)];
        if (w.type != WidgetType::unused && w.level < depth)
            return;
    }
    free_records(first);
    t.count = first;
}

}  // namespace

int wgini(std::string_view arrangement)
{
    WidgetTable& t = table();
    int kind = arrangement_of("WGINI", arrangement);
    if (kind < 0)
        return -1;
    if (t.state == 1) {
        if (t.level >= max_nesting) {
            show_error("WGINI", ">>>> Too many nested widgets");
            return -1;
        }
        reuse_records_of_depth(t.level + 1);
        if (t.count >= max_widgets) {
            show_error("WGINI", ">>>> Too many widgets!");
            return -1;
        }
        ++t.level;
    } else {
        if (t.state == 2) {
            free_records(0);
            t.count = 0;
        }
        t.level = 1;
        t.first_of_level.fill(-1);
    }
    t.first_of_level[static_cast<std::size_t>(t.level)] = t.count;
    if (!t.metrics_measured) {
        t.metrics = front_end().metrics();
        t.metrics_measured = true;
    }
    int index = new_record(WidgetType::main, -1);
    Widget& w = t.records[static_cast<std::size_t>(index)];
    w.level = t.level;
    w.arrangement = kind;
    t.main_of_level[static_cast<std::size_t>(t.level)] = index;
    t.state = 1;
    place_main(index, t.level > 1 ? t.main_of_level[static_cast<std::size_t>(t.level - 1)] : -1);
    t.extent_of_level[static_cast<std::size_t>(t.level)] = Extent{};
    t.running[static_cast<std::size_t>(t.level)] = false;
    w.text = t.settings.title;
    w.menu_ok = t.settings.menu_ok;
    w.menu_quit = t.settings.menu_quit;
    w.menu_help = t.settings.menu_help;
    return index + 1;
}

int wgbas(int parent, std::string_view arrangement)
{
    int kind = arrangement_of("WGBAS", arrangement);
    if (kind < 0)
        return -1;
    int p = child_parent("WGBAS", parent, 1);
    if (p < 0)
        return -1;
    int index = new_record(WidgetType::base, p);
    table().records[static_cast<std::size_t>(index)].arrangement = kind;
    place_base(index, p);
    return index + 1;
}

void wgfin()
{
    WidgetTable& t = table();
    if (t.state != 1 || t.running[static_cast<std::size_t>(t.level)]) {
        show_error("WGFIN", ">>>> No call to WGINI");
        return;
    }
    const int level = t.level;
    const int main = t.main_of_level[static_cast<std::size_t>(level)];
    Widget& w = t.records[static_cast<std::size_t>(main)];
    w.rect = window_rect(main);
    t.running[static_cast<std::size_t>(level)] = true;
    front_end().run(main);
    t.running[static_cast<std::size_t>(level)] = false;
    t.level = std::max(0, level - 1);
    Settings& s = t.settings;
    s.position_given = false;
    s.size_given = false;
    s.margin_left = s.margin_top = s.margin_right = s.margin_bottom = 0;
    if (t.level == 0)
        t.state = 2;
}

}  // namespace korvan
