// What shows the dialogs: FLTK windows on a display, or a text form on the
// terminal. The widget table is the model; a front end shows it and reports
// what the user does through the events of events.hpp.
#pragma once

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plot/widgets/widget_table.hpp"

namespace korvan::widgets {

class DialogFrontEnd {
public:
    virtual ~DialogFrontEnd() = default;

    // Font and window metrics the layout uses.
    virtual FontMetrics metrics() = 0;

    // Shows the window of the main widget and runs it until it is closed.
    virtual void run(int main_index) = 0;
    // Closes the running window of the main widget.
    virtual void close(int main_index) = 0;
    // The widget's record changed while its window runs.
    virtual void refresh(int index) = 0;

    // A message box with OK.
    virtual void message(std::string_view caption, std::string_view text) = 0;
    // The file-open dialog: true with the chosen name, false when cancelled.
    virtual bool choose_file(std::string_view title, std::string_view mask, std::string& name) = 0;

    // The standard dialogs.
    virtual bool yes_no(std::string_view caption, std::string_view text, bool yes_default) = 0;
    virtual int choose_item(std::string_view label, const std::vector<std::string>& items, int selected) = 0;
    virtual std::string ask_text(std::string_view label, std::string_view text) = 0;
};

// The front end for the current widget mode: FLTK when a display is available
// and the mode is not ASCI, otherwise the terminal text form.
DialogFrontEnd& front_end();

// Installs a front end (tests); nullptr goes back to the automatic choice.
void set_front_end(std::unique_ptr<DialogFrontEnd> next);

std::unique_ptr<DialogFrontEnd> make_text_form();

}  // namespace korvan::widgets
