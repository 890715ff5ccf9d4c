#include "binding/system_variable_application.hpp"

namespace korvan::binding {

void apply_system_variables(int index)
{
    // What each "%" variable sets in the library (HEIGHT for %H, TITLIN for
    // %T1 ...) comes with the quick plots; until then nothing is applied.
    (void)index;
}

}  // namespace korvan::binding
