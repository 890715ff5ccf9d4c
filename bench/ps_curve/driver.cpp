// Plots a 1,000,000-point curve with CURVE in an axis system into a
// PostScript file and reports the points written per second; when gnuplot is
// installed, plots the same points with gnuplot's PostScript terminal in the
// same run and prints the ratio.
// Then the same as KFL scripts: kflrun (beside this program, or the path in
// argument 3) reads the points as binary FLOAT arrays (FREAD), and from a data
// file, and plots them with CURVE, beside gnuplot reading the same numbers in
// binary and as text.
// Usage: ps_curve_bench [points] [directory] [kflrun]
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
#include "plot/routines/curves.hpp"

int main(int argc, char** argv)
{
    long count = argc > 1 ? std::atol(argv[1]) : 1000000;
    if (count < 2)
        count = 1000000;
    std::filesystem::path base = argc > 2 ? std::filesystem::path(argv[2]) : std::filesystem::temp_directory_path();
    std::filesystem::path kflrun = argc > 3 ? std::filesystem::path(argv[3])
                                            : std::filesystem::absolute(argv[0]).parent_path() / "kflrun";
    std::filesystem::path dir = korvan::bench::enter_work_directory(base, "ps_curve");
    if (dir.empty())
        return 1;

    korvan::bench::start_quiet_plotting();
    korvan::metafl("POST");
    korvan::setfil("curve.psc");

    // The points are computed before the clock starts.
    const double w = 2969;
    const double h = 2099;
    std::vector<double> xs(static_cast<std::size_t>(count));
    std::vector<double> ys(static_cast<std::size_t>(count));
    std::vector<float> fx(static_cast<std::size_t>(count));
    std::vector<float> fy(static_cast<std::size_t>(count));
    for (long i = 0; i < count; ++i) {
        double t = static_cast<double>(i) / static_cast<double>(count - 1);
        xs[static_cast<std::size_t>(i)] = t * w;
        ys[static_cast<std::size_t>(i)] = h / 2 + (h / 2 - 1) * std::sin(t * 200.0);
        fx[static_cast<std::size_t>(i)] = static_cast<float>(xs[static_cast<std::size_t>(i)]);
        fy[static_cast<std::size_t>(i)] = static_cast<float>(ys[static_cast<std::size_t>(i)]);
    }

    auto start = std::chrono::steady_clock::now();
    korvan::korini();
    korvan::graf(0, w, 0, 500, 0, h, 0, 500);
    korvan::curve(fx, fy, static_cast<int>(count));
    korvan::endgrf();
    korvan::korfin();
    double korvan_seconds = korvan::bench::seconds_since(start);
    auto korvan_bytes = std::filesystem::file_size("curve.psc");
    std::printf("KORVAN PostScript: %ld points with CURVE in an axis system in %.3f s, "
                "%.2f million points per second, file %llu bytes\n",
                count, korvan_seconds, static_cast<double>(count) / korvan_seconds / 1e6,
                static_cast<unsigned long long>(korvan_bytes));

    std::string version = korvan::bench::gnuplot_version();
    if (version.empty()) {
        std::printf("gnuplot is not installed (Debian package gnuplot-nox): no comparison\n");
    } else {
        // The same points as binary doubles, written before the clock starts.
        {
            std::ofstream data("curve.bin", std::ios::binary);
            for (std::size_t i = 0; i < xs.size(); ++i) {
                data.write(reinterpret_cast<const char*>(&xs[i]), sizeof(double));
                data.write(reinterpret_cast<const char*>(&ys[i]), sizeof(double));
            }
        }
        std::ofstream("curve.gp") << "set terminal postscript\n"
                                     "set output 'gnuplot.ps'\n"
                                     "unset key\n"
                                     "plot 'curve.bin' binary format='%float64%float64' with lines\n";
        start = std::chrono::steady_clock::now();
        int status = std::system("gnuplot curve.gp");
        double gnuplot_seconds = korvan::bench::seconds_since(start);
        if (status != 0 || !std::filesystem::exists("gnuplot.ps")) {
            std::printf("%s failed (status %d): no comparison\n", version.c_str(), status);
        } else {
            std::printf("%s, set terminal postscript: the same %ld points in %.3f s, "
                        "%.2f million points per second, file %llu bytes\n",
                        version.c_str(), count, gnuplot_seconds,
                        static_cast<double>(count) / gnuplot_seconds / 1e6,
                        static_cast<unsigned long long>(std::filesystem::file_size("gnuplot.ps")));
            std::printf("ratio gnuplot time / KORVAN time: %.2f\n", gnuplot_seconds / korvan_seconds);
        }
    }

    // The scripts: the points read by kflrun and plotted with CURVE.
    if (!std::filesystem::exists(kflrun)) {
        std::printf("%s not found: no script run\n", kflrun.c_str());
    } else {
        {
            std::ofstream xbin("x.bin", std::ios::binary);
            std::ofstream ybin("y.bin", std::ios::binary);
            std::ofstream both("xy.bin", std::ios::binary);
            std::ofstream kdf("curve.kdf");
            std::ofstream text("curve.txt");
            kdf << "%KFL-ASC  a curve of " << count << " points\n%HEADER\n%DATA\n2\n";
            char line[64];
            for (std::size_t i = 0; i < xs.size(); ++i) {
                xbin.write(reinterpret_cast<const char*>(&fx[i]), sizeof(float));
                ybin.write(reinterpret_cast<const char*>(&fy[i]), sizeof(float));
                both.write(reinterpret_cast<const char*>(&fx[i]), sizeof(float));
                both.write(reinterpret_cast<const char*>(&fy[i]), sizeof(float));
                std::snprintf(line, sizeof line, "%.3f %.3f\n", xs[i], ys[i]);
                kdf << line;
                text << line;
            }
            kdf << "%END\n";
        }
        const char* plot_lines = "METAFL('POST')\n"
                                 "SETFIL('kfl.psc')\n"
                                 "KORINI()\n"
                                 "GRAF(0, 2969, 0, 500, 0, 2099, 0, 500)\n"
                                 "CURVE(X, Y, N)\n"
                                 "ENDGRF()\n"
                                 "KORFIN()\n";
        std::ofstream("binary.kfl") << "%KFL\n"
                                       "N = "
                                    << count
                                    << "\n"
                                       "X = FALLOC(N)\n"
                                       "Y = FALLOC(N)\n"
                                       "F = FOPEN('x.bin', 'rb')\n"
                                       "Q = FREAD(X, N, F)\n"
                                       "Q = FCLOSE(F)\n"
                                       "F = FOPEN('y.bin', 'rb')\n"
                                       "Q = FREAD(Y, N, F)\n"
                                       "Q = FCLOSE(F)\n"
                                    << plot_lines;
        std::ofstream("text.kfl") << "%KFL\n"
                                     "X = DATRAY(1)\n"
                                     "Y = DATRAY(2)\n"
                                     "N = DATCNT('rows')\n"
                                  << plot_lines;
        std::ofstream("binary.gp") << "set terminal postscript\n"
                                      "set output 'binary.ps'\n"
                                      "unset key\n"
                                      "plot 'xy.bin' binary format='%float32%float32' with lines\n";
        std::ofstream("text.gp") << "set terminal postscript\n"
                                    "set output 'text.ps'\n"
                                    "unset key\n"
                                    "plot 'curve.txt' with lines\n";
        struct Run {
            const char* what;
            const char* script;
            const char* options;
            const char* gnuplot;
            const char* gnuplot_output;
        };
        const Run runs[] = {
            {"binary FLOAT arrays (FREAD)", "binary.kfl", "", "binary.gp", "binary.ps"},
            {"a data file (DATRAY)", "text.kfl", "-F=curve.kdf", "text.gp", "text.ps"},
        };
        for (const Run& run : runs) {
            std::filesystem::remove("kfl.psc");
            std::string command = "env KORVAN_CONSOLE=terminal KORVAN_DISPLAY=none '" + kflrun.string() + "' " +
                                  run.options + " " + run.script + " < /dev/null > kfl.out 2>&1";
            start = std::chrono::steady_clock::now();
            int status = std::system(command.c_str());
            double kfl_seconds = korvan::bench::seconds_since(start);
            if (status != 0 || !std::filesystem::exists("kfl.psc")) {
                std::printf("kflrun %s failed (status %d)\n", run.script, status);
                continue;
            }
            std::printf("kflrun script, points from %s, CURVE: %ld points in %.3f s, file %llu bytes\n", run.what,
                        count, kfl_seconds,
                        static_cast<unsigned long long>(std::filesystem::file_size("kfl.psc")));
            if (version.empty())
                continue;
            start = std::chrono::steady_clock::now();
            status = std::system((std::string("gnuplot ") + run.gnuplot).c_str());
            double gnuplot_seconds = korvan::bench::seconds_since(start);
            if (status == 0 && std::filesystem::exists(run.gnuplot_output)) {
                std::printf("%s, the same numbers from the same kind of file: %.3f s\n", version.c_str(),
                            gnuplot_seconds);
                std::printf("ratio gnuplot time / kflrun time: %.2f\n", gnuplot_seconds / kfl_seconds);
            }
        }
    }
    korvan::bench::leave_work_directory(base, dir);
    return 0;
}
