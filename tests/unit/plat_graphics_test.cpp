#include <gtest/gtest.h>

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <string>

#include "plat/console.hpp"
#include "plat/graphics.hpp"
#include "plat/terminal_console.hpp"
#include "plat/window_console.hpp"
#include "tests/support/temp_dir.hpp"

namespace korvan::plat {
namespace {

// Sets environment variables for one test and restores them afterwards.
class Environment {
public:
    ~Environment()
    {
        for (auto& [name, value] : saved_) {
            if (value.has_value)
                setenv(name.c_str(), value.text.c_str(), 1);
            else
                unsetenv(name.c_str());
        }
    }
    void set(const std::string& name, const char* value)
    {
        if (saved_.find(name) == saved_.end()) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = Saved{old != nullptr, old != nullptr ? old : ""};
        }
        if (value != nullptr)
            setenv(name.c_str(), value, 1);
        else
            unsetenv(name.c_str());
    }

private:
    struct Saved {
        bool has_value;
        std::string text;
    };
    std::map<std::string, Saved> saved_;
};

TEST(VirtualScreen, SizeAndDepthFromTheEnvironment)
{
    Environment env;
    env.set("KORVAN_SCREEN", nullptr);
    env.set("KORVAN_SCREEN_BPP", nullptr);
    ScreenInfo s = screen_from_environment();
    EXPECT_EQ(s.width, 1280);
    EXPECT_EQ(s.height, 1024);
    EXPECT_EQ(s.bits_per_pixel, 24);

    env.set("KORVAN_SCREEN", "1024x768");
    env.set("KORVAN_SCREEN_BPP", "8");
    s = screen_from_environment();
    EXPECT_EQ(s.width, 1024);
    EXPECT_EQ(s.height, 768);
    EXPECT_EQ(s.bits_per_pixel, 8);
    env.set("KORVAN_SCREEN_BPP", "4");
    EXPECT_EQ(screen_from_environment().bits_per_pixel, 4);

    // Nonsense keeps the defaults.
    for (const char* bad : {"", "x", "800", "800x", "10x10", "99999999999x600", "800x600x", "-800x600", "800*600"}) {
        env.set("KORVAN_SCREEN", bad);
        s = screen_from_environment();
        EXPECT_EQ(s.width, 1280) << bad;
        EXPECT_EQ(s.height, 1024) << bad;
    }
    for (const char* bad : {"", "16", "32", "8bit", "2"}) {
        env.set("KORVAN_SCREEN_BPP", bad);
        EXPECT_EQ(screen_from_environment().bits_per_pixel, 24) << bad;
    }
}

TEST(BackEnds, NoDisplayMeansOffscreenAndTheTerminalConsole)
{
    Environment env;
    env.set("KORVAN_DISPLAY", "none");
    env.set("KORVAN_CONSOLE", "window");
    EXPECT_FALSE(display_available());
    EXPECT_EQ(make_display_graphics(), nullptr);

    auto old_graphics = set_graphics(nullptr);
    env.set("KORVAN_SCREEN", "800x600");
    EXPECT_TRUE(graphics().headless());
    EXPECT_EQ(graphics().screen().width, 800);

    Console* before = &console();
    select_backends();
    EXPECT_EQ(&console(), before);
    EXPECT_EQ(active_window_console(), nullptr);

    env.set("KORVAN_DISPLAY", nullptr);
    env.set("DISPLAY", nullptr);
    EXPECT_FALSE(display_available());
    select_backends();
    EXPECT_EQ(&console(), before);
    set_graphics(std::move(old_graphics));
}

TEST(BackEnds, OffscreenWindowsKeepTitlesAndNeverWait)
{
    auto g = make_offscreen_graphics(ScreenInfo{});
    Picture picture;
    picture.resize(4, 3);
    EXPECT_EQ(picture.rgb.size(), 36u);
    auto w = g->open_window({2, 0, 0, 4, 3}, "KORVAN 2 / Working", &picture, nullptr);
    EXPECT_EQ(w->title(), "KORVAN 2 / Working");
    w->set_title("other");
    EXPECT_EQ(w->title(), "other");
    int asked = 0;
    g->wait_until([&] {
        ++asked;
        return false;
    });
    EXPECT_LE(asked, 1);
    picture.resize(-3, 5);
    EXPECT_EQ(picture.width, 0);
    EXPECT_TRUE(picture.rgb.empty());
}

TEST(PngFiles, FailuresAreReportedAndLeaveNoFile)
{
    test::TempDir dir;
    Picture empty;
    EXPECT_EQ(write_png("empty.png", empty), EINVAL);
    EXPECT_FALSE(std::filesystem::exists("empty.png"));
    Picture picture;
    picture.resize(3, 2);
    // The system's reason of the failure comes back.
    EXPECT_EQ(write_png("no/such/dir/a.png", picture), ENOENT);
    // A device named as the file gets the reason and is left in place.
    if (std::filesystem::is_character_file("/dev/full")) {
        EXPECT_EQ(write_png("/dev/full", picture), ENOSPC);
        EXPECT_TRUE(std::filesystem::is_character_file("/dev/full"));
    }
    picture.rgb.resize(5);  // shorter than its size says
    EXPECT_EQ(write_png("short.png", picture), EINVAL);
    EXPECT_FALSE(std::filesystem::exists("short.png"));
    picture.resize(3, 2);
    ASSERT_EQ(write_png("ok.png", picture), 0);
    std::FILE* f = std::fopen("ok.png", "rb");
    ASSERT_NE(f, nullptr);
    unsigned char magic[8] = {};
    EXPECT_EQ(std::fread(magic, 1, 8, f), 8u);
    std::fclose(f);
    EXPECT_EQ(magic[1], 'P');
    EXPECT_EQ(magic[2], 'N');
    EXPECT_EQ(magic[3], 'G');
}

}  // namespace
}  // namespace korvan::plat
