// The predefined "%" variables and their types.
#pragma once

#include <string_view>

namespace korvan::kfl {

// Type code (INT, DOUBLE or STRING) of a system variable, or -1 when the name
// (with its "%") is not one of them.
int system_variable_type(std::string_view name);

// Called after a "%" variable has been assigned (the plotting settings follow it).
using SystemVariableHook = void (*)(std::string_view name, int index);
SystemVariableHook set_system_variable_hook(SystemVariableHook hook);
void system_variable_assigned(std::string_view name, int index);

}  // namespace korvan::kfl
