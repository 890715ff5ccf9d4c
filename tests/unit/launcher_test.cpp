// The launcher's command line and the start of another program.
#include <gtest/gtest.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <cstdlib>
#include <sys/stat.h>
#include <thread>

#include "launcher/launch_request.hpp"
#include "launcher/launcher_layout.hpp"
#include "plat/program_start.hpp"

namespace korvan::launcher {
namespace {

TEST(LaunchCommand, FieldsInTheirOrder)
{
    LaunchRequest r;
    r.script = "demo.kfl";
    r.data_file = "d.kdf";
    r.device = 5;  // POST
    r.output_window = true;
    r.arguments = "x y";
    EXPECT_EQ(launch_command(r, "/opt/korvan"), "/opt/korvan/win/kflrun demo.kfl -F=d.kdf -D=POST -o x y");

    // Nothing given: kflrun alone, for the prompt.
    EXPECT_EQ(launch_command(LaunchRequest{}, "/opt/korvan"), "/opt/korvan/win/kflrun");

    LaunchRequest only;
    only.data_file = "d.kdf";
    only.include_file = "inc.kfl";
    only.device = 8;
    EXPECT_EQ(launch_command(only, "/k/"), "/k/win/kflrun -F=d.kdf -I=inc.kfl -D=KYOC");

    // Fields are read with 79 characters.
    LaunchRequest longer;
    longer.script = std::string(100, 'a');
    EXPECT_EQ(launch_command(longer, "/k"), "/k/win/kflrun " + std::string(79, 'a'));

    EXPECT_EQ(start_failure_message(2), "WinExec failed; error code 2\nThe environment KORVAN may not be defined!");
}

TEST(LaunchCommand, KflrunOfTheInstallationOrBesideTheLauncher)
{
    char pattern[] = "/tmp/korvan_kflrun_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    std::filesystem::path dir = pattern;
    std::filesystem::create_directories(dir / "inst" / "win");
    std::filesystem::create_directories(dir / "build");
    auto make_program = [](const std::filesystem::path& p) {
        std::ofstream(p) << "#!/bin/sh\n";
        ::chmod(p.c_str(), 0755);
    };
    const std::string inst = (dir / "inst").string(), build = (dir / "build").string();
    // Neither exists: "" (the installation's path is used and its start fails).
    EXPECT_EQ(kflrun_program(inst, build), "");
    make_program(dir / "build" / "kflrun");
    EXPECT_EQ(kflrun_program(inst, build), (dir / "build" / "kflrun").string());
    EXPECT_EQ(kflrun_program(inst, ""), "");
    // The installation wins when it has one.
    make_program(dir / "inst" / "win" / "kflrun");
    EXPECT_EQ(kflrun_program(inst, build), (dir / "inst" / "win" / "kflrun").string());
    LaunchRequest r;
    r.script = "demo.kfl";
    EXPECT_EQ(launch_command(r, inst, build + "/kflrun"), build + "/kflrun demo.kfl");
    std::filesystem::remove_all(dir);
}

TEST(ProgramStart, WordsResultsAndFailures)
{
    EXPECT_EQ(plat::command_words("  kflrun my file.kfl  -o "),
              (std::vector<std::string>{"kflrun", "my", "file.kfl", "-o"}));
    EXPECT_TRUE(plat::command_words("   ").empty());

    char pattern[] = "/tmp/korvan_start_XXXXXX";
    ASSERT_NE(::mkdtemp(pattern), nullptr);
    std::filesystem::path dir = pattern;
    auto marker = dir / "started";
    auto script = dir / "program.sh";
    // Written aside and renamed: the marker exists only once it is complete.
    std::ofstream(script) << "#!/bin/sh\necho \"$@\" > " << marker.string() << ".part && mv " << marker.string()
                          << ".part " << marker.string() << "\n";
    ::chmod(script.c_str(), 0755);
    ASSERT_EQ(plat::start_program(script.string() + " a  b"), 33);
    // Not waited for: the program writes its words a little later.
    for (int i = 0; i < 200 && !std::filesystem::exists(marker); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    std::ifstream in(marker);
    std::string words;
    std::getline(in, words);
    EXPECT_EQ(words, "a b");

    EXPECT_EQ(plat::start_program((dir / "absent").string()), 2);
    auto plain = dir / "plain.txt";
    std::ofstream(plain) << "text\n";
    EXPECT_EQ(plat::start_program(plain.string()), 5);
    EXPECT_EQ(plat::start_program(""), 2);
    // A bare program name is looked up on PATH.
    ASSERT_EQ(plat::start_program("touch " + (dir / "touched").string()), 33);
    for (int i = 0; i < 200 && !std::filesystem::exists(dir / "touched"); ++i)
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    EXPECT_TRUE(std::filesystem::exists(dir / "touched"));
    EXPECT_EQ(plat::start_program("korvan_no_such_program_on_path"), 2);
    std::filesystem::remove_all(dir);
}

// The window holds every control, for the font the grid was made for and for
// wider and taller ones; it never gets smaller than 500 by 400.
TEST(LauncherLayout, WindowHoldsEveryControl)
{
    for (int w : {6, 7, 9, 12}) {
        for (int h : {13, 16, 22}) {
            LauncherLayout l = launcher_layout(w, h, h + 8);
            for (const Box& b : {l.script_label, l.data_label, l.script, l.data, l.device_label, l.include_label,
                                 l.devices, l.include, l.arguments_label, l.arguments, l.output_window, l.quit, l.ok}) {
                EXPECT_LE(b.right(), l.width) << "w " << w << ", h " << h;
                EXPECT_LE(b.bottom(), l.height) << "w " << w << ", h " << h;
            }
            EXPECT_GE(l.width, 500);
            EXPECT_GE(l.height, 400);
            EXPECT_EQ(l.menu.w, l.width);
        }
    }
}

TEST(LauncherLayout, GridOfTheFont)
{
    // A font 7 pixels wide and 16 high fits the window of 500 by 400.
    LauncherLayout l = launcher_layout(7, 16, 24);
    EXPECT_EQ(l.width, 500);
    EXPECT_EQ(l.height, 400);
    EXPECT_EQ(l.script.x, 14);
    EXPECT_EQ(l.data.x, 266);
    EXPECT_EQ(l.data.w, 210);
    EXPECT_EQ(l.script_label.y, 40);
    EXPECT_EQ(l.script.y, 64);
    EXPECT_EQ(l.include.y, 136);
    EXPECT_EQ(l.devices.h, 144);
    EXPECT_EQ(l.ok.y, 304);
    EXPECT_EQ(l.ok.h, 24);
    EXPECT_EQ(l.include_label.w, 136);
    // A font 9 pixels wide: the right column ends at 612, the window at 630.
    l = launcher_layout(9, 18, 26);
    EXPECT_EQ(l.ok.right(), 612);
    EXPECT_EQ(l.width, 630);
}

}  // namespace
}  // namespace korvan::launcher
