#include "plat/terminal_console.hpp"

#include <poll.h>
#include <unistd.h>

#include "plat/answer_line.hpp"
#include "plat/line_editor.hpp"
#include "plat/line_reader.hpp"

namespace korvan::plat {

TerminalConsole::TerminalConsole(std::FILE* in, std::FILE* out)
    : in_(in),
      out_(out),
      input_is_terminal_(isatty(fileno(in)) != 0),
      edits_lines_(input_is_terminal_ && isatty(fileno(out)) != 0 && LineEditor::available())
{
}

TerminalConsole::~TerminalConsole() = default;

void TerminalConsole::write_output(std::string_view text)
{
    std::fwrite(text.data(), 1, text.size(), out_);
    std::fflush(out_);
}

void TerminalConsole::message_box(std::string_view caption, std::string_view text)
{
    if (!caption.empty()) {
        std::fwrite(caption.data(), 1, caption.size(), out_);
        std::fputs(": ", out_);
    }
    std::fwrite(text.data(), 1, text.size(), out_);
    if (!caption.empty() && (text.empty() || text.back() != '\n'))
        std::fputc('\n', out_);
    std::fflush(out_);
}

namespace {
// Waits until a typed line can be read, doing the idle work meanwhile.
void wait_for_input(std::FILE* in)
{
    InputIdle idle = input_idle();
    if (idle == nullptr)
        return;
    pollfd watch{fileno(in), POLLIN, 0};
    while (poll(&watch, 1, 50) == 0)
        idle();
}
}  // namespace

bool TerminalConsole::read_input_line(std::string& line)
{
    if (edits_lines_) {
        if (!editor_)
            editor_ = std::make_unique<LineEditor>(in_, out_);
        if (!editor_->read_line("KFL> ", line))
            return false;
        if (auto cr = line.find('\r'); cr != std::string::npos)
            line.erase(cr);
        if (line.size() > input_line_limit)
            line.resize(input_line_limit);
        return true;
    }
    if (input_is_terminal_) {
        std::fputs("KFL> ", out_);
        std::fflush(out_);
        wait_for_input(in_);
    }
    // The input line keeps the text up to its first carriage return, cut to its limit.
    LineReader::Status status = read_typed_line(in_, line);
    if (status == LineReader::Status::refused)
        write_output(typed_line_refusal());
    if (status != LineReader::Status::line)
        return false;
    if (line.size() > input_line_limit)
        line.resize(input_line_limit);
    if (!input_is_terminal_) {
        std::fputs("KFL> ", out_);
        std::fwrite(line.data(), 1, line.size(), out_);
        std::fputc('\n', out_);
        std::fflush(out_);
    }
    return true;
}

bool TerminalConsole::ok_cancel_box(std::string_view caption, std::string_view text)
{
    message_box(caption, text);
    std::string answer;
    return read_answer_line(in_, out_, "OK or Cancel? ", answer) && answer_means_ok(answer);
}

}  // namespace korvan::plat
