// What the user does in a running dialog, as the front ends report it: each
// event changes the widget table as the dialog's rules say and then calls the
// widget's callback.
#pragma once

#include <string>
#include <string_view>

namespace korvan::widgets {

void check_clicked(int index, bool checked);
// item is 1-based.
void list_selected(int index, int item);
void radio_clicked(int index);
void push_pressed(int index);
void command_pressed(int index);
void popup_item_chosen(int index);
void field_edited(int index, std::string_view text);
// The File menu entry of a file field: the file-open dialog fills the field.
void file_entry_chosen(int index);

// Scroll bar actions of a scale.
enum class ScrollAction { line_up, line_down, page_up, page_down, thumb, top, bottom };
void scale_scrolled(int index, ScrollAction action, int thumb);
// A value typed for a scale (text form): clamped to its range.
void scale_set(int index, double value);

// A click on a button of the dialog of the main widget: a push, command, OK,
// Quit or radio button, or a popup menu item. False (and nothing done) for
// the other widgets, whose events carry a state.
bool button_pressed(int index, int main_index);

// The menu entries and the OK and Quit buttons.
void ok_chosen(int main_index);
[[noreturn]] void quit_chosen();
void help_chosen(int main_index);

// What ends the program on Quit (the interpreter installs its own end).
void set_quit_handler(void (*handler)());

// The text of a scale's value label, with its digits.
std::string scale_value_text(int scale_index);
// Scroll bar position of a value, and value of a position.
int scale_position_of(int scale_index, float value);
float scale_value_of(int scale_index, int position);

// The filter of the file-open dialog: "Mask (m)", m, "All Files (*.*)", "*.*",
// separated by zero bytes (the string's own end ends the last).
std::string file_filter(std::string_view mask);
// The same filter as the toolkit's file chooser takes it: "Mask (m)" and
// "All Files (*)" separated by a tab, with "*.*" written "*" and a list of
// masks "a;b" as "{a,b}".
std::string chooser_pattern(std::string_view mask);

}  // namespace korvan::widgets
