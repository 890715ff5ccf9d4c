// A fresh interpreter runtime whose output is captured: statements run as if
// typed at the prompt, so message lines read " >>>> text".
#pragma once

#include <gtest/gtest.h>

#include <initializer_list>
#include <memory>
#include <string>

#include "interp/eval_stack.hpp"
#include "interp/executor.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/front_end.hpp"
#include "interp/function_table.hpp"
#include "interp/variables.hpp"
#include "plot/win/driver.hpp"
#include "tests/support/capture_console.hpp"

namespace korvan::test {

class RuntimeSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        kfl::reset_front_end();
        win::reset_for_tests();
        auto capture = std::make_unique<CaptureConsole>();
        console = capture.get();
        previous_console = plat::set_console(std::move(capture));
        win::start(true);
        kfl::front_end().interactive = true;
        kfl::clear_variables();
        kfl::pop_to(0);
        kfl::control_state() = kfl::ControlState{};
        kfl::set_function_table(nullptr, 0);
    }

    void TearDown() override
    {
        kfl::pop_to(0);
        kfl::clear_variables();
        kfl::set_function_table(nullptr, 0);
        kfl::reset_front_end();
        win::reset_for_tests();
        plat::set_console(std::move(previous_console));
    }

    // Executes the statements in order and returns what they printed.
    std::string run(std::initializer_list<std::string> statements)
    {
        console->output.clear();
        for (const std::string& s : statements)
            kfl::execute(s);
        return console->output;
    }

    CaptureConsole* console = nullptr;
    std::unique_ptr<plat::Console> previous_console;
};

}  // namespace korvan::test
