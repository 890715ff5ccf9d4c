// HELP: at the prompt the help request goes to the host.
#include "interp/front_end.hpp"
#include "interp/log_file.hpp"
#include "plat/host.hpp"

namespace korvan::kfl {

void help_command(std::string_view)
{
    if (front_end().interactive)
        plat::host_command("kflhelp");
}

}  // namespace korvan::kfl
