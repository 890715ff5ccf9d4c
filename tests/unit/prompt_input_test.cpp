// The prompt's input helpers: the history kept in a file and the completion of names.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "plat/completion.hpp"
#include "plat/line_history.hpp"

namespace korvan::plat {
namespace {

namespace fs = std::filesystem;

struct TempFile {
    fs::path path;
    TempFile()
    {
        std::string pattern = (fs::temp_directory_path() / "kfl-history-XXXXXX").string();
        path = fs::path(mkdtemp(pattern.data())) / ".kfl_history";
    }
    ~TempFile() { fs::remove_all(path.parent_path()); }
    std::string text() const
    {
        std::ifstream in(path);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }
};

TEST(LineHistory, KeepsTypedLinesInTheFileAndReadsThemBack)
{
    TempFile file;
    {
        LineHistory history(file.path.string());
        EXPECT_TRUE(history.lines().empty());
        history.add("PRINT 1");
        history.add("");         // empty lines are not kept
        history.add("PRINT 1");  // nor the newest line again
        history.add("X = 2");
        history.add("PRINT 1");
    }
    EXPECT_EQ(file.text(), "PRINT 1\nX = 2\nPRINT 1\n");
    LineHistory again(file.path.string());
    EXPECT_EQ(again.lines(), (std::vector<std::string>{"PRINT 1", "X = 2", "PRINT 1"}));
}

TEST(LineHistory, UpAndDownWalkBackToTheTypedText)
{
    LineHistory history("");
    history.add("A");
    history.add("B");
    EXPECT_EQ(history.older("typing"), "B");
    EXPECT_EQ(history.older("B"), "A");
    EXPECT_EQ(history.older("A"), "A");  // the oldest stays
    EXPECT_EQ(history.newer("A"), "B");
    EXPECT_EQ(history.newer("B"), "typing");
    EXPECT_EQ(history.newer("typing"), "typing");
    // Adding a line ends the walk.
    history.older("x");
    history.add("C");
    EXPECT_EQ(history.older(""), "C");
    // Without lines Up leaves the text alone.
    LineHistory empty("");
    EXPECT_EQ(empty.older("text"), "text");
    EXPECT_EQ(empty.newer("text"), "text");
}

TEST(LineHistory, TheFileIsCutToTheNewestLinesWhenItGrows)
{
    TempFile file;
    {
        std::ofstream out(file.path);
        for (std::size_t i = 0; i < 2 * LineHistory::capacity - 1; ++i)
            out << "L" << i << "\n";
    }
    LineHistory history(file.path.string());
    ASSERT_EQ(history.lines().size(), LineHistory::capacity);
    EXPECT_EQ(history.lines().front(), "L" + std::to_string(LineHistory::capacity - 1));
    history.add("NEW");
    LineHistory reread(file.path.string());
    EXPECT_EQ(reread.lines().size(), LineHistory::capacity);
    EXPECT_EQ(reread.lines().back(), "NEW");
    EXPECT_EQ(reread.lines().front(), "L" + std::to_string(LineHistory::capacity));
    // The file itself holds the kept lines only.
    std::ifstream in(file.path);
    std::size_t count = 0;
    for (std::string line; std::getline(in, line);)
        ++count;
    EXPECT_EQ(count, LineHistory::capacity);
}

TEST(Completion, TheWordBeforeTheCursorIsCompletedInItsLetterCase)
{
    const std::vector<std::string> names{"CURVE", "CURVE3", "CURVMP", "PRINT", "%XMIN", "%XMAX", "ZETA9"};
    EXPECT_EQ(complete_word("PRINT ZE", names).insert, "TA9");
    EXPECT_TRUE(complete_word("PRINT ZE", names).choices.empty());
    EXPECT_EQ(complete_word("pri", names).insert, "nt");
    // Several fit: their common part, and the list when nothing more is common.
    Completion curve = complete_word("X = 1 + CU", names);
    EXPECT_EQ(curve.insert, "RV");
    EXPECT_EQ(curve.choices, (std::vector<std::string>{"CURVE", "CURVE3", "CURVMP"}));
    Completion exact = complete_word("CURVE", names);
    EXPECT_EQ(exact.insert, "");
    EXPECT_EQ(exact.choices, (std::vector<std::string>{"CURVE", "CURVE3"}));
    EXPECT_EQ(complete_word("PRINT %XM", names).insert, "");
    EXPECT_EQ(complete_word("PRINT %XM", names).choices, (std::vector<std::string>{"%XMAX", "%XMIN"}));
    EXPECT_EQ(complete_word("PRINT %x", names).insert, "m");
    // Nothing to complete: no word, or no name fits.
    EXPECT_EQ(complete_word("PRINT ", names).insert, "");
    EXPECT_TRUE(complete_word("PRINT ", names).choices.empty());
    EXPECT_TRUE(complete_word("QQ", names).choices.empty());
    EXPECT_EQ(complete_word("", names).insert, "");
}

TEST(Completion, TheInstalledSourceGivesTheNames)
{
    set_completion_source(nullptr);
    EXPECT_TRUE(completion_names().empty());
    set_completion_source([] { return std::vector<std::string>{"A"}; });
    EXPECT_EQ(completion_names(), (std::vector<std::string>{"A"}));
    set_completion_source(nullptr);
}

}  // namespace
}  // namespace korvan::plat
