// Where widgets go: the placement cursor of the containers, margins, the
// current extent of a window, default heights and the window size.
// All values in pixels of the window's client area below its menu bar.
#pragma once

#include "plot/widgets/widget_table.hpp"

namespace korvan::widgets {

// Default heights of the controls.
int line_height();                     // labels, check buttons, radio items, labels of text fields
int button_height();                   // OK, Quit, push and command buttons, text and file fields
int list_height(int items, bool scrolled);
int scale_height(bool vertical, bool with_label);
// A list gets a scroll bar with the list type SCRO, or AUTO and more than 8 items.
bool list_is_scrolled(int list_type, int items);
// The default widget width in pixels.
int default_width_pixels();

// The main widget's position and size when it is made: the explicit ones, or
// (0, 0) at level 1, or beside the parent window; the cursor starts at the
// left pad and half a line down (form: at 0, 0).
void place_main(int index, int parent_main);

// Places the next child of the container (before its records are made) with
// the default height; moves the container's cursor and grows the window's
// current extent.
Rect place_child(int parent, int height);

// Places a base in its parent (step of WGBAS): in a form the explicit
// rectangle, otherwise at the parent's cursor, after the container placed
// there before.
void place_base(int index, int parent);

// The outer window size WGFIN gives a main widget that is not fixed-size.
Rect window_rect(int main_index);

}  // namespace korvan::widgets
