#include "plat/usage.hpp"

#include <cstdio>

#include "plat/host.hpp"
#include "plat/paths.hpp"

namespace korvan::plat {

bool is_help_word(std::string_view word) { return word == "--help" || word == "-h"; }

void print_usage(std::string_view text, std::string_view program)
{
    std::string manual = join_path(join_path(installation_dir(), "hlp"), "index.html");
    std::string out(text);
    out += "\nThe manual: " + manual + " (installed by kflinst), \"man " + std::string(program) + "\"";
    if (program == "kflrun")
        out += ",\nand HELP at the KFL> prompt";
    out += ".\n";
    std::fputs(out.c_str(), stdout);
    std::fflush(stdout);
}

}  // namespace korvan::plat
