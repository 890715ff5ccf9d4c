// Console on standard input and output.
#pragma once

#include <cstdio>
#include <memory>

#include "plat/console.hpp"

namespace korvan::plat {

class LineEditor;

class TerminalConsole final : public Console {
public:
    // The streams default to stdin/stdout; tests hand in files.
    TerminalConsole(std::FILE* in = stdin, std::FILE* out = stdout);
    ~TerminalConsole() override;

    void write_output(std::string_view text) override;
    void message_box(std::string_view caption, std::string_view text) override;
    bool read_input_line(std::string& line) override;
    // The box, then the question "OK or Cancel? " answered with a line.
    bool ok_cancel_box(std::string_view caption, std::string_view text) override;

private:
    std::FILE* in_;
    std::FILE* out_;
    bool input_is_terminal_;
    // On a terminal (input and output) typed lines are edited; made on first use.
    bool edits_lines_;
    std::unique_ptr<LineEditor> editor_;
};

}  // namespace korvan::plat
