// OK/Cancel message boxes on the terminal console and the answers they take.
#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "plat/answer_line.hpp"
#include "plat/terminal_console.hpp"

namespace korvan::plat {
namespace {

std::string read_all(std::FILE* f)
{
    std::rewind(f);
    std::string s;
    int c;
    while ((c = std::fgetc(f)) != EOF)
        s.push_back(static_cast<char>(c));
    return s;
}

// Runs one box on a terminal console fed with the given input.
struct BoxRun {
    bool ok = false;
    std::string output;
};

BoxRun run_box(const std::string& input)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fputs(input.c_str(), in);
    std::rewind(in);
    TerminalConsole console(in, out);
    BoxRun run;
    run.ok = console.ok_cancel_box("KFL Setup", "Continue?\n");
    run.output = read_all(out);
    std::fclose(in);
    std::fclose(out);
    return run;
}

TEST(OkCancelAnswers, OkWordsEmptyLineAndBlanks)
{
    for (const char* yes : {"", "ok", "OK", "o", "Yes", "y", "  ok  ", "\t"})
        EXPECT_TRUE(answer_means_ok(yes)) << '"' << yes << '"';
    for (const char* no : {"cancel", "c", "no", "n", "okay", "x", "o k"})
        EXPECT_FALSE(answer_means_ok(no)) << '"' << no << '"';
}

TEST(TerminalOkCancelBox, ShowsTheBoxThenTheQuestionAndEchoesPipedAnswers)
{
    BoxRun ok = run_box("ok\n");
    EXPECT_TRUE(ok.ok);
    EXPECT_EQ(ok.output, "KFL Setup: Continue?\nOK or Cancel? ok\n");

    BoxRun enter = run_box("\r\n");
    EXPECT_TRUE(enter.ok);
    EXPECT_EQ(enter.output, "KFL Setup: Continue?\nOK or Cancel? \n");

    BoxRun cancel = run_box("Cancel\nok\n");
    EXPECT_FALSE(cancel.ok);
    EXPECT_EQ(cancel.output, "KFL Setup: Continue?\nOK or Cancel? Cancel\n");
}

TEST(TerminalOkCancelBox, EndOfInputCancels)
{
    BoxRun closed = run_box("");
    EXPECT_FALSE(closed.ok);
    EXPECT_EQ(closed.output, "KFL Setup: Continue?\nOK or Cancel? \n");
    // A last line without its line end still counts.
    EXPECT_TRUE(run_box("y").ok);
}

TEST(AnswerLine, ReadsLinesUpToCarriageReturnAndReportsTheEnd)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::fputs("/opt/k\r junk\nsecond", in);
    std::rewind(in);
    std::string line;
    ASSERT_TRUE(read_answer_line(in, out, "Dir? ", line));
    EXPECT_EQ(line, "/opt/k");
    ASSERT_TRUE(read_answer_line(in, out, "Again? ", line));
    EXPECT_EQ(line, "second");
    EXPECT_FALSE(read_answer_line(in, out, "More? ", line));
    EXPECT_EQ(line, "");
    EXPECT_EQ(read_all(out), "Dir? /opt/k\nAgain? second\nMore? \n");
    std::fclose(in);
    std::fclose(out);
}

}  // namespace
}  // namespace korvan::plat
