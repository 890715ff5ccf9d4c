#include "interp/language.hpp"

namespace korvan::kfl {

void install_language()
{
    // Each module that plugs into the executor installs its handlers here.
}

}  // namespace korvan::kfl
