// The installation directory, the file copy with its progress, and the
// closing message.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <csignal>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <limits>
#include <sstream>

#include "installer/copy_progress.hpp"
#include "installer/copy_step.hpp"
#include "installer/file_copy.hpp"
#include "installer/file_list.hpp"
#include "installer/final_message.hpp"
#include "installer/install_directory.hpp"
#include "tests/support/capture_console.hpp"

namespace korvan::installer {
namespace {

namespace fs = std::filesystem;

struct TempDir {
    fs::path path;
    TempDir()
    {
        std::string pattern = (fs::temp_directory_path() / "kflinst-copy-XXXXXX").string();
        path = mkdtemp(pattern.data());
    }
    ~TempDir()
    {
        std::error_code ignored;
        fs::permissions(path, fs::perms::owner_all, ignored);
        fs::remove_all(path, ignored);
    }
};

std::string read_file(const fs::path& path)
{
    std::ifstream file(path, std::ios::binary);
    std::stringstream text;
    text << file.rdbuf();
    return text.str();
}

void write_file(const fs::path& path, const std::string& text) { std::ofstream(path, std::ios::binary) << text; }

TEST(CopyProgress, SharesOfTheTotalTruncatedAndExactly100AtTheEnd)
{
    EXPECT_EQ(progress_percentages({10, 20, 70}), (std::vector<int>{10, 30, 100}));
    EXPECT_EQ(progress_percentages({1, 1, 1}), (std::vector<int>{33, 66, 100}));
    EXPECT_EQ(progress_percentages({2, 1}), (std::vector<int>{66, 100}));
    EXPECT_EQ(progress_percentages({}), std::vector<int>{});
    EXPECT_EQ(progress_percentages({7}), std::vector<int>{100});
}

TEST(CopyProgress, SizesThatDoNotAddUp)
{
    // Missing files count nothing: all zero, a zero at the end, a huge first file.
    EXPECT_EQ(progress_percentages({0, 0, 0}), (std::vector<int>{0, 0, 100}));
    EXPECT_EQ(progress_percentages({5, 5, 0}), (std::vector<int>{50, 100, 100}));
    EXPECT_EQ(progress_percentages({999, 1, 0, 0}), (std::vector<int>{99, 100, 100, 100}));
    const std::uint64_t half = std::numeric_limits<std::uint64_t>::max() / 2;
    EXPECT_EQ(progress_percentages({half, half}), (std::vector<int>{50, 100}));
    // Never falling, never above 100.
    std::vector<std::uint64_t> sizes;
    for (std::uint64_t i = 0; i < 200; ++i)
        sizes.push_back((i * 7919) % 1013);
    const std::vector<int> p = progress_percentages(sizes);
    for (std::size_t i = 1; i < p.size(); ++i) {
        EXPECT_LE(p[i - 1], p[i]);
        EXPECT_LE(p[i], 100);
    }
    EXPECT_EQ(p.back(), 100);
}

TEST(InstallDirectory, TypedNamesAreTrimmedExpandedAndMadeAbsolute)
{
    EXPECT_EQ(expand_directory_name("  /opt/korvan \t", "/home/u", "/dist"), "/opt/korvan");
    EXPECT_EQ(expand_directory_name("~/korvan", "/home/u", "/dist"), "/home/u/korvan");
    EXPECT_EQ(expand_directory_name("~", "/home/u", "/dist"), "/home/u");
    EXPECT_EQ(expand_directory_name("korvan", "/home/u", "/dist"), "/dist/korvan");
    EXPECT_EQ(expand_directory_name("~other/k", "/home/u", "/dist"), "/dist/~other/k");
    EXPECT_EQ(expand_directory_name("~/k", "", "/dist"), "/dist/~/k");
    EXPECT_EQ(expand_directory_name("/opt/korvan//", "/home/u", "/dist"), "/opt/korvan");
    EXPECT_EQ(expand_directory_name("/", "/home/u", "/dist"), "/");
    EXPECT_EQ(expand_directory_name("   ", "/home/u", "/dist"), "");
}

TEST(InstallDirectory, NamesThatCannotBeUsedAreRefusedNotCut)
{
    EXPECT_FALSE(directory_name_problem("/opt/korvan"));
    EXPECT_FALSE(directory_name_problem("/home/u/my korvan"));
    EXPECT_FALSE(directory_name_problem("/" + std::string(254, 'x')));
    EXPECT_EQ(directory_name_problem(""), "No installation directory is given.");
    EXPECT_EQ(directory_name_problem("/" + std::string(255, 'x')),
              "The directory name is longer than 255 characters.");
    EXPECT_EQ(directory_name_problem("/opt/a\nb"), "The directory name contains a control character.");
    for (const char* bad : {"/opt/a,b", "/opt/(k)", "/opt/[k]", "/opt/\"k\"", "/opt/a  b"})
        EXPECT_EQ(directory_name_problem(bad),
                  "The directory name must not contain [ ] ( ) , \" or two blanks in a row.")
            << bad;
}

TEST(InstallDirectory, CreatesTheTreeAndAcceptsAnExistingOne)
{
    TempDir temp;
    const std::string dir = (temp.path / "korvan").string();
    EXPECT_FALSE(create_install_tree(dir));
    for (const char* sub : {"hlp", "man", "kfl", "win"})
        EXPECT_TRUE(fs::is_directory(temp.path / "korvan" / sub)) << sub;
    write_file(temp.path / "korvan/kfl/mine.kfl", "%KFL\n");
    EXPECT_FALSE(create_install_tree(dir));
    EXPECT_TRUE(fs::exists(temp.path / "korvan/kfl/mine.kfl"));
}

TEST(InstallDirectory, ReportsTheDirectoryThatCannotBeCreated)
{
    TempDir temp;
    // The parent does not exist.
    const std::string orphan = (temp.path / "missing/korvan").string();
    EXPECT_EQ(create_install_tree(orphan), orphan);
    EXPECT_FALSE(fs::exists(temp.path / "missing"));
    // A file stands where a directory should be.
    write_file(temp.path / "file", "");
    EXPECT_EQ(create_install_tree((temp.path / "file").string()), (temp.path / "file").string());
    fs::create_directory(temp.path / "k");
    write_file(temp.path / "k/win", "");
    EXPECT_EQ(create_install_tree((temp.path / "k").string()), (temp.path / "k/win").string());
    // No permission to write in the parent (root may write anyway).
    if (geteuid() != 0) {
        fs::create_directory(temp.path / "locked");
        fs::permissions(temp.path / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        EXPECT_EQ(create_install_tree((temp.path / "locked/k").string()), (temp.path / "locked/k").string());
        fs::permissions(temp.path / "locked", fs::perms::owner_all);
    }
}

TEST(FileCopy, CopiesEveryByteAndKeepsProgramsRunnable)
{
    TempDir temp;
    std::string bytes;
    for (int i = 0; i < 200000; ++i)
        bytes += static_cast<char>(i * 31);
    write_file(temp.path / "prog", bytes);
    fs::permissions(temp.path / "prog", fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    EXPECT_EQ(copy_file((temp.path / "prog").string(), (temp.path / "copy").string()), CopyResult::copied);
    EXPECT_EQ(read_file(temp.path / "copy"), bytes);
    EXPECT_EQ(fs::status(temp.path / "copy").permissions(),
              fs::perms::owner_all | fs::perms::group_read | fs::perms::group_exec);
    // Overwriting a longer file leaves nothing of it behind.
    write_file(temp.path / "short", "abc");
    EXPECT_EQ(copy_file((temp.path / "short").string(), (temp.path / "copy").string()), CopyResult::copied);
    EXPECT_EQ(read_file(temp.path / "copy"), "abc");
    // An empty file.
    write_file(temp.path / "empty", "");
    EXPECT_EQ(copy_file((temp.path / "empty").string(), (temp.path / "copy").string()), CopyResult::copied);
    EXPECT_EQ(fs::file_size(temp.path / "copy"), 0u);
}

TEST(FileCopy, CopyingAFileOntoItselfKeepsIt)
{
    TempDir temp;
    write_file(temp.path / "kfl.win", "%KFL\n");
    EXPECT_EQ(copy_file((temp.path / "kfl.win").string(), (temp.path / "./kfl.win").string()), CopyResult::copied);
    EXPECT_EQ(read_file(temp.path / "kfl.win"), "%KFL\n");
}

TEST(FileCopy, SourcesThatCannotBeOpenedAndDestinationsThatCannotBeMade)
{
    TempDir temp;
    write_file(temp.path / "a", "x");
    EXPECT_EQ(copy_file((temp.path / "none").string(), (temp.path / "b").string()), CopyResult::cannot_open);
    EXPECT_EQ(copy_file(temp.path.string(), (temp.path / "b").string()), CopyResult::cannot_open);
    EXPECT_FALSE(fs::exists(temp.path / "b"));
    EXPECT_EQ(copy_file((temp.path / "a").string(), (temp.path / "no/b").string()), CopyResult::cannot_create);
    EXPECT_EQ(copy_file((temp.path / "a").string(), temp.path.string()), CopyResult::cannot_create);
    // Pipes with nobody at the other end neither hang the copy nor are copied.
    ASSERT_EQ(mkfifo((temp.path / "pipe").c_str(), 0600), 0);
    EXPECT_EQ(copy_file((temp.path / "pipe").string(), (temp.path / "b").string()), CopyResult::cannot_open);
    EXPECT_EQ(copy_file((temp.path / "a").string(), (temp.path / "pipe").string()), CopyResult::cannot_create);
}

TEST(FileCopy, AWriteThatFailsPartWayIsReportedAndThePartRemoved)
{
    TempDir temp;
    write_file(temp.path / "big", std::string(100000, 'b'));
    // A file size limit makes the disk "full" after 1000 bytes.
    rlimit old_limit{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &old_limit), 0);
    rlimit small = old_limit;
    small.rlim_cur = 1000;
    auto old_handler = std::signal(SIGXFSZ, SIG_IGN);
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const CopyResult result = copy_file((temp.path / "big").string(), (temp.path / "copy").string());
    setrlimit(RLIMIT_FSIZE, &old_limit);
    std::signal(SIGXFSZ, old_handler);
    EXPECT_EQ(result, CopyResult::cannot_write);
    EXPECT_FALSE(fs::exists(temp.path / "copy"));
    // Devices are not written to.
    if (fs::exists("/dev/full")) {
        EXPECT_EQ(copy_file((temp.path / "big").string(), "/dev/full"), CopyResult::cannot_create);
    }
}

// Records what the copy shows.
class RecordingDisplay final : public CopyDisplay {
public:
    std::string shown;
    bool finished = false;
    void show(int percent, const std::string& from, const std::string& to) override
    {
        shown += std::to_string(percent) + " " + from + " " + to + "\n";
    }
    void finish() override { finished = true; }
};

// Runs the copy step in a distribution directory, capturing the messages.
class CopyStep : public ::testing::Test {
protected:
    void SetUp() override
    {
        old_dir_ = fs::current_path();
        fs::current_path(temp_.path);
        auto capture = std::make_unique<test::CaptureConsole>();
        console_ = capture.get();
        old_console_ = plat::set_console(std::move(capture));
    }
    void TearDown() override
    {
        plat::set_console(std::move(old_console_));
        fs::current_path(old_dir_);
    }

    TempDir temp_;
    fs::path old_dir_;
    test::CaptureConsole* console_ = nullptr;
    std::unique_ptr<plat::Console> old_console_;
};

TEST_F(CopyStep, CopiesInOrderReportsAndSkipsFailures)
{
    fs::create_directories("dist/examples");
    write_file("dist/examples/a.kfl", std::string(30, 'a'));
    write_file("dist/README.md", std::string(10, 'r'));
    fs::create_directories("inst/kfl");
    fs::create_directories("inst/win");
    const std::vector<FileRow> rows{{"dist/examples/a.kfl", "kfl/a.kfl"},
                                    {"dist/missing", "win/missing"},
                                    {"dist/README.md", "nodir/README.md"},
                                    {"dist/README.md", "win/README.md"}};
    RecordingDisplay display;
    EXPECT_EQ(copy_files(rows, "inst", display), 2);
    EXPECT_EQ(display.shown,
              "60 dist/examples/a.kfl inst/kfl/a.kfl\n"
              "60 dist/missing inst/win/missing\n"
              "80 dist/README.md inst/nodir/README.md\n"
              "100 dist/README.md inst/win/README.md\n");
    EXPECT_TRUE(display.finished);
    EXPECT_EQ(console_->output,
              "Setup: Cannot open file dist/missing"
              "Setup: Cannot create file inst/nodir/README.md");
    EXPECT_EQ(read_file("inst/kfl/a.kfl"), std::string(30, 'a'));
    EXPECT_EQ(read_file("inst/win/README.md"), std::string(10, 'r'));
}

TEST(FileList, ShipsTheProgramsTheReadmeTheDemoAndTheExamples)
{
    std::vector<std::string> destinations;
    for (const FileRow& row : file_list())
        destinations.emplace_back(row.destination);
    for (const char* wanted : {"win/kflrun", "win/korconv", "win/kflwin", "win/README.md", "kfl.win", "kfl/hello.kfl",
                               "kfl/greeting.kfl", "kfl/measurements.kdf", "bdta1.dat", "bdta7.dat", "bdta8.dat"})
        EXPECT_NE(std::find(destinations.begin(), destinations.end(), wanted), destinations.end()) << wanted;
    for (const FileRow& row : file_list()) {
        const std::string destination = row.destination;
        bool map_data = destination.starts_with("bdta") && destination.ends_with(".dat");
        EXPECT_TRUE(destination == "kfl.win" || map_data || destination.starts_with("kfl/") || destination.starts_with("win/") ||
                    destination.starts_with("hlp/") || destination.starts_with("man/"))
            << destination;
    }
}

TEST(FileList, TheManualsFilesComeFromItsListAndNothingOutsideHlpAndMan)
{
    TempDir temp;
    const fs::path list = temp.path / "manual.lst";
    write_file(list, "hlp/index.html\nhlp/reference/curves.md\r\nman/kflrun.1\n"
                     "win/kflrun\n/etc/passwd\nhlp/../../x\nhlp//a\nhlp/./b\n\nhlpx/c\nhlp/\n");
    const std::vector<FileRow> rows = file_list_with_manual(list.string());
    ASSERT_EQ(rows.size(), file_list().size() + 3);
    std::vector<std::string> added;
    for (std::size_t i = file_list().size(); i < rows.size(); ++i) {
        EXPECT_EQ(rows[i].source, rows[i].destination);
        added.push_back(rows[i].destination);
    }
    EXPECT_EQ(added, (std::vector<std::string>{"hlp/index.html", "hlp/reference/curves.md", "man/kflrun.1"}));
    // Without a list the manual is not installed.
    EXPECT_EQ(file_list_with_manual((temp.path / "absent.lst").string()).size(), file_list().size());

    const fs::path inst = temp.path / "inst";
    fs::create_directories(inst / "hlp");
    EXPECT_TRUE(create_row_directories(rows, inst.string()));
    EXPECT_TRUE(fs::is_directory(inst / "hlp/reference"));
    EXPECT_TRUE(fs::is_directory(inst / "man"));
    // A file where a directory must go.
    write_file(inst / "hlp/gallery", "");
    EXPECT_FALSE(create_row_directories({{"hlp/gallery/a.png", "hlp/gallery/a.png"}}, inst.string()));
}

TEST(FinalMessage, ReadyAndTheProfileAdviceOutsideTheDefault)
{
    EXPECT_EQ(final_message("/usr/local/korvan", "/usr/local/korvan"), "The installation of KFL is ready.\n \n");
    EXPECT_EQ(final_message("/opt/korvan", "/usr/local/korvan"),
              "The installation of KFL is ready.\n \n"
              "Add the command export KORVAN=/opt/korvan\n to the file ~/.profile\n \n");
    // Letter case matters in directory names here.
    EXPECT_EQ(final_message("/USR/LOCAL/KORVAN", "/usr/local/korvan"),
              "The installation of KFL is ready.\n \n"
              "Add the command export KORVAN=/USR/LOCAL/KORVAN\n to the file ~/.profile\n \n");
    EXPECT_EQ(final_message("/home/u/my korvan", "/usr/local/korvan"),
              "The installation of KFL is ready.\n \n"
              "Add the command export KORVAN='/home/u/my korvan'\n to the file ~/.profile\n \n");
    EXPECT_EQ(shell_word("/it's"), "'/it'\\''s'");
    EXPECT_EQ(shell_word("/a$b"), "'/a$b'");
}

}  // namespace
}  // namespace korvan::installer
