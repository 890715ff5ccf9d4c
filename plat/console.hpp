// The console: where the programs' text goes and where typed lines come from.
// Two back ends stand behind this interface: the terminal console (standard
// input and output) and the window console (real windows, added later).
#pragma once

#include <memory>
#include <string>
#include <string_view>

namespace korvan::plat {

class Console {
public:
    virtual ~Console() = default;

    // Text appended to the output window, written exactly as given.
    virtual void write_output(std::string_view text) = 0;

    // A message box; an empty caption shows the text alone.
    virtual void message_box(std::string_view caption, std::string_view text) = 0;

    // Waits for one typed line (without its line end, at most 79 characters).
    // Returns false at the end of input.
    virtual bool read_input_line(std::string& line) = 0;

    // A message box with the buttons OK and Cancel; true when OK is chosen.
    // Consoles without buttons show the box and take the answer as a typed
    // line (see answer_means_ok); the end of input answers Cancel.
    virtual bool ok_cancel_box(std::string_view caption, std::string_view text);
};

// A typed answer to an OK/Cancel question: an empty line (the default button),
// "ok", "o", "yes" or "y" in any letter case, blanks around it ignored.
bool answer_means_ok(std::string_view answer);

// The console in use; the terminal console unless another was installed.
Console& console();

// Installs a console (tests install capturing consoles); returns the old one.
std::unique_ptr<Console> set_console(std::unique_ptr<Console> next);

// Work done while the terminal console waits for a typed line (the screen
// windows repaint themselves from it); nullptr for none.
using InputIdle = void (*)();
void set_input_idle(InputIdle idle);
InputIdle input_idle();

// Longest line the input line accepts.
inline constexpr std::size_t input_line_limit = 79;

}  // namespace korvan::plat
