// kflrun: the KFL interpreter with the KORVAN plotting library.
#include <string>
#include <vector>

#include "binding/routine_binding.hpp"
#include "interp/language.hpp"
#include "interp/startup.hpp"
#include "plat/window_console.hpp"

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
    return korvan::kfl::run_kflrun(words);
}
