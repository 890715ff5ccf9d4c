// Draws the contour lines (CONTUR, 10 levels) and the shaded contours (CONSHD,
// 20 levels) of a function on a 300 by 300 grid into colour PostScript and
// reports the times. When gnuplot is installed, gnuplot draws the same 10
// contour levels and a shaded map (pm3d) of the same grid with its PostScript
// terminal in the same run, and the ratios are printed.
// Usage: contour_bench [grid size] [directory]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "bench/support/bench_support.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/contours.hpp"
#include "plot/routines/shading.hpp"

namespace {

struct Grid {
    int n;
    std::vector<float> x;
    std::vector<float> z;
    explicit Grid(int size) : n(size), x(static_cast<std::size_t>(size)), z(static_cast<std::size_t>(size) * size)
    {
        for (int i = 0; i < n; ++i)
            x[static_cast<std::size_t>(i)] = -3.0f + 6.0f * i / (n - 1);
        for (int i = 0; i < n; ++i)
            for (int j = 0; j < n; ++j)
                z[static_cast<std::size_t>(i) * n + j] = value(x[static_cast<std::size_t>(i)], x[static_cast<std::size_t>(j)]);
    }
    static float value(float u, float v) { return std::sin(1.5f * u) * std::cos(1.2f * v) + 0.3f * u; }
};

constexpr int line_levels = 10;
constexpr int shade_levels = 20;
float line_level(int k) { return -1.8f + 0.4f * k; }
float shade_level(int k) { return -2.0f + 0.2f * k; }

// Opens a colour PostScript plot with a colour axis system over the grid.
void open(const char* file)
{
    korvan::metafl("PSCL");
    korvan::setfil(file);
    korvan::korini();
    korvan::graf3(-3, 3, -3, 1, -3, 3, -3, 1, -2, 2, -2, 0.5);
}

void close()
{
    korvan::endgrf();
    korvan::korfin();
}

}  // namespace

int main(int argc, char** argv)
{
    int size = argc > 1 ? std::atoi(argv[1]) : 300;
    if (size < 2 || size > 1000)
        size = 300;
    std::filesystem::path base = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    std::filesystem::path dir = korvan::bench::enter_work_directory(base, "contour");
    if (dir.empty())
        return 1;

    korvan::bench::start_quiet_plotting();
    korvan::filmod("DELE");
    Grid g(size);

    open("contur.psc");
    auto start = std::chrono::steady_clock::now();
    for (int k = 0; k < line_levels; ++k)
        korvan::contur(g.x, size, g.x, size, g.z, line_level(k));
    close();
    double contur_seconds = korvan::bench::seconds_since(start);
    std::printf("CONTUR: %d levels of a %d by %d grid into colour PostScript in %.3f s, file %llu bytes\n",
                line_levels, size, size, contur_seconds,
                static_cast<unsigned long long>(std::filesystem::file_size("contur.psc")));

    std::vector<float> levels;
    for (int k = 0; k < shade_levels; ++k)
        levels.push_back(shade_level(k));
    open("conshd.psc");
    start = std::chrono::steady_clock::now();
    korvan::conshd(g.x, size, g.x, size, g.z, levels, shade_levels);
    close();
    double conshd_seconds = korvan::bench::seconds_since(start);
    std::printf("CONSHD: %d levels, cells, of a %d by %d grid into colour PostScript in %.3f s, file %llu bytes\n",
                shade_levels, size, size, conshd_seconds,
                static_cast<unsigned long long>(std::filesystem::file_size("conshd.psc")));

    std::string version = korvan::bench::gnuplot_version();
    if (version.empty()) {
        std::printf("gnuplot is not installed (Debian package gnuplot-nox): no comparison\n");
    } else {
        std::FILE* data = std::fopen("grid.dat", "w");
        for (int i = 0; i < size; ++i) {
            for (int j = 0; j < size; ++j)
                std::fprintf(data, "%g %g %g\n", g.x[static_cast<std::size_t>(i)], g.x[static_cast<std::size_t>(j)],
                             g.z[static_cast<std::size_t>(i) * size + j]);
            std::fputs("\n", data);
        }
        std::fclose(data);
        std::string levels_text;
        for (int k = 0; k < line_levels; ++k)
            levels_text += (k ? "," : "") + std::to_string(line_level(k));
        double lines = korvan::bench::run_gnuplot("contour.gp", "set terminal postscript landscape color\n"
                                                 "set output 'gnuplot_contour.ps'\n"
                                                 "set view map\nunset surface\nset contour base\n"
                                                 "set cntrparam levels discrete " + levels_text + "\n"
                                                 "splot 'grid.dat' with lines notitle\n");
        double shaded = korvan::bench::run_gnuplot("pm3d.gp", "set terminal postscript landscape color\n"
                                               "set output 'gnuplot_pm3d.ps'\n"
                                               "set view map\nset pm3d map\nset palette maxcolors 20\n"
                                               "set cbrange [-2:2]\n"
                                               "splot 'grid.dat' with pm3d notitle\n");
        if (lines < 0 || shaded < 0) {
            std::printf("%s failed (see gnuplot.log)\n", version.c_str());
        } else {
            std::printf("%s, contour lines: %d levels in %.3f s (data file read included)\n", version.c_str(),
                        line_levels, lines);
            std::printf("%s, pm3d map of %d colours: %.3f s (data file read included)\n", version.c_str(),
                        shade_levels, shaded);
            std::printf("Ratio gnuplot / KORVAN (above 1: KORVAN faster): contour lines %.2f, shaded %.2f\n",
                        lines / contur_seconds, shaded / conshd_seconds);
        }
    }
    korvan::bench::leave_work_directory(base, dir);
    return 0;
}
