// A console that records everything written and answers input from a list.
#pragma once

#include <deque>
#include <string>

#include "plat/console.hpp"

namespace korvan::test {

class CaptureConsole final : public plat::Console {
public:
    std::string output;          // output-window text and message boxes, in order
    std::deque<std::string> input;

    void write_output(std::string_view text) override { output += text; }

    void message_box(std::string_view caption, std::string_view text) override
    {
        if (!caption.empty()) {
            output += caption;
            output += ": ";
        }
        output += text;
    }

    bool read_input_line(std::string& line) override
    {
        if (input.empty())
            return false;
        line = input.front();
        input.pop_front();
        output += "KFL> " + line + "\n";
        return true;
    }
};

}  // namespace korvan::test
