#include "interp/usage_text.hpp"

namespace korvan::kfl {

const char* const kflrun_usage =
    "Usage: kflrun [options] script [arguments ...]\n"
    "       kflrun               (no words: the KFL> prompt; EXIT ends it)\n"
    "\n"
    "Runs a KFL script; \".kfl\" is added to a name without extension. The script\n"
    "is searched as written, in KFL_PATH and in the \"kfl\" directory of KORVAN.\n"
    "Words after the script name become %ARG1, %ARG2, ... and %NARGS.\n"
    "\n"
    "Options, before or after the script name:\n"
    "  -O          show the output window in script mode\n"
    "  -V          print the version box (after the run)\n"
    "  -F          do not add \".kfl\" to the script name\n"
    "  -F=file     open this data file before the script runs\n"
    "  -I=file     read this file at the script's first INCLUDE\n"
    "  -D=device   plot on this device (XWIN, POST, PSCL, CGM, HPGL, TIFF, ...)\n"
    "  -h, --help  this text (in place of the script name)\n"
    "\n"
    "Environment: KFL_PATH (scripts, include and routine files), KFL_DATA (data\n"
    "files), KORVAN (installation directory), KORVAN_CONSOLE (terminal or window),\n"
    "KORVAN_DISPLAY (none: draw screen plots off-screen into korvan_win1.png).\n";

}  // namespace korvan::kfl
