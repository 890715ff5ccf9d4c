#include "interp/log_file.hpp"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <string>

#include "interp/eval_stack.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/front_end.hpp"
#include "interp/messages.hpp"
#include "interp/parser.hpp"
#include "interp/tokenizer.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/state.hpp"

namespace korvan::kfl {

void close_log_file()
{
    FrontEnd& fe = front_end();
    if (fe.log_file == nullptr)
        return;
    const bool clean = std::ferror(fe.log_file) == 0;
    errno = 0;
    const bool closed = std::fclose(fe.log_file) == 0;
    fe.log_file = nullptr;
    if (!closed || !clean)
        report_file_problem("Write error in file", fe.log_file_name + ": " + std::strerror(errno != 0 ? errno : EIO));
}

void logon_command(std::string_view operands)
{
    FrontEnd& fe = front_end();
    if (!fe.interactive)
        return;
    reset_tokenizer(operands);
    next_token();
    int count = 0;
    if (!evaluate_list(0, count)) {
        pop_to(0);
        return;
    }
    if (count == 0) {
        report("Missing file parameter in LOGON");
        return;
    }
    if (stack_at(0).type != T_STRING) {
        report("Parameter mismatch in LOGON");
        pop_to(0);
        return;
    }
    std::string name(stack_at(0).slot.text, static_cast<std::size_t>(stack_at(0).count));
    pop_to(0);
    // An existing file is versioned, deleted or refused as the plot file mode says.
    name = korvan::file_version(name, korvan::state().file_mode, "LOGON");
    close_log_file();
    std::FILE* file = std::fopen(name.c_str(), "w");
    if (file == nullptr) {
        report("Cannot open file", name);
        return;
    }
    std::fprintf(file, "%%KFL\n// KFL Log File, %s, %s\n", korvan::date_string().c_str(), korvan::time_string().c_str());
    fe.log_file = file;
    fe.log_file_name = name;
}

void logoff_command(std::string_view)
{
    FrontEnd& fe = front_end();
    if (!fe.interactive)
        return;
    close_log_file();
}

void install_interactive_commands()
{
    set_keyword_handler("LOGON", &logon_command);
    set_keyword_handler("LOGOFF", &logoff_command);
    set_keyword_handler("HELP", &help_command);
}

}  // namespace korvan::kfl
