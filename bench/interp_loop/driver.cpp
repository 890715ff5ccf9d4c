// Times the execution of assignment statements replayed from the statement buffer.
//   interp_loop_bench <script.kfl> [statements]
// Statements before the first blank line after the header run once as set-up;
// the rest are stored and replayed until the requested number has run.
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

#include "interp/executor.hpp"
#include "interp/front_end.hpp"
#include "interp/variables.hpp"
#include "plot/win/driver.hpp"

using namespace korvan;

int main(int argc, char** argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s script.kfl [statements]\n", argv[0]);
        return 2;
    }
    long total = argc > 2 ? std::atol(argv[2]) : 1000000;
    std::ifstream in(argv[1]);
    if (!in) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 2;
    }
    std::vector<std::string> setup, body;
    std::string line;
    std::getline(in, line);  // header
    while (std::getline(in, line)) {
        if (line.empty() || line.starts_with("//"))
            continue;
        // The first three statements (declaration and start values) run once.
        (setup.size() < 3 ? setup : body).push_back(line);
    }
    if (body.empty()) {
        std::fprintf(stderr, "no statements to replay\n");
        return 2;
    }

    win::start(true);
    kfl::clear_variables();
    kfl::FrontEnd& fe = kfl::front_end();
    fe.interactive = true;
    for (const std::string& s : setup)
        kfl::execute(s);
    fe.buffer.store_mode = true;
    for (const std::string& s : body)
        fe.buffer.append(s);

    // The replay step of the statement loop: a copy of each stored text is executed.
    long executed = 0;
    auto start = std::chrono::steady_clock::now();
    while (executed < total) {
        fe.buffer.current = 0;
        while (fe.buffer.current < fe.buffer.count() && executed < total) {
            std::string text = fe.buffer.at(fe.buffer.current);
            kfl::execute(text);
            ++fe.buffer.current;
            ++executed;
        }
    }
    auto seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    fe.buffer.current = fe.buffer.count();
    fe.buffer.store_mode = false;
    kfl::execute("PRINT I, S");
    std::printf("%ld statements in %.3f s: %.0f statements per second\n", executed, seconds,
                static_cast<double>(executed) / seconds);
    return 0;
}
