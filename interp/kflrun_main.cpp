// kflrun: the KFL interpreter with the KORVAN plotting library.
#include <string>
#include <vector>

#include "binding/routine_binding.hpp"
#include "binding/routine_table.hpp"
#include "interp/completion_names.hpp"
#include "interp/language.hpp"
#include "interp/startup.hpp"
#include "plat/completion.hpp"
#include "plat/window_console.hpp"

namespace {
// What Tab completes at the prompt: the language's names and the library routines.
std::vector<std::string> prompt_names()
{
    using namespace korvan;
    std::vector<std::string> names = kfl::language_completion_names();
    for (binding::Group group : {binding::Group::procedure, binding::Group::function}) {
        for (const binding::RoutineRow& row : binding::routine_rows(group))
            names.emplace_back(row.name);
    }
    return names;
}
}  // namespace

int main(int argc, char** argv)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i) {
        // Each argument is one command-line word; empty ones separate nothing.
        if (argv[i][0] != '\0')
            words.emplace_back(argv[i]);
    }
    korvan::plat::select_backends();
    korvan::kfl::set_language_extension(&korvan::binding::install_binding);
    korvan::plat::set_completion_source(&prompt_names);
    return korvan::kfl::run_kflrun(words);
}
