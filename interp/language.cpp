#include "interp/language.hpp"

#include "interp/builtins.hpp"

namespace korvan::kfl {

void install_language()
{
    // Each module that plugs into the executor installs its handlers here.
    install_builtins();
}

}  // namespace korvan::kfl
