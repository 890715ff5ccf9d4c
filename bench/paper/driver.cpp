// Times the paper formats PDF and PNG on two plots: a 1,000,000-point curve
// in an axis system, and the shaded contours (CONSHD, 20 levels) of a
// function on a 300 by 300 grid. When gnuplot is installed, gnuplot draws the
// same curve and a shaded map (pm3d) of the same grid with its pdfcairo and
// pngcairo terminals, on a page and a picture of the same size, in the same
// run; the times, file sizes and ratios are printed.
// Usage: paper_bench [points] [grid size] [directory]
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "bench/support/bench_support.hpp"
#include "plot/kernel/kernel.hpp"
#include "plot/kernel/routines.hpp"
#include "plot/routines/axes.hpp"
#include "plot/routines/colour_axes.hpp"
#include "plot/routines/curves.hpp"
#include "plot/routines/shading.hpp"

namespace {

// Whether gnuplot knows a terminal.
bool gnuplot_has_terminal(const char* name)
{
    std::string command = std::string("gnuplot -e 'set terminal ") + name + "' > /dev/null 2>&1";
    return std::system(command.c_str()) == 0;
}

// The size of a PNG picture from its header, or 0 x 0.
void png_size(const char* name, unsigned& width, unsigned& height)
{
    width = height = 0;
    unsigned char header[24] = {};
    std::ifstream in(name, std::ios::binary);
    if (!in.read(reinterpret_cast<char*>(header), sizeof header))
        return;
    width = (header[16] << 24) | (header[17] << 16) | (header[18] << 8) | header[19];
    height = (header[20] << 24) | (header[21] << 16) | (header[22] << 8) | header[23];
}

unsigned long long size_of(const char* name)
{
    std::error_code error;
    auto size = std::filesystem::file_size(name, error);
    return error ? 0 : static_cast<unsigned long long>(size);
}

struct Result {
    const char* what;
    const char* file;
    double seconds;
    unsigned long long bytes;
};

void report(const Result& r)
{
    std::printf("KORVAN %-32s %8.3f s  %12llu bytes\n", r.what, r.seconds, r.bytes);
}

// The page in centimetres of A4 landscape, as KORVAN's default page.
constexpr const char* page_size = "29.7cm,21cm";

}  // namespace

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (count < 2)
        count = 1000000;
    int grid = argc > 2 ? std::atoi(argv[2]) : 300;
    if (grid < 2 || grid > 1000)
        grid = 300;
    std::filesystem::path base = argc > 3 ? std::filesystem::path(argv[3]) : std::filesystem::temp_directory_path();
    std::filesystem::path dir = korvan::bench::enter_work_directory(base, "paper");
    if (dir.empty())
        return 1;

    korvan::bench::start_quiet_plotting();
    korvan::filmod("DELE");

    // The curve and the grid are computed before any clock starts.
    const double w = 2969;
    const double h = 2099;
    std::vector<float> fx(static_cast<std::size_t>(count));
    std::vector<float> fy(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / static_cast<double>(count - 1);
        fx[static_cast<std::size_t>(i)] = static_cast<float>(t * w);
        fy[static_cast<std::size_t>(i)] = static_cast<float>(h / 2 + (h / 2 - 1) * std::sin(t * 200.0));
    }
    std::vector<float> gx(static_cast<std::size_t>(grid));
    std::vector<float> gz(static_cast<std::size_t>(grid) * static_cast<std::size_t>(grid));
    for (int i = 0; i < grid; ++i)
        gx[static_cast<std::size_t>(i)] = -3.0f + 6.0f * static_cast<float>(i) / static_cast<float>(grid - 1);
    for (int i = 0; i < grid; ++i)
        for (int j = 0; j < grid; ++j) {
            float u = gx[static_cast<std::size_t>(i)];
            float v = gx[static_cast<std::size_t>(j)];
            gz[static_cast<std::size_t>(i) * static_cast<std::size_t>(grid) + static_cast<std::size_t>(j)] =
                std::sin(1.5f * u) * std::cos(1.2f * v) + 0.3f * u;
        }
    constexpr int shade_levels = 20;
    std::vector<float> levels;
    for (int k = 0; k < shade_levels; ++k)
        levels.push_back(-2.0f + 0.2f * static_cast<float>(k));

    auto curve = [&](const char* format, const char* file) {
        korvan::metafl(format);
        korvan::setfil(file);
        auto start = std::chrono::steady_clock::now();
        korvan::korini();
        korvan::graf(0, w, 0, 500, 0, h, 0, 500);
        korvan::curve(fx, fy, static_cast<int>(count));
        korvan::endgrf();
        korvan::korfin();
        return korvan::bench::seconds_since(start);
    };
    auto contour = [&](const char* format, const char* file) {
        korvan::metafl(format);
        korvan::setfil(file);
        auto start = std::chrono::steady_clock::now();
        korvan::korini();
        korvan::graf3(-3, 3, -3, 1, -3, 3, -3, 1, -2, 2, -2, 0.5);
        korvan::conshd(gx, grid, gx, grid, gz, levels, shade_levels);
        korvan::endgrf();
        korvan::korfin();
        return korvan::bench::seconds_since(start);
    };
    Result ours[] = {
        {"curve, PDF", "curve.pdf", curve("PDF", "curve.pdf"), 0},
        {"curve, PNG", "curve.png", curve("PNG", "curve.png"), 0},
        {"shaded contours, PDF", "contour.pdf", contour("PDF", "contour.pdf"), 0},
        {"shaded contours, PNG", "contour.png", contour("PNG", "contour.png"), 0},
    };
    std::printf("%ld points; a %d by %d grid with %d levels\n", count, grid, grid, shade_levels);
    for (Result& r : ours) {
        r.bytes = size_of(r.file);
        report(r);
    }

    std::string version = korvan::bench::gnuplot_version();
    if (version.empty() || !gnuplot_has_terminal("pdfcairo") || !gnuplot_has_terminal("pngcairo")) {
        std::printf("gnuplot with its cairo terminals is not installed (Debian package gnuplot-nox): no comparison\n");
    } else {
        unsigned pw = 0;
        unsigned ph = 0;
        png_size("curve.png", pw, ph);
        {
            std::ofstream data("curve.bin", std::ios::binary);
            for (std::size_t i = 0; i < fx.size(); ++i) {
                data.write(reinterpret_cast<const char*>(&fx[i]), sizeof(float));
                data.write(reinterpret_cast<const char*>(&fy[i]), sizeof(float));
            }
            std::FILE* out = std::fopen("grid.dat", "w");
            for (int i = 0; i < grid; ++i) {
                for (int j = 0; j < grid; ++j)
                    std::fprintf(out, "%g %g %g\n", gx[static_cast<std::size_t>(i)], gx[static_cast<std::size_t>(j)],
                                 gz[static_cast<std::size_t>(i) * static_cast<std::size_t>(grid) +
                                    static_cast<std::size_t>(j)]);
                std::fputs("\n", out);
            }
            std::fclose(out);
        }
        const std::string pdf = std::string("set terminal pdfcairo size ") + page_size + "\n";
        const std::string png = "set terminal pngcairo size " + std::to_string(pw) + "," + std::to_string(ph) + "\n";
        const std::string curve_plot = "unset key\nplot 'curve.bin' binary format='%float32%float32' with lines\n";
        const std::string contour_plot = "set view map\nset pm3d map\nset palette maxcolors 20\nset cbrange [-2:2]\n"
                                         "splot 'grid.dat' with pm3d notitle\n";
        Result theirs[] = {
            {"curve, pdfcairo", "g_curve.pdf",
             korvan::bench::run_gnuplot("curve_pdf.gp", pdf + "set output 'g_curve.pdf'\n" + curve_plot, "g_curve.pdf"), 0},
            {"curve, pngcairo", "g_curve.png",
             korvan::bench::run_gnuplot("curve_png.gp", png + "set output 'g_curve.png'\n" + curve_plot, "g_curve.png"), 0},
            {"shaded contours, pdfcairo", "g_contour.pdf",
             korvan::bench::run_gnuplot("contour_pdf.gp", pdf + "set output 'g_contour.pdf'\n" + contour_plot, "g_contour.pdf"), 0},
            {"shaded contours, pngcairo", "g_contour.png",
             korvan::bench::run_gnuplot("contour_png.gp", png + "set output 'g_contour.png'\n" + contour_plot, "g_contour.png"), 0},
        };
        std::printf("%s (gnuplot reads the curve in binary and the grid as text; pictures of %u x %u pixels)\n",
                    version.c_str(), pw, ph);
        for (std::size_t k = 0; k < std::size(theirs); ++k) {
            Result& g = theirs[k];
            if (g.seconds < 0) {
                std::printf("gnuplot %-31s failed (see gnuplot.log)\n", g.what);
                continue;
            }
            g.bytes = size_of(g.file);
            std::printf("gnuplot %-31s %8.3f s  %12llu bytes\n", g.what, g.seconds, g.bytes);
            const Result& o = ours[k];
            std::printf("  ratio gnuplot / KORVAN (above 1: KORVAN better): time %.2f, file size %.2f\n",
                        g.seconds / o.seconds,
                        o.bytes > 0 ? static_cast<double>(g.bytes) / static_cast<double>(o.bytes) : 0.0);
        }
    }
    korvan::bench::leave_work_directory(base, dir);
    return 0;
}
