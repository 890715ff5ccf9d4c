#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>
#include <pty.h>
#include <unistd.h>

#include "plat/host.hpp"
#include "plat/line_reader.hpp"
#include "plat/paths.hpp"
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

TEST(LineReader, KeepsBoundsAndRefusesEndlessLines)
{
    std::FILE* f = std::tmpfile();
    std::fputs("ab\r\n\nlong line\n0123456789ABC\nnever read\n", f);
    std::rewind(f);
    LineReader lines(f, 10);
    std::string line;
    EXPECT_EQ(lines.next(line), LineReader::Status::line);
    EXPECT_EQ(line, "ab\r");
    EXPECT_EQ(lines.next(line), LineReader::Status::line);
    EXPECT_EQ(line, "");
    EXPECT_EQ(lines.next(line, 4), LineReader::Status::line);  // the rest is dropped
    EXPECT_EQ(line, "long");
    EXPECT_FALSE(lines.refused());
    EXPECT_EQ(lines.next(line), LineReader::Status::refused);
    EXPECT_EQ(lines.next(line), LineReader::Status::refused);  // and stays so
    EXPECT_EQ(lines.line_number(), 4);
    EXPECT_EQ(lines.refusal(), "line 4 is longer than 10 characters; it and the rest of the file are not read");
    std::fclose(f);

    f = std::tmpfile();
    std::fputs("SP1;PD 1,2;\nPU", f);
    std::rewind(f);
    LineReader commands(f, 10, ';');
    std::vector<std::string> got;
    while (commands.next(line) == LineReader::Status::line)
        got.push_back(line);
    EXPECT_EQ(got, (std::vector<std::string>{"SP1", "PD 1,2", "\nPU"}));
    EXPECT_EQ(commands.next(line), LineReader::Status::end_of_file);
    std::fclose(f);
}

// Lines of many hundred characters come back whole, cut at `keep` wherever
// it falls, with a zero byte kept as a character; the position after a line
// is right after its end, so the caller can go on reading the stream itself.
TEST(LineReader, LongLinesWholeAndCutAnywhere)
{
    std::string first;
    for (int i = 0; i < 1000; ++i)
        first.push_back(static_cast<char>('a' + i % 26));
    first[300] = '\0';
    std::FILE* f = std::tmpfile();
    std::fwrite(first.data(), 1, first.size(), f);
    std::fputs("\nsecond\nthird\n", f);
    std::string refused(900, 'x');
    std::fwrite(refused.data(), 1, refused.size(), f);
    std::rewind(f);
    LineReader lines(f, 800);
    std::string line;
    EXPECT_EQ(lines.next(line), LineReader::Status::refused);  // longer than the bound
    EXPECT_EQ(line, first.substr(0, 800));
    std::rewind(f);
    LineReader again(f, 1000);
    EXPECT_EQ(again.next(line), LineReader::Status::line);
    EXPECT_EQ(line, first);
    EXPECT_EQ(again.next(line, 3), LineReader::Status::line);
    EXPECT_EQ(line, "sec");
    EXPECT_EQ(std::fgetc(f), 't');
    EXPECT_EQ(again.next(line, 257), LineReader::Status::line);
    EXPECT_EQ(line, "hird");
    EXPECT_EQ(again.next(line, 257), LineReader::Status::line);
    EXPECT_EQ(line, refused.substr(0, 257));
    EXPECT_EQ(again.next(line), LineReader::Status::end_of_file);
    std::fclose(f);
}

TEST(LineReader, EndlessDeviceIsRefused)
{
    std::FILE* zero = std::fopen("/dev/zero", "rb");
    ASSERT_NE(zero, nullptr);
    LineReader lines(zero);
    std::string line;
    EXPECT_EQ(lines.next(line, 80), LineReader::Status::refused);
    EXPECT_EQ(line.size(), 80u);
    std::fclose(zero);
    zero = std::fopen("/dev/zero", "rb");
    EXPECT_EQ(read_typed_line(zero, line), LineReader::Status::refused);
    std::fclose(zero);
}

TEST(Paths, JoinAndSplit)
{
    EXPECT_EQ(join_path("/opt/korvan", "kfl"), "/opt/korvan/kfl");
    EXPECT_EQ(join_path("/opt/korvan/", "kfl"), "/opt/korvan/kfl");
    EXPECT_EQ(join_path("", "a.kfl"), "a.kfl");
    EXPECT_EQ(last_component("dir/sub\\name.kfl"), "name.kfl");
    EXPECT_EQ(directory_part("dir/sub\\name.kfl"), "dir/sub\\");
    EXPECT_EQ(last_component("plain"), "plain");
    EXPECT_EQ(directory_part("plain"), "");
}

TEST(TerminalConsole, PipedInputIsEchoedWithPromptAndCut)
{
    std::FILE* in = std::tmpfile();
    std::FILE* out = std::tmpfile();
    std::string long_line(100, 'x');
    std::fputs(("A = 1\r\n" + long_line + "\nlast").c_str(), in);
    std::rewind(in);
    TerminalConsole console(in, out);
    std::string line;
    ASSERT_TRUE(console.read_input_line(line));
    EXPECT_EQ(line, "A = 1");
    ASSERT_TRUE(console.read_input_line(line));
    EXPECT_EQ(line, std::string(79, 'x'));
    ASSERT_TRUE(console.read_input_line(line));
    EXPECT_EQ(line, "last");
    EXPECT_FALSE(console.read_input_line(line));
    EXPECT_EQ(read_all(out), "KFL> A = 1\nKFL> " + std::string(79, 'x') + "\nKFL> last\n");
    std::fclose(in);
    std::fclose(out);
}

// At a terminal the console does its idle work (window repaints) until a line is typed.
int idle_calls = 0;
int typing_end = -1;

TEST(TerminalConsole, IdleWorkWhileWaitingAtATerminal)
{
    int master = -1;
    int slave = -1;
    ASSERT_EQ(openpty(&master, &slave, nullptr, nullptr, nullptr), 0);
    std::FILE* in = fdopen(slave, "r");
    std::FILE* out = std::tmpfile();
    idle_calls = 0;
    typing_end = master;
    set_input_idle([] {
        if (++idle_calls == 3) {
            [[maybe_unused]] ssize_t written = write(typing_end, "A = 1\n", 6);
        }
    });
    TerminalConsole console(in, out);
    std::string line;
    ASSERT_TRUE(console.read_input_line(line));
    set_input_idle(nullptr);
    EXPECT_EQ(line, "A = 1");
    EXPECT_GE(idle_calls, 3);
    EXPECT_EQ(read_all(out), "KFL> ");
    std::fclose(in);
    std::fclose(out);
    close(master);
}

TEST(TerminalConsole, MessageBoxForms)
{
    std::FILE* out = std::tmpfile();
    TerminalConsole console(stdin, out);
    console.message_box("", "plain text\n");
    console.message_box("winini", "Not enough memory");
    console.message_box("cap", "ends with newline\n");
    EXPECT_EQ(read_all(out), "plain text\nwinini: Not enough memory\ncap: ends with newline\n");
    std::fclose(out);
}

TEST(Host, CommandHookSucceedsAndEnvironment)
{
    EXPECT_TRUE(host_command("rm -rf /"));
    setenv("KORVAN_TEST_VAR", "value", 1);
    EXPECT_EQ(get_env("KORVAN_TEST_VAR"), "value");
    unsetenv("KORVAN_TEST_VAR");
    EXPECT_FALSE(get_env("KORVAN_TEST_VAR").has_value());
    setenv("KORVAN", "/somewhere", 1);
    EXPECT_EQ(installation_dir(), "/somewhere");
    unsetenv("KORVAN");
    EXPECT_FALSE(installation_dir().empty());
}

}  // namespace
}  // namespace korvan::plat
