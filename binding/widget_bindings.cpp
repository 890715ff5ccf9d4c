// The bindings of the dialog widget routines.
#include <cstring>

#include "binding/procedure_bindings.hpp"
#include "binding/special_bindings.hpp"
#include "interp/shutdown.hpp"
#include "plot/widgets/events.hpp"
#include "plot/widgets/widgets.hpp"

namespace korvan::binding {

namespace {

// ITMCAT(CLIS, CSTR): the list's count follows the text it holds (the first
// item of an empty list comes without a separator).
void bind_itmcat_list(ArgumentSlots& s)
{
    bind_itmcat<&korvan::itmcat>(s);
    kfl::Value* v = s.variable_at(0);
    if (v != nullptr && v->type == kfl::T_STRING && v->slot.text != nullptr)
        v->count = static_cast<std::int32_t>(strnlen(v->slot.text, static_cast<std::size_t>(v->count) + 1));
}

// Quit in a dialog ends the run as EXIT does.
void quit_run() { kfl::terminate_run(0); }

constexpr ProcedureBinding procedures[] = {
    {"DWGMSG", &call_procedure<&korvan::dwgmsg>},
    {"ITMCAT", &bind_itmcat_list},
    {"MSGBOX", &call_procedure<&korvan::msgbox>},
    {"SWGBOX", &call_procedure<&korvan::swgbox>},
    {"SWGBUT", &call_procedure<&korvan::swgbut>},
    {"SWGCB", &bind_swgcb<&korvan::swgcb>},
    {"SWGFIL", &call_procedure<&korvan::swgfil>},
    {"SWGHLP", &call_procedure<&korvan::swghlp>},
    {"SWGJUS", &call_procedure<&korvan::swgjus>},
    {"SWGLIS", &call_procedure<&korvan::swglis>},
    {"SWGMIX", &call_procedure<&korvan::swgmix>},
    {"SWGMOD", &call_procedure<&korvan::swgmod>},
    {"SWGMRG", &call_procedure<&korvan::swgmrg>},
    {"SWGPOP", &call_procedure<&korvan::swgpop>},
    {"SWGPOS", &call_procedure<&korvan::swgpos>},
    {"SWGSCL", &call_procedure<&korvan::swgscl>},
    {"SWGSIZ", &call_procedure<&korvan::swgsiz>},
    {"SWGTIT", &call_procedure<&korvan::swgtit>},
    {"SWGTXT", &call_procedure<&korvan::swgtxt>},
    {"SWGTYP", &call_procedure<&korvan::swgtyp>},
    {"SWGWIN", &call_procedure<&korvan::swgwin>},
    {"SWGWTH", &call_procedure<&korvan::swgwth>},
    {"WGFIN", &call_procedure<&korvan::wgfin>},
};

constexpr FunctionBinding functions[] = {
    {"DWGBUT", &call_function<&korvan::dwgbut>},
    {"DWGFIL", &call_function<&korvan::dwgfil>},
    {"DWGLIS", &call_function<&korvan::dwglis>},
    {"DWGTXT", &call_function<&korvan::dwgtxt>},
    {"GWGBOX", &call_function<&korvan::gwgbox>},
    {"GWGBUT", &call_function<&korvan::gwgbut>},
    {"GWGFIL", &call_function<&korvan::gwgfil>},
    {"GWGLIS", &call_function<&korvan::gwglis>},
    {"GWGSCL", &call_function<&korvan::gwgscl>},
    {"GWGTXT", &call_function<&korvan::gwgtxt>},
    {"ITMCNT", &call_function<&korvan::itmcnt>},
    {"ITMSTR", &call_function<&korvan::itmstr>},
    {"WGAPP", &call_function<&korvan::wgapp>},
    {"WGBAS", &call_function<&korvan::wgbas>},
    {"WGBOX", &call_function<&korvan::wgbox>},
    {"WGBUT", &call_function<&korvan::wgbut>},
    {"WGCMD", &call_function<&korvan::wgcmd>},
    {"WGFIL", &call_function<&korvan::wgfil>},
    {"WGINI", &call_function<&korvan::wgini>},
    {"WGLAB", &call_function<&korvan::wglab>},
    {"WGLIS", &call_function<&korvan::wglis>},
    {"WGLTXT", &call_function<&korvan::wgltxt>},
    {"WGOK", &call_function<&korvan::wgok>},
    {"WGPBUT", &call_function<&korvan::wgpbut>},
    {"WGPOP", &call_function<&korvan::wgpop>},
    {"WGQUIT", &call_function<&korvan::wgquit>},
    {"WGSCL", &call_function<&korvan::wgscl>},
    {"WGTXT", &call_function<&korvan::wgtxt>},
};

}  // namespace

std::span<const ProcedureBinding> widget_procedure_bindings() { return procedures; }

std::span<const FunctionBinding> widget_function_bindings() { return functions; }

void install_widget_quit() { widgets::set_quit_handler(&quit_run); }

}  // namespace korvan::binding
