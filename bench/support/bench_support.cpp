#include "bench/support/bench_support.hpp"

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <memory>
#include <string_view>
#include <unistd.h>

#include "plat/console.hpp"
#include "plot/win/driver.hpp"

namespace korvan::bench {

namespace {

class QuietConsole : public plat::Console {
public:
    void write_output(std::string_view) override {}
    void message_box(std::string_view, std::string_view) override {}
    bool read_input_line(std::string&) override { return false; }
};

}  // namespace

std::filesystem::path enter_work_directory(const std::filesystem::path& base, const char* prefix)
{
    std::string pattern = (base / (std::string(prefix) + "_XXXXXX")).string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::perror(pattern.c_str());
        return {};
    }
    std::filesystem::path dir = pattern;
    std::filesystem::current_path(dir);
    return dir;
}

void leave_work_directory(const std::filesystem::path& base, const std::filesystem::path& dir)
{
    std::filesystem::current_path(base);
    std::filesystem::remove_all(dir);
}

void start_quiet_plotting()
{
    plat::set_console(std::make_unique<QuietConsole>());
    win::start(true);
}

double seconds_since(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

std::string gnuplot_version()
{
    std::FILE* pipe = ::popen("gnuplot --version 2>/dev/null", "r");
    if (pipe == nullptr)
        return "";
    char line[200] = {};
    if (std::fgets(line, sizeof line, pipe) == nullptr)
        line[0] = 0;
    int status = ::pclose(pipe);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == '\r'))
        text.pop_back();
    return status == 0 ? text : "";
}

double run_gnuplot(const char* name, const std::string& text, const char* output)
{
    std::ofstream(name) << text;
    if (output != nullptr)
        std::filesystem::remove(output);
    auto start = std::chrono::steady_clock::now();
    int status = std::system((std::string("gnuplot ") + name + " > gnuplot.log 2>&1").c_str());
    double seconds = seconds_since(start);
    bool written = output == nullptr || std::filesystem::exists(output);
    return status == 0 && written ? seconds : -1;
}

}  // namespace korvan::bench
