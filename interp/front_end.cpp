#include "interp/front_end.hpp"

namespace korvan::kfl {

FrontEnd& front_end()
{
    static FrontEnd state;
    return state;
}

void reset_front_end()
{
    FrontEnd& fe = front_end();
    fe.inputs.close_all();
    if (fe.log_file != nullptr)
        std::fclose(fe.log_file);
    fe = FrontEnd{};
}

}  // namespace korvan::kfl
