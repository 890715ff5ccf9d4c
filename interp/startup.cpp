#include "interp/startup.hpp"

#include "interp/data_file.hpp"
#include "interp/file_table.hpp"
#include "interp/front_end.hpp"
#include "interp/language.hpp"
#include "interp/loader.hpp"
#include "interp/messages.hpp"
#include "interp/script_args.hpp"
#include "interp/usage_text.hpp"
#include "interp/variables.hpp"
#include "plot/kernel/routines.hpp"
#include "plat/exit_status.hpp"
#include "plat/usage.hpp"
#include "plot/win/driver.hpp"

namespace korvan::kfl {

namespace {
constexpr std::size_t header_record_limit = 79;

std::string framed(std::string_view content)
{
    constexpr std::size_t inner = 56;
    std::string line = "     |";
    std::size_t pad = inner > content.size() ? inner - content.size() : 0;
    line.append(pad / 2, ' ');
    line += content.substr(0, inner);
    line.append(pad - pad / 2, ' ');
    return line + "|\n";
}

bool is_comment_record(std::string_view record)
{
    return (!record.empty() && record[0] == '#') || record.starts_with("//");
}
}  // namespace

std::string version_box()
{
    const std::string frame = "     +" + std::string(56, '-') + "+\n";
    return "\n" + frame + framed("KFL, Version 2.1") + framed("") +
           framed("KORVAN plotting suite, the KORVAN developers") +
           framed("KORVAN project, Scientific Computing Group") +
           framed("korvan-dev@korvan.example") + frame + "\n";
}

std::string interactive_banner()
{
    return "KFL version 2.2, KORVAN plotting suite. Type EXIT to end the session.\n";
}

bool open_main_script(const std::string& name)
{
    FrontEnd& fe = front_end();
    std::string path;
    std::FILE* file = search_and_open(name, path);
    if (file == nullptr) {
        report_file_problem("Open error in file", name);
        return false;
    }
    int comments = 0;
    std::string record;
    // A line longer than a header record is still one record of the file.
    plat::LineReader lines(file);
    for (;;) {
        if (lines.next(record, header_record_limit) != plat::LineReader::Status::line) {
            report_file_problem("Open error in file", name);
            std::fclose(file);
            return false;
        }
        if (!is_comment_record(record))
            break;
        ++comments;
    }
    if (!is_kfl_header(record)) {
        report_file_problem("Not allowed file format in", name);
        std::fclose(file);
        return false;
    }
    fe.inputs.push_first(file, path);
    fe.inputs.record_number = comments;
    return true;
}

int run_kflrun(const std::vector<std::string>& words)
{
    FrontEnd& fe = front_end();
    install_language();
    clear_variables();
    if (words.empty()) {
        fe.interactive = fe.saved_interactive = true;
    } else {
        fe.options = parse_options(words);
        if (fe.options.help_wanted) {
            plat::print_usage(kflrun_usage, "kflrun");
            return 0;
        }
        create_argument_variables(fe.options.script_args);
        if (!fe.options.script_given && fe.options.version_wanted) {
            win::print(version_box());
            return 0;
        }
    }
    win::start(words.empty() || fe.options.output_window_wanted);
    if (fe.options.data_file_given && !open_startup_data_file(fe.options.data_file_name)) {
        plat::note_failure();
        win::end(false);
        return plat::exit_status();
    }
    bool opened = true;
    if (fe.interactive) {
        win::print(interactive_banner());
        fe.inputs.push_first(nullptr, "");
    } else {
        opened = open_main_script(fe.options.script_name);
        if (!opened)
            plat::note_failure();
    }
    if (opened) {
        fe.buffer.clear();
        close_all_files();
        run_statement_loop();
    }
    fe.inputs.close_all();
    korvan::close_open_plot();  // a quick plot or a script without KORFIN
    if (fe.options.version_wanted)
        win::print(version_box());
    close_data_file();
    close_all_files();
    win::end(true);
    return plat::exit_status();
}

}  // namespace korvan::kfl
