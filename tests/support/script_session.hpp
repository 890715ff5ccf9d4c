// Runs KFL scripts from files of a temporary directory through the statement
// loop with the whole language installed; output is captured.
#pragma once

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "interp/control_flow.hpp"
#include "interp/eval_stack.hpp"
#include "interp/executor_hooks.hpp"
#include "interp/front_end.hpp"
#include "interp/language.hpp"
#include "interp/loader.hpp"
#include "interp/startup.hpp"
#include "interp/user_routines.hpp"
#include "interp/variable_table.hpp"
#include "interp/variables.hpp"
#include "plot/win/driver.hpp"
#include "tests/support/capture_console.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::test {

class ScriptSession : public ::testing::Test {
protected:
    void SetUp() override
    {
        static const bool installed = (kfl::install_language(), true);
        (void)installed;
        kfl::reset_front_end();
        win::reset_for_tests();
        auto capture = std::make_unique<CaptureConsole>();
        console = capture.get();
        previous_console = plat::set_console(std::move(capture));
        win::start(false);
        reset_interpreter();
        unsetenv("KFL_PATH");
        setenv("KORVAN", dir.path().c_str(), 1);
    }

    void TearDown() override
    {
        reset_interpreter();
        kfl::reset_front_end();
        win::reset_for_tests();
        plat::set_console(std::move(previous_console));
        unsetenv("KORVAN");
    }

    static void reset_interpreter()
    {
        kfl::pop_to(0);
        kfl::clear_variables();
        kfl::reset_control_flow();
        kfl::reset_user_routines();
        for (int level = 0; level < 16; ++level)
            kfl::set_labels_defined(level, false);
        kfl::front_end().buffer.clear();
    }

    // Runs a main script of the given statements (header added) and returns its output.
    std::string run_script(const std::string& body, const std::string& name = "main.kfl")
    {
        dir.write(name, "%KFL\n" + body);
        console->output.clear();
        EXPECT_TRUE(kfl::open_main_script(name));
        kfl::run_statement_loop();
        kfl::front_end().inputs.close_all();
        return console->output;
    }

    TempDir dir;
    CaptureConsole* console = nullptr;
    std::unique_ptr<plat::Console> previous_console;
};

}  // namespace korvan::test
