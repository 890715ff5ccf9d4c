#include "binding/procedure_bindings.hpp"

#include <string>

#include "plot/kernel/colours.hpp"
#include "plot/kernel/postscript.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/axes3d.hpp"
#include "plot/routines/binary_files.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/legends.hpp"
#include "plot/routines/line_styles.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/patterns.hpp"
#include "plot/routines/text.hpp"
#include "plot/routines/user_points.hpp"
#include "plot/routines/utility_routines.hpp"
#include "plot/win/driver.hpp"

namespace korvan::binding {

namespace {

// No binding at all: the call is reported and the target keeps INT 0.
void report_no_function_binding(std::string_view name)
{
    win::print(" >>>> Unknown function " + std::string(name) + " in exec_function!\n");
}
void bind_getblk(ArgumentSlots&, FunctionResult&) { report_no_function_binding("GETBLK"); }
void bind_getdfl(ArgumentSlots&, FunctionResult&) { report_no_function_binding("GETDFL"); }
void bind_nzposn(ArgumentSlots&, FunctionResult&) { report_no_function_binding("NZPOSN"); }

constexpr FunctionBinding bindings[] = {
    {"BITSI2", &call_function<&korvan::bitsi2>},
    {"BITSI4", &call_function<&korvan::bitsi4>},
    {"CLOSFL", &call_function<&korvan::closfl>},
    {"FCHA", &call_function<&korvan::fcha>},
    {"FLEN", &call_function<&korvan::flen>},
    {"GETANG", &call_function<&korvan::getang>},
    {"GETBLK", &bind_getblk},
    {"GETCLR", &call_function<&korvan::getclr>},
    {"GETDFL", &bind_getdfl},
    {"GETDSP", &call_function<&korvan::getdsp>},
    {"GETFIL", &call_function<&korvan::getfil>},
    {"GETHGT", &call_function<&korvan::gethgt>},
    {"GETLEV", &call_function<&korvan::getlev>},
    {"GETLIN", &call_function<&korvan::getlin>},
    {"GETMFL", &call_function<&korvan::getmfl>},
    {"GETPAT", &call_function<&korvan::getpat>},
    {"GETTYP", &call_function<&korvan::gettyp>},
    {"GETUNI", &call_function<&korvan::getuni>},
    {"GETVER", &call_function<&korvan::getver>},
    {"GETVLT", &call_function<&korvan::getvlt>},
    {"GETWID", &call_function<&korvan::getwid>},
    {"GETXID", &call_function<&korvan::getxid>},
    {"INTCHA", &call_function<&korvan::intcha>},
    {"INTLEN", &call_function<&korvan::intlen>},
    {"NLMESS", &call_function<&korvan::nlmess>},
    {"NLNUMB", &call_function<&korvan::nlnumb>},
    {"NXLEGN", &call_function<&korvan::nxlegn>},
    {"NXPOSN", &call_function<&korvan::nxposn>},
    {"NYLEGN", &call_function<&korvan::nylegn>},
    {"NYPOSN", &call_function<&korvan::nyposn>},
    {"NZPOSN", &bind_nzposn},
    {"OPENFL", &call_function<&korvan::openfl>},
    {"POSIFL", &call_function<&korvan::posifl>},
    {"READFL", &call_function<&korvan::readfl>},
    {"SKIPFL", &call_function<&korvan::skipfl>},
    {"TELLFL", &call_function<&korvan::tellfl>},
    {"WINID", &call_function<&korvan::winid>},
    {"WRITFL", &call_function<&korvan::writfl>},
    {"X2DPOS", &call_function<&korvan::x2dpos>},
    {"X3DABS", &call_function<&korvan::x3dabs>},
    {"X3DPOS", &call_function<&korvan::x3dpos>},
    {"X3DREL", &call_function<&korvan::x3drel>},
    {"XINVRS", &call_function<&korvan::xinvrs>},
    {"XPOSN", &call_function<&korvan::xposn>},
    {"Y2DPOS", &call_function<&korvan::y2dpos>},
    {"Y3DABS", &call_function<&korvan::y3dabs>},
    {"Y3DPOS", &call_function<&korvan::y3dpos>},
    {"Y3DREL", &call_function<&korvan::y3drel>},
    {"YINVRS", &call_function<&korvan::yinvrs>},
    {"YPOSN", &call_function<&korvan::yposn>},
    {"Z3DPOS", &call_function<&korvan::z3dpos>},
};

}  // namespace

std::span<const FunctionBinding> function_bindings() { return bindings; }

}  // namespace korvan::binding
