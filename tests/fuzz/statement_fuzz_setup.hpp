// Shared by the statement fuzzer and the corpus replay test: a runtime with a
// few variables of every kind, and a splitter that runs each line as a statement.
#pragma once

#include <cctype>
#include <string>
#include <string_view>

#include "interp/eval_stack.hpp"
#include "interp/executor.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/front_end.hpp"
#include "interp/variables.hpp"

namespace korvan::fuzz {

inline void prepare_statement_fuzzing()
{
    kfl::pop_to(0);
    kfl::clear_variables();
    kfl::front_end().buffer.clear();
    kfl::control_state() = kfl::ControlState{};
    kfl::set_labels_defined(0, false);
    // EXIT would end the process.
    kfl::set_keyword_handler("EXIT", [](std::string_view) {});
    static const char* const setup[] = {
        "INT A[3,4]", "S = 'HELLO'", "FLOAT F[5]", "CHAR C[4]", "COMPLEX Z[2]", "BYTE B[3]",
        "SHORT H[2]", "DOUBLE D[2,2,2]", "X = 1",   "R = 2.5",    "%XMIN = 1",
    };
    for (const char* statement : setup)
        kfl::execute(statement);
}

// INCLUDE statements are left out: they would open files.
inline bool names_include(std::string_view line)
{
    static constexpr std::string_view word = "INCLUDE";
    for (std::size_t i = 0; i + word.size() <= line.size(); ++i) {
        std::size_t k = 0;
        while (k < word.size() && std::toupper(static_cast<unsigned char>(line[i + k])) == word[k])
            ++k;
        if (k == word.size())
            return true;
    }
    return false;
}

inline void run_statements(std::string_view bytes)
{
    constexpr std::size_t longest = 4096;
    while (!bytes.empty()) {
        std::size_t end = bytes.find('\n');
        std::string_view line = bytes.substr(0, end);
        bytes = end == std::string_view::npos ? std::string_view() : bytes.substr(end + 1);
        if (line.size() > longest || names_include(line))
            continue;
        std::string text(line);  // no terminating zero is relied upon
        kfl::execute(text);
    }
}

}  // namespace korvan::fuzz
