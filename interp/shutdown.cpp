#include "interp/shutdown.hpp"

#include <cstdio>
#include <cstdlib>

#include "interp/data_file.hpp"
#include "interp/file_table.hpp"
#include "interp/log_file.hpp"
#include "plat/exit_status.hpp"
#include "plot/kernel/routines.hpp"

namespace korvan::kfl {

void terminate_run(int exit_code)
{
    korvan::close_open_plot();
    close_log_file();
    close_data_file();
    close_all_files();
    // A failure noted earlier in the run (a data file of "-F=" that did not
    // open) still decides the status of a run ended with EXIT.
    if (exit_code == 0)
        plat::end_process();
    std::fflush(nullptr);
    std::exit(exit_code);
}

}  // namespace korvan::kfl
