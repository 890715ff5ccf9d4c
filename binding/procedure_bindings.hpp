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

}  // namespace korvan::binding
