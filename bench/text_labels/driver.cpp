// Draws 100,000 number labels (NUMBER) and reports labels per second: with
// stroke text into a GKSVAN metafile, and with the PostScript device's own
// font (HWFONT). When gnuplot is installed, the same labels are drawn with
// gnuplot's PostScript terminal ("with labels") in the same run and the ratio
// is printed. Usage: text_labels_bench [labels] [directory]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/bench_support.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/numbers.hpp"
#include "plot/routines/text.hpp"

namespace {

// The value and place of label i: a grid of 50 columns over the page.
double value_of(long i) { return std::sin(static_cast<double>(i)) * 1000.0; }
int column_of(long i) { return static_cast<int>(50 + (i % 50) * 57); }
int row_of(long i) { return static_cast<int>(50 + ((i / 50) % 100) * 20); }

// Draws the labels into a plot of the device; returns the seconds taken.
double draw_labels(const char* device, const char* file, long count, bool hardware)
{
    korvan::metafl(device);
    korvan::setfil(file);
    korvan::korini();
    korvan::height(15);
    if (hardware)
        korvan::hwfont();
    auto start = std::chrono::steady_clock::now();
    for (long i = 0; i < count; ++i)
        korvan::number(value_of(i), 2, column_of(i), row_of(i));
    korvan::korfin();
    return korvan::bench::seconds_since(start);
}

}  // namespace

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 100000;
    if (count < 1)
        count = 100000;
    std::filesystem::path base = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    std::filesystem::path dir = korvan::bench::enter_work_directory(base, "text_labels");
    if (dir.empty())
        return 1;

    korvan::bench::start_quiet_plotting();
    korvan::filmod("DELE");

    double stroke = draw_labels("GKSV", "labels.met", count, false);
    std::printf("NUMBER, stroke text into GKSVAN: %ld labels in %.3f s, %.0f labels per second, file %llu bytes\n",
                count, stroke, count / stroke,
                static_cast<unsigned long long>(std::filesystem::file_size("labels.met")));
    double ps_stroke = draw_labels("POST", "stroke.psc", count, false);
    std::printf("NUMBER, stroke text into PostScript: %ld labels in %.3f s, %.0f labels per second\n", count,
                ps_stroke, count / ps_stroke);
    double hardware = draw_labels("POST", "labels.psc", count, true);
    std::printf("NUMBER, PostScript font (HWFONT): %ld labels in %.3f s, %.0f labels per second, file %llu bytes\n",
                count, hardware, count / hardware,
                static_cast<unsigned long long>(std::filesystem::file_size("labels.psc")));

    std::string version = korvan::bench::gnuplot_version();
    if (version.empty()) {
        std::printf("gnuplot is not installed (Debian package gnuplot-nox): no comparison\n");
    } else {
        std::FILE* data = std::fopen("labels.dat", "w");
        for (long i = 0; i < count; ++i)
            std::fprintf(data, "%d %d %.2f\n", column_of(i), 2100 - row_of(i), value_of(i));
        std::fclose(data);
        std::FILE* script = std::fopen("labels.gp", "w");
        std::fprintf(script, "set terminal postscript landscape\n"
                             "set output 'gnuplot.ps'\n"
                             "unset border\nunset tics\nunset key\n"
                             "set xrange [0:2970]\nset yrange [0:2100]\n"
                             "plot 'labels.dat' using 1:2:(sprintf('%%.2f', $3)) with labels font ',6'\n");
        std::fclose(script);
        auto start = std::chrono::steady_clock::now();
        int status = std::system("gnuplot labels.gp");
        double gnuplot_seconds = korvan::bench::seconds_since(start);
        if (status != 0) {
            std::printf("%s failed (status %d)\n", version.c_str(), status);
        } else {
            std::printf("%s, PostScript terminal: %ld labels in %.3f s (data file read included), "
                        "%.0f labels per second\n",
                        version.c_str(), count, gnuplot_seconds, count / gnuplot_seconds);
            std::printf("Ratio KORVAN HWFONT / gnuplot: %.2f; KORVAN stroke GKSVAN / gnuplot: %.2f\n",
                        (count / hardware) / (count / gnuplot_seconds), (count / stroke) / (count / gnuplot_seconds));
        }
    }
    korvan::bench::leave_work_directory(base, dir);
    return 0;
}
