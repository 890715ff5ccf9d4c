// korconv: the plot file converter and viewer.
#include <string>
#include <vector>

#include "conv/converter.hpp"
#include "plat/window_console.hpp"

int main(int argc, char** argv)
{
    std::vector<std::string> words;
    for (int i = 1; i < argc; ++i)
        if (argv[i][0] != '\0')
            words.emplace_back(argv[i]);
    korvan::plat::select_backends(korvan::plat::ConsoleStyle::converter());
    return korvan::conv::run_korconv(words);
}
