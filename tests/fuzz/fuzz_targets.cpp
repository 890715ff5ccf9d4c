#include "tests/fuzz/fuzz_targets.hpp"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <memory>
#include <unistd.h>

#include "plat/console.hpp"
#include "plot/kernel/state.hpp"
#include "plot/win/driver.hpp"

namespace korvan::fuzz {

namespace {

constexpr std::array<Target, 13> all_targets{{
    {"statement", fuzz_statement},
    {"script", fuzz_script},
    {"gksvan", fuzz_gksvan},
    {"cgm", fuzz_cgm},
    {"hpgl", fuzz_hpgl},
    {"postscript", fuzz_postscript},
    {"incfil", fuzz_incfil},
    {"tiff", fuzz_tiff},
    {"bitmap_dump", fuzz_bitmap_dump},
    {"data_file", fuzz_data_file},
    {"formatted_input", fuzz_formatted_input},
    {"map_data", fuzz_map_data},
    {"korconv_command_line", fuzz_korconv_command_line},
}};

class NullConsole final : public plat::Console {
public:
    void write_output(std::string_view) override {}
    void message_box(std::string_view, std::string_view) override {}
    bool read_input_line(std::string&) override { return false; }
};

std::string& scratch()
{
    static std::string dir;
    return dir;
}

void remove_scratch()
{
    std::error_code ignored;
    std::filesystem::current_path("/tmp", ignored);
    std::filesystem::remove_all(scratch(), ignored);
}

}  // namespace

std::span<const Target> targets() { return all_targets; }

const Target* find_target(std::string_view name)
{
    for (const Target& t : all_targets)
        if (name == t.name)
            return &t;
    return nullptr;
}

const std::string& scratch_dir()
{
    require(!scratch().empty(), "prepare_process was not called");
    return scratch();
}

void prepare_process()
{
    static const bool ready = [] {
        setenv("KORVAN_DISPLAY", "none", 1);
        setenv("KORVAN_CONSOLE", "terminal", 1);
        unsetenv("KFL_PATH");
        unsetenv("KFL_DATA");
        char pattern[] = "/tmp/korvan-fuzz-XXXXXX";
        const char* dir = mkdtemp(pattern);
        require(dir != nullptr, "no scratch directory");
        scratch() = dir;
        std::atexit(remove_scratch);
        std::filesystem::current_path(dir);
        // The map data files are looked for in the KORVAN directory.
        setenv("KORVAN", dir, 1);
        plat::set_console(std::make_unique<NullConsole>());
        win::start(false);
        return true;
    }();
    (void)ready;
}

void fresh_plot_state()
{
    reset_state_for_tests();
    win::reset_for_tests();
    win::start(false);
}

void write_file(const std::string& name, Bytes input)
{
    std::ofstream out(name, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(input.data()), static_cast<std::streamsize>(input.size()));
}

std::string_view text_of(Bytes input) { return {reinterpret_cast<const char*>(input.data()), input.size()}; }

void require(bool condition, const char* what)
{
    if (!condition) {
        std::fprintf(stderr, "fuzz target: %s\n", what);
        std::abort();
    }
}

}  // namespace korvan::fuzz
