#include "interp/script_args.hpp"

#include "interp/variables.hpp"

namespace korvan::kfl {

void create_argument_variables(const std::vector<std::string>& args)
{
    for (std::size_t i = 0; i < args.size(); ++i)
        define_startup_string("%ARG" + std::to_string(i + 1), args[i]);
    define_startup_int("%NARGS", static_cast<int>(args.size()));
}

}  // namespace korvan::kfl
