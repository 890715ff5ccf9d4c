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
#include "plat/exit_status.hpp"
#include "plat/usage.hpp"
#include "plot/win/driver.hpp"

namespace korvan::conv {

namespace {
const char* const korconv_usage =
    "Usage: korconv [options] file [device]\n"
    "\n"
    "Shows a plot file made by the KORVAN library (GKSVAN metafile, CGM, HPGL or\n"
    "PostScript; \".met\" is added to a name without extension) in a screen window,\n"
    "converts it to another plot file format or sends it to a printer port.\n"
    "\n"
    "Devices: CONS (default), XWIN, XWI1 ... XWI5 (screen windows); GKSV, CGM, HPGL,\n"
    "HPA4 ... HPA1, KYOC, POST, PSCL, PDF, SVG, PNG, TIFF, IMAG (files named after\n"
    "the input); HLP1, HLP2, KYO1, PSC1, PSC2 (printers); NONE.\n"
    "\n"
    "Options:\n"
    "  F=name        output file name\n"
    "  D=port        printer port or file for printer output (default LPT1)\n"
    "  S=x           scaling factor;  FUL  fit the page to the device\n"
    "  ROT, NOR      portrait page, or no page rotation\n"
    "  REV           reverse background and foreground\n"
    "  WS=w,h        window size in pixels\n"
    "  P=n, N=n      first page and number of pages of PostScript input\n"
    "  SMAL, RAIN, SPEC, GREY, RRAI, RSPE, RGRE, VGA   colour table\n"
    "  V=file        colour table file (lines of red, green, blue)\n"
    "  DEL, KEE      delete or keep the input file after the conversion\n"
    "  -h, --help    this text (in place of the file name)\n";
}  // namespace

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
    if (!input.refusal.empty()) {
        show(" <<<< " + s.input + ": " + input.refusal + "!\n");
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
        if (!message.empty())
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
    Settings settings;
    std::string message;
    const bool parsed = parse_command_line(words, settings, message);
    if (parsed && settings.help_wanted) {
        plat::print_usage(korconv_usage, "korconv");
        return 0;
    }
    win::start(false);
    if (!parsed) {
        show(message);
        plat::note_failure();
    } else if (!convert(settings)) {
        plat::note_failure();
    } else if (settings.delete_input) {
        std::remove(settings.input.c_str());
    }
    win::end(false);
    return plat::exit_status();
}

}  // namespace korvan::conv
