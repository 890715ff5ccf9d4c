#include "conv/converter.hpp"

#include <cmath>
#include <cstdio>

#include "conv/colour_table_file.hpp"
#include "conv/input_kind.hpp"
#include "conv/playback.hpp"
#include "conv/port_copy.hpp"
#include "conv/postscript_rewrite.hpp"
#include "conv/settings.hpp"
#include "conv/targets.hpp"
#include "plat/console.hpp"
#include "plot/win/driver.hpp"

namespace korvan::conv {

namespace {

void show(const std::string& text) { plat::console().message_box("korconv", text); }

std::string created(const Target& target, const std::string& output)
{
    return "The '" + target.format + "' file '" + output + "' is created!\n";
}

// Copies a file unchanged to the printer port.
bool to_port(const std::string& file, const Settings& s, bool remove_file)
{
    std::string message;
    if (!copy_to_port(file, s.port, remove_file, message)) {
        show(message);
        return false;
    }
    return true;
}

// The steps between the command line and the end; false when a message ended them.
bool convert(Settings& s)
{
    std::string message;
    if (!s.user_table_file.empty() && !read_colour_table(s.user_table_file, s.user_table, message)) {
        show(message);
        return false;
    }
    InputFile input = detect_input(s.input);
    if (input.kind == InputKind::missing) {
        show(" <<<< " + s.input + " doesn't exist!\n");
        return false;
    }
    Target target;
    if (!resolve_target(s.device, target, message)) {
        show(message);
        return false;
    }
    if (!s.output_given && target.file)
        s.output = output_name_for(s.input, target.code);

    bool postscript_target = target.code >= 501 && target.code <= 600;
    if (input.kind == InputKind::postscript && postscript_target) {
        bool rewrite = s.first_page != 1 || s.page_count != 0 || std::fabs(s.scaling - 1.0) > 0.001;
        if (rewrite) {
            RewriteRequest request{s.scaling, s.first_page, s.page_count};
            if (!rewrite_postscript(s.input, s.output, request, message)) {
                show(message);
                return false;
            }
            if (target.printer)
                return to_port(s.output, s, true);
            show(created(target, s.output));
            return true;
        }
        if (!target.printer) {
            show("The fileformat is already PostScript!");
            return false;
        }
        return to_port(s.input, s, false);
    }
    if (target.printer && (target.code == input_code(input.kind) ||
                           (input.kind == InputKind::postscript && target.code == 502)))
        return to_port(s.input, s, false);

    if (input.kind == InputKind::kyocera || input.kind == InputKind::unknown) {
        show(" <<<< File and printer formats are not compatible!");
        return false;
    }
    if (!play_back(s, input, target, s.output, message)) {
        show(message);
        return false;
    }
    if (target.printer && target.code > 150)
        return to_port(s.output, s, true);
    if (target.file)
        show(created(target, s.output));
    return true;
}

}  // namespace

int run_korconv(const std::vector<std::string>& words)
{
    win::start(false);
    Settings settings;
    std::string message;
    if (!parse_command_line(words, settings, message)) {
        show(message);
    } else if (convert(settings) && settings.delete_input) {
        std::remove(settings.input.c_str());
    }
    win::end(false);
    return 0;
}

}  // namespace korvan::conv
