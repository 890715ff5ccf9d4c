#include "plot/widgets/widget_records.hpp"

#include "plot/widgets/front_end.hpp"

namespace korvan::widgets {

Widget& record(int index) { return table().records[static_cast<std::size_t>(index)]; }

int new_record(WidgetType type, int parent)
{
    WidgetTable& t = table();
    int index = t.count++;
    Widget& w = record(index);
    w = Widget{};
    w.type = type;
    w.parent = parent;
    w.level = parent >= 0 ? record(parent).level : t.level;
    return index;
}

int child_parent(const char* routine, int parent_id, int records)
{
    WidgetTable& t = table();
    if (t.state != 1) {
        show_error(routine, ">>>> No call to WGINI before!");
        return -1;
    }
    Widget* p = widget_of_id(parent_id);
    if (p == nullptr || (p->type != WidgetType::main && p->type != WidgetType::base)) {
        show_error(routine, ">>>> Not allowed parent ID!");
        return -1;
    }
    if (t.count + records > max_widgets) {
        show_error(routine, ">>>> Too many widgets!");
        return -1;
    }
    return parent_id - 1;
}

bool window_running(int index)
{
    int main = main_of(index);
    if (main < 0)
        return false;
    const WidgetTable& t = table();
    const int level = record(main).level;
    return t.running[static_cast<std::size_t>(level)] && t.main_of_level[static_cast<std::size_t>(level)] == main;
}

void refresh(int index)
{
    if (window_running(index))
        front_end().refresh(index);
}

void fire_callback(int index)
{
    WidgetCallback callback = record(index).callback;
    if (callback != nullptr)
        callback(index + 1);
}

}  // namespace korvan::widgets
