// The library routines bound to rows of the routine table: for each bound
// name its adapter. Rows without an entry are routines this version lacks.
#pragma once

#include <span>

#include "binding/adapters.hpp"

namespace korvan::binding {

struct ProcedureBinding {
    const char* name;
    ProcedureAdapter adapter;
    bool available = true;  // false: only the binding's own checks run, then the routine is reported missing
};

struct FunctionBinding {
    const char* name;
    FunctionAdapter adapter;
};

// Procedures called straight from their slots, in alphabetical order.
std::span<const ProcedureBinding> plain_procedure_bindings();

// Procedures whose binding does more than the call (special_bindings.cpp).
std::span<const ProcedureBinding> special_procedure_bindings();

// Library functions (function_bindings.cpp).
std::span<const FunctionBinding> function_bindings();

// The dialog widget routines (widget_bindings.cpp).
std::span<const ProcedureBinding> widget_procedure_bindings();
std::span<const FunctionBinding> widget_function_bindings();
// Makes Quit in a dialog end the run as EXIT does.
void install_widget_quit();

}  // namespace korvan::binding
