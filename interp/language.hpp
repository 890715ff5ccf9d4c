// Puts the whole language together: the statement handlers, built-in functions
// and library bindings that plug into the executor.
#pragma once

namespace korvan::kfl {

// Installs every handler; run once before the first statement (and by tests).
void install_language();

// Handlers that live outside the interpreter library (the plotting library's
// routine binding): kflrun sets them before the run, install_language installs
// them last, after the language's own.
using LanguageExtension = void (*)();
void set_language_extension(LanguageExtension extension);

}  // namespace korvan::kfl
