#include "binding/special_bindings.hpp"

#include <string>

#include "binding/procedure_bindings.hpp"
#include "binding/system_variable_application.hpp"
#include "interp/front_end.hpp"
#include "interp/loader.hpp"
#include "interp/user_routines.hpp"
#include "plot/kernel/colours.hpp"
#include "plot/kernel/images.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/array_tools.hpp"
#include "plot/routines/legends.hpp"
#include "plot/routines/maps.hpp"
#include "plot/routines/splines.hpp"
#include "plot/win/driver.hpp"

namespace korvan::binding {

namespace {

// KORINI(): the start-up device of the command line first goes to METAFL;
// after the library is open the system variables are applied to it.
void bind_korini(ArgumentSlots&)
{
    const kfl::StartupOptions& options = kfl::front_end().options;
    if (options.device_given) {
        metafl(options.startup_device);
        set_metafl_flag();
    }
    korini();
    apply_system_variables(-1);
}

void bind_metafl(ArgumentSlots& s)
{
    metafl(s.text_at(0));
    set_metafl_flag();
}

// COLRAY(ZRAY, NRAY, N): NRAY becomes an INT array of N colour values.
void bind_colray(ArgumentSlots& s)
{
    std::int32_t n = s.int_at(2);
    kfl::Value colours;
    if (!make_output_array(colours, kfl::T_INT_ARRAY, n))
        return;
    colray(s.block_at<const float>(0),
           {static_cast<int*>(colours.slot.block), static_cast<std::size_t>(std::max(n, 0))}, n);
    store_array(s.variables[1], colours, std::max(n, 1));
}

// INCKFL(CFIL): the KFL file named exactly so is read next (at the prompt:
// once the run mode changes), and at its end the calling file goes on.
void bind_inckfl(ArgumentSlots& s) { kfl::open_inckfl_file(s.text_at(0)); }

// Routines of the table that have never had a library binding.
void report_no_binding(std::string_view name)
{
    win::print(" >>>> Unknown routine " + std::string(name) + " in exec_routine!\n");
}
void bind_abs3pt(ArgumentSlots&) { report_no_binding("ABS3PT"); }
void bind_pos2pt(ArgumentSlots&) { report_no_binding("POS2PT"); }
void bind_pos3pt(ArgumentSlots&) { report_no_binding("POS3PT"); }
void bind_rel3pt(ArgumentSlots&) { report_no_binding("REL3PT"); }

constexpr ProcedureBinding bindings[] = {
    {"ABS3PT", &bind_abs3pt},
    {"BEZIER", &bind_bezier<&korvan::bezier>},
    {"COLRAY", &bind_colray},
    {"HISTOG", &bind_histog<&korvan::histog>},
    {"INCKFL", &bind_inckfl},
    {"KORINI", &bind_korini},
    {"LEGEND", &bind_legend<&korvan::legend>},
    {"LEGINI", &bind_legini<&korvan::legini>},
    {"LEGLIN", &bind_leglin<&korvan::leglin>},
    {"METAFL", &bind_metafl},
    {"POS2PT", &bind_pos2pt},
    {"POS3PT", &bind_pos3pt},
    {"REL3PT", &bind_rel3pt},
    {"SPLINE", &bind_spline<&korvan::spline>},
    {"SPLMOD", &bind_splmod<&korvan::splmod>},
    {"RPIXLS", &bind_rpixls<&korvan::rpixls>},
    {"RPXROW", &bind_rpxrow<&korvan::rpxrow>},
    {"SHDEUR", &bind_shdeur<&korvan::shdeur>},
};

}  // namespace

void widget_callback_entry(int widget)
{
    const std::string& routine = callback_routine(widget);
    if (routine.empty())
        return;
    // A copy: the callback may replace its own entry through SWGCB.
    std::string name = routine;
    kfl::callback_call(widget, name, callback_variable(widget));
}

void report_unavailable(std::string_view name)
{
    win::print(" >>>> Routine " + std::string(name) + " is not available in this version\n");
}

std::span<const ProcedureBinding> special_procedure_bindings() { return bindings; }

}  // namespace korvan::binding
