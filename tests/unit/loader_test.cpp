#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "interp/front_end.hpp"
#include "interp/loader.hpp"
#include "interp/startup.hpp"
#include "plat/line_reader.hpp"
#include "plot/win/driver.hpp"
#include "tests/support/capture_console.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::kfl {
namespace {

// The statements the loop hands over, in order. "MARK" starts storing
// statements and remembers where; "AGAIN" replays from there twice.
std::vector<std::string> executed;
int mark = 0;
int passes = 0;

void recording_executor(std::string_view text)
{
    FrontEnd& fe = front_end();
    if (is_include_statement(text)) {
        include_statement(text);
        return;
    }
    if (fe.buffer.store_mode && fe.buffer.executing_fresh())
        fe.buffer.append(text);
    executed.emplace_back(text);
    if (text == "MARK" && fe.buffer.executing_fresh()) {
        fe.buffer.store_mode = true;
        mark = fe.buffer.current;
    } else if (text == "AGAIN" && passes < 2) {
        ++passes;
        fe.buffer.current = fe.buffer.executing_fresh() ? mark : mark - 1;
    }
}

class LoaderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        reset_front_end();
        win::reset_for_tests();
        auto capture = std::make_unique<test::CaptureConsole>();
        console = capture.get();
        previous_console = plat::set_console(std::move(capture));
        previous_executor = set_statement_executor(&recording_executor);
        win::start(false);
        executed.clear();
        mark = passes = 0;
        unsetenv("KFL_PATH");
        setenv("KORVAN", dir.path().c_str(), 1);
    }

    void TearDown() override
    {
        reset_front_end();
        win::reset_for_tests();
        set_statement_executor(previous_executor);
        plat::set_console(std::move(previous_console));
        unsetenv("KORVAN");
    }

    // Runs a main script of the given text (header added).
    void run_script(const std::string& body, const std::string& name = "main.kfl")
    {
        dir.write(name, "%KFL test\n" + body);
        ASSERT_TRUE(open_main_script(name));
        run_statement_loop();
        front_end().inputs.close_all();
    }

    test::TempDir dir;
    test::CaptureConsole* console = nullptr;
    std::unique_ptr<plat::Console> previous_console;
    StatementExecutor previous_executor = nullptr;
};

using Texts = std::vector<std::string>;

TEST_F(LoaderTest, ContinuationJoinsRecords)
{
    run_script("A = 1 + @\n2\nB = 1 +\n2\n");
    EXPECT_EQ(executed, (Texts{"A = 1 + 2", "B = 1 +", "2"}));
    EXPECT_EQ(console->output, "");
}

TEST_F(LoaderTest, ContinuationOnlyWhenNothingIsCopiedAfterTheMark)
{
    run_script("A = 1 +@ \n2\nC = (1, @  \n 2)\n");
    EXPECT_EQ(executed, (Texts{"A = 1 + ", "2", "C = (1, 2)"}));
}

TEST_F(LoaderTest, AssemblyMessagesInScriptMode)
{
    run_script("A = F(1\nS = 'abc\nB = 2\n");
    EXPECT_EQ(executed, (Texts{"B = 2"}));
    EXPECT_EQ(console->output,
              " >>>> Missing '(' or ')' in record 2 (main.kfl)\n"
              " >>>> Missing Apostroph or Quotation mark in record 3 (main.kfl)\n");
}

TEST_F(LoaderTest, StatementFaultsDoNotLeakIntoTheNextStatement)
{
    // Quote and parenthesis open together: one message, and the next statement is intact.
    run_script("A = F('x\nB = 2\n");
    EXPECT_EQ(executed, (Texts{"B = 2"}));
    EXPECT_EQ(console->output, " >>>> Missing Apostroph or Quotation mark in record 2 (main.kfl)\n");
}

TEST_F(LoaderTest, StatementOverflow)
{
    std::string body;
    for (int i = 0; i < 12; ++i)
        body += "X = " + std::string(100, '1') + " @\n";
    body += "1\nOK\n";
    run_script(body);
    EXPECT_EQ(executed, (Texts{"OK"}));
    EXPECT_EQ(console->output, " >>>> Statement overflow in record 14 (main.kfl)\n");
}

TEST_F(LoaderTest, CommentsBlanksAndQuotes)
{
    run_script("A  =\t\t1   # comment\nS = 'a # b // c'  // comment\nT = \"x  'y\"\t+ 'z'\nD = 6 / 3\n"
               "# whole comment\n// another\n\n");
    EXPECT_EQ(executed, (Texts{"A = 1 ", "S = 'a # b // c'", "T = \"x  'y\"+ 'z'", "D = 6 / 3"}));
}

TEST_F(LoaderTest, HostCommandRecordsAreIgnored)
{
    run_script("$ls -l\nA = 1\n");
    EXPECT_EQ(executed, (Texts{"A = 1"}));
    EXPECT_EQ(console->output, "");
}

TEST_F(LoaderTest, LongLinesAreOneRecordEachAndKeepLineNumbers)
{
    // A statement of 300 characters runs whole; one longer than the assembly
    // text is reported once, with the line's own number.
    const std::string call = "SETFIL('" + std::string(290, 'f') + "')";
    run_script(call + "\n" + std::string(131, 'A') + "\n" + std::string(2000, 'B') + "\nF(\n");
    EXPECT_EQ(executed, (Texts{call, std::string(131, 'A')}));
    EXPECT_EQ(console->output, " >>>> Statement overflow in record 4 (main.kfl)\n"
                               " >>>> Missing '(' or ')' in record 5 (main.kfl)\n");
}

TEST_F(LoaderTest, LineTooLongToReadEndsTheFile)
{
    dir.write("inc.kfl", "%KFL\nA\n" + std::string(plat::LineReader::default_bound + 1, 'X') + "\nNOT READ\n");
    run_script("INCLUDE 'inc'\nB\n");
    EXPECT_EQ(executed, (Texts{"A", "B"}));
    EXPECT_EQ(console->output, " >>>> Record longer than 1048576 characters, the rest of the file is not read "
                               "in record 3 (inc.kfl)\n");
}

TEST_F(LoaderTest, NestedIncludesContinueWhereTheyStopped)
{
    dir.write("outer.kfl", "%KFL\nO1\nINCLUDE 'inner'\nO2\n");
    dir.write("inner.kfl", "%kfl inner\nI1\nBAD(\n");
    run_script("M1\nInclude \"outer.kfl\"\nM2\nBAD(\n");
    EXPECT_EQ(executed, (Texts{"M1", "O1", "I1", "O2", "M2"}));
    EXPECT_EQ(console->output,
              " >>>> Missing '(' or ')' in record 3 (inner.kfl)\n"
              " >>>> Missing '(' or ')' in record 5 (main.kfl)\n");
}

TEST_F(LoaderTest, IncludeSearchesKflPathAndInstallation)
{
    dir.write("lib/a.kfl", "%KFL\nFROM_PATH\n");
    dir.write("kfl/b.kfl", "%KFL\nFROM_INSTALL\n");
    setenv("KFL_PATH", (dir.path() / "lib").c_str(), 1);
    run_script("INCLUDE 'a'\nINCLUDE 'b'\nINCLUDE 'c'\n");
    EXPECT_EQ(executed, (Texts{"FROM_PATH", "FROM_INSTALL"}));
    EXPECT_EQ(console->output, " >>>> Open error in file c.kfl\n");
}

TEST_F(LoaderTest, IncludeOperandMessages)
{
    dir.write("x.kfl", "%KFL\nX\n");
    run_script("INCLUDE\nINCLUDE 5\nINCLUDE 'x', 'y'\nINCLUDE 'x' z\n");
    EXPECT_EQ(executed, (Texts{"X", "X"}));
    EXPECT_EQ(console->output,
              " >>>> Missing parameter in INCLUDE statement in record 2 (main.kfl)\n"
              " >>>> Parameter of INCLUDE must be a string in record 3 (main.kfl)\n"
              " >>>> Too many parameters in INCLUDE statement in record 4 (main.kfl)\n"
              " >>>> Expected end of statement in INCLUDE in record 5 (main.kfl)\n");
}

TEST_F(LoaderTest, IncludedFileNeedsItsHeaderFirst)
{
    dir.write("c.kfl", "# comment\n%KFL\nX\n");
    dir.write("d.kfl", "%KFL-ASC\nX\n");
    dir.write("e.kfl", "");
    run_script("INCLUDE 'c'\nINCLUDE 'd'\nINCLUDE 'e'\n");
    EXPECT_TRUE(executed.empty());
    EXPECT_EQ(console->output,
              " >>>> Not allowed file format in c.kfl\n"
              " >>>> Not allowed file format in d.kfl\n"
              " >>>> Not allowed file format in e.kfl\n");
}

TEST_F(LoaderTest, TooManyOpenedFiles)
{
    // Each file includes the next: the main script and seven includes fit, the ninth does not.
    for (int i = 1; i <= 9; ++i)
        dir.write("f" + std::to_string(i) + ".kfl",
                  "%KFL\nIN" + std::to_string(i) + "\nINCLUDE 'f" + std::to_string(i + 1) + "'\n");
    run_script("INCLUDE 'f1'\nDONE\n");
    EXPECT_EQ(executed, (Texts{"IN1", "IN2", "IN3", "IN4", "IN5", "IN6", "IN7", "DONE"}));
    EXPECT_EQ(console->output, " >>>> Too many opened files in record 3 (f7.kfl)\n");
}

TEST_F(LoaderTest, IncludeInsideLoopIsReadOnceAndReplayed)
{
    dir.write("body.kfl", "%KFL\nB1\nB2\n");
    run_script("MARK\nINCLUDE 'body'\nAGAIN\nAFTER\n");
    EXPECT_EQ(executed, (Texts{"MARK", "B1", "B2", "AGAIN", "B1", "B2", "AGAIN", "B1", "B2", "AGAIN", "AFTER"}));
}

TEST_F(LoaderTest, IncludeOptionReplacesTheFirstInclude)
{
    dir.write("given.kfl", "%KFL\nGIVEN\n");
    dir.write("own.kfl", "%KFL\nOWN\n");
    front_end().options.include_given = true;
    front_end().options.include_file_name = "given";
    run_script("INCLUDE 'own'\nINCLUDE 'own'\n");
    EXPECT_EQ(executed, (Texts{"GIVEN", "OWN"}));
}

TEST_F(LoaderTest, StatementBufferLimit)
{
    std::string body = "MARK\n";
    for (int i = 0; i < 3001; ++i)
        body += "S" + std::to_string(i) + "\n";
    passes = 2;  // no replay
    run_script(body);
    EXPECT_EQ(front_end().buffer.count(), 3000);
    EXPECT_EQ(executed.size(), 3002u);
    EXPECT_EQ(console->output, " >>>> Too many statements in the statement buffer in record 3003 (main.kfl)\n");
}

TEST_F(LoaderTest, BinaryAndBrokenInputDoesNotCrash)
{
    std::string junk;
    for (int i = 0; i < 5000; ++i)
        junk.push_back(static_cast<char>((i * 7919) % 256));
    junk += "\n'unterminated @\n";
    run_script(junk + std::string(5000, '(') + "\n");
    EXPECT_NE(console->output.find(" >>>> "), std::string::npos);
}

TEST_F(LoaderTest, EndOfConsoleInputEndsTheRun)
{
    FrontEnd& fe = front_end();
    fe.interactive = fe.saved_interactive = true;
    win::reset_for_tests();
    win::start(true);
    fe.inputs.push_first(nullptr, "");
    console->input = {"A = 1"};
    // After the last line the console reports the end of input, which ends the
    // process like EXIT instead of waiting for more.
    EXPECT_EXIT(
        {
            run_statement_loop();
        },
        ::testing::ExitedWithCode(0), "");
}

TEST_F(LoaderTest, InteractiveTranscript)
{
    dir.write("inc.kfl", "%KFL\nFROM_FILE\nF(\n");
    FrontEnd& fe = front_end();
    fe.interactive = fe.saved_interactive = true;
    win::reset_for_tests();
    win::start(true);
    fe.inputs.push_first(nullptr, "");
    console->input = {"A = (1", "$dir", "INCLUDE 'inc'", "B = 2"};
    // Stop reading after "B = 2" instead of reaching the end of console input.
    set_statement_executor([](std::string_view text) {
        recording_executor(text);
        if (text == "B = 2")
            front_end().keep_reading = false;
    });
    run_statement_loop();
    EXPECT_EQ(executed, (Texts{"FROM_FILE", "B = 2"}));
    EXPECT_EQ(console->output,
              "KFL> A = (1\n"
              " >>>> Missing '(' or ')'\n"
              "KFL> $dir\n"
              "\n"
              "KFL> INCLUDE 'inc'\n"
              " >>>> Missing '(' or ')' in record 3 (inc.kfl)\n"
              "KFL> B = 2\n");
    EXPECT_TRUE(fe.interactive);
}

TEST_F(LoaderTest, MainScriptHeaderRules)
{
    dir.write("ok.kfl", "# one\n// two\n%kfl lower case\nX\nF(\n");
    ASSERT_TRUE(open_main_script("ok.kfl"));
    run_statement_loop();
    front_end().inputs.close_all();
    EXPECT_EQ(executed, (Texts{"X"}));
    dir.write("asc.kfl", "%KFL-ASC\n");
    dir.write("none.kfl", "# only a comment\n");
    dir.write("longcomment.kfl", "# " + std::string(150, 'c') + "\n%KFL\n");
    EXPECT_FALSE(open_main_script("asc.kfl"));
    EXPECT_FALSE(open_main_script("none.kfl"));
    EXPECT_FALSE(open_main_script("missing.kfl"));
    EXPECT_TRUE(open_main_script("longcomment.kfl"));
    front_end().inputs.close_all();
    EXPECT_EQ(console->output,
              " >>>> Missing '(' or ')' in record 5 (ok.kfl)\n"
              " >>>> Not allowed file format in asc.kfl\n"
              " >>>> Open error in file none.kfl\n"
              " >>>> Open error in file missing.kfl\n");
}

}  // namespace
}  // namespace korvan::kfl
