// The program group: the command string kflinst builds, the stand-in's
// reading of it into desktop menu entries, and the conversation between them.
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "installer/desktop_entries.hpp"
#include "installer/group_command_parser.hpp"
#include "installer/group_commands.hpp"
#include "installer/group_items.hpp"
#include "installer/progman_client.hpp"

namespace korvan::installer {
namespace {

namespace fs = std::filesystem;

// A fresh directory removed at the end of the test.
struct TempDir {
    fs::path path;
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "kflinst-group-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir() { fs::remove_all(path); }
};

std::string read_file(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void write_file(const fs::path& path, const std::string& text, fs::perms perms = fs::perms::owner_read | fs::perms::owner_write)
{
    std::ofstream(path, std::ios::binary) << text;
    fs::permissions(path, perms);
}

// Items whose program names have the given lengths, kept alive with their texts.
struct Items {
    std::vector<std::string> names;
    std::vector<GroupItem> items;
    explicit Items(const std::vector<std::size_t>& program_lengths)
    {
        names.reserve(program_lengths.size());
        for (std::size_t length : program_lengths)
            names.push_back(std::string(length, 'p'));
        for (const std::string& name : names)
            items.push_back({name.c_str(), "T", 6});
    }
};

TEST(GroupCommands, DefaultDirectoryGivesTheWholeCommandString)
{
    const std::optional<CommandBlock> block = build_group_commands("/usr/local/korvan", group_items());
    ASSERT_TRUE(block);
    EXPECT_EQ(block->skipped_items, 0);
    const std::string create = "[CreateGroup(KFL,/usr/local/korvan/korvan)]";
    EXPECT_EQ(block->text,
              create + "[DeleteGroup(KFL)]" + create +
                  "[AddItem(/usr/local/korvan/win/kflwin  /usr/local/korvan/kfl.win,KFL,progman.exe,6)]"
                  "[AddItem(/usr/local/korvan/win/kflrun  /usr/local/korvan/kfl.win,KFL Demo,progman.exe,36)]"
                  "[AddItem(/usr/local/korvan/win/README.md,Readme,progman.exe,11)]"
                  "[AddItem(/usr/local/korvan/win/../hlp/index.html,KFL Manual,progman.exe,11)]"
                  "[ShowGroup(1)]");
    // A directory given with its final "/" names the same files.
    EXPECT_EQ(build_group_commands("/usr/local/korvan/", group_items())->text, block->text);
}

TEST(GroupCommands, AnItemIsAddedOnlyWhileTheBlockStaysBelow980)
{
    const std::string dir = "/d";
    const std::size_t group_part = build_group_commands(dir, {})->text.size() - std::string("[ShowGroup(1)]").size();
    const std::size_t item_overhead = add_item_command(dir, {"", "T", 6}).size();
    // First item fills the block to 900; the second is one byte short of, or exactly at, the limit.
    const std::size_t first = 900 - group_part - item_overhead;
    Items fits({first, item_length_limit - 1 - 900 - item_overhead});
    const auto kept = build_group_commands(dir, fits.items);
    ASSERT_TRUE(kept);
    EXPECT_EQ(kept->skipped_items, 0);
    EXPECT_EQ(kept->text.size(), item_length_limit - 1 + std::string("[ShowGroup(1)]").size());

    Items too_long({first, item_length_limit - 900 - item_overhead, 1});
    const auto cut = build_group_commands(dir, too_long.items);
    ASSERT_TRUE(cut);
    EXPECT_EQ(cut->skipped_items, 1);  // the second; the short third still fits
    EXPECT_EQ(cut->text.find("/d/win/" + too_long.names[1] + "  "), std::string::npos);
    EXPECT_NE(cut->text.find("/d/win/p  /d/kfl.win,T,progman.exe,6)][ShowGroup(1)]"), std::string::npos);
    EXPECT_LT(cut->text.size(), command_block_size);
}

TEST(GroupCommands, LongDirectoriesSkipItemsOneByOneAndStillShowTheGroup)
{
    const std::string dir = "/" + std::string(199, 'x');
    const auto block = build_group_commands(dir, group_items());
    ASSERT_TRUE(block);
    EXPECT_EQ(block->skipped_items, 3);
    EXPECT_TRUE(block->text.ends_with(",KFL,progman.exe,6)][ShowGroup(1)]"));
    EXPECT_LE(block->text.size() + 1, command_block_size);
}

TEST(GroupCommands, NoGroupWhenTheGroupCommandsDoNotFitTheBlock)
{
    // 2 x CreateGroup + DeleteGroup + ShowGroup + the closing zero byte: 999 bytes fit, 1001 do not.
    EXPECT_TRUE(build_group_commands("/" + std::string(456, 'x'), group_items()));
    EXPECT_FALSE(build_group_commands("/" + std::string(457, 'x'), group_items()));
}

TEST(GroupCommandParser, ReadsTheBuiltCommandString)
{
    std::string error;
    const auto commands = parse_group_commands(build_group_commands("/opt/k", group_items())->text, error);
    ASSERT_TRUE(commands) << error;
    ASSERT_EQ(commands->size(), 8u);
    EXPECT_EQ((*commands)[0].name, "CreateGroup");
    EXPECT_EQ((*commands)[0].args, (std::vector<std::string>{"KFL", "/opt/k/korvan"}));
    EXPECT_EQ((*commands)[1].name, "DeleteGroup");
    EXPECT_EQ((*commands)[4].name, "AddItem");
    EXPECT_EQ((*commands)[4].args,
              (std::vector<std::string>{"/opt/k/win/kflrun  /opt/k/kfl.win", "KFL Demo", "progman.exe", "36"}));
    EXPECT_EQ((*commands)[6].args,
              (std::vector<std::string>{"/opt/k/win/../hlp/index.html", "KFL Manual", "progman.exe", "11"}));
    EXPECT_EQ((*commands)[7].name, "ShowGroup");
    EXPECT_EQ((*commands)[7].args, (std::vector<std::string>{"1"}));
    const auto empty = parse_group_commands(" [ShowGroup()]\n", error);
    ASSERT_TRUE(empty);
    EXPECT_TRUE((*empty)[0].args.empty());
}

TEST(GroupCommandParser, MalformedTextIsRefusedWithAReason)
{
    for (const char* bad : {"junk", "[AddItem(a,b", "[AddItem a,b)]", "[(x)]", "[Add Item(x)]", "[AddItem(a\nb)]",
                            "[ShowGroup(1)]x", "[A(\"q\")]", "[A(x(y)]", "]"}) {
        std::string error;
        EXPECT_FALSE(parse_group_commands(bad, error)) << bad;
        EXPECT_FALSE(error.empty()) << bad;
    }
}

TEST(DesktopEntries, NamesExecLinesAndIcons)
{
    EXPECT_EQ(entry_name("KFL Demo"), "kfl-demo");
    EXPECT_EQ(entry_name("  Read me!! 2 "), "read-me-2");
    EXPECT_EQ(entry_name("***"), "item");
    EXPECT_EQ(exec_value("/no/such/readme.txt"), "xdg-open /no/such/readme.txt");
    EXPECT_EQ(exec_value("/a b/prog  /a b/kfl.win"), "xdg-open \"/a b/prog\" \"/a b/kfl.win\"");
    EXPECT_EQ(exec_value("/x/100%"), "xdg-open /x/100%%");
    EXPECT_EQ(exec_value("/x/a$b"), "xdg-open \"/x/a\\\\$b\"");
    EXPECT_EQ(exec_value("/x/a\\b"), "xdg-open \"/x/a\\\\\\\\b\"");
    EXPECT_STREQ(icon_name(6), "applications-graphics");
    EXPECT_STREQ(icon_name(11), "text-x-generic");
    EXPECT_STREQ(icon_name(36), "applications-science");
    EXPECT_STREQ(icon_name(40), "utilities-terminal");
    EXPECT_STREQ(icon_name(0), "application-x-executable");
}

// An installed tree with the group's programs and readme.
fs::path make_installation(const fs::path& root)
{
    const fs::path dir = root / "korvan";
    fs::create_directories(dir / "win");
    write_file(dir / "win/kflwin", "#!/bin/sh\n", fs::perms::owner_all);
    write_file(dir / "win/kflrun", "#!/bin/sh\n", fs::perms::owner_all);
    write_file(dir / "win/README.md", "# KORVAN\n");
    fs::create_directories(dir / "hlp");
    write_file(dir / "hlp/index.html", "<html></html>\n");
    return dir;
}

TEST(DesktopGroups, MakesOneEntryPerItemInTheGroupDirectory)
{
    TempDir temp;
    const fs::path dir = make_installation(temp.path);
    const fs::path apps = temp.path / "share/applications";
    std::string error;
    auto commands = parse_group_commands(build_group_commands(dir.string(), group_items())->text, error);
    ASSERT_TRUE(commands);
    DesktopGroups groups(apps.string());
    EXPECT_EQ(groups.execute(*commands), "");
    const fs::path group = apps / "korvan-kfl";
    const std::string d = dir.string();
    EXPECT_EQ(read_file(group / "kfl.desktop"),
              "[Desktop Entry]\nType=Application\nName=KFL\nExec=" + d + "/win/kflwin " + d +
                  "/kfl.win\nIcon=applications-graphics\nTerminal=false\nCategories=Graphics;Science;\n");
    EXPECT_EQ(read_file(group / "kfl-demo.desktop"),
              "[Desktop Entry]\nType=Application\nName=KFL Demo\nExec=" + d + "/win/kflrun " + d +
                  "/kfl.win\nIcon=applications-science\nTerminal=false\nCategories=Graphics;Science;\n");
    EXPECT_EQ(read_file(group / "readme.desktop"),
              "[Desktop Entry]\nType=Application\nName=Readme\nExec=xdg-open " + d +
                  "/win/README.md\nIcon=text-x-generic\nTerminal=false\nCategories=Graphics;Science;\n");
    EXPECT_EQ(read_file(group / "kfl-manual.desktop"),
              "[Desktop Entry]\nType=Application\nName=KFL Manual\nExec=xdg-open " + d +
                  "/win/../hlp/index.html\nIcon=text-x-generic\nTerminal=false\nCategories=Graphics;Science;\n");
    EXPECT_EQ(std::distance(fs::directory_iterator(group), fs::directory_iterator()), 4);
}

TEST(DesktopGroups, DeleteGroupRemovesOnlyMenuEntries)
{
    TempDir temp;
    const fs::path group = temp.path / "korvan-kfl";
    fs::create_directories(group);
    write_file(group / "old-item.desktop", "[Desktop Entry]\n");
    write_file(group / "notes.txt", "mine\n");
    std::string error;
    DesktopGroups groups(temp.path.string());
    EXPECT_EQ(groups.execute(*parse_group_commands("[DeleteGroup(KFL)]", error)), "");
    EXPECT_FALSE(fs::exists(group / "old-item.desktop"));
    EXPECT_TRUE(fs::exists(group / "notes.txt"));
    // Without anything else in it the directory goes too.
    fs::remove(group / "notes.txt");
    write_file(group / "x.desktop", "");
    EXPECT_EQ(groups.execute(*parse_group_commands("[DeleteGroup(KFL)]", error)), "");
    EXPECT_FALSE(fs::exists(group));
}

TEST(DesktopGroups, BadCommandsAreRefused)
{
    TempDir temp;
    std::string error;
    auto run = [&](const char* text) {
        DesktopGroups groups(temp.path.string());
        return groups.execute(*parse_group_commands(text, error));
    };
    EXPECT_EQ(run("[AddItem(/x,T)]"), "AddItem without a group");
    EXPECT_EQ(run("[CreateGroup()]"), "CreateGroup without a group name");
    EXPECT_EQ(run("[CreateGroup(G)][AddItem(/x)]"), "AddItem needs a command line and a title");
    EXPECT_EQ(run("[CreateGroup(G)][AddItem(/x,T,p,99999999999)]"), "bad icon index 99999999999");
    EXPECT_EQ(run("[CreateGroup(G)][Reboot()]"), "unknown command Reboot");
    EXPECT_EQ(DesktopGroups("").execute({}), "neither XDG_DATA_HOME nor HOME is set");
    // A file where the group directory should be.
    write_file(temp.path / "korvan-f", "");
    EXPECT_NE(run("[CreateGroup(F)]").find("cannot create " + (temp.path / "korvan-f").string()), std::string::npos);
}

// A program manager written as a shell script.
fs::path script(const fs::path& dir, const char* name, const std::string& body)
{
    const fs::path path = dir / name;
    write_file(path, "#!/bin/sh\n" + body, fs::perms::owner_all);
    return path;
}

TEST(ProgramManagerConversation, TheStandInMakesTheGroup)
{
    TempDir temp;
    const fs::path dir = make_installation(temp.path);
    setenv("XDG_DATA_HOME", (temp.path / "data").c_str(), 1);
    const std::string commands = build_group_commands(dir.string(), group_items())->text;
    const GroupResult result = register_group(KFLPROGMAN_PATH, commands, 10000);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(result.status, GroupResult::Status::done) << result.reason;
    EXPECT_TRUE(fs::exists(temp.path / "data/applications/korvan-kfl/kfl-demo.desktop"));
    EXPECT_TRUE(fs::exists(temp.path / "data/applications/korvan-kfl/readme.desktop"));
}

TEST(ProgramManagerConversation, TheStandInRefusesWhatItCannotDo)
{
    TempDir temp;
    setenv("XDG_DATA_HOME", temp.path.c_str(), 1);
    const GroupResult result = register_group(KFLPROGMAN_PATH, "[ShowGroup(1)][Format(c)]", 10000);
    unsetenv("XDG_DATA_HOME");
    EXPECT_EQ(result.status, GroupResult::Status::refused);
    EXPECT_EQ(result.reason, "unknown command Format");
}

TEST(ProgramManagerConversation, NobodyAnsweringEndsTheWaitAfterTheTimeout)
{
    TempDir temp;
    using clock = std::chrono::steady_clock;
    const auto silent = script(temp.path, "silent", "exec sleep 30\n");
    auto start = clock::now();
    EXPECT_EQ(register_group(silent.string(), "[ShowGroup(1)]", 300).status, GroupResult::Status::no_answer);
    EXPECT_LT(clock::now() - start, std::chrono::seconds(5));

    // Answers the first message only.
    const auto half = script(temp.path, "half", "read line\necho ACK\nexec sleep 30\n");
    start = clock::now();
    EXPECT_EQ(register_group(half.string(), "[ShowGroup(1)]", 300).status, GroupResult::Status::no_answer);
    EXPECT_LT(clock::now() - start, std::chrono::seconds(5));

    // Not there, ends at once, or answers something else.
    EXPECT_EQ(register_group((temp.path / "missing").string(), "x", 300).status, GroupResult::Status::no_answer);
    const auto quits = script(temp.path, "quits", "exit 0\n");
    EXPECT_EQ(register_group(quits.string(), "x", 5000).status, GroupResult::Status::no_answer);
    const auto other = script(temp.path, "other", "read line\necho HELLO\n");
    EXPECT_EQ(register_group(other.string(), "x", 5000).status, GroupResult::Status::no_answer);
    const auto refuses = script(temp.path, "refuses", "read line\necho ACK\nread line\necho 'NACK disk full'\n");
    const GroupResult refused = register_group(refuses.string(), "[ShowGroup(1)]", 5000);
    EXPECT_EQ(refused.status, GroupResult::Status::refused);
    EXPECT_EQ(refused.reason, "disk full");
}

// What the stand-in answers to the given bytes on its standard input.
std::string stand_in_answers(const TempDir& temp, const std::string& input)
{
    write_file(temp.path / "input", input);
    const std::string command = std::string(KFLPROGMAN_PATH) + " < " + (temp.path / "input").string() + " > " +
                                (temp.path / "answers").string();
    std::system(command.c_str());
    return read_file(temp.path / "answers");
}

TEST(ProgramManagerConversation, TheStandInAnswersBadRequestsWithoutHarm)
{
    TempDir temp;
    setenv("XDG_DATA_HOME", temp.path.c_str(), 1);
    const std::string hello = "INITIATE PROGMAN PROGMAN\n";
    EXPECT_EQ(stand_in_answers(temp, ""), "");
    EXPECT_EQ(stand_in_answers(temp, "INITIATE OTHER\n"), "");
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE 14\n[ShowGroup(1)]TERMINATE\n"), "ACK\nACK\n");
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE 999999\n"), "ACK\nNACK command string too long\n");
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE 99999999999999999999\n"), "ACK\nNACK bad request\n");
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE x1\n"), "ACK\nNACK bad request\n");
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE \n"), "ACK\nNACK bad request\n");
    EXPECT_EQ(stand_in_answers(temp, hello + "DANCE\n"), "ACK\nNACK bad request\n");
    // A command string cut short gets no answer.
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE 50\n[ShowGroup(1)]"), "ACK\n");
    EXPECT_EQ(stand_in_answers(temp, hello + "EXECUTE 5\n[x(]]"), "ACK\nNACK unfinished command at offset 0\n");
    EXPECT_EQ(stand_in_answers(temp, hello + std::string(500, 'E')), "ACK\n");
    unsetenv("XDG_DATA_HOME");
    EXPECT_FALSE(fs::exists(temp.path / "applications"));
}

TEST(ProgramManagerConversation, TheStandInIsFoundBesideTheInstallerOrThroughTheEnvironment)
{
    setenv("KORVAN_PROGMAN", "/opt/pm", 1);
    EXPECT_EQ(program_manager_path(), "/opt/pm");
    unsetenv("KORVAN_PROGMAN");
    const std::string beside = program_manager_path();
    EXPECT_TRUE(beside.ends_with("/kflprogman")) << beside;
    EXPECT_EQ(fs::path(beside).parent_path(), fs::read_symlink("/proc/self/exe").parent_path());
}

}  // namespace
}  // namespace korvan::installer
