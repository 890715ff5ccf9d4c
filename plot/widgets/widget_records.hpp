// Helpers the widget routines share: checks of parents and IDs, new records,
// and telling a running window about a changed record.
#pragma once

#include <string_view>

#include "plot/widgets/widget_table.hpp"

namespace korvan::widgets {

Widget& record(int index);

// Takes the next record for a widget of the type with its parent (-1 for a
// main widget); the record belongs to the parent's window.
int new_record(WidgetType type, int parent);

// The parent's record index for a routine that makes `records` children:
// -1 after ">>>> No call to WGINI before!", ">>>> Not allowed parent ID!" or
// ">>>> Too many widgets!".
int child_parent(const char* routine, int parent_id, int records);

// True while the window that holds the record is shown.
bool window_running(int index);

// Shows the record's new state when its window is running.
void refresh(int index);

// Calls the widget's callback, if it has one, with its ID.
void fire_callback(int index);

}  // namespace korvan::widgets
