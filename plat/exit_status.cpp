#include "plat/exit_status.hpp"

#include <cstdio>
#include <cstdlib>

namespace korvan::plat {

namespace {
bool failed = false;
}

void note_failure() { failed = true; }

int exit_status() { return failed ? failure_exit_status : 0; }

void end_process()
{
    std::fflush(nullptr);
    std::exit(exit_status());
}

}  // namespace korvan::plat
