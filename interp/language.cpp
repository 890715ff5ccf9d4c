#include "interp/language.hpp"

#include "interp/builtins.hpp"
#include "interp/control_flow.hpp"
#include "interp/log_file.hpp"
#include "interp/user_routines.hpp"

namespace korvan::kfl {

namespace {
LanguageExtension language_extension = nullptr;
}  // namespace

void set_language_extension(LanguageExtension extension) { language_extension = extension; }

void install_language()
{
    // Each module that plugs into the executor installs its handlers here.
    install_builtins();
    install_control_flow();
    install_user_routines();
    install_interactive_commands();
    if (language_extension != nullptr)
        language_extension();
}

}  // namespace korvan::kfl
