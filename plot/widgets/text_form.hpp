// Dialogs without a display: WGFIN writes the dialog as a numbered text form
// and reads commands, one a line:
//   n          presses, toggles or selects widget n (a radio item by its ID)
//   n.k        selects item k of list n
//   n text     sets the text of field n or the value of scale n
//   ok, quit, help   the menu entries; an empty line shows the form again
// The end of input closes the window as its close box does.
#pragma once

#include <cstdio>
#include <string>

namespace korvan::widgets {

// Where the text form reads its commands (standard input unless a test sets another).
void set_text_form_input(std::FILE* in);

// The form of the dialog of a main widget, as it is written.
std::string text_form_of(int main_index);

}  // namespace korvan::widgets
