// The routine binding: routine call statements NAME(...) and library-function
// assignments VAR = NAME(...) reach the plotting library through the routine
// table, the signature match and the argument slots.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "binding/routine_table.hpp"

namespace korvan::binding {

// Installs the statement handlers into the interpreter (once per process is
// enough; again is harmless). Handlers installed before are kept for names
// that are not library routines.
void install_binding();

// NAME(...) as a statement; false when NAME is not a procedure of the table.
bool call_routine_statement(std::string_view name, std::string_view text);

// VAR = NAME(...); false when NAME is not a library function of the table.
bool call_function_assignment(std::string_view target, std::string_view function, std::string_view text);

// The rows of a group whose routine this version lacks (answered with
// "Routine NAME is not available in this version"), in table order.
std::vector<std::string> unavailable_routines(Group group);

}  // namespace korvan::binding
