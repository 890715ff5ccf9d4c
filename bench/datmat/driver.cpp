// Times reading a data file of 1,000,000 values (250,000 rows of 4 columns):
// DATFIL (opening and scanning the block), DATMAT (reading it into a matrix)
// and DATRAY (each column on its own).
//   datmat_bench [rows]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "bench/support/bench_support.hpp"
#include "interp/builtins.hpp"
#include "interp/data_file.hpp"
#include "interp/executor.hpp"
#include "interp/front_end.hpp"
#include "interp/variable_table.hpp"
#include "interp/variables.hpp"
#include "plot/win/driver.hpp"

using namespace korvan;

int main(int argc, char** argv)
{
    long rows = argc > 1 ? std::atol(argv[1]) : 250000;
    std::filesystem::path dir = std::filesystem::temp_directory_path() / "korvan-datmat-bench";
    std::filesystem::create_directories(dir);
    std::filesystem::path file = dir / "bench.kdf";
    std::FILE* out = std::fopen(file.c_str(), "w");
    if (out == nullptr) {
        std::fprintf(stderr, "cannot write %s\n", file.c_str());
        return 2;
    }
    std::fprintf(out, "%%KFL-ASC\n%%HEADER\nROWS = %ld\n%%DATA\n4\n", rows);
    for (long r = 0; r < rows; ++r)
        std::fprintf(out, "%ld, %.4f, %.6e, %ld\n", r, r * 0.001, 1.0 / (r + 1.0), -r % 997);
    std::fclose(out);

    kfl::front_end().interactive = true;
    win::start(false);
    kfl::install_builtins();
    kfl::clear_variables();

    std::string open = "Q = DATFIL('" + file.string() + "')";
    auto start = std::chrono::steady_clock::now();
    kfl::execute(open);
    double scan = bench::seconds_since(start);
    start = std::chrono::steady_clock::now();
    kfl::execute("M = DATMAT()");
    double read = bench::seconds_since(start);
    start = std::chrono::steady_clock::now();
    for (int column = 1; column <= 4; ++column)
        kfl::execute("C" + std::to_string(column) + " = DATRAY(" + std::to_string(column) + ")");
    double columns = bench::seconds_since(start);

    int m = kfl::find_variable("M");
    long count = m >= 0 ? kfl::variable(m).count : -1;
    std::printf("data file: %ld rows x 4 columns = %ld values, %.1f MB\n", rows, count,
                static_cast<double>(std::filesystem::file_size(file)) / 1e6);
    std::printf("DATFIL (open and scan): %.3f s\n", scan);
    std::printf("DATMAT (read the matrix): %.3f s\n", read);
    std::printf("DATRAY (the four columns one by one): %.3f s\n", columns);
    std::printf("total: %.3f s (target below 1 s)\n", scan + read + columns);
    kfl::reset_data_file();
    std::filesystem::remove_all(dir);
    return count == rows * 4 ? 0 : 1;
}
