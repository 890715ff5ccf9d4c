// Shared fixture of the kernel tests: a fresh plot state, a capturing console,
// a started window driver and a fresh temporary current directory.
#pragma once

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <regex>
#include <sstream>
#include <string>
#include <unistd.h>

#include "plat/console.hpp"
#include "plat/graphics.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/driver.hpp"

namespace korvan::test {

class CapturingConsole : public plat::Console {
public:
    explicit CapturingConsole(std::string* sink) : sink_(sink) {}
    void write_output(std::string_view text) override { sink_->append(text); }
    void message_box(std::string_view caption, std::string_view text) override
    {
        sink_->append("[box:");
        sink_->append(caption);
        sink_->append("]");
        sink_->append(text);
    }
    bool read_input_line(std::string&) override { return false; }

private:
    std::string* sink_;
};

inline std::string read_file(const std::string& name)
{
    std::ifstream in(name, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

inline void write_file(const std::string& name, const std::string& text)
{
    std::ofstream out(name, std::ios::binary);
    out << text;
}

inline bool exists(const std::string& name) { return std::filesystem::exists(name); }

// Masks the date and the time of an end protocol.
inline std::string mask_clock(const std::string& text)
{
    static const std::regex date(R"(\d\d\.\d\d\.\d\d)");
    static const std::regex time(R"(\d\d:\d\d:\d\d)");
    return std::regex_replace(std::regex_replace(text, date, "DD.MM.YY"), time, "hh:mm:ss");
}

class KernelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        char pattern[] = "/tmp/kernel_XXXXXX";
        ASSERT_NE(::mkdtemp(pattern), nullptr);
        dir_ = pattern;
        old_dir_ = std::filesystem::current_path();
        std::filesystem::current_path(dir_);
        old_console_ = plat::set_console(std::make_unique<CapturingConsole>(&output_));
        reset_state_for_tests();
        win::reset_for_tests();
        // Screen plots never wait for a user: the offscreen screen of 1280 x 1024.
        old_graphics_ = plat::set_graphics(plat::make_offscreen_graphics(plat::ScreenInfo{}));
        win::start(true);
    }

    void TearDown() override
    {
        reset_state_for_tests();
        win::reset_for_tests();
        plat::set_graphics(std::move(old_graphics_));
        plat::set_console(std::move(old_console_));
        std::filesystem::current_path(old_dir_);
        std::filesystem::remove_all(dir_);
    }

    // The text printed since the last call.
    std::string take_output()
    {
        std::string text = output_;
        output_.clear();
        return text;
    }

    std::string path(const std::string& name) const { return dir_ + "/" + name; }

    std::string dir_;
    std::filesystem::path old_dir_;
    std::string output_;
    std::unique_ptr<plat::Console> old_console_;
    std::unique_ptr<plat::Graphics> old_graphics_;
};

}  // namespace korvan::test
