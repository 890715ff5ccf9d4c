// The prompt's line editor on a terminal (libedit): editing keys, the
// prompt's history with Up and Down, and completion with Tab.
#pragma once

#include <cstdio>
#include <memory>
#include <string>

namespace korvan::plat {

class LineEditor {
public:
    // False when the programs were built without libedit.
    static bool available();

    LineEditor(std::FILE* in, std::FILE* out);
    ~LineEditor();
    LineEditor(const LineEditor&) = delete;
    LineEditor& operator=(const LineEditor&) = delete;

    // Shows the prompt and reads one edited line (without its line end); it is
    // added to the prompt's history. False at the end of input.
    bool read_line(const char* prompt, std::string& line);

    struct State;  // libedit's editor and history

private:
    std::unique_ptr<State> state_;
};

}  // namespace korvan::plat
