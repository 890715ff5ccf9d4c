// Puts the whole language together: the statement handlers, built-in functions
// and library bindings that plug into the executor.
#pragma once

namespace korvan::kfl {

// Installs every handler; run once before the first statement (and by tests).
void install_language();

}  // namespace korvan::kfl
