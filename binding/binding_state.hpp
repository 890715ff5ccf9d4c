// What the binding keeps for the whole run: the METAFL flag, the spline
// output size and the callback table of the widgets.
#pragma once

#include <string>
#include <string_view>

namespace korvan::binding {

inline constexpr int default_spline_output_size = 201;  // 200 spline points plus one
inline constexpr int callback_capacity = 200;          // widget identifiers 1..200

// Set by METAFL and by KORINI when it applied the start-up device; never
// cleared. The quick plots choose no device of their own once it is set.
bool metafl_flag();
void set_metafl_flag();

// Elements of the blocks SPLINE fills: 201 until SPLMOD accepts a number of points.
int spline_output_size();
void set_spline_output_size(int size);

// The callback table: the KFL subroutine a widget runs, and the array variable
// handed to it as its second parameter. Identifiers outside 1..200 are ignored.
void set_callback(int widget, std::string_view routine, int variable_index);
// "" when the widget has no callback.
const std::string& callback_routine(int widget);
int callback_variable(int widget);

// Back to the start of a run (for tests).
void reset_binding_state();

}  // namespace korvan::binding
