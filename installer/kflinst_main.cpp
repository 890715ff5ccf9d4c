// kflinst: installs the suite from the distribution directory (the current
// directory) into a directory the user chooses and registers the program
// group "KFL" with the desktop.
#include <cstdio>
#include <filesystem>
#include <string>

#include "installer/copy_step.hpp"
#include "installer/file_list.hpp"
#include "installer/final_message.hpp"
#include "installer/group_step.hpp"
#include "installer/install_directory.hpp"
#include "installer/progman_client.hpp"
#include "installer/setup_screens.hpp"
#include "plat/host.hpp"
#include "plat/usage.hpp"
#include "plat/window_console.hpp"

namespace {

const char* const welcome_text =
    "This is the setup program of the graphics soft-\n"
    "ware KFL for Microsoft Windows 95.\n \n"
    "Written by the KORVAN developers\n"
    "of the KORVAN plotting suite project.\n \n"
    "If you want to continue, press the OK button.\n";

const char* const kflinst_usage =
    "Usage: kflinst\n"
    "\n"
    "Installs the KORVAN suite from the distribution directory (the current directory,\n"
    "made by \"cmake --build build --target dist\") into a directory that it asks for\n"
    "(default: KORVAN or /usr/local/korvan): the programs into win, the examples into\n"
    "kfl, the manual into hlp and the man pages into man; then it adds the menu group\n"
    "KFL to the desktop. Set KORVAN to the directory afterwards.\n"
    "\n"
    "Exit codes: 0 installed; 1 cancelled or the directory cannot be used; 2 installed,\n"
    "but a file or the menu group is missing.\n"
    "  -h, --help    this text\n";

}  // namespace

// Exit code 0: installed; 1: cancelled, or the directory cannot be used;
// 2: installed, but a file or the program group is missing (both reported).
int main(int argc, char** argv)
{
    using namespace korvan;
    if (argc > 1 && plat::is_help_word(argv[1])) {
        plat::print_usage(kflinst_usage, "kflinst");
        return 0;
    }
    plat::select_backends();
    plat::Console& console = plat::console();

    if (!console.ok_cancel_box("KFL Setup", welcome_text))
        return 1;

    auto screens = plat::active_window_console() != nullptr ? installer::make_window_screens()
                                                             : installer::make_terminal_screens(stdin, stdout);
    const auto typed = screens->ask_directory(plat::installation_dir());
    if (!typed)
        return 1;
    std::error_code no_cwd;
    const std::string dir = installer::expand_directory_name(*typed, plat::get_env("HOME").value_or(""),
                                                             std::filesystem::current_path(no_cwd).string());
    if (auto problem = installer::directory_name_problem(dir)) {
        console.message_box("Setup", *problem);
        return 1;
    }

    if (auto failed = installer::create_install_tree(dir)) {
        console.message_box("Setup", "Cannot create directory " + *failed);
        return 1;
    }

    // The manual's directories (hlp/reference ...) are made as its rows need them;
    // a file that cannot be created below them is reported by the copy.
    const std::vector<installer::FileRow> rows = installer::file_list_with_manual("manual.lst");
    installer::create_row_directories(rows, dir);
    const int not_copied = installer::copy_files(rows, dir, *screens->open_copy_display());

    const bool grouped = installer::register_program_group(dir, installer::program_manager_path(),
                                                           installer::program_manager_timeout_ms);

    console.message_box("KFL Setup", installer::final_message(dir, plat::built_in_installation_dir()));
    return not_copied == 0 && grouped ? 0 : 2;
}
