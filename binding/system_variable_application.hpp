// Applying the "%" system variables to the library.
#pragma once

namespace korvan::binding {

// Applies one system variable (its variable-table index) to the library, or,
// with -1, every "%" variable of the variable table. Called by KORINI after
// the library is open and after a library function assigned a "%" variable.
void apply_system_variables(int index);

}  // namespace korvan::binding
