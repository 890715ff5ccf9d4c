// Draws a 1,000,000-vector polyline into a GKSVAN metafile and reports the
// vectors written per second. Usage: gksvan_bench [vectors] [directory]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "plat/console.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/win/driver.hpp"

namespace {
// The end protocol is not part of the measurement.
class QuietConsole : public korvan::plat::Console {
public:
    void write_output(std::string_view) override {}
    void message_box(std::string_view, std::string_view) override {}
    bool read_input_line(std::string&) override { return false; }
};
}  // namespace

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (count < 1)
        count = 1000000;
    std::filesystem::path dir = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    std::filesystem::current_path(dir);
    std::string name = "gksvan_bench.met";
    std::filesystem::remove(name);

    korvan::plat::set_console(std::make_unique<QuietConsole>());
    korvan::win::start(true);
    korvan::filmod("DELE");
    korvan::setfil(name);
    korvan::korini();
    const korvan::PlotState& s = korvan::state();
    double w = s.page_width;
    double h = s.page_height;

    // The points are computed before the clock starts: only the writer is timed.
    std::vector<double> xs(static_cast<std::size_t>(count));
    std::vector<double> ys(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / static_cast<double>(count);
        xs[static_cast<std::size_t>(i)] = t * w;
        ys[static_cast<std::size_t>(i)] = h / 2 + (h / 2 - 1) * std::sin(t * 200.0);
    }

    auto start = std::chrono::steady_clock::now();
    korvan::plot_vector(xs[0], ys[0], 3);
    for (std::size_t i = 1; i < xs.size(); ++i)
        korvan::plot_vector(xs[i], ys[i], 2);
    korvan::korfin();
    auto stop = std::chrono::steady_clock::now();

    double seconds = std::chrono::duration<double>(stop - start).count();
    auto bytes = std::filesystem::file_size(name);
    std::printf("GKSVAN polyline: %ld vectors in %.3f s, %.2f million vectors per second, file %llu bytes\n",
                count, seconds, static_cast<double>(count) / seconds / 1e6, static_cast<unsigned long long>(bytes));
    std::filesystem::remove(name);
    return 0;
}
