// LOGON and LOGOFF at the prompt: the header, the typed lines and message
// copies, and an existing log file under the plot library's file modes.
#include <fstream>
#include <regex>
#include <sstream>
#include <string>

#include "interp/log_file.hpp"
#include "plot/kernel/state.hpp"
#include "tests/support/script_session.hpp"

namespace korvan::kfl {
namespace {

class ControlLogTest : public test::ScriptSession {
protected:
    void SetUp() override
    {
        ScriptSession::SetUp();
        reset_state_for_tests();
        win::reset_for_tests();
        win::start(true);  // the prompt reads the output window's input line
        FrontEnd& fe = front_end();
        fe.interactive = fe.saved_interactive = true;
        fe.inputs.push_first(nullptr, "");
    }
    void TearDown() override
    {
        reset_state_for_tests();
        ScriptSession::TearDown();
    }

    // Types the lines at the prompt, then LOGOFF; a HELP typed last ends the
    // statement loop (the end of the console input would end the process).
    std::string session(std::initializer_list<std::string> lines)
    {
        console->output.clear();
        for (const std::string& line : lines)
            console->input.push_back(line);
        console->input.push_back("LOGOFF");
        console->input.push_back("HELP");
        set_keyword_handler("HELP", [](std::string_view) { front_end().keep_reading = false; });
        run_statement_loop();
        set_keyword_handler("HELP", &help_command);
        return console->output;
    }

    static std::string read(const std::string& name)
    {
        std::ifstream in(name, std::ios::binary);
        std::stringstream s;
        s << in.rdbuf();
        return s.str();
    }

    // The log without its date line.
    static std::string body(const std::string& name)
    {
        std::string text = read(name);
        std::size_t first = text.find('\n');
        std::size_t second = text.find('\n', first + 1);
        return text.substr(0, first + 1) + text.substr(second + 1);
    }
};

TEST_F(ControlLogTest, HeaderTypedLinesAndMessageCopies)
{
    session({"LOGON \"run.log\"", "X = 1", "Y = NOSUCH", "PRINT X"});
    std::string text = read("run.log");
    std::size_t first = text.find('\n');
    std::string date_line = text.substr(first + 1, text.find('\n', first + 1) - first - 1);
    EXPECT_TRUE(std::regex_match(date_line, std::regex(R"(// KFL Log File, \d\d\.\d\d\.\d\d, \d\d:\d\d:\d\d)")))
        << date_line;
    EXPECT_EQ(body("run.log"), "%KFL\nX = 1\nY = NOSUCH\n // >>>> Undefined identifier NOSUCH\nPRINT X\nLOGOFF\n");
    EXPECT_EQ(front_end().log_file, nullptr);
}

TEST_F(ControlLogTest, ExistingLogGetsANewVersionByDefault)
{
    dir.write("old.log", "keep\n");
    session({"LOGON \"old.log\"", "A = 2"});
    EXPECT_EQ(read("old.log"), "keep\n");
    EXPECT_EQ(body("old_1.log"), "%KFL\nA = 2\nLOGOFF\n");
}

TEST_F(ControlLogTest, FileModeDeleteReplacesTheLog)
{
    dir.write("old.log", "old contents\n");
    korvan::state().file_mode = 1;
    session({"LOGON \"old.log\"", "A = 3"});
    EXPECT_EQ(body("old.log"), "%KFL\nA = 3\nLOGOFF\n");
}

TEST_F(ControlLogTest, AnotherLogonReplacesTheFile)
{
    session({"LOGON \"one.log\"", "A = 1", "LOGON \"two.log\"", "B = 2"});
    EXPECT_EQ(body("one.log"), "%KFL\nA = 1\nLOGON \"two.log\"\n");
    EXPECT_EQ(body("two.log"), "%KFL\nB = 2\nLOGOFF\n");
}

TEST_F(ControlLogTest, LogonFaults)
{
    std::string out = session({"LOGON", "LOGON 1.5", "LOGON \"no/such/dir/x.log\""});
    EXPECT_NE(out.find(" >>>> Missing file parameter in LOGON\n"), std::string::npos);
    EXPECT_NE(out.find(" >>>> Parameter mismatch in LOGON\n"), std::string::npos);
    EXPECT_NE(out.find(" >>>> Cannot open file no/such/dir/x.log\n"), std::string::npos);
    EXPECT_EQ(front_end().log_file, nullptr);
}

TEST_F(ControlLogTest, FileModeBreakStopsTheProgram)
{
    dir.write("old.log", "x\n");
    korvan::state().file_mode = 2;
    EXPECT_EXIT(session({"LOGON \"old.log\""}), ::testing::ExitedWithCode(1), "");
}

}  // namespace
}  // namespace korvan::kfl
