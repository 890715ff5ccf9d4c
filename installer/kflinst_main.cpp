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
#include "plat/window_console.hpp"

namespace {

const char* const welcome_text =
    "This is the setup program of the graphics soft-\n"
    "ware KFL for Microsoft Windows 95.\n \n"
    "Written by the KORVAN developers\n"
    "of the KORVAN plotting suite project.\n \n"
    "If you want to continue, press the OK button.\n";

}  // namespace

// Exit code 0: installed; 1: cancelled, or the directory cannot be used;
// 2: installed, but a file or the program group is missing (both reported).
int main()
{
    using namespace korvan;
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

    const int not_copied = installer::copy_files(installer::file_list(), dir, *screens->open_copy_display());

    const bool grouped = installer::register_program_group(dir, installer::program_manager_path(),
                                                           installer::program_manager_timeout_ms);

    console.message_box("KFL Setup", installer::final_message(dir, plat::built_in_installation_dir()));
    return not_copied == 0 && grouped ? 0 : 2;
}
